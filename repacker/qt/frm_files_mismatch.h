// frmFilesMismatch on Qt: the "Files List Diff" dialog that lists the added and the deleted
// files before a repack and lets the user continue or cancel.
//
// An ordinary fixed-size dialog of 508 x 273 pixels with a title bar. Its controls carry their
// names as object names (Label1, Label2, lstAdded, Label3, lstDeleted, cmdOK, Command1) and
// take the focus in that order. Neither button is a default button, so Return alone answers
// nothing; Escape and the title bar's close button cancel.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "repacker/files_mismatch_dialog.h"

namespace repacker::qt {

class FrmFilesMismatch : public QDialog, public repacker::FilesMismatchDialog {
  Q_OBJECT

 public:
  explicit FrmFilesMismatch(QWidget* parent = nullptr);

  // Fills both lists unsorted, shows the dialog application-modal and returns lResult: 1 after
  // "Continue with Packing", 0 otherwise.
  std::int32_t ShowDiff(const std::vector<std::u16string>& added,
                        const std::vector<std::u16string>& deleted) override;

  std::int32_t result() const { return result_; }

 private:
  void cmdOKClick();
  void Command1Click();

  std::int32_t result_ = 0;
  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QListWidget* lstAdded_ = nullptr;
  QLabel* Label3_ = nullptr;
  QListWidget* lstDeleted_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* Command1_ = nullptr;
};

// The factory the repack logic takes: a new dialog without an owner for each repack.
repacker::FilesMismatchDialogFactory QtFilesMismatchDialogFactory();

}  // namespace repacker::qt
