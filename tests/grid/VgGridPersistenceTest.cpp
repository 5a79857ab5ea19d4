#include "grid/VgGrid.h"

#include "common/VgCsv.h"
#include "platform/core/Exceptions.h"

#include "support/GridRows.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <functional>
#include <unistd.h>
#include <random>
#include <sys/resource.h>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

QByteArray Saved(TVelkoGrid& grid, int firstColumn, int firstRow)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    grid.SaveToStream(firstColumn, firstRow, buffer);
    return buffer.data();
}

void Load(TVelkoGrid& grid, int firstColumn, int firstRow, const QByteArray& text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    grid.LoadFromStream(firstColumn, firstRow, buffer);
}

QString Contents(const TVelkoGrid& grid)
{
    return test::ColumnObjectRows(grid).join(u'\n');
}

// A device that takes Room bytes and then refuses to write, or refuses to be read.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 room) : FRoom(room) {}
    QByteArray Written;

protected:
    qint64 readData(char*, qint64) override
    {
        setErrorString(QStringLiteral("the disk went away"));
        return -1;
    }
    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 n = std::min(size, FRoom - Written.size());
        if (n <= 0) {
            setErrorString(QStringLiteral("no space left"));
            return -1;
        }
        Written.append(data, n);
        return n;
    }

private:
    qint64 FRoom;
};

// A grid of four columns (one fixed) and four rows whose cells say where they are; the
// column object at index 2 is hidden.
struct GridContents : ::testing::Test {
    TVelkoGrid Grid;

    void SetUp() override
    {
        Grid.SetColumnCount(4);
        Grid.SetRowCount(4);
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 4; ++row)
                Grid.SetCells(col, row, QStringLiteral("%1%2").arg(QChar(u'a' + col)).arg(row));
        Item(2)->SetVisible(false);
    }
    TvgColumn* Item(int index) { return (*Grid.Columns())[index]; }
};

} // namespace

TEST(VelkoGridContents, SavesEveryColumnObjectQuotedFromTheFirstRowAndColumnOn)
{
    TVelkoGrid grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(3);
    grid.SetCells(0, 1, QStringLiteral("abc"));
    grid.SetCells(1, 1, QStringLiteral("say \"hi\""));
    EXPECT_EQ(Saved(grid, 0, 1), QByteArray("\"abc\",\"say \"\"hi\"\"\"\r\n\"\",\"\"\r\n"));
    EXPECT_EQ(Saved(grid, 1, 2), QByteArray("\"\"\r\n"));
    // Past the last row nothing is written; past the last column object, empty lines.
    EXPECT_EQ(Saved(grid, 0, 3), QByteArray());
    EXPECT_EQ(Saved(grid, 2, 1), QByteArray("\r\n\r\n"));
}

TEST_F(GridContents, HiddenColumnsAreSavedAndLoadedInTheirPlace)
{
    EXPECT_EQ(Saved(Grid, 1, 2), QByteArray("\"b2\",\"c2\",\"d2\"\r\n\"b3\",\"c3\",\"d3\"\r\n"));
    Load(Grid, 1, 1, "B1,C1,D1\r\n,C2");
    EXPECT_EQ(Contents(Grid), QStringLiteral("a0|b0|[c0]|d0\na1|B1|[C1]|D1\na2||[C2]|d2\na3|b3|[c3]|d3"));
    Item(2)->SetVisible(true);
    EXPECT_EQ(Grid.Cells(2, 2), QStringLiteral("C2"));
}

TEST_F(GridContents, LoadingGrowsRowsAndColumnsAsFarAsValuesReachAndKeepsTheRest)
{
    // Blank lines take up their rows; trailing ones add none. A long line adds visible
    // column objects after the hidden one.
    Load(Grid, 0, 2, "  a b ,\"c, d\" ,, e ,\r\n\r\n \r\nx\r\n\r\n\r\n");
    EXPECT_EQ(Grid.Columns()->Count(), 4);
    EXPECT_EQ(Grid.RowCount(), 6);
    Load(Grid, 3, 0, "1,2,3\r\n");
    ASSERT_EQ(Grid.Columns()->Count(), 6);
    EXPECT_EQ(Grid.ColCount(), 5);
    EXPECT_TRUE(Item(4)->Visible() && Item(5)->Visible());
    EXPECT_EQ(Contents(Grid), QStringLiteral("a0|b0|[c0]|1|2|3\n"
                                             "a1|b1|[c1]|d1||\n"
                                             "a b|c, d|[]|e||\n"
                                             "a3|b3|[c3]|d3||\n"
                                             "||[]|||\n"
                                             "x||[]|||"));
    EXPECT_EQ(Item(2)->Cols()->Count(), 6);

    // An empty text changes nothing; a text far below the last row adds rows up to it.
    const QString before = Contents(Grid);
    Load(Grid, 0, 1, QByteArray());
    EXPECT_EQ(Contents(Grid), before);
    Load(Grid, 0, 5000, "\"\"");
    EXPECT_EQ(Grid.RowCount(), 5001);
    EXPECT_EQ(Item(2)->Cols()->Count(), 5001);
}

