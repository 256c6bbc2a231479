#pragma once
// The settings dialog: every option of the settings record on three tabs ("Общие", "Ярлыки",
// "Подтверждения"), and the buttons that place a shortcut to the program on the desktop or in the Start
// menu. The dialog edits copies: the main window puts the record in, shows the dialog, and takes the values
// back only after OK. The shortcuts are made at once, whatever the dialog's result. Created on first use and
// kept for the run.

#include "platform/Dialog.h"
#include "platform/FileDialog.h"
#include "settings/Settings.h"

#include <array>
#include <tuple>
#include <vector>

// Control ids (OK and Cancel carry the dialog manager's own ids, so Enter and Escape reach them).
constexpr int IDC_SETSPAGECONTROL1 = 101;
constexpr int IDC_SETSCHECKBOX1 = 102; // open the catalogue at start
constexpr int IDC_SETSEDIT1 = 103;     // which catalogue
constexpr int IDC_SETSBUTTON1 = 104;   // "..." chooses it
constexpr int IDC_SETSCHECKBOX2 = 105; // autosave
constexpr int IDC_SPINEDIT1 = 106;     // minutes between saves: an edit field
constexpr int IDC_SPINBUTTON1 = 107;   // and its up and down arrows
constexpr int IDC_QREGISTRCHB = 108;
constexpr int IDC_SETSLABEL1 = 109; // the letter-case box's caption; a click on it toggles the box
constexpr int IDC_ADDFOLDER1BTN = 110;
constexpr int IDC_ADDFOLDER2BTN = 111;
constexpr int IDC_ADDFOLDER3BTN = 112;
constexpr int IDC_QEXITCHB = 113;
constexpr int IDC_QOUTCHB = 114;
constexpr int IDC_QINCHB = 115;
constexpr int IDC_QALLINCHB = 116;
constexpr int IDC_SETSCHECKBOX3 = 117; // things away too long stand out
constexpr int IDC_SPINEDIT2 = 118;     // after how many days: an edit field
constexpr int IDC_SPINBUTTON2 = 119;   // and its up and down arrows
constexpr int IDC_SETSLABEL2 = 120;    // "дн. назад" after the field

// The range of the minutes between automatic saves.
constexpr int kMinAutoSaveMinutes = 1;
constexpr int kMaxAutoSaveMinutes = 1000;
// The range of the days a thing may be away before it stands out: up to ten years.
constexpr int kMinLongDays = 1;
constexpr int kMaxLongDays = 3650;

class TSetsForm : public Dialog {
  public:
    // Creates the dialog hidden, owned by `owner` (the main window).
    explicit TSetsForm(HWND owner);

    // Puts the record's values into the controls; a check box whose state changes runs its click handler.
    // While the dialog is up (the command posted to the main window), raises the error that it is open
    // instead, and the fields keep what the user typed.
    void CopyIn(const RecIni& record);
    // Shows the dialog modally on its first tab; true only for OK.
    bool ShowModal();
    // Takes the controls' values into the record.
    void CopyBack(RecIni& record) const;

  protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Arrange() override;

  private:
    void FormCreate();
    void FormShow();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void Button1Click();
    void Label1Click();
    void SpinEdit1Exit();
    void SpinEdit2Exit();
    void PageControl1Change();
    void AddFolder3BtnClick(HWND sender);

    // A control on one of the three tabs; Arrange places it.
    HWND AddToPage(int page, const char* cls, const char* text, DWORD style, DWORD exStyle, int id);
    std::tuple<HWND, HWND, HWND> AddNumberLine(const char* text, int boxId, int fieldId, int arrowsId,
                                               int min, int max, int value);
    // The area of the tabs' pages for a client area of this size, in design units.
    RECT PageArea(int width, int height) const;
    // Places a control in the pages' coordinates, in design units.
    void PlaceOnPage(HWND control, int x, int y, int width, int height);
    // The width of a check box with its caption at the dialog's scale.
    int CheckWidth(HWND box) const;
    void PlacePathRow(int top);
    // A line that sets a number: a check box, the number's field with its arrows, and a label after the
    // field when the line has one.
    int NumberLineWidth(HWND box, HWND unit = nullptr) const;
    void PlaceNumberLine(int top, HWND box, HWND field, HWND arrows, HWND unit = nullptr);
    void PlaceButtons();
    void ShowPage(int page);
    void SetChecked(HWND box, bool checked, void (TSetsForm::*click)());

    HWND PageControl1 = nullptr;
    HWND CheckBox1 = nullptr, Edit1 = nullptr, Button1 = nullptr, CheckBox2 = nullptr;
    HWND SpinEdit1 = nullptr, SpinButton1 = nullptr, QRegistrChB = nullptr, Label1 = nullptr;
    HWND CheckBox3 = nullptr, SpinEdit2 = nullptr, SpinButton2 = nullptr, Label2 = nullptr;
    HWND AddFolder1Btn = nullptr, AddFolder2Btn = nullptr, AddFolder3Btn = nullptr;
    HWND QExitChB = nullptr, QOutChB = nullptr, QInChB = nullptr, QAllInChB = nullptr;
    HWND BitBtn1 = nullptr, BitBtn2 = nullptr;
    std::array<std::vector<HWND>, 3> pages_;
    FileDialog OpenDialog1{FileDialog::Kind::Open};
    RECT page_{}; // the pages' area, in design units
};
