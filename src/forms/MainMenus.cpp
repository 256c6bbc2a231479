// The main window's actions and menus: the main menu, the tables' pop-up menus, the shortcut keys, the
// menu entries' pictures, and the entries that only the opening of the File menu enables.

#include "forms/Main.h"

#include "forms/CommandIds.h"
#include "platform/Application.h"

#include <algorithm>

void TForm1::CreateActions() {
    for (ui::Action* action : {&ExitAct, &NewAct, &OpenAct, &SaveAct, &AboutAct, &SetsAct, &NewUAct,
                               &EditUAct, &DelUAct, &NewIAct, &EditIAct, &DelIAct, &MailAct, &ExportAct}) {
        ActionList1.Add(*action);
    }
    ExitAct.OnExecute = [this] { ExitActExecute(); };
    NewAct.OnExecute = [this] { NewActExecute(); };
    OpenAct.OnExecute = [this] { OpenActExecute(); };
    SaveAct.OnExecute = [this] { SaveActExecute(); };
    AboutAct.OnExecute = [this] { AboutActExecute(); };
    SetsAct.OnExecute = [this] { SetsActExecute(); };
    NewUAct.OnExecute = [this] { NewUActExecute(); };
    EditUAct.OnExecute = [this] { EditUActExecute(); };
    DelUAct.OnExecute = [this] { DelUActExecute(); };
    NewIAct.OnExecute = [this] { NewIActExecute(); };
    EditIAct.OnExecute = [this] { EditIActExecute(); };
    DelIAct.OnExecute = [this] { DelIActExecute(); };
    MailAct.OnExecute = [this] { MailActExecute(); };
    ExportAct.OnExecute = [this] { ExportActExecute(); };
}

namespace {

// A menu entry: its text (with the shortcut after a tab) and, for the pictures, its command id.
void AppendEntry(HMENU menu, int id, const std::string& caption, const std::string& shortcut = {},
                 bool picture = true) {
    const std::string text = shortcut.empty() ? caption : caption + "\t" + shortcut;
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | (picture ? MIIM_BITMAP : 0);
    item.wID = static_cast<UINT>(id);
    item.dwTypeData = const_cast<char*>(text.c_str());
    item.hbmpItem = HBMMENU_CALLBACK;
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &item);
}

void AppendAction(HMENU menu, const ui::Action& action, const char* caption = nullptr) {
    AppendEntry(menu, action.Id(), caption ? caption : action.Caption(), action.ShortcutText());
}

void AppendSeparator(HMENU menu) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

} // namespace

namespace {

const char* const kLoansCaption = "История &выдач...";

} // namespace

void TForm1::CreateMenus() {
    unique_hmenu mainMenu(CreateMenu());
    HMENU MainMenu1 = mainMenu.get();

    N1 = CreatePopupMenu();
    AppendAction(N1, NewAct);
    AppendAction(N1, OpenAct, "&Открыть...");
    AppendAction(N1, SaveAct);
    AppendSeparator(N1); // N14
    HMENU N16 = CreatePopupMenu();
    AppendEntry(N16, IDM_FIND, "&Найти...", "Ctrl+F");
    AppendEntry(N16, IDM_FINDNEXT, "Найти &далее", "F3", false);
    AppendMenuA(N1, MF_POPUP, reinterpret_cast<UINT_PTR>(N16), "По&иск");
    AppendEntry(N1, IDM_STAT, "С&татистика...", {}, false);
    AppendAction(N1, ExportAct, "&Экспорт...");
    AppendAction(N1, SetsAct, "&Настройки...");
    AppendSeparator(N1); // N8
    AppendAction(N1, ExitAct, "В&ыход");
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N1), "&Файл");

    // Taking changes back and doing them again: the entries name the step (UpdateUndoMenu).
    EditMenu = CreatePopupMenu();
    AppendEntry(EditMenu, IDM_UNDO, "&Отменить", "Ctrl+Z", false);
    AppendEntry(EditMenu, IDM_REDO, "&Повторить", "Ctrl+Y", false);
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(EditMenu), "Пр&авка");

    HMENU N2 = CreatePopupMenu();
    AppendAction(N2, NewUAct, "&Новый...");
    AppendAction(N2, EditUAct, "&Редактировать...");
    AppendAction(N2, DelUAct);
    AppendAction(N2, MailAct, "Написать &письмо...");
    AppendEntry(N2, IDM_DEBTORLOANS, kLoansCaption, {}, false);
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N2), "&Должник");

    HMENU N3 = CreatePopupMenu();
    AppendAction(N3, NewIAct, "&Новый...");
    AppendAction(N3, EditIAct, "&Редактировать...");
    AppendAction(N3, DelIAct);
    AppendEntry(N3, IDM_ITEMLOANS, kLoansCaption, {}, false);
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N3), "&Предмет");

    HMENU N4 = CreatePopupMenu();
    AppendEntry(N4, IDM_HISTORY, "&История...", {}, false);
    AppendSeparator(N4); // N15
    AppendAction(N4, AboutAct, "&О программе...");
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(N4), "&Справка");

    UserPupMnu.reset(CreatePopupMenu());
    AppendAction(UserPupMnu.get(), NewUAct);  // N6
    AppendAction(UserPupMnu.get(), EditUAct); // N10
    AppendAction(UserPupMnu.get(), DelUAct);  // N11
    AppendAction(UserPupMnu.get(), MailAct);  // N12
    ItemPupMnu.reset(CreatePopupMenu());
    AppendAction(ItemPupMnu.get(), NewIAct);  // N5
    AppendAction(ItemPupMnu.get(), EditIAct); // N7
    AppendAction(ItemPupMnu.get(), DelIAct);  // N9
    AppendEntry(UserPupMnu.get(), IDM_DEBTORLOANS, kLoansCaption, {}, false);
    AppendEntry(ItemPupMnu.get(), IDM_ITEMLOANS, kLoansCaption, {}, false);
    LentPupMnu.reset(CreatePopupMenu());
    AppendEntry(LentPupMnu.get(), IDM_ITEMLOANS, kLoansCaption, {}, false);

    ActionList1.AddMenu(MainMenu1);
    ActionList1.AddMenu(UserPupMnu.get());
    ActionList1.AddMenu(ItemPupMnu.get());

    ACCEL keys[] = {
        {FVIRTKEY, VK_F2, IDM_SAVE},
        {FVIRTKEY, VK_F10, IDM_EXIT},
        {FVIRTKEY | FCONTROL, 'F', IDM_FIND},
        {FVIRTKEY, VK_F3, IDM_FINDNEXT},
        {FVIRTKEY | FCONTROL, 'Z', IDM_UNDO},
        {FVIRTKEY | FCONTROL, 'Y', IDM_REDO},
        {FVIRTKEY | FCONTROL | FSHIFT, 'Z', IDM_REDO},
    };
    accelerators_.reset(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
    Application::SetAccelerators(accelerators_.get());

    SetMenu(Handle(), mainMenu.release()); // the window destroys its menu
}

