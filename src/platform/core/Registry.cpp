#include "platform/core/Registry.h"

#include <QSettings>

#include <limits>

namespace vg {

namespace {

// The key's parts joined by "/", without empty parts; empty when the key names none.
QString GroupPath(const QString& key)
{
    QString path = key;
    path.replace(u'\\', u'/');
    return path.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

bool FitsInt(qint64 value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

} // namespace

TRegistry::TRegistry() : FSettings(std::make_unique<QSettings>()) {}

TRegistry::~TRegistry() = default;

bool TRegistry::OpenKey(const QString& Key, bool CanCreate)
{
    CloseKey();
    const QString path = GroupPath(Key);
    if (path.isEmpty())
        return false;
    if (CanCreate && !FSettings->isWritable())
        return false;
    FSettings->beginGroup(path);
    if (!CanCreate && FSettings->childKeys().isEmpty() && FSettings->childGroups().isEmpty()) {
        FSettings->endGroup();
        return false;
    }
    FOpen = true;
    return true;
}

void TRegistry::CloseKey()
{
    if (!FOpen)
        return;
    FSettings->endGroup();
    FOpen = false;
}

void TRegistry::CheckOpen() const
{
    if (!FOpen)
        throw ERegistryException(QStringLiteral("No registry key is open"));
}

QStringList TRegistry::GetValueNames() const
{
    CheckOpen();
    return FSettings->childKeys();
}

int TRegistry::ReadInteger(const QString& Name) const
{
    CheckOpen();
    const QVariant value = FSettings->value(Name);
    bool whole = false;
    qint64 number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        number = value.toLongLong(&whole);
        break;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const quint64 n = value.toULongLong(&whole);
        whole = whole && n <= quint64(std::numeric_limits<int>::max());
        number = qint64(n);
        break;
    }
    case QMetaType::QString:
        number = value.toString().toLongLong(&whole, 10);
        break;
    default:
        break;
    }
    if (!whole || !FitsInt(number))
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(Name));
    return int(number);
}

void TRegistry::WriteInteger(const QString& Name, int Value)
{
    CheckOpen();
    FSettings->setValue(Name, Value);
}

bool TRegistry::Flush()
{
    FSettings->sync();
    return FSettings->status() == QSettings::NoError;
}

} // namespace vg
