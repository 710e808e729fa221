#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

//! A file that could not be saved; the message names the file and says why in plain words.
class SaveError : public std::runtime_error
{
public:
    SaveError(const QString& path, const QString& reason);
    //! Why, without the file's name: the system's own words, or empty where it gave none.
    const QString& Reason() const { return m_reason; }

private:
    QString m_reason;
};

//! The program's one way of writing a file: `bytes` appear under `path` whole or not at all.
//! Every write, the flush and the sync to the disk are checked before the file takes the name;
//! on any failure a file already there stays byte for byte as it was, no temporary file is
//! left, and SaveError is thrown.
void SaveBytesSafely(const QString& path, const QByteArray& bytes);

//! As SaveBytesSafely, for content that `write` puts out onto a device and says whether it
//! could: it is written into memory first, so that nothing reaches the disk before it is whole.
void SaveSafely(const QString& path, const std::function<bool(QIODevice&)>& write);
