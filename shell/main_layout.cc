#include "shell/main_layout.h"

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
      {Role::kTitle,
       "lblTitle",
       kLabel,
       {170, 26, 89, 25},
       ProgramTitle(program),
       Picture::kNone,
       kTitleFont,
       kWhite,
       kScreenColour,
       Align::kCentre},
      {Role::kClose,
       "imgClose",
       kPictureButton,
       {384, 28, 24, 23},
       {},
       Picture::kClose,
       kControlFont,
       kBlack,
       kWhite,
       Align::kLeftMiddle,
       Command::kClose},
      // The captions sit at the top of their labels, level with the text of the path labels.
      {Role::kFileCaption,
       "Label1",
       kLabel,
       {16, file.caption, 41, 17},
       u"PAK file:",
       Picture::kNone,
       kControlFont,
       kWhite,
       kBlack,
       Align::kLeftTop},
      {Role::kDirCaption,
       "Label2",
       kLabel,
       {16, dir.caption, 49, 17},
       u"Directory:",
       Picture::kNone,
       kControlFont,
       kWhite,
       kBlack,
       Align::kLeftTop},
      // A click on a path label chooses anew, as its button does.
      {Role::kFileName,
       "lblFileName",
       kLabel,
       {66, file.path, 249, 21},
       {},
       Picture::kNone,
       kControlFont,
       kBlack,
       kWhite,
       Align::kLeftMiddle,
       Command::kSelectFile,
       kPathIndent},
      {Role::kDir,
       "lblDir",
       kLabel,
       {66, dir.path, 249, 21},
       {},
       Picture::kNone,
       kControlFont,
       kBlack,
       kWhite,
       Align::kLeftMiddle,
       Command::kSelectDir,
       kPathIndent},
      {Role::kSelectFile,
       "picSelectFile",
       kPictureButton,
       {318, file.button, 102, 27},
       {},
       Picture::kSelectFile,
       kControlFont,
       kBlack,
       kWhite,
       Align::kLeftMiddle,
       Command::kSelectFile},
      {Role::kSelectDir,
       "picSelectDir",
       kPictureButton,
       {318, dir.button, 102, 27},
       {},
       Picture::kSelectDir,
       kControlFont,
       kBlack,
       kWhite,
       Align::kLeftMiddle,
       Command::kSelectDir},
      {Role::kMainCommand,
       unbaler ? "picExtract" : "picRepack",
       kPictureButton,
       {180, 190, 102, 27},
       {},
       unbaler ? Picture::kExtract : Picture::kPack,
       kControlFont,
       kBlack,
       kWhite,
       Align::kLeftMiddle,
       Command::kMainCommand},
      {Role::kFiles,
       "lstFiles",
       kList,
       {66, 84, 319, 69},
       {},
       Picture::kNone,
       kControlFont,
       kBlack,
       kWhite},
  }};
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
          kWhite,
          Align::kLeftMiddle,
          Command::kNone,
          kStatusIndent};
}

std::vector<std::string> PictureFiles(const ControlSpec& desc) {
  const std::string name(PictureName(desc.picture));
  if (desc.kind != ControlKind::kPictureButton) return {};
  return {name + "_0", name + "_1", name + "_2", name + "_3"};
}

}  // namespace shell
