#include "forms/ExportUnit.h"

#include "files/FileIO.h"
#include "platform/Clipboard.h"
#include "platform/Locale.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "text/Errors.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace {

// Design units (pixels at 100 %).
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 287;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

// The boxes stand 8 units from the client area's sides; the check list sits in the debtors box at 16, 40
// and reaches to 8 units from its right and bottom.
constexpr int kMargin = 8;
constexpr int kSelUserTop = 8, kSelUserBottom = 196;
constexpr int kFormatTop = 202, kFormatBottom = 252;
constexpr int kAllUsersWidth = 200;
constexpr int kChoiceHeight = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonTop = 258;
constexpr int kButtonHeight = 25;

// The second caption has always been written with a Latin "a" in "фaйл"; kept so.
const char* const kFormats[4] = {"В буфер обмена",
                                 "В текстовый ф"
                                 "a"
                                 "йл",
                                 "В файл в формате html", "В файл формата MS Word"};

bool IsChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace

TExportForm::TExportForm(HWND owner, NowClock now) : now_(std::move(now)) {
    CreateFrame(owner, "Экспорт", kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

// The controls are made in tab order; Arrange places them.
void TExportForm::FormCreate() {
    SelUserGB = CreateControl("BUTTON", "Выбор должников для экспорта", WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0,
                              0, IDC_SELUSERGB);
    AllUsersChB =
        CreateControl("BUTTON", "Все должники", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, 0, 0,
                      0, 0, IDC_ALLUSERSCHB);
    // Owner data: a catalogue of thousands of debtors opens the dialog as quickly as one of ten.
    CheckListBox1.Attach(CreateControl(WC_LISTVIEWA, "",
                                       WS_VISIBLE | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                           LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                                       WS_EX_CLIENTEDGE, 0, 0, 0, 0, IDC_CHECKLISTBOX1));
    CheckListBox1.OnClickCheck = [this] { CheckListBox1ClickCheck(); };

    FormatGB =
        CreateControl("BUTTON", "Формат экспорта", WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, 0, IDC_FORMATRG);
    for (int i = 0; i < 4; ++i) {
        FormatRG[i] = CreateControl("BUTTON", kFormats[i],
                                    WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 0,
                                    0, 0, 0, 0, IDC_FORMAT0 + i);
    }
    SendMessageA(FormatRG[0], BM_SETCHECK, BST_CHECKED, 0);

    CreateBBtn = CreateControl("BUTTON", "Создать", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0,
                               0, 0, 0, 0, IDC_CREATEBBTN);
    CancelBBtn = CreateControl("BUTTON", "Отмена", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, 0,
                               0, 0, 0, IDC_CANCELBBTN);
    SendMessageA(Handle(), DM_SETDEFID, IDC_CREATEBBTN, 0);

    SaveDialog1.Options = FileDialog::OverwritePrompt | FileDialog::PathMustExist | FileDialog::HideReadOnly |
                          FileDialog::EnableSizing;
    LayOut();
}

// The boxes are as wide as the client area less their margins; the format choices stand in two columns of
// two, each column half the box. A choice whose caption needs more than its column makes the dialog wider,
// so that each column holds its widest caption.
void TExportForm::Arrange() {
    int choice = 0;
    for (HWND button : FormatRG) {
        choice = std::max<int>(choice, BoxRoom(button) + TextRoom(button, TextOf(button)).cx);
    }
    const int width = std::max(kClientWidth, 2 * (choice + 12) + 2 * kMargin);
    SetClientSize(width, kClientHeight);

    const int boxWidth = width - 2 * kMargin;
    Place(SelUserGB, kMargin, kSelUserTop, boxWidth, kSelUserBottom - kSelUserTop);
    Place(AllUsersChB, kMargin + 16, kSelUserTop + 18,
          std::max<int>(kAllUsersWidth, BoxRoom(AllUsersChB) + TextRoom(AllUsersChB, TextOf(AllUsersChB)).cx),
          17);
    Place(CheckListBox1.Handle(), kMargin + 16, kSelUserTop + 40, boxWidth - 24,
          kSelUserBottom - kSelUserTop - 48);
    CheckListBox1.FitColumn();

    Place(FormatGB, kMargin, kFormatTop, boxWidth, kFormatBottom - kFormatTop);
    const int half = boxWidth / 2;
    for (int i = 0; i < 4; ++i) {
        Place(FormatRG[i], kMargin + 8 + (i / 2) * half, kFormatTop + 14 + (i % 2) * kChoiceHeight, half - 12,
              kChoiceHeight);
    }

    // Centred with one button width between them.
    Place(CreateBBtn, width / 2 - (3 * kButtonWidth) / 2, kButtonTop, kButtonWidth, kButtonHeight);
    Place(CancelBBtn, width / 2 + kButtonWidth / 2, kButtonTop, kButtonWidth, kButtonHeight);
}

INT_PTR TExportForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the dialog is shown
    case WM_CLOSE: EndModal(false); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CREATEBBTN: CreateBBtnClick(); return TRUE;
        case IDC_CANCELBBTN: EndModal(false); return TRUE;
        case IDC_ALLUSERSCHB:
            if (HIWORD(wParam) == BN_CLICKED) {
                AllUsersChBClick();
            }
            return TRUE;
        }
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (CheckListBox1.HandleNotify(reinterpret_cast<const NMHDR*>(lParam), result)) {
            SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE; // other notifications keep their default results
    }
    }
    return FALSE;
}

