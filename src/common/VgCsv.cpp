#include "common/VgCsv.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <utility>

namespace vg {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';
constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

constexpr qsizetype WriterChunk = qsizetype(1) << 20;

// Values are shared within the first columns only, and only short ones: long values seldom
// repeat. A column that has found fewer than a quarter of its values among the recent ones
// after its first lookups stops looking.
constexpr int SharedColumns = 256;
constexpr qsizetype SharedSize = 32;
constexpr int TrialLookups = 4096;
constexpr int FirstValuesUnshared = 16;

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 32;
}

bool IsLineEnd(char c)
{
    return c == CR || c == LF;
}

// Control bytes and spaces, except the line ends.
bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32 && !IsLineEnd(c);
}

// Eight bytes, the first in the lowest place.
quint64 Word(const char* p)
{
    return qFromLittleEndian<quint64>(p);
}

// A hash of the bytes from begin to end, taken eight at a time; limit is the end of the
// text they lie in, which short values may be read up to.
quint64 HashOf(const char* begin, const char* end, const char* limit)
{
    const qsizetype n = end - begin;
    quint64 hash = quint64(n) * 0x9E3779B97F4A7C15u;
    const auto mix = [&hash](quint64 word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
        hash ^= hash >> 32;
    };
    if (n >= 8) {
        for (const char* p = begin; p + 8 <= end; p += 8)
            mix(Word(p));
        mix(Word(end - 8)); // the last bytes, overlapping the words before
    } else if (limit - begin >= 8) {
        mix(Word(begin) & (~quint64(0) >> (64 - 8 * n)));
    } else {
        char bytes[8] = {};
        std::memcpy(bytes, begin, size_t(n));
        mix(Word(bytes));
    }
    return hash;
}

const char* FindQuote(const char* from, const char* end)
{
    return static_cast<const char*>(std::memchr(from, Quote, size_t(end - from)));
}

const char* FindLineEnd(const char* from, const char* end)
{
    return std::find_if(from, end, IsLineEnd);
}

// Bytes from begin to end with every pair of quotes made one.
void Undouble(const char* begin, const char* end, QByteArray& out)
{
    out.clear();
    out.reserve(end - begin);
    for (const char* p = begin; p < end; ++p) {
        out.append(*p);
        if (*p == Quote && p + 1 < end && p[1] == Quote)
            ++p;
    }
}

} // namespace

// ---- Reading

TvgCsvReader::TvgCsvReader(QByteArray Text, TvgCsvSharing Sharing)
    : FText(std::move(Text)), FShared(Sharing == TvgCsvSharing::RepeatedValues)
{
    FBegin = FText.constData();
    FEnd = FBegin + FText.size();
    if (FText.startsWith(Utf8Bom))
        FBegin += 3;
    FPos = FBegin;
    FLatin1 = !QByteArrayView(FBegin, FEnd).isValidUtf8();
}

QString TvgCsvReader::Decode(const char* Begin, const char* End) const
{
    if (FLatin1)
        return QString::fromLatin1(Begin, End - Begin);
    // Qt's UTF-8 decoding drops a byte-order mark at the start of what it decodes; inside
    // a value the character is content and stays.
    qsizetype marks = 0;
    while (End - Begin >= 3 && Begin[0] == Utf8Bom[0] && Begin[1] == Utf8Bom[1] && Begin[2] == Utf8Bom[2]) {
        Begin += 3;
        ++marks;
    }
    if (marks == 0)
        return QString::fromUtf8(Begin, End - Begin);
    return QString(marks, QChar(0xFEFF)) + QString::fromUtf8(Begin, End - Begin);
}

bool TvgCsvReader::AtLineEnd() const
{
    return FPos >= FEnd || IsLineEnd(*FPos);
}

void TvgCsvReader::SkipBlanks()
{
    while (FPos < FEnd && IsBlank(*FPos))
        ++FPos;
}

QString TvgCsvReader::ReadUnquoted()
{
    const char* begin = FPos;
    while (FPos < FEnd && *FPos != Comma && !IsControl(*FPos))
        ++FPos;
    const char* end = FPos;
    while (end > begin && static_cast<unsigned char>(end[-1]) <= 32)
        --end;
    return Take(begin, end, false);
}

QString TvgCsvReader::ReadQuoted()
{
    // The closing quote is the first one after the opening quote that is not one of a pair.
    // A search that finds none runs to the end of the text once: after it, every run of
    // quotes has an even length, so each later quoted value closes within its own run.
    const char* begin = FPos + 1;
    const char* closing = nullptr;
    bool doubled = false;
    for (const char* p = begin; const char* q = FindQuote(p, FEnd); p = q + 2) {
        if (q + 1 == FEnd || q[1] != Quote) {
            closing = q;
            break;
        }
        doubled = true;
    }
    const char* end = closing;
    if (closing) {
        FPos = closing + 1;
    } else {
        end = FindLineEnd(begin, FEnd);
        FPos = end;
        doubled = FindQuote(begin, end) != nullptr;
    }
    return Take(begin, end, doubled);
}

