/// \file
/// Tab-separated text of a range of cells, in the form spreadsheets put on the clipboard and
/// take from it. No widget here: the grid's clipboard operations call both directions.
///
/// What the writer writes: the values of a line separated by one tab, "\n" after every
/// line, the last one too. A value holding a tab, a line break (CR or LF) or a double quote
/// is put in double quotes with each quote inside doubled; every other value is written as
/// it is, so that plain numbers and texts read back unchanged in any spreadsheet.
///
/// What the reader accepts: lines ended by LF, CR LF or CR; a line end at the very end of
/// the text ends the last line and starts no new one (an empty text has no lines at all).
/// A value that starts with a double quote is quoted: it runs to the next quote that is not
/// doubled, taking tabs and line breaks along, and what follows that quote up to the next
/// tab or line end is kept as it stands. A value that starts with a quote which is never
/// closed is taken as it stands, quote included, up to its tab or line end, so that one
/// stray quote cannot swallow the rest of the text. Quotes inside a value that does not
/// start with one are ordinary characters. Every line keeps all its values, empty ones too.
#pragma once

#include "platform/core/Export.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vg {

/// Every line of Text with its values.
VELKOGRID_EXPORT QList<QStringList> ReadTsvText(QStringView Text);

/// Builds the text line by line, as the writer described above writes it.
class VELKOGRID_EXPORT TvgTsvWriter {
public:
    /// Room for about ExpectedSize characters is reserved at once.
    explicit TvgTsvWriter(qsizetype ExpectedSize = 0);
    void WriteValue(QStringView Value);
    void EndLine();
    /// The text so far; the writer is left empty.
    QString TakeText();

private:
    QString FText;
    bool FLineStarted = false;
};

VELKOGRID_EXPORT QString WriteTsvText(const QList<QStringList>& Lines);

} // namespace vg
