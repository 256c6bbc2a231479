#pragma once
// A fresh folder for one test under the system's temporary folder, removed with its files afterwards.

#include <windows.h>

#include <string>
#include <vector>

class TestFolder {
  public:
    explicit TestFolder(const std::string& name = "test");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // The names of the files and folders in it, sorted.
    std::vector<std::string> Entries() const;

  private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
