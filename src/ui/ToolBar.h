#pragma once
// The tool bar in a cool bar band: buttons that show only a picture and run the action of their command
// id; the action's hint is the button's tooltip and its name (the button's text, which the bar does not
// draw).

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

    // The pictures and sizes of the bar at one display scale.
    struct Look {
        HIMAGELIST pictures = nullptr;
        HIMAGELIST disabledPictures = nullptr; // as disabled buttons show them
        SIZE buttonSize{};
        int separatorWidth = 0;
        int bandMinHeight = 0; // the band's smallest height
        int barHeight = 0;     // the cool bar's, edges included
    };

    // A button per action, nullptr for a separator. Commands and tooltip requests go to `owner`. The bar
    // shows its buttons once it is given its look.
    void Create(HWND owner, int coolBarId, int toolBarId, const std::vector<Action*>& buttons);
    // Lays the bar out with these pictures and sizes; the buttons show their actions' states.
    void SetLook(const Look& look);
    HWND CoolBar() const { return coolBar_; }
    HWND Handle() const { return toolBar_; }
    int Height() const;

    // Answers a tooltip request for a button; true when it was one.
    bool HandleNotify(const NMHDR* header, LRESULT& result);

  private:
    void AddButtons(int separatorWidth);

    HWND coolBar_ = nullptr;
    HWND toolBar_ = nullptr;
    std::vector<Action*> buttons_;
    std::string tipText_;
    std::wstring tipTextW_;
};

} // namespace ui
