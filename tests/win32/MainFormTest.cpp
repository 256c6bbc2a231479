// The main window as it starts: title, application title, size and limits; its menus, tool bar, status
// bar and shortcut keys.

#include "MainWindowFixture.h"

#include "platform/Application.h"

#include <commctrl.h>

#include <string>
#include <utility>

namespace {

using MainFormTest = MainWindowFixture;
using ApplicationWindowTest = ProgramWindowFixture;

std::string MenuText(HMENU menu, UINT item, UINT by) {
    char text[128] = {};
    GetMenuStringA(menu, item, text, sizeof text, by);
    return text;
}

Texts MenuTexts(HMENU menu) {
    Texts texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        texts.push_back(MenuText(menu, static_cast<UINT>(i), MF_BYPOSITION));
    }
    return texts;
}

} // namespace

TEST_F(MainFormTest, StartsAsANewCatalogueUnderTheProductName) {
    EXPECT_EQ(Caption(), "Вещехран - new");
    EXPECT_EQ(Application::Title(), "Вещехран");
    EXPECT_EQ(WindowText(Application::Handle()), "Вещехран");
    // The main window is owned by the application window, whose button the taskbar shows.
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), Application::Handle());

    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 192);
    EXPECT_EQ(r.top, 107);
    EXPECT_EQ(r.right - r.left, 698);
    EXPECT_EQ(r.bottom - r.top, 480);

    MINMAXINFO info{};
    SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 696);
    EXPECT_EQ(info.ptMinTrackSize.y, 480);
}

TEST_F(MainFormTest, MenusCarryTheirCaptionsShortcutsAndSeparators) {
    HMENU menu = GetMenu(form->Handle());
    EXPECT_EQ(MenuTexts(menu), (Texts{"&Файл", "Пр&авка", "&Должник", "&Предмет", "&Справка"}));
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 0)),
              (Texts{"Созд&ать", "&Открыть...", "&Сохранить\tF2", "", "По&иск", "С&татистика...",
                     "&Экспорт...", "&Настройки...", "", "В&ыход\tF10"}));
    EXPECT_EQ(MenuTexts(GetSubMenu(GetSubMenu(menu, 0), 4)),
              (Texts{"&Найти...\tCtrl+F", "Найти &далее\tF3"}));
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 1)), (Texts{"&Отменить\tCtrl+Z", "&Повторить\tCtrl+Y"}));
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 2)), (Texts{"&Новый...", "&Редактировать...", "&Удалить",
                                                     "Написать &письмо...", "История &выдач..."}));
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 3)),
              (Texts{"&Новый...", "&Редактировать...", "&Удалить", "История &выдач..."}));
    EXPECT_EQ(MenuTexts(GetSubMenu(menu, 4)), (Texts{"&История...", "", "&О программе..."}));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 9), static_cast<UINT>(IDM_EXIT));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 2), 3), static_cast<UINT>(IDM_MAIL));
}

TEST_F(MainFormTest, ToolBarButtonsShowTheirActionsHintsAndTheStatusBarHasThreePanels) {
    HWND toolBar = ToolBar();
    // 0 stands for a separator.
    const std::vector<int> ids{IDM_NEW,  IDM_OPEN, IDM_SAVE,  0,         IDM_NEWU, IDM_EDITU,
                               IDM_DELU, 0,        IDM_NEWI,  IDM_EDITI, IDM_DELI, 0,
                               IDM_SETS, 0,        IDM_ABOUT, 0,         IDM_EXIT};
    ASSERT_EQ(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0), 17);
    for (int i = 0; i < 17; ++i) {
        TBBUTTON button{};
        SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        const int id = ids[static_cast<size_t>(i)];
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, id == 0) << i;
        EXPECT_EQ(id == 0 ? button.iBitmap : button.idCommand, id == 0 ? 8 : id) << i;
    }
    RECT buttonRect{};
    SendMessageA(toolBar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&buttonRect));
    EXPECT_EQ(buttonRect.right - buttonRect.left, 39);
    EXPECT_EQ(buttonRect.bottom - buttonRect.top, 38);

    // A button's tooltip is its action's hint.
    NMTTDISPINFOA tip{};
    tip.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(toolBar, TB_GETTOOLTIPS, 0, 0));
    tip.hdr.idFrom = IDM_DELU;
    tip.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_STREQ(tip.lpszText, "Удалить должника");

    int edges[4] = {};
    ASSERT_EQ(SendMessageA(StatusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 50);
    EXPECT_EQ(edges[1], 150);
    EXPECT_EQ(edges[2], 200);
}

// The taskbar's button is the application window's. Closing it, from its menu or as another program closes
// a window, asks the main window to close, which asks the user, and the application window stays while
// the main window does; activating it hands the activation to the main window.
TEST_F(ApplicationWindowTest, TheApplicationWindowHandsClosingAndActivationToTheMainWindow) {
    Settings.QExit = true;
    for (const auto& [msg, command] : {std::pair<UINT, WPARAM>{WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}}) {
        SCOPED_TRACE(msg);
        ModalAnswerer answerer;
        answerer.Press(IDCANCEL);
        SendMessageA(Application::Handle(), msg, command, 0);
        Pump();
        EXPECT_EQ(answerer.Pending(), 0u);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_EQ(answerer.Seen()[0].text, "Выйти из программы?");
        EXPECT_TRUE(IsWindow(Application::Handle()));
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
    }

    SetActiveWindow(Application::Handle());
    Pump();
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}

// Shortcuts go through the message loop's accelerator table to the actions, whichever control has the
// focus; F10 arrives as a system key. F2 saves the changed catalogue (its save dialog asks where), F10
// asks the close query, F5 runs nothing.
TEST_F(MainFormTest, ShortcutKeysRunTheirActions) {
    Application::SetMainWindow(form->Handle());
    Settings.QOut = false;
    Settings.QExit = true;
    AddDebtor("Анна", 1);
    AddItem("Атлас");
    FillAll();
    SendMessageA(OutButton(), BM_CLICK, 0, 0);
    ASSERT_EQ(StatusNote(), "База изменена");
    const std::string file = folder.File("shortcuts.dat");
    ModalAnswerer answerer;
    answerer.TypePath(file).Press(IDCANCEL);
    HWND table = Debtors().Handle();
    SetFocus(table);
    // One at a time: a key waiting in the queue while the save dialog is up would reach that dialog.
    for (const auto& [msg, key] :
         {std::pair{WM_KEYDOWN, VK_F2}, {WM_SYSKEYDOWN, VK_F10}, {WM_KEYDOWN, VK_F5}}) {
        PostMessageA(table, msg, key, 1);
        Application::ProcessMessages();
    }
    Application::SetMainWindow(nullptr);
    EXPECT_EQ(answerer.Pending(), 0u);
    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_EQ(answerer.Seen()[1].text, "Выйти из программы?");
    EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "F2 saved";
    EXPECT_EQ(StatusNote(), "");
    EXPECT_TRUE(IsWindow(form->Handle()));
}
