#pragma once
// A list of texts with a check box in each row, over an owner-data list view in report mode with one
// column: the rows and their checks are held here and the list asks for the text and the check box of
// each row it shows, so that filling it costs the same for ten rows as for ten thousand. Screen readers
// and other programs read the rows and their checks through the list view's own messages
// (LVM_GETITEMTEXT, LVM_GETITEMSTATE with LVIS_STATEIMAGEMASK).
//
// An owner-data list view keeps no check states and leaves their changes to its owner: a press on a row's
// box and Space on the focused row toggle it here. Typed letters move to the next row that begins with
// them, as in a list that holds its rows itself.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class CheckList {
  public:
    // Takes over a list view made as a child of the window that passes its notifications on, in report
    // mode, owner data, one row selected at most: gives it check boxes and one column as wide as it is.
    void Attach(HWND list);
    HWND Handle() const { return hwnd_; }
    // Makes the column as wide as the list once more, less its scroll bar as the system draws it for the
    // list: after the list was resized or laid out at another scale.
    void FitColumn();

    // Replaces the rows, every one unchecked, with the first focused and selected.
    void SetItems(std::vector<std::string> items);
    int Count() const { return static_cast<int>(items_.size()); }
    bool Checked(int row) const;
    int CheckedCount() const { return checkedCount_; }

    // The user checked or unchecked a row.
    std::function<void()> OnClickCheck;

    // The parent passes on the list's notifications (WM_NOTIFY from it): true for one handled here, with
    // the result it answers in `result`.
    bool HandleNotify(const NMHDR* header, LRESULT& result);

  private:
    void Toggle(int row);

    HWND hwnd_ = nullptr;
    std::vector<std::string> items_;
    std::vector<char> checked_;
    int checkedCount_ = 0;
};

} // namespace ui
