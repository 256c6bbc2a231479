#include "ui/StatusBar.h"

#include "platform/Application.h"
#include "platform/Handles.h"
#include "platform/Window.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

void StatusBar::Create(HWND parent, int id, HFONT font, const std::vector<int>& panelWidths, int height) {
    // It would size itself to its font; the window places it at its own height instead.
    hwnd_ = CreateControlWindow(0, STATUSCLASSNAMEA, "",
                                WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN, 0,
                                0, 0, 0, parent, id, font);
    SendMessageA(hwnd_, SB_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_ACTIVEBORDER)));
    SetLayout(panelWidths, height);
}

void StatusBar::SetLayout(const std::vector<int>& panelWidths, int height) {
    height_ = height;
    panelWidths_ = panelWidths;
    ShowPanels();
    Reposition();
}

void StatusBar::ShowPanels() {
    if (panelWidths_.empty()) {
        return;
    }
    WindowDC dc(hwnd_);
    SelectObjectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    std::vector<int> edges;
    int right = 0;
    for (std::size_t panel = 0; panel < panelWidths_.size(); ++panel) {
        int width = panelWidths_[panel];
        const std::string text = Text(static_cast<int>(panel));
        if (!text.empty()) {
            // The text stands in from the panel's sunken edges by about half a letter on either side.
            SIZE extent{};
            GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
            width = std::max(width, static_cast<int>(extent.cx + metrics.tmAveCharWidth) +
                                        4 * GetSystemMetrics(SM_CXEDGE));
        }
        right += width;
        edges.push_back(right);
    }
    std::vector<int> shown(edges.size() + 1);
    const auto count = static_cast<std::size_t>(
        SendMessageA(hwnd_, SB_GETPARTS, shown.size(), reinterpret_cast<LPARAM>(shown.data())));
    shown.resize(std::min(count, shown.size()));
    if (shown != edges) {
        SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
}

int StatusBar::Height() const {
    return height_;
}

std::string StatusBar::Text(int panel) const {
    const LRESULT info = SendMessageA(hwnd_, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
    std::string text(LOWORD(info) + 1, '\0');
    SendMessageA(hwnd_, SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}

void StatusBar::SetText(int panel, const std::string& text) {
    SendMessageA(hwnd_, SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
    ShowPanels();
}

void StatusBar::Reposition() {
    RECT client{};
    GetClientRect(GetParent(hwnd_), &client);
    SetWindowPos(hwnd_, nullptr, 0, client.bottom - height_, client.right, height_,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ProgressText::ProgressText(StatusBar& bar, int panel, const std::string& text) : bar_(bar), panel_(panel) {
    bar_.SetText(panel_, text);
    Application::ProcessMessages();
}

ProgressText::~ProgressText() {
    bar_.SetText(panel_, "");
}

} // namespace ui
