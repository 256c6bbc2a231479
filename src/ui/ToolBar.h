#pragma once
// The tool bar in a cool bar band: buttons that show only a picture and run the action of their command
// id; the action's hint is the button's tooltip.

#include "ui/Action.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace ui {

class ToolBar {
  public:
    ToolBar() = default;
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    // A button per action, nullptr for a separator. Commands and tooltip requests go to `owner`.
    void Create(HWND owner, int coolBarId, int toolBarId, HIMAGELIST pictures, SIZE buttonSize,
                int separatorWidth, int bandMinHeight, const std::vector<Action*>& buttons);
    HWND CoolBar() const { return coolBar_; }
    HWND Handle() const { return toolBar_; }
    int Height() const;

    // Answers a tooltip request for a button; true when it was one.
    bool HandleNotify(const NMHDR* header, LRESULT& result);

  private:
    HWND coolBar_ = nullptr;
    HWND toolBar_ = nullptr;
    std::vector<Action*> buttons_;
    std::string tipText_;
    std::wstring tipTextW_;
};

} // namespace ui
