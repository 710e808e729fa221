#include "app/JobFiles.h"

#include "app/JobVocabulary.h"
#include "app/JobWindows.h"
#include "app/ProgramWindows.h"
#include "app/TStartForm.h"
#include "ui/ErrorReport.h"
#include "ui/SafeSave.h"
#include "ui/SaveDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

JobFileError::JobFileError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("Could not open the job \"%1\": %2").arg(QDir::toNativeSeparators(path), reason).toStdString())
{
}

namespace {

//! The name a job was last opened or saved under, offered again.
QString& LastJobName()
{
    static QString name;
    return name;
}

} // namespace

namespace JobFiles {

namespace {

//! Why a path that is there is no file to read, in plain words.
QString NotAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file.");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe, not a file; only files are opened.");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file; only files are opened.");
    return QStringLiteral("it is a device, not a file; only files are opened.");
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

//! The whole of the job file named by `native`, the path's own bytes. Only a regular file is
//! read: the path is opened without waiting, so that a pipe nobody writes to cannot hold the
//! program at the open, and what was opened, not the name beforehand, decides.
QByteArray ReadJobBytes(const QByteArray& native, const QString& shown)
{
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw JobFileError(shown, error == ENOENT ? QStringLiteral("there is no such file.")
                                                  : QStringLiteral("the file cannot be read: %1.").arg(SystemReason(error)));
    }
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throw JobFileError(shown, QStringLiteral("the file cannot be read: %1.").arg(SystemReason(errno)));
    if (!S_ISREG(status.st_mode))
        throw JobFileError(shown, NotAFile(status.st_mode));
    if (status.st_size > Job::LargestFile)
        throw JobFileError(shown, QStringLiteral("the file is larger than 1 MiB."));
    // A file still growing is read only as far as a job can reach.
    QByteArray bytes(Job::LargestFile + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t read = ::read(fd, bytes.data() + size, static_cast<std::size_t>(bytes.size() - size));
        if (read == 0)
            break;
        if (read < 0) {
            if (errno == EINTR)
                continue;
            throw JobFileError(shown, QStringLiteral("the file cannot be read: %1.").arg(SystemReason(errno)));
        }
        size += read;
    }
    bytes.truncate(size);
    return bytes;
}

} // namespace

void OpenJobFile(const QString& path)
{
    OpenJobPath(QFile::encodeName(path));
}

void OpenJobPath(const QByteArray& native)
{
    // A name that is not valid text is shown with the replacement character, and still opened.
    const QString shown = QFile::decodeName(native);
    const std::variant<Job::Data, QString> read = Job::Read(ReadJobBytes(native, shown), JobVocabulary());
    if (const QString* problem = std::get_if<QString>(&read))
        throw JobFileError(shown, *problem);
    JobWindows::ApplyJob(std::get<Job::Data>(read));
}

void SaveJobFile(const QString& path)
{
    const Job::Data job = JobWindows::CurrentJob();
    if (const QString box = Job::OverlongBox(job); !box.isEmpty())
        throw SaveError(path, QStringLiteral("%1 holds more than %2 characters, more than a job keeps.").arg(box).arg(Job::LongestText));
    const QByteArray bytes = Job::Write(job);
    // No job is written that the program would not open again.
    if (const auto read = Job::Read(bytes, JobVocabulary()); std::holds_alternative<QString>(read))
        throw SaveError(path, std::get<QString>(read));
    SaveSafely(path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

void Forget()
{
    LastJobName().clear();
}

} // namespace JobFiles

namespace {

const QString JobFilter = QStringLiteral("Orvalis Calculator jobs (*.orvalis)");

//! The start window's title names the job last opened or saved under a name.
void ShowJobName(const QString& path)
{
    Windows().StartForm->setWindowTitle(QStringLiteral("Orvalis Calculator - %1").arg(QFileInfo(path).fileName()));
}

} // namespace

void AskToOpenJob(QWidget* from)
{
    SaveDialogs::AskToOpen(from, QStringLiteral("Open Job"), JobFilter, [](const QString& path) {
        JobFiles::OpenJobFile(path);
        LastJobName() = QFileInfo(path).fileName();
        ShowJobName(path);
    });
}

void AskToSaveJob(QWidget* from)
{
    const QString suggested = LastJobName().isEmpty() ? QStringLiteral("Job") + QLatin1String(Job::Suffix) : LastJobName();
    // "m31.v2" is saved as "m31.v2.orvalis": the question is about that file, never "m31.v2".
    SaveDialogs::AskToSaveCompleted(from, QStringLiteral("Save Job"), suggested, JobFilter, QStringLiteral("orvalis"),
                                    &Job::WithSuffix, [](const QString& path) {
                                        JobFiles::SaveJobFile(path);
                                        LastJobName() = QFileInfo(path).fileName();
                                        ShowJobName(path);
                                    });
}

void OpenJobAtStart(const QByteArray& native)
{
    Guarded([&native] {
        JobFiles::OpenJobPath(native);
        const QString path = QFile::decodeName(native);
        LastJobName() = QFileInfo(path).fileName();
        ShowJobName(path);
        // "Save Job..." then offers the job's own folder, as after "Open Job...".
        SaveDialogs::RememberFolderOf(path);
    });
}
