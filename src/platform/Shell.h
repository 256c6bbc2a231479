#pragma once
// What the program asks of the shell: opening a document or a link with its associated program, and
// the user's documents folder.

#include <windows.h>

#include <string>

// Asks the shell to open `target` ("open", no parameters, no working folder) in a window shown as `show`
// asks, and returns at once; what the shell does then, and whether it succeeds, is the shell's business.
void ShellOpen(HWND owner, const std::string& target, int show = SW_SHOWDEFAULT);

// The current user's documents folder; raises an error when the system cannot tell it.
std::string DocumentsFolder();
