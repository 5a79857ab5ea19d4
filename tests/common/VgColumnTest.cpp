#include "common/VgColumn.h"
#include "platform/core/ClassRegistry.h"
#include "platform/core/Component.h"
#include "platform/core/Filer.h"
#include "platform/core/FormFile.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

using namespace vg;

namespace {

// Records what items report to their collection.
struct TReports {
    std::vector<std::pair<TvgHeading*, TvgProperty>> Calls;
    void Listen(TvgHeadings& collection)
    {
        collection.OnPropertyChange = [this](TvgHeading* column, TvgProperty prop) { Calls.emplace_back(column, prop); };
    }
};

// A component that owns a column and a heading collection, to store them in form files.
class TColumnsHolder : public TComponent {
    VG_CLASS(TColumnsHolder)
public:
    explicit TColumnsHolder(TComponent* owner = nullptr) : TComponent(owner) {}
    TvgColumns* Columns() const { return FColumns.get(); }
    TvgHeadings* Headings() const { return FHeadings.get(); }

private:
    std::unique_ptr<TvgColumns> FColumns = std::make_unique<TvgColumns>();
    std::unique_ptr<TvgHeadings> FHeadings = std::make_unique<TvgHeadings>();
};

} // namespace

const TClassInfo& TColumnsHolder::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TColumnsHolder>("TColumnsHolder", &TComponent::StaticClassInfo())
                                       .Object("Columns", &TColumnsHolder::Columns)
                                       .Object("Headings", &TColumnsHolder::Headings)
                                       .Build();
    return info;
}

TEST(VgColumns, AddGivesTheFirstFreeAutomaticName)
{
    TvgColumns columns;
    EXPECT_EQ(columns.Add()->Name(), "Column 1");
    EXPECT_EQ(columns.Add()->Name(), "Column 2");
    EXPECT_EQ(columns.Add()->Name(), "Column 3");
    columns.Delete(1);
    EXPECT_EQ(columns.Add()->Name(), "Column 2");
    EXPECT_EQ(columns.Count(), 3);

    // Items made by the plain collection mechanism stay unnamed.
    EXPECT_EQ(columns.TCollection::Add()->ClassName(), "TvgColumn");
    EXPECT_EQ(columns.GetColumn(3)->Name(), "");
    EXPECT_THROW(columns.GetColumn(4), EListError);
    EXPECT_THROW(columns.GetColumn(-1), EListError);
}

TEST(VgColumns, AutomaticNamesFollowEveryRenameDeleteAndCopy)
{
    // Against the rule itself, over a random run of the changes that free or take names.
    std::mt19937 random(3);
    TvgColumns columns;
    TvgColumns other;
    other.Add();
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int step = 0; step < 1500; ++step) {
        const int count = columns.Count();
        switch (count == 0 ? 0 : pick(6)) {
        case 0:
        case 1: {
            int n = 1;
            while (columns.ColumnNameExists(QStringLiteral("Column %1").arg(n)))
                ++n;
            ASSERT_EQ(columns.Add()->Name(), QStringLiteral("Column %1").arg(n)) << step;
            break;
        }
        case 2:
            columns.Delete(pick(count));
            break;
        case 3: {
            const QString name = pick(2) ? QStringLiteral("Column %1").arg(pick(count + 3) + 1)
                                         : QStringLiteral("Column 0%1").arg(pick(9));
            if (!columns.ColumnNameExists(name))
                columns.GetColumn(pick(count))->SetName(name);
            break;
        }
        case 4:
            other.GetColumn(0)->SetName(QStringLiteral("Column %1").arg(pick(count + 2) + 1));
            columns.GetColumn(pick(count))->Assign(other.GetColumn(0));
            break;
        default:
            columns.Move(pick(count), pick(count));
        }
    }
}