QString TvgCsvReader::Take(const char* Begin, const char* End, bool Doubled)
{
    const auto decode = [&] {
        if (!Doubled)
            return Decode(Begin, End);
        Undouble(Begin, End, FScratch);
        return Decode(FScratch.cbegin(), FScratch.cend());
    };
    const qsizetype size = End - Begin;
    if (!FShared || size == 0 || size > SharedSize || FValueIndex >= SharedColumns)
        return decode();
    if (size_t(FValueIndex) >= FRecent.size())
        FRecent.resize(size_t(FValueIndex) + 1);
    TRecentValues& recent = FRecent[size_t(FValueIndex)];
    if (recent.Off || ++recent.Lookups <= FirstValuesUnshared)
        return decode();
    if (!recent.Slots)
        recent.Slots = std::make_unique<std::array<TRecentValues::TSlot, 256>>();
    TRecentValues::TSlot& slot = (*recent.Slots)[HashOf(Begin, End, FEnd) % recent.Slots->size()];
    if (slot.Size == size && slot.Doubled == Doubled && std::memcmp(slot.Begin, Begin, size_t(size)) == 0) {
        ++recent.Hits;
        return slot.Value;
    }
    QString value = decode();
    if (recent.Lookups >= TrialLookups && recent.Hits < recent.Lookups / 4) {
        recent.Off = true;
        recent.Slots.reset();
    } else {
        slot = {Begin, size, Doubled, value};
    }
    return value;
}

bool TvgCsvReader::NextLine()
{
    for (QString rest; FInLine;)
        NextValue(rest);
    if (FPos >= FEnd)
        return false;
    FInLine = true;
    FValueIndex = 0;
    SkipBlanks();
    return true;
}

bool TvgCsvReader::NextValue(QString& Value)
{
    if (!FInLine)
        return false;
    if (AtLineEnd()) {
        if (FPos < FEnd && *FPos++ == CR && FPos < FEnd && *FPos == LF)
            ++FPos;
        FInLine = false;
        return false;
    }
    Value = *FPos == Quote ? ReadQuoted() : ReadUnquoted();
    ++FValueIndex;
    SkipBlanks();
    if (FPos < FEnd && *FPos == Comma) {
        ++FPos;
        SkipBlanks();
    }
    return true;
}

bool TvgCsvReader::ReadLine(QStringList& Values)
{
    if (!NextLine())
        return false;
    Values.clear();
    for (QString value; NextValue(value);)
        Values.append(std::move(value));
    return true;
}

QList<QStringList> ReadCsvText(const QByteArray& Text, TvgCsvSharing Sharing)
{
    QList<QStringList> lines;
    TvgCsvReader reader(Text, Sharing);
    QStringList values;
    while (reader.ReadLine(values))
        lines.append(values);
    return lines;
}

// ---- Writing

TvgCsvWriter::TvgCsvWriter(TSink Sink)
    : FSink(std::move(Sink)), FEncoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless)
{
}

char* TvgCsvWriter::Room(qsizetype Count)
{
    if (FUsed + Count > FBuffer.size()) {
        // The buffer grows up to its chunk size (a short text needs no more than it holds),
        // and is handed on whenever it would grow beyond.
        if (FUsed + Count > WriterChunk)
            Flush();
        FBuffer.resize(std::max({FUsed + Count, std::min(2 * FBuffer.size(), WriterChunk), qsizetype(256)}));
    }
    return FBuffer.data() + FUsed;
}

void TvgCsvWriter::WriteValue(QStringView Value)
{
    // A comma, two quotes, and the value's bytes, which with its quotes doubled are never
    // more than three per UTF-16 unit.
    char* out = Room(FEncoder.requiredSpace(Value.size()) + 3);
    if (FLineStarted)
        *out++ = Comma;
    *out++ = Quote;
    char* const text = out;
    out = FEncoder.appendToBuffer(out, Value);
    qsizetype quotes = 0;
    for (const char* q = FindQuote(text, out); q; q = FindQuote(q + 1, out))
        ++quotes;
    if (quotes > 0) {
        // Spread the bytes towards the end, writing each quote twice.
        char* to = out + quotes;
        for (char* from = out; from > text;) {
            *--to = *--from;
            if (*from == Quote)
                *--to = Quote;
        }
        out += quotes;
    }
    *out++ = Quote;
    FUsed = out - FBuffer.data();
    FLineStarted = true;
}

void TvgCsvWriter::EndLine()
{
    char* out = Room(2);
    out[0] = CR;
    out[1] = LF;
    FUsed += 2;
    FLineStarted = false;
}

void TvgCsvWriter::Flush()
{
    if (FUsed == 0)
        return;
    // Emptied before the sink runs: a sink that fails does not get the same bytes again.
    const qsizetype used = std::exchange(FUsed, 0);
    FSink(QByteArrayView(FBuffer.constData(), used));
}

QByteArray WriteCsvText(const QList<QStringList>& Lines)
{
    QByteArray text;
    TvgCsvWriter writer([&text](QByteArrayView piece) { text.append(piece); });
    for (const QStringList& line : Lines) {
        for (const QString& value : line)
            writer.WriteValue(value);
        writer.EndLine();
    }
    writer.Flush();
    return text;
}

} // namespace vg
