#include "ColumnModelPage.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vg::demo {

namespace {

// A component that owns a column and a heading collection, as the grid will.
class TDemoColumnSet : public TComponent {
    VG_CLASS(TDemoColumnSet)
public:
    TDemoColumnSet() { SetName(QStringLiteral("Orders")); }
    TvgColumns* Columns() const { return FColumns.get(); }
    TvgHeadings* Headings() const { return FHeadings.get(); }

private:
    std::unique_ptr<TvgColumns> FColumns = std::make_unique<TvgColumns>();
    std::unique_ptr<TvgHeadings> FHeadings = std::make_unique<TvgHeadings>();
};

const TClassInfo& TDemoColumnSet::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TDemoColumnSet>(QStringLiteral("TDemoColumnSet"), &TComponent::StaticClassInfo())
                                       .Object(QStringLiteral("Columns"), &TDemoColumnSet::Columns)
                                       .Object(QStringLiteral("Headings"), &TDemoColumnSet::Headings)
                                       .Build();
    return info;
}

void BuildSampleColumns(TDemoColumnSet& set)
{
    TvgHeading* customer = set.Headings()->Add();
    customer->SetCaption(QStringLiteral("Customer"));
    TvgHeading* amounts = set.Headings()->Add();
    amounts->SetCaption(QStringLiteral("Amounts"));

    TvgColumns& columns = *set.Columns();
    TvgColumn* name = columns.Add();
    name->SetCaption(QStringLiteral("Name"));
    name->SetHeadingIndex(0);

    TvgColumn* country = columns.Add();
    country->SetCaption(QStringLiteral("Country"));
    country->SetHeadingIndex(0);
    country->SetControlType({vgctlComboBox});
    country->Items()->SetStrings({QStringLiteral("Austria"), QStringLiteral("Czechia"), QStringLiteral("Slovakia")});

    TvgColumn* ordered = columns.Add();
    ordered->SetCaption(QStringLiteral("Ordered"));
    ordered->SetFormatType(vgfmtDateTime);
    ordered->SetDateFormat(8);

    TvgColumn* total = columns.Add();
    total->SetCaption(QStringLiteral("Total"));
    total->SetHeadingIndex(1);
    total->SetFormatType(vgfmtNumeric);
    total->SetPrefix(QStringLiteral("$"));
    total->SetParenNegative(true);
    total->SetColumnHAlignment(taRightJustify);
    total->ColumnFont()->SetStyle({fsBold});

    TvgColumn* ratio = columns.Add();
    ratio->SetCaption(QStringLiteral("Ratio"));
    ratio->SetHeadingIndex(1);
    ratio->SetFormatType(vgfmtScientific);
    ratio->SetDecimals(3);

    TvgColumn* notes = columns.Add();
    notes->SetCaption(QStringLiteral("Notes"));
    notes->SetControlType({vgctlButton});
    notes->SetVisible(false);
}

QString ControlText(const TvgColumn& column)
{
    QStringList parts;
    if (column.ControlType().Contains(vgctlComboBox))
        parts << QStringLiteral("drop-down");
    if (column.ControlType().Contains(vgctlButton))
        parts << QStringLiteral("button");
    return parts.join(QStringLiteral(", "));
}

QTableWidget* CreateColumnTable(const TDemoColumnSet& set)
{
    const QStringList headers = {QStringLiteral("Name"),    QStringLiteral("Caption"), QStringLiteral("Heading"),
                                 QStringLiteral("Visible"), QStringLiteral("Controls"), QStringLiteral("Format")};
    const TvgColumns& columns = *set.Columns();
    auto* table = new QTableWidget(columns.Count(), int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < columns.Count(); ++row) {
        const TvgColumn& column = *columns.GetColumn(row);
        const int heading = column.HeadingIndex();
        const QStringList cells = {
            column.Name(),
            column.Caption(),
            heading >= 0 ? set.Headings()->GetColumn(heading)->Caption() : QString(),
            column.Visible() ? QStringLiteral("yes") : QStringLiteral("hidden"),
            ControlText(column),
            EnumInfo<TvgFormatType>().NameOf(column.FormatType()),
        };
        for (int col = 0; col < cells.size(); ++col)
            table->setItem(row, col, new QTableWidgetItem(cells.at(col)));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QString FormatSamples()
{
    const TDateTime ordered = EncodeDate(2026, 12, 7) + EncodeTime(14, 30, 0, 0);
    return QStringLiteral("Under your regional settings:  %1   %2   %3   %4")
        .arg(FormatFloat(QStringLiteral("\"$\"#,##0.00;(\"$\"#,##0.00)"), -1234.5),
             FormatFloat(QStringLiteral("0.000E+00"), 0.000271828),
             FormatDateTime(vgDateFormats[VgDateOrder()][8], ordered),
             FormatDateTime(vgTimeFormats[1], ordered));
}

} // namespace

QWidget* CreateColumnModelPage()
{
    TDemoColumnSet set;
    BuildSampleColumns(set);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(FormatSamples(), page));

    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->addWidget(CreateColumnTable(set));
    auto* formText = new QPlainTextEdit(WriteComponentToText(set));
    formText->setReadOnly(true);
    formText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    splitter->addWidget(formText);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);
    return page;
}

} // namespace vg::demo
