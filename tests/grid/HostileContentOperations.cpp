// The hostile-application run's content calls of the column-model grid: CSV texts of every
// reader rule loaded from random columns and rows, datasets loaded the same way, saves
// read back by a plain reader, all of it also while the column objects are out of step
// with the grid columns (objects added and not yet given columns, objects removed within
// an update).
#include "HostileRun.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"
#include "platform/data/ItemModelDataSet.h"

#include <QBuffer>
#include <QStandardItemModel>

namespace vg::test {

namespace {

// Values of the kinds the reader treats differently: quotes inside, separators and line
// breaks inside, blanks at the ends, several bytes per character, and short ones that
// repeat in a column (which the reader shares).
QString CsvValue(std::mt19937& random)
{
    const QString values[] = {QString(), QStringLiteral("x"), QStringLiteral("x\"y"), QStringLiteral("x\"\"y"),
                              QStringLiteral("\""), QStringLiteral("a,b"), QStringLiteral(" padded "),
                              QStringLiteral("line\r\nbreak"), QStringLiteral("lone\rreturn"), QStringLiteral("1234.5"),
                              QStringLiteral("\u00e9t\u00e9"), QStringLiteral("\U0001F600"), QStringLiteral("tab\there"),
                              QStringLiteral("'q'"), QString(40, u'W'), QStringLiteral("city")};
    return values[random() % std::size(values)];
}

// Whether the reader takes the value back as it is without quotes: it must not be empty,
// begin with a quote, or hold a separator, a blank or a control character.
bool MayGoUnquoted(const QString& value)
{
    return !value.isEmpty() && value.front() != u'"' &&
           std::none_of(value.begin(), value.end(), [](QChar c) { return c == u',' || c.unicode() <= 32; });
}

// The values of a text as the writer writes it (every value quoted, CR LF after each
// line), read without the library; false when the text is not of that form.
bool ReadWrittenCsv(const QByteArray& bytes, QList<QStringList>& lines)
{
    const QString text = QString::fromUtf8(bytes);
    qsizetype at = 0;
    while (at < text.size()) {
        QStringList line;
        while (at < text.size() && text[at] == u'"') {
            QString value;
            for (++at;; ++at) {
                if (at >= text.size())
                    return false;
                if (text[at] == u'"') {
                    if (at + 1 < text.size() && text[at + 1] == u'"')
                        ++at;
                    else
                        break;
                }
                value += text[at];
            }
            ++at;
            line << value;
            if (at < text.size() && text[at] == u',')
                ++at;
        }
        if (text.mid(at, 2) != QStringLiteral("\r\n"))
            return false;
        at += 2;
        lines << line;
    }
    return true;
}

} // namespace

int THostileRun::FirstColumnForLoad()
{
    const int count = FVelkoGrid.Columns()->Count();
    const int roll = R(20);
    if (roll < 15)
        return R(count + 3);
    if (roll < 17)
        return count + R(8);
    // Refused: before anything is read, or at the first value (a column object past the
    // 16,384th).
    const int refused[] = {-1, INT_MIN, 16384 + R(3), INT_MAX};
    return refused[R(PathOn(THostilePath::LoadsRefusedPastTheColumnLimit) ? std::size(refused) : 2)];
}

int THostileRun::FirstRowForLoad()
{
    const int rows = FVelkoGrid.RowCount();
    const int roll = R(20);
    if (roll < 16)
        return R(std::min(rows + 2, 60));
    const int edges[] = {rows, -1, INT_MIN, INT_MAX};
    return edges[roll - 16];
}

std::vector<int> THostileRun::ItemIds()
{
    std::vector<int> ids;
    for (int i = 0; i < FVelkoGrid.Columns()->Count(); ++i)
        ids.push_back((*FVelkoGrid.Columns())[i]->ID());
    return ids;
}

void THostileRun::Load(const QList<QStringList>& lines, int firstColumn, int firstRow, const std::function<void()>& load)
{
    const std::vector<int> before = ItemIds();
    const int acts = FHandlerActs;
    try {
        load();
    } catch (const Exception&) {
        if (FHandlerActs != acts && firstColumn >= 0 && firstRow >= 0)
            ExpectLoaded(lines, firstColumn, firstRow, before, true);
        throw;
    }
    ExpectLoaded(lines, firstColumn, firstRow, before, FHandlerActs != acts);
}

bool THostileRun::ExpectLoaded(const QList<QStringList>& lines, int firstColumn, int firstRow,
                               const std::vector<int>& itemsBefore, bool partial)
{
    // The items the load stored into: those there before it, then those it added. A
    // handler that edited the items meanwhile made the load map its values again, by
    // position among the items as they then were: the values stored after it went to the
    // items in their places now.
    std::vector<int> ids = itemsBefore;
    for (const int id : ItemIds())
        if (std::find(itemsBefore.begin(), itemsBefore.end(), id) == itemsBefore.end())
            ids.push_back(id);
    if (!ExpectLoadedInto(ids, lines, firstColumn, firstRow, partial))
        return false;
    return !partial || ExpectLoadedInto(ItemIds(), lines, firstColumn, firstRow, true);
}

bool THostileRun::ExpectLoadedInto(const std::vector<int>& ids, const QList<QStringList>& lines, int firstColumn,
                                   int firstRow, bool partial)
{
    for (int k = 0; k < lines.size() && (long long)firstRow + k <= INT_MAX; ++k) {
        const int row = firstRow + k;
        for (int j = 0; j < lines[k].size(); ++j) {
            const QString& value = lines[k][j];
            const long long index = (long long)firstColumn + j;
            if (index >= (long long)ids.size()) {
                if (partial)
                    continue;
                Found(QStringLiteral("value %1 of line %2 (\"%3\") was accepted, but there is no column object %4")
                          .arg(j)
                          .arg(k)
                          .arg(value.left(40))
                          .arg(index));
                return false;
            }
            auto* item = static_cast<TvgColumn*>(FVelkoGrid.Columns()->FindItemID(ids[size_t(index)]));
            if (!item)
                continue; // a handler removed it
            if (!item->Visible()) {
                const auto hidden = FHidden.find(item->ID());
                const TStrings& kept = *item->Cols();
                if (hidden != FHidden.end() && (!partial || (row < kept.Count() && kept.Get(row) == value)))
                    hidden->second.Set(0, row, value);
                continue;
            }
            const int col = FVelkoGrid.GridColumnForColumnObject(item);
            const bool hasCell = col >= 0 && row < FVelkoGrid.RowCount();
            if (!hasCell && !partial) {
                Found(QStringLiteral("value %1 of line %2 (\"%3\") was accepted for item %4, row %5, which has no cell "
                                     "in a grid of %6 × %7")
                          .arg(j)
                          .arg(k)
                          .arg(value.left(40))
                          .arg(index)
                          .arg(row)
                          .arg(FVelkoGrid.ColCount())
                          .arg(FVelkoGrid.RowCount()));
                return false;
            }
            if (hasCell && (!partial || FVelkoGrid.Cells(col, row) == value))
                FVelkoState.Model.Set(col, row, value);
        }
    }
    return true;
}

QString THostileRun::LoadCsv(bool outOfStep)
{
    // Lines of values, a column or two drawing from a few values so that the reader
    // shares them from the seventeenth line on.
    QList<QStringList> lines;
    const int count = Chance(70) || !PathOn(THostilePath::CsvSharedValues) ? R(6) : 17 + R(16);
    const int width = R(7);
    std::vector<QString> few;
    for (int i = 0; i < 3; ++i)
        few.push_back(CsvValue(FRandom));
    for (int k = 0; k < count; ++k) {
        QStringList line;
        const int n = Chance(15) ? R(width + 2) : width;
        for (int j = 0; j < n; ++j)
            line << (j % 2 == 0 && Chance(80) ? few[size_t(R(3))] : CsvValue(FRandom));
        lines << line;
    }
    // The text, quoted or not wherever the reader allows both, with the line ends and
    // blanks it accepts.
    QByteArray text = Chance(10) ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (int k = 0; k < lines.size(); ++k) {
        const QStringList& line = lines[k];
        if (line.isEmpty()) {
            // An empty line, or one of blanks: a CR before it must not pair with its LF.
            text += Chance(50) ? "  \r\n" : "\r";
            continue;
        }
        for (int j = 0; j < line.size(); ++j) {
            if (j > 0)
                text += Chance(20) ? " , " : ",";
            const QString& value = line[j];
            if (MayGoUnquoted(value) && Chance(60))
                text += value.toUtf8();
            else
                text += '"' + QString(value).replace(u'"', QStringLiteral("\"\"")).toUtf8() + '"';
        }
        if (Chance(10))
            text += ',';
        const char* ends[] = {"\r\n", "\n", "\r"};
        if (k + 1 < lines.size() || Chance(70))
            text += ends[R(3)];
    }

    int firstColumn = FirstColumnForLoad();
    int firstRow = FirstRowForLoad();
    const bool afterMillions = !outOfStep && !HasHidden() && PathOn(THostilePath::LoadAfterMillionsOfRows) && Chance(4);
    if (afterMillions) {
        // Sizes of their own for millions of rows, and a load that adds a few more: it
        // fits, and must not be refused.
        FChangedAnyway = true;
        FVelkoGrid.SetRowHeights(0, 30);
        FVelkoGrid.SetRowCount(6700000 + R(300000));
        firstColumn = R(FVelkoGrid.Columns()->Count());
        firstRow = FVelkoGrid.RowCount();
    }
    Note(QStringLiteral("load at (%1, %2) of %3:\n%4")
             .arg(firstColumn)
             .arg(firstRow)
             .arg(QString::fromUtf8(text).left(300))
             .arg(text.size()));
    if (PathOn(THostilePath::HugeStreamSize) && Chance(5)) {
        // A device that claims far more than it holds.
        class TClaimingBuffer : public QBuffer {
        public:
            using QBuffer::QBuffer;
            qint64 size() const override { return qint64(1) << 40; }
        } device(&text);
        device.open(QIODevice::ReadOnly);
        Load(lines, firstColumn, firstRow, [&] { FVelkoGrid.LoadFromStream(firstColumn, firstRow, device); });
    } else {
        QBuffer device(&text);
        device.open(QIODevice::ReadOnly);
        try {
            Load(lines, firstColumn, firstRow, [&] { FVelkoGrid.LoadFromStream(firstColumn, firstRow, device); });
        } catch (const Exception& e) {
            if (afterMillions && e.Message() != HandlerMessage)
                return Found(QStringLiteral("a load of %1 lines after %2 rows with sizes of their own was refused: %3")
                                 .arg(lines.size())
                                 .arg(firstRow)
                                 .arg(e.Message()));
            throw;
        }
    }
    return QStringLiteral("loaded %1 lines").arg(lines.size());
}

QString THostileRun::LoadDataSet(bool outOfStep)
{
    const int fields = Chance(90) ? 1 + R(5) : 0;
    const int records = R(9);
    QStandardItemModel model(records, fields);
    QStringList names;
    for (int f = 0; f < fields; ++f)
        names << (Chance(70) ? QStringLiteral("f%1").arg(f) : CsvValue(FRandom) + QString::number(f));
    model.setHorizontalHeaderLabels(names);
    QList<QStringList> lines;
    for (int r = 0; r < records; ++r) {
        QStringList line;
        for (int f = 0; f < fields; ++f) {
            line << CsvValue(FRandom);
            model.setItem(r, f, new QStandardItem(line.back()));
        }
        lines << line;
    }
    TItemModelDataSet dataSet(&model);
    // Read on from a record further on, as the dataset stands there.
    if (Chance(20) && records > 0) {
        dataSet.Open();
        for (int n = 1 + R(records); n > 0; --n) {
            dataSet.Next();
            lines.removeFirst();
        }
    }
    const bool includeNames = Chance(50);
    if (includeNames)
        lines.prepend(names);
    int firstColumn = FirstColumnForLoad();
    if (firstColumn > 16000)
        firstColumn = Chance(50) ? INT_MAX : TVelkoGrid::MaxColumnCount;
    const int firstRow = FirstRowForLoad();
    Note(QStringLiteral("dataset of %1 × %2 at (%3, %4)%5 %6")
             .arg(fields)
             .arg(records)
             .arg(firstColumn)
             .arg(firstRow)
             .arg(includeNames ? QStringLiteral(" with names") : QString(), outOfStep ? QStringLiteral("out of step") : QString()));
    Load(lines, firstColumn, firstRow, [&] { FVelkoGrid.LoadFromDataSet(dataSet, includeNames, firstColumn, firstRow); });
    return QStringLiteral("loaded a dataset");
}

QString THostileRun::SaveCsv()
{
    TvgColumns& columns = *FVelkoGrid.Columns();
    const int firstColumn = Chance(90) ? R(columns.Count() + 2) : Extreme();
    const int firstRow = Chance(90) ? R(FVelkoGrid.RowCount() + 2) : Extreme();
    QByteArray text;
    QBuffer device(&text);
    device.open(QIODevice::WriteOnly);
    FVelkoGrid.SaveToStream(firstColumn, firstRow, device);
    QList<QStringList> lines;
    if (!ReadWrittenCsv(text, lines))
        return Found(QStringLiteral("the saved text is not of the writer's form:\n%1").arg(QString::fromUtf8(text.left(2000))));
    if (lines.size() != std::max(FVelkoGrid.RowCount() - firstRow, 0))
        return Found(QStringLiteral("%1 lines saved from row %2 of %3").arg(lines.size()).arg(firstRow).arg(FVelkoGrid.RowCount()));
    for (int k = 0; k < lines.size(); ++k) {
        const int row = firstRow + k;
        for (int i = firstColumn; i < columns.Count(); ++i) {
            const TvgColumn* item = columns[i];
            const int col = FVelkoGrid.GridColumnForColumnObject(item);
            const auto hidden = FHidden.find(item->ID());
            if (item->Visible() ? col < 0 : hidden == FHidden.end())
                continue; // an item the run knows no cells of
            const QString expected = item->Visible() ? FVelkoState.Model.Get(col, row) : hidden->second.Get(0, row);
            const QString saved = i - firstColumn < lines[k].size() ? lines[k][i - firstColumn] : QStringLiteral("(none)");
            if (saved != expected)
                return Found(QStringLiteral("item %1, row %2 was saved as \"%3\" instead of \"%4\"")
                                 .arg(i)
                                 .arg(row)
                                 .arg(saved.left(40), expected.left(40)));
        }
    }
    return QStringLiteral("saved %1 lines").arg(lines.size());
}

QString THostileRun::OutOfStep()
{
    TvgColumns& columns = *FVelkoGrid.Columns();
    FChangedAnyway = true;
    // More objects than grid columns (added, visible or not), or fewer (removed within an
    // update, which brings the grid in step only when it ends).
    const bool fewer = Chance(30) && FVelkoGrid.GetVisibleColumnCount() > 1;
    if (fewer) {
        columns.BeginUpdate();
        const std::vector<TvgColumn*> visible = Items(true);
        TvgColumn* item = visible[size_t(R(int(visible.size())))];
        Note(QStringLiteral("removed item %1 within an update;").arg(item->Index()));
        delete item;
    } else {
        try {
            for (int n = 1 + R(3); n > 0; --n) {
                TvgColumn* item = columns.Add();
                item->SetVisible(Chance(80)); // commits the editor, whose handlers may throw
                if (!item->Visible())
                    FHidden[item->ID()] = {};
            }
        } catch (const Exception&) {
            BringInStep();
            throw;
        }
        Note(QStringLiteral("%1 items, %2 visible, %3 grid columns;")
                 .arg(columns.Count())
                 .arg(FVelkoGrid.GetVisibleColumnCount())
                 .arg(FVelkoGrid.ColCount()));
    }
    QString what;
    try {
        switch (R(fewer ? 3 : 6)) {
        case 0: what = LoadCsv(true); break;
        case 1: what = LoadDataSet(true); break;
        case 2: what = SaveCsv(); break;
        case 3: {
            FPaintErrors.clear();
            FVelkoGrid.viewport()->repaint();
            if (!FPaintErrors.isEmpty())
                FVelkoState.Findings << QStringLiteral("painting raised: ") + FPaintErrors.join(u'\n');
            what = QStringLiteral("painted");
            break;
        }
        case 4: {
            QString form = WriteComponentToText(FVelkoGrid);
            if (Chance(50))
                form = Mutate(form, true);
            ReadComponentInto(form, FVelkoGrid);
            ForgetHiddenCells();
            what = QStringLiteral("read a form");
            break;
        }
        default:
            FVelkoGrid.SetOptions(FVelkoGrid.Options() + TGridOptions{goEditing});
            FVelkoGrid.SetCol(R(FVelkoGrid.ColCount()));
            FVelkoGrid.ShowEditor();
            what = QStringLiteral("showed the editor");
            break;
        }
    } catch (...) {
        if (fewer)
            columns.EndUpdate();
        BringInStep();
        throw;
    }
    if (fewer)
        columns.EndUpdate();
    BringInStep();
    return what;
}

void THostileRun::AddContentOperations()
{
    FAddingColumnModelOperations = true;
    Add(3, "csv load", [this](bool) { return LoadCsv(false); });
    Add(2, "dataset load", [this](bool) { return LoadDataSet(false); });
    Add(1, "csv save", [this](bool) { return SaveCsv(); });
    Add(3, "columns out of step", [this](bool) {
        if (!PathOn(THostilePath::LoadOutOfStep))
            return QStringLiteral("(columns out of step: under repair)");
        return OutOfStep();
    });
}

} // namespace vg::test
