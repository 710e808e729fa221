// The whole catalogue's night against Tonight's own: for the showpieces and objects spread over
// the catalogue, at the equator, in mid-northern, high northern and southern latitudes, in
// summer and winter, low and high, the two durations agree with Tonight's rows, and the best
// moment stands where ERFA puts the object.

#include "sky/Night.h"
#include "sky/Showpieces.h"
#include "sky/TargetRanking.h"

#include <QDateTime>
#include <QTest>
#include <QTimeZone>

#include <cmath>

class tst_TargetRanking : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithTonight_data();
    void agreesWithTonight();
};

void tst_TargetRanking::agreesWithTonight_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<int>("turn"); // which quarter of the objects the night checks

    // Noon to noon UTC shifted by the longitude's own noon, as a zone there would run it.
    const struct
    {
        const char* name;
        double latitude, longitude;
    } places[] = {{"equator", 0, -78.5}, {"48 N", 48.8566, 2.3522}, {"60 N", 60.1699, 24.9384}, {"35 S", -35.2809, 149.13}};
    int turn = 0;
    for (const auto& place : places)
        for (const QDate date : {QDate(2026, 6, 21), QDate(2026, 12, 21)})
            for (const double lowest : {0.0, 30.0})
                QTest::addRow("%s %s above %g", place.name, qPrintable(date.toString(Qt::ISODate)), lowest)
                    << place.latitude << place.longitude << date << lowest << turn++;
}

void tst_TargetRanking::agreesWithTonight()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(double, lowest);
    QFETCH(int, turn);
    const Place place{latitude, longitude};
    const double start = static_cast<double>(QDateTime(date, QTime(12, 0), QTimeZone::utc()).toSecsSinceEpoch()) - longitude / 15 * 3600;
    const double end = start + 86400;
    const Catalogue& catalogue = TheCatalogue();
    const NightRanking ranking = RankNight(catalogue, start, end, place, lowest);
    QCOMPARE(ranking.Objects.size(), catalogue.Objects().size());

    // The showpieces, and every 67th object: 200 spread over IC, NGC and the addendum.
    std::vector<std::size_t> chosen;
    for (const Showpiece& showpiece : Showpieces())
        chosen.push_back(static_cast<std::size_t>(catalogue.Find(showpiece.Entry) - catalogue.Objects().data()));
    for (std::size_t i = 0; i < catalogue.Objects().size() && chosen.size() < 227; i += 67)
        chosen.push_back(i);
    // Each object on a quarter of the nights, in turn, so that every night checks 57 of them.
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        if ((k + static_cast<std::size_t>(turn)) % 4 != 0)
            continue;
        const std::size_t i = chosen[k];
        const SkyObject& object = catalogue.Objects()[i];
        const Target target{false, object.RightAscension() * 15, object.Declination()};
        const NightSky night = ComputeNight(start, end, place, target, lowest);
        const ObjectNight& ranked = ranking.Objects[i];
        const QByteArray name(object.Entry().data(), static_cast<qsizetype>(object.Entry().size()));
        QVERIFY2(std::abs(ranked.DarkAndUp - TotalLength(night.DarkAbove)) < 120, name);
        QVERIFY2(std::abs(ranked.MoonDown - TotalLength(night.DarkAboveMoonDown)) < 120, name);
        QCOMPARE(ranked.Best.has_value(), !night.Dark.empty());
        if (ranked.Best) {
            // Where ERFA puts it then, and no dark moment higher on Tonight's own curve.
            QVERIFY2(std::abs(ranked.BestAltitude - TargetPlace(*ranked.Best, place, target).Shown()) < 0.02, name);
            QVERIFY2(std::abs(ranked.MoonDistance - ComputeMoonLight(*ranked.Best, place, target).FromTarget) < 0.2, name);
            for (std::size_t s = 0; s < night.Curves.Times.size(); ++s)
                for (const TimeSpan& dark : night.Dark)
                    if (night.Curves.Times[s] >= dark.Start && night.Curves.Times[s] <= dark.End)
                        QVERIFY2(night.Curves.Target[s] <= ranked.BestAltitude + 0.02, name);
        }
    }
}

QTEST_APPLESS_MAIN(tst_TargetRanking)
#include "tst_TargetRanking.moc"