void TExportForm::Execute(const Catalog& catalog, const ShortDateFormat& dates) {
    // Asked for again while it is up: the error comes at once, and its rows stay as they are.
    CheckNotShown();
    debtors_.clear();
    std::vector<std::string> entries;
    for (const auto& debtor : catalog.users) {
        if (debtor->ItemCount != 0) {
            entries.push_back(DebtorEntry(*debtor));
            debtors_.push_back(debtor.get());
        }
    }
    CheckListBox1.SetItems(std::move(entries));
    if (debtors_.empty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        ErrorMessageBox(GetWindow(Handle(), GW_OWNER), "Нет активных должников для экспорта!");
        return;
    }
    catalog_ = &catalog;
    dates_ = &dates;
    FormShow();
    ShowModal(CheckListBox1.Handle());
    catalog_ = nullptr;
    dates_ = nullptr;
}

void TExportForm::FormShow() {
    SendMessageA(AllUsersChB, BM_SETCHECK, BST_UNCHECKED, 0);
    EnableWindow(CheckListBox1.Handle(), TRUE);
    EnableWindow(CreateBBtn, FALSE);
    EnableWindow(FormatRG[3], FALSE);
    if (IsChecked(FormatRG[3])) {
        SendMessageA(FormatRG[3], BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(FormatRG[0], BM_SETCHECK, BST_CHECKED, 0);
    }
}

void TExportForm::AllUsersChBClick() {
    const bool all = IsChecked(AllUsersChB);
    EnableWindow(CheckListBox1.Handle(), !all);
    EnableWindow(CreateBBtn, all || CheckListBox1.CheckedCount() > 0);
}

void TExportForm::CheckListBox1ClickCheck() {
    // With "Все должники" the ticks do not count, and the list is disabled anyway.
    if (!IsChecked(AllUsersChB)) {
        EnableWindow(CreateBBtn, CheckListBox1.CheckedCount() > 0);
    }
}

ExportFormat TExportForm::ChosenFormat() const {
    for (int i = 0; i < 3; ++i) {
        if (IsChecked(FormatRG[i])) {
            return static_cast<ExportFormat>(i);
        }
    }
    return ExportFormat::Clipboard;
}

std::vector<const TUserRec*> TExportForm::SelectedDebtors() const {
    const bool all = IsChecked(AllUsersChB);
    std::vector<const TUserRec*> debtors;
    for (std::size_t row = 0; row < debtors_.size(); ++row) {
        if (all || CheckListBox1.Checked(static_cast<int>(row))) {
            debtors.push_back(debtors_[row]);
        }
    }
    return debtors;
}

std::optional<std::string> TExportForm::ChooseFile(ExportFormat format) {
    SaveDialog1.InitialDir = DocumentsFolder();
    if (format == ExportFormat::TextFile) {
        SaveDialog1.DefaultExt = "txt";
        SaveDialog1.Filter = "Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*";
    } else {
        SaveDialog1.DefaultExt = "htm";
        SaveDialog1.Filter = "Файлы в формате html (*.htm;*.html)|*.htm;*.html;*.shtml|Все файлы (*.*)|*.*";
    }
    SaveDialog1.Title = "Файл для экспорта информации";
    std::optional<std::string> path = SaveDialog1.Execute(Handle());
    if (path) {
        SaveDialog1.FileName = *path;
    }
    return path;
}

void TExportForm::CreateBBtnClick() {
    // Enter reaches the default button even while it is disabled.
    if (!IsWindowEnabled(CreateBBtn) || !catalog_) {
        return;
    }
    // The dialog closes whatever happens below, once this press has been handled.
    EndModal(true);
    const ExportFormat format = ChosenFormat();
    std::optional<std::string> path;
    if (format != ExportFormat::Clipboard) {
        path = ChooseFile(format);
        if (!path) {
            return;
        }
    }
    const ExportClock clock{now_(), *dates_, UserLongTimeFormat()};
    const std::string text =
        JoinLines(BuildExportLines(catalog_->users, catalog_->items, SelectedDebtors(), format, clock));
    if (path) {
        try {
            ReplaceFileBytes(*path, text);
        } catch (const InOutError& e) {
            throw std::runtime_error("Cannot create file \"" + *path + "\". " + e.what());
        }
    } else {
        SetClipboardText(Handle(), text);
    }
    InformationBox(Handle(), "Экспорт успешно выполнен.");
}
