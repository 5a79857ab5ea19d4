// The clipboard: copying ranges as tab-separated text and as an HTML table, cutting,
// pasting and clearing; and the keys for these and for undo and redo.
#include "common/VgTsv.h"
#include "grid/VgGrid.h"
#include "grid/VgGridUndo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUndoStack>

namespace vg {

namespace {

// Pastes and clears of more values than this show the busy cursor while they run.
constexpr qint64 BusyCursorValues = 20000;

// Shows the busy cursor while it lives, when Shown.
class TBusyCursor {
public:
    explicit TBusyCursor(bool Shown) : FShown(Shown)
    {
        if (FShown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TBusyCursor()
    {
        if (FShown)
            QGuiApplication::restoreOverrideCursor();
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool FShown;
};

// Appends a table cell of Text, escaped for HTML, its line breaks as <br>.
void AppendHtmlCell(QString& Html, QStringView Text, TAlignment Alignment)
{
    static const QLatin1String openers[] = {QLatin1String("<td>"), QLatin1String("<td style=\"text-align:right\">"),
                                            QLatin1String("<td style=\"text-align:center\">")};
    Html += openers[Alignment];
    qsizetype run = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        QLatin1String replacement;
        switch (Text[i].unicode()) {
        case u'<': replacement = QLatin1String("&lt;"); break;
        case u'>': replacement = QLatin1String("&gt;"); break;
        case u'&': replacement = QLatin1String("&amp;"); break;
        case u'"': replacement = QLatin1String("&quot;"); break;
        case u'\n': replacement = QLatin1String("<br>"); break;
        case u'\r':
            // CR LF is one line break.
            replacement = i + 1 < Text.size() && Text[i + 1] == u'\n' ? QLatin1String("") : QLatin1String("<br>");
            break;
        default: continue;
        }
        Html += Text.mid(run, i - run);
        Html += replacement;
        run = i + 1;
    }
    Html += Text.mid(run);
    Html += QLatin1String("</td>");
}

} // namespace

// Writes texts into grid cells as one undo step: read-only cells are left out and noted,
// and every cell whose text changed is reported through OnCellEdited once all are written.
class TvgCellWriter {
public:
    TvgCellWriter(TVelkoGrid& Grid, const QString& StepName, TvgPasteReport& Report)
        : FGrid(Grid), FReport(Report), FRowsBefore(Grid.RowCount())
    {
        if (Grid.Recording())
            FStep = std::make_unique<TvgCellsStep>(Grid, StepName);
    }

    void Write(int ACol, int ARow, const QString& Value)
    {
        if (FGrid.IsCellReadOnly(ACol, ARow)) {
            FReport.ReadOnlyCells.push_back({ACol, ARow});
            return;
        }
        QString old = FGrid.Cells(ACol, ARow);
        if (old == Value)
            return;
        if (FStep)
            FStep->Add(ACol, ARow, std::move(old), Value);
        FGrid.SetCells(ACol, ARow, Value);
        FChanged.push_back({ACol, ARow});
    }