TEST(VelkoGridContents, WideLinesAddTheirColumnsAtOnceUpToALimit)
{
    TVelkoGrid grid;
    QByteArray wide;
    for (int i = 0; i < 6000; ++i)
        wide += "v" + QByteArray::number(i) + ",";
    Load(grid, 0, 1, "a\r\n" + wide);
    ASSERT_EQ(grid.ColCount(), 6000);
    EXPECT_EQ(grid.Cells(5999, 2), QStringLiteral("v5999"));
    EXPECT_EQ((*grid.Columns())[5999]->Name(), QStringLiteral("Column 6000"));

    // A line that would make the grid absurdly wide is refused; the lines before it stay.
    EXPECT_THROW(Load(grid, 12000, 0, "x\r\n" + wide), EvgColumnIndexOutOfRange);
    EXPECT_EQ(grid.ColCount(), 12001);
    EXPECT_EQ(grid.Cells(12000, 0), QStringLiteral("x"));
}

// A load refused at a line keeps the lines before it, and the refused line's row only when
// a value of it went in; a line refused before its first value adds no row.
TEST(VelkoGridContents, ALoadRefusedAtALineAddsNoRowForIt)
{
    struct Case {
        const char* Name;
        int FirstColumn;
        int FirstRow;
        QByteArray Text;
        int Rows; // after the refusal, from 48
    };
    QByteArray wide;
    for (int i = 0; i < 20000; ++i)
        wide += "w,";
    const Case cases[] = {
        {"first value past the column limit, row past the end", 16385, 48, "x,\"y\"\r\n", 48},
        {"first value past the column limit, row far past the end", 16385, 60, "x\r\n", 48},
        {"second line too wide: the first stays, and the second with the values that had columns", 0, 48, "a\r\n" + wide, 50},
        {"third line too wide, starting past the end", 0, 50, "a\r\nb\r\n" + wide, 53},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TVelkoGrid grid;
        grid.SetRowCount(48);
        EXPECT_THROW(Load(grid, c.FirstColumn, c.FirstRow, c.Text), EvgColumnIndexOutOfRange);
        EXPECT_EQ(grid.RowCount(), c.Rows);
    }
}

TEST_F(GridContents, RandomCellTextsComeBackByteForByte)
{
    std::mt19937 random(4);
    const QString alphabet = QStringLiteral("ab ,\"\r\n\t\u00e9\u0416\u65e5\U0001F600");
    const auto text = [&] {
        QString s;
        for (int n = std::uniform_int_distribution<int>(0, 8)(random); n > 0; --n) {
            const int at = std::uniform_int_distribution<int>(0, int(alphabet.size()) - 2)(random);
            s += alphabet[at].isHighSurrogate() ? alphabet.mid(at, 2) : QString(alphabet[at]);
        }
        return s;
    };
    Grid.SetRowCount(60);
    for (int row = 0; row < Grid.RowCount(); ++row) {
        for (int col = 0; col < Grid.ColCount(); ++col)
            Grid.SetCells(col, row, text());
        Item(2)->Cols()->Put(row, text());
    }
    const QByteArray saved = Saved(Grid, 0, 0);

    TVelkoGrid copy;
    copy.SetColumnCount(4);
    (*copy.Columns())[2]->SetVisible(false);
    Load(copy, 0, 0, saved);
    EXPECT_EQ(Contents(copy), Contents(Grid));
    EXPECT_EQ(Saved(copy, 0, 0), saved);
}

