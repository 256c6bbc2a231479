#pragma once
// Stands in for the programs the shell starts: while it lives, the recorder program (mail_recorder.exe,
// beside the tests) is registered in the prefix as the "open" command of the given classes of
// HKEY_CLASSES_ROOT ("mailto", "http", or an extension such as ".txt" first in the list, by its class;
// an extension without one gets a class for the recorder's life), and writes each link or file it
// is started with into a record file, one line each. The old commands come back afterwards.

#include <windows.h>

#include <string>
#include <vector>

class ShellRecorder {
  public:
    ShellRecorder(const std::vector<std::string>& classes, const std::string& recordFile);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    // The class HKEY_CLASSES_ROOT names for a file extension such as ".txt".
    static std::string ClassOfExtension(const std::string& extension);

    // The lines recorded so far, once there are `count` of them (or ten seconds have passed); the
    // recorders run in processes of their own, so their lines may come in any order.
    std::vector<std::string> Lines(size_t count) const;

  private:
    struct Saved {
        HKEY key = nullptr;
        bool had = false;
        std::string command;
    };
    std::vector<Saved> saved_;
    std::string record_;
    std::string addedExtension_;
};
