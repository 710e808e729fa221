// Saving a sheet as a PDF file, on a machine whose print server is configured but never
// answers: the program's CUPS client is pointed at a socket of the test's own that takes every
// connection and says nothing. The export must not wait for it, nor even ask it.

#include "PdfText.h"
#include "TestSupport.h"

#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/TOpticReportForm.h"
#include "print/PrinterText.h"
#include "print/WindowPrinting.h"
#include "ui/SaveDialogs.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include <dlfcn.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

//! A lower limit on the size of any file this process writes, for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        if (bytes == 0)
            return;
        rlimit lower = m_before;
        lower.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_before);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    bool m_set = false;
};

//! A print server that never answers: a socket that takes every connection and then holds it
//! without a word, as a CUPS server does that hangs. It counts who came. A connection is let
//! go after a few seconds, so that a program that does ask fails the test in seconds rather
//! than after CUPS's own timeout of minutes.
class SilentServer
{
public:
    explicit SilentServer(const QString& path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = path.toLocal8Bit();
        if (name.size() >= qsizetype(sizeof address.sun_path))
            return;
        std::copy(name.begin(), name.end(), address.sun_path);
        m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(m_socket, 16) != 0)
            return;
        m_listening = true;
        m_thread = std::thread([this] { Serve(); });
    }
    ~SilentServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_socket >= 0)
            ::close(m_socket);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    bool Listening() const { return m_listening; }
    int Connections() const { return m_connections; }

private:
    void Serve()
    {
        using Clock = std::chrono::steady_clock;
        std::vector<std::pair<int, Clock::time_point>> held;
        while (!m_stop) {
            pollfd waiting{m_socket, POLLIN, 0};
            if (::poll(&waiting, 1, 50) > 0) {
                const int client = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
                if (client >= 0) {
                    ++m_connections;
                    held.emplace_back(client, Clock::now());
                }
            }
            std::erase_if(held, [](const auto& connection) {
                const bool expired = Clock::now() - connection.second > std::chrono::seconds(5);
                if (expired)
                    ::close(connection.first);
                return expired;
            });
        }
        for (const auto& connection : held)
            ::close(connection.first);
    }

    int m_socket = -1;
    bool m_listening = false;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_connections = 0;
    std::thread m_thread;
};

SilentServer* PrintServer = nullptr; // made in main, where CUPS_SERVER is set

//! Whether the CUPS client library is loaded in this process: it comes only with Qt's print
//! plugin, which any QPrinter or QPrinterInfo loads.
bool CupsLoaded()
{
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (library)
        dlclose(library);
    return library != nullptr;
}

} // namespace

class tst_PdfExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void paperOfTheLocale_data();
    void paperOfTheLocale();
    void sheetOnTheLocalesPaper_data();
    void sheetOnTheLocalesPaper();
    void firstFolderOffered_data();
    void firstFolderOffered();
    void failuresLeaveEveryFileAsItWas_data();
    void failuresLeaveEveryFileAsItWas();
    void arithmeticErrorWritesNoFile_data();
    void arithmeticErrorWritesNoFile();
    void theRealDialogIsModelessAndAddsTheSuffix();

private:
    //! The save dialog answered by m_answer, each question kept in m_asked.
    void AnswerByScript();
    //! File, then "Export as PDF...", with the keyboard.
    void ChooseExport(QMainWindow* window, QMenuBar* menuBar, QMenu* file, QAction* item);
    void ChooseExport() { ChooseExport(m_form, m_form->MainMenu1, m_form->File1, m_form->ExportasPDF1); }

    std::unique_ptr<RunningProgram> m_program;
    TForm1* m_form = nullptr;
    QTemporaryDir m_folder;
    QList<SaveDialogs::Request> m_asked;
    QString m_answer; // what the scripted dialog answers: a path, or empty for Cancel
    int m_connectionsBefore = 0;
    bool m_cupsLoadedBefore = false;
};

