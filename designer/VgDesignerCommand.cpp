#include "VgDesignerCommand.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

namespace vg {

const QList<QByteArray>& TGridDesignCommand::Properties()
{
    static const QList<QByteArray> names{"Headings", "Columns", "ColWidths", "RowHeights"};
    return names;
}

QVariantList TGridDesignCommand::Snapshot(const TVelkoGrid* Grid)
{
    QVariantList values;
    for (const QByteArray& name : Properties())
        values << Grid->property(name.constData());
    return values;
}

TGridDesignCommand::TGridDesignCommand(QDesignerFormWindowInterface* Form, TVelkoGrid* Grid, QVariantList Before,
                                       QVariantList After)
    : QUndoCommand(QStringLiteral("Edit columns of %1").arg(Grid->objectName()))
    , FForm(Form)
    , FGrid(Grid)
    , FBefore(std::move(Before))
    , FAfter(std::move(After))
{
}

void TGridDesignCommand::Apply(const QVariantList& Values)
{
    if (!FForm || !FGrid)
        return;
    auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(FForm->core()->extensionManager(), FGrid.data());
    for (qsizetype i = 0; i < Properties().size() && i < Values.size(); ++i) {
        const QString name = QString::fromLatin1(Properties().at(i));
        const int index = sheet ? sheet->indexOf(name) : -1;
        if (index >= 0) {
            sheet->setProperty(index, Values.at(i));
            sheet->setChanged(index, true);
        } else {
            FGrid->setProperty(Properties().at(i).constData(), Values.at(i));
        }
    }
    FGrid->update();
    FForm->emitSelectionChanged(); // the property editor shows the new values
}

} // namespace vg
