// The job file: what is written is read back as it was, a file of another program, another
// version or with a value no window could hold is refused with a message that says which,
// and a name without the suffix gets it.

#include "app/JobVocabulary.h"
#include "job/Job.h"
#include "sky/TargetNames.h"

#include <QTest>

Q_DECLARE_METATYPE(Job::Data)

namespace {

//! A file holding `values` beside the format and version.
QByteArray File(const QByteArray& values = {})
{
    return R"({"format": "orvalis-calculator-job", "version": 1)" + (values.isEmpty() ? QByteArray() : ", " + values) + "}";
}

//! A job in which every value differs from the starting job, so that a value not written or not
//! read shows; the names are among those the program knows.
Job::Data EveryValueChanged()
{
    Job::Data job;
    job.ExposureCalculator = {"-3", "400", "0.75", "2.5", "8"};
    job.TelescopeWindow = {"Meade ETX-90", "3.5", "in", "125", "cm"};
    job.Configuration = "eyepiece-projection";
    job.ConfigurationWindows = {"35", "2.8", "1.4", "0.8", "28", "25", "-60", "90", "12.5", "140"};
    job.OpticalJob = {1250, 5000.5, 90, "Meade ETX-90\r\nEyepiece projection", "Meade ETX-90\r\n"};
    job.FieldWindow = {"Your own sensor", "6000", "4000", "3.76", "NGC1952", 45, 50, "22.0"};
    job.TonightWindow = {"41.27", "-2.5", "Europe/Madrid", "NGC6523", 80};
    job.DigitalCamera = {"1.8", "61", false, "20.8", "narrowband", "3", "33", "4", "20", true, false, true, true, true, "300"};
    return job;
}

//! The same job as a file that names every key, as a user or an older program might write it:
//! the keys are what other files rely on.
const QByteArray EveryKey = R"({
  "format": "orvalis-calculator-job", "version": 1,
  "exposureCalculator": {"brightness": "-3", "filmSpeed": "400", "reciprocity": "0.75", "filterFactor": "2.5", "fRatio": "8"},
  "telescope": {"preset": "Meade ETX-90", "aperture": "3.5", "apertureUnit": "in", "focalLength": "125", "focalLengthUnit": "cm"},
  "configuration": "eyepiece-projection",
  "configurationWindows": {"cameraLensFocalLength": "35", "cameraLensFRatio": "2.8", "teleconverterMagnification": "1.4",
    "compressionMagnification": "0.8", "afocalCameraLens": "28", "afocalEyepiece": "25", "barlowFocalLength": "-60",
    "barlowDistance": "90", "eyepieceFocalLength": "12.5", "eyepieceDistance": "140"},
  "opticalJob": {"telescopeFocalLengthMm": 1250, "effectiveFocalLengthMm": 5000.5, "apertureMm": 90,
    "configurationText": "Meade ETX-90\r\nEyepiece projection", "telescopeLine": "Meade ETX-90\r\n"},
  "fieldWindow": {"sensor": "Your own sensor", "pixelsAcross": "6000", "pixelsDown": "4000", "pixelSize": "3.76",
    "target": "NGC1952", "cameraAngle": 45, "overlap": 50, "declination": "22.0"},
  "tonight": {"latitude": "41.27", "longitude": "-2.5", "zone": "Europe/Madrid", "target": "NGC6523", "lowestAltitude": 80},
  "digitalCamera": {"readNoise": "1.8", "quantumEfficiency": "61", "colour": false, "skyBrightness": "20.8",
    "filter": "narrowband", "narrowbandWidth": "3", "obstruction": "33", "readNoiseRise": "4", "signalToNoise": "20",
    "readNoiseByUser": true, "quantumEfficiencyByUser": false, "colourByUser": true, "emissionNebula": true,
    "emissionNebulaByUser": true, "subExposure": "300"}
})";

