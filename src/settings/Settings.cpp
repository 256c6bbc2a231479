#include "settings/Settings.h"

#include "text/IntText.h"

RecIni Settings;

namespace {

const char* const kMain = "Main";
const char* const kQuery = "Query";

const char* const kColWidthKeys[7] = {"ColWidth1", "ColWidth2", "ColWidth3", "ColWidth4",
                                      "ColWidth5", "ColWidth6", "ColWidth7"};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The digits after "0x": any number of them, as long as the value fits 32 bits.
bool TryHexToInt(std::string_view digits, std::int32_t& value) {
    std::uint32_t result = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0 || result > 0x0FFFFFFFu) {
            return false;
        }
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    value = static_cast<std::int32_t>(result);
    return true;
}

void WriteInteger(Profile& profile, const char* section, const char* key, std::int32_t value) {
    profile.Write(section, key, IntToStr(value));
}

void WriteBoolean(Profile& profile, const char* section, const char* key, bool value) {
    profile.Write(section, key, value ? "1" : "0");
}

} // namespace

SettingsWriteError::SettingsWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

std::int32_t SettingsInteger(const std::optional<std::string>& value, std::int32_t fallback) {
    if (!value) {
        return fallback;
    }
    const std::string_view text = *value;
    std::int32_t result = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return TryHexToInt(text.substr(2), result) ? result : fallback;
    }
    return TryStrToInt(text, result) ? result : fallback;
}

bool SettingsBoolean(const std::optional<std::string>& value, bool fallback) {
    return SettingsInteger(value, fallback ? 1 : 0) != 0;
}

std::string SettingsText(const std::optional<std::string>& value, std::string_view fallback) {
    return value ? *value : std::string(fallback);
}

bool AcceptLeft(std::int32_t left, ScreenSize screen) {
    return left < screen.Width;
}
bool AcceptTop(std::int32_t top, ScreenSize screen) {
    return top < screen.Height;
}
bool AcceptHeight(std::int32_t height) {
    return height > kMainMinHeight;
}
bool AcceptWidth(std::int32_t width) {
    return width > kMainMinWidth;
}

bool AcceptPanHeight(std::int32_t panHeight, std::int32_t windowHeight) {
    return panHeight < windowHeight / 2 && panHeight > 50;
}

bool AcceptPanWidth(std::int32_t panWidth, std::int32_t windowWidth) {
    // In 64 bits, so that no window width makes the limit wrap.
    return panWidth < static_cast<std::int64_t>(windowWidth) - 100 && panWidth > 50;
}

bool AcceptColWidth(std::int32_t width) {
    return width > 5;
}

std::int32_t ShownColWidth(std::int32_t width, ScreenSize screen) {
    // A screen of no width is a failed measurement, not a limit.
    return screen.Width > 5 && width > screen.Width ? screen.Width : width;
}

