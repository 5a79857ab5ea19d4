#include "design/VgProp.h"

#include "design/VgAbout.h"
#include "design/VgReg.h"
#include "grid/VgGrid.h"

#include <QLabel>
#include <QPointer>

namespace vg {

TvgGridDesignEditor::TvgGridDesignEditor(TComponent* Component, TvgFormDesigner* Designer)
    : FComponent(Component)
    , FDesigner(Designer)
{
}

TVelkoGrid* TvgGridDesignEditor::EditedGrid() const
{
    return dynamic_cast<TVelkoGrid*>(FComponent);
}

void TvgGridDesignEditor::DesignerModified()
{
    if (FDesigner)
        FDesigner->Modified();
}

bool TvgGridDesignEditor::RunColumnsEditor(bool StartOnHeadings)
{
    TVelkoGrid* grid = EditedGrid();
    if (!grid)
        return false;
    QPointer<TfrmvgColumnsEditor> dialog = new TfrmvgColumnsEditor(this, grid->window());
    dialog->StartOnHeadings = StartOnHeadings;
    if (dialog->exec() != QDialog::Accepted)
        return false;
    DesignerModified();
    grid->InvalidateGrid();
    return true;
}

TVGColumnsPropertyEditor::TVGColumnsPropertyEditor(TComponent* Component, const QString& PropertyTypeName,
                                                   TvgFormDesigner* Designer)
    : TvgGridDesignEditor(Component, Designer)
    , FTypeName(PropertyTypeName)
{
}

QString TvgVersionEditor::GetValue() const
{
    auto* grid = dynamic_cast<TVelkoGrid*>(FComponent);
    return grid ? grid->Version() : QString();
}

QString TvgAuthorEditor::GetValue() const
{
    auto* grid = dynamic_cast<TVelkoGrid*>(FComponent);
    return grid ? grid->Author() : QString();
}

void TvgAuthorEditor::Edit()
{
    auto* grid = dynamic_cast<TVelkoGrid*>(FComponent);
    if (!grid)
        return;
    auto* form = new TvgAboutForm(grid->window());
    form->lblVersion->setText(QStringLiteral("Version ") + grid->Version());
    form->exec();
}

} // namespace vg
