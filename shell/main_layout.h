// The main window of both programs, described once for every front end.
//
// A front end creates one native control per ControlSpec, in the order given, at its box on the
// skin, with its text, font, colours and picture, and sends a click on it to the MainController
// as its Command; Tab follows FocusOrder (shell/keyboard.h). The two programs share the window;
// they differ only in their title, in the picture of the main command, and in the order of the two
// path rows: Unbaler chooses its archive first and has that row on top, Rebaler starts from the
// folder. Everything here is in pixels on the skin, which fills the client area from its origin.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

enum class Program { kUnbaler, kRebaler };

// A control's place and size, in pixels on the skin (or twips on a dialog).
struct Box {
  std::int32_t left, top, width, height;
};

struct Rgb {
  std::uint8_t red, green, blue;
};

enum class ControlKind { kLabel, kPictureButton, kList, kButton, kEdit };

// What a control is for; a front end can find a control by it.
enum class Role {
  kTitle,        // lblTitle
  kClose,        // imgClose
  kFileCaption,  // Label1
  kDirCaption,   // Label2
  kFileName,     // lblFileName
  kDir,          // lblDir
  kSelectFile,   // picSelectFile
  kSelectDir,    // picSelectDir
  kMainCommand,  // picExtract or picRepack
  kFiles,        // lstFiles
  kStatus,       // lblStatus (StatusLine)
  kFilter,       // txtFilter (FilterBox)
};

// The pictures a control shows. A picture button has four (normal, hover, pressed, disabled).
enum class Picture { kNone, kSkin, kClose, kSelectFile, kSelectDir, kExtract, kPack };

// The picture's file name in skin/ without ".bmp"; a button's four add "_0" to "_3".
constexpr std::string_view PictureName(Picture picture) {
  constexpr std::string_view kNames[] = {"",           "skin",    "close", "select_file",
                                         "select_dir", "extract", "pack"};
  return kNames[static_cast<int>(picture)];
}

// Where a label draws its one line of text.
enum class Align { kLeftTop, kLeftMiddle, kCentre };

// Any control a click on which the controller dispatches. kOpenFolder: the status strip, while
// it offers to open the folder the last work wrote into.
enum class Command { kNone, kClose, kSelectFile, kSelectDir, kMainCommand, kOpenFolder };

struct Font {
  std::int32_t points = 8;
  bool bold = false;
  // The character set a Windows font is asked for; it only steers which face the system matches.
  std::uint8_t charset = 1;  // the system's default
  friend bool operator==(const Font&, const Font&) = default;
};

// The face every control was laid out with.
inline constexpr std::u16string_view kFontFace = u"MS Sans Serif";
// The title was drawn with a font of the Hebrew character set (177). Asking for the same set
// picks the same face and weight; the Latin letters of the title look no different.
inline constexpr std::uint8_t kTitleCharset = 177;

// What a screen reader calls the controls that show no text of their own: the close picture and
// the list. The other picture buttons are called by their captions.
inline constexpr char16_t kCloseName[] = u"Close";
inline constexpr char16_t kFilesName[] = u"Files";
// The captions of the two path rows.
inline constexpr char16_t kFileCaption[] = u"PAK file:";
inline constexpr char16_t kDirCaption[] = u"Directory:";

struct ControlSpec {
  Role role;
  std::string_view name;  // the control's name, as tools and tests find it
  ControlKind kind;
  Box box;
  std::u16string_view text = {};
  Picture picture = Picture::kNone;
  Font font;
  Rgb text_colour;
  Rgb background;
  Align align = Align::kLeftMiddle;
  Command click = Command::kNone;
  // Pixels of background between the left edge of the box and a label's text.
  std::int32_t indent = 0;
  // What a screen reader calls the control when that is not its text (AccessibleName).
  std::u16string_view accessible_name = {};
};

// What a screen reader calls the control (a toolkit's accessible name) until the program says
// otherwise: its accessible_name, else its text. A path label is then called by the whole path
// (MainWindowView), and the status line by its text.
constexpr std::u16string_view AccessibleName(const ControlSpec& desc) {
  return desc.accessible_name.empty() ? desc.text : desc.accessible_name;
}

