#include "forms/StatUnit.h"

#include <algorithm>
#include <string>

namespace {

// Design units (pixels at 100 %).
constexpr int kClientWidth = 258;
constexpr int kClientHeight = 255;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr int kBoxLeft = 8;
constexpr int kTextInset = 16; // from the client area's side to a row's text
constexpr int kRowHeight = 13;
constexpr int kGap = 4; // between a caption and its value
constexpr int kButtonWidth = 75;
constexpr DWORD kCaptionStyle = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kValueStyle = WS_VISIBLE | SS_RIGHT | SS_NOPREFIX;

} // namespace

TStatForm::TStatForm(HWND owner) {
    CreateFrame(owner, "Статистика", kStyle, kExStyle, kClientWidth, kClientHeight);
    FormCreate();
}

// A row of the design: its caption from the text's left to `valueLeft`, its value from there to the right.
void TStatForm::AddRow(const char* caption, int y, int valueLeft, int id, DWORD valueStyle) {
    Row row{CreateControl("STATIC", caption, kCaptionStyle, 0, 0, 0, 0, 0, 0),
            CreateControl("STATIC", "", valueStyle, 0, 0, 0, 0, 0, id), y, valueLeft};
    rows_.push_back(row);
}

void TStatForm::FormCreate() {
    // The file: its name, its folder on a line of its own, its size.
    FileBox = CreateControl("BUTTON", "", WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, 0, 0);
    // A name too long for the window ends in "...", as its folder is shortened in its middle.
    AddRow("Имя базы", 20, 110, IDC_STATLABEL4, kValueStyle | SS_ENDELLIPSIS);
    FolderCaption = CreateControl("STATIC", "Размещение базы", kCaptionStyle, 0, 0, 0, 0, 0, 0);
    Label5 = CreateControl("STATIC", "", kValueStyle | SS_PATHELLIPSIS, 0, 0, 0, 0, 0, IDC_STATLABEL5);
    AddRow("Размер базы (байт)", 82, 150, IDC_STATLABEL6, kValueStyle);

    // The counts.
    CountsBox = CreateControl("BUTTON", "", WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, 0, 0);
    AddRow("Общее кол-во должников", 136, 180, IDC_STATLABEL11, kValueStyle);
    AddRow("Сейчас должников", 156, 180, IDC_STATLABEL12, kValueStyle);
    AddRow("Общее кол-во предметов", 176, 180, IDC_STATLABEL13, kValueStyle);
    AddRow("Предметов у должников", 196, 180, IDC_STATLABEL14, kValueStyle);

    BitBtn1 = CreateControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                            0, IDOK);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
    LayOut();
}

// The rows of the design, each caption and each number whole in the window's font at its scale: a row
// that needs more than the design's width makes the window wider. The file's name and folder are
// shortened with "..." instead.
void TStatForm::Arrange() {
    const int lineHeight = std::max<int>(kRowHeight, TextRoom(FolderCaption, "Ay").cy);
    int textWidth = kClientWidth - 2 * kTextInset;
    for (const Row& row : rows_) {
        const int caption =
            std::max<int>(row.valueLeft - kTextInset, TextRoom(row.caption, TextOf(row.caption)).cx);
        const bool shortened = (GetWindowLongA(row.value, GWL_STYLE) & SS_ENDELLIPSIS) != 0;
        const int value = shortened ? 0 : TextRoom(row.value, TextOf(row.value)).cx;
        textWidth = std::max(textWidth, caption + kGap + value);
    }
    textWidth = std::max<int>(textWidth, TextRoom(FolderCaption, TextOf(FolderCaption)).cx);
    const int width = textWidth + 2 * kTextInset;
    SetClientSize(width, kClientHeight);

    Place(FileBox, kBoxLeft, 4, width - 2 * kBoxLeft, 110);
    Place(CountsBox, kBoxLeft, 120, width - 2 * kBoxLeft, 94);
    for (const Row& row : rows_) {
        const int caption =
            std::max<int>(row.valueLeft - kTextInset, TextRoom(row.caption, TextOf(row.caption)).cx);
        Place(row.caption, kTextInset, row.y, caption, lineHeight);
        Place(row.value, kTextInset + caption, row.y, textWidth - caption, lineHeight);
    }
    Place(FolderCaption, kTextInset, 40, textWidth, lineHeight);
    Place(Label5, kTextInset, 58, textWidth, lineHeight);
    Place(BitBtn1, (width - kButtonWidth) / 2, 222, kButtonWidth, 25);
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
    // The numbers are whole, however many digits they have.
    Arrange();
    ShowModal(BitBtn1);
}
