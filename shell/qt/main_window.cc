#include "shell/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegion>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#include "shell/qt/qt_services.h"
#include "shell/qt/widgets.h"
#include "shell/text_fit.h"
#include "shell/translate.h"
#include "shell/window_region.h"

namespace shell::qt {
namespace {

// The picture `name` for a screen of device pixel ratio `ratio`. Above 1 the 2x picture: as it
// is at 2, scaled to the ratio otherwise. At 1.25 or 1.5 the 2x picture scaled down keeps its
// edges and text sharper than the 1x one scaled up, which blurs every edge it has.
QPixmap SkinPicture(const std::string& name, qreal ratio) {
  const QString file = QString::fromStdString(name);
  if (ratio <= 1.0) return QPixmap(QStringLiteral(":/skin/%1.bmp").arg(file));
  QPixmap picture(QStringLiteral(":/skin/%1@2x.bmp").arg(file));
  if (ratio != 2.0) {
    const QSize size = (QSizeF(picture.size()) * (ratio / 2.0)).toSize();
    picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  picture.setDevicePixelRatio(ratio);
  return picture;
}

// The face the controls were laid out with. Where the system lacks it, faces of the same widths
// come first, so "PAK file:" and "Directory:" still fit their labels; then any sans serif.
QFont ControlFont(const shell::Font& desc) {
  const QString family = QString::fromStdU16String(std::u16string(shell::kFontFace));
  QFont::insertSubstitutions(family, {QStringLiteral("Microsoft Sans Serif"),
                                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  QFont font(family, desc.points, desc.bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

Qt::Alignment Alignment(shell::Align align) {
  const Qt::Alignment kAlignments[] = {Qt::AlignLeft | Qt::AlignTop,
                                       Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter};
  return kAlignments[static_cast<int>(align)];
}

// A label's one line of plain text, where the description puts it in its box, in its colours
// on its filled background.
void DressLabel(QLabel* label, const shell::ControlSpec& desc) {
  label->setTextFormat(Qt::PlainText);
  label->setText(QString::fromStdU16String(std::u16string(desc.text)));
  label->setAlignment(Alignment(desc.align));
  if (desc.indent > 0) label->setIndent(desc.indent);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Colour(desc.text_colour));
  palette.setColor(QPalette::Window, Colour(desc.background));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
}

// A caption's text fitted to its box (shell::FitText), measured in the label's own face.
void FitLabel(QLabel* label, const shell::ControlSpec& desc) {
  const QString whole = QString::fromStdU16String(std::u16string(desc.text));
  const shell::FittedText fitted =
      shell::FitText(desc.text, desc.box.width - desc.indent, desc.font.points,
                     [font = label->font()](std::u16string_view text, std::int32_t points) mutable {
                       font.setPointSize(points);
                       return QFontMetrics(font).horizontalAdvance(
                           QString::fromStdU16String(std::u16string(text)));
                     });
  QFont font = label->font();
  font.setPointSize(fitted.points);
  label->setFont(font);
  label->setText(QString::fromStdU16String(fitted.shown));
  if (!fitted.tooltip.empty()) label->setToolTip(PlainTip(whole));
}

// A picture button's caption fitted to its button (shell::FitCaption), measured in the caption's
// face; the surface is called by the whole caption whatever it shows.
void FitSurfaceCaption(PictureSurface* surface, const shell::ControlSpec& desc) {
  const shell::FittedText fitted = shell::FitCaption(
      desc.text, desc.box.width,
      [font = CaptionFont()](std::u16string_view text, std::int32_t pixels) mutable {
        font.setPixelSize(pixels);
        return QFontMetrics(font).horizontalAdvance(
            QString::fromStdU16String(std::u16string(text)));
      });
  QFont font = CaptionFont();
  font.setPixelSize(fitted.points);
  surface->setFont(font);
  surface->setText(QString::fromStdU16String(fitted.shown));
  if (!fitted.tooltip.empty()) {
    surface->setToolTip(PlainTip(QString::fromStdU16String(fitted.tooltip)));
  }
}

// Shows lstFiles' context menu at `global` and runs the command chosen from it.
void ShowListMenu(QWidget* window, shell::MainController& controller, const QPoint& global) {
  const std::vector<shell::ListMenuItem> items = controller.ListMenu();
  if (items.empty()) return;
  QMenu menu(window);
  menu.setObjectName(QStringLiteral("mnuFiles"));
  for (const shell::ListMenuItem& item : items) {
    QAction* action = menu.addAction(QString::fromStdU16String(std::u16string(item.text)));
    action->setEnabled(item.enabled);
    if (item.checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    action->setData(static_cast<int>(item.command));
  }
  if (const QAction* chosen = menu.exec(global)) {
    controller.RunListCommand(static_cast<shell::ListCommand>(chosen->data().toInt()));
  }
}

// The pointer on the screen, or in client coordinates of the Qt window `hwnd`.
QPoint PointerPosition(std::intptr_t hwnd) {
  const QPoint screen = QCursor::pos();
  if (hwnd == 0) return screen;
  const QWidget* window = QWidget::find(static_cast<WId>(hwnd));
  return window != nullptr ? window->mapFromGlobal(screen) : screen;
}

// The local paths a drag carries; none when it carries anything else (text, a web address).
std::vector<std::u16string> DraggedPaths(const QMimeData* data) {
  std::vector<std::u16string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(QDir::toNativeSeparators(url.toLocalFile()).toStdU16String());
  }
  return paths;
}

}  // namespace

MainWindow::MainWindow(shell::Program program, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      controller_(program, *this, *this),
      fade_timer_(this),
      hover_timer_(this) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromStdU16String(controller_.title()));
  setFixedSize(shell::kMainWidth, shell::kMainHeight);
  setAcceptDrops(true);
  platform_reports_window_moves_ = QGuiApplication::platformName() == QLatin1String("windows");

  picShape_ = new QLabel(this);
  SetNameAndBox(picShape_, "picShape", {0, 0, shell::kMainWidth, shell::kMainHeight});
  picShape_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picShape_->setAccessibleName(windowTitle());  // the skin, which holds every control
  picShape_->installEventFilter(this);
  for (const shell::ControlSpec& desc : shell::MainWindowControls(program)) {
    controls_[desc.role] = CreateControl(desc);
  }
  for (const shell::ControlSpec& desc : {shell::StatusLine(), shell::FilterBox()}) {
    controls_[desc.role] = CreateControl(desc);
  }
  // The buttons take the focus from Tab only, the list from a click too; a click elsewhere leaves
  // the focus where it is. The window itself holds the focus until the first Tab, so no button
  // shows the mark before the keyboard is used.
  for (shell::Role role : shell::FocusOrder(program)) {
    if (role != shell::Role::kFiles) Control(role)->setFocusPolicy(Qt::TabFocus);
  }
  setFocus();

  UsePicturesFor(devicePixelRatioF());
  // Moved to a screen of another density: the pictures for that one.
  winId();
  connect(windowHandle(), &QWindow::screenChanged, this,
          [this] { UsePicturesFor(devicePixelRatioF()); });

  auto* find = new QShortcut(QKeySequence::Find, this);
  find->setContext(Qt::WindowShortcut);
  connect(find, &QShortcut::activated, this, [this] { OpenFilter(); });

  progress_ = new ProgressBar(Control(shell::Role::kStatus));
  progress_->setObjectName(QStringLiteral("barProgress"));
  progress_->hide();

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    // Escape clears an open filter first; otherwise it stops the work.
    if (Control(shell::Role::kFilter)->isVisible()) {
      CloseFilter();
    } else {
      controller_.Escape();
    }
  });

  fade_timer_.setObjectName(QStringLiteral("fadeTimer"));
  fade_timer_.setInterval(10);
  connect(&fade_timer_, &QTimer::timeout, this, [this] { controller_.FadeTick(); });
  hover_timer_.setObjectName(QStringLiteral("hoverTimer"));
  hover_timer_.setInterval(10);
  connect(&hover_timer_, &QTimer::timeout, this, [this] { controller_.HoverTick(); });
  hover_timer_.start();
}

void MainWindow::UsePicturesFor(qreal ratio) {
  if (ratio == ratio_ && !skin_.isNull()) return;
  ratio_ = ratio;
  // The window is cut out from the skin at the pictures' scale, 1x or 2x: the 2x outline is the
  // 1x one with each pixel doubled, so it is the same region in device-independent pixels.
  skin_ = QImage(ratio > 1.0 ? QStringLiteral(":/skin/skin@2x.bmp")
                             : QStringLiteral(":/skin/skin.bmp"));
  picShape_->setPixmap(SkinPicture(std::string(shell::PictureName(shell::Picture::kSkin)), ratio));
  for (const shell::ControlSpec& desc : shell::MainWindowControls(controller_.program())) {
    const std::vector<std::string> files = shell::PictureFiles(desc);
    if (files.empty()) continue;
    static_cast<PictureSurface*>(Control(desc.role))
        ->SetPictures({SkinPicture(files[0], ratio), SkinPicture(files[1], ratio),
                       SkinPicture(files[2], ratio), SkinPicture(files[3], ratio)});
  }
  if (!mask().isEmpty()) ShapeFromSkin();
}

QWidget* MainWindow::CreateControl(const shell::ControlSpec& desc) {
  QWidget* control = nullptr;
  if (desc.kind == shell::ControlKind::kList) {
    // lstFiles: opening an item and its context menu go to the controller.
    auto* list = new FileList(picShape_);
    connect(list, &FileList::openRequested, this,
            [this](int row) { controller_.OpenListItem(static_cast<std::size_t>(row)); });
    connect(list, &FileList::menuRequested, this,
            [this](const QPoint& global) { ShowListMenu(this, controller_, global); });
    connect(list, &FileList::filterRequested, this, [this] { OpenFilter(); });
    if (controller_.program() == shell::Program::kUnbaler) {
      list->SetDragOut([this] { return controller_.DragOutItems(); });
    }
    control = list;
  } else if (desc.kind == shell::ControlKind::kEdit) {
    // txtFilter: each change of its text filters the list.
    auto* edit = new QLineEdit(picShape_);
    edit->setFrame(false);
    edit->setTextMargins(desc.indent, 0, 0, 0);
    edit->setPlaceholderText(
        QString::fromStdU16String(std::u16string(shell::Tr(shell::kFilterCue))));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, Colour(desc.text_colour));
    palette.setColor(QPalette::Base, Colour(desc.background));
    edit->setPalette(palette);
    edit->installEventFilter(this);  // Escape and Enter
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { controller_.Filter(text.toStdU16String()); });
    edit->hide();
    control = edit;
  } else if (desc.role == shell::Role::kStatus) {
    // The strip keeps its presses (they never drag the window); a click opens the folder it
    // offers, if any. It takes the focus only while it offers one.
    auto* label = new ClickLabel(picShape_);
    DressLabel(label, desc);
    label->installEventFilter(this);  // Enter and Space
    connect(label, &ClickLabel::clicked, this,
            [this, command = desc.click] { controller_.Click(command); });
    control = label;
  } else {
    // The labels and the picture buttons send their clicks to the controller.
    ClickLabel* label = nullptr;
    if (desc.kind == shell::ControlKind::kPictureButton) {
      const std::vector<std::string> files = shell::PictureFiles(desc);
      auto* surface =
          new PictureSurface({SkinPicture(files[0], ratio_), SkinPicture(files[1], ratio_),
                              SkinPicture(files[2], ratio_), SkinPicture(files[3], ratio_)},
                             picShape_);
      surface->setText(QString::fromStdU16String(std::u16string(desc.text)));
      label = surface;
      label->installEventFilter(this);  // Enter and Space
    } else {
      label = new ClickLabel(picShape_);
      DressLabel(label, desc);
    }
    connect(label, &ClickLabel::clicked, this,
            [this, command = desc.click] { controller_.Click(command); });
    control = label;
  }
  SetNameAndBox(control, desc.name, desc.box);
  control->setAccessibleName(
      QString::fromStdU16String(std::u16string(shell::AccessibleName(desc))));
  control->setFont(desc.kind == shell::ControlKind::kPictureButton ? CaptionFont()
                                                                   : ControlFont(desc.font));
  if (desc.kind == shell::ControlKind::kLabel && !desc.text.empty()) {
    FitLabel(static_cast<QLabel*>(control), desc);
  } else if (desc.kind == shell::ControlKind::kPictureButton && !desc.text.empty()) {
    FitSurfaceCaption(static_cast<PictureSurface*>(control), desc);
  }
  return control;
}

