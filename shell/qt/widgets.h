// The small Qt widgets the skinned main window is made of: picture surfaces for the command
// buttons and labels that report clicks.
//
// Every control placed on the skin takes its own presses, so a press on a control never starts
// a drag of the window; only the bare skin does.
#pragma once

#include <QAbstractListModel>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/pic_button.h"

namespace shell::qt {

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

// A picture button's surface: a ClickLabel that shows one of its four pictures (0 normal,
// 1 hover, 2 pressed, 3 disabled) exactly as drawn, and feeds its pointer events to the
// ClsPicButton bound to it; the button object sees a release before `clicked` runs the command.
// A disabled surface takes no pointer events. While it has the keyboard focus it shows the
// focus mark over its picture.
class PictureSurface : public ClickLabel, public shell::StoredPicSurface {
  Q_OBJECT

 public:
  PictureSurface(std::array<QPixmap, 4> pictures, QWidget* parent);

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

// Replaces every item of `list` with `items`, in the given order.
void FillList(QListWidget* list, const std::vector<std::u16string>& items);

// The items of a FileList: the names as the logic gave them, turned into Qt text only for the
// rows on screen, so a list of tens of thousands of names is replaced in one step.
class FileListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;
  void SetItems(std::vector<std::u16string> items);
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<std::u16string> items_;
};

// lstFiles: a read-only list of names in rows of one height. A name cut off at the right shows
// whole as a tooltip; a new list starts at its top. Several rows can be selected (Shift, Ctrl);
// a double click or Enter asks for a row to be opened, a right click, the menu key or Shift+F10
// for the context menu.
class FileList : public QListView {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent);
  void SetItems(const std::vector<std::u16string>& items);
  // Whether the row's text is wider than the room the list gives it.
  bool CutOff(const QModelIndex& index) const;
  // The selected rows, ascending.
  std::vector<std::size_t> SelectedRows() const;

 signals:
  void openRequested(int row);
  // `global`: where the menu opens, on the screen.
  void menuRequested(const QPoint& global);

 protected:
  bool viewportEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Below the current row when it is in sight, else at the list's top left.
  QPoint KeyboardMenuPlace() const;

 private:
  FileListModel model_;
};

// `text` as a tooltip that shows it as it is: Qt would take a tip that looks like markup for
// markup, and a file may well be named "<b>.ogg". Empty for no tip.
QString PlainTip(const QString& text);

// A Qt press, move or release as the shell's pointer event; nothing for any other event.
std::optional<shell::PointerEvent> ToPointerEvent(const QEvent* event);

}  // namespace shell::qt
