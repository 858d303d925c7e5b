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

enum class ControlKind { kLabel, kPictureButton, kList, kButton };

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

// Any control a click on which the controller dispatches.
enum class Command { kNone, kClose, kSelectFile, kSelectDir, kMainCommand };

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
};

inline constexpr std::int32_t kMainWidth = 442;
inline constexpr std::int32_t kMainHeight = 237;
// The status line, over the bottom row of lstFiles (clear of its scroll bar), in pixels on the
// skin; shown only while it has something to say.
inline constexpr Box kStatusBox{67, 137, 300, 15};
// Pixels between the left edge of the status line and its text.
inline constexpr std::int32_t kStatusIndent = 3;
// The skin's screen area, behind the title.
inline constexpr Rgb kScreenColour{12, 13, 13};

// The captions of the two path rows.
inline constexpr char16_t kFileCaptionText[] = u"PAK file:";
inline constexpr char16_t kDirCaptionText[] = u"Directory:";

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

// lblStatus: the status line at kStatusBox, black on white in the controls' font, its text
// kStatusIndent pixels in. Created after MainWindowControls, so that it lies above lstFiles;
// shown only while it has something to say. A press on it reaches the skin below.
ControlSpec StatusLine();

}  // namespace shell
