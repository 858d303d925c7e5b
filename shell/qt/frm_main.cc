#include "shell/qt/frm_main.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QRegion>
#include <QScreen>
#include <exception>
#include <string>
#include <system_error>

#include "shell/browse_for_folder.h"
#include "shell/error_text.h"
#include "shell/qt/qt_services.h"
#include "shell/qt/widgets.h"
#include "shell/window_region.h"

namespace shell::qt {
namespace {

constexpr int kWidth = 442;
constexpr int kHeight = 237;
// The tops of the caption, the path label and the button of a path row.
struct Row {
  int caption;
  int path;
  int button;
};
constexpr Row kUpperRow{60, 56, 54};
constexpr Row kLowerRow{164, 162, 160};

QPixmap SkinPicture(const QString& name) { return QPixmap(QStringLiteral(":/skin/") + name); }

std::array<QPixmap, 3> ButtonPictures(const QString& stem) {
  return {SkinPicture(stem + QStringLiteral("_0.bmp")),
          SkinPicture(stem + QStringLiteral("_1.bmp")),
          SkinPicture(stem + QStringLiteral("_2.bmp"))};
}

void SetColours(QWidget* widget, const QColor& text, const QColor& background) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Window, background);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The font the controls were laid out with. Where the system lacks it, faces of the same widths
// come first, so "PAK file:" and "Directory:" still fit their labels; then any sans serif.
QFont ControlFont(int point_size, bool bold) {
  const QString family = QStringLiteral("MS Sans Serif");
  QFont::insertSubstitutions(family, {QStringLiteral("Microsoft Sans Serif"),
                                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  QFont font(family, point_size, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QPoint QtPointer::Position(std::intptr_t hwnd) const {
  const QPoint screen = QCursor::pos();
  if (hwnd == 0) return screen;
  const QWidget* window = QWidget::find(static_cast<WId>(hwnd));
  return window != nullptr ? window->mapFromGlobal(screen) : screen;
}

std::int32_t QtPointer::MouseX(std::intptr_t hwnd) { return Position(hwnd).x(); }
std::int32_t QtPointer::MouseY(std::intptr_t hwnd) { return Position(hwnd).y(); }

FrmMain::FrmMain(Program program, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  const bool unbaler = program == Program::kUnbaler;
  // Unbaler chooses its archive first and has that row on top; Rebaler starts from the folder.
  const Row& file_row = unbaler ? kUpperRow : kLowerRow;
  const Row& dir_row = unbaler ? kLowerRow : kUpperRow;

  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(unbaler ? QStringLiteral("Unbaler") : QStringLiteral("Rebaler"));
  setFixedSize(kWidth, kHeight);
  platform_reports_window_moves_ = QGuiApplication::platformName() == QLatin1String("windows");

  skin_ = QImage(QStringLiteral(":/skin/skin.bmp"));
  picShape_ = new QLabel(this);
  picShape_->setObjectName(QStringLiteral("picShape"));
  picShape_->setGeometry(0, 0, kWidth, kHeight);
  picShape_->setPixmap(QPixmap::fromImage(skin_));
  picShape_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picShape_->installEventFilter(this);

  const auto make_label = [this](const char* name, QRect geometry) {
    auto* label = new ClickLabel(picShape_);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(ControlFont(8, false));
    return label;
  };
  lblTitle_ = make_label("lblTitle", {170, 26, 89, 25});
  lblTitle_->setText(windowTitle());
  lblTitle_->setFont(ControlFont(12, true));
  lblTitle_->setAlignment(Qt::AlignCenter);
  SetColours(lblTitle_, Qt::white, QColor(12, 13, 13));

  imgClose_ = make_label("imgClose", {384, 28, 24, 23});
  imgClose_->setPixmap(SkinPicture(QStringLiteral("close.bmp")));

  Label1_ = make_label("Label1", {16, file_row.caption, 41, 17});
  // The captions sit at the top of their labels, level with the text of the path labels.
  Label1_->setText(QStringLiteral("PAK file:"));
  Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetColours(Label1_, Qt::white, Qt::black);
  Label2_ = make_label("Label2", {16, dir_row.caption, 49, 17});
  Label2_->setText(QStringLiteral("Directory:"));
  Label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetColours(Label2_, Qt::white, Qt::black);

  lblFileName_ = make_label("lblFileName", {66, file_row.path, 249, 21});
  SetColours(lblFileName_, Qt::black, Qt::white);
  lblDir_ = make_label("lblDir", {66, dir_row.path, 249, 21});
  SetColours(lblDir_, Qt::black, Qt::white);

  const auto make_button = [this](const char* name, const QString& stem, QPoint at) {
    auto* surface = new PictureSurface(ButtonPictures(stem), picShape_);
    surface->setObjectName(QLatin1String(name));
    surface->setGeometry(at.x(), at.y(), 102, 27);
    return surface;
  };
  picSelectFile_ =
      make_button("picSelectFile", QStringLiteral("select_file"), {318, file_row.button});
  picSelectDir_ = make_button("picSelectDir", QStringLiteral("select_dir"), {318, dir_row.button});
  picMain_ = unbaler ? make_button("picExtract", QStringLiteral("extract"), {180, 190})
                     : make_button("picRepack", QStringLiteral("pack"), {180, 190});

  lstFiles_ = new QListWidget(picShape_);
  lstFiles_->setObjectName(QStringLiteral("lstFiles"));
  lstFiles_->setGeometry(66, 84, 319, 69);
  lstFiles_->setFont(ControlFont(8, false));

  connect(imgClose_, &ClickLabel::clicked, this, &FrmMain::imgCloseClick);
  connect(picSelectFile_, &PictureSurface::clicked, this,
          [this] { RunCommand(&shell::MainCommands::OnSelectFile); });
  connect(lblFileName_, &ClickLabel::clicked, this,
          [this] { RunCommand(&shell::MainCommands::OnSelectFile); });
  connect(picSelectDir_, &PictureSurface::clicked, this,
          [this] { RunCommand(&shell::MainCommands::OnSelectDir); });
  connect(lblDir_, &ClickLabel::clicked, this,
          [this] { RunCommand(&shell::MainCommands::OnSelectDir); });
  connect(picMain_, &PictureSurface::clicked, this,
          [this] { RunCommand(&shell::MainCommands::OnMainCommand); });

  fade_timer_ = new QTimer(this);
  fade_timer_->setObjectName(QStringLiteral("Timer1"));
  fade_timer_->setInterval(10);
  connect(fade_timer_, &QTimer::timeout, this, &FrmMain::FadeTick);
  hover_timer_ = new QTimer(this);
  hover_timer_->setObjectName(QStringLiteral("Timer2"));
  hover_timer_->setInterval(10);
  connect(hover_timer_, &QTimer::timeout, this, &FrmMain::HoverTick);
  hover_timer_->start();
}

FrmMain::~FrmMain() = default;

void FrmMain::Load(shell::MainCommands* commands) {
  commands_ = commands;

  buttons_.clear();
  for (PictureSurface* surface : {picSelectFile_, picSelectDir_, picMain_}) {
    auto button = std::make_unique<shell::ClsPicButton>();
    button->SetPictures(surface, 0, 1, 2);
    buttons_.push_back(std::move(button));
  }

  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen != nullptr ? screen->geometry() : QRect(0, 0, kWidth, kHeight);
  const shell::TwipPoint centred =
      shell::CentredOnScreen(static_cast<float>(desktop.width()) * shell::kTwipsPerPixel,
                             static_cast<float>(desktop.height()) * shell::kTwipsPerPixel,
                             static_cast<float>(width()) * shell::kTwipsPerPixel,
                             static_cast<float>(height()) * shell::kTwipsPerPixel);
  place_ = {centred.left + static_cast<float>(desktop.x()) * shell::kTwipsPerPixel,
            centred.top + static_cast<float>(desktop.y()) * shell::kTwipsPerPixel};
  move(shell::TwipsToPixels(place_.left), shell::TwipsToPixels(place_.top));

  ShapeWindowFromPicture(skin_);

  setWindowOpacity(0.0);
  fade_.Begin();
  show();
  fade_timer_->start();

  if (commands_ != nullptr) RunCommand(&shell::MainCommands::OnLoaded);
}

void FrmMain::ShapeWindowFromPicture(const QImage& skin) {
  // The pixels come from the picture, not the screen: the window is not visible yet.
  const QImage pixels = skin.convertToFormat(QImage::Format_RGB32);
  const std::vector<shell::RegionRun> runs =
      shell::WindowRegionRuns(reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                              pixels.width(), pixels.height(), pixels.bytesPerLine() / 4);
  if (runs.empty()) {
    // Nothing differs from the key: the window keeps its whole rectangle.
    clearMask();
    return;
  }
  std::vector<QRect> rects;
  for (const shell::RegionRect& r : shell::MergeRegionRuns(runs)) {
    rects.emplace_back(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
  }
  QRegion region;
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  setMask(region);
}

void FrmMain::FadeTick() {
  const shell::Fade::TickResult tick = fade_.Tick();
  setWindowOpacity(tick.alpha / 255.0);
  if (tick.stop_timer) fade_timer_->stop();
  if (tick.unload) {
    hover_timer_->stop();
    close();
    emit unloaded();
  }
}

void FrmMain::HoverTick() {
  // Before start-up there is nothing to track, and no reason to create the native window yet.
  if (buttons_.empty()) return;
  shell::TrackButtonHover(buttons_, *pointer_, WindowHandle());
}

void FrmMain::imgCloseClick() {
  fade_.Close();
  fade_timer_->start();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != picShape_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      picShapeMouseDown(static_cast<QMouseEvent*>(event)->position());
      return true;
    case QEvent::MouseButtonDblClick:  // its press came before it
      return true;
    case QEvent::MouseMove:
      picShapeMouseMove(static_cast<QMouseEvent*>(event)->position());
      return true;
    case QEvent::MouseButtonRelease:
      drag_.Release();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void FrmMain::picShapeMouseDown(QPointF position) {
  // Keep the twips in step with a window that was moved by other means meanwhile.
  if (QPoint(shell::TwipsToPixels(place_.left), shell::TwipsToPixels(place_.top)) != pos()) {
    place_ = {static_cast<float>(x()) * shell::kTwipsPerPixel,
              static_cast<float>(y()) * shell::kTwipsPerPixel};
  }
  drag_.Press(static_cast<float>(position.x()), static_cast<float>(position.y()));
}

void FrmMain::picShapeMouseMove(QPointF position) {
  const std::optional<shell::TwipPoint> moved =
      drag_.Move(static_cast<float>(position.x()), static_cast<float>(position.y()), place_);
  if (!moved) return;
  place_ = *moved;
  const QPoint target(shell::TwipsToPixels(place_.left), shell::TwipsToPixels(place_.top));
  if (target == pos()) return;
  move(target);
  // Windows reports a pointer move whenever the window moves under a still pointer, and the
  // window keeps gliding after the pointer by those moves. X11 reports none, so the same move
  // is delivered here, once the event loop has had its turn.
  if (!platform_reports_window_moves_) {
    QTimer::singleShot(0, this, &FrmMain::RepeatDragMove);
  }
}

void FrmMain::RepeatDragMove() {
  if (!drag_.dragging() || QGuiApplication::mouseButtons() == Qt::NoButton) return;
  picShapeMouseMove(QPointF(QCursor::pos() - pos()));
}

void FrmMain::RunCommand(void (shell::MainCommands::*command)()) {
  if (commands_ == nullptr) return;
  std::u16string text;
  try {
    (commands_->*command)();
    return;
  } catch (const shell::BrowseError& e) {
    text = shell::ErrorText(e.number(), e.description());
  } catch (const std::system_error& e) {
    text = shell::ErrorText(e.code().value(), QString::fromUtf8(e.what()).toStdU16String());
  } catch (const std::exception& e) {
    text = shell::ErrorText(0, QString::fromUtf8(e.what()).toStdU16String());
  }
  QtMessageBox(this).Show(text, windowTitle().toStdU16String());
}

void FrmMain::SetFileCaption(const std::u16string& caption) {
  lblFileName_->setText(QString::fromStdU16String(caption));
}

void FrmMain::SetDirCaption(const std::u16string& caption) {
  lblDir_->setText(QString::fromStdU16String(caption));
}

void FrmMain::SetListItems(const std::vector<std::u16string>& items) {
  lstFiles_->clear();
  for (const std::u16string& item : items) lstFiles_->addItem(QString::fromStdU16String(item));
}

void FrmMain::SetMainCommandEnabled(bool enabled) {
  picMain_->setEnabled(enabled);
  // A disabled command shows its normal picture; it gets no pointer events to change it.
  if (!enabled && buttons_.size() == 3) buttons_[2]->MouseExit();
}

void FrmMain::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

std::intptr_t FrmMain::WindowHandle() const { return static_cast<std::intptr_t>(winId()); }

}  // namespace shell::qt
