#include "ui/Hints.h"

#include "platform/Window.h"

#include <commctrl.h>

namespace ui {

void Hints::Create(HWND owner) {
    tooltip_ =
        CreateControlWindow(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, 0);
}

namespace {

void AddTool(HWND tooltip, HWND control, const std::string& text, UINT flags) {
    if (!tooltip) {
        return;
    }
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | flags;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text.c_str()); // copied by the tooltip
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace

void Hints::Add(HWND control, const std::string& text) {
    AddTool(tooltip_, control, text, TTF_SUBCLASS);
}

void Hints::AddRelayed(HWND control, const std::string& text) {
    AddTool(tooltip_, control, text, 0);
}

} // namespace ui
