// Stands in for the mail program: the mail test registers it for "mailto" links in the Wine prefix.
// Started as `mail_recorder.exe <record file> <link>`, it appends the link to the record file as one
// line, so the test sees exactly what the shell was asked to open.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) {
        return 1;
    }
    HANDLE file = CreateFileA(__argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 2;
    }
    const std::string line = std::string(__argv[2]) + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
