#include "ModalAnswerer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

thread_local ModalAnswerer* active = nullptr;

struct Search {
    HWND found = nullptr;
    HWND skip = nullptr;
    const std::vector<HWND>* foreign = nullptr;
};

bool IsDialogWindow(HWND hwnd) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd);
}

BOOL CALLBACK CollectDialogs(HWND hwnd, LPARAM lParam) {
    if (IsDialogWindow(hwnd)) {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    const bool foreign =
        std::find(search->foreign->begin(), search->foreign->end(), hwnd) != search->foreign->end();
    if (IsDialogWindow(hwnd) && IsWindowEnabled(hwnd) && hwnd != search->skip && !foreign) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

void ClickDialogButton(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

ModalAnswerer::ModalAnswerer() : outer_(active) {
    // Dialogs already up belong to an outer answerer (this one was made inside a modal loop).
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&foreign_));
    active = this;
    timer_ = SetTimer(nullptr, 0, 20, OnTimer);
}

ModalAnswerer::~ModalAnswerer() {
    KillTimer(nullptr, timer_);
    active = outer_;
    EXPECT_EQ(unexpected_, 0) << "a dialog appeared that the test did not expect";
}

ModalAnswerer& ModalAnswerer::Press(int buttonId) {
    answers_.push_back([buttonId](HWND dialog) { ClickDialogButton(dialog, buttonId); });
    return *this;
}

ModalAnswerer& ModalAnswerer::TypePath(const std::string& path) {
    answers_.push_back([path](HWND dialog) {
        // The file name field of the common file dialogs.
        SetDlgItemTextA(dialog, 0x47C, path.c_str());
        ClickDialogButton(dialog, IDOK);
    });
    return *this;
}

ModalAnswerer& ModalAnswerer::Then(std::function<void(HWND)> action) {
    answers_.push_back(std::move(action));
    return *this;
}

std::string ModalAnswerer::TextOf(HWND dialog) {
    HWND message = GetDlgItem(dialog, 0xFFFF);
    return message ? WindowText(message) : std::string();
}

bool ModalAnswerer::WaitUntilAnswered(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!answers_.empty() && GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return answers_.empty();
}

void CALLBACK ModalAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (active) {
        active->Tick();
    }
}

void ModalAnswerer::Tick() {
    Search search;
    search.skip = lastAnswered_;
    search.foreign = &foreign_;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
        return;
    }
    HWND dialog = search.found;
    seen_.push_back({WindowText(dialog), TextOf(dialog)});
    lastAnswered_ = dialog;
    if (answers_.empty()) {
        ++unexpected_;
        ADD_FAILURE() << "unexpected dialog \"" << seen_.back().caption << "\": " << seen_.back().text;
        ClickDialogButton(dialog, IDCANCEL);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    answer(dialog);
}
