#pragma once
// Names for screen readers and UI automation. They read a control's name from its window text, but a
// drop-down list's window text is the entry it shows, not what it is for: such a control answers them
// with a name of its own through an accessible object that is the system's own for the control in all
// else.

#include <windows.h>

#include <string>

// From now on the control's accessible name (the client object's, as AccessibleObjectFromWindow gives it)
// is `name`, code page 1251 text.
void SetAccessibleName(HWND control, const std::string& name);

// The accessibility interface's identifier as documented; the one in mingw's import library is wrong.
extern const IID kIidAccessible;
