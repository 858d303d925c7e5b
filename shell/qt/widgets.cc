#include "shell/qt/widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace shell::qt {

std::int32_t MouseButtonValue(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return shell::kLeftButton;
    case Qt::RightButton:
      return shell::kRightButton;
    case Qt::MiddleButton:
      return shell::kMiddleButton;
    default:
      return 0;
  }
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

void PictureSurface::ShowPicture(std::int32_t picture) {
  if (picture < 0 || picture >= static_cast<std::int32_t>(pictures_.size())) return;
  if (picture == current_) return;
  current_ = picture;
  update();
}

void PictureSurface::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, pictures_[static_cast<std::size_t>(current_)]);
}

void PictureSurface::Pointer(QMouseEvent* event) {
  if (button_ == nullptr) return;
  const QPointF p = event->position();
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      button_->MouseDown(MouseButtonValue(event->button()), static_cast<float>(p.x()),
                         static_cast<float>(p.y()));
      break;
    case QEvent::MouseMove:
      button_->MouseMove(static_cast<float>(p.x()), static_cast<float>(p.y()));
      break;
    case QEvent::MouseButtonRelease:
      button_->MouseUp(MouseButtonValue(event->button()));
      break;
    default:
      break;
  }
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
