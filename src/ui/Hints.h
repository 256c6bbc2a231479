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
    void Add(HWND control, const std::string& text);
    HWND Handle() const { return tooltip_; }

  private:
    HWND tooltip_ = nullptr;
};

} // namespace ui