TEST_F(GridContents, NegativeFirstColumnOrRowIsRefusedBeforeAnythingHappens)
{
    const QString before = Contents(Grid);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    EXPECT_THROW(Grid.SaveToStream(-1, 0, buffer), EvgColumnIndexOutOfRange);
    EXPECT_THROW(Grid.SaveToStream(0, -1, buffer), EvgRowIndexOutOfRange);
    EXPECT_EQ(buffer.size(), 0);
    buffer.write("x,y\r\n");
    buffer.seek(0);
    EXPECT_THROW(Grid.LoadFromStream(-1, 0, buffer), EvgColumnIndexOutOfRange);
    EXPECT_THROW(Grid.LoadFromStream(0, -1, buffer), EvgRowIndexOutOfRange);
    EXPECT_EQ(buffer.pos(), 0);
    const QString missing = QDir::temp().filePath(QStringLiteral("velkogrid-never-written.csv"));
    EXPECT_THROW(Grid.SaveToFile(0, -2, missing), EvgRowIndexOutOfRange);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(Contents(Grid), before);
}

TEST_F(GridContents, StreamsAreReadAndWrittenFromTheirPositionWithLineEndsKept)
{
    // A device in text mode would turn CR LF into LF on reading: the grid reads the bytes.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite | QIODevice::Text);
    buffer.write("head:");
    Grid.SaveToStream(3, 3, buffer);
    EXPECT_EQ(buffer.data(), QByteArray("head:\"d3\"\r\n"));
    EXPECT_TRUE(buffer.isTextModeEnabled());
    buffer.seek(5);
    Grid.SetCells(1, 1, QStringLiteral("\"x\r\ny\""));
    Grid.SaveToStream(1, 1, buffer);
    buffer.seek(5);
    Grid.LoadFromStream(0, 0, buffer);
    EXPECT_EQ(Grid.Cells(0, 0), QStringLiteral("\"x\r\ny\""));
}

TEST_F(GridContents, FailingStreamsRaiseAndNothingIsTakenAsDone)
{
    const QString before = Contents(Grid);
    FailingDevice device(20);
    device.open(QIODevice::ReadWrite);
    EXPECT_THROW(Grid.SaveToStream(0, 0, device), EWriteError);
    EXPECT_EQ(device.Written.size(), 20);
    EXPECT_THROW(Grid.LoadFromStream(0, 0, device), EReadError);
    EXPECT_EQ(Contents(Grid), before);

    // Devices that are closed, or open only the other way.
    QBuffer closed;
    EXPECT_THROW(Grid.SaveToStream(0, 9, closed), EWriteError);
    EXPECT_THROW(Grid.LoadFromStream(0, 0, closed), EReadError);
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_THROW(Grid.SaveToStream(0, 0, readOnly), EWriteError);
    EXPECT_EQ(Contents(Grid), before);
}

TEST_F(GridContents, FilesAreWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("grid.csv"));
    Grid.SaveToFile(0, 1, name);
    TVelkoGrid read;
    read.SetColumnCount(4);
    read.SetRowCount(2);
    (*read.Columns())[2]->SetVisible(false);
    read.LoadFromFile(0, 1, name);
    EXPECT_EQ(Saved(read, 0, 1), Saved(Grid, 0, 1));
    EXPECT_TRUE(Saved(read, 0, 0).startsWith("\"\",\"\",\"\",\"\"\r\n"));

    // A save that fails half-way, once the file may not grow past a few kilobytes: the old
    // file is still there, whole, and no temporary file is left behind.
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = old.readAll();
    old.close();
    Grid.SetRowCount(20'000);
    Grid.SetCells(1, 19'999, QStringLiteral("last"));
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{8192, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(Grid.SaveToFile(0, 0, name), EWriteError);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), oldBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("grid.csv")});

    // Files that cannot be created or opened.
    EXPECT_THROW(Grid.SaveToFile(0, 0, dir.filePath(QStringLiteral("no/such/folder.csv"))), EWriteError);
    EXPECT_THROW(Grid.LoadFromFile(0, 0, dir.filePath(QStringLiteral("missing.csv"))), EReadError);
}

TEST_F(GridContents, ClearEmptiesDataCellsAndHiddenColumns)
{
    Grid.Clear();
    EXPECT_EQ(Contents(Grid), QStringLiteral("a0|b0|[]|d0\na1||[]|\na2||[]|\na3||[]|"));
    EXPECT_EQ(Item(2)->Cols()->Count(), 4);
    EXPECT_EQ(Saved(Grid, 2, 3), QByteArray("\"\",\"\"\r\n"));
}

