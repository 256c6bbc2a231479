#include "ui/ToolBar.h"

#include "platform/Window.h"

#include <stdexcept>

namespace ui {

void ToolBar::Create(HWND owner, int coolBarId, int toolBarId, HIMAGELIST pictures, SIZE buttonSize,
                     int separatorWidth, int bandMinHeight, const std::vector<Action*>& buttons) {
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
    SendMessageA(toolBar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(pictures, &cx, &cy);
    SendMessageA(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
    SendMessageA(toolBar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonSize.cx, buttonSize.cy));

    std::vector<TBBUTTON> tb;
    for (const Action* action : buttons) {
        TBBUTTON b{};
        if (action) {
            b.iBitmap = action->ImageIndex();
            b.idCommand = action->Id();
            b.fsState = action->Enabled() ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON;
        } else {
            b.iBitmap = separatorWidth;
            b.fsStyle = BTNS_SEP;
        }
        b.iString = -1;
        tb.push_back(b);
    }
    SendMessageA(toolBar_, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);

    SIZE size{};
    SendMessageA(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_NOGRIPPER | RBBS_NOVERT | RBBS_CHILDEDGE; // an edge above and below the tool bar
    band.hwndChild = toolBar_;
    band.cxMinChild = size.cx;
    band.cyMinChild = bandMinHeight;
    band.cx = size.cx;
    SendMessageA(coolBar_, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
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
