#!/usr/bin/env bash
# Draws the main window's artwork: the skin (a landscape phone body on a white key
# colour), the three state pictures of each command button, the close picture and a
# preview of the whole window. Needs ImageMagick 6 (`convert`) and the DejaVu fonts.
# With the same ImageMagick and fonts, running it again reproduces every file byte for byte.
set -euo pipefail

cd "$(dirname "$0")"

FONT_BOLD=DejaVu-Sans-Bold
SCREEN='rgb(12,13,13)'   # the screen colour; the title label paints the same colour
W=442
H=237

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Everything written as BMP goes through here: 24 bits per pixel, no alpha, no palette.
bmp() { convert "$1" -alpha off -type TrueColor "BMP3:$2"; }

# Every picture but the icons is drawn twice from the same design: at 1x (NAME.bmp) and at 2x
# (NAME@2x.bmp), the 2x one at twice the size with every coordinate, radius, stroke and font
# size doubled, not scaled from the 1x picture. Geometry is written as at 1x and mapped by `at`.
S=1        # the scale being drawn
SUFFIX=''  # '' or '@2x'

# at 'PRIMITIVE X,Y ...': the draw primitive at scale S. A pixel (i, j) at 1x covers the S x S
# pixels from (S*i, S*j), so a point c maps to S*c + (S-1)/2; a rounded rectangle's corner size
# is a length and maps to S times it.
at() {
  awk -v s="$S" '{
    out = $1
    for (i = 2; i <= NF; i++) {
      n = split($i, c, ",")
      length_pair = ($1 == "roundrectangle" && i == 4)
      for (k = 1; k <= n; k++) c[k] = length_pair ? c[k] * s : c[k] * s + (s - 1) / 2
      out = out " " (n == 2 ? sprintf("%g,%g", c[1], c[2]) : sprintf("%g", c[1]))
    }
    print out
  }' <<<"$1"
}
# px N: a length of N pixels at 1x (a stroke width, a font size, a size) at scale S.
px() { awk -v s="$S" -v n="$1" 'BEGIN { printf "%g", n * s }'; }

# ---------------------------------------------------------------------------------------
# Skin
# ---------------------------------------------------------------------------------------

