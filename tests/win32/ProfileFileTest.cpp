// The settings rules over the real Windows profile functions: the bytes they write, what they read back,
// and the error when the file cannot be written.

#include "../common/SettingsSamples.h"
#include "TestFolder.h"

#include "platform/ProfileFile.h"

#include <gtest/gtest.h>

TEST(ProfileFile, FirstWriteWithDefaultsAtDesignSizeGivesTheSampleFile) {
    TestFolder folder;
    ProfileFile file(folder.File("veshchehran.ini"));
    RecIni record;
    MainGeometry window = DesignGeometry();
    ReadSettings(file, record, window, ScreenSize{1280, 1024});
    WriteSettings(file, record, window);
    EXPECT_EQ(ReadWholeFile(file.Path()), kSampleSettings);
}

TEST(ProfileFile, ReadsPresenceAndWholeValuesOfAWrittenFile) {
    TestFolder folder;
    ProfileFile file(folder.File("settings.ini"));
    EXPECT_EQ(file.Read("Main", "Time"), std::nullopt); // no file at all

    const std::string longName = "C:\\" + std::string(3000, 'x') + "\\база.dat";
    WriteWholeFile(file.Path(), "\r\n[main]\r\nTIME = 0x1E\r\nLeft=\r\nName=" + longName +
                                    "\r\n\r\n[Query]\r\nQOut=0\r\nUnknown=5\r\n");
    EXPECT_EQ(file.Read("Main", "Time"), "0x1E");
    EXPECT_EQ(file.Read("Main", "Left"), ""); // present without a value
    EXPECT_EQ(file.Read("Main", "Top"), std::nullopt);
    EXPECT_EQ(file.Read("Query", "Time"), std::nullopt);
    EXPECT_EQ(file.Read("Main", "Name"), longName);

    RecIni record;
    MainGeometry window = DesignGeometry();
    ReadSettings(file, record, window, ScreenSize{1280, 1024});
    EXPECT_EQ(record.AutoSaveMinutes, 30);
    EXPECT_FALSE(record.QOut);
    EXPECT_TRUE(record.QIn);
    EXPECT_EQ(record.AutoOpenName, longName);
    EXPECT_EQ(window, DesignGeometry());
}

TEST(ProfileFile, RewritingKeepsSectionsAndKeysWhereTheyStand) {
    TestFolder folder;
    ProfileFile file(folder.File("settings.ini"));
    WriteWholeFile(file.Path(), "[Query]\r\nQExit=0\r\n[Main]\r\nColWidth1=10\r\nOpen=1\r\n");
    RecIni record;
    record.AutoOpen = true;
    record.AutoOpenName = "D:\\data\\home.dat";
    MainGeometry window = DesignGeometry();
    window.Maximized = true;
    WriteSettings(file, record, window);
    EXPECT_EQ(ReadWholeFile(file.Path()),
              "[Query]\r\nQExit=0\r\nQRegistr=0\r\nQOut=0\r\nQIn=0\r\nQAllIn=0\r\n"
              "[Main]\r\nColWidth1=161\r\nOpen=1\r\nName=D:\\data\\home.dat\r\nSave=0\r\nTime=0\r\n"
              "PanHeight=143\r\nPanWidth=241\r\nMaximized=1\r\nColWidth2=36\r\nColWidth3=273\r\n"
              "ColWidth4=131\r\nColWidth5=100\r\nColWidth6=365\r\nColWidth7=185\r\n");
}

// The file is replaced in one step, never rewritten in place: a write that fails leaves it as it was, and
// nothing beside it.
TEST(ProfileFile, AFileThatCannotBeWrittenStaysWholeAndTheErrorNamesItsPath) {
    TestFolder folder;
    const std::string missingFolder = folder.File("gone\\settings.ini");
    ProfileFile file(missingFolder);
    try {
        WriteSettings(file, RecIni{}, DesignGeometry());
        FAIL() << "a write into a missing folder succeeded";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + missingFolder);
    }

    // Held open by another program without sharing, or marked read-only.
    ProfileFile locked(folder.File("locked.ini"));
    WriteWholeFile(locked.Path(), "[Main]\r\nOpen=0\r\n");
    HANDLE holder = CreateFileA(locked.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_THROW(WriteSettings(locked, RecIni{}, DesignGeometry()), SettingsWriteError);
    CloseHandle(holder);
    SetFileAttributesA(locked.Path().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteSettings(locked, RecIni{}, DesignGeometry()), SettingsWriteError);
    EXPECT_EQ(ReadWholeFile(locked.Path()), "[Main]\r\nOpen=0\r\n");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"locked.ini"});
}