//! Answers the real dialog with a name typed in it, as a user does, and waits until it has gone
//! and the window is active again. Where the name is taken, the dialog's own "replace?" box is
//! answered Yes, and `replaced` says whether it was asked.
static void TypeNameInDialog(QMainWindow* window, const QString& name, bool& replaced)
{
    replaced = false;
    // The dialog asks in a box of its own, which runs until answered: answered from a timer.
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&replaced] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && QTest::qWaitForWindowActive(box)) {
            replaced = true;
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerer.start(20);
    const auto dialogs = [window] { return window->findChildren<QFileDialog*>(); };
    QTRY_COMPARE(dialogs().size(), 1);
    QFileDialog* dialog = dialogs().first();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, name);
    // On a real window system the name's completions may pop up while typing, and would take
    // the Return for themselves: closed first, as a user would.
    if (QCompleter* completer = edit->completer(); completer && completer->popup()->isVisible())
        completer->popup()->hide();
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY(dialogs().isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void tst_PdfExport::init()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(PrintServer->Listening());
    m_connectionsBefore = PrintServer->Connections();
    m_cupsLoadedBefore = CupsLoaded();
    m_program = std::make_unique<RunningProgram>();
    SaveDialogs::ForgetLastFolder();
    m_asked.clear();
    AnswerByScript();
    m_form = Windows().Form1;
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton); // "Calculate Exposures"
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QVERIFY(PickItem(m_form->BrightnessBox, 7)); // "   3.4      Moon, full"
}

void tst_PdfExport::AnswerByScript()
{
    SaveDialogs::SetAnswerer([this](const SaveDialogs::Request& request) {
        m_asked.append(request);
        return m_answer;
    });
}

void tst_PdfExport::cleanup()
{
    SaveDialogs::SetAnswerer({});
    QLocale::setDefault(QLocale::system());
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
    // Every test here exports: none asked the print server, nor loaded Qt's print plugin.
    QCOMPARE(PrintServer->Connections(), m_connectionsBefore);
    if (!m_cupsLoadedBefore)
        QVERIFY(!CupsLoaded());
}

void tst_PdfExport::ChooseExport(QMainWindow* window, QMenuBar* menuBar, QMenu* file, QAction* item)
{
    QTest::keyClick(window, Qt::Key_Alt);
    QCOMPARE(menuBar->activeAction(), file->menuAction());
    QTest::keyClick(menuBar, Qt::Key_Down);
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_Down);
    QCOMPARE(file->activeAction(), item);
    QTest::keyClick(file, Qt::Key_Return);
}

void tst_PdfExport::paperOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("letter"); // US Letter, otherwise A4

    QTest::newRow("C") << "C" << false;
    QTest::newRow("United States") << "en_US" << true;
    QTest::newRow("United States, Spanish") << "es_US" << true;
    QTest::newRow("United Kingdom, imperial but not US") << "en_GB" << false;
    QTest::newRow("Canada, French") << "fr_CA" << true;
    QTest::newRow("Canada, English") << "en_CA" << true;
    QTest::newRow("Mexico") << "es_MX" << true;
    QTest::newRow("Spain, the language of Mexico") << "es_ES" << false;
    QTest::newRow("France, the language of Canada") << "fr_FR" << false;
    QTest::newRow("Germany") << "de_DE" << false;
    QTest::newRow("Brazil") << "pt_BR" << false;
}

void tst_PdfExport::paperOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, letter);
    QCOMPARE(PaperOfLocale(QLocale(locale)), letter ? QPageSize::Letter : QPageSize::A4);
}

void tst_PdfExport::sheetOnTheLocalesPaper_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pageSize"); // as pdfinfo writes it

    QTest::newRow("C: A4") << "C" << "595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)";
    QTest::newRow("United States: Letter") << "en_US" << "612 x 792 pts \\(letter\\)";
}

