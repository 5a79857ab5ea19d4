/// \file
/// TVelkoGrid: the string grid with a column model. Every grid column, fixed ones included,
/// is described by a TvgColumn of Columns: grid column i is the i-th item whose Visible is
/// true. A hidden item is no grid column at all; it keeps its cells and width until it is
/// shown again. Adjacent columns with the same HeadingIndex share one merged heading from
/// Headings in the upper half of row 0; while row 0 has no height of its own, it takes the
/// height its headings and captions need. Every cell is painted by the grid in its column's
/// look, data cells with their text formatted by the column's display format.
///
/// The class is split by concern: VgGrid.cpp (construction, properties, form files),
/// VgGridColumns.cpp (column mapping, hiding and showing), VgGridCellPaint.cpp (cell look
/// and painting), VgGridHeading.cpp (heading band), VgGridDisplayText.cpp (display text),
/// VgGridTitleRow.cpp (the title row's height), VgGridMessages.cpp (size requests),
/// VgGridRows.cpp (row and column operations), VgGridMouse.cpp (titles and headings as
/// buttons), VgGridEditor.cpp (the editor, its
/// reports and the grid as the editor sees it), VgGridNavigation.cpp (entering and leaving
/// cells and rows), VgGridPersistence.cpp (contents as text, clearing), VgGridDataSet.cpp
/// (filling from a dataset), VgGridRegistry.cpp (column widths kept between runs) and
/// VgGridSorting.cpp (sorting rows by columns, the sort indicator).
#pragma once

#include "common/VgColumn.h"
#include "common/VgDrawText.h"
#include "editor/VgEdit.h"
#include "editor/VgEditorGrid.h"
#include "grid/VgGridQtFlags.h"
#include "grid/VgHGrid.h"
#include "platform/core/Export.h"
#include "platform/graphics/Bitmaps.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;
class QMimeData;
class QUndoCommand;
class QUndoStack;

namespace vg {

class TDataSet;

enum TvgOption : std::uint8_t { vgoptDrawFocusRectangle, vgoptHighlightSelection };
VG_ENUM_INFO(TvgOption, "vgoptDrawFocusRectangle", "vgoptHighlightSelection")
using TvgOptions = TSet<TvgOption>;

/// Events. Sender is the grid; ACol and ARow are grid coordinates. References are values
/// the handler may change.
using TvgOnButtonClick = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TvgOnConversionError = std::function<void(TObject* Sender, int ACol, int ARow, TvgColumn* Column, QString& S)>;
using TvgOnGetDisplayText =
    std::function<void(TObject* Sender, int ACol, int ARow, TvgColumn* Column, QString& S, bool& Convert)>;
/// The four borders are the grid's working copies of the cell's borders; changing them
/// affects this cell only.
using TvgOnChangeCellBorders =
    std::function<void(TObject* Sender, int ACol, int ARow, TvgHeading* Column, TvgCellStates State,
                       TvgBorder* TopBorder, TvgBorder* RightBorder, TvgBorder* BottomBorder, TvgBorder* LeftBorder)>;
using TvgOnChangeCellAttributes =
    std::function<void(TObject* Sender, int ACol, int ARow, TvgHeading* Column, TvgCellStates State, TColor& AColor,
                       TFont* AFont, TAlignment& HAlign, TvgVAlignment& VAlign, TBevelCut& OuterBevel,
                       TBevelCut& InnerBevel)>;
using TvgOnFixedCellClick = std::function<void(TObject* Sender, int ACol, int ARow, int HeadingIndex,
                                               TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TvgOnGetSuggestion =
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& CellText, QString& Suggestion)>;
using TvgOnGetReadOnly = std::function<void(TObject* Sender, int ACol, int ARow, bool& ReadOnly)>;
/// PictureOrImageList: a TPicture or a TCustomImageList (ImageIndex selects the image);
/// anything else, or null, shows no image.
using TvgOnGetCellImage =
    std::function<void(TObject* Sender, int ACol, int ARow, int HeadingIndex, TObject*& PictureOrImageList,
                       int& ImageIndex, TvgImagePosition& Position, TAlignment& HAlign, TvgVAlignment& VAlign,
                       int& Margin)>;
using TvgOnExitCell = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanExit)>;
using TvgOnEnterCell = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TvgOnComboSelection = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TvgOnCellEdited = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TvgOnBeforeFixedCellClick =
    std::function<void(TObject* Sender, int ACol, int ARow, int HeadingIndex, bool& CanClick)>;
/// The rows from First on were put in a new order: row First + i is the one that was at
/// First + Order[i] (see ApplyRowOrder).
using TvgOnRowsReordered = std::function<void(TObject* Sender, int First, const std::vector<int>& Order)>;

/// One key of a sort: a grid column and its direction.
struct TvgSortColumn {
    int Col = 0;
    Qt::SortOrder Order = Qt::AscendingOrder;
};

/// What a paste did: the cells it changed, the read-only cells it left alone (grid
/// coordinates, in row order), and the values that fell outside the grid (past the last
/// column, or past the last row when rows are not added).
struct VELKOGRID_EXPORT TvgPasteReport {
    int ChangedCells = 0;
    std::vector<TGridCoord> ReadOnlyCells;
    qint64 ValuesOutside = 0;
};
using TvgOnPasteSkipped = std::function<void(TObject* Sender, const TvgPasteReport& Report)>;

/// "2.12"
VELKOGRID_EXPORT QString VelkoGridVersionString();

