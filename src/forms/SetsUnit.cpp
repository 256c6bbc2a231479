#include "forms/SetsUnit.h"

#include "platform/Application.h"
#include "platform/Locale.h"
#include "platform/MsgBox.h"
#include "platform/ShellLink.h"
#include "platform/Subclass.h"
#include "platform/Window.h"
#include "text/IntText.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <tuple>

namespace {

// Design units (pixels at 100 %).
constexpr int kClientWidth = 321;
constexpr int kClientHeight = 220;
constexpr int kPanelHeight = 41; // the bottom strip with OK and Cancel
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kSmallButton = 21; // "..." beside the catalogue's path
constexpr int kShortcutButtonWidth = 281;
constexpr int kFieldHeight = 21;
constexpr int kBoxHeight = 17;   // a check box's line
constexpr int kNumberWidth = 60; // a number field with its arrows
constexpr int kCaseLabelHeight = 41;
constexpr int kMargin = 8; // from a tab's edges, and between a box and the field beside it

constexpr DWORD kCheckBox = WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
constexpr DWORD kPushButton = WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;

const char* const kOpenText = "Автоматически открывать базу при старте программы";
const char* const kSaveText = "Автосохранение базы (мин)";
const char* const kLongText = "Выделять предметы, взятые более";
const char* const kLongUnitText = "дн. назад";
constexpr int kUnitGap = 4; // between a number's field and the label after it
const char* const kCaseText =
    "При вводе описания нового предмета при проверке существования этого описания не "
    "учитывать регистр написания описания предмета";

bool IsChecked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND box, bool checked) {
    SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The number fields take digits, signs and the decimal separator only; any other typed character is
// refused with a beep. Pasted text is not filtered: what is no whole number reads as the lowest value.
std::optional<LRESULT> NumberFieldKeyPress(const ControlMessage& m, char separator) {
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

} // namespace

TSetsForm::TSetsForm(HWND owner) {
    CreateFrame(owner, "Настройки", kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

HWND TSetsForm::AddToPage(int page, const char* cls, const char* text, DWORD style, DWORD exStyle, int id) {
    // Placed by Arrange.
    HWND control = CreateControl(cls, text, style, exStyle, 0, 0, 0, 0, id);
    pages_[static_cast<size_t>(page)].push_back(control);
    return control;
}

// A line of the first tab that sets a number, in tab order: its check box, then the number's field, disabled
// as the box is unchecked so that the two agree from the first opening on, with arrows that sit in the
// field's right end wherever the layout puts it. The field takes only what a number is typed with.
std::tuple<HWND, HWND, HWND> TSetsForm::AddNumberLine(const char* text, int boxId, int fieldId, int arrowsId,
                                                      int min, int max, int value) {
    HWND box = AddToPage(0, "BUTTON", text, kCheckBox, 0, boxId);
    HWND field = AddToPage(0, "EDIT", IntToStr(value).c_str(),
                           WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_DISABLED | ES_AUTOHSCROLL,
                           WS_EX_CLIENTEDGE, fieldId);
    HWND arrows = CreateControlWindow(0, UPDOWN_CLASSA, "",
                                      WS_CHILD | WS_VISIBLE | WS_DISABLED | UDS_ALIGNRIGHT | UDS_SETBUDDYINT |
                                          UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                      0, 0, 0, 0, Handle(), arrowsId);
    pages_[0].push_back(arrows);
    SendMessageA(arrows, UDM_SETRANGE32, min, max);
    SendMessageA(arrows, UDM_SETPOS32, 0, value);
    FilterMessages(field, [separator = UserDecimalSeparator()](const ControlMessage& m) {
        return NumberFieldKeyPress(m, separator);
    });
    return {box, field, arrows};
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

    // "Общие", in tab order; Arrange places them.
    CheckBox1 = AddToPage(0, "BUTTON", kOpenText, kCheckBox | BS_MULTILINE, 0, IDC_SETSCHECKBOX1);
    Edit1 = AddToPage(0, "EDIT", "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_DISABLED | ES_AUTOHSCROLL,
                      WS_EX_CLIENTEDGE, IDC_SETSEDIT1);
    SendMessageA(Edit1, EM_SETLIMITTEXT, 0, 0);
    Button1 = AddToPage(0, "BUTTON", "...", kPushButton | WS_DISABLED, 0, IDC_SETSBUTTON1);
    std::tie(CheckBox2, SpinEdit1, SpinButton1) =
        AddNumberLine(kSaveText, IDC_SETSCHECKBOX2, IDC_SPINEDIT1, IDC_SPINBUTTON1, kMinAutoSaveMinutes,
                      kMaxAutoSaveMinutes, kMinAutoSaveMinutes);
    // The line of things away too long, with the label after its number.
    std::tie(CheckBox3, SpinEdit2, SpinButton2) =
        AddNumberLine(kLongText, IDC_SETSCHECKBOX3, IDC_SPINEDIT2, IDC_SPINBUTTON2, kMinLongDays,
                      kMaxLongDays, kLongDaysDefault);
    Label2 = AddToPage(0, "STATIC", kLongUnitText, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, IDC_SETSLABEL2);
    QRegistrChB = AddToPage(0, "BUTTON", "", kCheckBox, 0, IDC_QREGISTRCHB);
    Label1 =
        AddToPage(0, "STATIC", kCaseText, WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, IDC_SETSLABEL1);

    // "Ярлыки".
    AddFolder1Btn =
        AddToPage(1, "BUTTON", "Добавить ярлык на Рабочий стол", kPushButton, 0, IDC_ADDFOLDER1BTN);
    AddFolder2Btn = AddToPage(1, "BUTTON", "Добавить ярлык в раздел Пуск", kPushButton, 0, IDC_ADDFOLDER2BTN);
    AddFolder3Btn =
        AddToPage(1, "BUTTON", "Добавить ярлык в раздел Программы", kPushButton, 0, IDC_ADDFOLDER3BTN);

    // "Подтверждения".
    QExitChB = AddToPage(2, "BUTTON", "Выхода из программы", kCheckBox, 0, IDC_QEXITCHB);
    QOutChB = AddToPage(2, "BUTTON", "Передачи предмета", kCheckBox, 0, IDC_QOUTCHB);
    QInChB = AddToPage(2, "BUTTON", "Возвращения предмета", kCheckBox, 0, IDC_QINCHB);
    QAllInChB = AddToPage(2, "BUTTON", "Возвращения всех предметов должника", kCheckBox, 0, IDC_QALLINCHB);

    // The bottom strip.
    BitBtn1 = CreateControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 0, 0,
                            kButtonWidth, kButtonHeight, IDOK);
    BitBtn2 = CreateControl("BUTTON", "Cancel", kPushButton, 0, 0, 0, kButtonWidth, kButtonHeight, IDCANCEL);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);

    OpenDialog1.Filter = "Файлы с базой (*.dat)|*.dat";
    OpenDialog1.DefaultExt = "dat";
    OpenDialog1.Options = FileDialog::HideReadOnly | FileDialog::PathMustExist | FileDialog::FileMustExist |
                          FileDialog::EnableSizing;
    LayOut();
    ShowPage(0);
}

RECT TSetsForm::PageArea(int width, int height) const {
    return TabPageArea(PageControl1, width, height - kPanelHeight);
}

void TSetsForm::PlaceOnPage(HWND control, int x, int y, int width, int height) {
    Place(control, page_.left + x, page_.top + y, width, height);
}

int TSetsForm::CheckWidth(HWND box) const {
    // The box, the gap before its caption, and the caption.
    const std::string caption = TextOf(box);
    return BoxRoom(box) + (caption.empty() ? 0 : static_cast<int>(TextRoom(box, caption).cx));
}

// Each tab is laid out top to bottom from the design's numbers, every control as large as its text needs
// in the dialog's font at its scale. A text that needs more room than the design gives makes the dialog
// wider or taller rather than be cut: first the room every tab needs, then the places.
void TSetsForm::Arrange() {
    const RECT designPage = PageArea(kClientWidth, kClientHeight);
    const int designPageWidth = designPage.right - designPage.left;

    // The narrowest each tab can be.
    int pageWidth = designPageWidth;
    pageWidth = std::max(pageWidth, NumberLineWidth(CheckBox2));
    pageWidth = std::max(pageWidth, NumberLineWidth(CheckBox3, Label2));
    int shortcutWidth = kShortcutButtonWidth;
    for (HWND button : {AddFolder1Btn, AddFolder2Btn, AddFolder3Btn}) {
        shortcutWidth = std::max<int>(shortcutWidth, TextRoom(button, TextOf(button)).cx + 2 * kMargin);
    }
    pageWidth = std::max(pageWidth, shortcutWidth + 2 * kMargin);
    for (HWND box : {QExitChB, QOutChB, QInChB, QAllInChB}) {
        pageWidth = std::max(pageWidth, CheckWidth(box) + 2 * kMargin);
    }
    const int width = kClientWidth + pageWidth - designPageWidth;

    // "Общие", top to bottom; its height decides the dialog's.
    const int openHeight = std::max<int>(
        kBoxHeight, TextRoom(CheckBox1, kOpenText, pageWidth - 2 * kMargin - BoxRoom(CheckBox1)).cy + 4);
    const int caseWidth = pageWidth - 36;
    const int caseHeight = std::max<int>(kCaseLabelHeight, TextRoom(Label1, kCaseText, caseWidth).cy);
    int y = 6;
    const int openTop = y;
    y += openHeight + 4;
    const int pathTop = y;
    y += kFieldHeight + 10;
    const int saveTop = y;
    y += kFieldHeight + 10;
    const int longTop = y;
    y += kFieldHeight + 10;
    const int caseTop = y;
    y += 1 + caseHeight + 4;
    const int height = kClientHeight + std::max(0, y - static_cast<int>(designPage.bottom - designPage.top));

    SetClientSize(width, height);
    Place(PageControl1, 0, 0, width, height - kPanelHeight);
    page_ = PageArea(width, height);

    PlaceOnPage(CheckBox1, kMargin, openTop, pageWidth - 2 * kMargin, openHeight);
    PlacePathRow(pathTop);
    PlaceNumberLine(saveTop, CheckBox2, SpinEdit1, SpinButton1);
    PlaceNumberLine(longTop, CheckBox3, SpinEdit2, SpinButton2, Label2);
    PlaceOnPage(QRegistrChB, kMargin, caseTop, kBoxHeight, kBoxHeight);
    PlaceOnPage(Label1, 28, caseTop + 1, caseWidth, caseHeight);

    // "Ярлыки": one above the other, centred.
    const int shortcutLeft = pageWidth / 2 - shortcutWidth / 2;
    int top = 16;
    for (HWND button : {AddFolder1Btn, AddFolder2Btn, AddFolder3Btn}) {
        PlaceOnPage(button, shortcutLeft, top, shortcutWidth, kButtonHeight);
        top += 36;
    }

    // "Подтверждения".
    top = 8;
    for (HWND box : {QExitChB, QOutChB, QInChB, QAllInChB}) {
        PlaceOnPage(box, kMargin, top, pageWidth - 2 * kMargin, kBoxHeight);
        top += 24;
    }
    PlaceButtons();
}

// The catalogue's path and its "..." button: the field reaches to 32 units before the tab's right edge,
// the button stands 8 units from it.
void TSetsForm::PlacePathRow(int top) {
    const int pageWidth = page_.right - page_.left;
    PlaceOnPage(Edit1, kMargin, top, pageWidth - kSmallButton - 32, kFieldHeight);
    PlaceOnPage(Button1, pageWidth - kSmallButton - kMargin, top, kSmallButton, kFieldHeight);
}

// A line of the first tab that sets a number: a check box as wide as its caption, then the number's field,
// whose arrows take its right end again wherever it stands, then the label that reads on after the number,
// as wide as its text and in the middle of the field's height.
int TSetsForm::NumberLineWidth(HWND box, HWND unit) const {
    const int unitWidth = unit ? kUnitGap + static_cast<int>(TextRoom(unit, TextOf(unit)).cx) : 0;
    return kMargin + CheckWidth(box) + kMargin + kNumberWidth + unitWidth + kMargin;
}

void TSetsForm::PlaceNumberLine(int top, HWND box, HWND field, HWND arrows, HWND unit) {
    const int boxWidth = CheckWidth(box);
    const int fieldLeft = kMargin + boxWidth + kMargin;
    PlaceOnPage(box, kMargin, top + 2, boxWidth, kBoxHeight);
    PlaceOnPage(field, fieldLeft, top, kNumberWidth, kFieldHeight);
    SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
    if (unit) {
        const SIZE room = TextRoom(unit, TextOf(unit));
        const int width = static_cast<int>(room.cx);
        const int height = static_cast<int>(room.cy);
        PlaceOnPage(unit, fieldLeft + kNumberWidth + kUnitGap, top + std::max(0, kFieldHeight - height) / 2,
                    width, height);
    }
}

// OK and Cancel stand symmetric about the centre, one button width between them.
void TSetsForm::PlaceButtons() {
    const SIZE client = ClientSize();
    const int top = client.cy - kPanelHeight + 8;
    Place(BitBtn1, client.cx / 2 - (3 * kButtonWidth) / 2, top, kButtonWidth, kButtonHeight);
    Place(BitBtn2, client.cx / 2 + kButtonWidth / 2, top, kButtonWidth, kButtonHeight);
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
        case IDC_SETSCHECKBOX3:
            if (code == BN_CLICKED) {
                CheckBox3Click();
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
        case IDC_SPINEDIT2:
            if (code == EN_KILLFOCUS) {
                SpinEdit2Exit();
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
    // Asked for again while it is up: the error comes before a field is touched.
    CheckNotShown();
    SetWindowTextA(Edit1, record.AutoOpenName.c_str());
    SetChecked(CheckBox1, record.AutoOpen, &TSetsForm::CheckBox1Click);
    // The file applies no range; the field shows the value brought into its own.
    const int minutes = std::clamp<int>(record.AutoSaveMinutes, kMinAutoSaveMinutes, kMaxAutoSaveMinutes);
    SetWindowTextA(SpinEdit1, IntToStr(minutes).c_str());
    SetChecked(CheckBox2, record.AutoSave, &TSetsForm::CheckBox2Click);
    const int days = std::clamp<int>(record.LongDays, kMinLongDays, kMaxLongDays);
    SetWindowTextA(SpinEdit2, IntToStr(days).c_str());
    SetChecked(CheckBox3, record.LongLoans, &TSetsForm::CheckBox3Click);
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
    record.LongDays = RangedInt(TextOf(SpinEdit2), kMinLongDays, kMaxLongDays);
    record.LongLoans = IsChecked(CheckBox3);
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

// The path row, the buttons and the shortcut buttons stand where their rules put them (Arrange), and the
// first tab is the active one.
void TSetsForm::FormShow() {
    Arrange();
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

void TSetsForm::CheckBox3Click() {
    const BOOL on = IsChecked(CheckBox3);
    EnableWindow(SpinEdit2, on);
    EnableWindow(SpinButton2, on);
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

void TSetsForm::SpinEdit2Exit() {
    const std::string text = TextOf(SpinEdit2);
    const std::string value = IntToStr(RangedInt(text, kMinLongDays, kMaxLongDays));
    if (text != value) {
        SetWindowTextA(SpinEdit2, value.c_str());
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
