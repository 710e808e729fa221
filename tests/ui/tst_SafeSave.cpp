// The program's one way of writing a file, under a real limit on the size of files: a save
// that cannot be written whole never takes the name, and the file it would have replaced
// stays byte for byte as it was.

#include "ui/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

//! What the saving child process writes: `size` bytes that differ from any earlier file.
QByteArray NewContent(int size)
{
    QByteArray bytes(size, 'n');
    if (size > 0)
        bytes[0] = '{';
    return bytes;
}

//! The child's work, in a process of its own whose file-size limit the parent set: saves
//! `size` bytes to `path`, the whole way or through a device, and prints why it failed.
int SaveInChild(const char* path, int size, bool throughDevice)
{
    const QByteArray bytes = NewContent(size);
    try {
        if (throughDevice)
            SaveSafely(QString::fromLocal8Bit(path), [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
        else
            SaveBytesSafely(QString::fromLocal8Bit(path), bytes);
    } catch (const SaveError& error) {
        std::fputs(qPrintable(error.Reason()), stdout);
        return 1;
    }
    return 0;
}

struct ChildResult
{
    bool Saved = false;
    QString Reason;
};

//! Runs the save in a new process under a file-size limit of `limit` bytes, with SIGXFSZ
//! ignored so that an over-long write fails as a write rather than ending the process.
ChildResult SaveUnderLimit(const QString& path, int size, rlim_t limit, bool throughDevice)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {};
    const QByteArray file = QFile::encodeName(path);
    const QByteArray length = QByteArray::number(size);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::close(pipe[0]);
        rlimit lower{};
        ::getrlimit(RLIMIT_FSIZE, &lower);
        lower.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lower);
        std::signal(SIGXFSZ, SIG_IGN);
        const char* arguments[] = {"tst_safesave", "--save", file.constData(), length.constData(),
                                   throughDevice ? "device" : "bytes", nullptr};
        ::execv("/proc/self/exe", const_cast<char* const*>(arguments));
        ::_exit(127);
    }
    ::close(pipe[1]);
    QByteArray said;
    char chunk[256];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, n);
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, QString::fromLocal8Bit(said)};
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

} // namespace

class tst_SafeSave : public QObject
{
    Q_OBJECT

private slots:
    void aFileTakesItsNameWholeOrNotAtAll_data();
    void aFileTakesItsNameWholeOrNotAtAll();
};

void tst_SafeSave::aFileTakesItsNameWholeOrNotAtAll_data()
{
    QTest::addColumn<bool>("earlier");       // a 117-byte job is there before
    QTest::addColumn<int>("size");           // bytes of the new file
    QTest::addColumn<int>("limit");          // the largest file the process may write
    QTest::addColumn<bool>("throughDevice"); // written onto a device first, as pictures are
    QTest::addColumn<bool>("saved");

    // A small file sits in a buffered device's memory until the file is committed: these rows
    // are the ones where a failed last write once went unseen.
    QTest::newRow("small job over the limit") << true << 2000 << 1024 << false << false;
    QTest::newRow("one byte over the limit") << true << 1025 << 1024 << false << false;
    QTest::newRow("exactly the limit") << true << 1024 << 1024 << false << true;
    QTest::newRow("within the limit") << true << 500 << 1024 << false << true;
    QTest::newRow("no earlier file, over the limit") << false << 2000 << 1024 << false << false;
    QTest::newRow("large document over the limit") << true << 100000 << 4096 << false << false;
    QTest::newRow("through a device, over the limit") << true << 2000 << 1024 << true << false;
    QTest::newRow("through a device, within the limit") << true << 1000 << 1024 << true << true;
}

void tst_SafeSave::aFileTakesItsNameWholeOrNotAtAll()
{
    QFETCH(bool, earlier);
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, throughDevice);
    QFETCH(bool, saved);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("m31.orvalis"));
    const QByteArray before = QByteArray(116, 'o') + '\n';
    if (earlier) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    }

    const ChildResult result = SaveUnderLimit(path, size, static_cast<rlim_t>(limit), throughDevice);
    QCOMPARE(result.Saved, saved);
    if (saved) {
        QCOMPARE(Contents(path), NewContent(size));
    } else {
        QCOMPARE(result.Reason, QStringLiteral("File too large"));
        QCOMPARE(Contents(path), earlier ? before : QByteArray("(no file)"));
    }
    // No temporary file left beside it.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), earlier || saved ? 1 : 0);
}

int main(int argc, char* argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--save") == 0)
        return SaveInChild(argv[2], std::atoi(argv[3]), qstrcmp(argv[4], "device") == 0);
    tst_SafeSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SafeSave.moc"