//! `count` telescopes, U+1F52D, each two UTF-16 units.
QString Telescopes(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString::fromUcs4(U"\U0001F52D", 1);
    return text;
}

QString Refusal(const std::variant<Job::Data, QString>& read)
{
    return std::holds_alternative<QString>(read) ? std::get<QString>(read) : QString();
}

//! The tables of another program: one telescope, one sensor besides the user's own, one
//! target besides the Moon and Jupiter, and a brightness of its own to start with.
Job::Vocabulary AnotherVocabulary()
{
    Job::Vocabulary known = JobVocabulary();
    known.TelescopePresets = QStringList{"Hubble"};
    known.Sensors = QStringList{"Pinhole", "Your own sensor"};
    known.KnownTarget = [](const QString& name) { return name == "moon-jupiter" || name == "NGC9999"; };
    known.Initial.ExposureCalculator.Brightness = "12";
    return known;
}

//! Compares as files first, so that a failure shows which value differs.
void CompareJobs(const Job::Data& actual, const Job::Data& expected)
{
    QCOMPARE(QString::fromUtf8(Job::Write(actual)), QString::fromUtf8(Job::Write(expected)));
    QVERIFY(actual == expected);
}

} // namespace

class tst_Job : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void theVocabularyGiven_data();
    void theVocabularyGiven();
    void targetNames_data();
    void targetNames();
    void overlongBox_data();
    void overlongBox();
    void suffix_data();
    void suffix();
};

void tst_Job::roundTrip_data()
{
    QTest::addColumn<Job::Data>("job");

    QTest::newRow("as the program starts") << JobVocabulary().Initial;
    QTest::newRow("every value changed") << EveryValueChanged();
}

void tst_Job::roundTrip()
{
    QFETCH(Job::Data, job);
    const auto read = Job::Read(Job::Write(job), JobVocabulary());
    QVERIFY2(std::holds_alternative<Job::Data>(read), qPrintable(Refusal(read)));
    CompareJobs(std::get<Job::Data>(read), job);
}

void tst_Job::accepted_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Job::Data>("job");

    const Job::Data initial = JobVocabulary().Initial;
    QTest::newRow("every key") << EveryKey << EveryValueChanged();
    QTest::newRow("format and version alone") << File() << initial;
    QTest::newRow("keys of a later version") << File(R"("sky": {"moon": 1}, "telescope": {"mirror": "glass"})") << initial;

    // Written before jobs kept which camera figures the user set: they stay unsaid.
    Job::Data older = initial;
    older.DigitalCamera.ReadNoise = "2.2";
    QTest::newRow("a camera without who set its figures") << File(R"("digitalCamera": {"readNoise": "2.2"})") << older;

    Job::Data job = initial;
    job.ExposureCalculator.Brightness = QString(Job::LongestText, 'x');
    QTest::newRow("a text of 1000 characters") << File(R"("exposureCalculator": {"brightness": ")" + QByteArray(Job::LongestText, 'x') + "\"}") << job;
    // Characters outside the Basic Multilingual Plane are one each, though two UTF-16 units.
    job.ExposureCalculator.Brightness = Telescopes(Job::LongestText);
    QTest::newRow("1000 characters of two units each")
        << File(R"("exposureCalculator": {"brightness": ")" + Telescopes(Job::LongestText).toUtf8() + "\"}") << job;

    // A job saved before the wizard completed one: none, whatever texts came with it.
    QTest::newRow("no optical job")
        << File(R"("opticalJob": {"apertureMm": 0, "telescopeFocalLengthMm": 0, "effectiveFocalLengthMm": 0, "configurationText": "Prime focus"})")
        << initial;
    job = initial;
    job.OpticalJob = {0.001, 0.001, 0.001, "", ""};
    QTest::newRow("the shortest lengths")
        << File(R"("opticalJob": {"apertureMm": 0.001, "telescopeFocalLengthMm": 0.001, "effectiveFocalLengthMm": 0.001})") << job;
    // The camera-lens window completes a job from a negative f-ratio as typed: it opens again.
    job.OpticalJob = {-360, -360, -200, "", ""};
    QTest::newRow("negative lengths, as the wizard gives them")
        << File(R"("opticalJob": {"apertureMm": -200, "telescopeFocalLengthMm": -360, "effectiveFocalLengthMm": -360})") << job;

    job = initial;
    job.FieldWindow.CameraAngle = 359;
    job.FieldWindow.Overlap = 0;
    job.TonightWindow.LowestAltitude = 80;
    QTest::newRow("spin values at their highest and lowest")
        << File(R"("fieldWindow": {"cameraAngle": 359, "overlap": 0}, "tonight": {"lowestAltitude": 80})") << job;
    job = initial;
    job.FieldWindow.Overlap = 50;
    job.TonightWindow.LowestAltitude = 0;
    QTest::newRow("the others' limits") << File(R"("fieldWindow": {"overlap": 50}, "tonight": {"lowestAltitude": 0})") << job;

    job = initial;
    job.TelescopeWindow.Preset = "Other";
    job.FieldWindow.Sensor = "Planetary camera, 2 MP";
    QTest::newRow("the last entries of the lists")
        << File(R"("telescope": {"preset": "Other"}, "fieldWindow": {"sensor": "Planetary camera, 2 MP"})") << job;

    // Exactly the largest file, padded with blanks after the object.
    const QByteArray plain = File();
    QTest::newRow("exactly 1 MiB") << plain + QByteArray(Job::LargestFile - plain.size(), ' ') << initial;
}

