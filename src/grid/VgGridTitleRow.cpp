// The title row's height. While row 0 is a title row (FixedRows at least 1) with no height
// of its own, the grid gives it the height its heading band and captions need at the fonts
// they are drawn with: the band takes the upper half of the row, the captions of the
// columns under a heading the rest, and the captions of other columns the whole row. A
// height set by the application, the user or a form file is the row's own and stays; a
// height of its own equal to the default is none. The fitted height is never stored.
//
// Changes that bear on the height (columns, headings, their captions, fonts, borders and
// bevels, the grid's font) ask for a fit after the event that made them; settings of the
// host grid it depends on (grid lines, fixed rows, default height, column widths) are
// compared before every paint, so the row is fitted at the latest when the grid paints.
#include "grid/VgGrid.h"

#include "common/VgBorderDraw.h"
#include "platform/app/Application.h"

#include <QMetaObject>

#include <algorithm>

namespace vg {

namespace {

// The room a title needs: its text at its font and width, with its borders and bevels.
// Measuring needs a canvas only for its font.
int TitleRoom(TCanvas& Measure, const QString& Text, const TFont& Font, const TvgHeading& Item, qint64 Width)
{
    Measure.Font().Assign(&Font);
    const int bevel = VgBevelThickness(Item.TitleOuterBevel(), Item.TitleInnerBevel());
    const qint64 across = qint64(VgBorderThickness(*Item.LeftBorder())) + VgBorderThickness(*Item.RightBorder()) + 2 * bevel;
    TVgDrawInfo info;
    info.Canvas = &Measure;
    info.Text = Text;
    info.HAlignment = Item.TitleHAlignment();
    info.ClipStyle = Item.TitleClipStyle();
    info.State = TGridDrawState{gdFixed};
    info.Rect = TRect{0, 0, int(std::clamp<qint64>(Width - across, 0, MaxGridExtent)), 0};
    const qint64 room = qint64(VGTextRoomHeight(info)) + VgBorderThickness(*Item.TopBorder()) +
                        VgBorderThickness(*Item.BottomBorder()) + 2 * bevel;
    return int(std::min<qint64>(room, MaxGridExtent));
}

// The smallest row height whose upper half holds a band that needs Band pixels (the band
// is half the height less one) and whose rest holds captions that need Captions pixels
// (the rest starts one pixel above the half).
int HeightWithBand(int Band, int Captions)
{
    const qint64 even = 2 * qint64(std::max(Band + 1, Captions - 1));
    const qint64 odd = 2 * qint64(std::max(Band + 1, Captions - 2)) + 1;
    return int(std::min<qint64>(std::min(even, odd), MaxGridExtent));
}

} // namespace

TVelkoGrid::TTitleRowInputs TVelkoGrid::TitleRowInputs() const
{
    return {FTitleLookChanges,   Options().Contains(goFixedHorzLine), GridLineWidth(), FixedRows(),
            DefaultRowHeight(),  ColWidthsVersion(),                  ColCount()};
}

void TVelkoGrid::TitleLookChanged()
{
    ++FTitleLookChanges;
    if (FTitleFitPosted || IsDestroying())
        return;
    FTitleFitPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FTitleFitPosted = false;
            Application().GuardEvent([this] { FitTitleRowIfDue(); });
        },
        Qt::QueuedConnection);
}

void TVelkoGrid::HeadingsChanged()
{
    TitleLookChanged();
    if (RowCount() > 0)
        InvalidateRow(0);
}

void TVelkoGrid::paintEvent(QPaintEvent* e)
{
    Application().GuardEvent([this] { FitTitleRowIfDue(); });
    TVgHintGrid::paintEvent(e);
}

void TVelkoGrid::FitTitleRowIfDue()
{
    // While the columns are out of step with the grid, the fit waits for them.
    if (IsLoading() || IsDestroying() || FUpdatingColumns || FRearrangingColumns ||
        GetVisibleColumnCount() < ColCount())
        return;
    const TTitleRowInputs inputs = TitleRowInputs();
    if (FTitleRowFittedFor && *FTitleRowFittedFor == inputs)
        return;
    FTitleRowFittedFor = inputs;
    FitTitleRow();
}

void TVelkoGrid::FitTitleRow()
{
    if (FixedRows() < 1) {
        SetAutomaticRowHeight(0, -1);
        return;
    }
    const int needed = std::min(TitleRowHeightNeeded(), MaxGridExtent);
    SetAutomaticRowHeight(0, needed > DefaultRowHeight() ? needed : -1);
}

int TVelkoGrid::TitleRowHeightNeeded()
{
    const bool bandLine = Options().Contains(goFixedHorzLine);
    const bool verticalLines = Options().Contains(goFixedVertLine) || Options().Contains(goVertLine);
    const int lineWidth = verticalLines ? GridLineWidth() : 0;
    TCanvas measure;
    int needed = 0;
    // Columns one after the other; a run of columns under one heading shares its band.
    for (int first = 0; first < ColCount();) {
        TvgColumn* column = GetVisibleColumn(first);
        const int headingIndex = column->HeadingIndex();
        const bool underHeading = headingIndex >= 0 && headingIndex < FHeadings->Count();
        int last = first;
        while (underHeading && last + 1 < ColCount() && GetVisibleColumn(last + 1)->HeadingIndex() == headingIndex)
            ++last;
        int captions = 0;
        qint64 groupWidth = qint64(lineWidth) * (last - first);
        for (int col = first; col <= last; ++col) {
            TvgColumn* member = GetVisibleColumn(col);
            const QString text = member->Caption().isEmpty() ? Cells(col, 0) : member->Caption();
            const TFont& font = member->TitleParentFont() ? Font() : *member->TitleFont();
            captions = std::max(captions, TitleRoom(measure, text, font, *member, ColWidths(col)));
            groupWidth += ColWidths(col);
        }
        if (underHeading) {
            const TvgHeading& heading = *(*FHeadings)[headingIndex];
            const TFont& font = heading.TitleParentFont() ? Font() : *heading.TitleFont();
            // The band ends with the line between it and the captions.
            const int band = std::min(TitleRoom(measure, heading.Caption(), font, heading, groupWidth) +
                                          (bandLine ? GridLineWidth() : 0),
                                      MaxGridExtent);
            needed = std::max(needed, HeightWithBand(band, captions));
        } else {
            needed = std::max(needed, captions);
        }
        first = last + 1;
    }
    return needed;
}

} // namespace vg

