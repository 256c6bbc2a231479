#pragma once
// A status bar with panels of fixed widths.

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class StatusBar {
  public:
    StatusBar() = default;
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    void Create(HWND parent, int id, HFONT font, const std::vector<int>& panelWidths);
    HWND Handle() const { return hwnd_; }
    int Height() const;

    std::string Text(int panel) const;
    void SetText(int panel, const std::string& text);

    // Lays the bar out along the parent's bottom edge after the parent was resized.
    void Reposition();

  private:
    HWND hwnd_ = nullptr;
};

} // namespace ui
