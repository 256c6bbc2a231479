// The settings file's rules: defaults, value reading, the checks on stored window sizes, and the bytes
// written, run over the in-memory profile.
#include "../common/SettingsSamples.h"
#include "MemoryProfile.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const ScreenSize kScreen{1280, 1024};

// The design window after reading a profile made of `text`.
MainGeometry ReadGeometry(const std::string& text, MainGeometry start = DesignGeometry()) {
    MemoryProfile profile(text);
    RecIni record;
    ReadSettings(profile, record, start, kScreen);
    return start;
}

RecIni ReadRecord(const std::string& text) {
    MemoryProfile profile(text);
    RecIni record;
    MainGeometry window = DesignGeometry();
    ReadSettings(profile, record, window, kScreen);
    return record;
}

} // namespace

TEST(SettingsFile, FirstStartTakesTheDefaultsAndWritesTheSampleFile) {
    MemoryProfile none;
    RecIni record;
    MainGeometry window = DesignGeometry();
    ReadSettings(none, record, window, kScreen);

    RecIni expected;
    expected.AutoSave = true;
    expected.AutoSaveMinutes = 5;
    expected.QExit = expected.QRegistr = expected.QOut = expected.QIn = expected.QAllIn = true;
    EXPECT_EQ(record, expected);
    EXPECT_EQ(window, DesignGeometry());

    MemoryProfile written;
    WriteSettings(written, record, window);
    EXPECT_EQ(written.Text(), kSampleSettings);
}

TEST(SettingsFile, ReadsKeysInAnyOrderAndLetterCaseAmongBlankLinesAndUnknownKeys) {
    const RecIni record = ReadRecord("\n[query]\nQALLIN=0\nWhatever=1\n\n[MAIN]\r\n  time = 12 \r\n"
                                     "Name=C:\\data\\home.dat\nopen=1\nsave=0\n");
    EXPECT_TRUE(record.AutoOpen);
    EXPECT_EQ(record.AutoOpenName, "C:\\data\\home.dat");
    EXPECT_FALSE(record.AutoSave);
    EXPECT_EQ(record.AutoSaveMinutes, 12);
    EXPECT_FALSE(record.QAllIn);
    EXPECT_TRUE(record.QExit);
}

TEST(SettingsFile, IntegerBooleanAndTextValues) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case integers[] = {
        {"30", 30},
        {"-7", -7},
        {"+3", 3},
        {"007", 7},
        {"0x1E", 30},
        {"0X1e", 30},
        {"0x001E", 30},
        {"0xFFFFFFFF", -1},
        {"0x7FFFFFFF", 2147483647},
        {"-2147483648", INT32_MIN},
        // Not a whole number: the default.
        {"", 99},
        {"abc", 99},
        {"1.5", 99},
        {"0x", 99},
        {"0xG", 99},
        {"-0x1E", 99},
        {"0x100000000", 99},
        {"2147483648", 99},
        {"1E", 99},
        {"5 minutes", 99},
    };
    for (const Case& c : integers) {
        EXPECT_EQ(SettingsInteger(std::string(c.text), 99), c.expected) << c.text;
    }
    EXPECT_EQ(SettingsInteger(std::nullopt, 99), 99);

    EXPECT_TRUE(SettingsBoolean(std::string("2"), false));
    EXPECT_TRUE(SettingsBoolean(std::string("-1"), false));
    EXPECT_TRUE(SettingsBoolean(std::string("0x10"), false));
    EXPECT_FALSE(SettingsBoolean(std::string("0"), true));
    EXPECT_FALSE(SettingsBoolean(std::string("0x0"), true));
    EXPECT_TRUE(SettingsBoolean(std::string("yes"), true));
    EXPECT_FALSE(SettingsBoolean(std::string("yes"), false));

    EXPECT_EQ(SettingsText(std::string(3000, 'a'), ""), std::string(3000, 'a'));
    EXPECT_EQ(SettingsText(std::nullopt, "x"), "x");
}

