#include "shell/qt/widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <map>
#include <utility>

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

void FillList(QListWidget* list, const std::vector<std::u16string>& items) {
  list->clear();
  for (const std::u16string& item : items) list->addItem(QString::fromStdU16String(item));
}

PictureSurface::PictureSurface(std::array<QPixmap, 3> pictures, QWidget* parent)
    : ClickLabel(parent), pictures_(std::move(pictures)) {
  // The surface has to see the pointer pass over it without a button held to show hover.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureSurface::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, pictures_[static_cast<std::size_t>(shown())]);
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
