// Uses the installed headers and library through the one public header: the application
// object, a colour conversion that needs Qt Gui, a bitmap the library carries as a
// resource, and a column-model grid with a formatted column, so the include path, the link
// dependencies and the library's resources are all exercised. With the shared package it
// checks that it runs on the installed library, loaded by its SONAME; with --load-form it
// loads a form through the installed Designer plugin (QT_PLUGIN_PATH) and uses its grid.
#include <VelkoGrid/VelkoGrid.h>

#include <QApplication>
#include <QFileInfo>

#ifdef VELKOGRID_CONSUMER_LOADS_FORMS
#include <QBuffer>
#include <QtUiTools/QUiLoader>
#include <memory>
#endif

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

namespace {

// The file the library's code and data were loaded from is the installed shared library.
bool RunsOnTheInstalledLibrary()
{
#ifdef VELKOGRID_LIBRARY_FILE
    // An object of the library's own (never copied into the program, as exported data may be).
    Dl_info info{};
    if (dladdr(static_cast<const void*>(&vg::Application()), &info) == 0 || info.dli_fname == nullptr) {
        std::fprintf(stderr, "no shared object holds the library's application object\n");
        return false;
    }
    const QFileInfo loaded(QString::fromLocal8Bit(info.dli_fname));
    const QFileInfo installed(QStringLiteral(VELKOGRID_LIBRARY_FILE));
    if (loaded.fileName() != QStringLiteral(VELKOGRID_LIBRARY_SONAME)
        || loaded.canonicalFilePath() != installed.canonicalFilePath()) {
        std::fprintf(stderr, "the library was loaded from %s, not as %s from %s\n", info.dli_fname,
                     VELKOGRID_LIBRARY_SONAME, VELKOGRID_LIBRARY_FILE);
        return false;
    }
#endif
    return true;
}

#ifdef VELKOGRID_CONSUMER_LOADS_FORMS
// A form Designer saved, loaded at run time: the plugin creates the grid with the same
// library the program links, so the grid is the program's own class.
bool LoadsAFormThroughThePlugin()
{
    QByteArray form(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <layout class="QVBoxLayout" name="layout">
   <item>
    <widget class="vg::TVelkoGrid" name="grid">
     <property name="RowCount" stdset="0">
      <number>3</number>
     </property>
    </widget>
   </item>
  </layout>
 </widget>
 <customwidgets>
  <customwidget>
   <class>vg::TVelkoGrid</class>
   <extends>QAbstractScrollArea</extends>
   <header>VelkoGrid/VelkoGrid.h</header>
  </customwidget>
 </customwidgets>
</ui>
)");
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    const std::unique_ptr<QWidget> loaded(loader.load(&buffer));
    QWidget* widget = loaded ? loaded->findChild<QWidget*>(QStringLiteral("grid")) : nullptr;
    auto* grid = qobject_cast<vg::TVelkoGrid*>(widget);
    if (grid == nullptr) {
        std::fprintf(stderr, "the loaded form's grid is %s, not the program's vg::TVelkoGrid (plugins: %s)\n",
                     widget ? widget->metaObject()->className() : "missing",
                     qPrintable(loader.pluginPaths().join(u':')));
        return false;
    }
    grid->SetCells(1, 2, QStringLiteral("loaded"));
    if (grid->RowCount() != 3 || grid->Cells(1, 2) != QStringLiteral("loaded")) {
        std::fprintf(stderr, "the loaded grid does not keep its rows or cells\n");
        return false;
    }
    return true;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vg::Application();
    if (vg::StringToColor(QStringLiteral("clBtnFace")) != vg::clBtnFace) {
        std::fprintf(stderr, "colour names do not convert\n");
        return 1;
    }
    vg::TBitmap checkBox;
    try {
        checkBox.LoadFromResourceName(QStringLiteral("VG_CHECKBOX"));
    } catch (const vg::Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    if (checkBox.Width() != 20 || checkBox.Height() != 10) {
        std::fprintf(stderr, "the check-box bitmap has the wrong size\n");
        return 1;
    }
    vg::TVelkoGrid grid;
    grid.SetColumnCount(3);
    vg::TvgColumn* price = grid.GetVisibleColumn(2);
    price->SetFormatType(vg::vgfmtNumeric);
    grid.SetCells(2, 1, QStringLiteral("1234.5"));
    if (grid.GetDisplayText(2, 1).isEmpty()) {
        std::fprintf(stderr, "the grid shows nothing\n");
        return 1;
    }
    if (!RunsOnTheInstalledLibrary())
        return 1;
    if (argc > 1 && std::strcmp(argv[1], "--load-form") == 0) {
#ifdef VELKOGRID_CONSUMER_LOADS_FORMS
        if (!LoadsAFormThroughThePlugin())
            return 1;
#else
        std::fprintf(stderr, "built without Qt's UI tools: no form to load\n");
        return 1;
#endif
    }
    std::printf("VelkoGrid is usable\n");
    return 0;
}
