// Job files as a user meets them: "Save Job..." and "Open Job..." over every window, a fresh
// program given back everything typed and picked, and files that are refused leaving every
// window exactly as it was.

#include "TestSupport.h"

#include "app/JobVocabulary.h"
#include "app/JobWindows.h"
#include "app/TStartForm.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QCheckBox>
#include <QFile>
#include <QSpinBox>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Job::Optics)

namespace {

constexpr int ApsC = 2;
constexpr int Andromeda = 6;
constexpr int Orion = 8;

//! Everything a user sees of the program's inputs and results, one line each.
QStringList Everything()
{
    const ProgramWindows& w = Windows();
    QStringList seen;
    const auto add = [&seen](const QString& name, const QString& value) { seen << name + QStringLiteral(": ") + value; };
    for (QComboBox* box : {w.Form1->BrightnessBox, w.Form1->SpeedBox, w.Form1->ReciprocityBox, w.Form1->FilterFactorBox,
                           w.Form1->FRatioBox})
        add(box->objectName(), box->currentText());
    add(QStringLiteral("exposure"), w.Form1->ExposureLabel->text());
    const TOpticForm1* telescope = w.OpticForm1;
    add(QStringLiteral("preset"), telescope->ListBox1->selectedItems().value(0) ? telescope->ListBox1->selectedItems()[0]->text() : QString());
    add(QStringLiteral("aperture"), telescope->ApertureEditBox->text() + QString::number(telescope->ApertureTextUnitIndex())
                                        + QString::number(telescope->ApertureInches->isChecked()));
    add(QStringLiteral("focal length"), telescope->FocalEditBox->text() + QString::number(telescope->FocalTextUnitIndex()));
    add(QStringLiteral("prime focus"), QString::number(w.OpticForm2->PrimeFocusButton->isChecked()));
    for (QLineEdit* box : {w.OpticCamLensForm->CamLensEdit, w.OpticCamLensForm->CamFEdit, w.OpticTeleForm->MagnificationEdit,
                           w.OpticCompForm->MagnificationEdit, w.OpticAfocalForm->CamLensEdit, w.OpticAfocalForm->EypcEdit,
                           w.OpticBarlowForm->BarlowFLEdit, w.OpticBarlowForm->BarlowDistanceEdit, w.OpticEypcForm->EypcFLEdit,
                           w.OpticEypcForm->EypcDistanceEdit})
        add(box->window()->objectName() + box->objectName(), box->text());
    add(QStringLiteral("job"), QStringLiteral("%1 %2 %3 %4 %5")
                                   .arg(OpticalJob.ApertureMm)
                                   .arg(OpticalJob.TelescopeFocalLengthMm)
                                   .arg(OpticalJob.EffectiveFocalLengthMm)
                                   .arg(QString::fromStdString(OpticalJob.ConfigurationText), QString::fromStdString(OpticalJob.TelescopeLine)));
    const TSensorFieldForm* field = SensorFieldWindow();
    for (const QWidget* box : field->findChildren<QWidget*>()) {
        if (const auto* edit = qobject_cast<const QLineEdit*>(box); edit && !qobject_cast<const QComboBox*>(box->parentWidget()))
            add(box->objectName(), edit->text());
        else if (const auto* spin = qobject_cast<const QSpinBox*>(box))
            add(box->objectName(), QString::number(spin->value()));
        else if (const auto* list = qobject_cast<const QComboBox*>(box))
            add(box->objectName(), list->currentText());
        else if (const auto* label = qobject_cast<const QLabel*>(box); label && label->objectName().endsWith(QLatin1String("Label")))
            add(box->objectName(), label->text());
    }
    TTonightForm* tonight = TonightWindow();
    add(QStringLiteral("place"), tonight->LatitudeBox->text() + QLatin1Char(' ') + tonight->LongitudeBox->text());
    add(QStringLiteral("zone"), tonight->ZoneBox->currentText());
    add(QStringLiteral("night target"), tonight->TargetBox->currentText());
    add(QStringLiteral("lowest"), QString::number(tonight->LowestBox->value()));
    add(QStringLiteral("dark and above"), tonight->DarkAboveLabel->text());
    TDigitalCameraForm* camera = DigitalCameraWindow();
    for (QLineEdit* box : {camera->ReadNoiseBox, camera->EfficiencyBox, camera->WidthBox, camera->ObstructionBox, camera->RiseBox,
                           camera->SignalToNoiseBox, camera->YourSubExposureBox})
        add(box->objectName(), box->text());
    add(QStringLiteral("colour"), QString::number(camera->ColourBox->isChecked()));
    add(QStringLiteral("emission"), QString::number(camera->EmissionBox->isChecked()));
    add(QStringLiteral("sky"), camera->SkyBox->currentText());
    add(QStringLiteral("filter"), camera->FilterBox->currentText());
    for (QLabel* label : {camera->SkyRateLabel, camera->ObjectRateLabel, camera->SubExposureLabel, camera->TotalLabel,
                          camera->YourTotalLabel})
        add(label->objectName(), label->text());
    return seen;
}

//! Answers the next save or open dialog with `path`.
void Answer(const QString& path)
{
    SaveDialogs::SetAnswerer([path](const SaveDialogs::Request&) { return path; });
}

} // namespace

