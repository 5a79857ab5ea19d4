#include "platform/hostgrid/PackedRow.h"

#include "platform/core/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <new>

namespace vg {

namespace {

constexpr int32_t MaxRoom = std::numeric_limits<int32_t>::max();

size_t BytesFor(int32_t cellRoom, int32_t charRoom)
{
    return 4 * sizeof(int32_t) + 2 * sizeof(int32_t) * size_t(cellRoom) + sizeof(char16_t) * size_t(charRoom);
}

// Copies a cell's text. Texts are mostly short, and for a few characters a call to memcpy
// costs more than the copy itself: far more on processors where the library's vector copy
// has to switch the state of the vector registers first, which made filling a grid five
// times slower in an application with a window. Short texts are therefore copied by plain
// moves; the empty asm statements keep the compiler from turning the loops back into that
// call.
void CopyChars(char16_t* to, const char16_t* from, qsizetype count)
{
    if (count > 64) {
        std::memcpy(to, from, sizeof(char16_t) * size_t(count));
        return;
    }
    for (; count >= 4; count -= 4, to += 4, from += 4) {
        uint64_t four;
        std::memcpy(&four, from, sizeof four);
        std::memcpy(to, &four, sizeof four);
        asm("" : "+r"(to), "+r"(from));
    }
    for (; count > 0; --count) {
        *to++ = *from++;
        asm("" : "+r"(to), "+r"(from));
    }
}

// Twice the room, at least what is needed and at most what offsets can address.
int32_t Grown(int32_t room, long long needed)
{
    return int32_t(std::min<long long>(std::max<long long>(needed, 2LL * room), MaxRoom));
}

} // namespace

TPackedRow::TPackedRow(const TPackedRow& other)
{
    *this = other;
}

TPackedRow& TPackedRow::operator=(const TPackedRow& other)
{
    if (this == &other)
        return *this;
    if (other.Empty()) {
        Free();
        return *this;
    }
    const THeader& from = other.Header();
    char* data = static_cast<char*>(std::malloc(BytesFor(from.Count, from.Chars)));
    if (!data)
        throw std::bad_alloc();
    Free();
    FData = data;
    Header() = {from.Count, from.Count, from.Chars, from.Chars};
    std::memcpy(Entries(), other.Entries(), sizeof(TEntry) * size_t(from.Count));
    std::memcpy(TextData(), other.TextData(), sizeof(char16_t) * size_t(from.Chars));
    return *this;
}

TPackedRow& TPackedRow::operator=(TPackedRow&& other) noexcept
{
    if (this != &other) {
        Free();
        FData = other.FData;
        other.FData = nullptr;
    }
    return *this;
}

TPackedRow::~TPackedRow()
{
    Free();
}

void TPackedRow::Free()
{
    std::free(FData);
    FData = nullptr;
}

int TPackedRow::Find(int col) const
{
    const int count = Count();
    // Rows are mostly filled from left to right: then the cell goes after the last one.
    if (count == 0 || Entries()[count - 1].Col < col)
        return count;
    const TEntry* first = Entries();
    const TEntry* found =
        std::lower_bound(first, first + count, col, [](const TEntry& entry, int c) { return entry.Col < c; });
    return int(found - first);
}

QStringView TPackedRow::Text(int col) const
{
    if (!FData)
        return {};
    const int i = Find(col);
    if (i == Header().Count || Entries()[i].Col != col)
        return {};
    return TextAt(i);
}

bool TPackedRow::Has(int col) const
{
    return !Text(col).isEmpty();
}

void TPackedRow::Reallocate(int32_t cellRoom, int32_t charRoom)
{
    char* data = static_cast<char*>(std::malloc(BytesFor(cellRoom, charRoom)));
    if (!data)
        throw std::bad_alloc();
    const THeader old = FData ? Header() : THeader{0, 0, 0, 0};
    char* const oldData = FData;
    const TEntry* oldEntries = FData ? Entries() : nullptr;
    const char16_t* oldText = FData ? TextData() : nullptr;
    FData = data;
    Header() = {old.Count, cellRoom, old.Chars, charRoom};
    if (old.Count > 0) {
        std::memcpy(Entries(), oldEntries, sizeof(TEntry) * size_t(old.Count));
        std::memcpy(TextData(), oldText, sizeof(char16_t) * size_t(old.Chars));
    }
    std::free(oldData);
}

void TPackedRow::Reserve(int cells, qsizetype chars)
{
    cells = std::clamp(cells, 1, MaxRoom);
    const int32_t charRoom = int32_t(std::clamp<qsizetype>(chars, 0, MaxRoom));
    if (FData && cells <= Header().CellRoom && charRoom <= Header().CharRoom)
        return;
    Reallocate(std::max(cells, FData ? Header().CellRoom : 0), std::max(charRoom, FData ? Header().CharRoom : 0));
}

void TPackedRow::Trim()
{
    if (!FData)
        return;
    THeader& header = Header();
    if (header.Count == 0) {
        Free();
        return;
    }
    if (header.CellRoom == header.Count && header.CharRoom == header.Chars)
        return;
    // The texts move down behind the last entry, then the allocation shrinks in place.
    const char16_t* text = TextData();
    header.CellRoom = header.Count;
    std::memmove(TextData(), text, sizeof(char16_t) * size_t(header.Chars));
    header.CharRoom = header.Chars;
    if (char* data = static_cast<char*>(std::realloc(FData, BytesFor(header.Count, header.Chars))))
        FData = data;
}

bool TPackedRow::Set(int col, QStringView text)
{
    if (text.size() > MaxRoom)
        throw EInvalidOperation(QStringLiteral("A cell's text can hold at most %1 characters").arg(MaxRoom));
    // A text taken from this very row would move under our feet: copy it first.
    const auto inside = [this](const void* p) {
        return !std::less<const void*>()(p, FData) && std::less<const void*>()(p, TextData() + Header().CharRoom);
    };
    if (FData && !text.isEmpty() && inside(text.utf16())) {
        const QString copy = text.toString();
        return Set(col, copy);
    }
    const int count = Count();
    const int i = Find(col);
    const bool exists = i < count && Entries()[i].Col == col;
    if (!exists && text.isEmpty())
        return false;
    const int32_t start = StartOf(i);
    const int32_t oldEnd = exists ? Entries()[i].End : start;
    if (exists && text == TextAt(i))
        return false;
    if (text.isEmpty()) {
        // The cell goes: the texts and entries after it close up.
        THeader& header = Header();
        const int32_t length = oldEnd - start;
        std::memmove(TextData() + start, TextData() + oldEnd, sizeof(char16_t) * size_t(header.Chars - oldEnd));
        std::memmove(Entries() + i, Entries() + i + 1, sizeof(TEntry) * size_t(count - i - 1));
        for (int j = i; j < count - 1; ++j)
            Entries()[j].End -= length;
        header.Count -= 1;
        header.Chars -= length;
        if (header.Count == 0)
            Free();
        return true;
    }
    const long long delta = text.size() - (oldEnd - start);
    const long long chars = Chars() + delta;
    if (chars > MaxRoom)
        throw EInvalidOperation(QStringLiteral("A row's texts can hold at most %1 characters").arg(MaxRoom));
    const int cells = count + (exists ? 0 : 1);
    if (!FData) {
        Reallocate(cells, int32_t(chars));
    } else if (cells > Header().CellRoom || chars > Header().CharRoom) {
        const THeader& room = Header();
        Reallocate(cells > room.CellRoom ? Grown(room.CellRoom, cells) : room.CellRoom,
                   chars > room.CharRoom ? Grown(room.CharRoom, chars) : room.CharRoom);
    }
    THeader& header = Header();
    // Cells mostly go after the last one, when nothing behind them moves.
    if (oldEnd < header.Chars && delta != 0)
        std::memmove(TextData() + oldEnd + delta, TextData() + oldEnd, sizeof(char16_t) * size_t(header.Chars - oldEnd));
    CopyChars(TextData() + start, text.utf16(), text.size());
    if (!exists) {
        if (i < count)
            std::memmove(Entries() + i + 1, Entries() + i, sizeof(TEntry) * size_t(count - i));
        Entries()[i].Col = col;
        header.Count += 1;
    }
    Entries()[i].End = start + int32_t(text.size());
    for (int j = i + 1; j < header.Count; ++j)
        Entries()[j].End += int32_t(delta);
    header.Chars = int32_t(chars);
    return true;
}

bool TPackedRow::SetMany(std::span<const TCellText> cells)
{
    // First the size of the new row, and whether it differs from this one at all.
    const int count = Count();
    long long newCount = 0;
    long long newChars = 0;
    bool changed = false;
    const auto mergeWith = [&](auto&& keep, auto&& put) {
        int i = 0;
        for (const TCellText& cell : cells) {
            for (; i < count && Entries()[i].Col < cell.Col; ++i)
                keep(i);
            const bool exists = i < count && Entries()[i].Col == cell.Col;
            put(cell, exists ? TextAt(i) : QStringView());
            if (exists)
                ++i;
        }
        for (; i < count; ++i)
            keep(i);
    };
    mergeWith(
        [&](int i) {
            ++newCount;
            newChars += TextAt(i).size();
        },
        [&](const TCellText& cell, QStringView old) {
            changed = changed || old != cell.Text;
            newCount += cell.Text.isEmpty() ? 0 : 1;
            newChars += cell.Text.size();
        });
    if (!changed)
        return false;
    if (newChars > MaxRoom)
        throw EInvalidOperation(QStringLiteral("A row's texts can hold at most %1 characters").arg(MaxRoom));
    // Then the new row, written while this one (which the texts may lie in) still stands.
    TPackedRow packed;
    if (newCount > 0) {
        packed.Reallocate(int32_t(newCount), int32_t(newChars));
        THeader& header = packed.Header();
        const auto append = [&](int col, QStringView text) {
            CopyChars(packed.TextData() + header.Chars, text.utf16(), text.size());
            header.Chars += int32_t(text.size());
            packed.Entries()[header.Count++] = {col, header.Chars};
        };
        mergeWith([&](int i) { append(Entries()[i].Col, TextAt(i)); },
                  [&](const TCellText& cell, QStringView) {
                      if (!cell.Text.isEmpty())
                          append(cell.Col, cell.Text);
                  });
    }
    *this = std::move(packed);
    return true;
}

void TPackedRow::TruncateColumns(int colCount)
{
    if (!FData)
        return;
    const int i = Find(colCount);
    if (i == Header().Count)
        return;
    Header().Chars = StartOf(i);
    Header().Count = i;
    Trim();
}

void TPackedRow::MoveColumn(int from, int to)
{
    if (from == to || !FData)
        return;
    const bool right = from < to;
    const int first = Find(std::min(from, to));
    const int last = Find(std::max(from, to) + 1);
    if (first == last)
        return;
    TEntry* entries = Entries();
    const int moved = right ? first : last - 1;
    if (entries[moved].Col != from) {
        // The column moved holds no text: the others only change their numbers.
        for (int j = first; j < last; ++j)
            entries[j].Col += right ? -1 : 1;
        return;
    }
    // The moved cell's text changes places with the texts of the cells in between, and
    // its entry with theirs; the entries in between keep their texts' lengths.
    char16_t* text = TextData();
    const int32_t start = StartOf(first);
    const int32_t end = entries[last - 1].End;
    const int32_t length = entries[moved].End - StartOf(moved);
    if (right) {
        std::rotate(text + start, text + start + length, text + end);
        for (int j = first; j < last - 1; ++j)
            entries[j] = {entries[j + 1].Col - 1, entries[j + 1].End - length};
        entries[last - 1] = {to, end};
    } else {
        std::rotate(text + start, text + end - length, text + end);
        for (int j = last - 1; j > first; --j)
            entries[j] = {entries[j - 1].Col + 1, entries[j - 1].End + length};
        entries[first] = {to, start + length};
    }
}

} // namespace vg
