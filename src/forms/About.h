#pragma once
// The About box: the title picture, the product's name, version and date, the author's links, a short
// description, the version history and the licence, on four tabs. It hides a small game: typing
// certain words while it is open makes the author's name bold or blink in changing colours. Created
// on first use with the main window as owner and kept for the run, so its creation steps run once.

#include "platform/Dialog.h"
#include "platform/Handles.h"
#include "platform/Picture.h"
#include "platform/Subclass.h"

#include <optional>
#include <string>
#include <vector>

// The most recent keys typed in the About box, for the game; empty at program start and kept between
// openings.
extern std::string TypedKeys;

constexpr int IDC_PAGECONTROL1 = 301;
constexpr int IDC_IMAGE1 = 302;
constexpr int IDC_PRODUCTNAME = 303;
constexpr int IDC_VERSION = 304;
constexpr int IDC_LABEL8 = 305; // release date
constexpr int IDC_BEVEL1 = 306;
constexpr int IDC_RIGHTS = 307;
constexpr int IDC_LABEL7 = 308; // the author's name, which the game acts on
constexpr int IDC_EDIT0 = 309;  // e-mail link
constexpr int IDC_SPEEDBUTTON1 = 310;
constexpr int IDC_EDIT1 = 311; // home page link
constexpr int IDC_LABEL4 = 312;
constexpr int IDC_SPEEDBUTTON2 = 313;
constexpr int IDC_EDIT2 = 314; // program page link
constexpr int IDC_LABEL5 = 315;
constexpr int IDC_COMMENTS = 316;
constexpr int IDC_MEMO1 = 317; // history
constexpr int IDC_MEMO2 = 318; // licence

// The author's e-mail address: what the e-mail link shows and, after "mailto:", what it opens.
constexpr const char* kAuthorMail = "veshchehran@example.org";

class TAboutBox : public Dialog {
  public:
    // Creates the box hidden, owned by `owner` (the main window), and runs FormCreate.
    explicit TAboutBox(HWND owner);

    // Shows the box modally until it is closed.
    void Execute();

  protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Arrange() override;

  private:
    enum Page { TabSheet1, TabSheet2, TabSheet3, TabSheet4, kPageCount };
    static constexpr UINT_PTR kTimer1 = 1;
    // The height of the author's page's font, in design units.
    static constexpr int kAuthorFontHeight = 13;
    // The author's name's colour outside the game: the system's window-text colour.
    static constexpr COLORREF kWindowText = CLR_DEFAULT;

    void CreateControls();
    HWND AddToPage(Page page, HWND control);
    int LinkWidth(HWND link) const;
    int LineHeight(HWND label) const;
    void ShowLinkPictures();
    void FormCreate();
    void FormKeyPress(char key);
    void Timer1Timer();
    void FormHide();
    void Edit0DblClick();
    void Edit1DblClick();
    void Edit2DblClick();
    // A key typed into a link field: Enter opens its link (true), other keys are left to the field.
    bool LinkKeyPress(HWND link, char key);
    void OpenLink(HWND link);

    // Loads a text file of the program's folder into a history field; false when there is none.
    bool LoadMemo(HWND memo, const char* fileName);
    void HideTab(Page page);
    void ActivatePage(Page page);
    void ShowActivePage();
    void SetTimer1Enabled(bool enabled);
    void SetLabel7Bold(bool bold);
    void SetLabel7Visible(bool visible);
    void SetLabel7Color(COLORREF color);
    void ShowAuthorPage();
    HBRUSH CtlColorStatic(HDC dc, HWND control);
    void DrawImage1(const DRAWITEMSTRUCT* item) const;
    bool IsLink(HWND control) const { return control == Edit0 || control == Edit1 || control == Edit2; }

    // Every control that can hold the keyboard passes typed keys to the box first; the link fields also
    // take double clicks, Enter and the hand pointer there.
    std::optional<LRESULT> ControlMessageFilter(const ControlMessage& message);

    Picture title_;
    unique_hicon homePicture_, pagePicture_;
    int linkPicturesDpi_ = 0; // the scale the link buttons' pictures were drawn for
    std::vector<HWND> pages_[kPageCount];
    std::vector<Page> tabs_; // the page of each tab the box shows

    HWND PageControl1 = nullptr;
    HWND Image1 = nullptr;
    HWND ProductName = nullptr, Version = nullptr, Rights = nullptr, Label4 = nullptr, Label5 = nullptr;
    HWND Label8 = nullptr;
    HWND Bevel1 = nullptr;
    HWND Label7 = nullptr;
    HWND Edit0 = nullptr, Edit1 = nullptr, Edit2 = nullptr;
    HWND SpeedButton1 = nullptr, SpeedButton2 = nullptr;
    HWND Comments = nullptr;
    HWND Memo1 = nullptr, Memo2 = nullptr;

    bool timer1Enabled_ = false;
    int timer1Ticks_ = 0; // kept across stops and starts for the life of the box
    bool label7Bold_ = false;
    bool label7Visible_ = true;
    COLORREF label7Color_; // CLR_DEFAULT: the system's window-text colour
};
