// The grid as Qt Designer sees it: on the widget box under "Karrow", created on forms in
// design mode, with a task menu (and double-click) that opens the columns editor.
#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QObject>

class QDesignerFormEditorInterface;

namespace vg {

class TVelkoGridDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    explicit TVelkoGridDesignerPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QIcon icon() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    bool isContainer() const override { return false; }
    QString includeFile() const override;
    QString domXml() const override;

    // Only Designer initializes its plugins; QUiLoader creates widgets without it, which
    // are then run-time grids.
    bool isInitialized() const override { return FCore != nullptr; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QWidget* createWidget(QWidget* parent) override;

private:
    QDesignerFormEditorInterface* FCore = nullptr;
};

} // namespace vg
