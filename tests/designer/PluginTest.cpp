// The plugin loaded as Qt Designer loads it: its description, its widget, its task menu
// driving the columns editor, and a form it set up, read back by QUiLoader.
#include "FormProperties.h"
#include "support/ModalDriver.h"

#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiTools/QUiLoader>

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamWriter>

#include <gtest/gtest.h>

namespace {

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A form editor core with the extension manager Designer gives its plugins.
struct TCore : QDesignerFormEditorInterface {
    TCore() { setExtensionManager(new QExtensionManager(this)); }
};

// One plugin and one designer core for all tests, as in Designer.
struct TDesignerSession {
    QPluginLoader Loader{QStringLiteral(VELKOGRID_PLUGIN_FILE)};
    QDesignerCustomWidgetInterface* Plugin = nullptr;
    TCore Core;
    bool WasInitialized = true;

    TDesignerSession()
    {
        if (!Loader.load())
            return;
        Plugin = qobject_cast<QDesignerCustomWidgetInterface*>(Loader.instance());
        if (!Plugin)
            return;
        WasInitialized = Plugin->isInitialized();
        Plugin->initialize(&Core);
    }
    static TDesignerSession& Get()
    {
        static TDesignerSession session;
        return session;
    }
};

QList<QAction*> TaskActions(QWidget* widget)
{
    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(TDesignerSession::Get().Core.extensionManager(), widget);
    return menu ? menu->taskActions() : QList<QAction*>();
}

template <class T>
T* Control(QWidget* dialog, const char* name)
{
    T* control = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// A property's element in a .ui file as Designer writes it: its kind and its text. Flags
// are their keys with their scope, in Designer's (alphabetical) order.
std::pair<QString, QString> StoredValue(QWidget* widget, const QByteArray& name)
{
    const QMetaProperty property = widget->metaObject()->property(widget->metaObject()->indexOfProperty(name));
    const QVariant value = property.read(widget);
    if (property.isFlagType()) {
        const QMetaEnum flags = property.enumerator();
        QStringList keys;
        for (int i = 0; i < flags.keyCount(); ++i)
            if (value.toInt() & flags.value(i))
                keys << QString::fromLatin1(flags.scope()) + QStringLiteral("::") + QString::fromLatin1(flags.key(i));
        keys.sort();
        return {QStringLiteral("set"), keys.join(u'|')};
    }
    switch (value.typeId()) {
    case QMetaType::Int: return {QStringLiteral("number"), QString::number(value.toInt())};
    case QMetaType::QByteArray: return {QStringLiteral("cstring"), QString::fromUtf8(value.toByteArray())};
    default: return {QStringLiteral("string"), value.toString()};
    }
}

// The .ui text Designer writes for a form holding the grid with these properties changed.
QString FormText(QWidget* grid, const QList<QByteArray>& changed)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    xml.writeTextElement(QStringLiteral("class"), QStringLiteral("GridForm"));
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), QStringLiteral("QWidget"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("GridForm"));
    xml.writeStartElement(QStringLiteral("layout"));
    xml.writeAttribute(QStringLiteral("class"), QStringLiteral("QVBoxLayout"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("verticalLayout"));
    xml.writeStartElement(QStringLiteral("item"));
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), QString::fromLatin1(grid->metaObject()->className()));
    xml.writeAttribute(QStringLiteral("name"), grid->objectName());
    for (const QByteArray& name : changed) {
        xml.writeStartElement(QStringLiteral("property"));
        xml.writeAttribute(QStringLiteral("name"), QString::fromLatin1(name));
        xml.writeAttribute(QStringLiteral("stdset"), QStringLiteral("0")); // no setName() setter
        const auto [kind, text] = StoredValue(grid, name);
        xml.writeTextElement(kind, text);
        xml.writeEndElement();
    }
    xml.writeEndElement(); // widget
    xml.writeEndElement(); // item
    xml.writeEndElement(); // layout
    xml.writeEndElement(); // widget
    xml.writeStartElement(QStringLiteral("customwidgets"));
    xml.writeStartElement(QStringLiteral("customwidget"));
    xml.writeTextElement(QStringLiteral("class"), QString::fromLatin1(grid->metaObject()->className()));
    xml.writeTextElement(QStringLiteral("extends"), QStringLiteral("QAbstractScrollArea"));
    xml.writeTextElement(QStringLiteral("header"), TDesignerSession::Get().Plugin->includeFile());
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("resources"));
    xml.writeEmptyElement(QStringLiteral("connections"));
    xml.writeEndElement(); // ui
    xml.writeEndDocument();
    return text;
}

} // namespace