/// The string grid with a column model: the widget an application places on its forms.
/// Every grid column, fixed ones included, is described by a TvgColumn of Columns(): grid column i
/// is the i-th column object that is visible. A hidden column object is no grid column at all; it
/// keeps its cells and width until it is shown again. Adjacent columns with the same heading index
/// share one merged heading from Headings() above their captions. Every cell is painted in its
/// column's look, data cells with their text formatted by the column's display format. The grid
/// loads and saves its contents as CSV, fills itself from a TDataSet, keeps its column widths in
/// the user's settings (ColumnsRegistryKey) and reports what happens through its On... events.
/// \ingroup grid
// The grid is its editor's TVgEditorGrid through a protected base, as the host grid is the
// host editor's grid.
class VELKOGRID_EXPORT TVelkoGrid : public TVgHintGrid, public TvgSizeRequestTarget, protected TVgEditorGrid {
    Q_OBJECT
    VG_CLASS(TVelkoGrid)
    friend class TvgGridFill; // holds the editor's reload while it fills
    // The published settings as Qt properties, for Qt Designer, forms built by uic and
    // QUiLoader (VgGridQtProperties.cpp). They are applied in this order; Columns and
    // Headings hold the collections' form-file text, ColWidths and RowHeights the extents.
    Q_PROPERTY(int RowCount READ RowCount WRITE SetQtRowCount)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetQtDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetQtDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetQtGridLineWidth)
    Q_PROPERTY(QByteArray Headings READ HeadingsText WRITE SetHeadingsText DESIGNABLE false)
    Q_PROPERTY(QByteArray Columns READ ColumnsText WRITE SetColumnsText DESIGNABLE false)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE SetQtFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE SetQtFixedRows)
    Q_PROPERTY(QByteArray ColWidths READ ColWidthsText WRITE SetColWidthsText DESIGNABLE false)
    Q_PROPERTY(QByteArray RowHeights READ RowHeightsText WRITE SetRowHeightsText DESIGNABLE false)
    Q_PROPERTY(vg::VelkoGridFlags::GridOptions Options READ QtOptions WRITE SetQtOptions)
    Q_PROPERTY(QColor Color READ QtColor WRITE SetQtColor RESET ResetQtColor)
    Q_PROPERTY(QColor FixedColor READ QtFixedColor WRITE SetQtFixedColor RESET ResetQtFixedColor)
    Q_PROPERTY(bool HintFollowsMouse READ HintFollowsMouse WRITE SetHintFollowsMouse)
    Q_PROPERTY(QString ColumnsRegistryKey READ ColumnsRegistryKey WRITE SetQtColumnsRegistryKey)
    Q_PROPERTY(vg::VelkoGridFlags::VelkoOptions VelkoOptions READ QtVelkoOptions WRITE SetQtVelkoOptions)
    Q_PROPERTY(QColor VelkoHighlightColor READ QtVelkoHighlightColor WRITE SetQtVelkoHighlightColor
                   RESET ResetQtVelkoHighlightColor)
    Q_PROPERTY(QColor VelkoHighlightFontColor READ QtVelkoHighlightFontColor WRITE SetQtVelkoHighlightFontColor
                   RESET ResetQtVelkoHighlightFontColor)
    Q_PROPERTY(bool VelkoAdjustColWidth READ VelkoAdjustColWidth WRITE SetVelkoAdjustColWidth)
    Q_PROPERTY(bool VelkoAdjustRowHeight READ VelkoAdjustRowHeight WRITE SetVelkoAdjustRowHeight)
    Q_PROPERTY(bool VelkoColumnClick READ VelkoColumnClick WRITE SetVelkoColumnClick)
    Q_PROPERTY(bool AutoAcceptSuggestion READ AutoAcceptSuggestion WRITE SetAutoAcceptSuggestion)
    Q_PROPERTY(bool SortIndicatorShown READ SortIndicatorShown WRITE SetSortIndicatorShown)
    Q_PROPERTY(bool SortOnTitleClick READ SortOnTitleClick WRITE SetSortOnTitleClick)
    Q_PROPERTY(QString Version READ Version STORED false)
    Q_PROPERTY(QString Author READ Author STORED false)
