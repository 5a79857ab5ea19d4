// The columns editor's headings page: the headings list, new and deleted headings, and
// the controls that edit the selected heading.
#include "design/VgDialog.h"

#include "design/VgColors.h"
#include "design/VgDialogLook.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vg {

namespace {

TvgLookButtons<TvgHeading> HeadingLook(const TfrmvgColumnsEditor& f)
{
    return {{f.sbnHHleft, f.sbnHHcenter, f.sbnHHRight},
            {f.sbnHVTop, f.sbnHVCenter, f.sbnHVBottom},
            {f.sbnHClip, f.sbnHEllipsis, f.sbnHWrap},
            f.sbnHInnerRaised, f.sbnHInnerLowered, f.sbnHOuterRaised, f.sbnHOuterLowered,
            &TvgHeading::SetTitleHAlignment, &TvgHeading::SetTitleVAlignment, &TvgHeading::SetTitleClipStyle,
            &TvgHeading::SetTitleInnerBevel, &TvgHeading::SetTitleOuterBevel};
}

} // namespace

TvgHeading* TfrmvgColumnsEditor::SelectedHeading() const
{
    QListWidgetItem* item = lbxHeadings->currentItem();
    const int row = item && item->isSelected() ? lbxHeadings->row(item) : -1;
    return row >= 0 && row < FWorkHeadings->Count() ? (*FWorkHeadings)[row] : nullptr;
}

void TfrmvgColumnsEditor::EditHeading(const std::function<void(TvgHeading&)>& Edit)
{
    if (FLoading)
        return;
    if (TvgHeading* heading = SelectedHeading())
        Edit(*heading);
}

void TfrmvgColumnsEditor::ConnectHeadingControls()
{
    HeadingLook(*this).Bind(this, [this](const std::function<void(TvgHeading&)>& Edit) { EditHeading(Edit); });
    connect(lbxHeadings, &QListWidget::itemSelectionChanged, this, &TfrmvgColumnsEditor::ShowHeading);
    connect(btnNewHeading, &QPushButton::clicked, this, &TfrmvgColumnsEditor::NewHeading);
    connect(sbnDeleteHeading, &QPushButton::clicked, this, &TfrmvgColumnsEditor::DeleteHeading);
    connect(sbnHColor, &QToolButton::clicked, this, [this] {
        if (TvgHeading* h = SelectedHeading())
            PickColor(QStringLiteral("Please select heading color"), h->TitleColor(), [this, h](TColor v) {
                h->SetTitleColor(v);
                ShowHeading();
            });
    });
    connect(sbnHFont, &QToolButton::clicked, this, [this] {
        if (TvgHeading* h = SelectedHeading())
            PickFont(*h->TitleFont());
    });
}

void TfrmvgColumnsEditor::FillHeadingLists()
{
    const int choice = cmbHeadings->currentIndex();
    {
        const QSignalBlocker blocker(cmbHeadings);
        cmbHeadings->clear();
        cmbHeadings->addItem(QStringLiteral("< None >"));
        for (int i = 0; i < FWorkHeadings->Count(); ++i)
            cmbHeadings->addItem((*FWorkHeadings)[i]->Caption());
        cmbHeadings->setCurrentIndex(choice >= 0 && choice < cmbHeadings->count() ? choice : 0);
    }
    const QSignalBlocker blocker(lbxHeadings);
    lbxHeadings->clear();
    for (int i = 0; i < FWorkHeadings->Count(); ++i)
        lbxHeadings->addItem((*FWorkHeadings)[i]->Caption());
    if (lbxHeadings->count() > 0)
        lbxHeadings->setCurrentRow(0);
}

void TfrmvgColumnsEditor::ShowHeading()
{
    TvgHeading* heading = SelectedHeading();
    pnlHeadingProperties->setEnabled(heading != nullptr);
    sbnDeleteHeading->setEnabled(heading != nullptr);
    FLoading = true;
    if (!heading) {
        memHDCaption->clear();
    } else {
        memHDCaption->setPlainText(heading->Caption());
        HeadingLook(*this).Load(heading->TitleHAlignment(), heading->TitleVAlignment(), heading->TitleClipStyle(),
                                heading->TitleInnerBevel(), heading->TitleOuterBevel());
        sbnHColor->setIcon(
            QIcon(TvgColorSelectForm::Swatch(heading->TitleColor(), sbnHColor->palette(), sbnHColor->iconSize().height())));
    }
    FLoading = false;
}

void TfrmvgColumnsEditor::NewHeading()
{
    TvgHeading* heading = FWorkHeadings->Add();
    heading->SetCaption(QStringLiteral("New heading"));
    cmbHeadings->addItem(heading->Caption());
    lbxHeadings->addItem(heading->Caption());
    lbxHeadings->setCurrentRow(lbxHeadings->count() - 1);
    ShowHeading();
    // The caption is selected, so typing replaces it.
    memHDCaption->setFocus(Qt::OtherFocusReason);
    memHDCaption->selectAll();
}

void TfrmvgColumnsEditor::DeleteHeading()
{
    TvgHeading* heading = SelectedHeading();
    if (!heading)
        return;
    const int index = heading->Index();
    // Columns under it lose their heading; those under later headings keep their numbers.
    bool selectedChanged = false;
    for (int i = 0; i < FWorkColumns->Count(); ++i) {
        TvgColumn* column = (*FWorkColumns)[i];
        if (column->HeadingIndex() == index) {
            column->SetHeadingIndex(-1);
            selectedChanged = selectedChanged || column == SelectedColumn();
        }
    }
    {
        const QSignalBlocker blocker(lbxHeadings);
        delete lbxHeadings->takeItem(index);
        lbxHeadings->clearSelection();
        if (lbxHeadings->count() > 0)
            lbxHeadings->setCurrentRow(std::min(index, lbxHeadings->count() - 1));
    }
    {
        const QSignalBlocker blocker(cmbHeadings);
        cmbHeadings->removeItem(index + 1);
    }
    delete heading;
    ShowHeading();
    if (selectedChanged)
        ShowColumn();
}

void TfrmvgColumnsEditor::HeadingCaptionEdited()
{
    TvgHeading* heading = SelectedHeading();
    if (!heading || heading->Caption() == memHDCaption->toPlainText())
        return;
    heading->SetCaption(memHDCaption->toPlainText());
    const int index = heading->Index();
    const QSignalBlocker listBlocker(lbxHeadings);
    lbxHeadings->item(index)->setText(heading->Caption());
    const QSignalBlocker comboBlocker(cmbHeadings);
    cmbHeadings->setItemText(index + 1, heading->Caption());
}

} // namespace vg
