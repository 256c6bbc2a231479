#include "text/Errors.h"

namespace {

// A line quoted in a message: at most kMaxQuoted characters of it, then "..." when it is longer (a line
// may be megabytes long), and a NUL byte shown as "<NUL>", since a message box would end its text there.
std::string Quoted(std::string_view text, std::string_view tail) {
    const bool cut = text.size() > kMaxQuoted;
    if (cut) {
        text = text.substr(0, kMaxQuoted);
    }
    std::string message;
    message.reserve(text.size() + tail.size() + 5);
    message += '\'';
    for (const char c : text) {
        if (c == '\0') {
            message += "<NUL>";
        } else {
            message += c;
        }
    }
    if (cut) {
        message += "...";
    }
    message += '\'';
    message += tail;
    return message;
}

} // namespace

ConvertError InvalidIntegerError(std::string_view text) {
    return ConvertError(Quoted(text, " is not a valid integer value"));
}

ConvertError InvalidDateError(std::string_view text) {
    return ConvertError(Quoted(text, " is not a valid date"));
}

std::string InOutErrorMessage(int code) {
    switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
    }
}

InOutError::InOutError(int errorCode) : std::runtime_error(InOutErrorMessage(errorCode)), code(errorCode) {}

// "No free number: the list already holds a record with number 2147483647", in code page 1251.
IdOverflowError::IdOverflowError()
    : std::runtime_error(
          "\xCD\xE5\xF2 \xF1\xE2\xEE\xE1\xEE\xE4\xED\xEE\xE3\xEE \xED\xEE\xEC\xE5\xF0\xE0: \xE2 "
          "\xF1\xEF\xE8\xF1\xEA\xE5 \xF3\xE6\xE5 \xE5\xF1\xF2\xFC \xE7\xE0\xEF\xE8\xF1\xFC \xF1 "
          "\xED\xEE\xEC\xE5\xF0\xEE\xEC 2147483647") {}
