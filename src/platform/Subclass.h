#pragma once
// A filter in front of a system control's own window procedure: the program's key filters see each
// message of the control first and either answer it or let the control have it. The filter lives as
// long as the control; an error it raises shows in the general error box and the message goes on to the
// control.
//
// The filters go through the system's chain of subclass procedures (SetWindowSubclass), so that a control
// may carry more than one and each comes off alone. The chain costs some look-ups per message, too many
// for a table's list view: the system controls the program extends (the tables, the flat buttons) have
// their procedure replaced directly instead (ui/ControlProc.h).

#include <windows.h>

#include <functional>
#include <optional>

// A message as the filter sees it; CallControl lets the control answer it first (a filter that adds to
// the control's answer, or acts after it).
struct ControlMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT CallControl() const;
};

// The filter's answer to a message it takes; nullopt passes the message on to the control.
using MessageFilter = std::function<std::optional<LRESULT>(const ControlMessage& message)>;

void FilterMessages(HWND control, MessageFilter filter);

// The character of a WM_CHAR that reached a window procedure of `hwnd`, in the program's code page 1251
// whatever the system's: the common controls are Unicode windows, so what reaches their filters is
// UTF-16. '?' for a character the code page lacks.
char TypedChar(HWND hwnd, WPARAM wParam);
