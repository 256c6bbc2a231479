#pragma once
// A table of text cells over an owner-data ListView in report mode. The grid keeps no texts: it asks
// for a cell's text (CellText) when it paints the cell or another program reads it, so a refill only
// tells the list its new row count. RecordGrid, below, is a grid whose rows stand for records.
//
// Row 0 is the header row (the list's header control); data rows count from 1 and RowCount() includes
// the header. A selected data row always exists, and it is the list view's one selected and focused item,
// whoever chose it: a click, a key, a refill that shrank the table, or another program (a screen reader,
// a test tool) setting the item state.
//
// Mouse and keyboard arrive as events named as the main window's handlers expect them: cell
// painting with its drawing state, key press, key up, double click, mouse down, a row selected, and, for
// drag and drop between grids, drag over and drop. A drag starts only after the mouse moved the drag
// threshold with the button held; positions come from the messages, so posted mouse messages drive it.

#include "platform/Dpi.h"
#include "platform/Handles.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// How a cell is being painted.
struct GridDrawState {
    bool selected = false; // in the selected row
    bool focused = false;  // the current cell (column 0 of the selected row) while the grid has the focus
    bool fixed = false;    // a header cell
    bool operator==(const GridDrawState&) const = default;
};

enum class MouseButton { Left, Right, Middle };

class StringGrid {
  public:
    struct Column {
        std::string title;
        int width;
    };

    StringGrid() = default;
    StringGrid(const StringGrid&) = delete;
    StringGrid& operator=(const StringGrid&) = delete;
    virtual ~StringGrid() = default;

    // Creates the control as a child of `parent`, with its columns, one header row and one empty data row.
    void Create(HWND parent, int id, int x, int y, int width, int height, HFONT font,
                const std::vector<Column>& columns);
    HWND Handle() const { return hwnd_; }

    // The rows' height (kRowHeight), the cells' text indent and the drag threshold at a display scale;
    // the owner sets the font that goes with it (WM_SETFONT).
    void SetScale(const DisplayScale& scale);

    int ColCount() const { return static_cast<int>(columns_.size()); }
    int ColWidth(int col) const;
    // In pixels, kept within 0..32767, the widths the control can take.
    void SetColWidth(int col, int width);
    // Header text of a column (the cell of row 0).
    void SetTitle(int col, const std::string& title);

