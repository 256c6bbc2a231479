#include "platform/Subclass.h"

#include "platform/Window.h"

#include <commctrl.h>

#include <memory>
#include <stdexcept>

namespace {

LRESULT CALLBACK FilterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* filter = reinterpret_cast<MessageFilter*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, FilterProc, id);
        delete filter;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    std::optional<LRESULT> answer;
    RunGuarded([&] { answer = (*filter)(ControlMessage{hwnd, msg, wParam, lParam}); });
    return answer ? *answer : DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

LRESULT ControlMessage::CallControl() const {
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void FilterMessages(HWND control, MessageFilter filter) {
    auto owned = std::make_unique<MessageFilter>(std::move(filter));
    // The filter's own address tells it from any other filter of the same control.
    if (!SetWindowSubclass(control, FilterProc, reinterpret_cast<UINT_PTR>(owned.get()),
                           reinterpret_cast<DWORD_PTR>(owned.get()))) {
        throw std::runtime_error("A control's key filter could not be set");
    }
    owned.release(); // deleted with the control, at its WM_NCDESTROY
}

char TypedChar(HWND hwnd, WPARAM wParam) {
    if (!IsWindowUnicode(hwnd) || wParam < 0x80) {
        return static_cast<char>(wParam);
    }
    const wchar_t wide = static_cast<wchar_t>(wParam);
    char key = 0;
    if (WideCharToMultiByte(1251, 0, &wide, 1, &key, 1, nullptr, nullptr) != 1) {
        key = '?';
    }
    return key;
}
