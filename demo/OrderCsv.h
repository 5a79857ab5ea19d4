// The orders as a CSV file that a spreadsheet reads with its column titles: a first line
// of titles before the lines. Files without that line (as earlier versions of the demo
// wrote them) still open, their first line taken as an order line.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace vg::demo {

// The line of titles, in the grid's CSV form.
QByteArray CsvTitleLine(const QStringList& titles);

// How many bytes at the start of text are a line of these titles (a byte-order mark and
// the line's end included), or 0 when the first line is something else. The titles are
// recognised with or without quotes, blanks around them and in any letter case.
qsizetype CsvTitleLineLength(const QByteArray& text, const QStringList& titles);

} // namespace vg::demo