TEST(VgColumns, NamesAreUniqueCaseSensitively)
{
    TvgColumns columns;
    TReports reports;
    reports.Listen(columns);
    columns.Add();
    TvgColumn* second = columns.Add();

    second->SetName("column 1");
    EXPECT_EQ(second->Name(), "column 1");
    EXPECT_THROW(second->SetName("Column 1"), EvgColumnNameExists);
    EXPECT_EQ(second->Name(), "column 1");
    EXPECT_NO_THROW(second->SetName("column 1")) << "an item's own name is no conflict";
    EXPECT_TRUE(reports.Calls.empty()) << "renaming reports nothing";

    TvgColumn loose(nullptr);
    loose.SetName("Column 1");
    EXPECT_EQ(loose.Name(), "Column 1") << "an item outside a collection takes any name";
}

// What setting each published property reports, one row per property in declared order.
TEST(VgColumns, EveryPropertyChangeReportsAsDeclared)
{
    const std::vector<std::pair<QString, int>> expected = {
        // 0 = nothing, 1 = vgpropRefresh, 2 = vgpropVisible
        {"Caption", 1}, {"Name", 0}, {"TitleHAlignment", 1}, {"TitleVAlignment", 1}, {"TitleColor", 1},
        {"TitleFont", 1}, {"TitleParentFont", 1}, {"TitleClipStyle", 1}, {"TitleInnerBevel", 1},
        {"TitleOuterBevel", 1}, {"TopBorder", 1}, {"BottomBorder", 1}, {"LeftBorder", 1}, {"RightBorder", 1},
        {"ControlType", 1}, {"Visible", 2}, {"ReadOnly", 1}, {"MaxTextLength", 1}, {"ColumnHAlignment", 1},
        {"ColumnVAlignment", 1}, {"ColumnColor", 1}, {"ColumnFont", 1}, {"ColumnParentFont", 1},
        {"ColumnClipStyle", 1}, {"ColumnInnerBevel", 1}, {"ColumnOuterBevel", 1}, {"Items", 0},
        {"AutoSuggest", 0}, {"ComboMaxWidth", 1}, {"DropDownCount", 1}, {"DropDownList", 0}, {"ButtonStyle", 1},
        {"ButtonPicture", 1}, {"DrawButtonface", 1}, {"ButtonVAlignment", 1}, {"HeadingIndex", 1},
        {"FormatType", 1}, {"Decimals", 1}, {"Prefix", 1}, {"ThousandsSeparator", 1},
        {"NegativeParenthesis", 1}, {"DateFormat", 1}, {"TimeFormat", 1}};

    const auto props = TvgColumn::StaticClassInfo().AllProperties();
    ASSERT_EQ(props.size(), expected.size());

    TvgColumns columns;
    TReports reports;
    reports.Listen(columns);
    TvgColumn* column = columns.Add();

    // Sub-objects are set through their setters, which copy a whole object in.
    TFont font;
    TvgBorder border;
    TStringList list({"x"});
    TPicture picture;
    const std::map<QString, std::function<void()>> objectSetters = {
        {"TitleFont", [&] { column->SetTitleFont(&font); }},
        {"ColumnFont", [&] { column->SetColumnFont(&font); }},
        {"TopBorder", [&] { column->SetTopBorder(&border); }},
        {"BottomBorder", [&] { column->SetBottomBorder(&border); }},
        {"LeftBorder", [&] { column->SetLeftBorder(&border); }},
        {"RightBorder", [&] { column->SetRightBorder(&border); }},
        {"Items", [&] { column->SetItems(&list); }},
        {"ButtonPicture", [&] { column->SetButtonPicture(&picture); }}};

    for (size_t i = 0; i < props.size(); ++i) {
        const TPropInfo& p = *props[i];
        SCOPED_TRACE(p.Name.toStdString());
        ASSERT_EQ(p.Name, expected[i].first) << "declared order";
        reports.Calls.clear();
        if (p.Kind == TPropKind::Object) {
            objectSetters.at(p.Name)();
        } else if (p.Kind == TPropKind::String) {
            p.SetString(*column, p.GetString(*column)); // the same text reports nothing
            EXPECT_TRUE(reports.Calls.empty());
            p.SetString(*column, p.GetString(*column) + "x");
        } else {
            p.SetOrdinal(*column, p.GetOrdinal(*column));
            EXPECT_TRUE(reports.Calls.empty()) << "an unchanged value reports nothing";
            const qint64 old = p.GetOrdinal(*column);
            const qint64 changed = p.Kind == TPropKind::Enumeration ? (old + 1) % p.Enum->Names.size() : (old ^ 1);
            p.SetOrdinal(*column, changed);
            EXPECT_EQ(p.GetOrdinal(*column), changed);
        }
        if (expected[i].second == 0) {
            EXPECT_TRUE(reports.Calls.empty());
        } else {
            ASSERT_EQ(reports.Calls.size(), 1u);
            EXPECT_EQ(reports.Calls[0].first, column);
            EXPECT_EQ(reports.Calls[0].second, expected[i].second == 2 ? vgpropVisible : vgpropRefresh);
        }
    }
}

