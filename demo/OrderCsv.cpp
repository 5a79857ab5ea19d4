#include "OrderCsv.h"

#include <VelkoGrid/VelkoGrid.h>

namespace vg::demo {

QByteArray CsvTitleLine(const QStringList& titles)
{
    return WriteCsvText({titles});
}

qsizetype CsvTitleLineLength(const QByteArray& text, const QStringList& titles)
{
    // A title has no line break in it, so its line ends at the first CR, LF or CR LF.
    qsizetype end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    if (end < text.size() && text[end] == '\r')
        ++end;
    if (end < text.size() && text[end] == '\n')
        ++end;
    const QList<QStringList> lines = ReadCsvText(text.left(end));
    if (lines.size() != 1 || lines[0].size() != titles.size())
        return 0;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        if (lines[0][i].trimmed().compare(titles[i], Qt::CaseInsensitive) != 0)
            return 0;
    }
    return end;
}

} // namespace vg::demo
