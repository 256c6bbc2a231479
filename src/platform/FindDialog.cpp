#include "platform/FindDialog.h"

#include "platform/Application.h"

#include <stdexcept>

namespace {

// The id of the dialog's text field.
constexpr int kFindWhatId = 0x480;

} // namespace

FindDialog::FindDialog() {
    request_.lStructSize = sizeof request_;
    request_.lpstrFindWhat = text_.data();
    request_.wFindWhatLen = static_cast<WORD>(text_.size());
}

FindDialog::~FindDialog() {
    Close();
}

void FindDialog::Show(HWND owner) {
    // The system destroys the dialog with its owner without telling.
    if (hwnd_ && !IsWindow(hwnd_)) {
        hwnd_ = nullptr;
    }
    if (hwnd_) {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        SetActiveWindow(hwnd_);
        return;
    }
    request_.hwndOwner = owner;
    request_.Flags = FR_DOWN | FR_NOUPDOWN | FR_NOMATCHCASE | FR_NOWHOLEWORD;
    hwnd_ = FindTextA(&request_);
    if (!hwnd_) {
        throw std::runtime_error("Cannot open the find dialog");
    }
    Application::SetModelessDialog(hwnd_);
}

// Called from the dialog's own Find next notice too: the dialog is destroyed at once, as a modeless
// dialog may be from its own messages, and its handle forgotten before the search shows anything.
void FindDialog::Close() {
    if (!hwnd_ || !IsWindow(hwnd_)) {
        hwnd_ = nullptr;
        return;
    }
    // The buffer keeps what the field showed, for Find next and the next showing.
    GetDlgItemTextA(hwnd_, kFindWhatId, text_.data(), static_cast<int>(text_.size()));
    HWND dialog = hwnd_;
    hwnd_ = nullptr;
    Application::SetModelessDialog(nullptr);
    DestroyWindow(dialog);
}

std::string FindDialog::Text() const {
    if (hwnd_ && IsWindow(hwnd_)) {
        std::array<char, 256> field{};
        GetDlgItemTextA(hwnd_, kFindWhatId, field.data(), static_cast<int>(field.size()));
        return field.data();
    }
    return text_.data();
}

UINT FindDialog::Message() {
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}

FindDialog::Event FindDialog::Notice(LPARAM lParam) {
    const auto* request = reinterpret_cast<const FINDREPLACEA*>(lParam);
    if (request != &request_) {
        return Event::None;
    }
    if (request->Flags & FR_DIALOGTERM) {
        // The user closed the dialog; the system destroys it once this notice returns.
        if (hwnd_) {
            GetDlgItemTextA(hwnd_, kFindWhatId, text_.data(), static_cast<int>(text_.size()));
            hwnd_ = nullptr;
            Application::SetModelessDialog(nullptr);
        }
        return Event::Closed;
    }
    return (request->Flags & FR_FINDNEXT) ? Event::FindNext : Event::None;
}
