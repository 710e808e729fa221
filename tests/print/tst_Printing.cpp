// Printing through a real print system: a CUPS server of the test's own (configuration, spool
// and socket in a temporary folder, one raw queue as its default destination, every submitted
// document kept in the spool), the program pointed at it with CUPS_SERVER. Nothing of the
// machine's own printing setup is read or changed; a killed run leaves only the folder.

#include "PdfText.h"
#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "field/TSensorFieldForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "print/PrinterText.h"
#include "print/WindowPrinting.h"
#include "ui/SaveDialogs.h"
#include "ui/ErrorReport.h"
#include "ui/NightVision.h"

#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <csignal>
#include <sys/prctl.h>

namespace {

QTemporaryDir* Folder = nullptr; // made in main, before the application reads CUPS_SERVER

QString InFolder(const QString& name)
{
    return Folder->path() + QLatin1Char('/') + name;
}

bool WriteFile(const QString& name, const QString& text)
{
    QFile file(InFolder(name));
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

//! The top and the height, in points, of every word of the document, in reading order.
QList<std::pair<double, double>> WordBoxes(const QString& document)
{
    static const QRegularExpression word(QStringLiteral("<word xMin=\"[^\"]*\" yMin=\"([^\"]*)\" xMax=\"[^\"]*\" yMax=\"([^\"]*)\""));
    QList<std::pair<double, double>> boxes;
    for (const QRegularExpressionMatch& match : word.globalMatch(QString::fromUtf8(Output("pdftotext", {"-bbox", document, "-"})))) {
        const double top = match.captured(1).toDouble();
        boxes.append({top, match.captured(2).toDouble() - top});
    }
    return boxes;
}

//! Whether the expected lines are the printed ones, in order. A line wider than the page goes
//! on on the next printed line, cut wherever the printer's font fills the page: such a line
//! matches the printed lines it takes, blanks aside.
bool InOrder(const QStringList& printed, const QStringList& expected)
{
    qsizetype next = 0;
    for (QString line : expected) {
        line.remove(QLatin1Char(' '));
        QString joined;
        while (next < printed.size() && joined.size() < line.size())
            joined += QString(printed[next++]).remove(QLatin1Char(' '));
        if (joined != line)
            return false;
    }
    return next == printed.size();
}

} // namespace

class tst_Printing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void sheets_data();
    void sheets();
    void busyCursorWhilePrinting();
    void whatTheQueueDoesWithTheJob_data();
    void whatTheQueueDoesWithTheJob();
    void printingAfterAnArithmeticErrorStartsNoJob();
    void noDefaultPrinterThenPrintingAgain();
    void outputsKeepTheirColoursInNightVision_data();
    void outputsKeepTheirColoursInNightVision();

private:
    bool StartServer(QString* why);
    void StopServer();
    QStringList Jobs() const;
    static QString JobState(const QString& document);
    QStringList WindowState() const;
    void ChoosePrint();

    QProcess m_cupsd;
    std::unique_ptr<RunningProgram> m_program;
    TForm1* m_form = nullptr;
};

bool tst_Printing::StartServer(QString* why)
{
    const QString root = Folder->path();
    const bool written
        = QDir(root).mkpath("spool") && QDir(root).mkpath("tmp") && QDir(root).mkpath("cache") && QDir(root).mkpath("state")
          && QDir(root).mkpath("log")
          && WriteFile("cups-files.conf", QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\n"
                                                         "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                                                         "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                                                         "Printcap %1/printcap\nFileDevice Yes\nSystemGroup root\n")
                                              .arg(root))
          && WriteFile("cupsd.conf", QStringLiteral("Listen %1/cups.sock\nBrowsing No\nWebInterface No\nLogLevel warn\n"
                                                    "PreserveJobFiles Yes\nPreserveJobHistory Yes\nDirtyCleanInterval 0\nErrorPolicy abort-job\n"
                                                    "DefaultAuthType None\n<Location />\nOrder allow,deny\nAllow all\n</Location>\n")
                                         .arg(root))
          && (QFile::exists(InFolder("printers.conf"))
              || WriteFile("printers.conf", QStringLiteral("<DefaultPrinter orvalis>\nInfo Orvalis test queue\n"
                                                           "DeviceURI file:///dev/null\nState Idle\nAccepting Yes\n"
                                                           "Shared No\n</DefaultPrinter>\n")));
    if (!written) {
        *why = QStringLiteral("cannot write the server's configuration in %1").arg(root);
        return false;
    }
    // The server goes with the test, even when the test is killed.
    m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                  {"-f", "-c", InFolder("cupsd.conf"), "-s", InFolder("cups-files.conf")});
    if (!m_cupsd.waitForStarted(10000)) {
        *why = QStringLiteral("cupsd does not start: %1").arg(m_cupsd.errorString());
        return false;
    }
    if (QTest::qWaitFor([] { return !QPrinterInfo::defaultPrinter().isNull(); }, 20000))
        return true;
    QFile log(InFolder("log/error_log"));
    log.open(QIODevice::ReadOnly);
    *why = QStringLiteral("cupsd offers no default printer (it runs as user %1 here):\n%2\n%3")
               .arg(qEnvironmentVariable("USER"), QString::fromUtf8(m_cupsd.readAll()), QString::fromUtf8(log.readAll()));
    StopServer();
    return false;
}

