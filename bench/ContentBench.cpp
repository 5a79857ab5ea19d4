// Loading and saving grid contents and filling a grid from a database, each against its
// floor: the least any implementation must pay for the same work.
//
// - A CSV file of 1,000,000 rows x 10 columns (about 100 MB), made in a temporary folder on
//   first use. LoadFromFile against reading the file and decoding it into one QString;
//   SaveToFile against encoding that QString and writing it to a file. MB/s and, for the
//   load, the heap the loaded grid holds against the file's size.
// - An SQLite database file of 1,000,000 records x 10 fields. LoadFromDataSet against
//   stepping the same query with QSqlQuery::next() and reading every field as a string.
//
// Side by side, what a Qt application would otherwise do: fill a QTableWidget from the CSV
// reader's values (the first 100,000 rows: a million would need gigabytes), and fetch the
// whole query into a QSqlQueryModel.
#include "common/VgCsv.h"
#include "grid/VgGrid.h"
#include "platform/data/SqlQueryDataSet.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int ContentRows = 1'000'000;
constexpr int ContentColumns = 10;
constexpr int TableWidgetRows = 100'000;

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder;
    return folder;
}

QString PathOf(const QString& name)
{
    return Folder().filePath(name);
}

// Order lines as applications keep them: numbers, names, dates, amounts, now and then a
// comma or a quote inside a value, and empty values.
QString ContentValue(int row, int column)
{
    static const char* const cities[] = {"Tallinn", "Porto", "Ghent", "Krakow", "Bergen", "Lyon"};
    static const char* const statuses[] = {"Open", "Shipped", "Refunded", "Closed"};
    switch (column) {
    case 0:
        return QString::number(row);
    case 1:
        return QStringLiteral("Customer %1").arg(row * 7919 % 5000);
    case 2:
        return QString::fromLatin1(cities[row % 6]);
    case 3:
        return QString::number((row * 37 % 100000) / 100.0, 'f', 2);
    case 4:
        return QStringLiteral("%1/%2/2024").arg(row % 12 + 1, 2, 10, QLatin1Char('0')).arg(row % 28 + 1, 2, 10, QLatin1Char('0'));
    case 5:
        return row % 10 == 0 ? QStringLiteral("Oak shelf, large") : QStringLiteral("Desk lamp");
    case 6:
        return QString::number(row % 40 + 1);
    case 7:
        return QString::fromLatin1(statuses[row % 4]);
    case 8:
        return row % 50 == 0 ? QStringLiteral("say \"now\"") : row % 3 == 0 ? QString() : QStringLiteral("ok");
    default:
        return QString::number(quint32(row) * 2654435761u, 16);
    }
}

// The CSV file, written once.
const QString& ContentFile()
{
    static const QString path = [] {
        const QString name = PathOf(QStringLiteral("content.csv"));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the benchmark's CSV file");
        vg::TvgCsvWriter writer([&file](QByteArrayView piece) { file.write(piece.data(), piece.size()); });
        for (int row = 0; row < ContentRows; ++row) {
            for (int column = 0; column < ContentColumns; ++column)
                writer.WriteValue(ContentValue(row, column));
            writer.EndLine();
        }
        writer.Flush();
        return name;
    }();
    return path;
}

double FileMB()
{
    return double(QFile(ContentFile()).size()) / 1e6;
}

