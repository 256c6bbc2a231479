#pragma once
// A splitter bar between two aligned panels: dragging it resizes the panel it controls while the
// mouse moves (live). The owner gives the panel's size, its limits and the resize itself; a
// CanResize handler may refuse a proposed size.

#include <windows.h>

#include <functional>

namespace ui {

class Splitter {
  public:
    // Vertical: a bar between left and right panels, dragged sideways; the controlled panel lies left
    // of it. Horizontal: a bar dragged up and down; the controlled panel lies below it.
    enum class Orientation { Vertical, Horizontal };

    Splitter() = default;
    Splitter(const Splitter&) = delete;
    Splitter& operator=(const Splitter&) = delete;

    void Create(HWND parent, int id, Orientation orientation);
    HWND Handle() const { return hwnd_; }
    Orientation GetOrientation() const { return orientation_; }

    // Smallest size of the controlled panel, and of the space left on the other side.
    int MinSize = 30;

    // The controlled panel's current size, and the largest it may take.
    std::function<int()> PanelSize;
    std::function<int()> MaxPanelSize;
    // Asked before each move with the proposed size; false refuses the move.
    std::function<bool(int newSize)> OnCanResize;
    // Carries out a move.
    std::function<void(int newSize)> OnResize;

  private:
    template <typename T> friend struct ControlKind;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Position of the mouse along the drag direction, in the parent's coordinates.
    int ParentPosition(LPARAM lParam) const;
    void MoveTo(int position);

    HWND hwnd_ = nullptr;
    Orientation orientation_ = Orientation::Vertical;
    bool dragging_ = false;
    int startPosition_ = 0;
    int startSize_ = 0;
};

} // namespace ui