TEST(DesignerPlugin, DescribesTheGridAsDesignerLoadsIt)
{
    TDesignerSession& session = TDesignerSession::Get();
    ASSERT_NE(session.Plugin, nullptr) << session.Loader.errorString().toStdString();
    EXPECT_EQ(session.Loader.metaData().value(QStringLiteral("IID")).toString(),
              QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetInterface"));
    QDesignerCustomWidgetInterface& plugin = *session.Plugin;
    EXPECT_FALSE(session.WasInitialized);
    EXPECT_TRUE(plugin.isInitialized());
    EXPECT_EQ(plugin.name(), QStringLiteral("vg::TVelkoGrid"));
    EXPECT_EQ(plugin.group(), QStringLiteral("Karrow"));
    EXPECT_EQ(plugin.includeFile(), QStringLiteral("VelkoGrid/VelkoGrid.h"));
    EXPECT_FALSE(plugin.isContainer());
    EXPECT_TRUE(plugin.icon().availableSizes().contains(QSize(24, 24)));
    const QImage icon = plugin.icon().pixmap(24, 24).toImage();
    EXPECT_EQ(icon.size(), QSize(24, 24));
    EXPECT_NE(icon.pixelColor(12, 12), icon.pixelColor(12, 6)); // a picture, not a blank square

    // The widget box's XML names the class and gives it a size.
    QXmlStreamReader xml(plugin.domXml());
    QString widgetClass;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"widget")
            widgetClass = xml.attributes().value(QLatin1String("class")).toString();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(widgetClass, plugin.name());

    QWidget form;
    QWidget* grid = plugin.createWidget(&form);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->parentWidget(), &form);
    EXPECT_STREQ(grid->metaObject()->className(), "vg::TVelkoGrid");
    EXPECT_EQ(grid->property("Version").toString(), QStringLiteral("2.12"));
    QStringList texts;
    for (QAction* action : TaskActions(grid))
        texts << action->text();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Edit Columns\u2026"), QStringLiteral("Edit Headings\u2026"),
                                  QStringLiteral("Author\u2026")}));
    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(session.Core.extensionManager(), grid);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->preferredEditAction(), TaskActions(grid).first()); // what a double-click does
}