skin() {
  local w=$((W * S)) h=$((H * S)) k x y i
  # The outline of the body. Drawn without anti-aliasing at 1x: the window is cut out wherever a
  # pixel equals the key colour exactly, so a soft edge would leave a fringe of pale pixels. The
  # 2x outline is the 1x one with every pixel doubled, so that the cut-out is the same shape in
  # window coordinates at both scales (a toolkit's window mask is in those).
  local BODY='roundrectangle 1,3 440,234 30,30'
  local KEYS=(
    'roundrectangle 64,0 96,8 2,2'     # volume up
    'roundrectangle 102,0 134,8 2,2'   # volume down
    'roundrectangle 344,0 376,8 2,2'   # power
  )
  local mask_args=(-size ${W}x${H} xc:black +antialias -fill white)
  for k in "${KEYS[@]}"; do mask_args+=(-draw "$k"); done
  mask_args+=(-draw "$BODY")
  convert "${mask_args[@]}" -sample "$((S * 100))%" "$tmp/mask.png"

  # Blue-graphite shell: a vertical sheen, lighter on top, and a soft light from the left.
  convert -size ${w}x${h} gradient:'#59647a-#1c2230' \
    \( -size ${h}x${w} gradient:'#9a9a9a-#6a6a6a' -rotate 90 \) \
    -compose Overlay -composite "$tmp/metal.png"
  convert -size ${h}x${w} gradient:'#8d95a3-#3a404a' -rotate 90 "$tmp/keys.png"

  local args=(-size ${w}x${h} xc:'#0e1015')
  # Side keys: a plainer metal, so they read as separate parts of the frame.
  args+=(-antialias -tile "$tmp/keys.png")
  for k in "${KEYS[@]}"; do args+=(-draw "$(at "$k")"); done
  args+=(+tile -fill '#0e1015' -draw "$(at "$BODY")")
  # The shell inside its dark outer line, with a chamfer that catches the light.
  args+=(-tile "$tmp/metal.png" -draw "$(at 'roundrectangle 2.5,4.5 438.5,232.5 28.5,28.5')" +tile)
  args+=(-fill none -stroke 'rgba(215,225,245,0.40)' -strokewidth "$(px 1)"
    -draw "$(at 'roundrectangle 3.5,5.5 437.5,231.5 27.5,27.5')")
  args+=(-stroke 'rgba(0,0,0,0.25)'
    -draw "$(at 'roundrectangle 4.5,6.5 436.5,230.5 26.5,26.5')" -stroke none)
  # Screen, sunk into the shell: a dark recess, a faint inner rim, then the glass.
  args+=(-fill '#06070a' -draw "$(at 'roundrectangle 10,12 430,226 19,19')")
  args+=(-fill "$SCREEN" -stroke '#2a2f37' -strokewidth "$(px 1)"
    -draw "$(at 'roundrectangle 11.5,13.5 428.5,224.5 17,17')" -stroke none)
  args+=(-fill "$SCREEN" -draw "$(at 'roundrectangle 12,14 428,224 16,16')")
  # A thin light line along the lower lip of the recess.
  args+=(-fill none -stroke 'rgba(200,210,230,0.18)' -draw "$(at 'line 30,227.5 412,227.5')"
    -stroke none)

  # Earpiece slot, proximity sensor and front camera on the left short side.
  args+=(-fill '#07080b' -stroke 'rgba(160,175,200,0.35)' -strokewidth "$(px 1)"
    -draw "$(at 'roundrectangle 5.5,98.5 6.5,138.5 1,1')")
  args+=(-stroke none -fill '#151a24' -draw "$(at 'circle 6,84 6,85.3')")
  args+=(-fill '#0b1226' -stroke '#11151c' -draw "$(at 'circle 6,154 6,156.6')")
  if ((S == 1)); then
    args+=(-stroke none -fill 'rgba(130,170,255,0.9)' -draw 'point 5,153')
  else
    args+=(-stroke none -fill 'rgba(130,170,255,0.9)' -draw "rectangle $((5 * S)),$((153 * S)) \
$((6 * S - 1)),$((154 * S - 1))")
  fi
  # Home button on the right short side.
  args+=(-fill '#262d3a' -stroke '#0d1016' -strokewidth "$(px 1)"
    -draw "$(at 'circle 434.5,119 434.5,122.5')")
  args+=(-fill none -stroke 'rgba(200,210,230,0.45)'
    -draw "$(at 'roundrectangle 433.5,118 435.5,120 0.5,0.5')" -stroke none)

  # Status bar along the top of the screen: signal bars left, battery right. Whole pixels: a bar
  # from pixel a to pixel b at 1x covers S*a to S*b + S - 1.
  bar() { echo "rectangle $(($1 * S)),$(($2 * S)) $(($3 * S + S - 1)),$(($4 * S + S - 1))"; }
  args+=(-fill '#5f6873')
  for i in 0 1 2 3; do
    x=$((22 + i * 4)); y=$((21 - i * 2))
    args+=(-draw "$(bar $x $y $((x + 2)) 22)")
  done
  args+=(-fill none -stroke '#5f6873' -strokewidth "$(px 1)"
    -draw "$(at 'roundrectangle 399.5,16.5 412.5,22.5 1.5,1.5')"
    -stroke none -fill '#5f6873' -draw "$(bar 413 18 414 21)"
    -fill '#49c16a' -draw "$(bar 401 18 409 21)")

  convert "${args[@]}" "$tmp/body.png"

  # The key colour must not appear inside the body: pull any pure white one step down.
  convert "$tmp/body.png" -fill 'rgb(254,254,254)' -opaque white "$tmp/body.png"
  convert -size ${w}x${h} xc:white "$tmp/body.png" "$tmp/mask.png" -composite "$tmp/skin.png"
  bmp "$tmp/skin.png" "skin$SUFFIX.bmp"
}

# ---------------------------------------------------------------------------------------
# Buttons: 102 x 27, index 0 normal, 1 hover, 2 pressed, 3 disabled. The face only: the programs
# draw the caption over it (white with a shadow, centred; see shell/picture_button.h).
# ---------------------------------------------------------------------------------------