shell::Box MainWindow::Screen() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop =
      screen != nullptr ? screen->geometry() : QRect(0, 0, shell::kMainWidth, shell::kMainHeight);
  return {desktop.x(), desktop.y(), desktop.width(), desktop.height()};
}

void MainWindow::ShapeFromSkin() {
  const QImage pixels = skin_.convertToFormat(QImage::Format_RGB32);
  const std::vector<shell::RegionRun> runs =
      shell::WindowRegionRuns(reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                              pixels.width(), pixels.height(), pixels.bytesPerLine() / 4);
  if (runs.empty()) {
    // Nothing differs from the key: the window keeps its whole rectangle.
    clearMask();
    return;
  }
  // The mask is in device-independent pixels: a 2x skin's runs are halved.
  const int scale = std::max(1, pixels.width() / shell::kMainWidth);
  std::vector<QRect> rects;
  for (const shell::RegionRect& r : shell::MergeRegionRuns(runs)) {
    rects.emplace_back(r.x0 / scale, r.y0 / scale, (r.x1 - r.x0) / scale, (r.y1 - r.y0) / scale);
  }
  QRegion region;
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  setMask(region);
}

void MainWindow::ShowTransparent() {
  setWindowOpacity(0.0);
  show();
}

void MainWindow::SetFadeTimer(bool running) {
  if (running) {
    fade_timer_.start();
  } else {
    fade_timer_.stop();
  }
}