QByteArray ReadWhole(const QString& name)
{
    QFile file(name);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

std::unique_ptr<vg::TVelkoGrid> NewGrid()
{
    auto grid = std::make_unique<vg::TVelkoGrid>();
    grid->SetColumnCount(ContentColumns);
    grid->SetRowCount(2);
    return grid;
}

void SetThroughput(benchmark::State& state, double megabytes)
{
    state.counters["MB/s"] = benchmark::Counter(megabytes * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_MB"] = megabytes;
}

// ---- CSV

void BM_CsvReadFloor(benchmark::State& state)
{
    const QString& name = ContentFile();
    for (auto _ : state) {
        const QString text = QString::fromUtf8(ReadWhole(name));
        benchmark::DoNotOptimize(text.constData());
    }
    SetThroughput(state, FileMB());
}

void BM_CsvLoadFromFile(benchmark::State& state)
{
    const QString& name = ContentFile();
    std::size_t held = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<vg::TVelkoGrid> grid = NewGrid();
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        grid->LoadFromFile(0, 1, name);
        state.PauseTiming();
        held = HeapInUse() - before;
        if (grid->RowCount() != ContentRows + 1)
            state.SkipWithError("the grid did not get every row");
        grid.reset();
        state.ResumeTiming();
    }
    SetThroughput(state, FileMB());
    state.counters["heap_MB"] = double(held) / 1e6;
    state.counters["heap_per_file"] = double(held) / 1e6 / FileMB();
}

void BM_CsvWriteFloor(benchmark::State& state)
{
    const QString text = QString::fromUtf8(ReadWhole(ContentFile()));
    const QString name = PathOf(QStringLiteral("floor.csv"));
    for (auto _ : state) {
        QFile file(name);
        file.open(QIODevice::WriteOnly);
        const QByteArray bytes = text.toUtf8();
        file.write(bytes);
        file.close();
    }
    SetThroughput(state, FileMB());
}

void BM_CsvSaveToFile(benchmark::State& state)
{
    std::unique_ptr<vg::TVelkoGrid> grid = NewGrid();
    grid->LoadFromFile(0, 1, ContentFile());
    const QString name = PathOf(QStringLiteral("saved.csv"));
    for (auto _ : state)
        grid->SaveToFile(0, 1, name);
    if (ReadWhole(name) != ReadWhole(ContentFile()))
        state.SkipWithError("the saved file differs from the loaded one");
    SetThroughput(state, FileMB());
}

// A QTableWidget filled with the reader's values of the first rows.
void BM_CsvTableWidgetFill(benchmark::State& state)
{
    const QByteArray bytes = ReadWhole(ContentFile());
    for (auto _ : state) {
        auto table = std::make_unique<QTableWidget>(TableWidgetRows, ContentColumns);
        vg::TvgCsvReader reader(bytes);
        QStringList values;
        for (int row = 0; row < TableWidgetRows && reader.ReadLine(values); ++row)
            for (int column = 0; column < values.size(); ++column)
                table->setItem(row, column, new QTableWidgetItem(values[column]));
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = TableWidgetRows;
}

// ---- Dataset

const QString& DatabaseFile()
{
    static const QString path = [] {
        const QString name = PathOf(QStringLiteral("orders.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-setup"));
            db.setDatabaseName(name);
            db.open();
            QSqlQuery query(db);
            const bool made =
                query.exec(QStringLiteral(
                    "CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, city TEXT, amount REAL, "
                    "ordered_on TEXT, product TEXT, quantity INTEGER, status TEXT, note TEXT, code TEXT)")) &&
                query.exec(QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                    "INSERT INTO orders SELECT i, 'Customer ' || (i * 7919 % 5000), "
                    "CASE i % 3 WHEN 0 THEN 'Tallinn' WHEN 1 THEN 'Porto' ELSE 'Ghent' END, "
                    "(i * 37 % 100000) / 100.0, printf('2024-%02d-%02d', i % 12 + 1, i % 28 + 1), "
                    "CASE WHEN i % 10 = 0 THEN 'Oak shelf, large' ELSE 'Desk lamp' END, i % 40 + 1, "
                    "CASE i % 4 WHEN 0 THEN 'Open' WHEN 1 THEN 'Shipped' WHEN 2 THEN 'Refunded' ELSE 'Closed' END, "
                    "CASE WHEN i % 3 = 0 THEN NULL ELSE 'ok' END, printf('%08x', i * 2654435761 % 4294967296) "
                    "FROM n").arg(ContentRows));
            if (!made)
                throw std::runtime_error(query.lastError().text().toStdString());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench-setup"));
        return name;
    }();
    return path;
}

QSqlDatabase BenchDatabase()
{
    const QString connection = QStringLiteral("bench");
    if (!QSqlDatabase::contains(connection)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(DatabaseFile());
        db.open();
    }
    return QSqlDatabase::database(connection);
}

const QString DataSetQuery = QStringLiteral("SELECT * FROM orders");

void BM_DataSetFloor(benchmark::State& state)
{
    const QSqlDatabase db = BenchDatabase();
    for (auto _ : state) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.exec(DataSetQuery);
        int records = 0;
        while (query.next()) {
            for (int f = 0; f < ContentColumns; ++f)
                benchmark::DoNotOptimize(query.value(f).toString());
            ++records;
        }
        if (records != ContentRows)
            state.SkipWithError("the query did not give every record");
    }
    state.counters["records"] = ContentRows;
}

void BM_DataSetLoad(benchmark::State& state)
{
    const QSqlDatabase db = BenchDatabase();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<vg::TVelkoGrid> grid = NewGrid();
        vg::TSqlQueryDataSet dataSet(db);
        dataSet.SetSQL(DataSetQuery);
        state.ResumeTiming();
        grid->LoadFromDataSet(dataSet, false, 0, 1);
        state.PauseTiming();
        if (grid->RowCount() != ContentRows + 1)
            state.SkipWithError("the grid did not get every record");
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = ContentRows;
}

// What a Qt application would otherwise do: the whole query in a QSqlQueryModel.
void BM_DataSetQueryModelFetchAll(benchmark::State& state)
{
    const QSqlDatabase db = BenchDatabase();
    for (auto _ : state) {
        auto model = std::make_unique<QSqlQueryModel>();
        model->setQuery(DataSetQuery, db);
        while (model->canFetchMore())
            model->fetchMore();
        state.PauseTiming();
        if (model->rowCount() != ContentRows)
            state.SkipWithError("the model did not get every record");
        model.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = ContentRows;
}

BENCHMARK(BM_CsvReadFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvLoadFromFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvWriteFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvSaveToFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CsvTableWidgetFill)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DataSetFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DataSetLoad)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DataSetQueryModelFetchAll)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
