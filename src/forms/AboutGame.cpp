// The About box's game: typing certain words while the box is open makes the author's name bold, or
// blink in changing colours; closing the box ends it.

#include "forms/About.h"

#include "text/Letters.h"

std::string TypedKeys;

namespace {

constexpr UINT kTimer1Interval = 700;

} // namespace

// Typed words of the game: the three keys K, R, T (in either keyboard layout) make the name bold and
// normal again; "thanks" or "спасибо" (typed in either layout) start and stop its blinking.
void TAboutBox::FormKeyPress(char key) {
    if (TypedKeys.size() > 20) {
        TypedKeys.erase(0, 10);
    }
    TypedKeys += key;
    const std::string typed = UpperCase(TypedKeys);
    const auto has = [&](const char* word) { return typed.find(word) != std::string::npos; };
    if (has("KRT") || has("ЛКЕ")) {
        if (label7Bold_) {
            SetLabel7Bold(false);
        } else {
            ShowAuthorPage();
            SetLabel7Bold(true);
        }
        MessageBeep(MB_OK);
        TypedKeys.clear();
    }
    if (has("СПАСИБО") || has("CGFCB,J") || has("THANKS") || has("ЕРФТЛЫ")) {
        SetTimer1Enabled(!timer1Enabled_);
        if (timer1Enabled_) {
            ShowAuthorPage();
        } else {
            SetLabel7Color(kWindowText);
            SetLabel7Visible(true);
        }
        MessageBeep(MB_OK);
        TypedKeys.clear();
    }
}

// The name blinks and changes its colour every fifth tick: red, yellow, lime, blue, fuchsia, and back
// to the window-text colour, 21 seconds a round.
void TAboutBox::Timer1Timer() {
    SetLabel7Visible(!label7Visible_);
    ++timer1Ticks_;
    COLORREF color = label7Color_;
    switch (timer1Ticks_) {
    case 5: color = RGB(255, 0, 0); break;
    case 10: color = RGB(255, 255, 0); break;
    case 15: color = RGB(0, 255, 0); break;
    case 20: color = RGB(0, 0, 255); break;
    case 25: color = RGB(255, 0, 255); break;
    case 30:
        color = kWindowText;
        timer1Ticks_ = 0;
        break;
    }
    if (color != label7Color_) {
        SetLabel7Color(color);
    }
}

void TAboutBox::FormHide() {
    SetTimer1Enabled(false);
    SetLabel7Color(kWindowText);
    SetLabel7Bold(false);
    SetLabel7Visible(true);
}

void TAboutBox::SetTimer1Enabled(bool enabled) {
    timer1Enabled_ = enabled;
    if (enabled) {
        SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
    } else {
        KillTimer(Handle(), kTimer1);
    }
}

void TAboutBox::SetLabel7Bold(bool bold) {
    label7Bold_ = bold;
    SetControlFont(Label7, kAuthorFontHeight, bold);
}

void TAboutBox::SetLabel7Visible(bool visible) {
    label7Visible_ = visible;
    ShowActivePage();
}

void TAboutBox::SetLabel7Color(COLORREF color) {
    label7Color_ = color;
    InvalidateRect(Label7, nullptr, TRUE);
}

// The name the game acts on is on the author's page, painted at once before it changes.
void TAboutBox::ShowAuthorPage() {
    ActivatePage(TabSheet2);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
