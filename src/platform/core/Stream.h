/// \file
/// TStream: reading and writing a QIODevice (a file, a buffer, a socket, a process) with the
/// failures raised instead of returned. A read that fails raises EReadError, a write that
/// fails or falls short raises EWriteError, so that nothing is taken as read or written that
/// was not. Bytes pass unchanged: while the stream works, the device's text mode (which
/// would translate line ends) is switched off, and it is switched back on afterwards.
#pragma once

#include "platform/core/Export.h"

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace vg {

/// Reads and writes a QIODevice with its failures raised (EReadError, EWriteError) instead of
/// returned; bytes pass unchanged.
/// \ingroup host_core
class VELKOGRID_EXPORT TStream {
public:
    /// The device must be open for what the stream is asked to do; the stream neither opens
    /// nor closes it.
    explicit TStream(QIODevice& Device);
    ~TStream();
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    QIODevice& Device() const { return FDevice; }

    /// Every byte from the device's position to its end. A sequential device (a socket, a
    /// process) is read until it holds no more bytes: the caller waits for it to finish
    /// first when the whole text is wanted.
    /// The size a device answers is a hint, not a promise: the room taken on its word is
    /// capped, and a text for which memory runs out raises EReadError.
    QByteArray ReadToEnd();

    /// Writes all of Data at the device's position.
    void Write(QByteArrayView Data);
    /// Hands what the device buffers to the system (files), so that a failure to store it
    /// is raised here and not lost when the device is closed.
    void Flush();

private:
    [[noreturn]] void RaiseReadError() const;
    [[noreturn]] void RaiseWriteError() const;

    QIODevice& FDevice;
    bool FTextMode;
};

} // namespace vg