TEST_F(GridContents, ClearRangeEmptiesGridCellsInsideTheGridOnly)
{
    Grid.ClearRange({0, 0}, {1, 1}); // fixed cells too; the hidden column is no grid column
    EXPECT_EQ(Contents(Grid), QStringLiteral("||[c0]|d0\n||[c1]|d1\na2|b2|[c2]|d2\na3|b3|[c3]|d3"));
    const QString before = Contents(Grid);
    Grid.ClearRange({2, 1}, {1, 3}); // inverted: nothing
    const TGridCoord outside[][2] = {{{-1, 0}, {1, 1}}, {{0, 0}, {3, 1}}, {{0, 0}, {1, 4}}, {{2, -1}, {0, 0}}};
    for (const auto& range : outside)
        EXPECT_THROW(Grid.ClearRange(range[0], range[1]), EvgException) << range[0].X << "," << range[0].Y;
    EXPECT_EQ(Contents(Grid), before);
}

TEST(VelkoGridContents, LoadsIntoGridsWithShownColumnObjectsThatHaveNoGridColumnYet)
{
    // Column objects added directly, or grid columns set below the shown objects, leave
    // objects without a grid column until the grid is brought in step. A load that reaches
    // them, or past them, brings it in step first; one that stays before them does not.
    const auto fewerGridColumns = [](TVelkoGrid& grid) { grid.SetColCount(3); };
    const auto objectsAdded = [](TVelkoGrid& grid) {
        grid.Columns()->Add();
        grid.Columns()->Add();
    };
    const auto hiddenAmongThem = [](TVelkoGrid& grid) {
        (*grid.Columns())[3]->SetVisible(false);
        grid.SetColCount(2);
    };
    // A shown object removed within an update leaves the grid a column too many, which goes
    // from the end when the update ends.
    const auto removedWithinAnUpdate = [](TVelkoGrid& grid) {
        grid.Columns()->BeginUpdate();
        delete (*grid.Columns())[2];
    };
    const struct {
        std::function<void(TVelkoGrid&)> Setup;
        int FirstColumn, FirstRow;
        QByteArray Text;
        int Objects, GridColumns;
        QString Row;
    } cases[] = {
        {fewerGridColumns, 5, 1, "a,b,c\r\n", 8, 8, "|||||a|b|c"},
        {fewerGridColumns, 2, 1, "a,b,c,d\r\n", 6, 6, "||a|b|c|d"},
        {fewerGridColumns, 0, 1, "a,b,c", 5, 3, nullptr}, // reaches no object out of step
        {objectsAdded, 7, 1, "a,b,c", 10, 10, "|||||||a|b|c"},
        {objectsAdded, 5, 1, "a", 7, 7, "|||||a|"},
        {hiddenAmongThem, 1, 1, "a,b,c,d,e", 6, 5, "|a|b|[c]|d|e"},
        {removedWithinAnUpdate, 2, 1, "a,b,c", 5, 5, "||a|b|c"},
        {removedWithinAnUpdate, 3, 1, "a,b,c", 6, 6, "|||a|b|c"},
        {removedWithinAnUpdate, 0, 1, "a,b", 4, 4, "a|b||"},
    };
    for (const auto& c : cases) {
        TVelkoGrid grid;
        SCOPED_TRACE(c.Text.toStdString());
        c.Setup(grid);
        Load(grid, c.FirstColumn, c.FirstRow, c.Text);
        if (grid.Columns()->UpdateCount() > 0)
            grid.Columns()->EndUpdate();

        EXPECT_EQ(grid.Columns()->Count(), c.Objects);
        EXPECT_EQ(grid.ColCount(), c.GridColumns);
        if (!c.Row.isNull())
            EXPECT_EQ(test::ColumnObjectRows(grid).value(c.FirstRow), c.Row);
    }
}

