#pragma once
// The main window's three tables: the debtors (StringGrid2), the free items (StringGrid3) and the items
// the selected debtor holds (StringGrid1), with the check box that shows only debtors who hold something
// (ShowDolgChB), the type filter (FilterChB, FilterCB) and the warning colours of things away too long.
// They show the catalogue and tell which records the selected rows stand for; they change no record.
// The window lays the controls out and runs its commands from their events.

#include "catalog/Catalog.h"
#include "catalog/LongLoans.h"
#include "catalog/Steps.h"
#include "platform/Locale.h"
#include "text/ShortDate.h"
#include "ui/StatusBar.h"
#include "ui/StringGrid.h"

#include <functional>
#include <string>
#include <string_view>

class MainTables {
  public:
    // The status bar's panel that counts the things away too long.
    static constexpr int kLongLoansPanel = 0;

    MainTables(const Catalog& catalog, const ShortDateFormat& dates, NowClock now);

    // Makes the controls in their boxes (placed and sized later by the window's layout), with the texts,
    // colours and names of the tables, and the filter disabled until it lists two types.
    void Create(HWND debtorsBox, HWND freeItemsBox, HWND lentItemsBox, const DisplayScale& scale,
                ui::StatusBar& statusBar);

    // What the window does when the rows change (it enables the commands), and when the timer that
    // notices a new day must run or stop.
    std::function<void()> OnRowsChanged;
    std::function<void(bool)> OnNewDayTimer;

    // ---- Refilling -----------------------------------------------------------------------------------
    void FillFreeItems();
    void FillUsers();
    void FillUserItems();
    void FillAll();
    // After a step: the tables that show what it changed, as each command has always refilled them (after a
    // lend or return the debtors and free items tables go back to the rows the user had selected).
    void ShowStep(StepKind kind);
    // The lent items table follows the debtors table's selection, keeping its own selected row when a
    // repaint shows the same debtor; the commands follow the rows.
    void FollowSelectedDebtor();
    // Before records leave the lists wholesale, the tables let go of them.
    void Empty();

    // ---- The selected rows ---------------------------------------------------------------------------
    // The records the selected rows stand for: a row stands for its own record, never for another with
    // the same name or description. nullptr on a row whose first column is empty (the one row of an
    // empty table): such a row offers no command.
    const TUserRec* SelectedDebtor() const;
    const TItemRec* SelectedFreeItem() const;
    const TItemRec* SelectedLentItem() const;
    // Whether the selected debtor holds anything the lent items table shows.
    bool DebtorHoldsShownItems() const;
    // Selects the item's row: in the free items table, or its holder's row and then its own among his.
    void ShowItem(const TItemRec& item);
    // Selects the debtor's row (when shown) and lists his items; then the item's row as ShowItem does.
    void ShowRecords(const TUserRec* debtor, const TItemRec* item);
    // The quick search: a letter or digit typed in the debtors or free items table selects the first row
    // whose name or description starts there.
    void QuickSearchDebtor(char key);
    void QuickSearchFreeItem(char key);

    // ---- The type filter -----------------------------------------------------------------------------
    // The type the filter stands on (an entry of the catalogue's type list), or nullptr while the filter
    // lets every type through (unchecked, or no entry chosen).
    const std::string* FilterType() const;
    bool FilterChecked() const;
    // The drop-down shows the type list: entries the list took in are added (the list only grows between
    // two emptyings); it and the check box are enabled exactly when there are two entries or more, and the
    // first entry is chosen when none is.
    void ShowTypes();
    // The same after a catalog file was read or the catalogue emptied: the drop-down lists the type list
    // anew, keeping the chosen position where it still exists.
    void SyncTypes();
    LRESULT FilterChBCustomDraw(const NMCUSTOMDRAW* draw, const DisplayScale& scale);

    // ---- Things away too long ------------------------------------------------------------------------
    // Counted again in the whole catalogue: after every change of holders (each refills the debtors
    // table), of the setting, and of the day (NewDayTick, every minute while the setting is on).
    void CountLongLoans();
    void NewDayTick();

    // ---- Dragging ------------------------------------------------------------------------------------
    // A left press on a filled row arms a drag, unless it is the second press of a double click (the
    // table's Tag is 1 then); every press clears the mark. A table takes drops from the other item table.
    void ArmDrag(ui::StringGrid& table, ui::MouseButton button);
    bool TakesDrop(const ui::StringGrid& table, const ui::StringGrid& source) const;

    ui::RecordGrid<TItemRec> StringGrid1; // lent items
    ui::RecordGrid<TUserRec> StringGrid2; // debtors
    ui::RecordGrid<TItemRec> StringGrid3; // free items
    HWND ShowDolgChB = nullptr;
    HWND FilterChB = nullptr;
    HWND FilterCB = nullptr;

  private:
    void RowsChanged();
    void RefreshAfterLending();
    bool LentItemWarns(const TItemRec& item) const;
    bool DebtorWarns(const TUserRec& debtor) const;

    const Catalog& catalog_;
    const ShortDateFormat& dates_;
    NowClock now_;
    ui::StatusBar* statusBar_ = nullptr;
    // The things away too long as last counted, with what they were counted at: the colours of the rows
    // follow the same moment and number of days, so that they always agree with the count. Nothing is
    // counted while the setting is off.
    LongLoans longLoans_;
    bool longLoansOn_ = false;
    TDateTime longLoansNow_ = 0;
    int longLoansDays_ = 0;
};