void tst_Printing::StopServer()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate();
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
    }
}

void tst_Printing::initTestCase()
{
    // Printing must be tested, not skipped: a machine where the server cannot run fails here.
    QString why;
    QVERIFY2(StartServer(&why), qPrintable(why));
}

void tst_Printing::cleanupTestCase()
{
    StopServer();
}

void tst_Printing::init()
{
    m_program = std::make_unique<RunningProgram>();
    m_form = Windows().Form1;
    QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton); // "Calculate Exposures"
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void tst_Printing::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

QStringList tst_Printing::Jobs() const
{
    QStringList jobs;
    for (const QString& name : QDir(InFolder("spool")).entryList({"d*-001"}, QDir::Files, QDir::Name))
        jobs << InFolder("spool/" + name);
    return jobs;
}

//! "completed" or "pending" (any state not completed), as the server's own listing says.
QString tst_Printing::JobState(const QString& document)
{
    static const QRegularExpression number(QStringLiteral("/d0*(\\d+)-001$"));
    const QString id = QStringLiteral("orvalis-") + number.match(document).captured(1) + QLatin1Char(' ');
    if (QString::fromUtf8(Output("lpstat", {"-W", "completed", "-o", "orvalis"})).contains(id))
        return QStringLiteral("completed");
    if (QString::fromUtf8(Output("lpstat", {"-W", "not-completed", "-o", "orvalis"})).contains(id))
        return QStringLiteral("pending");
    return QString();
}

QStringList tst_Printing::WindowState() const
{
    QStringList state;
    for (const QComboBox* box : m_form->findChildren<QComboBox*>())
        state << box->objectName() + QLatin1Char('=') + box->currentText();
    state << m_form->ExposureLabel->text() << QString::number(m_form->ApproximateWarning->isVisible())
          << QString::number(QGuiApplication::overrideCursor() != nullptr); // the usual cursors again after printing
    return state;
}

//! File, then Print, with the keyboard, in the exposure window or the report.
template <typename Window>
void ChoosePrint(Window* window)
{
    QTest::keyClick(window, Qt::Key_Alt);
    QCOMPARE(window->MainMenu1->activeAction(), window->File1->menuAction());
    QTest::keyClick(window->MainMenu1, Qt::Key_Down);
    QVERIFY(QTest::qWaitForWindowExposed(window->File1));
    QCOMPARE(window->File1->activeAction(), window->Print1);
    QTest::keyClick(window->File1, Qt::Key_Return);
}

void tst_Printing::ChoosePrint()
{
    ::ChoosePrint(m_form);
}

