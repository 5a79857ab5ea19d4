// A program that removes column objects directly: the grid must stay described by its
// objects, and no column may take another column's cells.
#include "grid/VgGrid.h"

#include "platform/core/Exceptions.h"

#include <random>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// The plain model: column objects in collection order, and per grid column the tag its
// cells were written with ("" for a column that never had cells).
struct TModelColumn {
    QString Caption;
    bool Visible = true;
    QString HiddenTag; // the cells a hidden column keeps
};

struct VelkoGridColumnSync : ::testing::Test {
    TVelkoGrid Grid;
    std::vector<TModelColumn> Objects;
    std::vector<QString> GridTags;
    int NextCaption = 0;

    void SetUp() override
    {
        Grid.SetRowCount(3);
        for (int col = 0; col < Grid.ColCount(); ++col) {
            const QString caption = NewCaption();
            (*Grid.Columns())[col]->SetCaption(caption);
            WriteCells(col, caption);
            Objects.push_back({caption, true, {}});
            GridTags.push_back(caption);
        }
    }

    QString NewCaption() { return QStringLiteral("C%1").arg(NextCaption++); }
    void WriteCells(int col, const QString& tag)
    {
        for (int row = 0; row < Grid.RowCount(); ++row)
            Grid.SetCells(col, row, tag + u':' + QString::number(row));
    }
    int VisibleBefore(size_t index) const
    {
        int n = 0;
        for (size_t i = 0; i < index; ++i)
            n += Objects[i].Visible ? 1 : 0;
        return n;
    }
    int VisibleCount() const { return VisibleBefore(Objects.size()); }

    // The model's answer to the last of the visible objects going while none is left.
    void KeepOneColumn()
    {
        if (VisibleCount() == 0)
            Objects.push_back({QString(), true, {}});
        GridTags.resize(std::min(GridTags.size(), size_t(VisibleCount())));
    }

    void ExpectInStep(int step)
    {
        ASSERT_EQ(Grid.ColCount(), int(GridTags.size())) << "step " << step;
        ASSERT_EQ(Grid.GetVisibleColumnCount(), Grid.ColCount()) << "step " << step;
        ASSERT_EQ(Grid.Columns()->Count(), int(Objects.size())) << "step " << step;
        int col = 0;
        for (size_t i = 0; i < Objects.size(); ++i) {
            const TvgColumn* item = (*Grid.Columns())[int(i)];
            ASSERT_EQ(item->Caption(), Objects[i].Caption) << "step " << step;
            ASSERT_EQ(item->Visible(), Objects[i].Visible) << "step " << step;
            if (!item->Visible())
                continue;
            const QString& tag = GridTags[size_t(col)];
            for (int row = 0; row < Grid.RowCount(); ++row)
                ASSERT_EQ(Grid.Cells(col, row), tag.isEmpty() ? QString() : tag + u':' + QString::number(row))
                    << "step " << step << ", column " << col;
            ++col;
        }
    }
};

} // namespace

TEST_F(VelkoGridColumnSync, ADeletedColumnTakesItsOwnCellsAndWidthAlong)
{
    Grid.SetColWidths(3, 91);
    Grid.Columns()->Delete(2);
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.Cells(2, 1), QStringLiteral("C3:1"));
    EXPECT_EQ(Grid.ColWidths(2), 91);
    EXPECT_EQ(Grid.GetVisibleColumn(2)->Caption(), QStringLiteral("C3"));

    // delete works the same as Delete.
    delete (*Grid.Columns())[3];
    EXPECT_EQ(Grid.ColCount(), 3);
    EXPECT_EQ(Grid.GetVisibleColumn(2)->Caption(), QStringLiteral("C3"));
    Grid.grab(); // painting finds an object for every column
}

TEST_F(VelkoGridColumnSync, TheOnlyColumnKeepsItsCellsUnderANewObject)
{
    Grid.SetColumnCount(1);
    Grid.Columns()->Delete(0);
    ASSERT_EQ(Grid.ColCount(), 1);
    ASSERT_EQ(Grid.Columns()->Count(), 1);
    EXPECT_EQ(Grid.GetVisibleColumn(0)->Caption(), QString());
    EXPECT_EQ(Grid.Cells(0, 2), QStringLiteral("C0:2"));

    Grid.Columns()->Clear();
    EXPECT_EQ(Grid.Columns()->Count(), 1);
    EXPECT_EQ(Grid.Cells(0, 2), QStringLiteral("C0:2"));
}

