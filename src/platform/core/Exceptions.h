/// \file
/// The exception hierarchy of the host layer. Everything the library raises derives from
/// vg::Exception, which carries a message and is a std::exception, so callers can catch
/// either. The framework errors below are the ones that callers of the grid are expected
/// to see and handle: conversions, list indices, casts, assignments and streams.
#pragma once

#include "platform/core/Export.h"

#include <QString>
#include <QByteArray>
#include <exception>

namespace vg {

/// The root of everything the library raises: a message, and a std::exception whose what() is
/// the message in UTF-8.
/// \ingroup host_core
class VELKOGRID_EXPORT Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// Declares an exception class that adds nothing but its type to its base.
#define VG_DECLARE_EXCEPTION(Name, Base)                                    \
    class VELKOGRID_EXPORT Name : public Base {                             \
    public:                                                                 \
        using Base::Base;                                                   \
    };

/// Text that does not convert to the value asked for (number, date, time).
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EConvertError, Exception)
/// An index outside a list or collection.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EListError, Exception)
/// Raises the list index error for index.
[[noreturn]] inline void RaiseListIndexError(qsizetype index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

/// An object that is not of the class an operation requires.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EInvalidCast, Exception)
/// Assign between objects that do not know each other.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EAssignError, Exception)
/// A stream or file that cannot be opened, read or written.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EStreamError, Exception)
/// A form file or other stored text that is malformed or names what does not exist.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EReadError, EStreamError)
/// A picture file or picture data that cannot be decoded.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
/// A failed write of stored data.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EWriteError, EStreamError)
/// An operation that the object cannot carry out in its present state or with these
/// arguments (a message number outside the message range, a control without a window).
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EInvalidOperation, Exception)
/// A resource asked for by a name that no resource has.
/// \ingroup host_core
VG_DECLARE_EXCEPTION(EResNotFound, Exception)

} // namespace vg
