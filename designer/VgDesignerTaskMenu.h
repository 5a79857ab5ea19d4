// The grid's task menu in Qt Designer: "Edit Columns…" (also what a double-click does),
// "Edit Headings…" and "Author…". Changes the columns editor makes reach the form as one
// undoable step each, which marks the form modified.
#pragma once

#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

#include <QPointer>

class QAction;

namespace vg {

class TVelkoGrid;

class TVelkoGridTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    TVelkoGridTaskMenu(TVelkoGrid* Grid, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void EditColumns(bool StartOnHeadings);
    void ShowAuthor();

    QPointer<TVelkoGrid> FGrid;
    QAction* FEditColumns;
    QAction* FEditHeadings;
    QAction* FAuthor;
};

class TVelkoGridTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT
public:
    explicit TVelkoGridTaskMenuFactory(QExtensionManager* parent = nullptr);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace vg
