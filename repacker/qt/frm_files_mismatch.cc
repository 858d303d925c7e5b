#include "repacker/qt/frm_files_mismatch.h"

#include <QFontMetrics>
#include <QString>
#include <QStyle>
#include <utility>

namespace repacker::qt {
namespace {

// The form was laid out in twips; at 96 dots per inch a pixel is 15 twips.
int Px(int twips) { return (twips + 7) / 15; }

void Place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

// The room a control leaves for its one line of text.
int TextRoom(const QWidget* control) {
  if (qobject_cast<const QPushButton*>(control) == nullptr) return control->width();
  const QStyle* style = control->style();
  return control->width() -
         2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control) +
              style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control));
}

// The form was drawn for a small system font. With a wider one its captions would lose their
// ends, so the whole dialog takes one smaller size at which every caption fits.
void FitFont(QWidget* dialog, const std::vector<std::pair<QWidget*, QString>>& captions) {
  QFont font = dialog->font();
  const auto fits = [&](const QFont& candidate) {
    const QFontMetrics metrics(candidate);
    for (const auto& [control, text] : captions) {
      if (metrics.horizontalAdvance(text) > TextRoom(control)) return false;
    }
    return true;
  };
  if (font.pointSizeF() <= 0) return;  // a pixel-sized font: leave it as the platform set it
  while (!fits(font) && font.pointSizeF() > 6.0) font.setPointSizeF(font.pointSizeF() - 0.5);
  dialog->setFont(font);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QListWidget* MakeList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setSortingEnabled(false);
  return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

void Fill(QListWidget* list, const std::vector<std::u16string>& names) {
  list->clear();
  for (const std::u16string& name : names) list->addItem(QString::fromStdU16String(name));
}

}  // namespace

FrmFilesMismatch::FrmFilesMismatch(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frmFilesMismatch"));
  setWindowTitle(QStringLiteral("Files List Diff"));
  setFixedSize(Px(7620), Px(4095));
  setSizeGripEnabled(false);

  // Created in tab order, so the focus chain follows it.
  Label1_ = MakeLabel(this, "Label1",
                      QStringLiteral("There is a difference between the names of the files that "
                                     "were extracted to the files that you wat to repack. "));
  Place(Label1_, 60, 30, 7545, 285);
  Label2_ = MakeLabel(this, "Label2", QStringLiteral("The list of files that were added:"));
  Place(Label2_, 60, 390, 2325, 255);
  lstAdded_ = MakeList(this, "lstAdded");
  Place(lstAdded_, 60, 690, 6315, 1230);
  Label3_ = MakeLabel(this, "Label3", QStringLiteral("The list of files that were deleted:"));
  Place(Label3_, 60, 1980, 2325, 255);
  lstDeleted_ = MakeList(this, "lstDeleted");
  Place(lstDeleted_, 60, 2280, 6315, 1230);
  cmdOK_ = MakeButton(this, "cmdOK", QStringLiteral("Continue with Packing"));
  Place(cmdOK_, 1969, 3630, 1815, 375);
  Command1_ = MakeButton(this, "Command1", QStringLiteral("Cancel the Packing"));
  Place(Command1_, 3836, 3630, 1815, 375);

  FitFont(this, {{Label1_, Label1_->text()},
                 {Label2_, Label2_->text()},
                 {Label3_, Label3_->text()},
                 {cmdOK_, cmdOK_->text()},
                 {Command1_, Command1_->text()}});
  setTabOrder(lstAdded_, lstDeleted_);
  setTabOrder(lstDeleted_, cmdOK_);
  setTabOrder(cmdOK_, Command1_);

  connect(cmdOK_, &QPushButton::clicked, this, &FrmFilesMismatch::cmdOKClick);
  connect(Command1_, &QPushButton::clicked, this, &FrmFilesMismatch::Command1Click);
}

std::int32_t FrmFilesMismatch::ShowDiff(const std::vector<std::u16string>& added,
                                        const std::vector<std::u16string>& deleted) {
  result_ = 0;
  Fill(lstAdded_, added);
  Fill(lstDeleted_, deleted);
  // No owner: modal for the whole application. Escape or the title bar's close button end the
  // wait with lResult still 0.
  setWindowModality(Qt::ApplicationModal);
  exec();
  return result_;
}

void FrmFilesMismatch::cmdOKClick() {
  result_ = 1;
  accept();
}

void FrmFilesMismatch::Command1Click() {
  result_ = 0;
  reject();
}

repacker::FilesMismatchDialogFactory QtFilesMismatchDialogFactory() {
  return [] { return std::make_unique<FrmFilesMismatch>(); };
}

}  // namespace repacker::qt