void tst_Job::accepted()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Job::Data, job);
    const auto read = Job::Read(bytes, JobVocabulary());
    QVERIFY2(std::holds_alternative<Job::Data>(read), qPrintable(Refusal(read)));
    CompareJobs(std::get<Job::Data>(read), job);
}

void tst_Job::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("not JSON") << QByteArray("hello") << "Not a job file: illegal value at line 1.";
    QTest::newRow("a fault on the second line") << QByteArray("{\n\"format\": x}") << "Not a job file: illegal number at line 2.";
    // Cut after its tenth line break, the file ends on line 11.
    const QByteArray whole = Job::Write(JobVocabulary().Initial);
    qsizetype cut = -1;
    for (int line = 0; line < 10; ++line)
        cut = whole.indexOf('\n', cut + 1);
    QTest::newRow("cut short") << whole.left(cut + 1) << "Not a job file: unterminated object at line 11.";
    QTest::newRow("JSON, not an object") << QByteArray(R"(["orvalis-calculator-job", 1])") << "Not an Orvalis Calculator job file.";
    QTest::newRow("another format") << QByteArray(R"({"format": "orvalis-calculator-jobs", "version": 1})")
                                    << "Not an Orvalis Calculator job file.";
    QTest::newRow("no version") << QByteArray(R"({"format": "orvalis-calculator-job"})") << "The job file's version is not a whole number.";
    QTest::newRow("a version between") << QByteArray(R"({"format": "orvalis-calculator-job", "version": 1.5})")
                                       << "The job file's version is not a whole number.";
    QTest::newRow("a newer version")
        << QByteArray(R"({"format": "orvalis-calculator-job", "version": 2})")
        << "This job was saved by a newer Orvalis Calculator (format 2); this one reads format 1.";
    QTest::newRow("version 0") << QByteArray(R"({"format": "orvalis-calculator-job", "version": 0})")
                               << "The job file's version 0 is not one this program knows.";

    QTest::newRow("a window not a group") << File(R"("telescope": ["Meade ETX-90"])")
                                          << "The telescope window in the file is not a group of values.";
    QTest::newRow("a number for a text") << File(R"("exposureCalculator": {"filmSpeed": 400})")
                                         << "The exposure calculator's film speed box is not a text.";
    QTest::newRow("a text for a whole number") << File(R"("fieldWindow": {"cameraAngle": "45"})")
                                               << "The field window's camera angle is not a whole number.";
    QTest::newRow("a fraction for a whole number") << File(R"("fieldWindow": {"cameraAngle": 44.5})")
                                                   << "The field window's camera angle is not a whole number.";
    QTest::newRow("a text for a number") << File(R"("opticalJob": {"apertureMm": "90"})")
                                         << "The optical job's aperture is not a number.";
    QTest::newRow("a text for true or false") << File(R"("digitalCamera": {"colour": "yes"})")
                                              << "The Digital Camera window's colour sensor box is not true or false.";
    QTest::newRow("a text for a flag that may be unsaid")
        << File(R"("digitalCamera": {"readNoiseByUser": "yes"})")
        << "Whether the user set the Digital Camera window's read noise is not true or false.";
    QTest::newRow("a text of 1001 characters")
        << File(R"("exposureCalculator": {"brightness": ")" + QByteArray(Job::LongestText + 1, 'x') + "\"}")
        << "The exposure calculator's brightness box is longer than 1000 characters.";
    QTest::newRow("1001 characters of two units each")
        << File(R"("exposureCalculator": {"brightness": ")" + Telescopes(Job::LongestText + 1).toUtf8() + "\"}")
        << "The exposure calculator's brightness box is longer than 1000 characters.";

    // Lengths the wizard never completes a job with.
    QTest::newRow("a negative length just under the shortest")
        << File(R"("opticalJob": {"apertureMm": -0.00099, "telescopeFocalLengthMm": 1280, "effectiveFocalLengthMm": 1280})")
        << "The optical job's aperture is -0.00099 mm; it must be at least 0.001 mm.";
    QTest::newRow("a length just under the shortest")
        << File(R"("opticalJob": {"apertureMm": 203, "telescopeFocalLengthMm": 1280, "effectiveFocalLengthMm": 0.00099})")
        << "The optical job's effective focal length is 0.00099 mm; it must be at least 0.001 mm.";
    QTest::newRow("a length that overflows the report")
        << File(R"("opticalJob": {"apertureMm": 1e-308, "telescopeFocalLengthMm": 1280, "effectiveFocalLengthMm": 1280})")
        << "The optical job's aperture is 1e-308 mm; it must be at least 0.001 mm.";
    QTest::newRow("zero where the wizard computed")
        << File(R"("opticalJob": {"apertureMm": 203, "telescopeFocalLengthMm": 0, "effectiveFocalLengthMm": 1280})")
        << "The optical job's telescope focal length is 0 mm; it must be at least 0.001 mm.";

    QTest::newRow("camera angle 360") << File(R"("fieldWindow": {"cameraAngle": 360})")
                                      << "The field window's camera angle is 360; it must be from 0 to 359.";
    QTest::newRow("camera angle -1") << File(R"("fieldWindow": {"cameraAngle": -1})")
                                     << "The field window's camera angle is -1; it must be from 0 to 359.";
    QTest::newRow("overlap 51") << File(R"("fieldWindow": {"overlap": 51})")
                                << "The field window's overlap is 51; it must be from 0 to 50.";
    QTest::newRow("lowest altitude 81") << File(R"("tonight": {"lowestAltitude": 81})")
                                        << "The Tonight window's lowest altitude is 81; it must be from 0 to 80.";

    QTest::newRow("an unknown preset") << File(R"("telescope": {"preset": "Hubble"})")
                                       << "The telescope preset \"Hubble\" is not one this program knows.";
    QTest::newRow("an unknown unit") << File(R"("telescope": {"focalLengthUnit": "ft"})")
                                     << "The telescope window's focal length unit \"ft\" is not one this program knows.";
    QTest::newRow("an unknown configuration") << File(R"("configuration": "Prime focus")")
                                              << "The optical configuration \"Prime focus\" is not one this program knows.";
    QTest::newRow("an unknown sensor") << File(R"("fieldWindow": {"sensor": "your own sensor"})")
                                       << "The field window's sensor \"your own sensor\" is not one this program knows.";
    // A target by its list text, not its catalogue entry.
    QTest::newRow("an unknown target") << File(R"("tonight": {"target": "M1, Crab Nebula"})")
                                       << "The Tonight window's target \"M1, Crab Nebula\" is not one this program knows.";
    QTest::newRow("an unknown filter") << File(R"("digitalCamera": {"filter": "hydrogen-alpha"})")
                                       << "The Digital Camera window's filter \"hydrogen-alpha\" is not one this program knows.";
    QTest::newRow("a long unknown name, cut short")
        << File(R"("fieldWindow": {"target": ")" + QByteArray(61, 'M') + "\"}")
        << "The field window's target \"" + QString(60, 'M') + "...\" is not one this program knows.";

    const QByteArray plain = File();
    QTest::newRow("one byte over 1 MiB") << plain + QByteArray(Job::LargestFile + 1 - plain.size(), ' ')
                                         << "The file is larger than 1 MiB.";
}