void MainWindow::Unload() {
  hover_timer_.stop();
  unloading_ = true;
  close();
  emit unloaded();
}

void MainWindow::ShowMessage(const std::u16string& text, const std::u16string& title) {
  QtMessageBox(this).Show(text, title);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == Control(shell::Role::kFilter)) {
    // In the filter, Escape clears it and Enter goes back to the list, which shows what it holds.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
      CloseFilter();
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Control(shell::Role::kFiles)->setFocus(Qt::ShortcutFocusReason);
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress) {
    // Enter and Space on a picture button or the status strip.
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter && key->key() != Qt::Key_Space) return false;
    return KeyPress(enter ? shell::Key::kEnter : shell::Key::kSpace, key->isAutoRepeat());
  }
  if (watched != picShape_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonDblClick) return true;  // its press came before it
  const std::optional<shell::PointerEvent> pointer = ToPointerEvent(event);
  if (!pointer) return QWidget::eventFilter(watched, event);
  SkinPointer(*pointer);
  return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
  // Work may have started or ended since the drag came in. Entries dragged out of the list are
  // not dropped back on it: they are copies of what it shows.
  if (event->source() == nullptr && controller_.AcceptsDrop(DraggedPaths(event->mimeData()))) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::vector<std::u16string> paths = DraggedPaths(event->mimeData());
  if (event->source() != nullptr || !controller_.AcceptsDrop(paths)) return;
  event->acceptProposedAction();
  // Once the drop has ended: a box the choice may show must not hold the file manager's drag.
  QTimer::singleShot(0, this, [this, paths] { controller_.Drop(paths); });
}

