#include "ui/ToolBar.h"

#include "platform/Window.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

void ToolBar::Create(HWND owner, int coolBarId, int toolBarId, const std::vector<Action*>& buttons) {
    buttons_ = buttons;
    coolBar_ = CreateControlWindow(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                                       RBS_AUTOSIZE | CCS_NODIVIDER | CCS_TOP,
                                   0, 0, 0, 0, owner, coolBarId);
    toolBar_ = CreateControlWindow(0, TOOLBARCLASSNAMEA, nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                       CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                                   0, 0, 0, 0, coolBar_, toolBarId);
    // Commands and tooltip requests go straight to the owner, not to the cool bar.
    SendMessageA(toolBar_, TB_SETPARENT, reinterpret_cast<WPARAM>(owner), 0);
    SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Each button carries its action's hint as its text, which is its name for screen readers and UI
    // automation; a mixed bar draws no text on a button not asked to show it, so the buttons still show
    // only their pictures.
    SendMessageA(toolBar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
}

void ToolBar::SetLook(const Look& look) {
    // The buttons are made again: a separator's width is fixed when it is added.
    while (SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0) > 0) {
        SendMessageA(toolBar_, TB_DELETEBUTTON, 0, 0);
    }
    SendMessageA(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(look.pictures));
    SendMessageA(toolBar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(look.disabledPictures));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(look.pictures, &cx, &cy);
    SendMessageA(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
    SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(look.buttonSize.cx, look.buttonSize.cy));
    AddButtons(look.separatorWidth);
    // Buttons with texts are measured again by the bar as they are added, from their pictures alone in a
    // mixed bar: each is given its size back.
    SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(look.buttonSize.cx, look.buttonSize.cy));
    for (const Action* action : buttons_) {
        if (action) {
            TBBUTTONINFOA info{};
            info.cbSize = sizeof info;
            info.dwMask = TBIF_SIZE;
            info.cx = static_cast<WORD>(look.buttonSize.cx);
            SendMessageA(toolBar_, TB_SETBUTTONINFOA, static_cast<WPARAM>(action->Id()),
                         reinterpret_cast<LPARAM>(&info));
        }
    }
    SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);

    SIZE size{};
    SendMessageA(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_NOGRIPPER | RBBS_NOVERT | RBBS_CHILDEDGE; // an edge above and below the tool bar
    band.hwndChild = toolBar_;
    band.cxMinChild = size.cx;
    band.cyMinChild = look.bandMinHeight;
    band.cx = size.cx;
    if (SendMessageA(coolBar_, RB_GETBANDCOUNT, 0, 0) == 0) {
        SendMessageA(coolBar_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    } else {
        SendMessageA(coolBar_, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    }
    // The band's edges are the system's, which do not grow with the scale as the band does: the band
    // takes up what the bar's height leaves them.
    const int height = static_cast<int>(SendMessageA(coolBar_, RB_GETBARHEIGHT, 0, 0));
    if (height > 0 && height != look.barHeight && look.barHeight > 0) {
        band.fMask = RBBIM_CHILDSIZE;
        band.cyMinChild = std::max(1, look.bandMinHeight + look.barHeight - height);
        SendMessageA(coolBar_, RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    }
}

void ToolBar::AddButtons(int separatorWidth) {
    std::vector<TBBUTTON> tb;
    for (const Action* action : buttons_) {
        TBBUTTON b{};
        if (action) {
            b.iBitmap = action->ImageIndex();
            b.idCommand = action->Id();
            b.fsState = action->Enabled() ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON;
            // The bar keeps a copy of the text; the hint lives as long as the action anyway.
            b.iString = reinterpret_cast<INT_PTR>(action->Hint().c_str());
        } else {
            b.iBitmap = separatorWidth;
            b.fsStyle = BTNS_SEP;
            b.iString = -1;
        }
        tb.push_back(b);
    }
    SendMessageA(toolBar_, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
}

int ToolBar::Height() const {
    RECT r{};
    GetWindowRect(coolBar_, &r);
    return r.bottom - r.top;
}

bool ToolBar::HandleNotify(const NMHDR* header, LRESULT& result) {
    if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) {
        return false;
    }
    const Action* action = nullptr;
    for (const Action* a : buttons_) {
        if (a && static_cast<UINT_PTR>(a->Id()) == header->idFrom) {
            action = a;
        }
    }
    if (!action) {
        return false;
    }
    tipText_ = action->Hint();
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(header));
        info->hinst = nullptr;
        info->lpszText = tipText_.data();
    } else {
        // The hint is code page 1251 text.
        const int n = MultiByteToWideChar(1251, 0, tipText_.c_str(), -1, nullptr, 0);
        tipTextW_.assign(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(1251, 0, tipText_.c_str(), -1, tipTextW_.data(), n);
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
        info->hinst = nullptr;
        info->lpszText = tipTextW_.data();
    }
    result = 0;
    return true;
}

} // namespace ui