// Columns and headings set up through the task menu's columns editor; the form Designer
// writes for it is the checked-in GridForm.ui, which QUiLoader reads back to the same grid
// (and uic builds the same grid, in the uic test).
TEST(DesignerPlugin, AFormSetUpThroughThePluginReadsBackThroughQUiLoader)
{
    TDesignerSession& session = TDesignerSession::Get();
    ASSERT_NE(session.Plugin, nullptr);
    QWidget form;
    QWidget* grid = session.Plugin->createWidget(&form);
    grid->setObjectName(QStringLiteral("velkoGrid"));
    const QVariant untouched = grid->property("Columns");

    // Cancel changes nothing.
    vg::test::WhenModal([](QWidget* dialog) {
        QTest::mouseClick(Control<QPushButton>(dialog, "btnNew"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    });
    TaskActions(grid).at(0)->trigger();
    EXPECT_EQ(grid->property("Columns"), untouched);

    QString openedOn;
    vg::test::WhenModal([&](QWidget* dialog) {
        QApplication::setActiveWindow(dialog); // focus moves only within the active window
        openedOn = Control<QTabWidget>(dialog, "pgcMain")->currentWidget()->objectName();
        QTest::mouseClick(Control<QPushButton>(dialog, "btnNewHeading"), Qt::LeftButton);
        auto* caption = Control<QPlainTextEdit>(dialog, "memHDCaption");
        caption->setFocus();
        caption->setPlainText(QStringLiteral("Amounts \u20ac"));
        Control<QPushButton>(dialog, "btnNewHeading")->setFocus(Qt::TabFocusReason);
        auto* columns = Control<QListWidget>(dialog, "lsvColumns");
        columns->setCurrentRow(2);
        Control<QPlainTextEdit>(dialog, "memCaption")->setPlainText(QStringLiteral("Price 'net'\nper unit"));
        Control<QComboBox>(dialog, "cmbHeadings")->setCurrentIndex(1);
        auto* width = Control<QLineEdit>(dialog, "edtColumnWidth");
        width->setText(QStringLiteral("90"));
        QTest::keyClick(width, Qt::Key_Return);
        Control<QComboBox>(dialog, "cmbFormats")->setCurrentIndex(1);
        columns->setCurrentRow(4);
        auto* visible = dialog->findChild<QAbstractButton*>(QStringLiteral("cbxVisible"));
        QTest::mouseClick(visible, Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dialog, "btnOk"), Qt::LeftButton);
    });
    TaskActions(grid).at(1)->trigger();
    EXPECT_EQ(openedOn, QStringLiteral("tbsHeadings"));
    EXPECT_NE(grid->property("Columns"), untouched);
    // Settings the property editor changes.
    grid->setProperty("RowCount", 7);
    // Options as Designer's check boxes set them: flags, stored as such, so no grid property
    // is a translatable string.
    const QMetaEnum options = grid->metaObject()->property(grid->metaObject()->indexOfProperty("Options")).enumerator();
    EXPECT_TRUE(grid->setProperty("Options", options.keysToValue("goFixedVertLine|goFixedHorzLine|goVertLine|goHorzLine|goEditing")));
    const QList<QByteArray> changed{"RowCount", "Headings", "Columns", "ColWidths", "Options"};

    const QString text = FormText(grid, changed);
    EXPECT_FALSE(text.contains(QStringLiteral("<string>")));
    QFile fixture(QStringLiteral(VELKOGRID_FORM_FILE));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    if (QString::fromUtf8(fixture.readAll()) != text) {
        QFile out(QStringLiteral(VELKOGRID_FORM_OUTPUT));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
        FAIL() << "The plugin now writes another form: compare " VELKOGRID_FORM_OUTPUT " with " VELKOGRID_FORM_FILE;
    }

    QUiLoader loader;
    loader.addPluginPath(QFileInfo(QStringLiteral(VELKOGRID_PLUGIN_FILE)).absolutePath());
    EXPECT_TRUE(loader.availableWidgets().contains(QStringLiteral("vg::TVelkoGrid")));
    ASSERT_TRUE(fixture.reset());
    std::unique_ptr<QWidget> loaded(loader.load(&fixture));
    ASSERT_NE(loaded, nullptr) << loader.errorString().toStdString();
    QWidget* back = loaded->findChild<QWidget*>(QStringLiteral("velkoGrid"));
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back->metaObject()->className(), "vg::TVelkoGrid");
    const QMap<QString, QString> stored = vg::test::FormProperties(fixture.fileName(), QStringLiteral("velkoGrid"));
    for (const QByteArray& name : changed) {
        EXPECT_EQ(back->property(name.constData()), grid->property(name.constData())) << name.constData();
        EXPECT_EQ(StoredValue(back, name).second, stored.value(QString::fromLatin1(name))) << name.constData();
    }
    EXPECT_TRUE(stored.value(QStringLiteral("Columns")).contains(QStringLiteral("'Price ''net'''#10'per unit'")));

    // The same form as saved while the options were text reads back to the same grid.
    QFile older(QStringLiteral(VELKOGRID_TEXT_FORM_FILE));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> olderForm(loader.load(&older));
    ASSERT_NE(olderForm, nullptr) << loader.errorString().toStdString();
    QWidget* olderGrid = olderForm->findChild<QWidget*>(QStringLiteral("velkoGrid"));
    ASSERT_NE(olderGrid, nullptr);
    for (const QByteArray& name : changed)
        EXPECT_EQ(olderGrid->property(name.constData()), grid->property(name.constData())) << name.constData();
}