void tst_Printing::sheets_data()
{
    QTest::addColumn<bool>("optical");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("lines");

    const QString trailer = QStringLiteral("Compliments of Quillmarsh, by Penwright.");
    QTest::newRow("exposure sheet, full Moon")
        << false << "Orvalis Exposure Calculator"
        << QStringList{"Orvalis Exposure Calculator",
                       "m\"= 3.4 Moon, full",
                       "Film speed 200",
                       "Reciprocity failure p= 0.8 ...or choose a better estimate from the menu ------------------>",
                       "Filter factor 1.0 No filter. If using a filter, type the factor or use menu -->",
                       "f/ 10",
                       "Suggested exposure: 0.004 s = 1/250 s",
                       "CAUTION: This exposure is approximate. Your results may differ.",
                       trailer};
    QTest::newRow("optical results sheet, prime focus")
        << true << "Orvalis Optical Calculations"
        << QStringList{"Orvalis Optical Calculations",
                       "Telescope aperture: 200 mm",
                       "Telescope focal length: 2000 mm",
                       "Prime focus",
                       "Effective focal length = 2000 mm",
                       "Effective f-ratio = f/10.0",
                       "Field of view (35-mm film): 0.69° x 1.03°",
                       "Field of view (central 20-mm circle): 0.57°",
                       "Moon image size (on film): 18.2 mm",
                       "Jupiter image size (on film): 0.30 to 0.49 mm",
                       trailer};
}

void tst_Printing::sheets()
{
    QFETCH(bool, optical);
    QFETCH(QString, title);
    QFETCH(QStringList, lines);
    const QStringList before = Jobs();
    QAction* exportItem = m_form->ExportasPDF1;
    if (optical) {
        // A telescope of 200 mm and 2000 mm typed in, prime focus, as a user gets there.
        QTest::mouseClick(m_form->Button1, Qt::LeftButton); // "Run optical calculations now"
        TOpticForm2* choice = Windows().OpticForm2;
        ClickRadio(choice->PrimeFocusButton);
        QTest::mouseClick(choice->Button3, Qt::LeftButton);
        TOpticForm1* telescope = Windows().OpticForm1;
        TypeInto(telescope->ApertureEditBox, QStringLiteral("200"));
        TypeInto(telescope->FocalEditBox, QStringLiteral("2000"));
        QTest::mouseClick(telescope->Button1, Qt::LeftButton);
        TOpticReportForm* report = Windows().OpticReportForm;
        QVERIFY(QTest::qWaitForWindowActive(report));
        exportItem = report->ExportasPDF1;
        const auto shown = [report] {
            QStringList texts;
            for (const QLabel* label : report->findChildren<QLabel*>())
                texts << label->text();
            return texts << QString::number(QGuiApplication::overrideCursor() != nullptr);
        };
        const QStringList state = shown();
        ::ChoosePrint(report);
        QCOMPARE(shown(), state);
    } else {
        QVERIFY(PickItem(m_form->BrightnessBox, 7)); // "   3.4      Moon, full"
        const QStringList state = WindowState();
        ChoosePrint();
        QCOMPARE(WindowState(), state);
    }
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    const QStringList jobs = Jobs();
    QCOMPARE(jobs.size(), before.size() + 1);
    const QString document = jobs.last();
    const QStringList printed = TextLines(document);
    QVERIFY2(InOrder(printed, lines), qPrintable(printed.join(QLatin1Char('\n'))));
    // The document name is the sheet's title; the text is in a Times face, all four styles.
    const QString control = QString(document).replace(QRegularExpression("/d(\\d+)-001$"), "/c\\1");
    QVERIFY(QTest::qWaitFor([&control, &title] {
        QFile file(control); // read afresh each time: the server may not have saved the name yet
        return file.open(QIODevice::ReadOnly) && file.readAll().contains(title.toUtf8());
    }, 10000));
    QCOMPARE(FontNames(document), (QStringList{"LiberationSerif", "LiberationSerif-Bold", "LiberationSerif-BoldItalic",
                                               "LiberationSerif-Italic"}));

    // Points at the printer's own resolution: the title's words are a 14-point character cell
    // high, the trailer's a 9-point one, and two adjacent 14-point lines stand one cell and
    // 2 device units apart.
    const QList<std::pair<double, double>> boxes = WordBoxes(document);
    QVERIFY(boxes.size() > 2);
    const double cell = boxes.first().second;
    QVERIFY2(cell > 14 && cell < 14 * 1.25, qPrintable(QString::number(cell)));
    QVERIFY2(qAbs(cell / boxes.last().second - 14.0 / 9) < 0.03, qPrintable(QString::number(boxes.last().second)));
    double pitch = 1000;
    for (qsizetype i = 1; i < boxes.size(); ++i)
        if (qAbs(boxes[i].second - cell) < 0.01 && qAbs(boxes[i - 1].second - cell) < 0.01 && boxes[i].first > boxes[i - 1].first)
            pitch = qMin(pitch, boxes[i].first - boxes[i - 1].first);
    QVERIFY2(pitch > cell - 0.2 && pitch < cell + 0.5, qPrintable(QString::number(pitch)));

    // The same sheet saved as a PDF file: the same lines in the same order, in the same faces.
    const QString saved = InFolder(title + QStringLiteral(".pdf"));
    SaveDialogs::SetAnswerer([&saved](const SaveDialogs::Request&) { return saved; });
    exportItem->trigger();
    SaveDialogs::SetAnswerer({});
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QCOMPARE(TextLines(saved), printed);
    QCOMPARE(FontNames(saved), FontNames(document));
}

