#pragma once
// Hints: a tooltip shown when the mouse pointer rests on a control.

#include <windows.h>

#include <string>

namespace ui {

class Hints {
  public:
    Hints() = default;
    Hints(const Hints&) = delete;
    Hints& operator=(const Hints&) = delete;

    void Create(HWND owner);
    // The tooltip watches the control's mouse messages itself.
    void Add(HWND control, const std::string& text);
    // The control passes its mouse messages on to Handle() (TTM_RELAYEVENT): a busy control is spared
    // the tooltip's subclass, which under Wine slows every message to the control.
    void AddRelayed(HWND control, const std::string& text);
    HWND Handle() const { return tooltip_; }

  private:
    HWND tooltip_ = nullptr;
};

} // namespace ui
