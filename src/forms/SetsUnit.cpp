#include "forms/SetsUnit.h"

#include "platform/Application.h"
#include "platform/Locale.h"
#include "platform/MsgBox.h"
#include "platform/ShellLink.h"
#include "platform/Subclass.h"
#include "text/IntText.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

constexpr int kClientWidth = 321;
constexpr int kClientHeight = 220;
constexpr int kPanelHeight = 41; // the bottom strip with OK and Cancel
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kSmallButton = 21; // "..." beside the catalogue's path
constexpr int kShortcutButtonWidth = 281;

constexpr DWORD kCheckBox = WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
constexpr DWORD kPushButton = WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;

bool IsChecked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND box, bool checked) {
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MoveTo(HWND control, int x, int y) {
    SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WidthOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return r.right - r.left;
}

// The minutes field takes digits, signs and the decimal separator only; any other typed character is
// refused with a beep. Pasted text is not filtered: what is no whole number reads as the lowest value.
std::optional<LRESULT> SpinEdit1KeyPress(const ControlMessage& m, char separator) {
    if (m.msg == WM_CHAR) {
        const auto c = static_cast<unsigned char>(TypedChar(m.hwnd, m.wParam));
        const bool allowed =
            (c >= '0' && c <= '9') || c == '+' || c == '-' || c == static_cast<unsigned char>(separator);
        if (c >= ' ' && !allowed) {
            MessageBeep(0);
            return 0;
        }
    }
    return std::nullopt;
}

// The size of a text in a window's font: wrapped at `wrapWidth`, or on one line when it is 0.
SIZE TextExtent(HWND window, const char* text, int wrapWidth) {
    WindowDC dc(window);
    SelectObjectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 10000, 0};
    DrawTextA(dc.get(), text, -1, &r,
              DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

TSetsForm::TSetsForm(HWND owner) {
    clientHeight_ = kClientHeight;
    CreateFrame(owner, "Настройки", kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

void TSetsForm::GrowBy(int extra) {
    if (extra <= 0) {
        return;
    }
    clientHeight_ += extra;
    RECT frame{0, 0, kClientWidth, clientHeight_};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(PageControl1, nullptr, 0, 0, kClientWidth, clientHeight_ - kPanelHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TSetsForm::PageRect() const {
    RECT page{};
    GetClientRect(PageControl1, &page);
    TabCtrl_AdjustRect(PageControl1, FALSE, &page);
    return page; // the tab control's client coordinates are the dialog's: it sits at 0, 0
}

HWND TSetsForm::AddToPage(int page, const char* cls, const char* text, DWORD style, DWORD exStyle, int x,
                          int y, int width, int height, int id) {
    const RECT area = PageRect();
    HWND control = CreateControl(cls, text, style, exStyle, area.left + x, area.top + y, width, height, id);
    pages_[static_cast<size_t>(page)].push_back(control);
    return control;
}

void TSetsForm::FormCreate() {
    // The tab control first, so it is first in the tab order and lowest among the controls it holds.
    PageControl1 =
        CreateControl(WC_TABCONTROLA, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS | TCS_HOTTRACK,
                      0, 0, 0, kClientWidth, kClientHeight - kPanelHeight, IDC_SETSPAGECONTROL1);
    const char* const tabs[] = {"Общие", "Ярлыки", "Подтверждения"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabs[i]);
        SendMessageA(PageControl1, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    const RECT area = PageRect();
    const int pageWidth = area.right - area.left;

    // "Общие", top to bottom, each control as large as its text needs in the dialog's font: the path field
    // and its button follow the first box, the minutes stand beside the second.
    const int check = GetSystemMetrics(SM_CXMENUCHECK) + 8; // a box and the gap before its caption
    const char* const openText = "Автоматически открывать базу при старте программы";
    const char* const saveText = "Автосохранение базы (мин)";
    const char* const caseText =
        "При вводе описания нового предмета при проверке существования этого описания не "
        "учитывать регистр написания описания предмета";
    int y = 6;
    const int openHeight =
        std::max(17, static_cast<int>(TextExtent(Handle(), openText, pageWidth - 16 - check).cy) + 4);
    CheckBox1 = AddToPage(0, "BUTTON", openText, kCheckBox | BS_MULTILINE, 0, 8, y, pageWidth - 16,
                          openHeight, IDC_SETSCHECKBOX1);
    y += openHeight + 4;
    Edit1 = AddToPage(0, "EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_DISABLED | ES_AUTOHSCROLL,
                      WS_EX_CLIENTEDGE, 8, y, pageWidth - kSmallButton - 32, 21, IDC_SETSEDIT1);
    SendMessageA(Edit1, EM_SETLIMITTEXT, 0, 0);
    Button1 = AddToPage(0, "BUTTON", "...", kPushButton | WS_DISABLED, 0, pageWidth - kSmallButton - 8, y,
                        kSmallButton, 21, IDC_SETSBUTTON1);
    y += 21 + 10;
    const int saveWidth = static_cast<int>(TextExtent(Handle(), saveText, 0).cx) + check;
    CheckBox2 = AddToPage(0, "BUTTON", saveText, kCheckBox, 0, 8, y + 2, saveWidth, 17, IDC_SETSCHECKBOX2);
    // Disabled like its box is unchecked, so the two agree from the first opening on.
    SpinEdit1 = AddToPage(0, "EDIT", "1", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_DISABLED | ES_AUTOHSCROLL,
                          WS_EX_CLIENTEDGE, 8 + saveWidth + 8, y, 60, 21, IDC_SPINEDIT1);
    SpinButton1 = AddToPage(0, UPDOWN_CLASSA, "",
                            WS_VISIBLE | WS_DISABLED | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                UDS_NOTHOUSANDS,
                            0, 0, 0, 0, 0, IDC_SPINBUTTON1);
    SendMessageA(SpinButton1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(SpinEdit1), 0);
    SendMessageA(SpinButton1, UDM_SETRANGE32, kMinAutoSaveMinutes, kMaxAutoSaveMinutes);
    SendMessageA(SpinButton1, UDM_SETPOS32, 0, kMinAutoSaveMinutes);
    FilterMessages(SpinEdit1, [separator = UserDecimalSeparator()](const ControlMessage& m) {
        return SpinEdit1KeyPress(m, separator);
    });
    y += 21 + 10;
    QRegistrChB = AddToPage(0, "BUTTON", "", kCheckBox, 0, 8, y, 17, 17, IDC_QREGISTRCHB);
    const int caseHeight = std::max(41, static_cast<int>(TextExtent(Handle(), caseText, pageWidth - 36).cy));
    Label1 = AddToPage(0, "STATIC", caseText, WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, 28, y + 1,
                       pageWidth - 36, caseHeight, IDC_SETSLABEL1);
    // A font wider than the one the dialog was drawn for makes it taller rather than cut the texts.
    GrowBy(std::max(0, y + 1 + caseHeight + 4 - static_cast<int>(area.bottom - area.top)));

    // "Ярлыки".
    const int shortcutLeft = pageWidth / 2 - kShortcutButtonWidth / 2;
    AddFolder1Btn = AddToPage(1, "BUTTON", "Добавить ярлык на Рабочий стол", kPushButton, 0, shortcutLeft, 16,
                              kShortcutButtonWidth, kButtonHeight, IDC_ADDFOLDER1BTN);
    AddFolder2Btn = AddToPage(1, "BUTTON", "Добавить ярлык в раздел Пуск", kPushButton, 0, shortcutLeft, 52,
                              kShortcutButtonWidth, kButtonHeight, IDC_ADDFOLDER2BTN);
    AddFolder3Btn = AddToPage(1, "BUTTON", "Добавить ярлык в раздел Программы", kPushButton, 0, shortcutLeft,
                              88, kShortcutButtonWidth, kButtonHeight, IDC_ADDFOLDER3BTN);

    // "Подтверждения".
    QExitChB =
        AddToPage(2, "BUTTON", "Выхода из программы", kCheckBox, 0, 8, 8, pageWidth - 16, 17, IDC_QEXITCHB);
    QOutChB =
        AddToPage(2, "BUTTON", "Передачи предмета", kCheckBox, 0, 8, 32, pageWidth - 16, 17, IDC_QOUTCHB);
    QInChB =
        AddToPage(2, "BUTTON", "Возвращения предмета", kCheckBox, 0, 8, 56, pageWidth - 16, 17, IDC_QINCHB);
    QAllInChB = AddToPage(2, "BUTTON", "Возвращения всех предметов должника", kCheckBox, 0, 8, 80,
                          pageWidth - 16, 17, IDC_QALLINCHB);

    // The bottom strip.
    const int buttonTop = clientHeight_ - kPanelHeight + 8;
    BitBtn1 = CreateControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 0,
                            buttonTop, kButtonWidth, kButtonHeight, IDOK);
    BitBtn2 = CreateControl("BUTTON", "Cancel", kPushButton, 0, 0, buttonTop, kButtonWidth, kButtonHeight,
                            IDCANCEL);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);

    OpenDialog1.Filter = "Файлы с базой (*.dat)|*.dat";
    OpenDialog1.DefaultExt = "dat";
    OpenDialog1.Options = FileDialog::HideReadOnly | FileDialog::PathMustExist | FileDialog::FileMustExist |
                          FileDialog::EnableSizing;
    ShowPage(0);
}

INT_PTR TSetsForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the dialog is shown
    case WM_CLOSE: EndModal(false); return TRUE;
    case WM_COMMAND: {
        const int code = HIWORD(wParam);
        switch (LOWORD(wParam)) {
        case IDOK: EndModal(true); return TRUE;
        case IDCANCEL: EndModal(false); return TRUE;
        case IDC_SETSCHECKBOX1:
            if (code == BN_CLICKED) {
                CheckBox1Click();
            }
            return TRUE;
        case IDC_SETSCHECKBOX2:
            if (code == BN_CLICKED) {
                CheckBox2Click();
            }
            return TRUE;
        case IDC_SETSBUTTON1:
            if (code == BN_CLICKED) {
                Button1Click();
            }
            return TRUE;
        case IDC_SETSLABEL1:
            if (code == STN_CLICKED) {
                Label1Click();
            }
            return TRUE;
        case IDC_SPINEDIT1:
            if (code == EN_KILLFOCUS) {
                SpinEdit1Exit();
            }
            return TRUE;
        case IDC_ADDFOLDER1BTN:
        case IDC_ADDFOLDER2BTN:
        case IDC_ADDFOLDER3BTN:
            if (code == BN_CLICKED) {
                AddFolder3BtnClick(reinterpret_cast<HWND>(lParam));
            }
            return TRUE;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_SETSPAGECONTROL1 && header->code == TCN_SELCHANGE) {
            PageControl1Change();
        }
        return FALSE;
    }
    }
    return FALSE;
}

void TSetsForm::SetChecked(HWND box, bool checked, void (TSetsForm::*click)()) {
    if (IsChecked(box) == checked) {
        return;
    }
    SetCheck(box, checked);
    if (click) {
        (this->*click)();
    }
}

void TSetsForm::CopyIn(const RecIni& record) {
    SetWindowTextA(Edit1, record.AutoOpenName.c_str());
    SetChecked(CheckBox1, record.AutoOpen, &TSetsForm::CheckBox1Click);
    // The file applies no range; the field shows the value brought into its own.
    const int minutes = std::clamp<int>(record.AutoSaveMinutes, kMinAutoSaveMinutes, kMaxAutoSaveMinutes);
    SetWindowTextA(SpinEdit1, IntToStr(minutes).c_str());
    SetChecked(CheckBox2, record.AutoSave, &TSetsForm::CheckBox2Click);
    SetChecked(QRegistrChB, record.QRegistr, nullptr);
    SetChecked(QExitChB, record.QExit, nullptr);
    SetChecked(QOutChB, record.QOut, nullptr);
    SetChecked(QInChB, record.QIn, nullptr);
    SetChecked(QAllInChB, record.QAllIn, nullptr);
}

void TSetsForm::CopyBack(RecIni& record) const {
    record.AutoOpenName = TextOf(Edit1);
    record.AutoOpen = IsChecked(CheckBox1);
    // Read in range even when OK was reached by Enter in the field, before it was left.
    record.AutoSaveMinutes = RangedInt(TextOf(SpinEdit1), kMinAutoSaveMinutes, kMaxAutoSaveMinutes);
    record.AutoSave = IsChecked(CheckBox2);
    record.QRegistr = IsChecked(QRegistrChB);
    record.QExit = IsChecked(QExitChB);
    record.QOut = IsChecked(QOutChB);
    record.QIn = IsChecked(QInChB);
    record.QAllIn = IsChecked(QAllInChB);
}

bool TSetsForm::ShowModal() {
    FormShow();
    return Dialog::ShowModal(CheckBox1);
}

void TSetsForm::FormShow() {
    const RECT area = PageRect();
    const int pageWidth = area.right - area.left;
    RECT edit{};
    GetWindowRect(Edit1, &edit);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&edit), 2);
    SetWindowPos(Edit1, nullptr, 0, 0, pageWidth - WidthOf(Button1) - 32, edit.bottom - edit.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveTo(Button1, area.left + pageWidth - WidthOf(Button1) - 8, edit.top);

    const int buttonTop = clientHeight_ - kPanelHeight + 8;
    MoveTo(BitBtn1, kClientWidth / 2 - (3 * WidthOf(BitBtn1)) / 2, buttonTop);
    MoveTo(BitBtn2, kClientWidth / 2 + WidthOf(BitBtn2) / 2, buttonTop);

    RECT shortcut{};
    GetWindowRect(AddFolder1Btn, &shortcut);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&shortcut), 2);
    const int shortcutLeft = area.left + pageWidth / 2 - WidthOf(AddFolder1Btn) / 2;
    MoveTo(AddFolder1Btn, shortcutLeft, shortcut.top);
    for (HWND button : {AddFolder2Btn, AddFolder3Btn}) {
        RECT r{};
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        MoveTo(button, shortcutLeft, r.top);
    }

    SendMessageA(PageControl1, TCM_SETCURSEL, 0, 0);
    ShowPage(0);
}