TEST(SettingsFile, AutosaveMinutesAreTakenWithoutARangeCheck) {
    EXPECT_EQ(ReadRecord("[Main]\nTime=0\n").AutoSaveMinutes, 0);
    EXPECT_EQ(ReadRecord("[Main]\nTime=-4\n").AutoSaveMinutes, -4);
    EXPECT_EQ(ReadRecord("[Main]\nTime=0x1E\n").AutoSaveMinutes, 30);
    EXPECT_EQ(ReadRecord("[Main]\nTime=soon\n").AutoSaveMinutes, 5);
}

TEST(SettingsFile, StoredWindowBoundsArePutBackOnlyWithinTheLimits) {
    EXPECT_EQ(ReadGeometry("[Main]\nLeft=1279\n").Left, 1279);
    EXPECT_EQ(ReadGeometry("[Main]\nLeft=1280\n").Left, 192);
    EXPECT_EQ(ReadGeometry("[Main]\nLeft=-20\n").Left, -20);
    EXPECT_EQ(ReadGeometry("[Main]\nTop=1024\n").Top, 107);
    EXPECT_EQ(ReadGeometry("[Main]\nTop=-3\n").Top, -3);
    EXPECT_EQ(ReadGeometry("[Main]\nHeight=480\n").Height, 480);
    EXPECT_EQ(ReadGeometry("[Main]\nHeight=600\n", MainGeometry{}).Height, 600);
    EXPECT_EQ(ReadGeometry("[Main]\nHeight=479\n", MainGeometry{}).Height, 0);
    EXPECT_EQ(ReadGeometry("[Main]\nWidth=697\n").Width, 697);
    EXPECT_EQ(ReadGeometry("[Main]\nWidth=696\n").Width, 698);
    // A value that is no number changes nothing, whatever the check would say.
    EXPECT_EQ(ReadGeometry("[Main]\nLeft=far\nHeight=\n"), DesignGeometry());
}

TEST(SettingsFile, StoredPanelSizesArePutBackWithinTheWindowAfterItsStoredSize) {
    EXPECT_EQ(ReadGeometry("[Main]\nPanHeight=239\n").PanHeight, 239);
    EXPECT_EQ(ReadGeometry("[Main]\nPanHeight=240\n").PanHeight, 143);
    EXPECT_EQ(ReadGeometry("[Main]\nPanHeight=50\n").PanHeight, 143);
    EXPECT_EQ(ReadGeometry("[Main]\nPanHeight=51\n").PanHeight, 51);
    EXPECT_EQ(ReadGeometry("[Main]\nPanWidth=597\n").PanWidth, 597);
    EXPECT_EQ(ReadGeometry("[Main]\nPanWidth=598\n").PanWidth, 241);
    EXPECT_EQ(ReadGeometry("[Main]\nPanWidth=50\n").PanWidth, 241);
    // Compared with the height and width just read, not the design ones; a rejected height does not count.
    EXPECT_EQ(ReadGeometry("[Main]\nPanHeight=299\nHeight=600\n").PanHeight, 299);
    EXPECT_EQ(ReadGeometry("[Main]\nHeight=480\nPanHeight=240\n").PanHeight, 143);
    EXPECT_EQ(ReadGeometry("[Main]\nWidth=900\nPanWidth=799\n").PanWidth, 799);

    // Against the size the window took: the system keeps it near the screen's size.
    MemoryProfile huge("[Main]\nHeight=40000\nWidth=40000\nPanHeight=19999\nPanWidth=19999\n");
    RecIni record;
    MainGeometry window = DesignGeometry();
    ReadSettings(huge, record, window, kScreen, [](MainGeometry& g) {
        EXPECT_EQ(g.Height, 40000);
        g.Width = 1292;
        g.Height = 1036;
    });
    EXPECT_EQ(window.Height, 1036);
    EXPECT_EQ(window.PanHeight, 143);
    EXPECT_EQ(window.PanWidth, 241);
}

TEST(SettingsFile, ColumnWidthsOverFiveArePutBackNoWiderThanTheScreen) {
    const MainGeometry g = ReadGeometry("[Main]\nColWidth3=5\nColWidth4=6\nColWidth7=-10\nColWidth1=x\n"
                                        "ColWidth2=2147483647\nColWidth5=1280\nColWidth6=0x7FFFFFFF\n");
    EXPECT_EQ(g.ColWidths, (std::array<std::int32_t, 7>{161, 1280, 273, 6, 1280, 1280, 185}));
}

