// The part of a program's main window that the program logic drives.
//
// Unbaler's and Rebaler's window logic (extractor/, repacker/) talk to their
// window only through this interface, so they can be tested without a display
// and shared by every front end. The logic owns the state (the full paths that
// the path labels keep in their Tag); the view only shows what it is told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The commands of lstFiles' context menu.
enum class ListCommand {
  kExtractSelected,
  kExtractAll,
  kSortByName,
  kSortBySize,
  kSortStored,
  kReplaceEntry,
};

// One item of that menu: each front end shows the items in its own native menu.
struct ListMenuItem {
  ListCommand command;
  std::u16string_view text;
  bool enabled = true;
  // Shown with a check mark: the list's order now.
  bool checked = false;
  friend bool operator==(const ListMenuItem&, const ListMenuItem&) = default;
};

class MainView {
 public:
  virtual ~MainView() = default;

  // Caption of lblFileName / lblDir (already shortened by the logic).
  virtual void SetFileCaption(const std::u16string& caption) = 0;
  virtual void SetDirCaption(const std::u16string& caption) = 0;
  // The whole path behind a shortened caption, shown while the pointer rests on the label; empty
  // when the caption already is the whole path.
  virtual void SetFileTip(const std::u16string& tip) = 0;
  virtual void SetDirTip(const std::u16string& tip) = 0;

  // Replaces every item of lstFiles, in the given order.
  virtual void SetListItems(const std::vector<std::u16string>& items) = 0;
  // The size each item of lstFiles shows at its right ("39 KB"), one per item, given after the
  // items.
  virtual void SetListSizes(const std::vector<std::u16string>& /*sizes*/) {}
  // The positions of the items of lstFiles that the user has selected, in ascending order.
  virtual std::vector<std::size_t> SelectedItems() const { return {}; }

  // Enables or disables the main command (picExtract / picRepack).
  virtual void SetMainCommandEnabled(bool enabled) = 0;

  // Shows or hides the busy cursor while a long command runs.
  virtual void SetBusy(bool busy) = 0;

  // The window's native handle: the folder browser's owner.
  virtual std::intptr_t WindowHandle() const = 0;

  // While work runs, the three commands and the label clicks are off; the window learns when
  // the work has ended (a close asked for meanwhile can go on).
  virtual void SetWorking(bool /*working*/) {}
  // The status line: the progress of running work, then what the last work did; empty: none.
  virtual void SetStatus(const std::u16string& /*text*/) {}
  // Whether the status line offers to open a folder (kOpenFolder): it shows as a link and takes
  // the focus meanwhile.
  virtual void SetStatusOffersFolder(bool /*offers*/) {}
  // The thin bar under the status line (ProgressBarBox): the part of the running work done, from
  // 0 to 1; none hides it.
  virtual void SetProgress(std::optional<double> /*fraction*/) {}
};

// Keeps the busy cursor on for one scope, also when the scope is left early
// by an error, so that the cursor can never stay stuck.
class BusyCursor {
 public:
  explicit BusyCursor(MainView& view) : view_(view) { view_.SetBusy(true); }
  ~BusyCursor() { view_.SetBusy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  MainView& view_;
};

// What the main window calls when the user acts; implemented by the program
// logic (Unbaler's or Rebaler's). Label clicks call the same handlers as the
// buttons beside them.
class MainCommands {
 public:
  virtual ~MainCommands() = default;
  // The last step of the window's start-up: the command-update operation.
  virtual void OnLoaded() = 0;
  virtual void OnSelectFile() = 0;   // picSelectFile, lblFileName
  virtual void OnSelectDir() = 0;    // picSelectDir, lblDir
  virtual void OnMainCommand() = 0;  // picExtract / picRepack
  // Escape: asks running work to stop before its next entry.
  virtual void OnCancel() {}
  // A click on the status strip, or Enter on it: opens the folder it offers, if any.
  virtual void OnOpenFolder() {}
  // Whether work runs (commands are refused meanwhile).
  virtual bool Working() const { return false; }
  // Files or folders dragged over the window: whether dropping them would choose something. The
  // pointer shows a refusal otherwise.
  virtual bool AcceptsDrop(const std::vector<std::u16string>& /*paths*/) { return false; }
  // Files or folders dropped on the window. A drop the program does not take changes nothing and
  // says nothing.
  virtual void OnDrop(const std::vector<std::u16string>& /*paths*/) {}

  // lstFiles' context menu as it stands now, in order; empty when the list has none.
  virtual std::vector<ListMenuItem> ListMenu() { return {}; }
  // A command chosen from that menu.
  virtual void OnListCommand(ListCommand /*command*/) {}
  // A double click on the item at `index` of lstFiles, or Enter with it current: opens it.
  virtual void OnOpenItem(std::size_t /*index*/) {}
  // The text of the list's filter, as typed; empty shows every item.
  virtual void OnFilter(const std::u16string& /*text*/) {}
  // The selected items of lstFiles dragged out of the window: the files to hand to the drag,
  // made now; empty when there is nothing to drag (and a box says why, when something failed).
  virtual std::vector<std::u16string> OnDragOut() { return {}; }
};

}  // namespace shell
