#pragma once
// A framed panel with a caption that holds child controls. Its children's notifications and commands
// go on to the panel's parent, so the window that owns the panel handles them as its own. Children
// placed with Place() keep their distances to the anchored sides when the panel is resized.

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

enum Anchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };

class GroupBox {
  public:
    GroupBox() = default;
    GroupBox(const GroupBox&) = delete;
    GroupBox& operator=(const GroupBox&) = delete;

    // The caption is drawn in the font the panel was given last (here or with WM_SETFONT).
    void Create(HWND parent, int id, const std::string& caption, HFONT font);
    HWND Handle() const { return hwnd_; }

    // How far the caption stands in from the frame's left end, in pixels.
    int CaptionIndent = 8;

    int Width() const;
    int Height() const;
    void SetBounds(int x, int y, int width, int height);

    // Moves a child and remembers its distances to the panel's sides for its anchors.
    void Place(HWND child, int x, int y, int width, int height, unsigned anchors);
    // Bounds of a child in the panel's coordinates.
    static RECT BoundsOf(HWND child);

  private:
    struct Anchored {
        HWND child;
        unsigned anchors;
        RECT bounds;    // at the time it was placed
        SIZE panelSize; // the panel's size then
    };

    template <typename T> friend struct ControlKind;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void ApplyAnchors(int width, int height);

    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<Anchored> anchored_;
};

} // namespace ui