class tst_JobFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyWindowComesBack();
    void anyTargetComesBack_data();
    void anyTargetComesBack();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void aJobThatWouldNotOpenIsNotSaved_data();
    void aJobThatWouldNotOpenIsNotSaved();
    void theCameraMadeFirstTakesTheJobsSensor();
    void whatFollowsTheSensorFollowsItAgain_data();
    void whatFollowsTheSensorFollowsItAgain();
    void onlyTheFileReplacedIsAskedAbout_data();
    void onlyTheFileReplacedIsAskedAbout();
    void theOpenedJobsOpticsReplaceTheRunsOwn_data();
    void theOpenedJobsOpticsReplaceTheRunsOwn();
    void aJobNamedAtStartIsOpenedByItsBytes();
    void aHiddenReportHandsOnTheJobsError();

private:
    std::unique_ptr<RunningProgram> m_program;
    QTemporaryDir m_folder;
};

void tst_JobFiles::init()
{
    m_program = std::make_unique<RunningProgram>();
}

void tst_JobFiles::cleanup()
{
    SaveDialogs::SetAnswerer({});
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_JobFiles::everyWindowComesBack()
{
    // Every input set to something other than it starts with, as a user would.
    const ProgramWindows& w = Windows();
    w.OpticForm1->ListBox1->setCurrentRow(6); // 8-inch f/6.3: fills the boxes in mm
    w.OpticForm1->ApertureInches->click();    // the aperture box converted to inches
    w.OpticForm2->PrimeFocusButton->setChecked(true);
    const QStringList configurationTexts{"50", "2.8", "2", "0.63", "25", "10", "-100", "50", "12", "80"};
    const QList<QLineEdit*> configurationBoxes{w.OpticCamLensForm->CamLensEdit, w.OpticCamLensForm->CamFEdit,
                                               w.OpticTeleForm->MagnificationEdit, w.OpticCompForm->MagnificationEdit,
                                               w.OpticAfocalForm->CamLensEdit, w.OpticAfocalForm->EypcEdit,
                                               w.OpticBarlowForm->BarlowFLEdit, w.OpticBarlowForm->BarlowDistanceEdit,
                                               w.OpticEypcForm->EypcFLEdit, w.OpticEypcForm->EypcDistanceEdit};
    for (qsizetype i = 0; i < configurationBoxes.size(); ++i)
        configurationBoxes[i]->setText(configurationTexts[i]);
    // The job the wizard completed: 203 mm at 1280 mm, prime focus.
    OpticalJob.ApertureMm = 203;
    OpticalJob.TelescopeFocalLengthMm = OpticalJob.EffectiveFocalLengthMm = 1280;
    OpticalJob.ConfigurationText = "Prime focus";
    OpticalJob.TelescopeLine = std::string("8-inch f/6.3 Schmidt-Cassegrain") + CrLf;
    ShowWindow(w.OpticReportForm);
    TSensorFieldForm* field = SensorFieldWindow();
    field->SensorBox->setCurrentIndex(ApsC);
    field->TargetBox->setCurrentIndex(Andromeda);
    field->AngleBox->setValue(125);
    field->OverlapBox->setValue(30);
    field->DeclinationBox->setText(QStringLiteral("41.5"));
    TTonightForm* tonight = TonightWindow();
    tonight->LatitudeBox->setText(QStringLiteral("48.8566"));
    tonight->LongitudeBox->setText(QStringLiteral("2.3522"));
    tonight->ZoneBox->setEditText(QStringLiteral("Europe/Berlin"));
    tonight->TargetBox->setCurrentIndex(Orion);
    tonight->LowestBox->setValue(25);
    TDigitalCameraForm* camera = DigitalCameraWindow();
    ShowWindow(camera);
    QVERIFY(QTest::qWaitForWindowActive(camera));
    TypeInto(camera->ReadNoiseBox, QStringLiteral("1.8"));
    TypeInto(camera->EfficiencyBox, QStringLiteral("65"));
    camera->ColourBox->click();
    camera->SkyBox->setCurrentIndex(4); // Bortle 5
    camera->FilterBox->setCurrentIndex(4); // narrowband
    for (const auto& [box, text] : {std::pair{camera->WidthBox, "12"}, std::pair{camera->ObstructionBox, "30"},
                                    std::pair{camera->RiseBox, "10"}, std::pair{camera->SignalToNoiseBox, "20"},
                                    std::pair{camera->YourSubExposureBox, "300"}})
        TypeInto(box, QString::fromLatin1(text));
    camera->EmissionBox->click(); // the Andromeda Galaxy is none, but the user says otherwise
    // The exposure calculator last, after the report's hand-back, with an f/ratio of its own.
    ShowWindow(w.Form1);
    QVERIFY(QTest::qWaitForWindowActive(w.Form1));
    TypeInto(w.Form1->BrightnessBox, QStringLiteral("18.5"));
    TypeInto(w.Form1->SpeedBox, QStringLiteral("400"));
    TypeInto(w.Form1->ReciprocityBox, QStringLiteral("0.9"));
    TypeInto(w.Form1->FilterFactorBox, QStringLiteral("2"));
    TypeInto(w.Form1->FRatioBox, QStringLiteral("5.6"));
    const QStringList before = Everything();
    m_program->Boxes.Take(); // whatever the report said of a job with no configuration of the wizard's

    // Saved under a name of two dots: the suffix is added all the same.
    Answer(m_folder.filePath(QStringLiteral("m31.v2")));
    ShowWindow(w.StartForm);
    QVERIFY(QTest::qWaitForWindowActive(w.StartForm));
    QTest::keyClick(w.StartForm, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(m_folder.filePath(QStringLiteral("m31.v2.orvalis"))));
    QCOMPARE(w.StartForm->windowTitle(), QStringLiteral("Orvalis Calculator - m31.v2.orvalis"));

    // A fresh program, as after a new start: the job opened from the exposure calculator's menu.
    SaveDialogs::SetAnswerer({});
    QVERIFY(EndProgram(m_program).isEmpty());
    m_program = std::make_unique<RunningProgram>();
    QVERIFY(Everything() != before);
    DestroyProgramWindows(); // the windows made by that look were never asked for: start afresh
    m_program.reset();
    m_program = std::make_unique<RunningProgram>();
    Answer(m_folder.filePath(QStringLiteral("m31.v2.orvalis")));
    ShowWindow(Windows().Form1);
    QVERIFY(QTest::qWaitForWindowActive(Windows().Form1));
    QTest::keyClick(Windows().Form1, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(Windows().StartForm->windowTitle(), QStringLiteral("Orvalis Calculator - m31.v2.orvalis"));
    QVERIFY(!Windows().SensorFieldForm); // which windows exist or are shown does not change
    const QStringList after = Everything();
    for (qsizetype i = 0; i < before.size(); ++i)
        QCOMPARE(after.value(i), before[i]);
    m_program->Boxes.Take();
}

void tst_JobFiles::anyTargetComesBack_data()
{
    QTest::addColumn<QString>("fieldTyped");
    QTest::addColumn<QString>("fieldShown");
    QTest::addColumn<QString>("tonightTyped");
    QTest::addColumn<QString>("tonightShown");
    QTest::addColumn<QByteArray>("kept"); // in the file

    QTest::newRow("catalogue objects")
        << "ngc7000" << "NGC 7000, North America Nebula" << "B 33" << "Horsehead Nebula (Barnard 33)" << QByteArray("\"NGC7000\"");
    QTest::newRow("a duplicate's name keeps the object it names")
        << "M 102" << "M101, Pinwheel Galaxy" << "IC 1805" << "Heart Nebula (IC 1805)" << QByteArray("\"NGC5457\"");
    QTest::newRow("points to the hundredth of an arcsecond")
        << "5h35m17.3s -5 23 28" << "RA 05h 35m 17s, Dec \u221205\u00B0 23\u2032 28\u2033" << "83.8 22.0"
        << "RA 05h 35m 12s, Dec +22\u00B0 00\u2032 00\u2033" << QByteArray("\"RA 5.5881389h, Dec -5.3911111\u00B0\"");
}

void tst_JobFiles::anyTargetComesBack()
{
    QFETCH(QString, fieldTyped);
    QFETCH(QString, fieldShown);
    QFETCH(QString, tonightTyped);
    QFETCH(QString, tonightShown);
    QFETCH(QByteArray, kept);
    OpticalJob.ApertureMm = 80;
    OpticalJob.TelescopeFocalLengthMm = OpticalJob.EffectiveFocalLengthMm = 480;
    OpticalJob.ConfigurationText = "Prime focus";
    ShowWindow(Windows().OpticReportForm);
    TSensorFieldForm* field = SensorFieldWindow();
    TypeInto(field->TargetBox, fieldTyped);
    QTest::keyClick(field->TargetBox->lineEdit(), Qt::Key_Return);
    TTonightForm* tonight = TonightWindow();
    tonight->LatitudeBox->setText(QStringLiteral("48.8566"));
    tonight->LongitudeBox->setText(QStringLiteral("2.3522"));
    TypeInto(tonight->TargetBox, tonightTyped);
    QTest::keyClick(tonight->TargetBox->lineEdit(), Qt::Key_Return);
    QCOMPARE(field->TargetBox->currentText(), fieldShown);
    QCOMPARE(tonight->TargetBox->currentText(), tonightShown);
    TypeInto(Windows().Form1->BrightnessBox, QStringLiteral("18.5"));
    const QStringList before = Everything();
    m_program->Boxes.Take();

    const QString path = m_folder.filePath(QStringLiteral("target.orvalis"));
    QFile::remove(path);
    Answer(path);
    Windows().StartForm->SaveJob1->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY2(written.contains(kept), written.constData());

    SaveDialogs::SetAnswerer({});
    const QStringList said = EndProgram(m_program);
    m_program = std::make_unique<RunningProgram>();
    QVERIFY2(said.isEmpty(), qPrintable(said.join(QLatin1Char('\n'))));
    Answer(path);
    Windows().StartForm->OpenJob1->trigger();
    const QStringList after = Everything();
    for (qsizetype i = 0; i < before.size(); ++i)
        QCOMPARE(after.value(i), before[i]);
    m_program->Boxes.Take();
}

void tst_JobFiles::refusedFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("content"); // none: no file at all
    QTest::addColumn<QString>("kind");        // "file", "pipe" (nobody writes to it) or "folder"
    QTest::addColumn<QString>("reason");

    const QByteArray good = Job::Write(JobVocabulary().Initial);
    QByteArray newer = good;
    newer.replace("\"version\": 1", "\"version\": 2");
    QByteArray target = good;
    target.replace("\"moon-jupiter\"", "\"NGC9999\"");
    QByteArray type = good;
    type.replace("\"lowestAltitude\": 30", "\"lowestAltitude\": \"30\"");
    QByteArray overlong = good;
    overlong.replace("\"declination\": \"0\"", "\"declination\": \"" + QByteArray(1001, '1') + "\"");
    QByteArray large = good;
    large.insert(large.lastIndexOf('}'), QByteArray(Job::LargestFile, ' '));
    QTest::newRow("not JSON") << QByteArray("orvalis") << QStringLiteral("file") << QStringLiteral("Not a job file");
    QTest::newRow("truncated") << good.left(good.size() / 2) << QStringLiteral("file") << QStringLiteral("Not a job file");
    QTest::newRow("another format") << QByteArray(good).replace("orvalis-calculator-job", "orvalis-calculator-sheet") << QStringLiteral("file")
                                    << QStringLiteral("Not an Orvalis Calculator job file.");
    QTest::newRow("newer version")
        << newer << QStringLiteral("file") << QStringLiteral("This job was saved by a newer Orvalis Calculator (format 2); this one reads format 1.");
    QTest::newRow("unknown target") << target << QStringLiteral("file") << QStringLiteral("NGC9999");
    QTest::newRow("a target the catalogue marks non-existent")
        << QByteArray(good).replace("\"moon-jupiter\"", "\"NGC0412\"") << QStringLiteral("file") << QStringLiteral("NGC0412");
    QTest::newRow("wrong type") << type << QStringLiteral("file") << QStringLiteral("whole number");
    QTest::newRow("over-long text") << overlong << QStringLiteral("file") << QStringLiteral("1000 characters");
    QTest::newRow("over 1 MiB") << large << QStringLiteral("file") << QStringLiteral("larger than 1 MiB");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("file") << QStringLiteral("there is no such file.");
    Job::Data negative = JobVocabulary().Initial;
    negative.OpticalJob = {1280, 1280, 1e-308, QStringLiteral("Prime focus"), QString()};
    QTest::newRow("an aperture no lens has")
        << Job::Write(negative) << QStringLiteral("file") << QStringLiteral("The optical job's aperture is 1e-308 mm");
    // Opened without waiting for a writer, and refused on what it is.
    QTest::newRow("a pipe nobody writes to") << QByteArray() << QStringLiteral("pipe") << QStringLiteral("it is a pipe, not a file");
    QTest::newRow("a folder") << QByteArray() << QStringLiteral("folder") << QStringLiteral("it is a folder, not a file.");
}

void tst_JobFiles::refusedFilesChangeNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString path = m_folder.filePath(QStringLiteral("refused.orvalis"));
    QFile::remove(path);
    QDir(m_folder.path()).rmdir(QStringLiteral("refused.orvalis"));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("refused.orvalis")));
    else if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    TypeInto(Windows().Form1->BrightnessBox, QStringLiteral("12.5"));
    SensorFieldWindow()->TargetBox->setCurrentIndex(Andromeda);
    const Job::Data before = JobWindows::CurrentJob();
    const QString title = Windows().StartForm->windowTitle();

    Answer(path);
    Windows().StartForm->OpenJob1->trigger();
    const QStringList said = m_program->Boxes.TakeTexts();
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith(QStringLiteral("Could not open the job \"%1\": ").arg(QDir::toNativeSeparators(path))),
             qPrintable(said[0]));
    QVERIFY2(said[0].contains(reason), qPrintable(said[0]));
    QVERIFY(JobWindows::CurrentJob() == before);
    QCOMPARE(Windows().StartForm->windowTitle(), title);
}

