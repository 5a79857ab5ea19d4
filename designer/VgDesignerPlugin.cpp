#include "VgDesignerPlugin.h"

#include "VgDesignerTaskMenu.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

namespace vg {

TVelkoGridDesignerPlugin::TVelkoGridDesignerPlugin(QObject* parent)
    : QObject(parent)
{
}

QString TVelkoGridDesignerPlugin::name() const
{
    return QStringLiteral("vg::TVelkoGrid");
}

QString TVelkoGridDesignerPlugin::group() const
{
    return VelkoGridPaletteGroup();
}

QIcon TVelkoGridDesignerPlugin::icon() const
{
    return VelkoGridIcon();
}

QString TVelkoGridDesignerPlugin::toolTip() const
{
    return QStringLiteral("String grid with a column model");
}

QString TVelkoGridDesignerPlugin::whatsThis() const
{
    return QStringLiteral("A string grid whose columns and headings are edited in the columns editor "
                          "(double-click the grid, or Edit Columns in its context menu).");
}

QString TVelkoGridDesignerPlugin::includeFile() const
{
    return QStringLiteral("VelkoGrid/VelkoGrid.h");
}

QString TVelkoGridDesignerPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++" displayname="TVelkoGrid">
 <widget class="vg::TVelkoGrid" name="velkoGrid">
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>400</width>
    <height>200</height>
   </rect>
  </property>
 </widget>
</ui>
)");
}

void TVelkoGridDesignerPlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (FCore)
        return;
    FCore = core;
    if (QExtensionManager* manager = core->extensionManager())
        manager->registerExtensions(new TVelkoGridTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
}

QWidget* TVelkoGridDesignerPlugin::createWidget(QWidget* parent)
{
    auto* grid = new TVelkoGrid(parent);
    if (FCore)
        grid->SetDesigning(true);
    return grid;
}

} // namespace vg
