// The catalogue of showpieces as the program reads it: the data file's rows, their ranges, and
// positions worked from OpenNGC's sexagesimal figures by hand.

#include "sky/Showpieces.h"

#include <QFile>
#include <QTest>

#include <stdexcept>

Q_DECLARE_METATYPE(std::string)

namespace {

const Showpiece& Target(const QString& name)
{
    for (const Showpiece& showpiece : Showpieces())
        if (QString::fromStdString(showpiece.Name).startsWith(name))
            return showpiece;
    throw std::invalid_argument("no such showpiece");
}

//! "+41:16:08.6" as a number, read here on its own.
double Sexagesimal(const QString& text)
{
    const QStringList parts = text.mid(text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0)
                                  .split(QLatin1Char(':'));
    const double value = parts[0].toDouble() + parts[1].toDouble() / 60 + parts[2].toDouble() / 3600;
    return text.startsWith(QLatin1Char('-')) ? -value : value;
}

} // namespace

class tst_Showpieces : public QObject
{
    Q_OBJECT

private slots:
    void catalogue_data();
    void catalogue();
    void malformedCatalogueLinesAreRefused_data();
    void malformedCatalogueLinesAreRefused();
    void catalogueIsTheDataFile();
};

void tst_Showpieces::catalogue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("major");
    QTest::addColumn<double>("minor");
    QTest::addColumn<double>("positionAngle"); // -1: not catalogued
    QTest::addColumn<double>("rightAscension"); // hours
    QTest::addColumn<double>("declination");

    // OpenNGC: 00:42:44.35 +41:16:08.6 and so on, worked into hours and degrees by hand.
    QTest::newRow("every field") << "M31, Andromeda Galaxy" << "NGC0224" << 177.83 << 69.66 << 35.0 << 0.7123194 << 41.2690556;
    QTest::newRow("no minor axis: round") << "M13, Hercules Cluster" << "NGC6205" << 16.5 << 16.5 << -1.0 << 16.6948972 << 36.4613056;
    QTest::newRow("south, no orientation") << "M8, Lagoon Nebula" << "NGC6523" << 45.0 << 30.0 << -1.0 << 18.0614639 << -24.3801667;
    QTest::newRow("whole seconds, south") << "Horsehead Nebula (Barnard 33)" << "B033" << 6.0 << 4.0 << 90.0 << 5.6830556 << -2.4583333;
    QTest::newRow("the last") << "47 Tucanae (NGC 104)" << "NGC0104" << 31.8 << 31.8 << -1.0 << 0.4014889 << -72.0814444;
}

void tst_Showpieces::catalogue()
{
    QFETCH(QString, name);
    QFETCH(QString, entry);
    QFETCH(double, major);
    QFETCH(double, minor);
    QFETCH(double, positionAngle);
    QFETCH(double, rightAscension);
    QFETCH(double, declination);
    QCOMPARE(Showpieces().front().Name, std::string("M1, Crab Nebula"));
    const Showpiece& target = Target(name);
    QCOMPARE(QString::fromStdString(target.Name), name);
    QCOMPARE(QString::fromStdString(target.Entry), entry);
    QCOMPARE(target.MajorArcmin, major);
    QCOMPARE(target.MinorArcmin, minor);
    QCOMPARE(target.PositionAngle.value_or(-1), positionAngle);
    QVERIFY(qAbs(target.RightAscension - rightAscension) < 1e-7);
    QVERIFY(qAbs(target.Declination - declination) < 1e-7);
}

void tst_Showpieces::malformedCatalogueLinesAreRefused_data()
{
    QTest::addColumn<std::string>("line");

    QTest::newRow("six fields") << std::string("M1, Crab Nebula;NGC1952;8;4;05:34:31.97;+22:00:52.1");
    QTest::newRow("no number") << std::string("M1, Crab Nebula;NGC1952;eight;4;;05:34:31.97;+22:00:52.1");
    QTest::newRow("a decimal comma") << std::string("M1, Crab Nebula;NGC1952;8,5;4;;05:34:31.97;+22:00:52.1");
    QTest::newRow("minor above major") << std::string("M1, Crab Nebula;NGC1952;4;8;;05:34:31.97;+22:00:52.1");
    QTest::newRow("no name") << std::string(";NGC1952;8;4;;05:34:31.97;+22:00:52.1");
    QTest::newRow("no major axis") << std::string("M1, Crab Nebula;NGC1952;0;;;05:34:31.97;+22:00:52.1");
    QTest::newRow("more than half the sky") << std::string("M1, Crab Nebula;NGC1952;10800.1;4;;05:34:31.97;+22:00:52.1");
    QTest::newRow("a position angle beyond 180") << std::string("M1, Crab Nebula;NGC1952;8;4;180.1;05:34:31.97;+22:00:52.1");
    QTest::newRow("a negative position angle") << std::string("M1, Crab Nebula;NGC1952;8;4;-1;05:34:31.97;+22:00:52.1");
    QTest::newRow("beyond the north pole") << std::string("M1, Crab Nebula;NGC1952;8;4;;05:34:31.97;+90:00:00.1");
    QTest::newRow("beyond the south pole") << std::string("M1, Crab Nebula;NGC1952;8;4;;05:34:31.97;-90:00:00.1");
    QTest::newRow("24 hours") << std::string("M1, Crab Nebula;NGC1952;8;4;;24:00:00;+22:00:52.1");
    QTest::newRow("60 minutes") << std::string("M1, Crab Nebula;NGC1952;8;4;;05:60:31.97;+22:00:52.1");
    QTest::newRow("decimal degrees") << std::string("M1, Crab Nebula;NGC1952;8;4;;05:34:31.97;+22.01");
}

void tst_Showpieces::malformedCatalogueLinesAreRefused()
{
    QFETCH(std::string, line);
    const std::string headings = "# a comment\nName;Entry;MajAx;MinAx;PosAng;RA;Dec\n";
    QCOMPARE(ReadShowpieces(headings + "M1, Crab Nebula;NGC1952;10800;4;180;23:59:59.99;-90:00:00\r\n").size(), std::size_t(1));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ReadShowpieces(headings + line + "\n"));
}

void tst_Showpieces::catalogueIsTheDataFile()
{
    // The data file read here on its own, so that what the build makes of it cannot drift.
    QFile file(QStringLiteral(SHOWPIECES_TABLE_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows << line;
    rows.removeFirst(); // the headings
    QCOMPARE(Showpieces().size(), std::size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QStringList f = rows[i].split(QLatin1Char(';'));
        const Showpiece& held = Showpieces()[static_cast<std::size_t>(i)];
        QCOMPARE(QString::fromStdString(held.Name), f[0]);
        QCOMPARE(QString::fromStdString(held.Entry), f[1]);
        QCOMPARE(held.MajorArcmin, f[2].toDouble());
        QCOMPARE(held.MinorArcmin, f[3].isEmpty() ? f[2].toDouble() : f[3].toDouble());
        QCOMPARE(held.PositionAngle.value_or(-1), f[4].isEmpty() ? -1 : f[4].toDouble());
        QVERIFY(qAbs(held.RightAscension - Sexagesimal(f[5])) < 1e-12);
        QVERIFY(qAbs(held.Declination - Sexagesimal(f[6])) < 1e-12);
    }
}

QTEST_APPLESS_MAIN(tst_Showpieces)

#include "tst_Showpieces.moc"