# face STATE TOP BOTTOM BORDER: one look of the face, written as button_STATE.bmp.
face() {
  local state=$1 top=$2 bottom=$3 border=$4 w=$((102 * S)) h=$((27 * S))
  convert -size ${w}x${h} gradient:"$top-$bottom" "$tmp/grad.png"
  convert -size ${w}x${h} xc:"$SCREEN" \
    -fill "$border" -draw "$(at 'roundrectangle 0,0 101,26 9,9')" \
    -tile "$tmp/grad.png" -draw "$(at 'roundrectangle 1,1 100,25 8,8')" +tile \
    -fill none -stroke 'rgba(255,255,255,0.22)' -strokewidth "$(px 1)" \
    -draw "$(at 'line 8,1.5 93,1.5')" -stroke none \
    "$tmp/btn.png"
  bmp "$tmp/btn.png" "$tmp/button_$state.bmp"
}

buttons() {
  local name
  face 0 '#5b6470' '#323840' '#1d2126'
  face 1 '#6d9be0' '#3b68b0' '#1f3a66'
  face 2 '#262b31' '#3a4048' '#111417'
  # Disabled: flat and close to the screen.
  face 3 '#2c3036' '#24282d' '#1a1d21'
  # Every command shows the same face; each keeps its own files, so that one can be redrawn.
  for name in select_file select_dir extract pack; do
    for state in 0 1 2 3; do cp "$tmp/button_$state.bmp" "${name}_${state}$SUFFIX.bmp"; done
  done
}

# ---------------------------------------------------------------------------------------
# Close pictures: 24 x 23, a white cross on a red square; index as for the buttons
# ---------------------------------------------------------------------------------------

# close STATE TOP BOTTOM BORDER CROSS SHIFT
close() {
  local state=$1 top=$2 bottom=$3 border=$4 cross=$5 shift=$6 w=$((24 * S)) h=$((23 * S))
  convert -size ${w}x${h} gradient:"$top-$bottom" "$tmp/red.png"
  convert -size ${w}x${h} xc:"$SCREEN" \
    -fill "$border" -draw "$(at 'roundrectangle 1,0 22,22 5,5')" \
    -tile "$tmp/red.png" -draw "$(at 'roundrectangle 2,1 21,21 4,4')" +tile \
    -fill none -stroke 'rgba(255,255,255,0.3)' -strokewidth "$(px 1)" \
    -draw "$(at 'line 6,1.5 17,1.5')" \
    -stroke "$cross" -strokewidth "$(px 3)" \
    -draw "$(at "line $((7 + shift)),$((6 + shift)).5 $((16 + shift)),$((15 + shift)).5")" \
    -draw "$(at "line $((16 + shift)),$((6 + shift)).5 $((7 + shift)),$((15 + shift)).5")" \
    "$tmp/close.png"
  bmp "$tmp/close.png" "close_${state}$SUFFIX.bmp"
}

closes() {
  close 0 '#f0564a' '#b3201a' '#6e100c' white 0
  close 1 '#ff7b6e' '#d63a2f' '#8a1a14' white 0
  close 2 '#9e1c16' '#c8352b' '#4e0a07' 'rgb(230,230,230)' 1
  close 3 '#5a4442' '#3e302f' '#2a1e1d' 'rgb(140,140,140)' 0
}

for S in 1 2; do
  SUFFIX=$([[ $S == 1 ]] || echo "@${S}x")
  skin
  buttons
  closes
done

# ---------------------------------------------------------------------------------------
# Program icons: icons/NAME-SIZE.png in the desktop's usual sizes and icons/NAME.ico for the
# Windows programs (baler, a console program, has only the .ico). A small version of the shell
# with a crate on its screen and an arrow: out of the crate for Unbaler, into it for Rebaler,
# both ways for baler.
# ---------------------------------------------------------------------------------------

ICON_SIZES=(16 32 48 64 128 256)
mkdir -p icons

# Drawn once at 256 x 256 and scaled down; the tile and the crate are the same in every icon.
convert -size 256x256 gradient:'#59647a-#1c2230' \
  \( -size 256x256 gradient:'#9a9a9a-#6a6a6a' -rotate 90 \) \
  -compose Overlay -composite "$tmp/icon_metal.png"