void tst_Job::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const auto read = Job::Read(bytes, JobVocabulary());
    QVERIFY(std::holds_alternative<QString>(read));
    QCOMPARE(std::get<QString>(read), message);
}

void tst_Job::theVocabularyGiven_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Job::Data>("job");   // where it is read
    QTest::addColumn<QString>("message"); // where it is refused

    const Job::Data initial = AnotherVocabulary().Initial;
    QTest::newRow("a key left out: its own start") << File() << initial << QString();
    Job::Data job = initial;
    job.TelescopeWindow.Preset = "Hubble";
    QTest::newRow("its preset") << File(R"("telescope": {"preset": "Hubble"})") << job << QString();
    QTest::newRow("the program's preset") << File(R"("telescope": {"preset": "Meade ETX-90"})") << Job::Data{}
                                          << "The telescope preset \"Meade ETX-90\" is not one this program knows.";
    job = initial;
    job.FieldWindow.Sensor = "Pinhole";
    QTest::newRow("its sensor") << File(R"("fieldWindow": {"sensor": "Pinhole"})") << job << QString();
    QTest::newRow("the program's sensor")
        << File(R"("fieldWindow": {"sensor": "Planetary camera, 2 MP"})") << Job::Data{}
        << "The field window's sensor \"Planetary camera, 2 MP\" is not one this program knows.";
    job = initial;
    job.TonightWindow.Target = "NGC9999";
    QTest::newRow("its target") << File(R"("tonight": {"target": "NGC9999"})") << job << QString();
    QTest::newRow("the program's target") << File(R"("fieldWindow": {"target": "NGC0224"})") << Job::Data{}
                                          << "The field window's target \"NGC0224\" is not one this program knows.";
}

