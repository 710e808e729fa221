#include "ui/SafeSave.h"

#include <QDir>
#include <QSaveFile>

SaveError::SaveError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("Could not save \"%1\": %2")
                             .arg(QDir::toNativeSeparators(path),
                                  reason.isEmpty() ? QStringLiteral("the file could not be written") : reason)
                             .toStdString())
{
}

void SaveSafely(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw SaveError(path, file.errorString());
    const bool written = write(file);
    // QSaveFile refuses to commit a file any of whose writes failed, and only then says why.
    if (written && file.commit())
        return;
    const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    file.cancelWriting();
    throw SaveError(path, reason);
}
