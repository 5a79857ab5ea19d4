// TVelkoGrid: what a data cell shows. The stored text goes through SolveFormula, then
// OnDisplayText, then the column's display format; only the shown text changes.
#include "grid/VgGrid.h"

#include "common/VgDisplayFormat.h"
#include "platform/locale/Conversions.h"

namespace vg {

namespace {

// The value a date/time column reads from S, by the parts its format shows.
TDateTime ReadDateTime(TvgDateTimeParts Parts, const QString& S)
{
    switch (Parts) {
    case vgdtpDate:
        return StrToDate(S);
    case vgdtpTime:
        return StrToTime(S);
    default:
        return StrToDateTime(S);
    }
}

// S laid out in the column's display format. Raises EConvertError when S does not read
// as the number or date/time the format needs.
QString FormatCellText(const TvgColumn& Column, const QString& S)
{
    switch (Column.FormatType()) {
    case vgfmtNumeric: {
        const double value = StrToFloat(S);
        return FormatFloat(NumericDisplayFormat(Column.Prefix(), Column.ThousandsSeparator(), Column.Decimals(),
                                                Column.NegativeParenthesis()),
                           value);
    }
    case vgfmtScientific: {
        const double value = StrToFloat(S);
        return FormatFloat(ScientificDisplayFormat(Column.Decimals()), value);
    }
    case vgfmtDateTime: {
        const TvgDateTimeDisplay display = DateTimeDisplayFormat(Column.DateFormat(), Column.TimeFormat(), VgDateOrder());
        if (display.Parts == vgdtpNone)
            return S;
        return FormatDateTime(display.Format, ReadDateTime(display.Parts, S));
    }
    case vgfmtNone:
        break;
    }
    return S;
}

} // namespace

QString TVelkoGrid::SolveFormula(const QString& S)
{
    return S;
}

QString TVelkoGrid::GetDisplayText(int ACol, int ARow)
{
    return GetDisplayText(ACol, ARow, GetVisibleColumn(ACol));
}

QString TVelkoGrid::GetDisplayText(int ACol, int ARow, TvgColumn* Column)
{
    QString text = SolveFormula(Cells(ACol, ARow));
    bool convert = true;
    const std::uint64_t revision = FColumns->Revision();
    // OnDisplayText may change the columns: from then on the cell is formatted by the column
    // that describes it now, and shown as it is when none does.
    const auto currentColumn = [&] { return FColumns->Revision() == revision ? Column : CurrentColumn(ACol); };
    try {
        if (OnDisplayText)
            OnDisplayText(this, ACol, ARow, Column, text, convert);
        if (SignalConnected<&TVelkoGrid::displayTextRequested>()) {
            if (TvgColumn* now = currentColumn())
                emit displayTextRequested(ACol, ARow, now, text, convert);
        }
        Column = currentColumn();
        if (text.isEmpty() || !convert || !Column)
            return text;
        return FormatCellText(*Column, text);
    } catch (const EConvertError&) {
        // The text that failed, as SolveFormula and OnDisplayText left it.
        Column = currentColumn();
        if (OnConversionError && Column)
            OnConversionError(this, ACol, ARow, Column, text);
        if (SignalConnected<&TVelkoGrid::conversionFailed>()) {
            if (TvgColumn* now = currentColumn())
                emit conversionFailed(ACol, ARow, now, text);
        }
        return text;
    }
}

} // namespace vg
