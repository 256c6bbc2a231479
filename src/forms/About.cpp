#include "forms/About.h"

#include "platform/Application.h"
#include "platform/Shell.h"
#include "platform/Subclass.h"
#include "platform/Window.h"
#include "resources/resource.h"
#include "resources/version.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>

namespace {

#define ABOUT_STRING_OF(x) #x
#define ABOUT_STRING(x) ABOUT_STRING_OF(x)

// Design units (pixels at 100 %).
constexpr int kClientWidth = 408;
constexpr int kClientHeight = 332;
constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;
constexpr int kMargin = 8;
constexpr int kLineHeight = 16;
constexpr int kLinkButton = 22;
constexpr int kMailWidth = 170;
constexpr int kVersionWidth = 150;
constexpr int kCommentsTop = 200;
constexpr int kCommentsWidth = 377;
constexpr int kCommentsHeight = 89;
constexpr int kProductFontHeight = 16;

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

    // The pages' controls, in tab order; Arrange places them. Общее: the title picture.
    const auto control = [&](Page page, const char* cls, const char* text, DWORD style, DWORD exStyle,
                             int id) {
        return AddToPage(page, CreateControl(cls, text, style, exStyle, 0, 0, 0, 0, id));
    };
    Image1 = control(TabSheet1, "STATIC", "", SS_OWNERDRAW, 0, IDC_IMAGE1);

    // Автор, in its 13-unit font.
    const auto label = [&](const char* text, int id) {
        HWND made = control(TabSheet2, "STATIC", text, SS_LEFT | SS_NOPREFIX, 0, id);
        SetControlFont(made, kAuthorFontHeight);
        return made;
    };
    const auto link = [&](const char* text, int id) {
        HWND made = control(TabSheet2, "EDIT", text, kLinkStyle, 0, id);
        SetControlFont(made, kAuthorFontHeight, false, true);
        return made;
    };
    const auto button = [&](DWORD notify, int id) {
        return control(TabSheet2, "BUTTON", "", BS_PUSHBUTTON | BS_ICON | BS_FLAT | notify, 0, id);
    };
    ProductName = label(VESH_PRODUCT_NAME, IDC_PRODUCTNAME);
    SetControlFont(ProductName, kProductFontHeight, true);
    Version =
        label("Версия " ABOUT_STRING(VESH_VERSION_MAJOR) "." ABOUT_STRING(VESH_VERSION_MINOR), IDC_VERSION);
    Label8 = label(VESH_RELEASE_DATE " г.", IDC_LABEL8);
    Bevel1 = control(TabSheet2, "STATIC", "", SS_ETCHEDHORZ, 0, IDC_BEVEL1);
    Rights = label(VESH_COPYRIGHT, IDC_RIGHTS);
    Label7 = label("Семёнов Андрей Николаевич", IDC_LABEL7);
    Edit0 = link(kAuthorMail, IDC_EDIT0);
    // A double click on the home page's button opens it, as on the field beside it.
    SpeedButton1 = button(BS_NOTIFY, IDC_SPEEDBUTTON1);
    Edit1 = link(kHomePage, IDC_EDIT1);
    Label4 = label("Страничка программы:", IDC_LABEL4);
    SpeedButton2 = button(0, IDC_SPEEDBUTTON2);
    Edit2 = link(kProgramPage, IDC_EDIT2);
    Label5 = label("Описание:", IDC_LABEL5);
    Comments = label("", IDC_COMMENTS);

    // Версии and Лицензия: the texts, read only, left out of the Tab key's round.
    Memo1 = control(TabSheet3, "EDIT", "", kMemoStyle, WS_EX_CLIENTEDGE, IDC_MEMO1);
    Memo2 = control(TabSheet4, "EDIT", "", kMemoStyle, WS_EX_CLIENTEDGE, IDC_MEMO2);

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
    // Bevel1 across the tab, Label8 against its right edge and every other place: Arrange.
    LayOut();
}

// A link field's width that shows its whole address: the text and the field's margins.
int TAboutBox::LinkWidth(HWND link) const {
    const LRESULT margins = SendMessageA(link, EM_GETMARGINS, 0, 0);
    return TextRoom(link, TextOf(link)).cx + DesignRoom(LOWORD(margins) + HIWORD(margins));
}

// A line of a label's font.
int TAboutBox::LineHeight(HWND label) const {
    return std::max<int>(kLineHeight, TextRoom(label, "Ay").cy);
}

