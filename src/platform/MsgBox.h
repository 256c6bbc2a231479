#pragma once
// The program's message boxes: four kinds with English captions and the buttons "OK" and "Cancel",
// showing Russian texts; and the general error box for errors a command did not handle.

#include <windows.h>

#include <string>

// A question: OK and Cancel; true only for OK.
bool ConfirmBox(HWND owner, const std::string& text);
void WarningBox(HWND owner, const std::string& text);
void InformationBox(HWND owner, const std::string& text);
void ErrorMessageBox(HWND owner, const std::string& text);

// The general error box: titled with the application title, the message with a full stop appended
// when its last character sorts after the full stop. Owned by the thread's active window.
void ShowErrorBox(const std::string& message);
std::string ErrorBoxText(const std::string& message);

// The low-level box: MessageBoxA whose OK and Cancel buttons read "OK" and "Cancel" whatever the
// system's language. Only the box's own buttons: the dialog it is shown over keeps its texts.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