public:
    explicit TVelkoGrid(TComponent* owner = nullptr, QWidget* parent = nullptr);
    /// A grid placed on parent, as forms built by uic create their widgets.
    explicit TVelkoGrid(QWidget* parent);
    ~TVelkoGrid() override;

    // ---- Column model.
    TvgColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TvgColumns* Value);
    TvgHeadings* Headings() const { return FHeadings.get(); }
    void SetHeadings(const TvgHeadings* Value);

    /// Appends one new column object per grid column (ColCount items).
    void CreateColumns();
    /// The column object describing grid column Index; EvgColumnIndexOutOfRange ("TVelkoGrid:
    /// Column index out of range") when no visible item stands at that place (negative
    /// indices included).
    TvgColumn* GetVisibleColumn(int Index) const;
    int GetVisibleColumnCount() const;
    /// The grid column the item occupies; -1 for null, hidden items and items past ColCount.
    int GridColumnForColumnObject(const TvgColumn* Column) const;
    /// Called after Column.Visible changed: the grid column goes away with its cells and
    /// width kept in the item, or comes back at its place with them.
    void HideColumn(TvgColumn* Column);
    void ShowColumn(TvgColumn* Column);
    /// Installed as the Columns collection's OnPropertyChange.
    void OnColumnPropertyChange(TvgHeading* Column, TvgProperty Prop);

    /// The most grid columns a TVelkoGrid has: each is an object of its own.
    static constexpr int MaxColumnCount = 100000;

    /// Sets the number of grid columns without touching Columns: for bringing the grid in
    /// step after column objects were added or shown directly. Outside loading, a count
    /// above the number of visible column objects raises EInvalidOperation, since those grid
    /// columns would have no column object; so does a count above MaxColumnCount, loading
    /// or not. To add or remove columns, use SetColumnCount.
    void SetColCount(int Value) override;
    /// The way to change the number of columns: new grid columns get new column objects at
    /// the end of Columns, removed ones free the last visible objects (hidden ones stay).
    /// Counts above MaxColumnCount raise EInvalidOperation.
    void SetColumnCount(int Value);

    // Destroying a visible column object (Columns()->Delete(i), or delete) takes its grid
    // column with it; every other column keeps its cells and width. The grid's only column
    // stays with its cells and gets a new default column object instead. Objects removed
    // within BeginUpdate/EndUpdate (Assign, Clear) are matched by position when the update
    // ends: grid column i is described by the i-th visible object, as after SetColCount,
    // and grid columns past the last visible object go. Adding objects changes no grid
    // column until SetColCount or SetColumnCount is called.

    // ---- Rows and columns (VgGridRows.cpp).
    // Inserts an empty row of the default height before data row ARow; the rows from
    // ARow on, hidden columns' cells included, move down by one. A row is added at the end
    // by raising RowCount. EvgRowIndexOutOfRange ("Cannot insert row N") outside
    // FixedRows..RowCount-1, with nothing changed.
    void InsertRow(int ARow);
    /// Deletes data row ARow, hidden columns' cells included. EvgRowIndexOutOfRange
    /// ("Cannot delete row N") outside FixedRows..RowCount-1, with nothing changed. An
    /// exception from OnRowMoved (the row goes to the end first) reaches the caller once
    /// the row is gone.
    void DeleteRow(int ARow);
    /// The first item of Columns (hidden ones included) whose Name equals Name, ignoring the
    /// case of ASCII letters; EvgInvalidColumnName ("Invalid column name "Name"") when none.
    TvgColumn* GetColByName(const QString& Name) const;
    /// The same, answering null when no item has that name.
    TvgColumn* FindColByName(const QString& Name) const;
    /// Select the data cells of row ARow (of column ACol), unless goEditing is set. Rows
    /// and columns that are not scrollable raise EListError, with the selection unchanged.
    void SelectEntireRow(int ARow);
    void SelectEntireColumn(int ACol);
    /// Repaints every cell of the column, fixed cells included (InvalidateRow does the same
    /// for a row).
    void InvalidateColumn(int ACol) { InvalidateCol(ACol); }

    // ---- Options and looks.
    TvgOptions VelkoOptions() const { return FVelkoOptions; }
    void SetVelkoOptions(TvgOptions Value);
    TColor VelkoHighlightColor() const { return FVelkoHighlightColor; }
    void SetVelkoHighlightColor(TColor Value);
    TColor VelkoHighlightFontColor() const { return FVelkoHighlightFontColor; }
    void SetVelkoHighlightFontColor(TColor Value);
    /// Whether text that does not fit may widen its column or heighten its row (while the
    /// user does not size columns or rows by hand).
    bool VelkoAdjustColWidth() const override { return FVelkoAdjustColWidth; }
    void SetVelkoAdjustColWidth(bool Value) { FVelkoAdjustColWidth = Value; }
    bool VelkoAdjustRowHeight() const override { return FVelkoAdjustRowHeight; }
    void SetVelkoAdjustRowHeight(bool Value) { FVelkoAdjustRowHeight = Value; }
    /// Whether fixed cells and headings act as buttons.
    bool VelkoColumnClick() const { return FVelkoColumnClick; }
    void SetVelkoColumnClick(bool Value) { FVelkoColumnClick = Value; }
    bool AutoAcceptSuggestion() const { return FAutoAcceptSuggestion; }
    void SetAutoAcceptSuggestion(bool Value) { FAutoAcceptSuggestion = Value; }
    /// Where column widths are kept between runs; empty for nowhere.
    const QString& ColumnsRegistryKey() const { return FColumnsRegistryKey; }
    void SetColumnsRegistryKey(const QString& Value) { FColumnsRegistryKey = Value; }

    /// Read-only texts; setting them changes nothing.
    QString Version() const;
    void SetVersion(const QString& Value);
    QString Author() const;
    void SetAuthor(const QString& Value);

    // ---- Cell look and painting.
    // Works out a cell's look: fixed defaults, then the title or column settings, then the
    // selection highlight, then OnChangeCellAttributes. AFont is assigned into.
    void GetCellAttributes(int ACol, int ARow, TvgHeading* Column, TGridDrawState AState, TvgCellStates& CellState,
                           TColor& AColor, TFont& AFont, TVgDrawInfo& DrawInfo, TBevelCut& OuterBevel,
                           TBevelCut& InnerBevel);
    /// Places the image OnGetCellImage supplies in Rect and takes its strip out of Rect;
    /// with Draw false only the strip is taken.
    void DrawCellImage(int ACol, int ARow, int HeadingIndex, TRect& Rect, bool Draw, TCanvas& Canvas);
    /// What a data cell shows: its text through SolveFormula, OnDisplayText and the column's
    /// display format. Text that does not convert is reported through OnConversionError and
    /// shown as it is.
    QString GetDisplayText(int ACol, int ARow);
    /// The same for a caller that holds the cell's column object already.
    QString GetDisplayText(int ACol, int ARow, TvgColumn* Column);

    // ---- Heading band.
    // The Headings index under a viewport point in the band of row 0, or -1.
    int MouseOnHeading(int X, int Y);
    /// Unlinks every column from its heading, then removes all headings.
    void ClearHeadings();
    bool IsFixedCell(TGridCoord Cell) const;

    // ---- Contents as text (VgGridPersistence.cpp). The text holds the cells of the column
    // objects from index FirstColumn of Columns to the last one, hidden ones included (their
    // cells are in their Cols), for the grid rows from FirstRow to the last; see VgCsv.h for
    // its form. A negative FirstColumn or FirstRow raises EvgColumnIndexOutOfRange or
    // EvgRowIndexOutOfRange before anything is read or written.
    //
    // Writes the text at the stream's position. A failing stream raises EWriteError.
    void SaveToStream(int FirstColumn, int FirstRow, QIODevice& Stream);
    /// Reads the stream from its position to its end, then stores value j of line k into
    /// column object FirstColumn + j for grid row FirstRow + k, adding rows and (visible)
    /// column objects as far as values reach. Nothing is cleared, no row or column removed.
    /// A failing stream raises EReadError, with nothing stored. A line that would make more
    /// than 16,384 column objects raises EvgColumnIndexOutOfRange, with the lines before it
    /// stored.
    void LoadFromStream(int FirstColumn, int FirstRow, QIODevice& Stream);
    /// Writes the file through a temporary file that replaces it only once it is complete:
    /// after any failure (raised as EWriteError) the old file is still there, whole.
    void SaveToFile(int FirstColumn, int FirstRow, const QString& FileName);
    /// EReadError when the file cannot be opened or read.
    void LoadFromFile(int FirstColumn, int FirstRow, const QString& FileName);
    /// Empties the grid cells from TopLeft to BottomRight (grid coordinates, fixed cells
    /// included; an inverted range clears nothing) after closing the editor. Hidden
    /// columns are not touched. A corner outside the grid raises EvgColumnIndexOutOfRange or
    /// EvgRowIndexOutOfRange and changes nothing.
    void ClearRange(const TGridCoord& TopLeft, const TGridCoord& BottomRight);
    /// Empties every cell that is not fixed, and every cell of the hidden columns.
    void Clear();

    // ---- Filling from a dataset (VgGridDataSet.cpp). Opens the dataset when it is closed
    // (it stays open), adds visible column objects until FirstColumn + FieldCount exist,
    // then from grid row FirstRow on stores the field names (IncludeFieldNames) and every
    // record from the current one to the last as text: field f goes to column object
    // FirstColumn + f, visible or hidden. Rows are added as needed; nothing else changes.
    // A negative FirstColumn, or a FirstRow outside 0..RowCount, raises
    // EvgColumnIndexOutOfRange or EvgRowIndexOutOfRange first. Failures of the dataset travel
    // to the caller, with the rows copied so far kept.
    void LoadFromDataSet(TDataSet& DataSet, bool IncludeFieldNames, int FirstColumn, int FirstRow);

    // ---- Sorting (VgGridSorting.cpp). The data rows (FixedRows to the end) are sorted by
    // the cells of grid columns as their display formats read them (see VgSortKeys.h):
    // numbers, dates and times by value, other text by the user's locale with numbers in
    // it by value; empty cells come last in either direction. The sort is stable. Rows
    // move whole: hidden columns' cells and heights of their own go with them, and the
    // current cell stays on its row. An open editor's text is written to its cell first.
    // Column indices outside the grid raise EvgColumnIndexOutOfRange before anything
    // changes. Sorting sets the sort indicator to the (first) column and direction.
    void SortByColumn(int ACol, Qt::SortOrder Order = Qt::AscendingOrder);
    void SortByColumns(const std::vector<TvgSortColumn>& Keys);
    /// Sorts by the sort indicator's column and direction again (after the rows were
    /// replaced, say); nothing while there is no indicator or its column is hidden.
    void SortByIndicator();
    /// The order SortByColumns would apply, without applying it.
    std::vector<int> SortedRowOrder(const std::vector<TvgSortColumn>& Keys);
    /// Puts the data rows in a new order in one step: data row i (grid row FixedRows + i)
    /// becomes the one that was data row Order[i]. Applying the inverse order (see
    /// InversePermutation) puts them back. Fires OnRowsReordered. An Order that does not
    /// name every data row once raises EInvalidOperation, with nothing changed.
    void ApplyRowOrder(const std::vector<int>& Order);
    /// The sort indicator: a column object and a direction, drawn through the style at the
    /// right of the column's title while SortIndicatorShown (off by default) and the column
    /// is shown. Null for none; it follows its column when columns move, and goes with it.
    bool SortIndicatorShown() const { return FSortIndicatorShown; }
    void SetSortIndicatorShown(bool Value);
    TvgColumn* SortIndicatorColumn() const { return FSortIndicatorColumn; }
    Qt::SortOrder SortIndicatorOrder() const { return FSortIndicatorOrder; }
    void SetSortIndicator(TvgColumn* Column, Qt::SortOrder Order);
    /// Whether a left click on a column's title (row 0 below any heading, of a scrollable
    /// column) sorts by that column: ascending, or the other way round when the indicator
    /// is on it already. The click is a title button's click (VelkoColumnClick), so
    /// OnBeforeFixedCellClick can refuse it; the rows are sorted before OnFixedCellClick.
    bool SortOnTitleClick() const { return FSortOnTitleClick; }
    void SetSortOnTitleClick(bool Value) { FSortOnTitleClick = Value; }

    // ---- Column widths kept between runs (VgGridRegistry.cpp), in the user's settings under
    // Key (see TRegistry): one whole number per grid column, named after its column object
    // ("/", "\" and "%" in a name are written %2F, %5C and %25, as the settings store takes
    // the first two for key separators).
    // A Key of blanks only does nothing. Failures to reach the settings, values that name no
    // column or are no whole numbers, and widths the grid refuses are passed over, each on
    // its own. ColumnsRegistryKey is read after loading and written on destruction, outside
    // design mode.
    void SaveColumnWidthsToRegistry(const QString& Key);
    void LoadColumnWidthsFromRegistry(const QString& Key);

    // ---- Clipboard (VgGridClipboard.cpp). Ctrl+C and Ctrl+Insert copy, Ctrl+X and
    // Shift+Delete cut, Ctrl+V and Shift+Insert paste, Delete clears, while no editor is open.
    // A cell is editable unless its column is ReadOnly or OnGetReadOnly says so.
    //
    // Puts the selected cells (the current cell when only it is selected) on the clipboard:
    // as tab-separated text of the stored texts (see VgTsv.h), which is what a spreadsheet
    // turns back into the same numbers and texts, and as an HTML table of the texts the
    // grid shows, aligned as the columns align them.
    void CopyToClipboard();
    // Copies, then empties the editable cells of the selection.
    void CutToClipboard();
    // Pastes the clipboard's plain text (see PasteText).
    TvgPasteReport PasteFromClipboard();
    // Empties the editable cells of the selection; one undo step.
    void ClearSelection();
    // The clipboard data CopyToClipboard would put there for a range of grid cells.
    // Cells outside the grid raise EvgColumnIndexOutOfRange or EvgRowIndexOutOfRange.
    QMimeData* RangeMimeData(const TGridRect& Range);
    // Pastes tab-separated text. One value goes into every selected cell; a block of values
    // goes into a block of its own shape from the selection's top-left cell (the current
    // cell when only it is selected), as a spreadsheet pastes. Values past the last column
    // are dropped; past the last row they add rows when PasteAddsRows, and are dropped
    // otherwise. Read-only cells keep their texts while the other cells take theirs: a
    // table pasted over a read-only key column still updates the rest. Every cell whose
    // text changed fires OnCellEdited; the paste is one undo step. When anything was left
    // out, OnPasteSkipped reports it (the same report is returned).
    TvgPasteReport PasteText(const QString& Text);
    bool PasteAddsRows() const { return FPasteAddsRows; }
    void SetPasteAddsRows(bool Value) { FPasteAddsRows = Value; }

    // ---- Undo and redo (VgGridUndo.cpp). The grid's stack of steps; an application shows
    // it in its Edit menu with createUndoAction and createRedoAction. Ctrl+Z undoes and
    // Ctrl+Y and Ctrl+Shift+Z redo while no editor is open. One step each: an edit the
    // editor wrote to its cell, a paste, a cut, a clear of the selection, InsertRow,
    // DeleteRow and a column moved. A step keeps only the cells it changed, and undoing or
    // redoing it writes them back (hidden columns' too), fires OnCellEdited for the grid
    // cells it changes and puts back the current cell and the selection. Loading contents
    // (LoadFromStream, LoadFromFile, LoadFromDataSet) empties the stack; texts set by the
    // program through Cells are no steps.
    QUndoStack* UndoStack() const { return FUndoStack; }
    // Records, as one step, that the data rows were put in a new order: Order[i] is the
    // data row (counted from FixedRows) that now stands at place i. The rows must be in
    // that order already. Apply puts the rows in a given order the same way; undo calls it
    // with the inverse order, redo with Order again. An Order that is no permutation of
    // the data rows raises EInvalidOperation.
    void RecordRowOrder(std::vector<int> Order, std::function<void(const std::vector<int>&)> Apply,
                        const QString& Text);

    // ---- Reports from the editor.
    virtual void DoCellEdited(int ACol, int ARow);
    void DoComboSelection(int ACol, int ARow);
    /// The column-model editor once it has been created; null before.
    TVgInplaceEdit* VgInplaceEditor() const;

    // ---- Entering and leaving cells.
    // The cell the enter events last reported, which the next exit events report.
    TGridCoord EnteredCell() const { return FEnteredCell; }

    // ---- Events.
    TvgOnButtonClick OnButtonClick;
    TvgOnConversionError OnConversionError;
    TvgOnGetDisplayText OnDisplayText;
    TvgOnChangeCellBorders OnChangeCellBorders;
    TvgOnChangeCellAttributes OnChangeCellAttributes;
    TvgOnFixedCellClick OnFixedCellClick;
    TvgOnGetSuggestion OnGetSuggestion;
    TvgOnGetReadOnly OnGetReadOnly;
    TvgOnGetCellImage OnGetCellImage;
    TvgOnExitCell OnExitCell;
    TvgOnEnterCell OnEnterCell;
    TvgOnComboSelection OnComboSelection;
    TvgOnCellEdited OnCellEdited;
    TvgOnEnterCell OnEnterRow;
    TvgOnExitCell OnExitRow;
    TvgOnBeforeFixedCellClick OnBeforeFixedCellClick;
    TvgOnPasteSkipped OnPasteSkipped;
    TvgOnRowsReordered OnRowsReordered;

    QObject* SizeRequestReceiver() override { return this; }

    // ---- Signals. Each event above is also a Qt signal, raised in the same place and in
    // the same way as the host grid's (see TCustomGrid): the handler first, then the slots,
    // with the handler's arguments but Sender, column first. References carry what the
    // handler left and slots may change them in turn, so that a slot refuses a move by
    // setting canExit to false (or lets through what the handler refused), and answers a
    // suggestion, a shown text or a look the way a handler does; the value the last slot
    // leaves is used. Such slots must be called directly: Qt refuses to queue references.
    // Column and heading objects and the working font and borders are the grid's and valid
    // during the call only, so slots that take them are connected directly too. When a
    // handler changed the column model, a look or text signal of that cell is not emitted
    // with objects that may be gone: the look signals are left out (the cell is painted
    // again, and asked again), the text signals name the column object that describes the
    // cell now, and are left out when none does. The paint and look signals, emitted for
    // every painted cell, cost one check while nothing is connected to them.