TEST(VgColumns, NewItemsHaveTheirDocumentedValues)
{
    TvgColumns columns;
    TvgColumn* c = columns.Add();
    EXPECT_EQ(c->Caption(), "");
    EXPECT_EQ(c->TitleHAlignment(), taCenter);
    EXPECT_EQ(c->TitleVAlignment(), vgvaCenter);
    EXPECT_EQ(c->TitleColor(), clBtnFace);
    EXPECT_TRUE(c->TitleParentFont());
    EXPECT_EQ(c->TitleClipStyle(), vgclpWrap);
    EXPECT_EQ(c->TitleOuterBevel(), bvRaised);
    for (TvgBorder* b : {c->TopBorder(), c->BottomBorder(), c->LeftBorder(), c->RightBorder()})
        EXPECT_EQ(b->Style(), vgbrdNone);
    EXPECT_TRUE(c->ControlType().IsEmpty());
    EXPECT_TRUE(c->Visible());
    EXPECT_EQ(c->ColumnVAlignment(), vgvaTop);
    EXPECT_EQ(c->ColumnColor(), clWindow);
    EXPECT_EQ(c->ColumnClipStyle(), vgclpEllipsis);
    EXPECT_TRUE(c->AutoSuggest);
    EXPECT_EQ(c->DropDownCount(), 8);
    EXPECT_TRUE(c->DrawButtonface());
    EXPECT_EQ(c->ButtonVAlignment(), vgvaCenter);
    EXPECT_EQ(c->HeadingIndex(), -1);
    EXPECT_EQ(c->Decimals(), 2);
    EXPECT_TRUE(c->ThousandsSeparator());
    EXPECT_EQ(c->DateFormat(), 2);
    EXPECT_EQ(c->TimeFormat(), -1);
    EXPECT_EQ(c->SavedWidth, 64);
    EXPECT_TRUE(c->ButtonPicture()->IsEmpty());
}

TEST(VgColumns, ATouchedFontBecomesTheItemsOwnWithoutAReport)
{
    TvgColumns columns;
    TReports reports;
    reports.Listen(columns);
    TvgColumn* column = columns.Add();

    column->TitleFont()->SetStyle({fsBold});
    EXPECT_FALSE(column->TitleParentFont());
    EXPECT_TRUE(column->ColumnParentFont());
    column->ColumnFont()->SetHeight(-20);
    EXPECT_FALSE(column->ColumnParentFont());
    EXPECT_TRUE(reports.Calls.empty());

    // Back to the grid's font, but the item keeps its own font settings.
    column->SetTitleParentFont(true);
    EXPECT_TRUE(column->TitleFont()->Style().Contains(fsBold));

    TFont bigger;
    bigger.SetHeight(-30);
    column->SetTitleFont(&bigger);
    EXPECT_FALSE(column->TitleParentFont());
    EXPECT_EQ(column->TitleFont()->Height(), -30);
}

