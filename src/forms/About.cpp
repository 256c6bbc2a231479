#include "forms/About.h"

#include "platform/Application.h"
#include "platform/Shell.h"
#include "platform/Subclass.h"
#include "platform/Window.h"
#include "resources/resource.h"
#include "resources/version.h"

#include <commctrl.h>

#include <cstddef>

namespace {

#define ABOUT_STRING_OF(x) #x
#define ABOUT_STRING(x) ABOUT_STRING_OF(x)

constexpr int kClientWidth = 408;
constexpr int kClientHeight = 332;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

constexpr const char* kHomePage = "http://example.org/semenov/";
constexpr const char* kProgramPage = "http://example.org/veshchehran/";

// A history larger than this shows its first lines only: the box opens at once whatever lies beside
// the program.
constexpr DWORD kLargestText = 1 << 20;

constexpr DWORD kLinkStyle = WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kMemoStyle = ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL;

// The first bytes of a file, up to `limit`; false when it cannot be read.
bool ReadHead(const std::string& path, DWORD limit, std::string& bytes) {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    bytes.resize(limit);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), limit, &got, nullptr)) {
        return false;
    }
    bytes.resize(got);
    return true;
}

// The lines of a text (ended by CR LF, LF or CR) as a multi-line field shows them, joined by CR LF; a
// NUL byte, which would end the field's text, shows as a blank. `cut` drops the last line, which a
// read that stopped at its limit may have broken.
std::string AsFieldText(const std::string& bytes, bool cut) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    size_t end = bytes.size();
    if (cut) {
        const size_t last = bytes.find_last_of("\r\n");
        end = last == std::string::npos ? 0 : last;
    }
    for (size_t i = 0; i < end; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < end && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            text += c == '\0' ? ' ' : c;
        }
    }
    return text;
}

} // namespace

TAboutBox::TAboutBox(HWND owner) : title_(Picture::FromJpegResource(IDR_TITLE)), label7Color_(kWindowText) {
    CreateFrame(owner, "О программе", kStyle, kExStyle, kClientWidth, kClientHeight);
    CreateControls();
    FormCreate();
}

HWND TAboutBox::AddToPage(Page page, HWND control) {
    pages_[page].push_back(control);
    return control;
}