void tst_Job::targetNames_data()
{
    QTest::addColumn<QString>("name");    // as a job holds it
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("shown");   // the target's list text
    QTest::addColumn<QString>("written"); // the name written back for it

    QTest::newRow("the Moon and Jupiter") << "moon-jupiter" << true << QString() << "moon-jupiter";
    QTest::newRow("an NGC entry") << "NGC7000" << true << "NGC 7000, North America Nebula" << "NGC7000";
    QTest::newRow("the addendum's") << "B033" << true << "Horsehead Nebula (Barnard 33)" << "B033";
    QTest::newRow("a duplicate's entry: the object it names") << "M102" << true << "M101, Pinwheel Galaxy" << "NGC5457";
    QTest::newRow("non-existent") << "NGC0412" << false << QString() << QString();
    QTest::newRow("no entry at all") << "NGC9999" << false << QString() << QString();
    QTest::newRow("a name as typed, not an entry") << "NGC 7000" << false << QString() << QString();
    QTest::newRow("a point") << "RA 5.5881389h, Dec -5.3911111\u00B0" << true << "RA 05h 35m 17s, Dec \u221205\u00B0 23\u2032 28\u2033"
                             << "RA 5.5881389h, Dec -5.3911111\u00B0";
    // A hundred-millionth of an hour short of 24h rounds to 24h: written as 0h, which reads.
    QTest::newRow("a point a hair short of 24h") << "RA 23.99999999h, Dec 10\u00B0" << true
                                                 << "RA 00h 00m 00s, Dec +10\u00B0 00\u2032 00\u2033"
                                                 << "RA 0.0000000h, Dec 10.0000000\u00B0";
    QTest::newRow("a point beyond the pole") << "RA 5h, Dec 91\u00B0" << false << QString() << QString();
}