TEST(VgColumns, AssignCopiesByKindWithoutReports)
{
    TvgColumns columns;
    TReports reports;
    reports.Listen(columns);
    TvgColumn* target = columns.Add();
    target->SetDecimals(5);
    reports.Calls.clear();

    TvgHeadings headings;
    TvgHeading* heading = headings.Add();
    heading->SetCaption("Group");
    heading->SetTitleColor(clRed);
    heading->TopBorder()->SetStyle(vgbrdSolid);
    target->Assign(heading);
    EXPECT_EQ(target->Caption(), "Group");
    EXPECT_EQ(target->Name(), "Column 1");
    EXPECT_EQ(target->TitleColor(), clRed);
    EXPECT_EQ(target->TopBorder()->Style(), vgbrdSolid);
    EXPECT_EQ(target->Decimals(), 5) << "column properties stay as they were";
    EXPECT_TRUE(target->TitleParentFont()) << "equal fonts leave the flag alone";

    TvgColumns others;
    TvgColumn* source = others.Add();
    source->SetVisible(false);
    source->Items()->Add("a");
    source->Cols()->Add("cell");
    source->SavedWidth = 99;
    source->SetPrefix("$");
    source->TitleFont()->SetHeight(-40);
    target->Assign(source);
    EXPECT_FALSE(target->Visible());
    EXPECT_EQ(target->Items()->Text(), "a\n");
    EXPECT_EQ(target->Cols()->Text(), "cell\n");
    EXPECT_EQ(target->SavedWidth, 99);
    EXPECT_EQ(target->Prefix(), "$");
    EXPECT_FALSE(target->TitleParentFont()) << "a font that had to change is the item's own";
    EXPECT_TRUE(reports.Calls.empty());

    TStringList notAnItem;
    EXPECT_THROW(target->Assign(&notAnItem), EAssignError);
}

TEST(VgColumns, CollectionAssignKeepsNamesAndFiresOnAssignOnce)
{
    TvgColumns source;
    source.Add();
    source.Add()->SetName("Same");
    source.Add();
    source.GetColumn(2)->Assign(source.GetColumn(1)); // a duplicate name, as Assign allows

    TvgColumns target;
    target.Add();
    int assigned = 0;
    target.OnAssign = [&](TObject* sender) {
        EXPECT_EQ(sender, &target);
        ++assigned;
    };
    target.Assign(&source);
    EXPECT_EQ(assigned, 1);
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(target.GetColumn(0)->Name(), "Column 1");
    EXPECT_EQ(target.GetColumn(1)->Name(), "Same");
    EXPECT_EQ(target.GetColumn(2)->Name(), "Same");

    target.Move(0, 2);
    EXPECT_EQ(target.GetColumn(2)->Name(), "Column 1");
    EXPECT_THROW(target.Move(0, 3), EListError);
}

namespace {

QStringList PropertyNames(const TFormItem& item)
{
    QStringList names;
    for (const TFormProperty& p : item.Properties)
        names << p.Name;
    return names;
}

} // namespace

