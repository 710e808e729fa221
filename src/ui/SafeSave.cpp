#include "ui/SafeSave.h"

#include <QBuffer>
#include <QDir>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

SaveError::SaveError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("Could not save \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path),
                                  reason.isEmpty() ? QStringLiteral("the file could not be written") : reason)
                             .toStdString()),
      m_reason(reason)
{
}

namespace {

//! Why the file failed: its own error where it has one, else the system's last.
QString Reason(const QSaveFile& file, int systemError)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError)) : QString();
}

} // namespace

void SaveBytesSafely(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered: each write reaches the system at once and its failure is seen there. A
    // buffered device writes its last bytes out only as the file is committed, and the commit
    // does not look at whether that worked, so a cut-short file took the name.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw SaveError(path, file.errorString());
    const auto fail = [&file, &path](int systemError) {
        const QString reason = Reason(file, systemError);
        file.cancelWriting();
        throw SaveError(path, reason);
    };
    for (qint64 done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            fail(errno);
        done += written;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        fail(errno);
    // A full disk may take the writes into memory and refuse them only on their way to it.
    if (::fsync(file.handle()) != 0)
        fail(errno);
    if (!file.commit())
        fail(errno);
}

void SaveSafely(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        throw SaveError(path, QString());
    buffer.close();
    SaveBytesSafely(path, bytes);
}
