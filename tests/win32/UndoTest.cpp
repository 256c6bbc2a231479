// Taking changes back and doing them again through the real main window: the Edit menu's entries and
// their shortcuts, the tables after each turn, the changed mark, and what a save then writes.

#include "MainWindowFixture.h"

#include "files/FileIO.h"
#include "platform/Application.h"

#include <commctrl.h>

namespace {

// Петров holds the umbrella since 15.03.2024; Сидорова holds nothing; the dictionary and the atlas are free.
const char* const kCatalog = "1\r\nПетров\r\n\r\n2\r\nСидорова\r\nsid@example.ru\r\n***\r\n"
                             "3\r\nАтлас\r\nКнига\r\n01.02.2024\r\n0\r\n"
                             "1\r\nЗонт\r\nПрочее\r\n15.03.2024\r\n1\r\n"
                             "2\r\nСловарь\r\nКнига\r\n01.02.2024\r\n0\r\n";

std::string MenuEntry(HWND window, int id) {
    char text[256] = {};
    GetMenuStringA(GetMenu(window), static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
    return text;
}

class UndoTest : public ProgramWindowFixture {
  protected:
    void SetUp() override {
        ProgramWindowFixture::SetUp();
        Settings.QOut = Settings.QIn = Settings.QAllIn = true;
        WriteWholeFile(home, kCatalog);
        ModalAnswerer open;
        open.Then([this](HWND dialog) {
                SetDlgItemTextA(dialog, 0x47C, home.c_str());
                ClickDialogButton(dialog, IDOK);
            })
            .Then([](HWND dialog) { ClickDialogButton(dialog, IDCANCEL); }); // not opened at every start
        Run(IDM_OPEN, open);
    }

    // Runs a command, answering OK to each of `questions` message boxes.
    void Confirmed(int commandId, int questions) {
        ModalAnswerer answerer;
        for (int i = 0; i < questions; ++i) {
            answerer.Then([](HWND box) { ClickDialogButton(box, IDOK); });
        }
        Run(commandId, answerer);
        EXPECT_EQ(answerer.Pending(), 0u);
    }
    // Takes a change back or does it again through the menu; no dialog may appear.
    void Turn(int commandId) {
        ModalAnswerer none;
        Run(commandId, none);
        EXPECT_TRUE(none.Seen().empty()) << "undo and redo ask nothing";
    }
    Texts Lent() const { return ColumnOf(LentItems(), 1); }
    Texts LentDates() const { return ColumnOf(LentItems(), 0); }
    Texts Free() const { return ColumnOf(FreeItems(), 0); }
    std::string SelectedFree() const { return FreeItems().Cell(0, FreeItems().Row()); }
    std::string SelectedDebtor() const { return Debtors().Cell(0, Debtors().Row()); }

    std::string home = folder.File("home.dat");
};

} // namespace

TEST_F(UndoTest, EveryChangeIsTakenBackExactlyAndDoneAgainAndTheMarkFollowsWhatWasSaved) {
    EXPECT_FALSE(CommandEnabled(IDM_UNDO));
    EXPECT_FALSE(CommandEnabled(IDM_REDO));
    EXPECT_EQ(MenuEntry(form->Handle(), IDM_UNDO), "&Отменить\tCtrl+Z");

    // Lend the dictionary to Сидорова on the 15th, the atlas on the 16th; Петров returns the umbrella.
    ClickRow(Debtors(), 2);
    ClickRow(FreeItems(), 2); // Словарь
    Confirmed(IDC_OUTSPDBTN, 1);
    timeNow = kNow + 1;
    ClickRow(FreeItems(), 1); // Атлас
    Confirmed(IDC_OUTSPDBTN, 1);
    EXPECT_EQ(Lent(), (Texts{"Атлас", "Словарь"}));
    EXPECT_EQ(MenuEntry(form->Handle(), IDM_UNDO), "&Отменить выдачу предмета «Атлас»\tCtrl+Z");
    timeNow = kNow + 2;
    ClickRow(Debtors(), 1);
    Confirmed(IDC_INSPDBTN, 1);
    const std::string afterThree = SerializeCatalog(Data(), UserShortDateFormat());

    // "Вернул все" for Сидорова, taken back: each thing is hers again with the day it was lent.
    ClickRow(Debtors(), 2);
    Confirmed(IDC_ALLINSPDBTN, 1);
    EXPECT_EQ(Lent(), Texts{""});
    Turn(IDM_UNDO);
    EXPECT_EQ(SelectedDebtor(), "Сидорова");
    EXPECT_EQ(Lent(), (Texts{"Атлас", "Словарь"}));
    EXPECT_EQ(LentDates(), (Texts{"16.03.2024", "15.03.2024"}));
    EXPECT_EQ(SerializeCatalog(Data(), UserShortDateFormat()), afterThree);
    EXPECT_EQ(MenuEntry(form->Handle(), IDM_REDO),
              "&Повторить возврат всех предметов должника «Сидорова»\tCtrl+Y");

    // A debtor deleted with his things, taken back: the same debtor, his Id, his things with their days.
    Confirmed(IDM_DELU, 2);
    EXPECT_EQ(ColumnOf(Debtors(), 0), Texts{"Петров"});
    Turn(IDM_UNDO);
    EXPECT_EQ(ColumnOf(Debtors(), 0), (Texts{"Петров", "Сидорова"}));
    EXPECT_EQ(SelectedDebtor(), "Сидорова");
    EXPECT_EQ(LentDates(), (Texts{"16.03.2024", "15.03.2024"}));
    EXPECT_EQ(SerializeCatalog(Data(), UserShortDateFormat()), afterThree);

    // An item edited to another name and type, taken back and done again; the new type stays listed.
    ClickRow(FreeItems(), 1); // Зонт
    ModalAnswerer edit;
    edit.Then([this](HWND dialog) {
        SetWindowTextA(editor->Edit1(), "Ящик");
        SetWindowTextA(editor->ComboBox1(), "Тара");
        ClickDialogButton(dialog, IDOK);
    });
    Run(IDM_EDITI, edit);
    EXPECT_EQ(Free(), Texts{"Ящик"});
    Turn(IDM_UNDO);
    EXPECT_EQ(Free(), Texts{"Зонт"});
    EXPECT_EQ(SelectedFree(), "Зонт");
    EXPECT_EQ(ListEntries(FilterComboBox()), (Texts{"Книга", "Прочее", "Тара"}));
    Turn(IDM_REDO);
    EXPECT_EQ(Free(), Texts{"Ящик"});
    EXPECT_EQ(StatusNote(), "База изменена");

    // Everything taken back with the keyboard: the catalogue is what was read, nothing is marked, the
    // umbrella is Петров's again with its own day.
    SetFocus(Debtors().Handle());
    for (int i = 0; i < 3; ++i) {
        TypeKey('Z', false, true);
    }
    EXPECT_EQ(StatusNote(), "База изменена");
    TypeKey('Z', false, true);
    EXPECT_FALSE(CommandEnabled(IDM_UNDO));
    EXPECT_EQ(StatusNote(), "");
    EXPECT_EQ(SerializeCatalog(Data(), UserShortDateFormat()), kCatalog);
    ClickRow(Debtors(), 1);
    EXPECT_EQ(LentDates(), Texts{"15.03.2024"});

    // Done again with Ctrl+Y and Ctrl+Shift+Z; a redo after the last does nothing.
    TypeKey('Y', false, true);
    TypeKey('Z', true, true);
    TypeKey('Y', false, true);
    EXPECT_EQ(SerializeCatalog(Data(), UserShortDateFormat()), afterThree);
    EXPECT_EQ(StatusNote(), "База изменена");

    // Saved here; taking one step back marks the catalogue changed, doing it again does not.
    Confirmed(IDM_SAVE, 0);
    EXPECT_EQ(ReadWholeFile(home), afterThree);
    Turn(IDM_UNDO);
    EXPECT_EQ(StatusNote(), "База изменена");
    Turn(IDM_REDO);
    EXPECT_EQ(StatusNote(), "");

    // A new change drops what could be done again.
    Turn(IDM_UNDO);
    ClickRow(Debtors(), 1);
    Confirmed(IDC_ALLINSPDBTN, 1);
    EXPECT_FALSE(CommandEnabled(IDM_REDO));
    EXPECT_EQ(MenuEntry(form->Handle(), IDM_REDO), "&Повторить\tCtrl+Y");
}