TEST(SettingsFile, MaximizedStateIsSetOnlyByAPresentKey) {
    MainGeometry maximized = DesignGeometry();
    maximized.Maximized = true;
    EXPECT_TRUE(ReadGeometry("[Main]\nLeft=5\n", maximized).Maximized);
    EXPECT_FALSE(ReadGeometry("[Main]\nMaximized=0\n", maximized).Maximized);
    EXPECT_TRUE(ReadGeometry("[Main]\nMaximized=1\n").Maximized);
    EXPECT_TRUE(ReadGeometry("[Main]\nMaximized=nonsense\n", maximized).Maximized);
}

TEST(SettingsFile, WritingWhileMaximizedKeepsTheNormalBoundsOfTheFile) {
    MemoryProfile profile(kSampleSettings);
    RecIni record = ReadRecord(kSampleSettings);
    record.AutoOpen = true;
    record.AutoOpenName = "D:\\data\\home.dat";
    MainGeometry window = DesignGeometry();
    window.Left = 0;
    window.Top = 0;
    window.Width = 1280;
    window.Height = 1000;
    window.PanHeight = 300;
    window.Maximized = true;
    WriteSettings(profile, record, window);

    std::string expected = kSampleSettings;
    expected.replace(expected.find("Open=0"), 6, "Open=1");
    expected.replace(expected.find("Name="), 5, "Name=D:\\data\\home.dat");
    expected.replace(expected.find("PanHeight=143"), 13, "PanHeight=300");
    expected.replace(expected.find("Maximized=0"), 11, "Maximized=1");
    EXPECT_EQ(profile.Text(), expected);

    // The next start restores the normal bounds first and then maximizes.
    const MainGeometry next = ReadGeometry(profile.Text());
    EXPECT_EQ(next.Left, 192);
    EXPECT_EQ(next.Width, 698);
    EXPECT_TRUE(next.Maximized);
}

// The warning for things away too long lives after the other keys of "Main", and only in a file that has
// held it: a file at the first start's values stays byte for byte as it was.
TEST(SettingsFile, TheLongLoansWarningIsWrittenOnlyOnceItWasChosen) {
    RecIni record = ReadRecord(kSampleSettings);
    EXPECT_FALSE(record.LongLoans);
    EXPECT_EQ(record.LongDays, 30);
    record.LongLoans = true;
    record.LongDays = 45;
    MemoryProfile profile(kSampleSettings);
    WriteSettings(profile, record, DesignGeometry());
    std::string expected = kSampleSettings;
    expected.insert(expected.find("[Query]"), "Long=1\r\nLongDays=45\r\n");
    EXPECT_EQ(profile.Text(), expected);

    const RecIni back = ReadRecord(profile.Text());
    EXPECT_TRUE(back.LongLoans);
    EXPECT_EQ(back.LongDays, 45);
    EXPECT_EQ(ReadRecord("[Main]\nLong=0x1\nLongDays=soon\n").LongDays, 30);
    EXPECT_TRUE(ReadRecord("[Main]\nLong=0x1\n").LongLoans);

    // Turned off again at 30 days: written back so, not left at the old values.
    record.LongLoans = false;
    record.LongDays = 30;
    WriteSettings(profile, record, DesignGeometry());
    EXPECT_FALSE(ReadRecord(profile.Text()).LongLoans);
    EXPECT_NE(profile.Text().find("Long=0\r\nLongDays=30\r\n"), std::string::npos);
}

TEST(SettingsFile, PathBesideTheExecutable) {
    EXPECT_EQ(SettingsPathFor("C:\\Program Files\\vesh\\veshchehran.exe"),
              "C:\\Program Files\\vesh\\veshchehran.ini");
    EXPECT_EQ(SettingsPathFor("C:\\v1.2\\prog"), "C:\\v1.2\\prog.ini");
    EXPECT_EQ(SettingsPathFor("C:\\a\\x.tar.exe"), "C:\\a\\x.tar.ini");
}
