#pragma once
// Finding the program's windows as another program finds them: by their control ids and owners.

#include <windows.h>

// The first descendant of `window` with this control id, or nullptr.
HWND ChildById(HWND window, int id);
// A dialog of the calling thread owned by `owner` that has a child with the id `childId`, or nullptr.
HWND OwnedDialogWith(HWND owner, int childId);
