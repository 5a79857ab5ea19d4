/// \file
/// The grid's content text: comma-separated values, one grid row per line. No widget here:
/// the reader turns the bytes of a text into the values of each line, the writer turns
/// values into bytes, and the grid's load and save operations call both.
///
/// What the writer writes: UTF-8 without a byte-order mark; every value in double quotes,
/// with each double quote inside doubled; values separated by one comma; CR LF after every
/// line, the last one too. Nothing else is escaped, so line breaks stay inside their values.
///
/// What the reader accepts besides:
/// - a UTF-8 byte-order mark at the start, which is skipped;
/// - text that is not valid UTF-8 as a whole: it is read as Latin-1, every byte standing
///   for the character of the same number, so that no byte is lost or replaced;
/// - lines ended by CR, LF or CR LF; a line end at the very end of the text ends the last
///   line and starts no new one;
/// - blanks (control bytes and spaces other than the line ends) before and after values and
///   separators;
/// - values without quotes: they end at a comma or a control byte and lose the spaces at
///   both ends;
/// - a separator that is left out after a quoted value ("ab"cd holds ab and cd), and a comma
///   at the end of a line, which starts no empty value;
/// - a quoted value spanning lines, as the writer writes it. So that one stray quote cannot
///   swallow the rest of a text, a quoted value that has no closing quote anywhere after it
///   ends at the end of its own line instead (pairs of quotes in it still stand for one);
/// - NUL bytes, which are control bytes like the others (kept inside quotes, ending values
///   outside them), so that nothing after them is dropped.
///
/// A short value that repeats in its column (a city, a status, a flag) is decoded once and
/// shared by every line that holds it, as Qt's strings share their text: reading a column
/// of a few distinct values makes a few strings, not one per line, and string lists that
/// keep the values (a hidden column's cells) keep a few texts. Sharing never changes a
/// value: the same bytes quoted and without quotes are different values ("x""y" is x"y,
/// x""y stays as it is), and are never taken for one another.
#pragma once

#include "platform/core/Export.h"

#include <QByteArray>
#include <QList>
#include <QStringConverter>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace vg {

enum class TvgCsvEncoding { Utf8, Latin1 };
/// Whether a reader shares repeated short values of a column (the default), or decodes
/// every value on its own; both read the same values.
enum class TvgCsvSharing { RepeatedValues, None };

/// Reads the grid's CSV content text value by value and line by line, with no widget involved.
/// VgCsv.h lists what it accepts besides what TvgCsvWriter writes.
/// \ingroup columns
class VELKOGRID_EXPORT TvgCsvReader {
public:
    explicit TvgCsvReader(QByteArray Text, TvgCsvSharing Sharing = TvgCsvSharing::RepeatedValues);

    /// How the text's bytes are read: UTF-8, or Latin-1 when the text is not valid UTF-8.
    TvgCsvEncoding Encoding() const { return FLatin1 ? TvgCsvEncoding::Latin1 : TvgCsvEncoding::Utf8; }

    /// Moves to the next line: false once every line has been read. The values of a line
    /// that were not read are passed over.
    bool NextLine();
    /// Reads the next value of the current line into Value: false at the end of the line
    /// (an empty line, or a line of blanks, has no values).
    bool NextValue(QString& Value);

    /// The values of the next line in one list (emptied first); false, with Values left
    /// alone, once every line has been read.
    bool ReadLine(QStringList& Values);

private:
    // The value whose bytes run from Begin to End (Doubled: with each pair of quotes
    // standing for one), shared with an earlier equal value of its column when there is one.
    QString Take(const char* Begin, const char* End, bool Doubled);
    QString Decode(const char* Begin, const char* End) const;
    // Reads the quoted value whose opening quote is at FPos; FPos ends after it.
    QString ReadQuoted();
    // Reads the value without quotes that starts at FPos; FPos ends at what ended it.
    QString ReadUnquoted();
    void SkipBlanks();
    bool AtLineEnd() const;

    QByteArray FText;
    const char* FBegin;
    const char* FEnd;
    const char* FPos;
    bool FLatin1;
    bool FShared;
    bool FInLine = false;
    int FValueIndex = 0;
    QByteArray FScratch;

    // The values last read in a column, by a hash of their bytes, kept from the column's
    // seventeenth value on (short texts need none). A value is found again only for the
    // same bytes read the same way (with or without pairs of quotes made one). A column
    // whose values seldom repeat is no longer looked up.
    struct TRecentValues {
        /// One remembered value: where its bytes lie and the string made of them.
        struct TSlot {
            const char* Begin = nullptr;
            qsizetype Size = 0;
            bool Doubled = false;
            QString Value;
        };
        std::unique_ptr<std::array<TSlot, 256>> Slots;
        int Lookups = 0;
        int Hits = 0;
        bool Off = false;
    };
    std::vector<TRecentValues> FRecent;
};

/// Writes values as the grid's CSV content text: UTF-8, every value quoted, CR LF after every
/// line.
/// \ingroup columns
class VELKOGRID_EXPORT TvgCsvWriter {
public:
    /// Sink receives the text in pieces, in order; what it raises travels to the caller.
    using TSink = std::function<void(QByteArrayView)>;
    explicit TvgCsvWriter(TSink Sink);
    TvgCsvWriter(const TvgCsvWriter&) = delete;
    TvgCsvWriter& operator=(const TvgCsvWriter&) = delete;

    /// Appends a value to the current line.
    void WriteValue(QStringView Value);
    /// Ends the current line (with or without values).
    void EndLine();
    /// Hands the text not yet handed over to the sink. Nothing is handed over on
    /// destruction: a writer abandoned after a failure writes nothing more.
    void Flush();

private:
    // Makes room for Count more bytes in the buffer.
    char* Room(qsizetype Count);

    TSink FSink;
    QByteArray FBuffer;
    qsizetype FUsed = 0;
    bool FLineStarted = false;
    QStringEncoder FEncoder;
};

/// Every line of Text with its values.
VELKOGRID_EXPORT QList<QStringList> ReadCsvText(const QByteArray& Text, TvgCsvSharing Sharing = TvgCsvSharing::RepeatedValues);
/// The text of Lines as the writer writes it.
VELKOGRID_EXPORT QByteArray WriteCsvText(const QList<QStringList>& Lines);

} // namespace vg