// Menu entries draw their pictures through HBMMENU_CALLBACK: the system draws the text, the window the
// picture, enabled or disabled as the entry is.
void TForm1::OnMeasureMenuPicture(MEASUREITEMSTRUCT* item) {
    if (item->CtlType == ODT_MENU) {
        const int side = PictureScale(scale_)(kSmallPicture);
        item->itemWidth = static_cast<UINT>(side);
        item->itemHeight = static_cast<UINT>(side);
    }
}

void TForm1::OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType == ODT_BUTTON) {
        for (const ui::FlatButton* button : {&OutSpdBtn, &InSpdBtn, &AllInSpdBtn}) {
            if (button->Handle() == item->hwndItem) {
                button->Draw(*item);
            }
        }
    } else if (item->CtlType == ODT_MENU) {
        OnDrawMenuPicture(item);
    }
}

void TForm1::OnDrawMenuPicture(const DRAWITEMSTRUCT* item) {
    int picture = item->itemID == static_cast<UINT>(IDM_FIND) ? kFindPicture : -1;
    if (const ui::Action* action = ActionList1.Find(static_cast<int>(item->itemID))) {
        picture = action->ImageIndex();
    }
    if (picture < 0) {
        return;
    }
    if (item->itemState & (ODS_GRAYED | ODS_DISABLED)) {
        picture += kPictureCount;
    }
    const int side = PictureScale(scale_)(kSmallPicture);
    const int x = item->rcItem.left + (item->rcItem.right - item->rcItem.left - side) / 2;
    const int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - side) / 2;
    ImageList_Draw(ImageList1.get(), picture, item->hDC, std::max(x, static_cast<int>(item->rcItem.left)), y,
                   ILD_TRANSPARENT);
}

namespace {

// Position of the Search submenu and of the Statistics entry in the File menu.
constexpr UINT kN16Position = 4;
constexpr UINT kMiStatPosition = 5;

} // namespace

void TForm1::SetFileMenuEntriesEnabled(bool enabled) {
    EnableMenuItem(N1, kN16Position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(N1, kMiStatPosition, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TForm1::FindMenuEnabled() const {
    return !(GetMenuState(N1, kN16Position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
}

// Search and statistics need a catalogue with debtors and items.
void TForm1::N1Click() {
    const bool filled = GetCatalog().users.Count() >= 1 && GetCatalog().items.Count() >= 1;
    SetFileMenuEntriesEnabled(filled);
}

namespace {

// A text as a menu entry shows it: an ampersand of its own is doubled, so that it is no access key.
std::string MenuText(const std::string& text) {
    std::string shown;
    for (char c : text) {
        shown += c;
        if (c == '&') {
            shown += '&';
        }
    }
    return shown;
}

void SetUndoEntry(HMENU menu, int id, const std::string& verb, const Step* step, const char* shortcut) {
    const std::string text =
        verb + (step ? " " + MenuText(DescribeStep(*step)) : std::string()) + "\t" + shortcut;
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_STATE;
    item.dwTypeData = const_cast<char*>(text.c_str());
    item.fState = step ? MFS_ENABLED : MFS_GRAYED;
    SetMenuItemInfoA(menu, static_cast<UINT>(id), FALSE, &item);
}

} // namespace

// The entries name the step they would take back or do again, and are disabled when there is none.
void TForm1::UpdateUndoMenu() {
    SetUndoEntry(EditMenu, IDM_UNDO, "&Отменить", document_.NextUndo(), "Ctrl+Z");
    SetUndoEntry(EditMenu, IDM_REDO, "&Повторить", document_.NextRedo(), "Ctrl+Y");
}