void ReadSettings(Profile& profile, RecIni& record, MainGeometry& window, ScreenSize screen,
                  const PlaceWindow& place) {
    record.AutoOpen = SettingsBoolean(profile.Read(kMain, "Open"), false);
    record.AutoOpenName = SettingsText(profile.Read(kMain, "Name"), "");
    record.AutoSave = SettingsBoolean(profile.Read(kMain, "Save"), true);
    record.AutoSaveMinutes = SettingsInteger(profile.Read(kMain, "Time"), 5);
    record.QExit = SettingsBoolean(profile.Read(kQuery, "QExit"), true);
    record.QRegistr = SettingsBoolean(profile.Read(kQuery, "QRegistr"), true);
    record.QOut = SettingsBoolean(profile.Read(kQuery, "QOut"), true);
    record.QIn = SettingsBoolean(profile.Read(kQuery, "QIn"), true);
    record.QAllIn = SettingsBoolean(profile.Read(kQuery, "QAllIn"), true);
    record.LongLoans = SettingsBoolean(profile.Read(kMain, "Long"), kLongLoansDefault);
    record.LongDays = SettingsInteger(profile.Read(kMain, "LongDays"), kLongDaysDefault);

    // Present keys only; a value that is no number reads as the current one and so changes nothing.
    auto stored = [&](const char* key, std::int32_t current) -> std::optional<std::int32_t> {
        std::optional<std::string> text = profile.Read(kMain, key);
        if (!text) {
            return std::nullopt;
        }
        return SettingsInteger(text, current);
    };
    if (auto left = stored("Left", window.Left); left && AcceptLeft(*left, screen)) {
        window.Left = *left;
    }
    if (auto top = stored("Top", window.Top); top && AcceptTop(*top, screen)) {
        window.Top = *top;
    }
    if (auto height = stored("Height", window.Height); height && AcceptHeight(*height)) {
        window.Height = *height;
    }
    if (auto width = stored("Width", window.Width); width && AcceptWidth(*width)) {
        window.Width = *width;
    }
    if (place) {
        place(window);
    }
    if (auto pan = stored("PanHeight", window.PanHeight); pan && AcceptPanHeight(*pan, window.Height)) {
        window.PanHeight = *pan;
    }
    if (auto pan = stored("PanWidth", window.PanWidth); pan && AcceptPanWidth(*pan, window.Width)) {
        window.PanWidth = *pan;
    }
    if (std::optional<std::string> maximized = profile.Read(kMain, "Maximized")) {
        window.Maximized = SettingsBoolean(maximized, window.Maximized);
    }
    for (std::size_t i = 0; i < window.ColWidths.size(); ++i) {
        const std::int32_t width = SettingsInteger(profile.Read(kMain, kColWidthKeys[i]), 0);
        if (AcceptColWidth(width)) {
            window.ColWidths[i] = ShownColWidth(width, screen);
        }
    }
}

void WriteSettings(Profile& profile, const RecIni& record, const MainGeometry& window) {
    WriteBoolean(profile, kMain, "Open", record.AutoOpen);
    profile.Write(kMain, "Name", record.AutoOpenName);
    WriteBoolean(profile, kMain, "Save", record.AutoSave);
    WriteInteger(profile, kMain, "Time", record.AutoSaveMinutes);
    WriteBoolean(profile, kQuery, "QExit", record.QExit);
    WriteBoolean(profile, kQuery, "QRegistr", record.QRegistr);
    WriteBoolean(profile, kQuery, "QOut", record.QOut);
    WriteBoolean(profile, kQuery, "QIn", record.QIn);
    WriteBoolean(profile, kQuery, "QAllIn", record.QAllIn);
    if (!window.Maximized) {
        WriteInteger(profile, kMain, "Left", window.Left);
        WriteInteger(profile, kMain, "Top", window.Top);
        WriteInteger(profile, kMain, "Height", window.Height);
        WriteInteger(profile, kMain, "Width", window.Width);
    }
    WriteInteger(profile, kMain, "PanHeight", window.PanHeight);
    WriteInteger(profile, kMain, "PanWidth", window.PanWidth);
    WriteBoolean(profile, kMain, "Maximized", window.Maximized);
    for (std::size_t i = 0; i < window.ColWidths.size(); ++i) {
        WriteInteger(profile, kMain, kColWidthKeys[i], window.ColWidths[i]);
    }
    // Nothing removes a key from the file, so a warning once stored is written again, back at its
    // first-start values too, lest the old values come back at the next start.
    if (record.LongLoans != kLongLoansDefault || record.LongDays != kLongDaysDefault ||
        profile.Read(kMain, "Long") || profile.Read(kMain, "LongDays")) {
        WriteBoolean(profile, kMain, "Long", record.LongLoans);
        WriteInteger(profile, kMain, "LongDays", record.LongDays);
    }
    profile.Flush();
}

std::string SettingsPathFor(std::string_view exePath) {
    const std::size_t separator = exePath.find_last_of("\\/:");
    const std::size_t dot = exePath.find_last_of('.');
    const bool hasExtension =
        dot != std::string_view::npos && (separator == std::string_view::npos || dot > separator);
    return std::string(hasExtension ? exePath.substr(0, dot) : exePath) + ".ini";
}
