#include "platform/Clipboard.h"

#include <cstring>
#include <stdexcept>

namespace {

// The clipboard, open for the lifetime of the lock.
class ClipboardLock {
  public:
    explicit ClipboardLock(HWND owner) {
        if (!OpenClipboard(owner)) {
            throw std::runtime_error("Cannot open clipboard");
        }
    }
    ~ClipboardLock() { CloseClipboard(); }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
};

// Global memory for the clipboard, freed unless the clipboard took it over.
class ClipboardMemory {
  public:
    explicit ClipboardMemory(const void* bytes, std::size_t size)
        : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {
        if (!memory_) {
            throw std::runtime_error("Out of memory for the clipboard");
        }
        std::memcpy(GlobalLock(memory_), bytes, size);
        GlobalUnlock(memory_);
    }
    ~ClipboardMemory() {
        if (memory_) {
            GlobalFree(memory_);
        }
    }
    ClipboardMemory(const ClipboardMemory&) = delete;
    ClipboardMemory& operator=(const ClipboardMemory&) = delete;

    // Hands the memory to the clipboard, which owns it from then on.
    bool Give(UINT format) {
        if (!SetClipboardData(format, memory_)) {
            return false;
        }
        memory_ = nullptr;
        return true;
    }

  private:
    HGLOBAL memory_;
};

} // namespace

void SetClipboardText(HWND owner, const std::string& text) {
    ClipboardMemory bytes(text.c_str(), text.size() + 1);
    const LCID russian = MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), SORT_DEFAULT);
    ClipboardMemory locale(&russian, sizeof russian);
    ClipboardLock clipboard(owner);
    EmptyClipboard();
    if (!bytes.Give(CF_TEXT)) {
        throw std::runtime_error("Cannot put the text on the clipboard");
    }
    locale.Give(CF_LOCALE);
}