void tst_PdfExport::sheetOnTheLocalesPaper()
{
    QFETCH(QString, locale);
    QFETCH(QString, pageSize);
    QLocale::setDefault(QLocale(locale));
    m_answer = m_folder.filePath(QStringLiteral("moon.pdf"));
    QElapsedTimer timer;
    timer.start();
    ChooseExport();
    // Milliseconds, where a print server that never answers holds the one who asks for minutes.
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked[0].DefaultSuffix, QStringLiteral("pdf"));

    const QString info = QString::fromUtf8(Output("pdfinfo", {m_answer}));
    QVERIFY2(info.contains(QRegularExpression("Title: +Orvalis Exposure Calculator\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size: +" + pageSize)), qPrintable(info));
    const QStringList lines = TextLines(m_answer);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.first(), QStringLiteral("Orvalis Exposure Calculator"));
    QVERIFY2(lines.contains(QStringLiteral("Suggested exposure: 0.004 s = 1/250 s")), qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines.last(), QStringLiteral("Compliments of Quillmarsh, by Penwright."));
    // The page's margin is 10 points: the title starts there after the sheet's indent, twelve
    // blanks of a quarter of 14 points each.
    static const QRegularExpression firstWord(QStringLiteral("<word xMin=\"([^\"]*)\""));
    const QRegularExpressionMatch left = firstWord.match(QString::fromUtf8(Output("pdftotext", {"-bbox", m_answer, "-"})));
    QVERIFY(left.hasMatch());
    QVERIFY2(qAbs(left.captured(1).toDouble() - (10 + 12 * 14 / 4.0)) < 0.2, qPrintable(left.captured(1)));
}

void tst_PdfExport::firstFolderOffered_data()
{
    QTest::addColumn<bool>("documents"); // the home folder has a Documents folder

    // First: for a folder that does not exist Qt's dialog falls back on the folder it showed
    // last, and only in a run that has shown none on the working directory.
    QTest::newRow("no documents folder: home, not the working directory") << false;
    QTest::newRow("documents folder") << true;
}

void tst_PdfExport::firstFolderOffered()
{
    QFETCH(bool, documents);
    const QDir home = QDir::home();
    const QString documentsFolder = home.filePath(QStringLiteral("Documents"));
    QVERIFY(documents ? home.mkpath(QStringLiteral("Documents")) : QDir(documentsFolder).removeRecursively());
    const auto removeDocuments = qScopeGuard([&] { QDir(documentsFolder).removeRecursively(); });
    QVERIFY(QDir::setCurrent(m_folder.path())); // a working directory that is neither

    // The real dialog, as the user sees it: the sheet's title in the first folder.
    SaveDialogs::SetAnswerer({});
    ChooseExport();
    const auto dialogs = [this] { return m_form->findChildren<QFileDialog*>(); };
    QTRY_COMPARE(dialogs().size(), 1);
    QFileDialog* dialog = dialogs().first();
    const QString first = documents ? documentsFolder : home.path();
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(first).canonicalPath());
    QCOMPARE(dialog->selectedFiles(), QStringList{QDir(first).filePath(QStringLiteral("Orvalis Exposure Calculator.pdf"))});
    dialog->reject();
    QTRY_VERIFY(dialogs().isEmpty());
    AnswerByScript();

    // Afterwards the folder last written to, whichever window asks, with that window's title.
    m_answer = m_folder.filePath(QStringLiteral("moon.pdf"));
    ChooseExport();
    QVERIFY(QFile::exists(m_answer));
    m_answer.clear();
    Windows().OpticReportForm->ExportasPDF1->trigger();
    QCOMPARE(m_asked.size(), 2);
    QCOMPARE(m_asked[1].SuggestedPath, m_folder.filePath(QStringLiteral("Orvalis Optical Calculations.pdf")));
}

void tst_PdfExport::failuresLeaveEveryFileAsItWas_data()
{
    QTest::addColumn<QString>("name");     // in the test's folder
    QTest::addColumn<bool>("existing");    // a file of that name is there before
    QTest::addColumn<int>("sizeLimit");    // bytes any file may have, or 0 for no limit
    QTest::addColumn<QString>("reason");   // the end of the box's text, or empty for no box

    QTest::newRow("folder that does not exist") << "missing/sheet.pdf" << false << 0 << "No such file or directory.";
    QTest::newRow("name of a folder") << "folder" << false << 0 << "Filename refers to a directory.";
    QTest::newRow("write fails part way, old file kept") << "sheet.pdf" << true << 4000 << "File too large.";
    QTest::newRow("cancel, old file kept") << "" << true << 0 << "";
}

