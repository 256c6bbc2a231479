// Feeds arbitrary bytes to the settings reader as the text of a settings file. Whatever the bytes, every
// stored size that is put back must pass its check, every other part of the window must stay as it was,
// texts stay within their limit, and what is read must come back unchanged after being written and read
// again.
#include "../common/SettingsSamples.h"
#include "MemoryProfile.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A part of the window that changed took a value that passes its check.
void CheckChange(std::int32_t before, std::int32_t after, bool accepted) {
    Check(after == before || accepted);
}

// The number a key holds, when it is present and holds one.
std::optional<std::int32_t> Stored(MemoryProfile& profile, const char* key) {
    const std::optional<std::string> text = profile.Read("Main", key);
    const std::int32_t value = SettingsInteger(text, 0);
    if (!text || value != SettingsInteger(text, 1)) {
        return std::nullopt;
    }
    return value;
}

// A stored number that passes its check is what the window got.
void CheckApplied(const std::optional<std::int32_t>& stored, bool accepted, std::int32_t applied) {
    Check(!stored || !accepted || applied == *stored);
}

void ReadWith(std::string_view text, ScreenSize screen) {
    const MainGeometry design = DesignGeometry();
    // The system's limit on a window's size: the screen and a frame around it, never below the size the
    // window was made with.
    const std::int32_t maxWidth = std::max(screen.Width + 12, design.Width);
    const std::int32_t maxHeight = std::max(screen.Height + 12, design.Height);
    const PlaceWindow place = [&](MainGeometry& g) {
        g.Width = std::min(g.Width, maxWidth);
        g.Height = std::min(g.Height, maxHeight);
    };
    MemoryProfile profile(text);
    RecIni record;
    MainGeometry window = design;
    ReadSettings(profile, record, window, screen, place);

    // The stored name comes back whole, whatever its length.
    Check(record.AutoOpenName == profile.Read("Main", "Name").value_or(""));
    CheckChange(design.Left, window.Left, AcceptLeft(window.Left, screen));
    CheckChange(design.Top, window.Top, AcceptTop(window.Top, screen));
    CheckChange(design.Height, window.Height, AcceptHeight(window.Height));
    CheckChange(design.Width, window.Width, AcceptWidth(window.Width));
    CheckChange(design.PanHeight, window.PanHeight, AcceptPanHeight(window.PanHeight, window.Height));
    CheckChange(design.PanWidth, window.PanWidth, AcceptPanWidth(window.PanWidth, window.Width));
    for (std::size_t i = 0; i < window.ColWidths.size(); ++i) {
        CheckChange(design.ColWidths[i], window.ColWidths[i], AcceptColWidth(window.ColWidths[i]));
    }
    const auto left = Stored(profile, "Left");
    CheckApplied(left, left && AcceptLeft(*left, screen), window.Left);
    const auto top = Stored(profile, "Top");
    CheckApplied(top, top && AcceptTop(*top, screen), window.Top);
    const auto height = Stored(profile, "Height");
    CheckApplied(height, height && AcceptHeight(*height) && *height <= maxHeight, window.Height);
    const auto width = Stored(profile, "Width");
    CheckApplied(width, width && AcceptWidth(*width) && *width <= maxWidth, window.Width);
    Check(window.Width <= maxWidth && window.Height <= maxHeight);
    const auto panHeight = Stored(profile, "PanHeight");
    CheckApplied(panHeight, panHeight && AcceptPanHeight(*panHeight, window.Height), window.PanHeight);
    const auto panWidth = Stored(profile, "PanWidth");
    CheckApplied(panWidth, panWidth && AcceptPanWidth(*panWidth, window.Width), window.PanWidth);

    // Written over the same text and read again from the design window, the same settings come back; the
    // bounds of a maximized window are not written, so they come back only in the normal state.
    MemoryProfile written(text);
    WriteSettings(written, record, window);
    RecIni again;
    MainGeometry windowAgain = design;
    ReadSettings(written, again, windowAgain, screen, place);
    Check(again == record);
    if (window.Maximized) {
        windowAgain.Left = window.Left;
        windowAgain.Top = window.Top;
        windowAgain.Width = window.Width;
        windowAgain.Height = window.Height;
    }
    Check(windowAgain.PanHeight == window.PanHeight ||
          !AcceptPanHeight(window.PanHeight, windowAgain.Height));
    Check(windowAgain.PanWidth == window.PanWidth || !AcceptPanWidth(window.PanWidth, windowAgain.Width));
    windowAgain.PanHeight = window.PanHeight;
    windowAgain.PanWidth = window.PanWidth;
    // A column wider than the screen (the design ones are, on a tiny screen) comes back as wide as it.
    for (std::int32_t& width : window.ColWidths) {
        width = ShownColWidth(width, screen);
    }
    Check(windowAgain == window);

    // The layout of a written file reads back as itself.
    Check(MemoryProfile(written.Text()).Text() == written.Text());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadWith(text, ScreenSize{1280, 1024});
    ReadWith(text, ScreenSize{100, 100});
    return 0;
}