signals:
    void cellEdited(int column, int row);
    void comboItemSelected(int column, int row);
    void buttonClicked(int column, int row);
    // A press on a fixed cell or heading (headingIndex, or -1): canClick false gives the
    // press to the grid instead (sizing, moving, selecting), and no click follows.
    void fixedCellPressed(int column, int row, int headingIndex, bool& canClick);
    void fixedCellClicked(int column, int row, int headingIndex, vg::TMouseButton button, vg::TShiftState shift,
                          int x, int y);
    // Entering and leaving, in the order of the events (see SelectCell).
    void aboutToExitCell(int column, int row, bool& canExit);
    void aboutToExitRow(int column, int row, bool& canExit);
    void rowEntered(int column, int row);
    void cellEntered(int column, int row);
    void readOnlyRequested(int column, int row, bool& readOnly);
    void suggestionRequested(int column, int row, const QString& cellText, QString& suggestion);
    void displayTextRequested(int column, int row, vg::TvgColumn* columnObject, QString& text, bool& convert);
    void conversionFailed(int column, int row, vg::TvgColumn* columnObject, QString& text);
    void cellAttributesRequested(int column, int row, vg::TvgHeading* item, vg::TvgCellStates state,
                                 vg::TColor& color, vg::TFont* font, vg::TAlignment& hAlign,
                                 vg::TvgVAlignment& vAlign, vg::TBevelCut& outerBevel, vg::TBevelCut& innerBevel);
    void cellBordersRequested(int column, int row, vg::TvgHeading* item, vg::TvgCellStates state,
                              vg::TvgBorder* topBorder, vg::TvgBorder* rightBorder, vg::TvgBorder* bottomBorder,
                              vg::TvgBorder* leftBorder);
    void cellImageRequested(int column, int row, int headingIndex, vg::TObject*& pictureOrImageList,
                            int& imageIndex, vg::TvgImagePosition& position, vg::TAlignment& hAlign,
                            vg::TvgVAlignment& vAlign, int& margin);

