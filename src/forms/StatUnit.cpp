#include "forms/StatUnit.h"

#include <string>

namespace {

constexpr int kClientWidth = 258;
constexpr int kClientHeight = 255;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr int kBoxLeft = 8;
constexpr int kBoxRight = kClientWidth - 8;
constexpr int kTextLeft = kBoxLeft + 8;
constexpr int kTextRight = kBoxRight - 8;
constexpr int kRowHeight = 13;
constexpr DWORD kValueStyle = WS_VISIBLE | SS_RIGHT | SS_NOPREFIX;

} // namespace

TStatForm::TStatForm(HWND owner) {
    CreateFrame(owner, "Статистика", kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

void TStatForm::AddRow(const char* caption, int y, int valueLeft, int id) {
    CreateControl("STATIC", caption, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, kTextLeft, y,
                  valueLeft - kTextLeft, kRowHeight, 0);
    CreateControl("STATIC", "", kValueStyle | SS_ENDELLIPSIS, 0, valueLeft, y, kTextRight - valueLeft,
                  kRowHeight, id);
}

void TStatForm::FormCreate() {
    // The file: its name, its folder on a line of its own, its size.
    CreateControl("BUTTON", "", WS_VISIBLE | BS_GROUPBOX, 0, kBoxLeft, 4, kBoxRight - kBoxLeft, 110, 0);
    AddRow("Имя базы", 20, 110, IDC_STATLABEL4);
    CreateControl("STATIC", "Размещение базы", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, kTextLeft, 40,
                  kTextRight - kTextLeft, kRowHeight, 0);
    CreateControl("STATIC", "", kValueStyle | SS_PATHELLIPSIS, 0, kTextLeft, 58, kTextRight - kTextLeft,
                  kRowHeight, IDC_STATLABEL5);
    AddRow("Размер базы (байт)", 82, 150, IDC_STATLABEL6);

    // The counts.
    CreateControl("BUTTON", "", WS_VISIBLE | BS_GROUPBOX, 0, kBoxLeft, 120, kBoxRight - kBoxLeft, 94, 0);
    AddRow("Общее кол-во должников", 136, 180, IDC_STATLABEL11);
    AddRow("Сейчас должников", 156, 180, IDC_STATLABEL12);
    AddRow("Общее кол-во предметов", 176, 180, IDC_STATLABEL13);
    AddRow("Предметов у должников", 196, 180, IDC_STATLABEL14);

    BitBtn1 = CreateControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0,
                            (kClientWidth - 75) / 2, 222, 75, 25, IDOK);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
}

INT_PTR TStatForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the window is shown
    case WM_CLOSE: EndModal(false); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: EndModal(true); return TRUE;
        case IDCANCEL: EndModal(false); return TRUE;
        }
        break;
    }
    return FALSE;
}

void TStatForm::ShowStatistics(const std::string& catalogPath, std::int64_t size,
                               const CatalogCounts& counts) {
    const PathParts parts = SplitPath(catalogPath);
    SetDlgItemTextA(Handle(), IDC_STATLABEL4, parts.name.c_str());
    SetDlgItemTextA(Handle(), IDC_STATLABEL5, parts.folder.c_str());
    SetDlgItemTextA(Handle(), IDC_STATLABEL6, std::to_string(size).c_str());
    SetDlgItemTextA(Handle(), IDC_STATLABEL11, std::to_string(counts.debtors).c_str());
    SetDlgItemTextA(Handle(), IDC_STATLABEL12, std::to_string(counts.holders).c_str());
    SetDlgItemTextA(Handle(), IDC_STATLABEL13, std::to_string(counts.items).c_str());
    SetDlgItemTextA(Handle(), IDC_STATLABEL14, std::to_string(counts.lent).c_str());
    ShowModal(BitBtn1);
}
