#pragma once
// Pictures of the program's windows for the README and for a look by eye: what a window shows on the
// screen, saved as a BMP file.

#include <windows.h>

#include <string>

// Saves what the screen shows of the window (its whole frame) as a 24-bit BMP file.
bool SaveWindowBitmap(HWND hwnd, const std::string& path);

// The folder the tests save their pictures in, with a trailing backslash: VESH_SCREENSHOTS when set (./test
// sets it for the runs at other scales), else empty and no picture is saved.
std::string ScreenshotFolder();
