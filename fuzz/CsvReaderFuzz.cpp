// libFuzzer target for the CSV reader: arbitrary bytes are read as a grid's content text.
// Anything but a clean run is a finding: a crash, a sanitizer report, an exception, a
// hang, or one of these invariants failing:
//   - what was read, written again and read back, is the same (the reader's result is
//     what the writer's text stands for);
//   - nothing is replaced: text read as UTF-8 holds a replacement character only where the
//     bytes held one, and text read as Latin-1 holds one character per byte;
//   - reading line by line while passing over values sees the same lines;
//   - the reader that shares repeated values reads what one that decodes each value alone
//     reads, also after lines that make every column share its values from the start.
#include "common/VgCsv.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace vg;

[[noreturn]] void Finding(const char* what, const QByteArray& text)
{
    std::fprintf(stderr, "%s\ninput: %s\n", what, text.toHex().constData());
    std::abort();
}

// Sixteen lines of eight short values: a column shares its values from its seventeenth on.
const QByteArray SharingFromNextLine = QByteArray("v,v,v,v,v,v,v,v\n").repeated(16);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QStringList> lines = ReadCsvText(text);

    if (ReadCsvText(WriteCsvText(lines)) != lines)
        Finding("the lines read from a text do not come back through the writer", text);

    if (ReadCsvText(text, TvgCsvSharing::None) != lines)
        Finding("the reader that shares values reads other values than a plain one", text);
    const QByteArray shared = SharingFromNextLine + text;
    if (ReadCsvText(shared) != ReadCsvText(shared, TvgCsvSharing::None))
        Finding("after sixteen lines, the reader that shares values reads other values than a plain one", text);

    const TvgCsvEncoding encoding = TvgCsvReader(text).Encoding();
    const bool hadReplacement = text.contains("\xEF\xBF\xBD");
    for (const QStringList& line : lines) {
        for (const QString& value : line) {
            if (encoding == TvgCsvEncoding::Utf8 && !hadReplacement && value.contains(QChar::ReplacementCharacter))
                Finding("a value read as UTF-8 holds a replacement character the text did not", text);
            if (encoding == TvgCsvEncoding::Latin1 && value.size() > text.size())
                Finding("a value read as Latin-1 holds more characters than the text has bytes", text);
        }
    }

    // Every other value passed over, and whole lines with them.
    TvgCsvReader reader(text);
    qsizetype count = 0;
    for (QString value; reader.NextLine(); ++count) {
        if (count >= lines.size())
            Finding("line by line, the reader sees more lines", text);
        if (count % 3 == 2)
            continue;
        for (int i = 0; i < lines[count].size(); i += 2) {
            if (!reader.NextValue(value) || value != lines[count][i])
                Finding("line by line, the reader sees other values", text);
            if (i + 1 < lines[count].size() && !reader.NextValue(value))
                Finding("line by line, the reader sees fewer values", text);
        }
    }
    if (count != lines.size())
        Finding("line by line, the reader sees fewer lines", text);
    return 0;
}
