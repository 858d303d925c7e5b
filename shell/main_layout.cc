#include "shell/main_layout.h"

#include <algorithm>

#include "shell/translate.h"

namespace shell {
namespace {

// The tops of the caption, the path label and the button of a path row.
struct Row {
  std::int32_t caption;
  std::int32_t path;
  std::int32_t button;
};
constexpr Row kUpperRow{60, 56, 54};
constexpr Row kLowerRow{164, 162, 160};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Font kControlFont{8, false};
constexpr Font kTitleFont{12, true, kTitleCharset};
// Keeps a path's text off the left edge of its white box.
constexpr std::int32_t kPathIndent = 3;

}  // namespace

std::array<ControlSpec, 10> MainWindowControls(Program program) {
  const bool unbaler = program == Program::kUnbaler;
  const Row& file = unbaler ? kUpperRow : kLowerRow;
  const Row& dir = unbaler ? kLowerRow : kUpperRow;
  using enum ControlKind;
  return {{
      {.role = Role::kTitle,
       .name = "lblTitle",
       .kind = kLabel,
       .box = {170, 26, 89, 25},
       .text = ProgramTitle(program),
       .font = kTitleFont,
       .text_colour = kWhite,
       .background = kScreenColour,
       .align = Align::kCentre},
      {.role = Role::kClose,
       .name = "imgClose",
       .kind = kPictureButton,
       .box = {384, 28, 24, 23},
       .picture = Picture::kClose,
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .click = Command::kClose,
       .accessible_name = Tr(kCloseName)},
      // The captions sit at the top of their labels, level with the text of the path labels.
      {.role = Role::kFileCaption,
       .name = "Label1",
       .kind = kLabel,
       .box = {16, file.caption, 41, 17},
       .text = Tr(kFileCaption),
       .font = kControlFont,
       .text_colour = kWhite,
       .background = kBlack,
       .align = Align::kLeftTop},
      {.role = Role::kDirCaption,
       .name = "Label2",
       .kind = kLabel,
       .box = {16, dir.caption, 49, 17},
       .text = Tr(kDirCaption),
       .font = kControlFont,
       .text_colour = kWhite,
       .background = kBlack,
       .align = Align::kLeftTop},
      // A click on a path label chooses anew, as its button does.
      {.role = Role::kFileName,
       .name = "lblFileName",
       .kind = kLabel,
       .box = {66, file.path, 249, 21},
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .click = Command::kSelectFile,
       .indent = kPathIndent,
       .accessible_name = Tr(kFileCaption)},
      {.role = Role::kDir,
       .name = "lblDir",
       .kind = kLabel,
       .box = {66, dir.path, 249, 21},
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .click = Command::kSelectDir,
       .indent = kPathIndent,
       .accessible_name = Tr(kDirCaption)},
      {.role = Role::kSelectFile,
       .name = "picSelectFile",
       .kind = kPictureButton,
       .box = {318, file.button, 102, 27},
       .text = Tr(kSelectFileCaption),
       .picture = Picture::kSelectFile,
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .click = Command::kSelectFile},
      {.role = Role::kSelectDir,
       .name = "picSelectDir",
       .kind = kPictureButton,
       .box = {318, dir.button, 102, 27},
       .text = Tr(kSelectDirCaption),
       .picture = Picture::kSelectDir,
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .click = Command::kSelectDir},
      {.role = Role::kMainCommand,
       .name = unbaler ? "picExtract" : "picRepack",
       .kind = kPictureButton,
       .box = {180, 190, 102, 27},
       .text = Tr(unbaler ? kExtractCaption : kPackCaption),
       .picture = unbaler ? Picture::kExtract : Picture::kPack,
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .click = Command::kMainCommand},
      {.role = Role::kFiles,
       .name = "lstFiles",
       .kind = kList,
       .box = {66, 84, 319, kStatusBox.top - 84},
       .font = kControlFont,
       .text_colour = kBlack,
       .background = kWhite,
       .accessible_name = Tr(kFilesName)},
  }};
}

Box ProgressBarBox(const Box& status) {
  const std::int32_t height = std::min(kProgressBarHeight, status.height);
  return {status.left, status.top + status.height - height, status.width, height};
}

Box ProgressDoneBox(const Box& bar, double fraction) {
  fraction = std::clamp(fraction, 0.0, 1.0);
  return {bar.left, bar.top, static_cast<std::int32_t>(bar.width * fraction + 0.5), bar.height};
}

ControlSpec StatusLine() {
  return {Role::kStatus,
          "lblStatus",
          ControlKind::kLabel,
          kStatusBox,
          {},
          Picture::kNone,
          kControlFont,
          kBlack,
          kStripColour,
          Align::kLeftMiddle,
          Command::kOpenFolder,
          kStatusIndent};
}

ControlSpec FilterBox() {
  return {.role = Role::kFilter,
          .name = "txtFilter",
          .kind = ControlKind::kEdit,
          .box = kStatusBox,
          .font = kControlFont,
          .text_colour = kBlack,
          .background = kWhite,
          .indent = kStatusIndent};
}

std::vector<std::string> PictureFiles(const ControlSpec& desc) {
  const std::string name(PictureName(desc.picture));
  if (desc.kind != ControlKind::kPictureButton) return {};
  return {name + "_0", name + "_1", name + "_2", name + "_3"};
}

std::int32_t ScaleToDpi(std::int32_t pixels, std::int32_t dpi) {
  const std::int64_t scaled = static_cast<std::int64_t>(pixels) * dpi;
  // Halves round away from zero, so that a negative offset scales as its positive twin.
  return static_cast<std::int32_t>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi
                                               : -((-scaled + kBaseDpi / 2) / kBaseDpi));
}

Box ScaleBox(const Box& box, std::int32_t dpi) {
  const std::int32_t left = ScaleToDpi(box.left, dpi);
  const std::int32_t top = ScaleToDpi(box.top, dpi);
  return {left, top, ScaleToDpi(box.left + box.width, dpi) - left,
          ScaleToDpi(box.top + box.height, dpi) - top};
}

std::int32_t PictureScale(std::int32_t dpi) { return dpi >= k2xPictureDpi ? 2 : 1; }

}  // namespace shell
