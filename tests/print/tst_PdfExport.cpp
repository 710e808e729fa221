// Saving a sheet as a PDF file, on a machine with no printer and no CUPS server at all: the
// program's CUPS client is pointed at a socket that does not exist.

#include "PdfText.h"
#include "TestSupport.h"

#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/TOpticReportForm.h"
#include "print/PrinterText.h"
#include "ui/SaveDialogs.h"

#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

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

} // namespace

class tst_PdfExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sheetWithoutAnyPrinter();
    void failuresLeaveEveryFileAsItWas_data();
    void failuresLeaveEveryFileAsItWas();
    void arithmeticErrorWritesNoFile();
    void theRealDialogIsModelessAndAddsTheSuffix();

private:
    //! File, then "Export as PDF...", with the keyboard.
    void ChooseExport(QMainWindow* window, QMenuBar* menuBar, QMenu* file, QAction* item);
    void ChooseExport() { ChooseExport(m_form, m_form->MainMenu1, m_form->File1, m_form->ExportasPDF1); }

    std::unique_ptr<RunningProgram> m_program;
    TForm1* m_form = nullptr;
    QTemporaryDir m_folder;
    QList<SaveDialogs::Request> m_asked;
    QString m_answer; // what the scripted dialog answers: a path, or empty for Cancel
};

void tst_PdfExport::init()
{
    QVERIFY(m_folder.isValid());
    m_program = std::make_unique<RunningProgram>();
    m_asked.clear();
    SaveDialogs::SetAnswerer([this](const SaveDialogs::Request& request) {
        m_asked.append(request);
        return m_answer;
    });
    m_form = Windows().Form1;
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton); // "Calculate Exposures"
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QVERIFY(PickItem(m_form->BrightnessBox, 7)); // "   3.4      Moon, full"
}

void tst_PdfExport::cleanup()
{
    SaveDialogs::SetAnswerer({});
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
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

void tst_PdfExport::sheetWithoutAnyPrinter()
{
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    m_answer = m_folder.filePath(QStringLiteral("moon.pdf"));
    ChooseExport();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    // First offered: the sheet's title in the documents folder.
    QCOMPARE(m_asked.size(), 1);
    QCOMPARE(m_asked[0].SuggestedPath, QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                           .filePath(QStringLiteral("Orvalis Exposure Calculator.pdf")));
    QCOMPARE(m_asked[0].DefaultSuffix, QStringLiteral("pdf"));

    const QString info = QString::fromUtf8(Output("pdfinfo", {m_answer}));
    QVERIFY2(info.contains(QRegularExpression("Title: +Orvalis Exposure Calculator\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")), qPrintable(info));
    const QStringList lines = TextLines(m_answer);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.first(), QStringLiteral("Orvalis Exposure Calculator"));
    QVERIFY2(lines.contains(QStringLiteral("Suggested exposure: 0.004 s = 1/250 s")), qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines.last(), QStringLiteral("Compliments of Quillmarsh, by Penwright."));

    // Afterwards the folder last chosen, whichever window asks, with that window's title.
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

void tst_PdfExport::arithmeticErrorWritesNoFile()
{
    // A brightness of 800 overflows; the caption still shows the result for 80.
    TypeInto(m_form->BrightnessBox, QStringLiteral("80"));
    QTest::keyClick(m_form->BrightnessBox->lineEdit(), Qt::Key_0);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
    m_answer = m_folder.filePath(QStringLiteral("overflow.pdf"));
    ChooseExport();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
    QVERIFY(!QFile::exists(m_answer));
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
    // No print system at all: the CUPS client finds no server and no destinations.
    QTemporaryDir nowhere;
    qputenv("CUPS_SERVER", (nowhere.path() + QStringLiteral("/no-server.sock")).toLocal8Bit());
    qputenv("CUPS_SERVERROOT", nowhere.path().toLocal8Bit());
    qputenv("HOME", nowhere.path().toLocal8Bit());
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    // A write past the file size limit fails instead of ending the process, as in the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    tst_PdfExport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PdfExport.moc"
