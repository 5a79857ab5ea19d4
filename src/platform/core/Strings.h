/// \file
/// Lists of strings. TStrings is the interface (text, search, assignment, storage in form
/// files as a list of strings); TStringList keeps the strings itself and can be sorted
/// with duplicates ignored, accepted or refused.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Persistent.h"
#include "platform/core/UpdateCount.h"

#include <QStringList>

#include <functional>

namespace vg {

/// A list of strings as an interface: text, search, assignment, and storage in form files.
/// \ingroup host_core
class VELKOGRID_EXPORT TStrings : public TPersistent {
    VG_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    /// Raise EListError for an index outside the list.
    virtual QString Get(int index) const = 0;
    virtual void Put(int index, const QString& s) = 0;
    virtual void Insert(int index, const QString& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    /// Adds s and answers where it went.
    virtual int Add(const QString& s);
    void AddStrings(const TStrings& other);
    void AddStrings(const QStringList& strings);
    virtual int IndexOf(const QString& s) const;
    void Move(int fromIndex, int toIndex);
    void Exchange(int index1, int index2);

    QString operator[](int index) const { return Get(index); }

    /// The strings joined by line breaks, each line ended by one ("a\nb\n").
    QString Text() const;
    /// Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetText(const QString& text);
    QString CommaText() const;

    QStringList ToStringList() const;
    virtual void SetStrings(const QStringList& strings);
    bool Equals(const TStrings& other) const;

    /// Changes made between BeginUpdate and the matching EndUpdate are reported once.
    void BeginUpdate();
    void EndUpdate();

    void Assign(const TPersistent* source) override;
    /// Stored as the entry "Strings", a list of string values.
    void DefineProperties(TFiler& filer) override;

    std::function<void(TObject* sender)> OnChange;

protected:
    /// Called after each change; fires OnChange outside updates.
    void Changed();
    [[noreturn]] void IndexError(int index) const;

private:
    TUpdateCount FUpdates;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

/// A list of strings that keeps the strings itself and can be sorted, with duplicates ignored,
/// accepted or refused.
/// \ingroup host_core
class VELKOGRID_EXPORT TStringList : public TStrings {
    VG_CLASS(TStringList)
public:
    TStringList() = default;
    explicit TStringList(const QStringList& strings) { SetStrings(strings); }

    int Count() const override { return int(FList.size()); }
    QString Get(int index) const override;
    void Put(int index, const QString& s) override;
    void Insert(int index, const QString& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const QString& s) override;
    int IndexOf(const QString& s) const override;

    /// Kept in order of the string comparison while set; Insert and Put are refused then.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);

    /// Binary search of a sorted list; answers whether s is present and where it is or would go.
    bool Find(const QString& s, int& index) const;
    void Sort();

    const QStringList& Strings() const { return FList; }

private:
    int Compare(const QString& a, const QString& b) const;

    QStringList FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
};

} // namespace vg