void tst_Printing::busyCursorWhilePrinting()
{
    // The busy cursor covers the whole program, the boxes' own I-beam included, and goes
    // whether the sheet is finished or given up.
    for (const bool fails : {false, true}) {
        Qt::CursorShape whilePrinting = Qt::ArrowCursor;
        Guarded([&] {
            PrintOnDefaultPrinter("cursor", [&](PrinterText&) {
                const QCursor* cursor = QGuiApplication::overrideCursor();
                whilePrinting = cursor ? cursor->shape() : Qt::ArrowCursor;
                if (fails)
                    throw PrinterError("I/O error 152");
            });
        });
        QCOMPARE(whilePrinting, Qt::WaitCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(m_program->Boxes.TakeTexts(), fails ? QStringList{"I/O error 152."} : QStringList());
    }
}

void tst_Printing::whatTheQueueDoesWithTheJob_data()
{
    QTest::addColumn<QStringList>("before"); // queue commands, or "print", before the last print
    QTest::addColumn<QStringList>("boxes");  // every error box of all the prints
    QTest::addColumn<QString>("state");      // the last print's job, or empty for none

    // Qt hands the job to CUPS only when the sheet is closed, so a refusal there is the
    // failed close.
    QTest::newRow("queue rejects jobs") << QStringList{"cupsreject"} << QStringList{"I/O error 153."} << QString();
    QTest::newRow("queue stopped but accepting") << QStringList{"cupsdisable"} << QStringList() << "pending";
    QTest::newRow("queue accepts again") << QStringList{"cupsreject", "print", "cupsaccept"}
                                         << QStringList{"I/O error 153."} << "completed";
}

void tst_Printing::whatTheQueueDoesWithTheJob()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, boxes);
    QFETCH(QString, state);
    const auto restoreQueue = qScopeGuard([] {
        Output("cupsenable", {"orvalis"});
        Output("cupsaccept", {"orvalis"});
    });
    QVERIFY(PickItem(m_form->BrightnessBox, 7)); // "   3.4      Moon, full"
    const QStringList windowState = WindowState();
    for (const QString& step : before) {
        if (step == QLatin1String("print"))
            ChoosePrint();
        else
            Output(step, {"orvalis"});
    }
    const QStringList jobs = Jobs();
    ChoosePrint();
    // CUPS's answer was found and read, whether it took the job or refused it. Where the CUPS
    // library goes by a name the program does not look for, every refusal would pass for a
    // printed sheet, and no box would say otherwise.
    QVERIFY2(PrintSystemAnswerRead(), "CUPS's answer to the job was not found in the CUPS library Qt loaded");
    QCOMPARE(m_program->Boxes.TakeTexts(), boxes);
    QCOMPARE(WindowState(), windowState); // the busy cursor gone, whatever became of the job
    QVERIFY(!ProgramPrinter().IsOpen());

    const QStringList after = Jobs();
    QCOMPARE(after.size(), jobs.size() + (state.isEmpty() ? 0 : 1));
    if (state.isEmpty())
        return;
    QVERIFY(QTest::qWaitFor([&] { return JobState(after.last()) == state; }, 10000));
    const QStringList printed = TextLines(after.last());
    QCOMPARE(printed.first(), QStringLiteral("Orvalis Exposure Calculator"));
    QCOMPARE(printed.last(), QStringLiteral("Compliments of Quillmarsh, by Penwright."));
}

