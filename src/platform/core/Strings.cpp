#include "platform/core/Strings.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"

#include <algorithm>

namespace vg {

const TClassInfo& TStrings::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStrings>(QStringLiteral("TStrings"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

const TClassInfo& TStringList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStringList>(QStringLiteral("TStringList"), &TStrings::StaticClassInfo()).Build();
    return info;
}

// ---- TStrings

int TStrings::Add(const QString& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

void TStrings::AddStrings(const TStrings& other)
{
    AddStrings(other.ToStringList()); // a copy first: other may be this list
}

void TStrings::AddStrings(const QStringList& strings)
{
    WithinUpdate(*this, [this, &strings] {
        for (const QString& s : strings)
            Add(s);
    });
}

int TStrings::IndexOf(const QString& s) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (Get(i).compare(s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TStrings::Move(int fromIndex, int toIndex)
{
    if (fromIndex == toIndex)
        return;
    const QString s = Get(fromIndex);
    if (toIndex < 0 || toIndex >= Count())
        IndexError(toIndex);
    // The copy goes in before the original comes out, so that a list refusing Insert (a
    // sorted one) loses nothing.
    WithinUpdate(*this, [&] {
        if (fromIndex < toIndex) {
            Insert(toIndex + 1, s);
            Delete(fromIndex);
        } else {
            Insert(toIndex, s);
            Delete(fromIndex + 1);
        }
    });
}

void TStrings::Exchange(int index1, int index2)
{
    const QString s1 = Get(index1);
    const QString s2 = Get(index2);
    WithinUpdate(*this, [&] {
        Put(index1, s2);
        Put(index2, s1);
    });
}

QString TStrings::Text() const
{
    QString result;
    for (int i = 0, n = Count(); i < n; ++i) {
        result += Get(i);
        result += u'\n';
    }
    return result;
}

void TStrings::SetText(const QString& text)
{
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = normal.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    SetStrings(lines);
}

QString TStrings::CommaText() const
{
    QStringList parts;
    for (const QString& s : ToStringList()) {
        const bool plain = !s.isEmpty() && std::none_of(s.begin(), s.end(), [](QChar c) {
            return c <= u' ' || c == u',' || c == u'"';
        });
        parts << (plain ? s : u'"' + QString(s).replace(u'"', QStringLiteral("\"\"")) + u'"');
    }
    return parts.join(u',');
}

QStringList TStrings::ToStringList() const
{
    QStringList result;
    result.reserve(Count());
    for (int i = 0, n = Count(); i < n; ++i)
        result << Get(i);
    return result;
}

void TStrings::SetStrings(const QStringList& strings)
{
    WithinUpdate(*this, [this, &strings] {
        Clear();
        AddStrings(strings);
    });
}

bool TStrings::Equals(const TStrings& other) const
{
    return ToStringList() == other.ToStringList();
}

void TStrings::BeginUpdate()
{
    FUpdates.Begin();
}

void TStrings::EndUpdate()
{
    if (FUpdates.End())
        Changed();
}

void TStrings::Changed()
{
    if (FUpdates.Change() && OnChange)
        OnChange(this);
}

void TStrings::IndexError(int index) const
{
    RaiseListIndexError(index);
}

void TStrings::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other != this)
            SetStrings(other->ToStringList());
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer)
{
    filer.DefineProperty(
        QStringLiteral("Strings"), [this](TReader& reader) { SetStrings(reader.ReadStringList()); },
        [this](TWriter& writer) { writer.WriteStringList(ToStringList()); }, Count() > 0);
}

// ---- TStringList

QString TStringList::Get(int index) const
{
    if (index < 0 || index >= Count())
        IndexError(index);
    return FList.at(index);
}

void TStringList::Put(int index, const QString& s)
{
    if (FSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index >= Count())
        IndexError(index);
    if (FList.at(index) == s)
        return;
    FList[index] = s;
    Changed();
}

void TStringList::Insert(int index, const QString& s)
{
    if (FSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    if (index < 0 || index > Count())
        IndexError(index);
    FList.insert(index, s);
    Changed();
}

void TStringList::Delete(int index)
{
    if (index < 0 || index >= Count())
        IndexError(index);
    FList.removeAt(index);
    Changed();
}

void TStringList::Clear()
{
    if (FList.isEmpty())
        return;
    FList.clear();
    Changed();
}

int TStringList::Add(const QString& s)
{
    if (!FSorted) {
        FList.append(s);
        Changed();
        return Count() - 1;
    }
    int index = 0;
    if (Find(s, index)) {
        switch (FDuplicates) {
        case TDuplicates::dupIgnore:
            return index;
        case TDuplicates::dupError:
            throw EListError(QStringLiteral("String list does not allow duplicates"));
        case TDuplicates::dupAccept:
            break;
        }
    }
    FList.insert(index, s);
    Changed();
    return index;
}

int TStringList::IndexOf(const QString& s) const
{
    if (!FSorted) {
        for (int i = 0; i < FList.size(); ++i)
            if (Compare(FList.at(i), s) == 0)
                return i;
        return -1;
    }
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::SetSorted(bool value)
{
    if (FSorted == value)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (FCaseSensitive == value)
        return;
    FCaseSensitive = value;
    if (FSorted)
        Sort();
}

int TStringList::Compare(const QString& a, const QString& b) const
{
    return a.compare(b, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool TStringList::Find(const QString& s, int& index) const
{
    // Lower bound; with duplicates accepted it finds the first of equal strings.
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        const int c = Compare(FList.at(mid), s);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    index = low;
    return found;
}

void TStringList::Sort()
{
    std::stable_sort(FList.begin(), FList.end(), [this](const QString& a, const QString& b) { return Compare(a, b) < 0; });
    Changed();
}

} // namespace vg
