#pragma once
// The application: its title, the small window that carries the taskbar button under that title, the
// main window, and the message loop.
//
// The taskbar shows the application title ("Вещехран") while the main window's own caption names the
// open catalogue: the main window is owned by an application window of no size, which is the one
// the taskbar lists. Minimizing the main window minimizes the application window, which hides its
// owned windows; restoring it from the taskbar brings them back.

#include <windows.h>

#include <string>

namespace Application {

// Loads the common controls and creates the application window. Call once, before the main window; raises
// an error when the system refuses the window.
void Initialize(HINSTANCE instance);
HINSTANCE Instance();
HWND Handle();

const std::string& Title();
void SetTitle(const std::string& title);

HWND MainWindow();
void SetMainWindow(HWND hwnd);

// Minimizes the application window and with it the main window and its dialogs.
void Minimize();

// Keyboard shortcuts of the main window, translated by the message loop.
void SetAccelerators(HACCEL accelerators);
// A modeless dialog whose keyboard navigation the message loop serves (the find dialog).
void SetModelessDialog(HWND dialog);

// Runs the message loop until WM_QUIT; returns its exit code.
int Run();
// Handles the messages now waiting, once, and returns (used to repaint before a long step).
void ProcessMessages();

// Full path of the running executable and its folder with a trailing backslash.
std::string ExePath();
std::string ExeFolder();

} // namespace Application
