#pragma once
// The errors that reach the user. Each carries the exact message the general error box shows.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// A line that should hold an integer or a date does not.
struct ConvertError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "'<text>' is not a valid integer value"
ConvertError InvalidIntegerError(std::string_view text);
// "'<text>' is not a valid date"
ConvertError InvalidDateError(std::string_view text);
// Both quote at most this many characters of a longer text, followed by "...", and show a NUL byte of the
// text as "<NUL>"; a shorter text without NUL is quoted as it is.
constexpr std::size_t kMaxQuoted = 200;

// A failed file operation; `code` is the runtime's error code (2 file not found, 5 access denied, ...).
struct InOutError : std::runtime_error {
    explicit InOutError(int errorCode);
    int code;
};

std::string InOutErrorMessage(int code);

// A list already holds the largest possible identifier, so no new record can be numbered.
struct IdOverflowError : std::runtime_error {
    IdOverflowError();
};
