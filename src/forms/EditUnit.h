#pragma once
// The editor dialog: the one modal window in which a debtor's name and e-mail address, or an item's
// type and description, are typed, for a new record or for changing an existing one. It only collects
// two texts; it touches no list and checks nothing. One instance is created hidden at start and reused,
// so its fields keep their last texts while hidden.
//
// The caller sets IsUserRecord and IsNewRecord, writes the record's texts into the fields when editing
// (and, for an item, hands over the type filter list), calls ShowModal, and on OK reads both fields.

#include "platform/Dialog.h"

#include <windows.h>

#include <string>
#include <vector>

// Control ids; the buttons carry the dialog manager's own ids, so Enter and Escape reach them.
constexpr int IDC_FORM2NAMEEDIT = 101;  // the debtor's name
constexpr int IDC_FORM2TYPECOMBO = 102; // the item's type, in place of the name field
constexpr int IDC_FORM2EDIT1 = 103;     // the e-mail address or the description
constexpr int IDC_FORM2LABEL1 = 104;
constexpr int IDC_FORM2LABEL2 = 105;
constexpr int IDC_FORM2BEVEL1 = 106;

class TForm2 : public Dialog {
  public:
    // Creates the dialog hidden, owned by `owner` (the main window; nullptr for none).
    explicit TForm2(HWND owner);

    // true: the dialog edits a debtor; false: an item. Read each time the dialog is shown.
    bool IsUserRecord = false;
    // true: a new record, both fields start empty; false: the fields keep the texts put into them.
    bool IsNewRecord = false;

    // The first field: the debtor's name or the item's type.
    void SetComboBox1Text(const std::string& text);
    std::string ComboBox1Text() const;
    // The second field: the debtor's e-mail address or the item's description.
    void SetEdit1Text(const std::string& text);
    std::string Edit1Text() const;
    // The types the first field offers in item mode; copied into its list when the dialog is shown.
    void SetTypeList(const std::vector<std::string>& types);

    // Shows the dialog modally over its owner, centred on it; true only when OK was pressed (the
    // button or Enter). Cancel, Escape and closing the window give false.
    bool ShowModal();
    // Raises the error that the dialog is open while it is up: a command asks before it writes into the
    // fields, so that a second request leaves what the user typed there alone.
    using Dialog::CheckNotShown;

    // The first field as the current mode shows it: a plain edit field for a debtor, an editable
    // combo box with a drop-down list for an item.
    HWND ComboBox1() const;
    HWND Edit1() const { return edit1_; }

  protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Arrange() override;

  private:
    void FormCreate();
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

    // A Win32 combo box cannot drop its list after creation, so the first field is two controls in
    // the same place, of which the mode shows one; both carry the texts the caller writes.
    HWND nameEdit_ = nullptr;
    HWND typeCombo_ = nullptr;
    HWND edit1_ = nullptr;
    HWND label1_ = nullptr;
    HWND label2_ = nullptr;
    std::vector<std::string> types_;
    bool userMode_ = true;
};