bool MainWindow::KeyPress(shell::Key key, bool repeat) {
  std::optional<shell::Role> focused;
  for (shell::Role role : shell::FocusOrder(controller_.program())) {
    if (Control(role) == focusWidget()) focused = role;
  }
  const shell::KeyOutcome outcome = controller_.KeyPress(
      key, focused,
      [this](shell::Role role) {
        if (role == shell::Role::kStatus) return status_offers_folder_;
        return Control(role)->isEnabled();
      },
      repeat);
  if (outcome.focus) Control(*outcome.focus)->setFocus(Qt::TabFocusReason);
  return outcome.used;
}

bool MainWindow::focusNextPrevChild(bool next) {
  KeyPress(next ? shell::Key::kTab : shell::Key::kBackTab);
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (unloading_) return QWidget::closeEvent(event);
  event->ignore();
  controller_.Click(shell::Command::kClose);
}

void MainWindow::SkinPointer(const shell::PointerEvent& pointer) {
  // Windows reports a pointer move whenever the window moves under a still pointer, and the
  // window keeps gliding after the pointer by those moves. X11 reports none, so the same move
  // is delivered here, once the event loop has had its turn.
  if (!controller_.SkinPointer(pointer) || platform_reports_window_moves_) return;
  QTimer::singleShot(0, this, [this] {
    if (!controller_.dragging() || QGuiApplication::mouseButtons() == Qt::NoButton) return;
    const QPoint at = QCursor::pos() - pos();
    SkinPointer({shell::PointerEvent::Kind::kMove, 0, static_cast<float>(at.x()),
                 static_cast<float>(at.y())});
  });
}

