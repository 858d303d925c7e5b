// The small Qt widgets the skinned main window is made of: picture surfaces for the command
// buttons, labels that report clicks, and the list of names that the difference dialog shows
// too.
//
// Every control placed on the skin takes its own presses, so a press on a control never starts
// a drag of the window; only the bare skin does.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/main_layout.h"
#include "shell/picture_button.h"

namespace shell::qt {

// Names a described control (its object name, by which tools and tests find it) and places it at
// `box`, in pixels on its parent.
void SetNameAndBox(QWidget* control, std::string_view name, const shell::Box& box);

// A colour of the descriptions as Qt's.
inline QColor Colour(shell::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// A label that keeps its presses to itself and reports a left click: a left release inside it
// after a press on it. The second click of a double click is none, so a double click runs a
// command once.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent);

 signals:
  void clicked();

 protected:
  // Sees every press, move and release before the label handles it.
  virtual void Pointer(QMouseEvent* event) { (void)event; }
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool double_click_ = false;
};

// The thin bar of running work's progress (shell::ProgressBarBox): its track, and the part done
// filled from the left. It lets the pointer through to what lies below.
class ProgressBar : public QWidget {
 public:
  explicit ProgressBar(QWidget* parent);
  void SetFraction(double fraction);
  double fraction() const { return fraction_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double fraction_ = 0;
};

// A picture button's surface: a ClickLabel that shows one of its four pictures (0 normal,
// 1 hover, 2 pressed, 3 disabled) exactly as drawn, and feeds its pointer events to the
// PictureButton bound to it; the button object sees a release before `clicked` runs the command.
// A disabled surface takes no pointer events. While it has the keyboard focus it shows the
// focus mark over its picture. Its text, if it has one, is the caption, drawn over the picture in
// the skin's style (shell::kCaptionStyle); the pictures may be drawn at a higher device pixel
// ratio. A screen reader sees a push button.
class PictureSurface : public ClickLabel, public shell::StoredPicSurface {
  Q_OBJECT

 public:
  PictureSurface(std::array<QPixmap, 4> pictures, QWidget* parent);
  void SetPictures(std::array<QPixmap, 4> pictures) {
    pictures_ = std::move(pictures);
    update();
  }

  std::int32_t Left() const override { return x(); }
  std::int32_t Top() const override { return y(); }
  std::int32_t Width() const override { return width(); }
  std::int32_t Height() const override { return height(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void Pointer(QMouseEvent* event) override;
  std::int32_t PictureCount() const override { return static_cast<std::int32_t>(pictures_.size()); }
  void Redraw() override { update(); }

 private:
  std::array<QPixmap, 4> pictures_;
};

// The font of picture button captions (shell::kCaptionStyle), in device-independent pixels.
QFont CaptionFont();

class FileListModel;

// lstFiles: a read-only list of names in rows of one height. The names are turned into Qt text
// only for the rows on screen, so a list of tens of thousands of names is replaced in one step. A
// name cut off at the right shows whole as a tooltip; a new list starts at its top. Several rows
// can be selected (Shift, Ctrl); a double click or Enter asks for a row to be opened, a right
// click, the menu key or Shift+F10 for the context menu.
//
// A list of names only to be read (kNamesOnly), as the difference dialog's, selects one row at a
// time and shows no tooltips; it asks for opening and a menu too, but nothing is connected.
class FileList : public QListView {
  Q_OBJECT

 public:
  enum class Use { kFiles, kNamesOnly };
  explicit FileList(QWidget* parent, Use use = Use::kFiles);
  void SetItems(const std::vector<std::u16string>& items);
  // The size each item shows at its right, after SetItems; none while empty.
  void SetSizes(const std::vector<std::u16string>& sizes);
  // Whether the row's text is wider than the room the list gives it.
  bool CutOff(const QModelIndex& index) const;
  // The selected rows, ascending.
  std::vector<std::size_t> SelectedRows() const;
  // What a drag of the selected rows out of the list hands over: the files it asks for when the
  // drag starts, as a list of file addresses; nothing is dragged when it gives none.
  void SetDragOut(std::function<std::vector<std::u16string>()> files);

 signals:
  void openRequested(int row);
  // `global`: where the menu opens, on the screen.
  void menuRequested(const QPoint& global);
  // "/" typed in the list: the filter is wanted.
  void filterRequested();

 protected:
  bool viewportEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void startDrag(Qt::DropActions actions) override;

 private:
  const Use use_;
  FileListModel* model_;
  std::function<std::vector<std::u16string>()> drag_out_;
};

// A Qt press, move or release as the shell's pointer event; nothing for any other event.
std::optional<shell::PointerEvent> ToPointerEvent(const QEvent* event);

// `text` as a tooltip that shows it as it is: Qt would take a tip that looks like markup for
// markup, and a file may well be named "<b>.ogg". Empty for no tip.
QString PlainTip(const QString& text);

}  // namespace shell::qt
