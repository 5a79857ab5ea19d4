#include "platform/core/Stream.h"

#include "platform/core/Exceptions.h"

#include <QFileDevice>
#include <QIODevice>

#include <algorithm>
#include <new>

namespace vg {

namespace {

// Bytes asked for at a time when the device does not tell its size.
constexpr qsizetype ReadChunk = qsizetype(1) << 16;
// The most room taken on the word of a device's size: a device may answer any size. A
// larger text is read all the same, its room growing as it comes.
constexpr qint64 MaxSizeHint = qint64(1) << 28;

QString DeviceName(const QIODevice& device)
{
    if (const auto* file = qobject_cast<const QFileDevice*>(&device); file && !file->fileName().isEmpty())
        return file->fileName();
    return QStringLiteral("the stream");
}

} // namespace

TStream::TStream(QIODevice& Device) : FDevice(Device), FTextMode(Device.isTextModeEnabled())
{
    if (FTextMode)
        FDevice.setTextModeEnabled(false);
}

TStream::~TStream()
{
    if (FTextMode && FDevice.isOpen())
        FDevice.setTextModeEnabled(true);
}

void TStream::RaiseReadError() const
{
    throw EReadError(QStringLiteral("Cannot read %1: %2").arg(DeviceName(FDevice), FDevice.errorString()));
}

void TStream::RaiseWriteError() const
{
    throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(DeviceName(FDevice), FDevice.errorString()));
}

QByteArray TStream::ReadToEnd()
{
    if (!FDevice.isReadable())
        RaiseReadError();
    QByteArray data;
    try {
        if (!FDevice.isSequential())
            data.reserve(qsizetype(std::clamp<qint64>(FDevice.size() - FDevice.pos(), 0, MaxSizeHint)) + ReadChunk);
        for (;;) {
            const qsizetype filled = data.size();
            if (data.capacity() - filled < ReadChunk)
                data.reserve(std::max(2 * data.capacity(), filled + ReadChunk));
            const qsizetype room = data.capacity() - filled;
            data.resize(filled + room);
            const qint64 got = FDevice.read(data.data() + filled, room);
            if (got < 0)
                RaiseReadError();
            data.resize(filled + qsizetype(got));
            if (got == 0)
                break;
        }
    } catch (const std::bad_alloc&) {
        throw EReadError(QStringLiteral("Cannot read %1: out of memory after %2 bytes")
                             .arg(DeviceName(FDevice))
                             .arg(data.size()));
    }
    return data;
}

void TStream::Write(QByteArrayView Data)
{
    if (!FDevice.isWritable())
        RaiseWriteError();
    qsizetype done = 0;
    while (done < Data.size()) {
        const qint64 written = FDevice.write(Data.data() + done, Data.size() - done);
        if (written <= 0)
            RaiseWriteError();
        done += qsizetype(written);
    }
}

void TStream::Flush()
{
    if (auto* file = qobject_cast<QFileDevice*>(&FDevice); file && !file->flush())
        RaiseWriteError();
}

} // namespace vg
