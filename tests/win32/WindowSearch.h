#pragma once
// Finding the program's windows as another program finds them: by their control ids and owners; the
// name screen readers read of a window, and a list view's cell as they read it.

#include <windows.h>

#include <string>

// The first descendant of `window` with this control id, or nullptr.
HWND ChildById(HWND window, int id);
// A dialog of the calling thread owned by `owner` that has a child with the id `childId`, or nullptr.
HWND OwnedDialogWith(HWND owner, int childId);
// The name Active Accessibility gives the window's client object, in code page 1251.
std::string AccessibleName(HWND hwnd);
// A list view's cell as LVM_GETITEMTEXTA gives it into a buffer of `size` characters.
std::string ListViewCell(HWND list, int row, int column, int size = 512);
