#include "shell/qt/widgets.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
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

// The items of a FileList: the names as the logic gave them, and the sizes shown beside them.
class FileListModel : public QAbstractListModel {
 public:
  static constexpr int kSizeRole = Qt::UserRole;

  using QAbstractListModel::QAbstractListModel;

  void SetItems(std::vector<std::u16string> items) {
    beginResetModel();
    items_ = std::move(items);
    sizes_.clear();
    endResetModel();
  }
  // One for each item; none drops them.
  void SetSizes(std::vector<std::u16string> sizes) {
    sizes_ = std::move(sizes);
    if (!items_.empty()) emit dataChanged(index(0), index(rowCount() - 1), {kSizeRole});
  }
  bool has_sizes() const { return !sizes_.empty(); }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole) return QString::fromStdU16String(items_[row]);
    if (role == kSizeRole && row < sizes_.size()) return QString::fromStdU16String(sizes_[row]);
    return {};
  }

 private:
  std::vector<std::u16string> items_;
  std::vector<std::u16string> sizes_;
};

// Draws a row of lstFiles: its name, its size right-aligned in the last kSizeWidth pixels (when
// the list has sizes), and instead of the style's faint focus mark a solid frame in
// kListFocusColour around the current row.
class FileRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem name = option;
    name.state &= ~QStyle::State_HasFocus;
    const QVariant size = index.data(FileListModel::kSizeRole);
    if (size.isValid()) name.rect.setRight(option.rect.right() - shell::kSizeWidth);
    // The selection fills the whole row, size and all.
    if ((option.state & QStyle::State_Selected) != 0) {
      painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    }
    QStyledItemDelegate::paint(painter, name, index);
    if (size.isValid()) {
      const bool selected = (option.state & QStyle::State_Selected) != 0;
      painter->save();
      painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
      const QRect room(option.rect.right() - shell::kSizeWidth + 1, option.rect.top(),
                       shell::kSizeWidth - 3, option.rect.height());
      painter->drawText(room, Qt::AlignRight | Qt::AlignVCenter, size.toString());
      painter->restore();
    }
    if ((option.state & QStyle::State_HasFocus) != 0) {
      painter->save();
      painter->setPen(Colour(shell::kListFocusColour));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
      painter->restore();
    }
  }
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
  setItemDelegate(new FileRowDelegate(this));
}

void FileList::SetSizes(const std::vector<std::u16string>& sizes) {
  model_->SetSizes(sizes);
  viewport()->update();
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
  if (use_ == Use::kFiles && event->text() == QStringLiteral("/")) {
    emit filterRequested();
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
  const int room = viewport()->width() - (model_->has_sizes() ? shell::kSizeWidth : 0);
  return row.left() + text + 2 * margin > room;
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

namespace {

// A picture button as a screen reader sees it: a push button called by its accessible name (its
// caption), which a press action clicks while it is enabled. Without this it would be a label
// with no text.
class PictureButtonAccessible : public QAccessibleWidget {
 public:
  explicit PictureButtonAccessible(PictureSurface* surface)
      : QAccessibleWidget(surface, QAccessible::Button) {}

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction() && widget()->isEnabled()) {
      emit static_cast<PictureSurface*>(widget())->clicked();
    }
  }
};

QAccessibleInterface* PictureButtonInterface(const QString& class_name, QObject* object) {
  if (class_name != QLatin1String(PictureSurface::staticMetaObject.className())) return nullptr;
  return new PictureButtonAccessible(static_cast<PictureSurface*>(object));
}

}  // namespace

PictureSurface::PictureSurface(std::array<QPixmap, 4> pictures, QWidget* parent)
    : ClickLabel(parent), pictures_(std::move(pictures)) {
  static const bool accessible = (QAccessible::installFactory(&PictureButtonInterface), true);
  (void)accessible;
  // The surface has to see the pointer pass over it without a button held to show hover.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QFont CaptionFont() {
  const auto& style = shell::kCaptionStyle;
  const QString face = QString::fromStdU16String(std::u16string(style.face));
  QFont::insertSubstitution(face, QString::fromStdU16String(std::u16string(style.fallback_face)));
  QFont font(face);
  font.setPixelSize(style.pixels);
  font.setBold(style.bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void PictureSurface::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, pictures_[static_cast<std::size_t>(shown())]);
  if (const QString caption = text(); !caption.isEmpty()) {
    // In device-independent pixels: Qt scales the text with the device pixel ratio, drawn anew
    // at that size.
    const auto& style = shell::kCaptionStyle;
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    const shell::CaptionPlace place = shell::PlaceCaption(
        width(), height(), metrics.horizontalAdvance(caption), metrics.height(), shown());
    const QRect box(place.x, place.y, metrics.horizontalAdvance(caption), metrics.height());
    QColor shadow = Colour(style.shadow);
    shadow.setAlpha(style.shadow_alpha);
    painter.setPen(shadow);
    painter.drawText(box.translated(style.shadow_dx, style.shadow_dy), Qt::AlignCenter, caption);
    painter.setPen(Colour(style.look(shown()).ink));
    painter.drawText(box, Qt::AlignCenter, caption);
  }
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
