// The house's one rule, read off the sources: a file includes only from its own folder or from
// a floor below its own, never from a floor above nor across into another folder of the same
// floor. docs/ARCHITECTURE.md draws the floors; this table is where they are kept.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTest>

namespace {

//! Each folder of src/ and its floor, lowest first.
const QHash<QString, int> Floors{
    {QStringLiteral("numeric"), 0},  // reading and writing numbers, box texts and durations
    {QStringLiteral("ui"), 1},       // the plumbing every window uses
    {QStringLiteral("job"), 1},      // a job and its parts, and the job file
    {QStringLiteral("print"), 2},    // the sheets and the devices they go to
    {QStringLiteral("info"), 3},     // the information windows
    {QStringLiteral("sky"), 3},      // the night's astronomy and the Tonight window
    {QStringLiteral("optics"), 3},   // the optical wizard and its report
    {QStringLiteral("field"), 4},    // the field on the sensor
    {QStringLiteral("exposure"), 5}, // the exposure calculator and the Digital Camera window
    {QStringLiteral("targets"), 5},  // Targets Tonight: the catalogue ranked for the night and the frame
    {QStringLiteral("app"), 6},      // what puts the program together
};

//! What is wrong with `folder`'s file including `included` ("optics/Telescope.h"), or nothing.
QString Fault(const QString& folder, const QString& included)
{
    const qsizetype slash = included.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {}; // a generated form or a header beside it
    const QString target = included.left(slash);
    if (target == folder)
        return {};
    if (!Floors.contains(folder))
        return QStringLiteral("the folder %1 has no floor: give it one").arg(folder);
    if (!Floors.contains(target))
        return QStringLiteral("%1 is no folder of the program's").arg(target);
    const int from = Floors[folder];
    const int to = Floors[target];
    if (to > from)
        return QStringLiteral("%1 (floor %2) is above %3 (floor %4)").arg(target).arg(to).arg(folder).arg(from);
    if (to == from)
        return QStringLiteral("%1 is beside %2 on floor %3: neither includes the other").arg(target, folder).arg(from);
    return {};
}

} // namespace

class tst_Floors : public QObject
{
    Q_OBJECT

private slots:
    void theRule_data();
    void theRule();
    void everyIncludeRunsDownward();
};

void tst_Floors::theRule_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("included");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("its own folder") << "optics" << "optics/Telescope.h" << true;
    QTest::newRow("a generated form") << "optics" << "ui_TOpticForm1.h" << true;
    QTest::newRow("one floor down") << "field" << "optics/OpticalJob.h" << true;
    QTest::newRow("to the lowest") << "app" << "numeric/NumberText.h" << true;
    QTest::newRow("one floor up") << "sky" << "field/SensorField.h" << false;
    QTest::newRow("from the lowest up") << "numeric" << "ui/ErrorReport.h" << false;
    QTest::newRow("beside, on one floor") << "sky" << "optics/Telescope.h" << false;
    QTest::newRow("beside, on the lowest window floor") << "ui" << "job/Job.h" << false;
    QTest::newRow("a folder without a floor") << "catalogue" << "sky/Showpieces.h" << false;
}

void tst_Floors::theRule()
{
    QFETCH(QString, folder);
    QFETCH(QString, included);
    QFETCH(bool, allowed);
    QCOMPARE(Fault(folder, included).isEmpty(), allowed);
}

void tst_Floors::everyIncludeRunsDownward()
{
    const QDir source(QStringLiteral(ORVALIS_SOURCE_DIR));
    QVERIFY(source.exists(QStringLiteral("app")));
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"));
    QStringList faults;
    int files = 0;
    QDirIterator walk(source.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp"), QStringLiteral("*.in")}, QDir::Files,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        const QString relative = source.relativeFilePath(path);
        if (!relative.contains(QLatin1Char('/')))
            continue; // the folder's own build files
        const QString folder = relative.section(QLatin1Char('/'), 0, 0);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(relative));
        ++files;
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            const QRegularExpressionMatch match = include.match(QString::fromUtf8(file.readLine()));
            if (!match.hasMatch())
                continue;
            if (const QString fault = Fault(folder, match.captured(1)); !fault.isEmpty())
                faults << QStringLiteral("src/%1:%2 includes \"%3\": %4").arg(relative).arg(line).arg(match.captured(1), fault);
        }
    }
    QVERIFY(files > 100);
    QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
}

QTEST_APPLESS_MAIN(tst_Floors)

#include "tst_Floors.moc"