void TSetsForm::ShowPage(int page) {
    for (size_t i = 0; i < pages_.size(); ++i) {
        for (HWND control : pages_[i]) {
            ShowWindow(control, static_cast<int>(i) == page ? SW_SHOWNA : SW_HIDE);
        }
    }
}

void TSetsForm::PageControl1Change() {
    ShowPage(static_cast<int>(SendMessageA(PageControl1, TCM_GETCURSEL, 0, 0)));
}

void TSetsForm::CheckBox1Click() {
    const BOOL on = IsChecked(CheckBox1);
    EnableWindow(Edit1, on);
    EnableWindow(Button1, on);
}

void TSetsForm::CheckBox2Click() {
    const BOOL on = IsChecked(CheckBox2);
    EnableWindow(SpinEdit1, on);
    EnableWindow(SpinButton1, on);
}

void TSetsForm::Button1Click() {
    if (const auto path = OpenDialog1.Execute(Handle())) {
        SetWindowTextA(Edit1, path->c_str());
    }
}

void TSetsForm::Label1Click() {
    SetCheck(QRegistrChB, !IsChecked(QRegistrChB));
}

// Leaving the field shows the value it will be read as.
void TSetsForm::SpinEdit1Exit() {
    const std::string text = TextOf(SpinEdit1);
    const std::string value = IntToStr(RangedInt(text, kMinAutoSaveMinutes, kMaxAutoSaveMinutes));
    if (text != value) {
        SetWindowTextA(SpinEdit1, value.c_str());
    }
}

// One handler for the three shortcut buttons; the pressed button chooses the folder.
void TSetsForm::AddFolder3BtnClick(HWND sender) {
    int csidl = 0;
    if (sender == AddFolder1Btn) {
        csidl = CSIDL_DESKTOPDIRECTORY;
    } else if (sender == AddFolder2Btn) {
        csidl = CSIDL_STARTMENU;
    } else if (sender == AddFolder3Btn) {
        csidl = CSIDL_PROGRAMS;
    } else {
        return;
    }
    ShellLink link;
    link.SetPath(Application::ExePath());
    link.SetWorkingDirectory(Application::ExeFolder());
    link.SetDescription(Application::Title());
    const std::optional<std::string> folder = SpecialFolderPath(csidl);
    if (!folder) {
        return; // a folder outside the file system holds no shortcut files
    }
    const std::string path = *folder + "\\" + Application::Title() + ".lnk";
    // A shortcut that cannot be saved is reported, so the missing message is not the only sign of it.
    link.Save(path);
    InformationBox(Handle(), "Ярлык создан.");
}
