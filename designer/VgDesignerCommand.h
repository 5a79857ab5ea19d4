// One change of a grid's columns, headings, widths or heights on a Designer form, as an
// undoable step. The values travel through the form's property sheet, so Designer marks
// them changed and writes them to the .ui file.
#pragma once

#include <QPointer>
#include <QUndoCommand>
#include <QVariant>

class QDesignerFormWindowInterface;

namespace vg {

class TVelkoGrid;

class TGridDesignCommand : public QUndoCommand {
public:
    // The properties a step carries, in the order they are applied.
    static const QList<QByteArray>& Properties();
    // The grid's values of Properties().
    static QVariantList Snapshot(const TVelkoGrid* Grid);

    TGridDesignCommand(QDesignerFormWindowInterface* Form, TVelkoGrid* Grid, QVariantList Before, QVariantList After);

    void redo() override { Apply(FAfter); }
    void undo() override { Apply(FBefore); }

private:
    void Apply(const QVariantList& Values);

    QPointer<QDesignerFormWindowInterface> FForm;
    QPointer<TVelkoGrid> FGrid;
    QVariantList FBefore;
    QVariantList FAfter;
};

} // namespace vg