void tst_JobFiles::aJobThatWouldNotOpenIsNotSaved_data()
{
    QTest::addColumn<bool>("overlong"); // an over-long box, else an optical job no lens has
    QTest::addColumn<QString>("said");

    QTest::newRow("an over-long box") << true << "aperture";
    // The telescope window keeps what its boxes read even where "Next >>" refuses it.
    QTest::newRow("a length too small to open") << false << "The optical job's aperture is 0.0001 mm";
}

void tst_JobFiles::aJobThatWouldNotOpenIsNotSaved()
{
    QFETCH(bool, overlong);
    QFETCH(QString, said);
    if (overlong) {
        TypeInto(Windows().OpticForm1->ApertureEditBox, QString(1001, QLatin1Char('8')));
    } else {
        OpticalJob.TelescopeFocalLengthMm = OpticalJob.EffectiveFocalLengthMm = 1280;
        OpticalJob.ApertureMm = 0.0001;
    }
    const QString path = m_folder.filePath(QStringLiteral("long.orvalis"));
    Answer(path);
    Windows().Form1->SaveJob1->trigger();
    const QStringList boxes = m_program->Boxes.TakeTexts();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].contains(said), qPrintable(boxes[0]));
    QVERIFY(!QFile::exists(path));
}

void tst_JobFiles::whatFollowsTheSensorFollowsItAgain_data()
{
    QTest::addColumn<bool>("neverOpened"); // the camera part as a program that never made the window saves it
    QTest::addColumn<QByteArray>("camera"); // otherwise the file's camera group
    QTest::addColumn<bool>("windowsFirst"); // the field and camera windows made before the job is opened
    // read noise, efficiency, colour, emission, which say "typical for this sensor" or follow
    // the target, the total
    QTest::addColumn<QStringList>("seen");

    // On the cooled monochrome camera, an 80 mm refractor at 480 mm, an object of 22.0 in the
    // Orion Nebula's place: the worked example, 42 frames of 18 s.
    const QString worked = QStringLiteral("42 frames of 18 s, 13 min in all");
    QTest::newRow("the window never opened") << true << QByteArray() << false
                                             << QStringList{"1.5", "80", "0", "1", "1111", worked};
    QTest::newRow("opened over the windows") << true << QByteArray() << true
                                             << QStringList{"1.5", "80", "0", "1", "1111", worked};
    QTest::newRow("the user's read noise kept, the rest followed")
        << false
        << QByteArray(R"({"readNoise": "2.2", "quantumEfficiency": "50", "colour": true, "readNoiseByUser": true,
                          "quantumEfficiencyByUser": false, "colourByUser": false})")
        << false << QStringList{"2.2", "80", "0", "1", "0111", "20 frames of 38 s, 13 min in all"};
    // Written before jobs kept it: a figure other than the sensor's typical one is the user's.
    QTest::newRow("a file without who set them") << false
                                                 << QByteArray(R"({"readNoise": "1.5", "quantumEfficiency": "50", "colour": false})")
                                                 << false << QStringList{"1.5", "50", "0", "1", "1011", "44 frames of 28 s, 21 min in all"};
    // The everyday camera's figures of a window never opened, in such a file: 340 s on a colour
    // sensor of 50%, as before.
    QTest::newRow("an emission box the user set")
        << false << QByteArray(R"({"emissionNebula": false, "emissionNebulaByUser": true})") << false
        << QStringList{"3.0", "50", "1", "0", "0000", "11 frames of 340 s, 62 min in all"};
}