void tst_Printing::printingAfterAnArithmeticErrorStartsNoJob()
{
    // A brightness of 800 overflows: the caption still shows the result for 80.
    TypeInto(m_form->BrightnessBox, QStringLiteral("80"));
    QTest::keyClick(m_form->BrightnessBox->lineEdit(), Qt::Key_0);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
    const QStringList jobs = Jobs();
    const QStringList state = WindowState();

    ChoosePrint();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point overflow."});
    QCOMPARE(Jobs(), jobs);
    QCOMPARE(WindowState(), state);
}

void tst_Printing::noDefaultPrinterThenPrintingAgain()
{
    QVERIFY(PickItem(m_form->BrightnessBox, 7));
    StopServer(); // the program's CUPS client now points at no server
    QVERIFY(QPrinterInfo::defaultPrinter().isNull());
    const QStringList state = WindowState();
    ChoosePrint();
    const QList<MessageBoxes::Request> boxes = m_program->Boxes.Take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].Text, QStringLiteral("There is no default printer currently selected."));
    QCOMPARE(boxes[0].Caption, QStringLiteral("Orvalis Exposure Calculator"));
    QVERIFY(boxes[0].ErrorIcon);
    QCOMPARE(WindowState(), state);

    // The failed print left nothing open: with the printer back, Print works at once.
    QString why;
    QVERIFY2(StartServer(&why), qPrintable(why));
    const QStringList jobs = Jobs();
    ChoosePrint();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QCOMPARE(Jobs().size(), jobs.size() + 1);
    QVERIFY(!ProgramPrinter().IsOpen());
}

void tst_Printing::outputsKeepTheirColoursInNightVision_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("sheet to the queue") << "print";
    QTest::newRow("PDF export") << "pdf";
    QTest::newRow("saved field picture") << "field";
}

void tst_Printing::outputsKeepTheirColoursInNightVision()
{
    // Night vision is for the screen: what the program prints or writes is the same, pixel
    // for pixel, whether it is on or not.
    QFETCH(QString, output);
    OpticalJob.ApertureMm = 200;
    OpticalJob.TelescopeFocalLengthMm = OpticalJob.EffectiveFocalLengthMm = 2000;
    OpticalJob.ConfigurationText = "Prime focus";
    int made = 0;
    const auto make = [&]() -> QImage {
        const QString path = InFolder(QStringLiteral("output%1").arg(++made));
        SaveDialogs::SetAnswerer([&path](const SaveDialogs::Request&) { return path; });
        const auto forget = qScopeGuard([] { SaveDialogs::SetAnswerer({}); });
        QString document;
        if (output == QLatin1String("field")) {
            TSensorFieldForm* field = SensorFieldWindow();
            field->ShowJob({OpticalJob.EffectiveFocalLengthMm, OpticalJob.ApertureMm, {}});
            ShowWindow(field);
            QTest::mouseClick(field->SaveButton, Qt::LeftButton);
            return QImage(path, "PNG");
        }
        if (output == QLatin1String("print")) {
            const qsizetype jobs = Jobs().size();
            ChoosePrint();
            if (Jobs().size() != jobs + 1)
                return {};
            document = Jobs().last();
        } else {
            m_form->ExportasPDF1->trigger();
            document = path;
        }
        Output("pdftoppm", {"-r", "40", "-png", "-singlefile", document, path + QStringLiteral("-page")});
        return QImage(path + QStringLiteral("-page.png"));
    };
    const QImage day = make();
    NightVision::SetOn(true);
    const QImage night = make();
    NightVision::SetOn(false);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QVERIFY(!day.isNull());
    QVERIFY(night == day);
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/orvalis-cups-XXXXXX"));
    if (!folder.isValid())
        return 1;
    Folder = &folder;
    // The CUPS client reads these once: only this test's server and none of the machine's
    // client settings or chosen destinations, nor the user's own (~/.cups/lpoptions may name
    // another default printer).
    qputenv("CUPS_SERVER", (folder.path() + QStringLiteral("/cups.sock")).toLocal8Bit());
    qputenv("CUPS_SERVERROOT", folder.path().toLocal8Bit());
    if (!QDir(folder.path()).mkpath(QStringLiteral("home")))
        return 1;
    qputenv("HOME", (folder.path() + QStringLiteral("/home")).toLocal8Bit());
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    QApplication application(argc, argv);
    tst_Printing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Printing.moc"
