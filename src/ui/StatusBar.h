#pragma once
// A status bar of a fixed height along the parent's bottom edge, with a size grip and panels of the widths
// given, each wider while its text needs more room: a status text is never cut off.

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class StatusBar {
  public:
    StatusBar() = default;
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    void Create(HWND parent, int id, HFONT font, const std::vector<int>& panelWidths, int height);
    HWND Handle() const { return hwnd_; }
    // Other panel widths and height (another display scale), laid out at once.
    void SetLayout(const std::vector<int>& panelWidths, int height);
    int Height() const;

    std::string Text(int panel) const;
    void SetText(int panel, const std::string& text);

    // Lays the bar out along the parent's bottom edge after the parent was resized.
    void Reposition();

  private:
    // The panels as wide as given or as their texts need, in the bar's font.
    void ShowPanels();

    HWND hwnd_ = nullptr;
    int height_ = 0;
    std::vector<int> panelWidths_;
};

// Shows the text of a step that takes a while in a panel, lets the bar repaint, and empties the panel
// again when the step ends, however it ends.
class ProgressText {
  public:
    ProgressText(StatusBar& bar, int panel, const std::string& text);
    ~ProgressText();
    ProgressText(const ProgressText&) = delete;
    ProgressText& operator=(const ProgressText&) = delete;

  private:
    StatusBar& bar_;
    int panel_;
};

} // namespace ui
