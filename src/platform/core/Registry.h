/// \file
/// TRegistry: the current user's settings store, as keys holding named values. It is the
/// application's QSettings in user scope (named after the application's organisation and
/// name); a key is a group path below it, written with "/" or "\" between its parts. Values
/// written here are whole numbers; values of other types can be met when reading, as
/// another program or a person may have put them there.
#pragma once

#include "platform/core/Exceptions.h"
#include "platform/core/Export.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace vg {

/// A value that is missing or is not of the type asked for, or a key that is not open.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(ERegistryException, Exception)

/// The current user's settings store, as keys holding named values, over the application's
/// QSettings in user scope.
/// \ingroup host_core
class VELKOGRID_EXPORT TRegistry {
public:
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    /// Opens Key for the value operations below. Without CanCreate, a key that holds no
    /// values (and so does not exist) is not opened. False when the key cannot be opened:
    /// it does not exist, or the store cannot be written when CanCreate asks to create.
    bool OpenKey(const QString& Key, bool CanCreate);
    bool HasCurrentKey() const { return FOpen; }
    void CloseKey();

    /// The names of the open key's own values (not those of keys below it).
    QStringList GetValueNames() const;
    /// A value that is a whole number within 32 bits, stored as a number or as its text;
    /// ERegistryException for anything else.
    int ReadInteger(const QString& Name) const;
    void WriteInteger(const QString& Name, int Value);
    /// Hands the written values to the store; false when it could not keep them.
    bool Flush();

private:
    void CheckOpen() const;

    std::unique_ptr<QSettings> FSettings;
    bool FOpen = false;
};

} // namespace vg
