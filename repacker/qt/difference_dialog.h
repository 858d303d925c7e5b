// frmFilesMismatch on Qt, built from repacker::kDiffControls: a fixed-size dialog whose controls
// carry their names as object names. Return alone answers nothing; Escape and the title bar's
// close button cancel.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "repacker/difference_dialog.h"
#include "shell/qt/widgets.h"

namespace repacker::qt {

class DifferenceDialog : public QDialog, public repacker::ModalDiffDialog {
  Q_OBJECT

 public:
  explicit DifferenceDialog(QWidget* parent = nullptr);

 private:
  // Fills both lists unsorted and shows the dialog application-modal.
  void RunModal(const std::vector<std::u16string>& added,
                const std::vector<std::u16string>& deleted) override;

  shell::qt::FileList* lstAdded_ = nullptr;
  shell::qt::FileList* lstDeleted_ = nullptr;
};

// The factory the repack logic takes: a new dialog without an owner for each repack.
repacker::DifferenceDialogFactory QtDifferenceDialogFactory();

}  // namespace repacker::qt