void tst_PdfExport::failuresLeaveEveryFileAsItWas()
{
    QFETCH(QString, name);
    QFETCH(bool, existing);
    QFETCH(int, sizeLimit);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
    const QByteArray old("an earlier sheet");
    const QString path = name.isEmpty() ? QString() : folder.filePath(name);
    const QString kept = folder.filePath(QStringLiteral("sheet.pdf"));
    if (existing) {
        QFile file(kept);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
    }
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    m_answer = path;
    {
        const FileSizeLimit limit(static_cast<rlim_t>(sizeLimit));
        ChooseExport();
    }
    QCOMPARE(m_asked.size(), 1); // the dialog was asked, and answered as the row says
    const QStringList boxes = m_program->Boxes.TakeTexts();
    // Nothing was written, so the next question offers the folder the first one offered.
    m_answer.clear();
    ChooseExport();
    QCOMPARE(m_asked.size(), 2);
    QCOMPARE(m_asked[1].SuggestedPath, m_asked[0].SuggestedPath);
    if (reason.isEmpty()) {
        QCOMPARE(boxes, QStringList());
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0], QStringLiteral("Could not save \"%1\": %2").arg(path, reason));
    }
    // No stray temporary file, nothing new, and the earlier file untouched.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    if (existing)
        QCOMPARE(Contents(kept), old);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_PdfExport::arithmeticErrorWritesNoFile_data()
{
    QTest::addColumn<bool>("realDialog");
    QTest::addColumn<bool>("existing"); // a file of that name is there already, to be replaced

    QTest::newRow("answered at once") << false << false;
    // The dialog that closes hands the activation back to the window, and so does the
    // dialog's own "replace?" box: no second box then.
    QTest::newRow("the window's own dialog") << true << false;
    QTest::newRow("replacing a file in it") << true << true;
}

void tst_PdfExport::arithmeticErrorWritesNoFile()
{
    QFETCH(bool, realDialog);
    QFETCH(bool, existing);
    // A brightness of 800 overflows; the caption still shows the result for 80.
    TypeInto(m_form->BrightnessBox, QStringLiteral("80"));
    QTest::keyClick(m_form->BrightnessBox->lineEdit(), Qt::Key_0);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
    m_answer = m_folder.filePath(QStringLiteral("overflow.pdf"));
    QFile old(m_answer);
    if (existing)
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3 && old.flush());
    old.close();
    if (realDialog)
        SaveDialogs::SetAnswerer({});
    ChooseExport();
    if (realDialog) {
        bool replaced = false;
        TypeNameInDialog(m_form, m_answer, replaced);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(replaced, existing);
    }
    QTest::qWait(50); // an activation still on its way has arrived
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
    QCOMPARE(QFile::exists(m_answer), existing); // a file replaced only by a sheet written whole
    if (existing) {
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }
}

void tst_PdfExport::theRealDialogIsModelessAndAddsTheSuffix()
{
    // The folder last chosen is where the real dialog opens.
    m_answer = m_folder.filePath(QStringLiteral("first.pdf"));
    ChooseExport();
    SaveDialogs::SetAnswerer({});

    const auto dialogs = [this] { return m_form->findChildren<QFileDialog*>(); };
    ChooseExport();
    ChooseExport(); // asking again brings the one dialog forward
    QCOMPARE(dialogs().size(), 1);
    QFileDialog* dialog = dialogs().first();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(dialog->windowModality(), Qt::NonModal);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(m_folder.path()).canonicalPath());
    QVERIFY(!QApplication::activeModalWidget());

    // A name typed without an extension gets ".pdf".
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("typed"));
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_VERIFY(dialogs().isEmpty());
    QVERIFY(QFile::exists(m_folder.filePath(QStringLiteral("typed.pdf"))));
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    // Cancel writes nothing and says nothing.
    const QStringList files = QDir(m_folder.path()).entryList(QDir::Files);
    ChooseExport();
    QTRY_COMPARE(dialogs().size(), 1);
    dialogs().first()->reject();
    QTRY_VERIFY(dialogs().isEmpty());
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), files);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A print server that takes the CUPS client's connection and never answers.
    QTemporaryDir nowhere;
    SilentServer server(nowhere.path() + QStringLiteral("/cups.sock"));
    PrintServer = &server;
    qputenv("CUPS_SERVER", (nowhere.path() + QStringLiteral("/cups.sock")).toLocal8Bit());
    qputenv("CUPS_SERVERROOT", nowhere.path().toLocal8Bit());
    // A home without a Documents folder, and the folders the user's own settings may name.
    qputenv("HOME", nowhere.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    // A write past the file size limit fails instead of ending the process, as in the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    tst_PdfExport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PdfExport.moc"
