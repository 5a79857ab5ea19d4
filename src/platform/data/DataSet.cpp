#include "platform/data/DataSet.h"

#include "platform/locale/Conversions.h"
#include "platform/locale/DateTime.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace vg {

namespace {

bool TryDateOf(const QDate& date, TDateTime& value)
{
    return date.isValid() && TryEncodeDate(date.year(), date.month(), date.day(), value);
}

TDateTime TimeOf(const QTime& time)
{
    return EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

} // namespace

// ---- Fields

QVariant TField::Value() const
{
    return FDataSet.FieldValue(FIndex);
}

QString TField::AsString() const
{
    QVariant value = Value();
    if (value.isNull())
        return QString();
    TDateTime date = 0;
    switch (value.typeId()) {
    case QMetaType::QString:
        // The text itself, taken out of the value that is let go anyway.
        return std::move(*static_cast<QString*>(value.data()));
    case QMetaType::Double:
    case QMetaType::Float:
        return FloatToStr(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        if (TryDateOf(value.toDate(), date))
            return DateToStr(date);
        break;
    case QMetaType::QTime:
        if (value.toTime().isValid())
            return TimeToStr(TimeOf(value.toTime()));
        break;
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (TryDateOf(dateTime.date(), date))
            return DateTimeToStr(ComposeDateTime(date, TimeOf(dateTime.time())));
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
    }
    default:
        break;
    }
    return value.toString();
}

TField* TFields::FindField(const QString& FieldName) const
{
    for (int i = 0; i < Count(); ++i) {
        TField* field = (*this)[i];
        if (field->FieldName().compare(FieldName, Qt::CaseInsensitive) == 0)
            return field;
    }
    return nullptr;
}

TField* TFields::FieldByName(const QString& FieldName) const
{
    if (TField* field = FindField(FieldName))
        return field;
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(FieldName));
}

// ---- The dataset

const TClassInfo& TDataSet::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TDataSet>(QStringLiteral("TDataSet"), &TObject::StaticClassInfo()).Build();
    return info;
}

void TDataSet::SetActive(bool Value)
{
    if (Value == IsOpen())
        return;
    Unbind();
    if (Value) {
        OpenSource();
        Settle();
    } else {
        CloseSource();
    }
}

void TDataSet::Unbind()
{
    FFieldDefs.FItems.clear();
    FFields.FItems.clear();
    FBound = false;
}

const TDataSet& TDataSet::Bound() const
{
    if (!IsOpen()) {
        const_cast<TDataSet*>(this)->Unbind();
    } else if (!FBound) {
        const QStringList names = SourceFieldNames();
        for (int i = 0; i < names.size(); ++i) {
            FFieldDefs.FItems.push_back(std::make_unique<TFieldDef>(names[i], i));
            FFields.FItems.push_back(std::make_unique<TField>(*this, names[i], i));
        }
        FBound = true;
    }
    return *this;
}

void TDataSet::Settle() const
{
    if (IsOpen() && BeforeFirst())
        const_cast<TDataSet*>(this)->NextRecord();
}

bool TDataSet::Eof() const
{
    Settle();
    return !IsOpen() || !OnRecord();
}

void TDataSet::Next()
{
    if (!Eof())
        NextRecord();
}

void TDataSet::First()
{
    if (!IsOpen())
        throw EDatabaseError(QStringLiteral("Cannot move in a closed dataset"));
    Rewind();
    NextRecord();
}

QVariant TDataSet::FieldValue(int Index) const
{
    // Read for every field of every record: the source is asked whether it is open once.
    if (!IsOpen())
        throw EDatabaseError(QStringLiteral("Cannot read a field of a closed dataset"));
    if (BeforeFirst())
        const_cast<TDataSet*>(this)->NextRecord();
    if (!FBound)
        Bound();
    if (Index < 0 || Index >= FFields.Count())
        RaiseListIndexError(Index);
    return OnRecord() ? RecordValue(Index) : QVariant();
}

} // namespace vg