void TAboutBox::CreateControls() {
    PageControl1 = CreateControl(WC_TABCONTROLA, "",
                                 WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_BUTTONS | TCS_FLATBUTTONS, 0,
                                 0, 0, kClientWidth, kClientHeight, IDC_PAGECONTROL1);
    const char* captions[kPageCount] = {"Общее", "Автор", "Версии", "Лицензия"};
    for (int page = 0; page < kPageCount; ++page) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[page]);
        SendMessageA(PageControl1, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
        tabs_.push_back(static_cast<Page>(page));
    }
    RECT area{0, 0, kClientWidth, kClientHeight};
    SendMessageA(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const int x = area.left;
    const int y = area.top;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;

    // Общее: the title picture.
    Image1 = AddToPage(TabSheet1, CreateControl("STATIC", "", SS_OWNERDRAW, 0, x, y, 400, 300, IDC_IMAGE1));

    // Автор.
    authorFont_ = MakeDesignFont(13, false, false);
    boldFont_ = MakeDesignFont(13, true, false);
    productFont_ = MakeDesignFont(16, true, false);
    linkFont_ = MakeDesignFont(13, false, true);
    const auto label = [&](const char* text, int left, int top, int w, int id, HFONT font) {
        HWND control = AddToPage(
            TabSheet2, CreateControl("STATIC", text, SS_LEFT | SS_NOPREFIX, 0, x + left, y + top, w, 16, id));
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    const auto link = [&](const char* text, int left, int top, int w, int id) {
        HWND control =
            AddToPage(TabSheet2, CreateControl("EDIT", text, kLinkStyle, 0, x + left, y + top, w, 16, id));
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
        return control;
    };
    const auto button = [&](HICON picture, DWORD notify, int left, int top, int id) {
        HWND control =
            AddToPage(TabSheet2, CreateControl("BUTTON", "", BS_PUSHBUTTON | BS_ICON | BS_FLAT | notify, 0,
                                               x + left, y + top, 22, 22, id));
        SendMessageA(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
        return control;
    };
    linkPictures_.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LINKS16), 16, 0,
                                             RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    homePicture_.reset(ImageList_GetIcon(linkPictures_.get(), 0, ILD_TRANSPARENT));
    pagePicture_.reset(ImageList_GetIcon(linkPictures_.get(), 1, ILD_TRANSPARENT));

    label(VESH_PRODUCT_NAME, 8, 8, 250, IDC_PRODUCTNAME, productFont_.get());
    label("Версия " ABOUT_STRING(VESH_VERSION_MAJOR) "." ABOUT_STRING(VESH_VERSION_MINOR), 8, 32, 150,
          IDC_VERSION, authorFont_.get());
    Label8 = label(VESH_RELEASE_DATE " г.", 0, 32, 100, IDC_LABEL8, authorFont_.get());
    Bevel1 = AddToPage(TabSheet2,
                       CreateControl("STATIC", "", SS_ETCHEDHORZ, 0, x + 8, y + 54, 100, 2, IDC_BEVEL1));
    label(VESH_COPYRIGHT, 8, 64, width - 16, IDC_RIGHTS, authorFont_.get());
    Label7 = label("Семёнов Андрей Николаевич", 24, 84, width - 32, IDC_LABEL7, authorFont_.get());
    Edit0 = link(kAuthorMail, 8, 110, 170, IDC_EDIT0);
    // A double click on the home page's button opens it, as on the field beside it.
    SpeedButton1 = button(homePicture_.get(), BS_NOTIFY, 188, 107, IDC_SPEEDBUTTON1);
    Edit1 = link(kHomePage, 214, 110, width - 222, IDC_EDIT1);
    label("Страничка программы:", 8, 136, 200, IDC_LABEL4, authorFont_.get());
    SpeedButton2 = button(pagePicture_.get(), 0, 8, 153, IDC_SPEEDBUTTON2);
    Edit2 = link(kProgramPage, 34, 156, width - 42, IDC_EDIT2);
    label("Описание:", 8, 182, 200, IDC_LABEL5, authorFont_.get());
    Comments = AddToPage(TabSheet2, CreateControl("STATIC", "", SS_LEFT | SS_NOPREFIX, 0, x + 8, y + 200, 377,
                                                  89, IDC_COMMENTS));
    SendMessageA(Comments, WM_SETFONT, reinterpret_cast<WPARAM>(authorFont_.get()), FALSE);

    // Версии and Лицензия: the texts, read only, left out of the Tab key's round.
    Memo1 = AddToPage(
        TabSheet3, CreateControl("EDIT", "", kMemoStyle, WS_EX_CLIENTEDGE, x, y, width, height, IDC_MEMO1));
    Memo2 = AddToPage(
        TabSheet4, CreateControl("EDIT", "", kMemoStyle, WS_EX_CLIENTEDGE, x, y, width, height, IDC_MEMO2));

    // The tab control lies under the pages' controls.
    SetWindowPos(PageControl1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (HWND control : {PageControl1, Edit0, Edit1, Edit2, SpeedButton1, SpeedButton2, Memo1, Memo2}) {
        FilterMessages(control, [this](const ControlMessage& m) { return ControlMessageFilter(m); });
    }
}

void TAboutBox::FormCreate() {
    SetWindowTextA(Comments,
                   "Отдали книгу, компакт диск с фильмом или программой, еще что либо? Забыли кому?\r"
                   "Запишите здесь и всегда будете знать, где (у кого) Ваши вещи!\r"
                   "Возможно описать любой предмет!");
    if (!LoadMemo(Memo1, "history.txt")) {
        HideTab(TabSheet3);
    }
    if (!LoadMemo(Memo2, "license.txt")) {
        HideTab(TabSheet4);
    }
    ActivatePage(TabSheet1);

    RECT area{0, 0, kClientWidth, kClientHeight};
    SendMessageA(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    const int width = area.right - area.left;
    SetWindowPos(Bevel1, nullptr, 0, 0, width - 16, 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    {
        WindowDC dc(Label8);
        SelectObjectGuard font(dc.get(), authorFont_.get());
        const std::string date = TextOf(Label8);
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), date.data(), static_cast<int>(date.size()), &size);
        SetWindowPos(Label8, nullptr, area.left + width - size.cx - 8, area.top + 32, size.cx, 16,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool TAboutBox::LoadMemo(HWND memo, const char* fileName) {
    std::string bytes;
    if (!ReadHead(Application::ExeFolder() + fileName, kLargestText + 1, bytes)) {
        return false;
    }
    const bool cut = bytes.size() > kLargestText;
    if (cut) {
        bytes.resize(kLargestText);
    }
    SendMessageA(memo, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(memo, AsFieldText(bytes, cut).c_str());
    return true;
}

void TAboutBox::HideTab(Page page) {
    for (size_t tab = 0; tab < tabs_.size(); ++tab) {
        if (tabs_[tab] == page) {
            SendMessageA(PageControl1, TCM_DELETEITEM, tab, 0);
            tabs_.erase(tabs_.begin() + static_cast<std::ptrdiff_t>(tab));
            return;
        }
    }
}

void TAboutBox::ActivatePage(Page page) {
    for (size_t tab = 0; tab < tabs_.size(); ++tab) {
        if (tabs_[tab] == page) {
            SendMessageA(PageControl1, TCM_SETCURSEL, tab, 0);
        }
    }
    ShowActivePage();
}

void TAboutBox::ShowActivePage() {
    const auto tab = SendMessageA(PageControl1, TCM_GETCURSEL, 0, 0);
    const int active =
        tab >= 0 && static_cast<size_t>(tab) < tabs_.size() ? tabs_[static_cast<size_t>(tab)] : -1;
    for (int page = 0; page < kPageCount; ++page) {
        for (HWND control : pages_[page]) {
            const bool show = page == active && (control != Label7 || label7Visible_);
            ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
        }
    }
}

void TAboutBox::Execute() {
    ShowModal(PageControl1);
}

INT_PTR TAboutBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: return FALSE; // focus is placed when the box is shown
    case WM_CLOSE: EndModal(false); return TRUE;
    case WM_SHOWWINDOW:
        if (!wParam && lParam == 0) {
            FormHide();
        }
        return FALSE;
    case WM_CHAR: FormKeyPress(static_cast<char>(wParam)); return TRUE;
    case WM_TIMER:
        if (wParam == kTimer1) {
            Timer1Timer();
        }
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            CtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DRAWITEM:
        if (wParam == IDC_IMAGE1) {
            DrawImage1(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->idFrom == IDC_PAGECONTROL1 &&
            reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
            ShowActivePage();
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL: EndModal(false); return TRUE;
        case IDC_SPEEDBUTTON1:
            if (HIWORD(wParam) == BN_DOUBLECLICKED) {
                Edit1DblClick();
            }
            return TRUE;
        case IDC_SPEEDBUTTON2:
            if (HIWORD(wParam) == BN_CLICKED) {
                Edit2DblClick();
            }
            return TRUE;
        }
        break;
    }
    return FALSE;
}

HBRUSH TAboutBox::CtlColorStatic(HDC dc, HWND control) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (control == Label7) {
        SetTextColor(dc, label7Color_ == kWindowText ? GetSysColor(COLOR_WINDOWTEXT) : label7Color_);
    } else if (IsLink(control)) {
        SetTextColor(dc, RGB(0, 0, 255));
    } else if (control == Memo1 || control == Memo2) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return GetSysColorBrush(COLOR_WINDOW);
    } else {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    }
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TAboutBox::DrawImage1(const DRAWITEMSTRUCT* item) const {
    title_.Draw(item->hDC, item->rcItem);
}

void TAboutBox::Edit0DblClick() {
    ShellOpen(Handle(), std::string("mailto:") + kAuthorMail, SW_SHOWNORMAL);
}

void TAboutBox::Edit1DblClick() {
    OpenLink(Edit1);
}

void TAboutBox::Edit2DblClick() {
    OpenLink(Edit2);
}

void TAboutBox::OpenLink(HWND link) {
    ShellOpen(Handle(), TextOf(link), SW_SHOWNORMAL);
}

bool TAboutBox::LinkKeyPress(HWND link, char key) {
    if (key != '\r') {
        return false;
    }
    if (link == Edit0) {
        Edit0DblClick();
    } else {
        OpenLink(link);
    }
    return true;
}

std::optional<LRESULT> TAboutBox::ControlMessageFilter(const ControlMessage& m) {
    switch (m.msg) {
    case WM_GETDLGCODE: {
        // Typed keys reach every control, buttons included; Enter reaches the link fields.
        LRESULT code = m.CallControl() | DLGC_WANTCHARS;
        const auto* key = reinterpret_cast<const MSG*>(m.lParam);
        if (IsLink(m.hwnd) && key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_CHAR: {
        const char key = TypedChar(m.hwnd, m.wParam);
        FormKeyPress(key);
        if (IsLink(m.hwnd) && LinkKeyPress(m.hwnd, key)) {
            return 0;
        }
        break;
    }
    case WM_LBUTTONDBLCLK:
        if (IsLink(m.hwnd)) {
            const LRESULT result = m.CallControl();
            // The control has answered: an error of the link's own action must not make it answer twice.
            RunGuarded([&] {
                if (m.hwnd == Edit0) {
                    Edit0DblClick();
                } else {
                    OpenLink(m.hwnd);
                }
            });
            return result;
        }
        break;
    case WM_SETCURSOR:
        if (IsLink(m.hwnd)) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    }
    return std::nullopt;
}
