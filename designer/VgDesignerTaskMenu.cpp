#include "VgDesignerTaskMenu.h"

#include "VgDesignerCommand.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QtDesigner/QDesignerFormWindowInterface>

#include <QAction>

namespace vg {

namespace {

// The form designer's side of the design-time editors: every change they report, and any
// width or height changed at once, goes on the form's undo stack. Outside a form window
// (a grid edited on its own) the grid simply keeps the change.
class TDesignerFormLink : public TvgFormDesigner {
public:
    explicit TDesignerFormLink(TVelkoGrid* Grid)
        : FGrid(Grid)
        , FBefore(TGridDesignCommand::Snapshot(Grid))
    {
    }

    void Modified() override
    {
        const QVariantList now = TGridDesignCommand::Snapshot(FGrid);
        if (now == FBefore)
            return;
        if (QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(FGrid))
            form->commandHistory()->push(new TGridDesignCommand(form, FGrid, FBefore, now));
        FBefore = now;
    }

private:
    TVelkoGrid* FGrid;
    QVariantList FBefore;
};

} // namespace

TVelkoGridTaskMenu::TVelkoGridTaskMenu(TVelkoGrid* Grid, QObject* parent)
    : QObject(parent)
    , FGrid(Grid)
    , FEditColumns(new QAction(QStringLiteral("Edit Columns\u2026"), this))
    , FEditHeadings(new QAction(QStringLiteral("Edit Headings\u2026"), this))
    , FAuthor(new QAction(QStringLiteral("Author\u2026"), this))
{
    connect(FEditColumns, &QAction::triggered, this, [this] { EditColumns(false); });
    connect(FEditHeadings, &QAction::triggered, this, [this] { EditColumns(true); });
    connect(FAuthor, &QAction::triggered, this, &TVelkoGridTaskMenu::ShowAuthor);
}

QAction* TVelkoGridTaskMenu::preferredEditAction() const
{
    return FEditColumns;
}

QList<QAction*> TVelkoGridTaskMenu::taskActions() const
{
    return {FEditColumns, FEditHeadings, FAuthor};
}

void TVelkoGridTaskMenu::EditColumns(bool StartOnHeadings)
{
    if (!FGrid)
        return;
    TDesignerFormLink link(FGrid);
    TVGColumnsPropertyEditor editor(FGrid, StartOnHeadings ? QStringLiteral("TvgHeadings") : QStringLiteral("TvgColumns"),
                                    &link);
    Application().GuardEvent([&] { editor.Edit(); });
    // Widths and heights act on the grid at once, even when the dialog is cancelled: they
    // become a step of their own.
    link.Modified();
}

void TVelkoGridTaskMenu::ShowAuthor()
{
    if (FGrid)
        TvgAuthorEditor(FGrid).Edit();
}

TVelkoGridTaskMenuFactory::TVelkoGridTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent)
{
}

QObject* TVelkoGridTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    if (auto* grid = qobject_cast<TVelkoGrid*>(object))
        return new TVelkoGridTaskMenu(grid, parent);
    return nullptr;
}

} // namespace vg