// The pages' controls stand where the design puts them on the tabs' area, each as large as its text needs
// in its font at the box's scale. A text that needs more room than the design gives makes the box wider
// or taller: first the room the pages need, then the places.
void TAboutBox::Arrange() {
    const RECT designArea = TabPageArea(PageControl1, kClientWidth, kClientHeight);
    const int designWidth = designArea.right - designArea.left;
    const int designHeight = designArea.bottom - designArea.top;

    // Автор: the e-mail link, the home page's button and its link share a line.
    const int mailWidth = std::max(kMailWidth, LinkWidth(Edit0));
    const int homeLeft = kMargin + mailWidth + 10 + kLinkButton + 4;
    const auto textWidth = [&](HWND label) { return static_cast<int>(TextRoom(label, TextOf(label)).cx); };
    const int dateWidth = textWidth(Label8);
    const int pageWidth = std::max(
        {designWidth, kPictureWidth, homeLeft + LinkWidth(Edit1) + kMargin, 34 + LinkWidth(Edit2) + kMargin,
         kMargin + std::max(kVersionWidth, textWidth(Version)) + kMargin + dateWidth + kMargin,
         kMargin + textWidth(ProductName) + kMargin, 2 * kMargin + textWidth(Rights), 32 + textWidth(Label7),
         2 * kMargin + kCommentsWidth});
    const int commentsHeight =
        std::max<int>(kCommentsHeight, TextRoom(Comments, TextOf(Comments), kCommentsWidth).cy);
    const int pageHeight = std::max({designHeight, kPictureHeight, kCommentsTop + commentsHeight + kMargin});
    const int width = kClientWidth + pageWidth - designWidth;
    const int height = kClientHeight + pageHeight - designHeight;
    SetClientSize(width, height);
    Place(PageControl1, 0, 0, width, height);
    const RECT area = TabPageArea(PageControl1, width, height);
    const auto place = [&](HWND control, int x, int y, int w, int h) {
        Place(control, area.left + x, area.top + y, w, h);
    };

    place(Image1, 0, 0, kPictureWidth, kPictureHeight);

    place(ProductName, kMargin, 8, std::max(250, textWidth(ProductName)), LineHeight(ProductName));
    place(Version, kMargin, 32, std::max(kVersionWidth, textWidth(Version)), LineHeight(Version));
    place(Label8, pageWidth - dateWidth - kMargin, 32, dateWidth, LineHeight(Label8));
    place(Bevel1, kMargin, 54, pageWidth - 2 * kMargin, 2);
    place(Rights, kMargin, 64, pageWidth - 2 * kMargin, LineHeight(Rights));
    place(Label7, 24, 84, pageWidth - 32, LineHeight(Label7));
    place(Edit0, kMargin, 110, mailWidth, LineHeight(Edit0));
    place(SpeedButton1, kMargin + mailWidth + 10, 107, kLinkButton, kLinkButton);
    place(Edit1, homeLeft, 110, pageWidth - homeLeft - kMargin, LineHeight(Edit1));
    place(Label4, kMargin, 136, std::max(200, textWidth(Label4)), LineHeight(Label4));
    place(SpeedButton2, kMargin, 153, kLinkButton, kLinkButton);
    place(Edit2, 34, 156, pageWidth - 42, LineHeight(Edit2));
    place(Label5, kMargin, 182, std::max(200, textWidth(Label5)), LineHeight(Label5));
    place(Comments, kMargin, kCommentsTop, kCommentsWidth, commentsHeight);

    place(Memo1, 0, 0, pageWidth, pageHeight);
    place(Memo2, 0, 0, pageWidth, pageHeight);

    ShowLinkPictures();
}

// The link buttons' pictures of the set the box's scale reaches (the sets' ids are IDB_SCALE_STEP
// apart), 16 x 16 at 100 %.
void TAboutBox::ShowLinkPictures() {
    const DisplayScale pictureScale = PictureScale(Scale());
    if (pictureScale.Dpi() == linkPicturesDpi_) {
        return;
    }
    const int id = IDB_LINKS16 + PictureSet(Scale()) * IDB_SCALE_STEP;
    const int side = pictureScale(16);
    unique_himagelist pictures;
    if (pictureScale.IsDesign()) {
        // At 100 % the pictures are see-through where they are magenta.
        pictures.reset(ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), side, 0,
                                            RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    } else {
        // The larger ones carry their own transparency, for smooth edges.
        pictures.reset(ImageList_Create(side, side, ILC_COLOR32, 2, 0));
        unique_hbitmap strip(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                             IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (pictures && strip) {
            ImageList_Add(pictures.get(), strip.get(), nullptr);
        }
    }
    unique_hicon home(ImageList_GetIcon(pictures.get(), 0, ILD_TRANSPARENT));
    unique_hicon page(ImageList_GetIcon(pictures.get(), 1, ILD_TRANSPARENT));
    SendMessageA(SpeedButton1, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(home.get()));
    SendMessageA(SpeedButton2, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(page.get()));
    // The buttons hold the new pictures; the old ones can go.
    homePicture_ = std::move(home);
    pagePicture_ = std::move(page);
    linkPicturesDpi_ = pictureScale.Dpi();
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
