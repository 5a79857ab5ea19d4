// libFuzzer target for saving and loading grid contents: the input is made into lines of
// cell texts (any characters, from UTF-8, Latin-1 or UTF-16 bytes), which are written as a
// content text and read back. Anything but the same lines, a text that is valid UTF-8 and
// starts without a byte-order mark, or a clean run is a finding. The writer is given a
// sink that takes its text in pieces of any size.
//
// The input is read from its start: a byte for the number of columns, one for the size of
// the pieces, then for each cell a byte for its length (at most 40), one for its encoding
// and its bytes. Bytes missing at the end count as zeros.
#include "common/VgCsv.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace vg;

[[noreturn]] void Finding(const char* what, const QList<QStringList>& lines, const QByteArray& text)
{
    std::fprintf(stderr, "%s\n", what);
    for (const QStringList& line : lines)
        std::fprintf(stderr, "line: %s\n", line.join(QChar(0x2502)).toUtf8().toHex().constData());
    std::fprintf(stderr, "text: %s\n", text.toHex().constData());
    std::abort();
}

// The fuzzer's input, taken from its start.
class TInput {
public:
    TInput(const std::uint8_t* data, std::size_t size) : FData(data), FLeft(size) {}
    bool AtEnd() const { return FLeft == 0; }
    // A number from a byte, from 0 to Last.
    int Number(int Last)
    {
        if (FLeft == 0)
            return 0;
        --FLeft;
        return *FData++ % (Last + 1);
    }
    QByteArrayView Bytes(std::size_t Count)
    {
        Count = std::min(Count, FLeft);
        const QByteArrayView bytes(FData, qsizetype(Count));
        FData += Count;
        FLeft -= Count;
        return bytes;
    }

private:
    const std::uint8_t* FData;
    std::size_t FLeft;
};

// A cell text from bytes in one of three encodings. Characters that UTF-16 cannot hold
// whole (lone surrogates) are no text; they are made replacement characters first.
QString CellText(TInput& input)
{
    const std::size_t length = std::size_t(input.Number(40));
    const int encoding = input.Number(2);
    const QByteArrayView bytes = input.Bytes(length);
    switch (encoding) {
    case 0:
        return QString::fromUtf8(bytes);
    case 1:
        return QString::fromLatin1(bytes);
    default:
        return QString::fromUtf8(
            QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2).toUtf8());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TInput input(data, size);
    const int columns = 1 + input.Number(5);
    const qsizetype piece = 1 + input.Number(63);
    QList<QStringList> lines;
    while (!input.AtEnd()) {
        QStringList line;
        for (int c = 0; c < columns; ++c)
            line << CellText(input);
        lines << line;
    }

    QByteArray text;
    TvgCsvWriter writer([&](QByteArrayView written) {
        // Handed on in small pieces, as a slow device would take them.
        for (qsizetype at = 0; at < written.size(); at += piece)
            text += written.sliced(at, std::min(piece, written.size() - at));
    });
    for (const QStringList& line : lines) {
        for (const QString& value : line)
            writer.WriteValue(value);
        writer.EndLine();
    }
    writer.Flush();

    if (!QByteArrayView(text).isValidUtf8() || text.startsWith("\xEF\xBB\xBF"))
        Finding("the written text is not UTF-8 without a byte-order mark", lines, text);
    if (ReadCsvText(text) != lines)
        Finding("the lines read back differ from those written", lines, text);
    return 0;
}
