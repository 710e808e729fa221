// The place boxes' reader and the time-zone table the window offers places from.

#include "sky/Coordinates.h"

#include <QTest>

namespace {

const QString LatitudeRefusal = QStringLiteral("A latitude from -90 to 90: 48.8566, 48 51 24 N or 48°51′24″N.");
const QString LongitudeRefusal = QStringLiteral("A longitude from -180 to 180: 2.3522, 2 21 8 E or 2°21′8″E.");

//! Lines of tzdata's zone1970.tab as it ships (tabs between the fields), with both forms of
//! coordinates, a comment and a line without comments.
const char* const Table = "# tzdb timezone descriptions\n"
                          "#\n"
                          "#country-\n"
                          "#codes\tcoordinates\tTZ\tcomments\n"
                          "AR\t-3436-05827\tAmerica/Argentina/Buenos_Aires\tBuenos Aires (BA, CF)\n"
                          "FR,MC\t+4852+00220\tEurope/Paris\n"
                          "US\t+404251-0740023\tAmerica/New_York\tEastern (most areas)\n"
                          "AQ\t-7750+16636\tAntarctica/McMurdo\tNew Zealand time - McMurdo, South Pole\r\n"
                          "XX\t+9100+00000\tEtc/Broken\tno such latitude\n";

} // namespace

class tst_Coordinates : public QObject
{
    Q_OBJECT

private slots:
    void boxes_data();
    void boxes();
    void zones_data();
    void zones();
    void coordinateText();
};

void tst_Coordinates::boxes_data()
{
    QTest::addColumn<bool>("latitude"); // which box
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("degrees"); // NaN: refused
    QTest::addColumn<QString>("refusal");

    const double refused = qQNaN();
    QTest::newRow("decimal") << true << "48.8566" << 48.8566 << QString();
    QTest::newRow("negative, blanks around") << true << "  -33.87 " << -33.87 << QString();
    QTest::newRow("a typed minus sign") << true << "\u221233.87" << -33.87 << QString();
    QTest::newRow("decimal and S") << true << "33.87 S" << -33.87 << QString();
    QTest::newRow("marks and N") << true << "48°51′24″N" << 48 + 51 / 60.0 + 24 / 3600.0 << QString();
    QTest::newRow("ASCII marks, lower case") << true << "48°51'24\"n" << 48 + 51 / 60.0 + 24 / 3600.0 << QString();
    QTest::newRow("blanks") << true << "48 51 24 N" << 48 + 51 / 60.0 + 24 / 3600.0 << QString();
    QTest::newRow("degrees and decimal minutes") << true << "33 52.2 S" << -(33 + 52.2 / 60) << QString();
    QTest::newRow("59 minutes") << true << "48 59 N" << 48 + 59 / 60.0 << QString();
    QTest::newRow("60 minutes") << true << "48 60 N" << refused << LatitudeRefusal;
    QTest::newRow("59.9 seconds") << true << "48 51 59.9" << 48 + 51 / 60.0 + 59.9 / 3600 << QString();
    QTest::newRow("60 seconds") << true << "48 51 60" << refused << LatitudeRefusal;
    QTest::newRow("the north pole") << true << "90" << 90.0 << QString();
    QTest::newRow("the south pole") << true << "90 S" << -90.0 << QString();
    QTest::newRow("beyond the pole") << true << "90.0001" << refused << LatitudeRefusal;
    QTest::newRow("beyond the pole by a second") << true << "90 0 1" << refused << LatitudeRefusal;
    QTest::newRow("-90.0001") << true << "-90.0001" << refused << LatitudeRefusal;
    QTest::newRow("a sign and a hemisphere") << true << "-48.85 N" << refused << LatitudeRefusal;
    QTest::newRow("east is no latitude") << true << "48.85 E" << refused << LatitudeRefusal;
    QTest::newRow("minutes marked as degrees") << true << "48°51°" << refused << LatitudeRefusal;
    QTest::newRow("decimals before minutes") << true << "48.5 30" << refused << LatitudeRefusal;
    QTest::newRow("a decimal comma") << true << "48,85" << refused << "Write it with a decimal point, e.g. 48.8566.";
    QTest::newRow("empty") << true << "" << refused << LatitudeRefusal;
    QTest::newRow("a word") << true << "Paris" << refused << LatitudeRefusal;

    QTest::newRow("longitude, decimal") << false << "2.3522" << 2.3522 << QString();
    QTest::newRow("longitude, blanks and E") << false << "2 21 8 E" << 2 + 21 / 60.0 + 8 / 3600.0 << QString();
    QTest::newRow("longitude, marks and W") << false << "58°22′W" << -(58 + 22 / 60.0) << QString();
    QTest::newRow("longitude 180") << false << "180" << 180.0 << QString();
    QTest::newRow("longitude -180") << false << "-180" << -180.0 << QString();
    QTest::newRow("longitude 180.0001") << false << "180.0001" << refused << LongitudeRefusal;
    QTest::newRow("north is no longitude") << false << "2.35 N" << refused << LongitudeRefusal;
    QTest::newRow("longitude, a decimal comma") << false << "2,35" << refused << "Write it with a decimal point, e.g. 2.3522.";
}