public:

    // ---- The settings as Qt properties (VgGridQtProperties.cpp). Values the grid refuses
    // are reported through the application's exception handler and change nothing; a
    // colour property reads the colour as painted, and its reset gives back the default
    // system colour.
    QByteArray ColumnsText() const;
    void SetColumnsText(const QByteArray& Value);
    QByteArray HeadingsText() const;
    void SetHeadingsText(const QByteArray& Value);
    QByteArray ColWidthsText() const;
    void SetColWidthsText(const QByteArray& Value);
    QByteArray RowHeightsText() const;
    void SetRowHeightsText(const QByteArray& Value);
    /// The option sets as flags; a form saved with them as text ("[goEditing, goTabs]") is
    /// still read, as that text converts to the flags.
    VelkoGridFlags::GridOptions QtOptions() const;
    void SetQtOptions(VelkoGridFlags::GridOptions Value);
    VelkoGridFlags::VelkoOptions QtVelkoOptions() const;
    void SetQtVelkoOptions(VelkoGridFlags::VelkoOptions Value);
    void SetQtRowCount(int Value);
    void SetQtDefaultColWidth(int Value);
    void SetQtDefaultRowHeight(int Value);
    void SetQtGridLineWidth(int Value);
    void SetQtFixedCols(int Value);
    void SetQtFixedRows(int Value);
    /// A form built by uic or QUiLoader is never Loaded: its key, set after the columns and
    /// widths, reads the widths kept for the user then (outside design mode).
    void SetQtColumnsRegistryKey(const QString& Value);
    QColor QtColor() const;
    void SetQtColor(const QColor& Value);
    void ResetQtColor();
    QColor QtFixedColor() const;
    void SetQtFixedColor(const QColor& Value);
    void ResetQtFixedColor();
    QColor QtVelkoHighlightColor() const;
    void SetQtVelkoHighlightColor(const QColor& Value);
    void ResetQtVelkoHighlightColor();
    QColor QtVelkoHighlightFontColor() const;
    void SetQtVelkoHighlightFontColor(const QColor& Value);
    void ResetQtVelkoHighlightFontColor();

