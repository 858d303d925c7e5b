#include "repacker/qt/difference_dialog.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <utility>

#include "shell/qt/widgets.h"
#include "shell/translate.h"

namespace repacker::qt {
namespace {

// A text of the dialog in the user's language.
QString Text(std::u16string_view text) {
  return QString::fromStdU16String(std::u16string(shell::Tr(text)));
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

QWidget* MakeControl(QWidget* parent, const DiffControl& desc) {
  switch (desc.kind) {
    case shell::ControlKind::kList:
      // The names stay in the order given; they are only to be read.
      return new shell::qt::FileList(parent, shell::qt::FileList::Use::kNamesOnly);
    case shell::ControlKind::kButton: {
      auto* button = new QPushButton(Text(desc.text), parent);
      button->setAutoDefault(false);
      return button;
    }
    default: {
      auto* label = new QLabel(Text(desc.text), parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
  }
}

}  // namespace

DifferenceDialog::DifferenceDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frmFilesMismatch"));
  setWindowTitle(Text(kDiffTitle));
  // In Qt's own pixels, which it scales for the screen: those of 96 dots per inch.
  const DiffLayout layout = LayOutDiff(96);
  setFixedSize(layout.width, layout.height);
  setSizeGripEnabled(false);

  // Created in tab order, so the focus chain follows it.
  std::vector<std::pair<QWidget*, QString>> captions;
  for (std::size_t i = 0; i < kDiffControls.size(); ++i) {
    const DiffControl& desc = kDiffControls[i];
    QWidget* control = MakeControl(this, desc);
    shell::qt::SetNameAndBox(control, desc.name, layout.boxes[i]);
    if (!desc.text.empty()) captions.emplace_back(control, Text(desc.text));
    if (i == kDiffAdded) lstAdded_ = static_cast<shell::qt::FileList*>(control);
    if (i == kDiffDeleted) lstDeleted_ = static_cast<shell::qt::FileList*>(control);
    if (desc.kind == shell::ControlKind::kButton) {
      connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this, [this, i] {
        if (Click(i)) done(answer() == DiffAnswer::kContinue ? Accepted : Rejected);
      });
    }
  }
  FitFont(this, captions);
}

void DifferenceDialog::RunModal(const std::vector<std::u16string>& added,
                                const std::vector<std::u16string>& deleted) {
  lstAdded_->SetItems(added);
  lstDeleted_->SetItems(deleted);
  // No owner: modal for the whole application. Escape or the title bar's close button end the
  // wait with the answer still cancel.
  setWindowModality(Qt::ApplicationModal);
  exec();
}

repacker::DifferenceDialogFactory QtDifferenceDialogFactory() {
  return [] { return std::make_unique<DifferenceDialog>(); };
}

}  // namespace repacker::qt