TEST(VelkoGridContents, AnEditorOnAGridColumnWithoutItsObjectNeitherOpensNorRefusesALoad)
{
    // A shown object removed within an update leaves the last grid column without an
    // object until the update ends. An editor asked for there does not open; one open
    // there when it lost its object closes; and neither makes a load (whose added rows
    // would reload it) raise after its values went in.
    const struct {
        bool AlwaysShown;
        bool OpenBefore; // the editor was open on the last column before the object went
        int FirstColumn;
        QByteArray Text;
    } cases[] = {
        {true, false, 0, "a,b\r\nc,d\r\ne,f\r\n"},
        {true, true, 0, "a,b\r\nc,d\r\ne,f\r\n"},
        {false, true, 1, "a,b\r\nc,d\r\ne,f\r\n"},
        {false, false, 2, "a,b\r\nc,d\r\ne,f\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.AlwaysShown << c.OpenBefore << c.FirstColumn);
        TVelkoGrid grid;
        grid.SetRowCount(2);
        grid.SetOptions(grid.Options() + TGridOptions{goEditing});
        if (c.AlwaysShown)
            grid.SetOptions(grid.Options() + TGridOptions{goAlwaysShowEditor});
        (*grid.Columns())[1]->SetVisible(false); // a hidden object the load writes into
        grid.SetColCount(grid.GetVisibleColumnCount());
        grid.SetCol(grid.ColCount() - 1);
        grid.SetRow(1);
        if (c.OpenBefore)
            grid.ShowEditor();
        grid.Columns()->BeginUpdate();
        delete (*grid.Columns())[0];
        ASSERT_EQ(grid.ColCount(), grid.GetVisibleColumnCount() + 1);
        EXPECT_NO_THROW(grid.ShowEditor());
        EXPECT_NO_THROW(grid.SetRowCount(3));
        EXPECT_FALSE(grid.EditorMode());

        ASSERT_NO_THROW(Load(grid, c.FirstColumn, 1, c.Text));
        grid.Columns()->EndUpdate();
        EXPECT_EQ(grid.ColCount(), grid.GetVisibleColumnCount());
        EXPECT_EQ(grid.RowCount(), 4);
        // The first object is the hidden one.
        const auto row = [&c](const QString& first, const QString& second) {
            QStringList cells(4);
            cells[c.FirstColumn] = first;
            cells[c.FirstColumn + 1] = second;
            cells[0] = u'[' + cells[0] + u']';
            return cells.join(u'|');
        };
        EXPECT_EQ(test::ColumnObjectRows(grid).mid(1), (QStringList{row("a", "b"), row("c", "d"), row("e", "f")}));
    }
}

TEST(VelkoGridContents, LoadsAsFarAsRowsWithHeightsOfTheirOwnCanGo)
{
    // Growing ahead of the lines must not ask for more rows than the grid can have, which
    // are fewer once a row has a height of its own.
    TVelkoGrid grid;
    grid.SetRowHeights(0, 30);
    grid.SetRowCount(7'000'000);
    Load(grid, 0, 7'000'000, "appended\r\n");
    EXPECT_EQ(grid.RowCount(), 7'000'001);
    EXPECT_EQ(grid.Cells(0, 7'000'000), QStringLiteral("appended"));
    Load(grid, 0, 9'999'999, "last");
    EXPECT_EQ(grid.RowCount(), 10'000'000);
    // A line past that does not fit, and is refused with the rows as they were.
    EXPECT_THROW(Load(grid, 1, 9'999'999, "x\r\ny"), EInvalidOperation);
    EXPECT_EQ(grid.RowCount(), 10'000'000);
}

TEST(VelkoGridContents, ADeviceSizeIsAHintOnly)
{
    // A device may answer any size; a vast one is not taken at its word.
    class VastDevice : public QBuffer {
    public:
        qint64 size() const override { return qint64(1) << 40; }
    } device;
    device.setData("a,b\r\nc\r\n");
    device.open(QIODevice::ReadOnly);
    TVelkoGrid grid;
    grid.LoadFromStream(0, 0, device);
    EXPECT_EQ(test::ColumnObjectRows(grid).mid(0, 2), (QStringList{"a|b|||", "c||||"}));
}

TEST(VelkoGridContents, ATextForWhichMemoryRunsOutRaisesTheReadError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer cannot run under a limit of the address space";
#else
    // A device that never ends, read under a limit of the address space.
    class EndlessDevice : public QIODevice {
    public:
        bool isSequential() const override { return true; }

    protected:
        qint64 readData(char* data, qint64 size) override
        {
            std::memset(data, 'a', size_t(size));
            return size;
        }
        qint64 writeData(const char*, qint64) override { return -1; }
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QFile status(QStringLiteral("/proc/self/statm"));
            status.open(QIODevice::ReadOnly);
            const rlim_t used = status.readAll().split(' ').value(0).toULongLong() * rlim_t(getpagesize());
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = std::min(used + (rlim_t(512) << 20), limit.rlim_max);
            setrlimit(RLIMIT_AS, &limit);
            EndlessDevice device;
            device.open(QIODevice::ReadOnly);
            TVelkoGrid grid;
            try {
                grid.LoadFromStream(0, 0, device);
            } catch (const EReadError&) {
                std::_Exit(3);
            }
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(3), "");
#endif
}