inline constexpr std::int32_t kMainWidth = 442;
inline constexpr std::int32_t kMainHeight = 237;
// The status strip, in pixels on the skin: the bottom of the list's white box, below lstFiles and
// as wide, so that it hides no row. It holds the status line, and the filter while that is open;
// a progress bar may take a part of it.
inline constexpr Box kStatusBox{66, 137, 319, 16};
// Pixels between the left edge of the status line and its text.
inline constexpr std::int32_t kStatusIndent = 3;
// The strip's background: set apart from the list's white above it.
inline constexpr Rgb kStripColour{226, 229, 234};
// The text of a status line that offers to open a folder: a link's blue.
inline constexpr Rgb kLinkColour{0, 70, 160};
// Its tooltip meanwhile, on a line above the status line itself.
inline constexpr char16_t kOpenFolderTip[] = u"Click or press Enter to open the folder";
// lstFiles' rows: each shows its entry's size right-aligned in the last kSizeWidth pixels, and the
// name is cut off before them. The current row, while the list has the focus, is framed by a
// solid line of kListFocusColour one pixel wide (at least 3:1 against the list's white).
inline constexpr std::int32_t kSizeWidth = 64;
inline constexpr Rgb kListFocusColour{0, 84, 166};
// The skin's screen area, behind the title.
inline constexpr Rgb kScreenColour{12, 13, 13};

// Screens of other densities. The layout is in pixels at kBaseDpi; a front end that draws at
// another DPI scales every box and font by dpi / kBaseDpi, and shows the 2x pictures from
// k2xPictureDpi up (scaled to the window's size where that is not exactly 2x), the 1x ones below.
inline constexpr std::int32_t kBaseDpi = 96;
inline constexpr std::int32_t k2xPictureDpi = 144;

// `pixels` of the layout at `dpi`, rounded to the nearest pixel.
std::int32_t ScaleToDpi(std::int32_t pixels, std::int32_t dpi);
// `box` at `dpi`: its edges are scaled, so boxes that touch or line up at kBaseDpi still do.
Box ScaleBox(const Box& box, std::int32_t dpi);
// 2 for the 2x pictures, 1 for the 1x ones.
std::int32_t PictureScale(std::int32_t dpi);

// The captions of the picture buttons, drawn over their pictures at run time.
inline constexpr char16_t kSelectFileCaption[] = u"Select File";
inline constexpr char16_t kSelectDirCaption[] = u"Select Dir";
inline constexpr char16_t kExtractCaption[] = u"Extract Files";
inline constexpr char16_t kPackCaption[] = u"Pack Files";

// "Unbaler" or "Rebaler": the window's caption, the title on the skin and the title of every
// message box the program shows.
constexpr std::u16string_view ProgramTitle(Program program) {
  return program == Program::kUnbaler ? u"Unbaler" : u"Rebaler";
}

// The pictures a control shows, as picture names in skin/ without ".bmp": the normal, hover,
// pressed and disabled ones ("_0" to "_3") for a picture button, none otherwise.
std::vector<std::string> PictureFiles(const ControlSpec& desc);

// The controls on the skin, in creation order, their texts in the user's language.
std::array<ControlSpec, 10> MainWindowControls(Program program);

// The progress bar while work runs: the bottom pixels of the status line's box `status`, in the
// same coordinates, so that it goes wherever the status line goes. Its track and the part done.
inline constexpr std::int32_t kProgressBarHeight = 2;
inline constexpr Rgb kProgressTrackColour{218, 218, 218};
inline constexpr Rgb kProgressDoneColour{0, 102, 204};
Box ProgressBarBox(const Box& status);
// The part of `bar` filled for `fraction` (0 to 1) done, from its left edge.
Box ProgressDoneBox(const Box& bar, double fraction);

// lblStatus: the status line, filling kStatusBox, black on kStripColour in the controls' font, its
// text kStatusIndent pixels in; always shown. A press on it never drags the window; its click is
// kOpenFolder, which does something only while it offers a folder (then its text is in
// kLinkColour and it takes the focus, last but one in FocusOrder).
ControlSpec StatusLine();

// txtFilter: the edit box of the list's filter, over the status strip, black on white; created
// after StatusLine so that it lies above it, and shown only while the filter is open. While empty
// it shows kFilterCue in the system's faint colour.
ControlSpec FilterBox();
inline constexpr char16_t kFilterCue[] = u"Show only names containing\u2026";

}  // namespace shell
