// The columns editor's settings that act on the grid at once: the width of the selected
// column and the heights of rows. A size typed into its box applies on Enter and on
// leaving the box (Tab or a click elsewhere); a box holding no size the grid takes shows the
// grid's size again.
#include "design/VgDialog.h"

#include "platform/app/Screen.h"
#include "platform/hostgrid/GridExtents.h"
#include "grid/VgGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <optional>

namespace vg {

namespace {

// The whole number in Box when it is a size a grid takes.
std::optional<int> EnteredExtent(const QLineEdit& Box)
{
    bool ok = false;
    const int value = Box.text().trimmed().toInt(&ok);
    if (!ok || value < 0 || value > MaxGridExtent)
        return std::nullopt;
    return value;
}

} // namespace

int TfrmvgColumnsEditor::SelectedGridColumn() const
{
    const TvgColumn* selected = SelectedColumn();
    if (!selected)
        return -1;
    const TvgColumns& columns = *FGrid->Columns();
    for (int i = 0; i < columns.Count(); ++i)
        if (columns[i]->Name().compare(selected->Name(), Qt::CaseInsensitive) == 0)
            return FGrid->GridColumnForColumnObject(columns[i]);
    return -1;
}

void TfrmvgColumnsEditor::ShowColumnWidth()
{
    const int col = SelectedGridColumn();
    const QSignalBlocker blocker(tbrWidth);
    tbrWidth->setRange(0, std::max(Screen().Width(), 1));
    tbrWidth->setEnabled(col >= 0);
    edtColumnWidth->setEnabled(col >= 0);
    if (col < 0) {
        tbrWidth->setValue(0);
        edtColumnWidth->clear();
        return;
    }
    tbrWidth->setValue(FGrid->ColWidths(col));
    edtColumnWidth->setText(QString::number(FGrid->ColWidths(col)));
}

void TfrmvgColumnsEditor::ColumnWidthTracked(int Value)
{
    const int col = SelectedGridColumn();
    if (col < 0)
        return;
    FGrid->SetColWidths(col, Value);
    edtColumnWidth->setText(QString::number(Value));
}

void TfrmvgColumnsEditor::ColumnWidthEntered()
{
    const int col = SelectedGridColumn();
    if (const std::optional<int> width = EnteredExtent(*edtColumnWidth); width && col >= 0)
        FGrid->SetColWidths(col, *width);
    ShowColumnWidth();
    edtColumnWidth->selectAll();
}

void TfrmvgColumnsEditor::FillRows()
{
    {
        const QSignalBlocker blocker(tbrRowHeight);
        tbrRowHeight->setRange(0, std::max(Screen().Height(), 1));
    }
    const QSignalBlocker blocker(cmbRows);
    cmbRows->clear();
    for (int row = 0; row < FGrid->RowCount(); ++row)
        cmbRows->addItem(QString::number(row));
    cmbRows->setCurrentIndex(0);
    ShowRowHeight();
}

void TfrmvgColumnsEditor::ShowRowHeight()
{
    const int row = cmbRows->currentIndex();
    if (row < 0 || row >= FGrid->RowCount())
        return;
    const QSignalBlocker blocker(tbrRowHeight);
    tbrRowHeight->setValue(FGrid->RowHeights(row));
    edtRowHeight->setText(QString::number(FGrid->RowHeights(row)));
}

void TfrmvgColumnsEditor::RowHeightTracked(int Value)
{
    const int row = cmbRows->currentIndex();
    if (row < 0 || row >= FGrid->RowCount())
        return;
    FGrid->SetRowHeights(row, Value);
    edtRowHeight->setText(QString::number(Value));
}

void TfrmvgColumnsEditor::RowHeightEntered()
{
    const int row = cmbRows->currentIndex();
    if (const std::optional<int> height = EnteredExtent(*edtRowHeight); height && row >= 0 && row < FGrid->RowCount())
        FGrid->SetRowHeights(row, *height);
    ShowRowHeight();
    edtRowHeight->selectAll();
}

} // namespace vg