// What the columns editor does: Assign within one update, then SetColCount. Cells stay at
// their places; the objects that now stand there describe them.
TEST_F(VelkoGridColumnSync, AnAssignedCollectionDescribesTheColumnsByPosition)
{
    TvgColumns work;
    work.Assign(Grid.Columns());
    work.Move(0, 2);
    work.Delete(4);
    Grid.Columns()->Assign(&work);
    Grid.SetColCount(Grid.GetVisibleColumnCount());
    ASSERT_EQ(Grid.ColCount(), 4);
    const QStringList captions{QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("C0"), QStringLiteral("C3")};
    for (int col = 0; col < 4; ++col) {
        EXPECT_EQ(Grid.GetVisibleColumn(col)->Caption(), captions[col]);
        EXPECT_EQ(Grid.Cells(col, 1), QStringLiteral("C%1:1").arg(col));
    }

    // Growing again by assignment adds empty columns at the end.
    work.Add()->SetCaption(QStringLiteral("new"));
    work.Add()->SetCaption(QStringLiteral("newer"));
    Grid.Columns()->Assign(&work);
    Grid.SetColCount(Grid.GetVisibleColumnCount());
    EXPECT_EQ(Grid.ColCount(), 6);
    EXPECT_EQ(Grid.Cells(3, 1), QStringLiteral("C3:1"));
    EXPECT_EQ(Grid.Cells(5, 1), QString());
}

// Random removals, hides, shows, additions and batch removals, checked against the model
// after every step: every grid column has its object and its own cells.
TEST_F(VelkoGridColumnSync, GridFollowsRandomRemovalsWithoutMixingCells)
{
    std::mt19937 random(13);
    auto pick = [&](size_t n) { return n > 0 ? size_t(random() % n) : size_t(0); };
    TvgColumns& columns = *Grid.Columns();
    for (int step = 0; step < 600; ++step) {
        const size_t k = pick(Objects.size());
        switch (pick(5)) {
        case 0: { // delete one object
            const bool wasVisible = Objects[k].Visible;
            const int col = VisibleBefore(k);
            columns.Delete(int(k));
            Objects.erase(Objects.begin() + std::ptrdiff_t(k));
            if (wasVisible) {
                if (GridTags.size() > 1)
                    GridTags.erase(GridTags.begin() + col);
                else
                    KeepOneColumn();
            }
            break;
        }
        case 1: { // hide or show
            TvgColumn* item = columns[int(k)];
            const int col = VisibleBefore(k);
            if (Objects[k].Visible) {
                if (GridTags.size() <= 1) {
                    EXPECT_THROW(item->SetVisible(false), EInvalidOperation);
                    break;
                }
                item->SetVisible(false);
                Objects[k].HiddenTag = GridTags[size_t(col)];
                GridTags.erase(GridTags.begin() + col);
            } else {
                item->SetVisible(true);
                GridTags.insert(GridTags.begin() + col, Objects[k].HiddenTag);
            }
            Objects[k].Visible = !Objects[k].Visible;
            break;
        }
        case 2: { // add, and bring the count in step
            const QString caption = NewCaption();
            columns.Add()->SetCaption(caption);
            Objects.push_back({caption, true, {}});
            Grid.SetColCount(Grid.GetVisibleColumnCount());
            WriteCells(Grid.ColCount() - 1, caption);
            GridTags.push_back(caption);
            break;
        }
        case 3: { // remove several within one update
            const size_t n = 1 + pick(std::min<size_t>(3, Objects.size()));
            WithinUpdate(columns, [&] {
                for (size_t i = 0; i < n && !Objects.empty(); ++i) {
                    const size_t at = pick(Objects.size());
                    columns.Delete(int(at));
                    Objects.erase(Objects.begin() + std::ptrdiff_t(at));
                }
            });
            KeepOneColumn();
            break;
        }
        default:
            if (Objects.size() < 3)
                break; // keep enough to delete from
            continue;
        }
        ExpectInStep(step);
        if (HasFatalFailure())
            return;
    }
}