void tst_Coordinates::boxes()
{
    QFETCH(bool, latitude);
    QFETCH(QString, text);
    QFETCH(double, degrees);
    QFETCH(QString, refusal);
    std::string said;
    const std::optional<double> read = latitude ? ReadLatitude(text.toStdString(), said) : ReadLongitude(text.toStdString(), said);
    QCOMPARE(QString::fromStdString(said), refusal);
    QCOMPARE(read.value_or(qQNaN()), degrees);
}

void tst_Coordinates::zones_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("found");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("city");

    QTest::newRow("minutes") << "Europe/Paris" << true << 48 + 52 / 60.0 << 2 + 20 / 60.0 << "Paris";
    QTest::newRow("south and west, three parts") << "America/Argentina/Buenos_Aires" << true << -(34 + 36 / 60.0)
                                                 << -(58 + 27 / 60.0) << "Buenos Aires";
    QTest::newRow("seconds") << "America/New_York" << true << 40 + 42 / 60.0 + 51 / 3600.0 << -(74 + 0 / 60.0 + 23 / 3600.0)
                             << "New York";
    QTest::newRow("a Windows line end") << "Antarctica/McMurdo" << true << -(77 + 50 / 60.0) << 166 + 36 / 60.0 << "McMurdo";
    QTest::newRow("not in the table") << "Etc/UTC" << false << 0.0 << 0.0 << QString();
    QTest::newRow("a part of an id") << "Paris" << false << 0.0 << 0.0 << QString();
    QTest::newRow("a latitude beyond the pole") << "Etc/Broken" << false << 0.0 << 0.0 << QString();
}

void tst_Coordinates::zones()
{
    QFETCH(QString, zone);
    QFETCH(bool, found);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, city);
    const std::optional<ZonePlace> place = FindZonePlace(Table, zone.toStdString());
    QCOMPARE(place.has_value(), found);
    if (!place)
        return;
    QCOMPARE(place->Latitude, latitude);
    QCOMPARE(place->Longitude, longitude);
    QCOMPARE(QString::fromStdString(place->City), city);
}

void tst_Coordinates::coordinateText()
{
    QCOMPARE(QString::fromStdString(CoordinateText(48 + 52 / 60.0)), "48.8667");
    QCOMPARE(QString::fromStdString(CoordinateText(2 + 20 / 60.0)), "2.3333");
    QCOMPARE(QString::fromStdString(CoordinateText(-(58 + 27 / 60.0))), "-58.4500");
}

QTEST_APPLESS_MAIN(tst_Coordinates)

#include "tst_Coordinates.moc"
