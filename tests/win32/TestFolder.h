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

// The names of the files and folders in any folder, sorted; none when it does not exist.
std::vector<std::string> FolderEntries(const std::string& path);
// Removes a folder with everything in it.
void RemoveTree(const std::string& path);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