    // Rows including the header row; at least 2. Shrinking moves a selection below the last row to the
    // last row.
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);

    // The text of a cell; row 0 gives the header, a row beyond RowCount() an empty text.
    std::string Cell(int col, int row) const;

    // The selected data row, 1..RowCount()-1.
    int Row() const { return row_; }
    // Selects a data row (ignored outside the data rows) and scrolls it into view. OnSelectRow is not
    // called: the program that selects a row knows it.
    void SetRow(int row);

    // The first data row in view, and the number of data rows wholly in view.
    int TopRow() const;
    void SetTopRow(int row);
    int VisibleRowCount() const;

    // Shown on a right click, or on the context-menu key; its commands go to `commandTarget`.
    void SetPopupMenu(HMENU menu, HWND commandTarget);
    // The tooltip that shows the grid's hint; the grid passes it the mouse messages it needs.
    void SetHintTooltip(HWND tooltip) { hintTooltip_ = tooltip; }

    // Called from OnMouseDown: arms a drag from this grid, which starts once the mouse moves the drag
    // threshold with the left button held, and ends at the button's release over a grid that accepts it.
    void BeginDrag();
    bool Dragging() const { return dragging_; }

    // A number for the owner's own use (the main window marks a just-double-clicked grid with it).
    int Tag = 0;

    // Events. A handler left empty is not called.
    std::function<void(int col, int row, const GridDrawState& state)> OnDrawCell;
    std::function<void(char& key)> OnKeyPress; // a character; setting it to 0 drops it
    std::function<void(WORD key)> OnKeyUp;
    std::function<void()> OnDblClick;
    std::function<void(MouseButton button, int x, int y)> OnMouseDown;
    // The user or another program chose a data row: by a press, a key, or the list view's item state.
    std::function<void(int row)> OnSelectRow;
    // The grid under a drag is asked whether it accepts a drop from `source`; then the drop.
    std::function<bool(StringGrid& source, int x, int y)> OnDragOver;
    std::function<void(StringGrid& source, int x, int y)> OnDragDrop;

    // The parent passes on the notifications of the control (WM_NOTIFY with this grid's id).
    bool HandleNotify(const NMHDR* header, LRESULT& result);

    // The grid whose list view `hwnd` is, or nullptr for any other window.
    static StringGrid* FromHandle(HWND hwnd);

    // Height of a row in design units (17 pixels at 100 %).
    static constexpr int kRowHeight = 17;

  protected:
    // The text of a cell of data row `row` (1..RowCount()-1).
    virtual std::string CellText(int col, int row) const = 0;
    // Whether data row `row` is written in the warning colour: a dark red, or where that does not read on
    // the row's background (the highlighted selection of the grid with the focus) the red that reads best.
    virtual bool RowWarns(int) const { return false; }

  private:
    template <typename T> friend struct SubclassKind;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Base(UINT msg, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcW(baseProc_, hwnd_, msg, wParam, lParam);
    }
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    void PaintRow(HDC dc, int item, const RECT& rowRect);
    void OnPaint();
    void PressAt(MouseButton button, int x, int y);
    int RowAt(int y) const;
    void MoveBy(int rows);
    // A row chosen by the user or another program: selected, and OnSelectRow told.
    void SelectRow(int row);
    // Makes the list view's selected and focused item the selected row's.
    void ShowSelection();
    // Another program changes item states: returns the states left for the list.
    UINT TakeRowStates(int item, UINT state, UINT stateMask);
    void OnItemChanged();
    void CheckSelection();
    void InvalidateRow(int row);
    // Tells the list the row count when it changed since it was last told. A refill sets the count to
    // 2 and then to its final size; telling the list only the final size saves showing and hiding its
    // scroll bar, which costs far more than the rows themselves.
    void SyncItemCount() const;
    void ScrollRows(int rows) const;
    void DragMove(int x, int y);
    void DragEnd(int x, int y, bool drop);
    StringGrid* GridAt(int x, int y, POINT& targetPoint) const;
    void ShowPopup(int screenX, int screenY);

    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    // Sets the rows' height (the list view shares it, and leaves it to the grid to free).
    unique_himagelist rowHeightImages_;
    std::vector<Column> columns_;
    int rowCount_ = 2;
    // The count the list was last told, and the smallest count set since (for the view's top row).
    mutable int listedCount_ = 0;
    mutable int smallestCount_ = 0;
    int row_ = 1;
    // At the display scale: a row's height, the indent of a cell's text, the mouse's way before a drag.
    int rowHeight_ = kRowHeight;
    int textIndent_ = 2;
    int dragThreshold_ = 5;
    // The item the list view holds selected and focused (row_ - 1 once shown), and whether the grid is
    // setting item states itself (the list's notices of them are not news), or has asked itself to check
    // the list's selection once a change from outside is over.
    int shownItem_ = -1;
    bool settingState_ = false;
    bool checkPending_ = false;
    HMENU popup_ = nullptr;
    HWND commandTarget_ = nullptr;
    HWND hintTooltip_ = nullptr;

    // Drag state: armed by BeginDrag at a press, started past the threshold, ended at the release.
    bool dragArmed_ = false;
    bool dragging_ = false;
    POINT dragStart_{};
    StringGrid* dragTarget_ = nullptr;
};

// A grid whose rows stand for records of one type: data row r shows Rows()[r - 1], a row standing for no
// record shows empty cells, and the texts of a record's cells come from the function given.
template <typename Record> class RecordGrid : public StringGrid {
  public:
    using TextOf = std::function<std::string(const Record& record, int col)>;

    void SetTextOf(TextOf textOf) { textOf_ = std::move(textOf); }
    // Which records' rows are written in the warning colour; none while it is not given.
    void SetWarnsOf(std::function<bool(const Record& record)> warnsOf) { warnsOf_ = std::move(warnsOf); }

    // Shows these rows, as a refill does: the table first shrinks to one row, so the selection and the
    // view go back to the first row, and then takes them all (at least one).
    void Refill(std::vector<Record*> rows) {
        SetRowCount(2);
        rows_ = std::move(rows);
        SetRowCount(static_cast<int>(rows_.size()) + 1);
    }
    const std::vector<Record*>& Rows() const { return rows_; }
    // The record a data row stands for; nullptr for none.
    Record* RecordOf(int row) const {
        return row >= 1 && row < RowCount() && static_cast<std::size_t>(row) <= rows_.size()
                   ? rows_[static_cast<std::size_t>(row - 1)]
                   : nullptr;
    }

  protected:
    std::string CellText(int col, int row) const override {
        const Record* record = RecordOf(row);
        return record && textOf_ ? textOf_(*record, col) : std::string();
    }
    bool RowWarns(int row) const override {
        const Record* record = warnsOf_ ? RecordOf(row) : nullptr;
        return record && warnsOf_(*record);
    }

  private:
    std::vector<Record*> rows_;
    TextOf textOf_;
    std::function<bool(const Record& record)> warnsOf_;
};

} // namespace ui
