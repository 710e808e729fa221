#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

//! Job files on the disk: read whole and put into the windows, or written whole from them,
//! and the name the last one was opened or saved under.
namespace JobFiles {

//! Reads the job file at `path` whole and puts it into the windows; a file that cannot be
//! read, is no regular file (a folder, a pipe, a device), or is not a job this program reads,
//! throws JobFileError naming the file and the first problem, and nothing changes.
void OpenJobFile(const QString& path);
//! As OpenJobFile, for a path given as the system's own bytes (the command line's), which
//! need not be valid text; the message shows the name with the replacement character.
void OpenJobPath(const QByteArray& native);

//! Writes the current job to `path` whole or not at all; a box text too long to keep, or a
//! failed write, throws, and any earlier file stays as it was.
void SaveJobFile(const QString& path);

//! Forgets the name the last job was opened or saved under, as at start-up.
void Forget();

} // namespace JobFiles

//! A job file that cannot be opened; the message names the file and says why in plain words.
class JobFileError : public std::runtime_error
{
public:
    JobFileError(const QString& path, const QString& reason);
};
