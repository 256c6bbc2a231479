#pragma once
// The export dialog: the debtors who hold something, each with a check box, "Все должники" for all of
// them, and where the export goes (the clipboard, a text file, an HTML page; Word is shown but never
// offered). "Создать" writes the export of the chosen debtors there. Created on the first export and kept
// for the run, so the chosen target and the last file name carry over to the next export.

#include "catalog/Catalog.h"
#include "export/Export.h"
#include "platform/Dialog.h"
#include "platform/FileDialog.h"
#include "platform/Locale.h"
#include "ui/CheckList.h"

#include <optional>
#include <string>
#include <vector>

// Control ids (the buttons carry the dialog manager's own ids, so Enter and Escape reach them).
constexpr int IDC_SELUSERGB = 101;
constexpr int IDC_ALLUSERSCHB = 102;
constexpr int IDC_CHECKLISTBOX1 = 103; // an owner-data list view with a check box in each row
constexpr int IDC_FORMATRG = 104;
constexpr int IDC_FORMAT0 = 105; // the four format choices, in ExportFormat's order
constexpr int IDC_CREATEBBTN = IDOK;
constexpr int IDC_CANCELBBTN = IDCANCEL;

class TExportForm : public Dialog {
  public:
    // Creates the dialog hidden, owned by `owner` (the main window); `now` gives the moment the export
    // names.
    explicit TExportForm(HWND owner, NowClock now = LocalNow);

    // The export command: lists the debtors of the catalogue who hold something and shows the dialog;
    // when nobody holds anything, beeps and says so instead. The catalogue is only read. While the dialog
    // is up (the command posted to the main window), raises the error that it is open, before any work.
    void Execute(const Catalog& catalog, const ShortDateFormat& dates);

  protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Arrange() override;

  private:
    void FormCreate();
    void FormShow();
    void AllUsersChBClick();
    void CheckListBox1ClickCheck();
    void CreateBBtnClick();

    ExportFormat ChosenFormat() const;
    // The debtors to export: those of every row with "Все должники", else those of the ticked rows.
    std::vector<const TUserRec*> SelectedDebtors() const;
    // Asks where a file export goes; nothing when the user cancels.
    std::optional<std::string> ChooseFile(ExportFormat format);

    HWND SelUserGB = nullptr;
    HWND AllUsersChB = nullptr;
    ui::CheckList CheckListBox1;
    HWND FormatGB = nullptr;
    HWND FormatRG[4] = {};
    HWND CreateBBtn = nullptr;
    HWND CancelBBtn = nullptr;
    FileDialog SaveDialog1{FileDialog::Kind::Save};
    // The debtors the check list's rows were made from, while the dialog is shown.
    std::vector<const TUserRec*> debtors_;
    const Catalog* catalog_ = nullptr;
    const ShortDateFormat* dates_ = nullptr;
    NowClock now_;
};