void tst_Job::targetNames()
{
    QFETCH(QString, name);
    QFETCH(bool, known);
    QFETCH(QString, shown);
    QFETCH(QString, written);
    QCOMPARE(JobVocabulary().KnownTarget(name), known);
    const NamedTarget named = TargetNamed(name);
    QCOMPARE(named.Known, known);
    if (!known)
        return;
    QCOMPARE(named.Target ? QString::fromStdString(named.Target->ListText) : QString(), shown);
    QCOMPARE(TargetName(named.Target), written);
    QVERIFY(TargetNamed(written).Known); // what is written opens again
}

void tst_Job::theVocabularyGiven()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Job::Data, job);
    QFETCH(QString, message);
    const auto read = Job::Read(bytes, AnotherVocabulary());
    QCOMPARE(Refusal(read), message);
    if (message.isEmpty())
        CompareJobs(std::get<Job::Data>(read), job);
}

void tst_Job::overlongBox_data()
{
    QTest::addColumn<Job::Data>("job");
    QTest::addColumn<QString>("box");

    const QString longest(Job::LongestText, 'x');
    const QString overlong = longest + 'x';
    Job::Data job = JobVocabulary().Initial;
    job.ExposureCalculator.Brightness = longest;
    job.DigitalCamera.SignalToNoise = longest;
    QTest::newRow("1000 characters are kept") << job << QString();
    job.TonightWindow.Latitude = Telescopes(Job::LongestText);
    QTest::newRow("1000 characters of two units each are kept") << job << QString();
    job.TonightWindow.Latitude.clear();
    job.DigitalCamera.SignalToNoise = overlong;
    QTest::newRow("the last box") << job << "the Digital Camera window's signal-to-noise box";
    job.TonightWindow.Zone = overlong;
    QTest::newRow("the first of two") << job << "the Tonight window's time zone box";
}

void tst_Job::overlongBox()
{
    QFETCH(Job::Data, job);
    QFETCH(QString, box);
    QCOMPARE(Job::OverlongBox(job), box);
    // What it lets through is what a file can hold.
    QCOMPARE(std::holds_alternative<QString>(Job::Read(Job::Write(job), JobVocabulary())), !box.isEmpty());
}

void tst_Job::suffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("withSuffix");

    QTest::newRow("none") << "m31" << "m31.orvalis";
    QTest::newRow("another after a point") << "/home/ana/m31.v2" << "/home/ana/m31.v2.orvalis";
    QTest::newRow("already there") << "/home/ana/m31.orvalis" << "/home/ana/m31.orvalis";
    QTest::newRow("in capitals") << "/home/ana/M31.ORVALIS" << "/home/ana/M31.ORVALIS";
    QTest::newRow("without its point") << "m31orvalis" << "m31orvalis.orvalis";
    QTest::newRow("not at the end") << "m31.orvalis.bak" << "m31.orvalis.bak.orvalis";
}

void tst_Job::suffix()
{
    QFETCH(QString, name);
    QFETCH(QString, withSuffix);
    QCOMPARE(Job::WithSuffix(name), withSuffix);
}

QTEST_APPLESS_MAIN(tst_Job)

#include "tst_Job.moc"
