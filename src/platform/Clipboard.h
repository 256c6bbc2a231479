#pragma once
// Plain text on the clipboard.

#include <windows.h>

#include <string>

// Puts `text` (code page 1251) on the clipboard as plain text, marked as Russian so that programs that
// read it as Unicode convert it right. The clipboard is held only while the text is handed over. Raises
// "Cannot open clipboard" when another program holds it.
void SetClipboardText(HWND owner, const std::string& text);