TEST(VgColumnsFormFile, StoresWhatEachKindOfColumnUsesAndReadsBackEqual)
{
    RegisterComponentClass<TColumnsHolder>();
    TColumnsHolder holder;
    holder.SetName("Holder");
    TvgColumns& columns = *holder.Columns();

    columns.Add()->SetCaption("Plain");

    TvgColumn* combo = columns.Add();
    combo->SetControlType({vgctlComboBox});
    combo->Items()->SetStrings({"one", "two 'quoted'"});
    combo->DropDownList = true;

    TvgColumn* button = columns.Add();
    button->SetControlType({vgctlButton});
    button->SetButtonStyle(vgbstCustom);
    QImage image(8, 6, QImage::Format_ARGB32);
    image.fill(Qt::red);
    button->ButtonPicture()->SetBitmap(image);
    TvgBorder doubleBorder;
    doubleBorder.SetStyle(vgbrdDouble);
    doubleBorder.SetWidth(2);
    button->SetRightBorder(&doubleBorder);

    TvgColumn* numeric = columns.Add();
    numeric->SetFormatType(vgfmtNumeric);
    numeric->SetPrefix("$");
    numeric->SetParenNegative(true);
    numeric->SetColumnHAlignment(taRightJustify);
    numeric->ColumnFont()->SetStyle({fsBold, fsItalic});

    TvgColumn* date = columns.Add();
    date->SetFormatType(vgfmtDateTime);
    date->SetTimeFormat(1);
    date->SetHeadingIndex(0);
    date->SetVisible(false);
    date->Cols()->Add("not stored");
    holder.Headings()->Add()->SetCaption("Group\nTwo lines");

    const QString text = WriteComponentToText(holder);
    const TFormObject tree = ParseFormText(text);
    const TFormValue& items = tree.Properties.at(0).Value;
    ASSERT_EQ(items.Items.size(), 5u);
    EXPECT_EQ(PropertyNames(items.Items[0]), QStringList({"Caption", "Name"}));
    EXPECT_EQ(PropertyNames(items.Items[1]),
              QStringList({"Name", "ControlType", "Items.Strings", "AutoSuggest", "ComboMaxWidth", "DropDownCount",
                           "DropDownList"}));
    EXPECT_EQ(PropertyNames(items.Items[2]),
              QStringList({"Name", "RightBorder.Style", "RightBorder.Width", "RightBorder.Color", "ControlType",
                           "ButtonStyle", "ButtonPicture.Data", "DrawButtonface", "ButtonVAlignment"}));
    EXPECT_EQ(PropertyNames(items.Items[3]),
              QStringList({"Name", "ColumnHAlignment", "ColumnFont.Name", "ColumnFont.Style", "ColumnParentFont", "FormatType", "Decimals",
                           "Prefix", "ThousandsSeparator", "NegativeParenthesis"}));
    EXPECT_EQ(PropertyNames(items.Items[4]),
              QStringList({"Name", "Visible", "HeadingIndex", "FormatType", "Decimals", "ThousandsSeparator",
                           "NegativeParenthesis", "DateFormat", "TimeFormat"}));

    std::unique_ptr<TComponent> read = ReadComponentFromText(text);
    auto* copy = dynamic_cast<TColumnsHolder*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(WriteComponentToText(*copy), text);
    EXPECT_EQ(copy->Name(), "Holder");
    TvgColumns& back = *copy->Columns();
    EXPECT_EQ(back.GetColumn(1)->Items()->ToStringList(), QStringList({"one", "two 'quoted'"}));
    EXPECT_TRUE(back.GetColumn(1)->DropDownList);
    EXPECT_TRUE(back.GetColumn(2)->ButtonPicture()->Equals(*button->ButtonPicture()));
    EXPECT_EQ(back.GetColumn(2)->RightBorder()->Style(), vgbrdDouble);
    EXPECT_EQ(back.GetColumn(3)->ColumnFont()->Style(), TFontStyles({fsBold, fsItalic}));
    EXPECT_FALSE(back.GetColumn(3)->ColumnParentFont());
    EXPECT_FALSE(back.GetColumn(4)->Visible());
    EXPECT_EQ(back.GetColumn(4)->Cols()->Count(), 0);
    EXPECT_EQ(copy->Headings()->GetColumn(0)->Caption(), "Group\nTwo lines");
}

TEST(VgColumnsFormFile, DuplicateNamesSurviveARoundTrip)
{
    RegisterComponentClass<TColumnsHolder>();
    TColumnsHolder holder;
    holder.Columns()->Add()->SetName("Twin");
    holder.Columns()->Add();
    holder.Columns()->GetColumn(1)->Assign(holder.Columns()->GetColumn(0));

    std::unique_ptr<TComponent> read = ReadComponentFromText(WriteComponentToText(holder));
    auto* copy = static_cast<TColumnsHolder*>(read.get());
    EXPECT_EQ(copy->Columns()->GetColumn(0)->Name(), "Twin");
    EXPECT_EQ(copy->Columns()->GetColumn(1)->Name(), "Twin");
}

TEST(VgColumnsFormFile, RefusesValuesOfTheWrongType)
{
    RegisterComponentClass<TColumnsHolder>();
    const QString bad = "object H: TColumnsHolder\n  Columns = <\n    item\n      FormatType = vgfmtBogus\n    end>\nend\n";
    try {
        ReadComponentFromText(bad);
        FAIL() << "an unknown enumeration value was accepted";
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().startsWith("Line 4:")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("vgfmtBogus"));
    }
}