convert -size 256x256 gradient:'#d9a760-#8a5a26' "$tmp/icon_wood.png"
convert -size 256x256 xc:none \
  -fill '#0e1015' -draw 'roundrectangle 6,6 249,249 48,48' \
  -tile "$tmp/icon_metal.png" -draw 'roundrectangle 10,10 245,245 44,44' +tile \
  -fill none -stroke 'rgba(215,225,245,0.45)' -strokewidth 3 \
  -draw 'roundrectangle 13.5,13.5 241.5,241.5 41,41' -stroke none \
  -fill '#06070a' -draw 'roundrectangle 28,28 227,227 26,26' \
  -fill "$SCREEN" -stroke '#2a2f37' -strokewidth 2 -draw 'roundrectangle 32,32 223,223 22,22' \
  -stroke '#3a2408' -strokewidth 4 \
  -tile "$tmp/icon_wood.png" -draw 'polygon 52,122 204,122 196,142 60,142' \
  -draw 'rectangle 60,142 196,208' +tile \
  -draw 'line 60,176 196,176' -draw 'line 96,142 96,208' -draw 'line 160,142 160,208' \
  "$tmp/icon_tile.png"

# icon NAME KINDS FILL ARROW...: the tile with each ARROW (a polygon's points) filled in FILL,
# written as the PNG sizes when KINDS names png, and as the .ico when it names ico.
icon() {
  local name=$1 kinds=$2 fill=$3 arrow size
  shift 3
  local args=("$tmp/icon_tile.png" -fill "$fill" -stroke '#0b0d12' -strokewidth 6)
  for arrow in "$@"; do args+=(-draw "polygon $arrow"); done
  convert "${args[@]}" "$tmp/icon_$name.png"
  for size in "${ICON_SIZES[@]}"; do
    convert "$tmp/icon_$name.png" -resize "${size}x${size}" \
      +set date:create +set date:modify -define png:exclude-chunks=date,time \
      "$tmp/$name-$size.png"
    if [[ $kinds == *png* ]]; then cp "$tmp/$name-$size.png" icons/; fi
  done
  if [[ $kinds == *ico* ]]; then
    convert "$tmp/$name-16.png" "$tmp/$name-32.png" "$tmp/$name-48.png" "$tmp/$name-256.png" \
      "icons/$name.ico"
  fi
}

icon unbaler 'png ico' '#49c16a' '128,40 178,98 148,98 148,160 108,160 108,98 78,98'
icon rebaler 'png ico' '#6d9be0' '128,164 178,106 148,106 148,44 108,44 108,106 78,106'
icon baler ico '#e0c36d' '92,40 128,84 106,84 106,150 78,150 78,84 56,84' \
  '164,156 200,112 178,112 178,46 150,46 150,112 128,112'

# ---------------------------------------------------------------------------------------
# Preview: the extractor's window as it looks on a plain desktop
# ---------------------------------------------------------------------------------------

convert -size ${W}x${H} xc:'#aeb8c4' \( skin.bmp -transparent white \) -composite \
  -font "$FONT_BOLD" -pointsize 15 -fill white \
  -draw "fill $SCREEN rectangle 170,26 258,50" -gravity northwest \
  -annotate +180+29 'Unbaler' \
  -font DejaVu-Sans -pointsize 10 \
  -fill black -draw 'rectangle 16,60 56,76' -draw 'rectangle 16,164 64,180' \
  -fill white -annotate +16+62 'PAK file:' -annotate +16+166 'Directory:' \
  -draw 'rectangle 66,56 314,76' -draw 'rectangle 66,162 314,182' \
  -draw 'rectangle 66,84 384,152' \
  -fill black -annotate +69+59 'C:\\Games\\Data\\sounds.pak' \
  -annotate +69+165 'C:\\Games\\Data\\sounds' \
  -annotate +69+86 'intro.ogg' -annotate +69+99 'menu_click.ogg' \
  -annotate +69+112 'family.txt' -annotate +69+125 'level01.ogg' \
  select_file_0.bmp -geometry +318+54 -composite \
  select_dir_1.bmp -geometry +318+160 -composite \
  extract_0.bmp -geometry +180+190 -composite \
  -font "$FONT_BOLD" -pointsize 11 -gravity center \
  -fill 'rgba(0,0,0,0.45)' -annotate +148-50 'Select File' -annotate +148+56 'Select Dir' \
  -annotate +10+86 'Extract Files' \
  -fill 'rgb(245,247,250)' -annotate +148-51 'Select File' -annotate +148+55 'Select Dir' \
  -annotate +10+85 'Extract Files' \
  close_0.bmp -geometry +384+28 -composite \
  +set date:create +set date:modify -define png:exclude-chunks=date,time \
  preview.png