void tst_JobFiles::whatFollowsTheSensorFollowsItAgain()
{
    QFETCH(bool, neverOpened);
    QFETCH(QByteArray, camera);
    QFETCH(bool, windowsFirst);
    QFETCH(QStringList, seen);
    constexpr int Cooled = 5;
    Job::Data job = JobWindows::CurrentJob();
    QVERIFY(!Windows().DigitalCameraForm);
    job.FieldWindow.Sensor = QString::fromUtf8(SensorPresets[Cooled].Name);
    job.FieldWindow.PixelsAcross = QStringLiteral("6248");
    job.FieldWindow.PixelsDown = QStringLiteral("4176");
    job.FieldWindow.PixelSize = QStringLiteral("3.76");
    job.FieldWindow.Target = QStringLiteral("NGC1976");
    job.OpticalJob = {480, 480, 80, QStringLiteral("Prime focus"), QStringLiteral("80 mm f/6 refractor\r\n")};
    job.ExposureCalculator.Brightness = QStringLiteral("22");
    QByteArray bytes = Job::Write(job);
    if (!neverOpened) {
        // The camera group as the row writes it, in place of the one written.
        const qsizetype start = bytes.indexOf("\"digitalCamera\"");
        bytes.replace(start, bytes.indexOf('}', start) + 1 - start, "\"digitalCamera\": " + camera);
    }
    const QString path = m_folder.filePath(QStringLiteral("cooled.orvalis"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Opened in a fresh program.
    QVERIFY(EndProgram(m_program).isEmpty());
    m_program = std::make_unique<RunningProgram>();
    if (windowsFirst) {
        // On the job's sensor already, so that only the target changes as the job comes.
        SensorFieldWindow()->SensorBox->setCurrentIndex(Cooled);
        DigitalCameraWindow();
    }
    Answer(path);
    Windows().StartForm->OpenJob1->trigger();
    QVERIFY(m_program->Boxes.TakeTexts().isEmpty());
    const TDigitalCameraForm* window = DigitalCameraWindow();
    const auto shown = [](const QWidget* label) { return label->isVisibleTo(label->window()) ? QLatin1Char('1') : QLatin1Char('0'); };
    QCOMPARE((QStringList{window->ReadNoiseBox->text(), window->EfficiencyBox->text(),
                          QString::number(window->ColourBox->isChecked()), QString::number(window->EmissionBox->isChecked()),
                          QString() + shown(window->ReadNoiseTypical) + shown(window->EfficiencyTypical)
                              + shown(window->ColourTypical) + shown(window->EmissionTypical),
                          window->TotalLabel->text()}),
             seen);
}

void tst_JobFiles::theCameraMadeFirstTakesTheJobsSensor()
{
    // A job framed on an APS-C camera, opened before the field window is made: the Digital
    // Camera window, made first, works on that sensor, as it does once the field window is made.
    Job::Data job = JobVocabulary().Initial;
    job.FieldWindow.Sensor = QString::fromUtf8(SensorPresets[ApsC].Name);
    job.FieldWindow.PixelsAcross = QStringLiteral("6000");
    job.FieldWindow.PixelsDown = QStringLiteral("4000");
    job.FieldWindow.PixelSize = QStringLiteral("3.9");
    job.OpticalJob = {1280, 1280, 203, QStringLiteral("Prime focus"), QStringLiteral("8-inch f/6.3 Schmidt-Cassegrain\r\n")};
    job.ExposureCalculator.Brightness = QStringLiteral("21");
    const QString path = m_folder.filePath(QStringLiteral("aps-c.orvalis"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Job::Write(job));
    }
    Answer(path);
    Windows().StartForm->OpenJob1->trigger();
    QVERIFY(m_program->Boxes.TakeTexts().isEmpty());
    QVERIFY(!Windows().SensorFieldForm);

    const TDigitalCameraForm* camera = DigitalCameraWindow();
    const auto seen = [camera] {
        QStringList texts{camera->ReadNoiseBox->text(), camera->EfficiencyBox->text(),
                          QString::number(camera->ColourBox->isChecked())};
        for (const QLabel* label : {camera->SkyRateLabel, camera->SubExposureLabel, camera->TotalLabel})
            texts << label->text();
        return texts;
    };
    const QStringList first = seen();
    SensorFieldWindow();
    QCOMPARE(seen(), first);
    QVERIFY(JobWindows::CurrentJob().DigitalCamera == job.DigitalCamera);
}

void tst_JobFiles::onlyTheFileReplacedIsAskedAbout_data()
{
    QTest::addColumn<QString>("answered");   // the name confirmed in the dialog
    QTest::addColumn<QStringList>("earlier"); // files there before
    QTest::addColumn<QString>("written");    // the file the job goes to
    QTest::addColumn<bool>("asked");         // whether the program asks before replacing it

    QTest::newRow("the suffix added, that file there") << "m31" << QStringList{"m31.orvalis"} << "m31.orvalis" << true;
    QTest::newRow("the whole name, that file there") << "m31.orvalis" << QStringList{"m31.orvalis"} << "m31.orvalis" << true;
    QTest::newRow("another suffix, only that name there") << "m31.v2" << QStringList{"m31.v2"} << "m31.v2.orvalis" << false;
    QTest::newRow("another suffix, both there") << "m31.v2" << QStringList{"m31.v2", "m31.v2.orvalis"} << "m31.v2.orvalis" << true;
}

void tst_JobFiles::onlyTheFileReplacedIsAskedAbout()
{
    QFETCH(QString, answered);
    QFETCH(QStringList, earlier);
    QFETCH(QString, written);
    QFETCH(bool, asked);
    QTemporaryDir folder;
    const QByteArray before("an earlier file");
    for (const QString& name : earlier) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    }
    const auto contents = [&folder](const QString& name) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // The dialog asks about nothing: it never knows which file the job will really replace.
    bool dialogAsks = true;
    SaveDialogs::SetAnswerer([&](const SaveDialogs::Request& request) {
        dialogAsks = request.AsksBeforeReplacing;
        return folder.filePath(answered);
    });
    const QStringList question{written + QStringLiteral(" already exists.\nDo you want to replace it?")};

    if (asked) {
        m_program->Boxes.Queue(MessageBoxes::Answer::Cancel);
        Windows().StartForm->SaveJob1->trigger();
        QCOMPARE(m_program->Boxes.TakeTexts(), question);
        QCOMPARE(contents(written), before);
    }
    Windows().StartForm->SaveJob1->trigger();
    QCOMPARE(m_program->Boxes.TakeTexts(), asked ? question : QStringList());
    QVERIFY(!dialogAsks);
    QVERIFY(contents(written).startsWith('{'));
    for (const QString& name : earlier)
        if (name != written)
            QCOMPARE(contents(name), before);
    QCOMPARE(Windows().StartForm->windowTitle(), QStringLiteral("Orvalis Calculator - ") + written);
}

void tst_JobFiles::aHiddenReportHandsOnTheJobsError()
{
    // A job whose f/ratio overflows, opened while the report is hidden: the field window says
    // the results stopped at an error, as it does once the report is shown.
    Job::Data job = JobVocabulary().Initial;
    job.OpticalJob = {1e300, 1e300, 203, QStringLiteral("Prime focus"), QStringLiteral("A telescope\r\n")};
    const QString path = m_folder.filePath(QStringLiteral("overflow.orvalis"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Job::Write(job));
    }
    const TSensorFieldForm* field = SensorFieldWindow();
    Answer(path);
    Windows().StartForm->OpenJob1->trigger();
    QVERIFY(m_program->Boxes.TakeTexts().isEmpty());
    const QString hidden = field->JobMessage->text();
    QVERIFY2(hidden.contains(QStringLiteral("stopped at an error")), qPrintable(hidden));

    ShowWindow(Windows().OpticReportForm);
    const QStringList said = m_program->Boxes.TakeTexts();
    QCOMPARE(said.size(), 1);
    QVERIFY2(hidden.contains(said[0].chopped(1)), qPrintable(said[0]));
    QCOMPARE(field->JobMessage->text(), hidden);
}

void tst_JobFiles::theOpenedJobsOpticsReplaceTheRunsOwn_data()
{
    QTest::addColumn<Job::Optics>("optics");
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<bool>("reportShown");
    QTest::addColumn<QString>("apertureCaption");
    QTest::addColumn<QString>("cameraJob"); // the Digital Camera window's optical row

    QTest::newRow("none, as the README's example holds")
        << Job::Optics{} << "camera-lens" << false << QString() << "Run the optical calculations first.";
    QTest::newRow("prime focus")
        << Job::Optics{1280, 1280, 203, QStringLiteral("8-inch f/6.3 Schmidt-Cassegrain\r\nPrime focus"),
                       QStringLiteral("8-inch f/6.3 Schmidt-Cassegrain\r\n")}
        << "prime-focus" << true << "Telescope aperture:" << "D = 203 mm, f = 1280 mm";
}

void tst_JobFiles::theOpenedJobsOpticsReplaceTheRunsOwn()
{
    QFETCH(Job::Optics, optics);
    QFETCH(QString, configuration);
    QFETCH(bool, reportShown);
    QFETCH(QString, apertureCaption);
    QFETCH(QString, cameraJob);

    // A camera-lens job completed in this run, its report open.
    const ProgramWindows& w = Windows();
    const TDigitalCameraForm* camera = DigitalCameraWindow();
    TypeInto(w.OpticCamLensForm->CamLensEdit, QStringLiteral("50"));
    TypeInto(w.OpticCamLensForm->CamFEdit, QStringLiteral("1.8"));
    ShowWindow(w.OpticCamLensForm);
    w.OpticCamLensForm->Button3->click();
    QVERIFY(w.OpticReportForm->isVisible());
    QCOMPARE(w.OpticReportForm->Label1->text(), QStringLiteral("Camera lens aperture:"));

    Job::Data job = JobVocabulary().Initial;
    job.Configuration = configuration;
    job.OpticalJob = optics;
    const QString path = m_folder.filePath(QStringLiteral("optics.orvalis"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Job::Write(job));
    }
    Answer(path);
    w.StartForm->OpenJob1->trigger();
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QCOMPARE(w.OpticReportForm->isVisible(), reportShown);
    if (reportShown)
        QCOMPARE(w.OpticReportForm->Label1->text(), apertureCaption);
    QCOMPARE(camera->JobLabel->text(), cameraJob);
    QVERIFY(JobWindows::CurrentJob().OpticalJob == optics);
}

void tst_JobFiles::aJobNamedAtStartIsOpenedByItsBytes()
{
    // A name in Latin-1, not valid UTF-8: no decoded text names the file again.
    const QByteArray native = QFile::encodeName(m_folder.path()) + "/caf\xe9.orvalis";
    const auto remove = qScopeGuard([&native] { ::unlink(native.constData()); }); // QDir cannot name it
    Job::Data job = JobVocabulary().Initial;
    job.ExposureCalculator.Brightness = QStringLiteral("17.5");
    {
        QFile file;
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0 && file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write(Job::Write(job));
    }
    OpenJobAtStart(native);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
    QCOMPARE(Windows().Form1->BrightnessBox->currentText(), QStringLiteral("17.5"));
    QCOMPARE(Windows().StartForm->windowTitle(), QStringLiteral("Orvalis Calculator - caf\uFFFD.orvalis"));

    // "Save Job..." offers the job's own folder, as after "Open Job...".
    QString offered;
    SaveDialogs::SetAnswerer([&offered](const SaveDialogs::Request& request) {
        offered = request.SuggestedPath;
        return QString();
    });
    Windows().StartForm->SaveJob1->trigger();
    QCOMPARE(QFileInfo(offered).absolutePath(), QFileInfo(m_folder.path()).absoluteFilePath());

    // A path that cannot be opened for another reason than a missing file says that reason.
    const QByteArray within = native + "/job.orvalis";
    OpenJobAtStart(within);
    QCOMPARE(m_program->Boxes.TakeTexts(),
             QStringList{QStringLiteral("Could not open the job \"%1\": the file cannot be read: Not a directory.")
                             .arg(QFile::decodeName(within))});
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tst_JobFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_JobFiles.moc"
