#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

//! A file that could not be saved; the message names the file and says why in plain words.
class SaveError : public std::runtime_error
{
public:
    SaveError(const QString& path, const QString& reason);
};

//! Writes a file through a QSaveFile: `write` writes the whole content to the device and
//! says whether it could. The file appears under its name only complete; on any failure a
//! file already there stays as it was, no temporary file is left, and SaveError is thrown.
void SaveSafely(const QString& path, const std::function<bool(QIODevice&)>& write);
