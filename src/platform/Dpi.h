#pragma once
// The display scale. Every size, position and font of the program's windows is designed at 100 % (96 dots
// per inch, "design units") and laid out at the scale of the monitor the window is on. The manifest tells
// Windows that the program does so per monitor, so that Windows never stretches its windows into a blur.
// Systems before Windows 10 lack the per-window functions: they are looked up when the program starts,
// and without them every window has the system's scale, through the same code.

#include "platform/Handles.h"

#include <windows.h>

#include <algorithm>
#include <climits>

constexpr int kDesignDpi = 96;

// The scale of a window in dots per inch; the system's (the primary monitor's at sign-in) for nullptr or
// where the system has no scale per window.
int DpiOf(HWND hwnd);
int SystemDpi();

// The scale of one layout: scale(241) is 241 design units in pixels, rounded to the nearest one.
class DisplayScale {
  public:
    explicit DisplayScale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
    static DisplayScale Of(HWND hwnd) { return DisplayScale(DpiOf(hwnd)); }

    int Dpi() const { return dpi_; }
    bool IsDesign() const { return dpi_ == kDesignDpi; }
    int operator()(int design) const { return Scaled(design, dpi_, kDesignDpi); }
    RECT operator()(const RECT& design) const {
        return RECT{(*this)(design.left), (*this)(design.top), (*this)(design.right), (*this)(design.bottom)};
    }
    // Pixels at this scale back in design units, rounded to the nearest one.
    int Design(int pixels) const { return Scaled(pixels, kDesignDpi, dpi_); }

    bool operator==(const DisplayScale&) const = default;

  private:
    // value * numerator / denominator, rounded as MulDiv rounds (halves away from zero), and held within
    // the range of int where MulDiv would fail: a size read from a file may be any number.
    static int Scaled(int value, int numerator, int denominator) {
        const long long product = static_cast<long long>(value) * numerator;
        const long long half = denominator / 2;
        const long long result = (product >= 0 ? product + half : product - half) / denominator;
        return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
    }

    int dpi_;
};

// The program's pictures are drawn at 100, 125, 150 and 200 %: a window shows the set of the largest of these
// scales that its own reaches (100 % below it). PictureSet numbers the sets 0 to 3, PictureScale is the
// set's own scale: PictureScale(scale)(16) is the side of a 16 x 16 picture in that set.
int PictureSet(const DisplayScale& scale);
DisplayScale PictureScale(const DisplayScale& scale);

// A system metric (GetSystemMetrics' index: scroll bar width, caption height, ...) at a scale.
int SystemMetricAt(int index, const DisplayScale& scale);

// The window rectangle around a client rectangle for a frame of these styles, at a scale.
void AdjustWindowRectAt(RECT& rect, DWORD style, bool menu, DWORD exStyle, const DisplayScale& scale);

// The program's font at a scale, from its height in design units (11 is 8 points, the windows' text).
// The face is the scalable Microsoft Sans Serif, whose letters are those of the bitmap MS Sans Serif of
// the design at 100 % and stay sharp at every other size.
unique_hfont MakeScaledFont(const DisplayScale& scale, int designHeight = 11, bool bold = false,
                            bool underline = false);

// Lets a dialog of the dialog manager's class lay itself out when its scale changes, instead of the system
// stretching its fonts and controls (Windows 10 from 1703 on; nothing before).
void KeepDialogLayoutOnScaleChange(HWND dialog);