    // Records the step, then reports the changed cells and, for a paste, what was skipped.
    void Finish(bool ReportSkipped)
    {
        FReport.ChangedCells = int(FChanged.size());
        if (FStep && (FStep->Count() > 0 || FGrid.RowCount() != FRowsBefore)) {
            FStep->SetRowsAdded(FRowsBefore, FGrid.RowCount());
            FStep->NoteCursorAfter();
            FGrid.RecordStep(FStep.release());
        }
        for (const TGridCoord& cell : FChanged)
            FGrid.DoCellEdited(cell.X, cell.Y);
        if (ReportSkipped && (!FReport.ReadOnlyCells.empty() || FReport.ValuesOutside > 0) && FGrid.OnPasteSkipped)
            FGrid.OnPasteSkipped(&FGrid, FReport);
    }

private:
    TVelkoGrid& FGrid;
    TvgPasteReport& FReport;
    int FRowsBefore;
    std::unique_ptr<TvgCellsStep> FStep;
    std::vector<TGridCoord> FChanged;
};

bool TVelkoGrid::IsCellReadOnly(int ACol, int ARow)
{
    return EditorReadOnly(ACol, ARow, GetVisibleColumn(ACol)->ReadOnly());
}

QMimeData* TVelkoGrid::RangeMimeData(const TGridRect& Range)
{
    CheckCellsInGrid({Range.Left, Range.Top}, {Range.Right, Range.Bottom}, QStringLiteral("copy"));
    const int left = std::min(Range.Left, Range.Right);
    const int right = std::max(Range.Left, Range.Right);
    const int top = std::min(Range.Top, Range.Bottom);
    const int bottom = std::max(Range.Top, Range.Bottom);

    // OnDisplayText may change the columns: they are looked up again when it did.
    std::vector<TvgColumn*> columns;
    std::uint64_t revision = 0;
    const auto lookUpColumns = [&] {
        columns.clear();
        for (int col = left; col <= right; ++col)
            columns.push_back(GetVisibleColumn(col));
        revision = FColumns->Revision();
    };
    lookUpColumns();
    TvgTsvWriter plain;
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>");
    for (int row = top; row <= bottom; ++row) {
        html += QLatin1String("<tr>");
        for (int col = left; col <= right; ++col) {
            plain.WriteValue(CellView(col, row));
            const QString shown = GetDisplayText(col, row, columns[size_t(col - left)]);
            if (FColumns->Revision() != revision)
                lookUpColumns();
            AppendHtmlCell(html, shown, columns[size_t(col - left)]->ColumnHAlignment());
        }
        plain.EndLine();
        html += QLatin1String("</tr>");
    }
    html += QLatin1String("</table></body></html>");

    auto data = std::make_unique<QMimeData>();
    data->setText(plain.TakeText());
    data->setHtml(html);
    return data.release();
}

void TVelkoGrid::CopyToClipboard()
{
    QGuiApplication::clipboard()->setMimeData(RangeMimeData(Selection()));
}

void TVelkoGrid::CutToClipboard()
{
    CopyToClipboard();
    ClearEditableCells(Selection(), QStringLiteral("Cut"));
}

void TVelkoGrid::ClearSelection()
{
    ClearEditableCells(Selection(), QStringLiteral("Clear"));
}

void TVelkoGrid::ClearEditableCells(const TGridRect& Range, const QString& Text)
{
    HideEditor();
    TvgPasteReport report;
    TBusyCursor busy(qint64(Range.Right - Range.Left + 1) * (Range.Bottom - Range.Top + 1) > BusyCursorValues);
    TvgCellWriter writer(*this, Text, report);
    for (int row = Range.Top; row <= Range.Bottom; ++row)
        for (int col = Range.Left; col <= Range.Right; ++col)
            writer.Write(col, row, QString());
    writer.Finish(false);
}

TvgPasteReport TVelkoGrid::PasteFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return {};
    return PasteText(data->text());
}

TvgPasteReport TVelkoGrid::PasteText(const QString& Text)
{
    HideEditor();
    TvgPasteReport report;
    TBusyCursor busy(Text.size() > BusyCursorValues * 4);
    const QList<QStringList> lines = ReadTsvText(Text);
    if (lines.isEmpty())
        return report;
    const TGridRect selection = Selection();
    TvgCellWriter writer(*this, QStringLiteral("Paste"), report);

    if (lines.size() == 1 && lines[0].size() == 1) {
        // One value fills the selection.
        for (int row = selection.Top; row <= selection.Bottom; ++row)
            for (int col = selection.Left; col <= selection.Right; ++col)
                writer.Write(col, row, lines[0][0]);
        writer.Finish(true);
        return report;
    }

    const int top = selection.Top;
    const int left = selection.Left;
    const qint64 lastRow = top + qint64(lines.size()) - 1;
    if (lastRow >= RowCount() && FPasteAddsRows)
        SetRowCount(int(std::min<qint64>(lastRow + 1, MaxRowCount())));
    int right = left;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QStringList& values = lines[k];
        const qint64 row = top + k;
        if (row >= RowCount()) {
            report.ValuesOutside += values.size();
            continue;
        }
        const int fit = int(std::min<qint64>(values.size(), ColCount() - left));
        report.ValuesOutside += values.size() - fit;
        for (int j = 0; j < fit; ++j)
            writer.Write(left + j, int(row), values[j]);
        right = std::max(right, left + fit - 1);
    }
    // The pasted block becomes the selection, as in a spreadsheet.
    SetSelection(GridRect(left, top, right, int(std::min<qint64>(lastRow, RowCount() - 1))));
    writer.Finish(true);
    return report;
}

bool TVelkoGrid::ClipboardKey(int Key, TShiftState Shift)
{
    if (IsDesigning() || EditorMode())
        return false;
    const bool ctrl = Shift == TShiftState{ssCtrl};
    const bool shift = Shift == TShiftState{ssShift};
    const bool editing = Options().Contains(goEditing);
    if ((ctrl && Key == Qt::Key_C) || (ctrl && Key == VK_INSERT))
        CopyToClipboard();
    else if (editing && ((ctrl && Key == Qt::Key_X) || (shift && Key == VK_DELETE)))
        CutToClipboard();
    else if (editing && ((ctrl && Key == Qt::Key_V) || (shift && Key == VK_INSERT)))
        PasteFromClipboard();
    else if (editing && Shift.IsEmpty() && Key == VK_DELETE)
        ClearSelection();
    else if (editing && ctrl && Key == Qt::Key_Z)
        FUndoStack->undo();
    else if (editing && ((ctrl && Key == Qt::Key_Y) || (Shift == TShiftState{ssCtrl, ssShift} && Key == Qt::Key_Z)))
        FUndoStack->redo();
    else
        return false;
    return true;
}

} // namespace vg
