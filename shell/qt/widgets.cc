#include "shell/qt/widgets.h"

#include <QAbstractListModel>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QUrl>
#include <algorithm>
#include <map>
#include <utility>

#include "shell/keyboard.h"
#include "shell/name_list.h"
#include "shell/path_display.h"

namespace shell::qt {

std::optional<shell::PointerEvent> ToPointerEvent(const QEvent* event) {
  using Kind = shell::PointerEvent::Kind;
  static const std::map<QEvent::Type, Kind> kKinds{{QEvent::MouseButtonPress, Kind::kPress},
                                                   {QEvent::MouseMove, Kind::kMove},
                                                   {QEvent::MouseButtonRelease, Kind::kRelease}};
  static const std::map<Qt::MouseButton, std::int32_t> kButtons{
      {Qt::LeftButton, shell::kLeftButton},
      {Qt::RightButton, shell::kRightButton},
      {Qt::MiddleButton, shell::kMiddleButton}};
  const auto kind = kKinds.find(event->type());
  if (kind == kKinds.end()) return std::nullopt;
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  const auto button = kButtons.find(mouse->button());
  return shell::PointerEvent{kind->second, button == kButtons.end() ? 0 : button->second,
                             static_cast<float>(mouse->position().x()),
                             static_cast<float>(mouse->position().y())};
}

QString PlainTip(const QString& text) {
  if (text.isEmpty()) return {};
  return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ProgressBar::SetFraction(double fraction) {
  if (fraction == fraction_) return;
  fraction_ = fraction;
  update();
}

void ProgressBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const shell::Box bar{0, 0, width(), height()};
  painter.fillRect(rect(), Colour(shell::kProgressTrackColour));
  const shell::Box done = shell::ProgressDoneBox(bar, fraction_);
  painter.fillRect(done.left, done.top, done.width, done.height,
                   Colour(shell::kProgressDoneColour));
}

void SetNameAndBox(QWidget* control, std::string_view name, const shell::Box& box) {
  control->setObjectName(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
  control->setGeometry(box.left, box.top, box.width, box.height);
}

// The items of a FileList: the names as the logic gave them.
class FileListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void SetItems(std::vector<std::u16string> items) {
    beginResetModel();
    items_ = std::move(items);
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    return QString::fromStdU16String(items_[static_cast<std::size_t>(index.row())]);
  }

 private:
  std::vector<std::u16string> items_;
};

namespace {

// Where the keyboard opens a list's context menu (shell::KeyboardMenuPlace), on the screen.
QPoint KeyboardMenuPlace(const QListView* list) {
  std::optional<shell::Box> caret_row;
  if (const QRect row = list->visualRect(list->currentIndex()); row.isValid()) {
    caret_row = shell::Box{row.left(), row.top(), row.width(), row.height()};
  }
  const shell::Point place = shell::KeyboardMenuPlace(caret_row, list->viewport()->height());
  return list->viewport()->mapToGlobal(QPoint(place.x, place.y));
}

}  // namespace

FileList::FileList(QWidget* parent, Use use)
    : QListView(parent), use_(use), model_(new FileListModel(this)) {
  // Every row has the height of the first: the view never measures the other rows.
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(use == Use::kFiles ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::SingleSelection);
  setModel(model_);
}

void FileList::SetDragOut(std::function<std::vector<std::u16string>()> files) {
  drag_out_ = std::move(files);
  setDragEnabled(drag_out_ != nullptr);
  setDragDropMode(drag_out_ != nullptr ? QAbstractItemView::DragOnly
                                       : QAbstractItemView::NoDragDrop);
}

void FileList::startDrag(Qt::DropActions) {
  if (!drag_out_) return;
  const std::vector<std::u16string> files = drag_out_();
  if (files.empty()) return;
  QList<QUrl> urls;
  for (const std::u16string& file : files) {
    urls.push_back(QUrl::fromLocalFile(QString::fromStdU16String(file)));
  }
  auto* mime = new QMimeData;
  mime->setUrls(urls);
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->exec(Qt::CopyAction);
}

std::vector<std::size_t> FileList::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(index.row()));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) emit openRequested(index.row());
}

void FileList::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  // The keypad's Enter comes with the keypad modifier.
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (currentIndex().isValid()) emit openRequested(currentIndex().row());
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    emit menuRequested(KeyboardMenuPlace(this));
    event->accept();
    return;
  }
  QListView::keyPressEvent(event);
}

void FileList::contextMenuEvent(QContextMenuEvent* event) {
  emit menuRequested(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                 : KeyboardMenuPlace(this));
  event->accept();
}

void FileList::SetItems(const std::vector<std::u16string>& items) {
  model_->SetItems(items);
  scrollToTop();
  horizontalScrollBar()->setValue(0);
}

bool FileList::CutOff(const QModelIndex& index) const {
  const QRect row = visualRect(index);
  const int text = fontMetrics().horizontalAdvance(index.data().toString());
  // The item's own margin on each side of the text.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return row.left() + text + 2 * margin > viewport()->width();
}

bool FileList::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip || use_ != Use::kFiles) {
    return QListView::viewportEvent(event);
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  if (index.isValid() && CutOff(index)) {
    QToolTip::showText(help->globalPos(), PlainTip(index.data().toString()), viewport(),
                       visualRect(index));
  } else {
    QToolTip::hideText();
  }
  return true;
}

PictureSurface::PictureSurface(std::array<QPixmap, 4> pictures, QWidget* parent)
    : ClickLabel(parent), pictures_(std::move(pictures)) {
  // The surface has to see the pointer pass over it without a button held to show hover.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureSurface::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, pictures_[static_cast<std::size_t>(shown())]);
  if (!hasFocus()) return;
  painter.setPen(Colour(shell::kFocusMark.colour));
  for (const shell::Pixel& dot : shell::FocusMarkPixels(width(), height())) {
    painter.drawPoint(dot.x, dot.y);
  }
}

void PictureSurface::Pointer(QMouseEvent* event) {
  const std::optional<shell::PointerEvent> pointer = ToPointerEvent(event);
  if (pointer) Forward(*pointer);
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  Pointer(event);
  event->accept();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event) {
  Pointer(event);
  event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  Pointer(event);
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const bool second_of_double = std::exchange(double_click_, false);
  if (!second_of_double && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press of this click has already been delivered; only its click is left out.
  if (event->button() == Qt::LeftButton) double_click_ = true;
  event->accept();
}

}  // namespace shell::qt
