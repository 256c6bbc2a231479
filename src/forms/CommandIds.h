#pragma once
// Command ids of the main window's actions, menu entries and tool bar buttons, and the ids of its
// controls. Another process cannot read the program's menus, so a driver that runs commands posts
// WM_COMMAND with these ids to the main window, and finds the controls with GetDlgItem on their
// parents. No includes: the end-to-end driver uses this header too.

// Actions: a menu entry, a pop-up menu entry or a tool bar button bound to an action sends its id.
constexpr int IDM_EXIT = 101;   // ExitAct, F10
constexpr int IDM_NEW = 102;    // NewAct
constexpr int IDM_OPEN = 103;   // OpenAct
constexpr int IDM_SAVE = 104;   // SaveAct, F2
constexpr int IDM_ABOUT = 105;  // AboutAct
constexpr int IDM_SETS = 106;   // SetsAct
constexpr int IDM_NEWU = 107;   // NewUAct
constexpr int IDM_EDITU = 108;  // EditUAct
constexpr int IDM_DELU = 109;   // DelUAct
constexpr int IDM_NEWI = 110;   // NewIAct
constexpr int IDM_EDITI = 111;  // EditIAct
constexpr int IDM_DELI = 112;   // DelIAct
constexpr int IDM_MAIL = 113;   // MailAct
constexpr int IDM_EXPORT = 114; // ExportAct

// Menu entries with handlers of their own.
constexpr int IDM_FIND = 121;        // miFind, Ctrl+F
constexpr int IDM_FINDNEXT = 122;    // miFindNext, F3
constexpr int IDM_STAT = 123;        // miStat
constexpr int IDM_HISTORY = 124;     // miHistory
constexpr int IDM_UNDO = 125;        // miUndo, Ctrl+Z
constexpr int IDM_REDO = 126;        // miRedo, Ctrl+Y and Ctrl+Shift+Z
constexpr int IDM_DEBTORLOANS = 127; // the selected debtor's loan history
constexpr int IDM_ITEMLOANS = 128;   // the selected item's loan history

// Controls. The tool bar, the splitters, the group boxes and the status bar are children of the main
// window; each table and the controls around it are children of its group box.
constexpr int IDC_COOLBAR1 = 201;
constexpr int IDC_TOOLBAR1 = 202;
constexpr int IDC_GROUPBOX1 = 203; // lent items box
constexpr int IDC_GROUPBOX2 = 204; // debtors box
constexpr int IDC_GROUPBOX3 = 205; // free items box
constexpr int IDC_SPLITTER1 = 206;
constexpr int IDC_SPLITTER2 = 207;
constexpr int IDC_STATUSBAR1 = 208;
constexpr int IDC_STRINGGRID1 = 211; // lent items table, in GroupBox1
constexpr int IDC_STRINGGRID2 = 212; // debtors table, in GroupBox2
constexpr int IDC_STRINGGRID3 = 213; // free items table, in GroupBox3
constexpr int IDC_SHOWDOLGCHB = 214; // in GroupBox2
constexpr int IDC_FILTERCHB = 215;   // in GroupBox3
constexpr int IDC_FILTERCB = 216;    // in GroupBox3
constexpr int IDC_OUTSPDBTN = 217;   // in GroupBox3
constexpr int IDC_INSPDBTN = 218;    // in GroupBox3
constexpr int IDC_ALLINSPDBTN = 219; // in GroupBox3

// The main window's picture strips (resources IDB_PICTURES16 and IDB_PICTURES32): kPictureCount pictures
// of kSmallPicture (kToolPicture) design pixels, then the same pictures as a disabled entry shows them.
constexpr int kPictureCount = 15;
constexpr int kSmallPicture = 16;
constexpr int kToolPicture = 32;
constexpr int kFindPicture = 3;