std::int32_t MainWindow::MouseX(std::intptr_t hwnd) { return PointerPosition(hwnd).x(); }

std::int32_t MainWindow::MouseY(std::intptr_t hwnd) { return PointerPosition(hwnd).y(); }

void MainWindow::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::SetProgress(std::optional<double> fraction) {
  if (!fraction) {
    progress_->hide();
    return;
  }
  // Placed on each showing: the status line may have moved or changed its size meanwhile.
  const QWidget* status = Control(shell::Role::kStatus);
  const shell::Box box = shell::ProgressBarBox({0, 0, status->width(), status->height()});
  progress_->setGeometry(box.left, box.top, box.width, box.height);
  progress_->SetFraction(*fraction);
  progress_->show();
}

void MainWindow::SetStatus(const std::u16string& text) {
  status_ = text;
  DressStatus();
}

void MainWindow::SetStatusOffersFolder(bool offers) {
  status_offers_folder_ = offers;
  DressStatus();
}

void MainWindow::DressStatus() {
  // A long path is cut in the middle to fit; the whole line stays in the tooltip.
  auto* status = static_cast<QLabel*>(Control(shell::Role::kStatus));
  status->setText(status->fontMetrics().elidedText(
      QString::fromStdU16String(status_), Qt::ElideMiddle, status->width() - 2 * status->indent()));
  status->setAccessibleName(QString::fromStdU16String(status_));  // the whole line
  const shell::ControlSpec desc = shell::StatusLine();
  QPalette palette = status->palette();
  palette.setColor(QPalette::WindowText,
                   Colour(status_offers_folder_ ? shell::kLinkColour : desc.text_colour));
  status->setPalette(palette);
  QFont font = status->font();
  font.setUnderline(status_offers_folder_);
  status->setFont(font);
  status->setCursor(status_offers_folder_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
  SetControlTip(shell::Role::kStatus,
                status_offers_folder_
                    ? std::u16string(shell::Tr(shell::kOpenFolderTip)) + u"\n" + status_
                    : status_);
  if (!status_offers_folder_ && status->hasFocus()) Control(shell::Role::kFiles)->setFocus();
}

void MainWindow::OpenFilter() {
  auto* filter = static_cast<QLineEdit*>(Control(shell::Role::kFilter));
  filter->show();
  filter->raise();
  filter->setFocus(Qt::ShortcutFocusReason);
  filter->selectAll();
}

void MainWindow::CloseFilter() {
  auto* filter = static_cast<QLineEdit*>(Control(shell::Role::kFilter));
  filter->clear();  // the list shows every item again
  filter->hide();
  Control(shell::Role::kFiles)->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace shell::qt
