/// \file
/// TDataSet: records of named fields read one after the other from a source, the way
/// applications hand database results to controls. A dataset is opened (Active), stands on
/// one record at a time from its first on, and moves on with Next until Eof. Its fields
/// (Fields) read the current record; its field definitions (FieldDefs) name them.
/// Descendants connect a source: TSqlQueryDataSet a Qt SQL query, TItemModelDataSet the rows
/// of a Qt item model.
///
/// Failures of the source (a query that does not run, a record that cannot be fetched) raise
/// EDatabaseError with the source's own message.
#pragma once

#include "platform/core/Exceptions.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

namespace vg {

/// A failure of a dataset's source (a query that does not run, a record that cannot be
/// fetched), with the source's own message.
/// \ingroup host_data
VG_DECLARE_EXCEPTION(EDatabaseError, Exception)

class TDataSet;

/// The definition of one field of a dataset: its name and index.
/// \ingroup host_data
class VELKOGRID_EXPORT TFieldDef {
public:
    TFieldDef(QString Name, int Index) : FName(std::move(Name)), FIndex(Index) {}
    const QString& Name() const { return FName; }
    int Index() const { return FIndex; }

private:
    QString FName;
    int FIndex;
};

/// One field of the dataset's records, read from the record the dataset stands on.
/// \ingroup host_data
class VELKOGRID_EXPORT TField {
public:
    TField(const TDataSet& DataSet, QString FieldName, int Index)
        : FDataSet(DataSet), FFieldName(std::move(FieldName)), FIndex(Index)
    {
    }
    const QString& FieldName() const { return FFieldName; }
    int Index() const { return FIndex; }

    /// The value in the current record; null past the last record.
    QVariant Value() const;
    bool IsNull() const { return Value().isNull(); }
    /// The value as text, in the forms the regional settings read back: numbers with
    /// FloatToStr, dates and times with DateToStr, TimeToStr and DateTimeToStr, True or
    /// False, and text as it is; empty for null. Bytes are read as UTF-8 when they are
    /// valid UTF-8 and as Latin-1 otherwise, so that none is replaced.
    QString AsString() const;

private:
    const TDataSet& FDataSet;
    QString FFieldName;
    int FIndex;
};

/// An indexed list of T; an index outside it raises EListError.
/// \ingroup host_data
template <class T>
class TDataSetList {
public:
    int Count() const { return int(FItems.size()); }
    T* operator[](int Index) const
    {
        if (Index < 0 || Index >= Count())
            RaiseListIndexError(Index);
        return FItems[size_t(Index)].get();
    }

private:
    friend class TDataSet;
    std::vector<std::unique_ptr<T>> FItems;
};

using TFieldDefs = TDataSetList<TFieldDef>;

/// The fields of a dataset's records, read from the record the dataset stands on.
/// \ingroup host_data
class VELKOGRID_EXPORT TFields : public TDataSetList<TField> {
public:
    /// The field of that name (ignoring case), or null.
    TField* FindField(const QString& FieldName) const;
    /// The same, raising EDatabaseError when no field has the name.
    TField* FieldByName(const QString& FieldName) const;
};

/// Records of named fields read one after the other from a source. A dataset is opened (Active),
/// stands on one record at a time from its first on and moves on with Next until Eof; failures of
/// the source raise EDatabaseError. TVelkoGrid::LoadFromDataSet fills a grid from one.
/// \ingroup host_data
class VELKOGRID_EXPORT TDataSet : public TObject {
    VG_CLASS(TDataSet)
public:
    TDataSet() = default;

    bool Active() const { return IsOpen(); }
    /// Opening runs the source and stands on its first record; closing lets it go.
    void SetActive(bool Value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }

    /// The fields and their definitions, in the source's order; none while closed.
    int FieldCount() const { return Bound().FFields.Count(); }
    const TFieldDefs& FieldDefs() const { return Bound().FFieldDefs; }
    const TFields& Fields() const { return Bound().FFields; }

    /// Whether the dataset stands past its last record (at once when it has none); true
    /// while it is closed.
    bool Eof() const;
    /// Moves to the next record; at Eof it stays there.
    void Next();
    /// Moves back to the first record, for sources that can (EDatabaseError otherwise).
    void First();

    /// The value of field Index in the current record; null past the last record.
    /// EDatabaseError while the dataset is closed.
    QVariant FieldValue(int Index) const;

protected:
    /// What a source provides.
    virtual bool IsOpen() const = 0;
    /// Runs the source, standing before its first record.
    virtual void OpenSource() = 0;
    virtual void CloseSource() = 0;
    virtual QStringList SourceFieldNames() const = 0;
    /// Moves to the next record; false, standing past the last one, when there is none.
    virtual bool NextRecord() = 0;
    /// Moves before the first record.
    virtual void Rewind() = 0;
    /// Whether the source stands on a record, and whether it stands before the first one.
    virtual bool OnRecord() const = 0;
    virtual bool BeforeFirst() const = 0;
    virtual QVariant RecordValue(int Index) const = 0;

private:
    // A source that its owner opened and did not move yet stands before its first record;
    // the dataset stands on that record once it is asked anything.
    void Settle() const;
    // The dataset with its fields made for the open source.
    const TDataSet& Bound() const;
    void Unbind();

    // Made when first asked for after opening; the dataset's source may have been opened
    // by its owner, and the fields follow what it holds.
    mutable TFieldDefs FFieldDefs;
    mutable TFields FFields;
    mutable bool FBound = false;
};

} // namespace vg