protected:
    // Construction, properties and form files (VgGrid.cpp).
    void DefineProperties(TFiler& Filer) override;
    void BeginLoading() override;
    /// A form that described column objects sets the grid's columns; one that did not (a
    /// plain string grid's, for instance) keeps its ColCount, each grid column with an object.
    void Loaded() override;
    // What a form file stores of a grid out of step (VgGridFormState.cpp): the grid as
    // Loaded brings it in step, one grid column per visible column object, so that the
    // form reads back. What no form holds is kept apart: the grid's own column count, its
    // column widths and its cells.
    int StoredColCount() const override;
    int StoredFixedCols() const;
    int StoredColWidth(int Index) const;
    std::function<void(TComponent&)> KeepUnwrittenState() const override;
    // Keeping column widths between runs (VgGridRegistry.cpp): called from Loaded and from
    // the destructor outside design mode; they load and save under ColumnsRegistryKey.
    virtual void RestoreColumnWidths();
    virtual void StoreColumnWidths();

    // Column mapping (VgGridColumns.cpp).
    void SizeChanged(int OldColCount, int OldRowCount) override;
    /// A column dragged (or moved by MoveColumn) takes its column object along: the object
    /// goes to the place in Columns of the object of the grid column it lands on, so hidden
    /// objects keep their places between their neighbours; then the host moves the cells.
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
    /// A moved row (or one moved into place by InsertRow) takes the hidden columns' cells
    /// along. They move first, then the host moves the grid's cells and only then reports
    /// the move to the application: a handler that throws, or hides or shows a column,
    /// finds every cell of the row where the row went.
    void RowMoved(int FromIndex, int ToIndex) override;
    void MoveRowContents(int FromIndex, int ToIndex) override;
    // Reordered rows take the hidden columns' cells along, then OnRowsReordered is fired.
    void RowsReordered(int First, std::span<const int> Order) override;

    // Mouse on titles and headings (VgGridMouse.cpp). With VelkoColumnClick, a press on a
    // fixed cell (outside the 4-pixel edges the host keeps for sizing and moving with the
    // left button) is tracked instead of reaching the host: OnBeforeFixedCellClick may
    // veto it, the cell or heading is drawn pressed while the left button holds it and the
    // pointer is over it, and releasing the same button over it reports OnFixedCellClick.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// Keys for what the mouse does on titles (VgGridKeyboard.cpp): after OnKeyDown,
    /// Ctrl+Space clicks the current column's title; other keys go on as in the host grid,
    /// and then to the clipboard and undo keys.
    void KeyDown(int& Key, TShiftState Shift) override;
    /// Updates the pressed look for the pointer at (X, Y).
    void TrackButton(int X, int Y);
    // Repaints the band of the tracked heading where it is on screen (VgGridHeading.cpp).
    void RefreshTrackingHeading();

    // Cell look and painting (VgGridCellPaint.cpp).
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    /// Copies the item's borders into the working borders, lets OnChangeCellBorders change
    /// them, draws them and shrinks Rect by them.
    void DrawItemBorders(TCanvas& Canvas, TRect& Rect, int ACol, int ARow, TvgHeading* Item, TvgCellStates State);
    /// The bevel rings; a pressed cell or heading gets a lowered ring and its contents move
    /// 2 pixels right and down.
    static void DrawBevels(TCanvas& Canvas, TRect& Rect, TBevelCut Outer, TBevelCut Inner, bool Pressed);

    // Heading band (VgGridHeading.cpp). Only the part of the group on screen is composed.
    // False when an event handler changed the column model or the grid meanwhile (painting
    // then starts again).
    bool DrawHeading(int ACol, int ARow, TvgColumn* Column);
    // Sorting (VgGridSorting.cpp): the indicator in the title of grid column ACol, at the
    // right of Rect, which gives up its strip.
    void DrawSortIndicator(int ACol, TRect& Rect);
    // A title click that SortOnTitleClick makes a sort.
    void SortByTitleClick(int ACol);
    // A click on a fixed cell or a heading, by mouse or key, once OnBeforeFixedCellClick let
    // it happen: the sort a title click asks for, then OnFixedCellClick and its signal.
    void ReportFixedCellClick(TGridCoord Cell, int HeadingIndex, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Display text (VgGridDisplayText.cpp).
    // Turns a cell's stored text into the value to show and format; the text as it is.
    virtual QString SolveFormula(const QString& S);

    // Size requests text drawing posts (VgGridMessages.cpp).
    void vgwmHandleAdjustRowHeight(TMessage& Message);
    void vgwmHandleAdjustColumnWidth(TMessage& Message);

    /// The title row fits its heading band and captions before the grid paints
    /// (VgGridTitleRow.cpp).
    void paintEvent(QPaintEvent* e) override;

    // Entering and leaving cells and rows (VgGridNavigation.cpp). A move of the current
    // cell fires OnExitCell, then OnExitRow when the row changes (either may refuse the
    // move), then OnEnterRow and OnEnterCell for the new cell; gaining the focus fires
    // the enter pair and losing it the exit pair, which cannot keep the focus.
    bool SelectCell(int ACol, int ARow) override;
    void DoEnter() override;
    void DoExit() override;
    virtual void DoEnterCell();
    virtual bool DoExitCell();
    virtual void DoEnterRow();
    virtual bool DoExitRow();

    // The editor and the grid as the editor sees it (VgGridEditor.cpp).
    TInplaceEdit* CreateEditor() override;
    /// No editor opens while a column is hidden or shown: the columns are out of step then.
    bool CanEditShow() const override { return !FRearrangingColumns && TVgHintGrid::CanEditShow(); }
    /// A grid column without its column object (objects removed within an update, or added
    /// and the grid not yet in step) takes no editor: the editor's buttons, look and limits
    /// come from the object.
    bool CanEditColumn(int ACol) const override { return ACol >= 0 && ACol < GetVisibleColumnCount(); }
    /// Every change the user makes to the editor's text updates its suggestion.
    void WMCommand(TMessage& Message) override;
    /// On a cell with a drop-down list, Alt+Down, Alt+Up and F4 open the editor with its
    /// list, as they open a combo box's; other keys navigate as in the host grid.
    void Navigate(int key, TShiftState shift) override;
    TInplaceEditGrid* EditorHost() override { return this; }
    TGridCoord EditorCurrentCell() const override { return {Col(), Row()}; }
    TvgColumn* EditorColumn(int ACol) const override { return GetVisibleColumn(ACol); }
    QString EditorCells(int ACol, int ARow) const override { return Cells(ACol, ARow); }
    void EditorSetCells(int ACol, int ARow, const QString& Value) override { WriteEditedCell(ACol, ARow, Value); }
    TVgEditorLook EditorCellLook(int ACol, int ARow, TFont& AFont) override;
    void EditorCellImage(int ACol, int ARow, TRect& Rect, bool Draw, TCanvas& Canvas) override;
    bool EditorReadOnly(int ACol, int ARow, bool ReadOnly) override;
    bool EditorHasSuggestionHandler() const override
    {
        return OnGetSuggestion || SignalConnected<&TVelkoGrid::suggestionRequested>();
    }
    QString EditorSuggestion(int ACol, int ARow, const QString& CellText) override;
    bool EditorAutoAcceptSuggestion() const override { return FAutoAcceptSuggestion; }
    void EditorButtonClick(int ACol, int ARow) override;
    void EditorCellEdited(int ACol, int ARow) override
    {
        EndEditorStep();
        DoCellEdited(ACol, ARow);
    }
    void EditorComboSelection(int ACol, int ARow) override { DoComboSelection(ACol, ARow); }
    void EditorPointerOnCell(int ACol, int ARow) override;
    // The editor's text written back to its cell: an undo step, which later writes of the
    // same edit join (VgGridUndo.cpp). An edit ends when the editor reports it or loads a
    // cell's text anew.
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    QString EditorCellText() override;
    // The clipboard and undo keys (VgGridClipboard.cpp), after OnKeyDown and navigation:
    // whether Key with Shift was one of them, and its action was taken.
    bool ClipboardKey(int Key, TShiftState Shift);

    /// Press tracking of fixed cells and headings, which the mouse handling drives and
    /// painting reads for the pressed look: whether a press is tracked, the fixed cell it
    /// began on, the Headings index under it (-1 off the band), the button, whether the
    /// pointer is over the pressed cell or heading, and whether it is drawn pressed.
    bool FTracking = false;
    TGridCoord FTrackCell{0, 0};
    int FTrackHeading = -1;
    TMouseButton FTrackMouseButton = mbLeft;
    bool FTrackOver = false;
    bool FTrackPressed = false;

private:
    friend class TvgGridStep;
    friend class TvgCellWriter;
    // Undo (VgGridUndo.cpp): the editor's writes and the end of its edit; the cells of a
    // column object by its collection ID, visible or hidden (null item: no such object).
    void WriteEditedCell(int ACol, int ARow, const QString& Value);
    void EndEditorStep() { ++FEditorStepSerial; }
    // Pushes a step that is done already; nothing is recorded while steps are replayed.
    void RecordStep(QUndoCommand* Step);
    bool Recording() const { return !FReplayingStep && !IsLoading(); }
    QUndoStack* FUndoStack = nullptr;
    bool FReplayingStep = false;
    bool FWritingEditedCell = false; // the editor reloads from the cell written, in the same edit
    int FEditorStepSerial = 0;
    bool FPasteAddsRows = false;
    // Empties the editable cells of Range as one step named Text.
    void ClearEditableCells(const TGridRect& Range, const QString& Text);
    // Raises EvgColumnIndexOutOfRange or EvgRowIndexOutOfRange, naming Action ("clear"),
    // when a corner lies outside the grid (VgGridPersistence.cpp).
    void CheckCellsInGrid(const TGridCoord& TopLeft, const TGridCoord& BottomRight, const QString& Action) const;
    bool IsCellReadOnly(int ACol, int ARow);

    // Entering and leaving (VgGridNavigation.cpp): the exit or enter event for
    // FEnteredCell, with what goes with it (suggestion, cell hint).
    bool NotifyExit(const TvgOnExitCell& Event, void (TVelkoGrid::*Signal)(int, int, bool&));
    void NotifyEnter(const TvgOnEnterCell& Event, void (TVelkoGrid::*Signal)(int, int));

    // The title row's height (VgGridTitleRow.cpp): while row 0 has no height of its own,
    // it shows the height its heading band and captions need. What that height depends on:
    // the changes reported by the columns, headings and fonts, and the host's settings.
    struct TTitleRowInputs {
        std::uint64_t LookChanges = 0;
        bool BandLine = false;
        int LineWidth = 0;
        int FixedRows = 0;
        int DefaultHeight = 0;
        unsigned Widths = 0;
        int ColCount = 0;
        friend bool operator==(const TTitleRowInputs&, const TTitleRowInputs&) = default;
    };
    TTitleRowInputs TitleRowInputs() const;
    // Something the height depends on changed: the row is fitted once the event that
    // changed it is over (or when the grid paints, if that comes first).
    void TitleLookChanged();
    // A heading or the list of headings changed: the title row is painted and fitted again.
    void HeadingsChanged();
    void FitTitleRowIfDue();
    void FitTitleRow();
    int TitleRowHeightNeeded();
    std::uint64_t FTitleLookChanges = 0;
    std::optional<TTitleRowInputs> FTitleRowFittedFor;
    bool FTitleFitPosted = false;

    // Keeping the grid in step with column objects that a program removes (VgGridColumnSync.cpp).
    void ColumnDestroying(TvgColumn* Column);
    void ColumnsChanged();

    // Column mapping (VgGridColumns.cpp).
    // Sets the host's column count with the collection left alone.
    void SetGridColCount(int Value);
    // The visible items of Columns in collection order: grid column i is item i. Rebuilt,
    // with the list of hidden items, when the collection's revision moved on (items
    // added, removed, moved, shown, hidden).
    const std::vector<TvgColumn*>& VisibleColumns() const;
    const std::vector<TvgColumn*>& HiddenColumns() const;
    void RebuildColumnLists() const;
    // Gives every hidden item's Cols one entry per grid row, rows past RowCount dropped.
    void KeepHiddenCellsInStep();
    void MoveHiddenCells(int FromIndex, int ToIndex);
    // Mouse (VgGridMouse.cpp): whether the point lies on the tracked cell (outside any
    // heading) or on the tracked heading; ending a tracked press without a click.
    bool PointerOnTracked(int X, int Y);
    void EndTracking();

    // The column model and the published settings.
    std::unique_ptr<TvgColumns> FColumns;
    std::unique_ptr<TvgHeadings> FHeadings;
    QString FColumnsRegistryKey;
    TvgOptions FVelkoOptions;
    TColor FVelkoHighlightColor = clHighlight;
    TColor FVelkoHighlightFontColor = clHighlightText;
    bool FVelkoAdjustColWidth = false;
    bool FVelkoAdjustRowHeight = false;
    bool FVelkoColumnClick = true;
    bool FAutoAcceptSuggestion = true;
    bool FSortIndicatorShown = false;
    bool FSortOnTitleClick = false;
    TvgColumn* FSortIndicatorColumn = nullptr;
    Qt::SortOrder FSortIndicatorOrder = Qt::AscendingOrder;
    TGridCoord FEnteredCell{1, 1};

    // Painting: what a cell's painting began with. Event handlers may change the column
    // model or the grid while a cell paints; the painting then stops (and starts again),
    // since what it holds may be gone.
    struct TPaintStamp {
        std::uint64_t Columns = 0;
        std::uint64_t Headings = 0;
        int ColCount = 0;
        int RowCount = 0;
        friend bool operator==(const TPaintStamp&, const TPaintStamp&) = default;
    };
    TPaintStamp PaintStamp() const;
    // Whether the model moved on since stamp; if so, the paint is restarted.
    bool PaintOutdated(const TPaintStamp& stamp);
    // The column describing grid column ACol now; null when there is none.
    TvgColumn* CurrentColumn(int ACol) const;

    // Column mapping: set while the grid changes its own columns, and the map of grid
    // columns to column objects with the revision it was built at.
    bool FUpdatingColumns = false;
    // While the grid sets its own column count: what FUpdatingColumns goes back to once the
    // count is changed, before the application's events that follow.
    std::optional<bool> FUpdatingColumnsAfterResize;
    // Set while a column is hidden, shown or removed: the column count, visibility and the
    // Columns collection are then refused to event handlers.
    bool FRearrangingColumns = false;
    bool FRevertingVisibility = false; // while a refused hide or show is undone
    // Refuses changes of the column count, of visibility and of the Columns collection
    // (EInvalidOperation) while a column is hidden, shown or removed.
    void CheckNotRearranging() const;
    // Runs Work, which hides, shows or removes a grid column, with such changes refused and
    // the handlers' exceptions held back; answers the first one held.
    std::exception_ptr Rearrange(const std::function<void()>& Work);
    // Runs an application's event handler; while a column is hidden, shown or removed, what
    // it throws waits in FRearrangingError until the columns are in step again.
    void NotifyApplication(const std::function<void()>& Notify);
    std::exception_ptr FRearrangingError;
    // Set when column objects describing grid columns went within an update, or the only
    // column's object went: the grid is brought in step when the change is reported.
    bool FColumnsRemoved = false;
    mutable std::vector<TvgColumn*> FVisibleColumns;
    mutable std::vector<TvgColumn*> FHiddenColumns;
    mutable std::uint64_t FColumnListsRevision = ~std::uint64_t(0);
    std::uint64_t FColumnsRevisionAtLoad = 0; // whether a form describes column objects

    // Painting: the off-screen heading band, and the working borders and font a cell is
    // painted with.
    std::unique_ptr<TBitmap> FHeadingBitmap;
    std::unique_ptr<TvgBorder> FTopBorder;
    std::unique_ptr<TvgBorder> FLeftBorder;
    std::unique_ptr<TvgBorder> FRightBorder;
    std::unique_ptr<TvgBorder> FBottomBorder;
    std::unique_ptr<TFont> FCellFont;
};

} // namespace vg
