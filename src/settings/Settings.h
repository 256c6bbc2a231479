#pragma once
// The settings record and the settings file's rules: which keys exist, their defaults, how a value is read,
// which stored window sizes are put back, and the order in which everything is written.
//
// The file itself is reached through `Profile`, so the same rules run over the Windows profile functions in
// the program and over an in-memory profile in the native tests and the fuzzer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The warning for things away too long, as a first start has it: off, after 30 days.
constexpr bool kLongLoansDefault = false;
constexpr std::int32_t kLongDaysDefault = 30;

// The program's options. Every field starts false, empty or 0 until the settings file is first read, but
// for the warning for things away too long, which starts as a first start has it.
struct RecIni {
    bool AutoOpen = false;                    // open AutoOpenName at start
    std::string AutoOpenName;                 // full path of the catalog file to open at start; empty = none
    bool AutoSave = false;                    // the autosave timer runs
    std::int32_t AutoSaveMinutes = 0;         // ticks of the autosave timer before the first save
    bool QExit = false;                       // ask before the program closes
    bool QRegistr = false;                    // ignore letter case when a new item's description is checked
    bool QOut = false;                        // ask before an item is lent
    bool QIn = false;                         // ask before an item is returned
    bool QAllIn = false;                      // ask before all items of a debtor are returned
    bool LongLoans = kLongLoansDefault;       // things away longer than LongDays stand out in the tables
    std::int32_t LongDays = kLongDaysDefault; // whole days a thing may be away before it stands out

    bool operator==(const RecIni&) const = default;
};

// The one settings record of the run.
extern RecIni Settings;

// The main window's shape as the settings file keeps it. Left, Top, Width and Height are the outer bounds
// of the window in its normal (not maximized) state, in screen pixels.
struct MainGeometry {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t PanHeight = 0; // the lent items panel at the bottom
    std::int32_t PanWidth = 0;  // the debtors panel on the left
    bool Maximized = false;
    // Debtors table: name, count; free items table: description, type; lent items table: date,
    // description, type.
    std::array<std::int32_t, 7> ColWidths{};

    bool operator==(const MainGeometry&) const = default;
};

// The main window's minimum outer size; a stored size must exceed it to be put back.
constexpr std::int32_t kMainMinWidth = 696;
constexpr std::int32_t kMainMinHeight = 480;

struct ScreenSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// A profile file: sections of keys with text values; section and key names match ignoring letter case.
class Profile {
  public:
    virtual ~Profile() = default;
    // The value of the key, or nothing when the section or the key is absent.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) = 0;
    // Sets the value; a key not yet in the section is added after the section's other keys. A profile
    // kept in a file may hold the values until Flush.
    virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Puts what was written on the disk, all of it or, raising SettingsWriteError, none of it.
    virtual void Flush() = 0;
};

// "Unable to write to <path>"
struct SettingsWriteError : std::runtime_error {
    explicit SettingsWriteError(const std::string& path);
};

// Value rules. An integer is decimal text with an optional sign; text longer than two characters that
// begins with "0x" or "0X" is hexadecimal (up to 32 bits, taken as a signed value). Anything else, and a
// missing value, gives the fallback. A boolean is an integer, true when not 0. A text is taken whole,
// however long: a value the program cannot use is still the user's, and goes back into the file as it
// came unless the user changes it.
std::int32_t SettingsInteger(const std::optional<std::string>& value, std::int32_t fallback);
bool SettingsBoolean(const std::optional<std::string>& value, bool fallback);
std::string SettingsText(const std::optional<std::string>& value, std::string_view fallback);

// Which stored sizes are put back; all comparisons are strict.
bool AcceptLeft(std::int32_t left, ScreenSize screen);
bool AcceptTop(std::int32_t top, ScreenSize screen);
bool AcceptHeight(std::int32_t height);
bool AcceptWidth(std::int32_t width);
// Against the window's height and width as they are after the stored height and width were applied.
bool AcceptPanHeight(std::int32_t panHeight, std::int32_t windowHeight);
bool AcceptPanWidth(std::int32_t panWidth, std::int32_t windowWidth);
bool AcceptColWidth(std::int32_t width);
// An accepted column width as the table shows it: no wider than the screen, where such a column could not
// be seen whole anyway.
std::int32_t ShownColWidth(std::int32_t width, ScreenSize screen);

// Puts the window's outer bounds (Left, Top, Width, Height) on the window and replaces them with the bounds
// it actually took: the system keeps a window within limits of its own, such as a size not much larger
// than the screen.
using PlaceWindow = std::function<void(MainGeometry& window)>;

// Reads every option into `record` (defaults for missing keys) and puts the accepted stored sizes over
// `window`, which holds the window's current shape; a missing or rejected key leaves its part unchanged.
// The panel sizes are checked against the bounds the window took from `place` (when given), not against
// stored ones it may have refused.
void ReadSettings(Profile& profile, RecIni& record, MainGeometry& window, ScreenSize screen,
                  const PlaceWindow& place = {});

// Writes every option and the window's shape, then flushes. While the window is maximized its bounds are
// not written, so the file keeps the normal bounds of the last write made in the normal state. The warning
// for things away too long is written only when it differs from a first start's, or when the file holds it
// already: a file that never held it stays as it always was.
void WriteSettings(Profile& profile, const RecIni& record, const MainGeometry& window);

// The settings file of an executable: its path with the extension replaced by ".ini".
std::string SettingsPathFor(std::string_view exePath);
