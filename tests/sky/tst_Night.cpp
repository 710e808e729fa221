// One night's events against an independent ephemeris: PyEphem 4.1.4, Debian's python3-ephem
// (libastro: VSOP87 for the Sun and Jupiter, ELP 2000-82 for the Moon), with the program's
// conventions in its terms (tests/sky/make_ephem_rows.py made the rows). Every moment must agree
// within a minute, every altitude within 0.1°. Seasons, both hemispheres, the polar day and
// night, nights without darkness, the ends of 1900-2100, and lowest altitudes near the horizon.

#include "sky/Night.h"

#include <QDateTime>
#include <QTest>

#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(Target)

namespace {

constexpr double Minute = 60;

double Utc(const QString& iso)
{
    return static_cast<double>(QDateTime::fromString(iso, Qt::ISODate).toSecsSinceEpoch());
}

QString Iso(double utc)
{
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::llround(utc)), Qt::UTC).toString(Qt::ISODate);
}

//! Events as the rows write them: "rises 2024-03-10T16:13:46Z".
QStringList Passes(const std::vector<Crossing>& crossings)
{
    QStringList passes;
    for (const Crossing& c : crossings)
        passes << (c.Upward ? "rises " : "sets ") + Iso(c.Time);
    return passes;
}

} // namespace

class tst_Night : public QObject
{
    Q_OBJECT

private slots:
    void againstEphem_data();
    void againstEphem();
    void lowAltitudes_data();
    void lowAltitudes();
    void cleanupTestCase();

private:
    //! Compares event lists of the same words, moments within a minute.
    void CompareTimes(const QStringList& got, const QStringList& expected, const char* what);
    double m_worstSeconds = 0;
    double m_worstDegrees = 0;
};

void tst_Night::CompareTimes(const QStringList& got, const QStringList& expected, const char* what)
{
    QVERIFY2(got.size() == expected.size(), qPrintable(QString(what) + ": " + got.join(", ")));
    for (qsizetype i = 0; i < got.size(); ++i) {
        const QString word = expected[i].section(' ', 0, -2);
        QVERIFY2(got[i].section(' ', 0, -2) == word, qPrintable(QString(what) + ": " + got.join(", ")));
        const double apart = std::abs(Utc(got[i].section(' ', -1)) - Utc(expected[i].section(' ', -1)));
        m_worstSeconds = std::max(m_worstSeconds, apart);
        QVERIFY2(apart <= Minute, qPrintable(QString(what) + ": " + got[i]));
    }
}

void tst_Night::againstEphem_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("start"); // local noon, UTC; the night lasts 24 hours
    QTest::addColumn<Target>("target");
    // Sunset and sunrise, then dusk and dawn at -6, -12, -18: a moment, "" where the night
    // starts or ends beyond it, "above" or "below" for a Sun that stays on one side.
    QTest::addColumn<QStringList>("sun");
    QTest::addColumn<QStringList>("moon");     // rises and sets in order; "up all night", "down all night"
    QTest::addColumn<QStringList>("transits"); // moment and refracted altitude
    QTest::addColumn<QStringList>("above");    // the target passing 30°, refracted; "all night", "never"

    QTest::newRow("Paris, new Moon, March") << 48.8566 << 2.3522 << "2024-03-10T11:50:00Z" << Target{false, 83.8221, -5.3911}
        << QStringList{"2024-03-10T17:48:43Z", "2024-03-11T06:11:30Z", "2024-03-10T18:20:11Z", "2024-03-11T05:40:08Z", "2024-03-10T18:56:51Z", "2024-03-11T05:03:32Z", "2024-03-10T19:34:11Z", "2024-03-11T04:26:15Z"}
        << QStringList{"sets 2024-03-10T18:07:42Z", "rises 2024-03-11T06:47:39Z"}
        << QStringList{"2024-03-10T18:11:26Z 35.79"}
        << QStringList{"rises 2024-03-10T16:13:46Z", "sets 2024-03-10T20:09:06Z"};
    QTest::newRow("Paris, June: never dark") << 48.8566 << 2.3522 << "2024-06-20T11:50:00Z" << Target{false, 279.2347, 38.7837}
        << QStringList{"2024-06-20T19:57:44Z", "2024-06-21T03:47:05Z", "2024-06-20T20:40:26Z", "2024-06-21T03:04:23Z", "2024-06-20T21:41:11Z", "2024-06-21T02:03:38Z", "above", "above"}
        << QStringList{"rises 2024-06-20T19:05:47Z", "sets 2024-06-21T02:32:09Z"}
        << QStringList{"2024-06-21T00:29:34Z 79.95"}
        << QStringList{"rises 2024-06-20T18:42:53Z", "sets 2024-06-21T06:16:14Z"};
    QTest::newRow("Sydney, July, Jupiter") << -33.87 << 151.21 << "2024-07-15T01:55:00Z" << Target{true}
        << QStringList{"2024-07-15T07:04:32Z", "2024-07-15T20:57:38Z", "2024-07-15T07:31:45Z", "2024-07-15T20:30:28Z", "2024-07-15T08:02:29Z", "2024-07-15T19:59:45Z", "2024-07-15T08:32:35Z", "2024-07-15T19:29:42Z"}
        << QStringList{"sets 2024-07-15T15:46:38Z"}
        << QStringList{"2024-07-15T22:57:38Z 34.70"}
        << QStringList{"rises 2024-07-15T21:20:00Z", "sets 2024-07-16T00:35:15Z"};
    QTest::newRow("equator, September") << 0.0 << 0.0 << "2023-09-23T12:00:00Z" << Target{false, 279.2347, 38.7837}
        << QStringList{"2023-09-23T17:55:41Z", "2023-09-24T05:48:53Z", "2023-09-23T18:16:21Z", "2023-09-24T05:28:13Z", "2023-09-23T18:40:21Z", "2023-09-24T05:04:13Z", "2023-09-23T19:04:21Z", "2023-09-24T04:40:13Z"}
        << QStringList{"rises 2023-09-23T12:34:30Z", "sets 2023-09-24T01:03:55Z"}
        << QStringList{"2023-09-23T18:28:21Z 51.21"}
        << QStringList{"rises 2023-09-23T15:08:24Z", "sets 2023-09-23T21:48:19Z"};
    QTest::newRow("60 N, June: civil only") << 60.17 << 24.94 << "2025-06-01T10:20:00Z" << Target{false, 213.9153, 19.1824}
        << QStringList{"2025-06-01T19:29:45Z", "2025-06-02T01:06:16Z", "2025-06-01T20:56:50Z", "2025-06-01T23:39:11Z", "above", "above", "above", "above"}
        << QStringList{"sets 2025-06-01T23:25:26Z", "rises 2025-06-02T08:30:55Z"}
        << QStringList{"2025-06-01T19:54:55Z 48.91"}
        << QStringList{"rises 2025-06-01T15:45:08Z", "sets 2025-06-02T00:04:42Z"};
    QTest::newRow("Edinburgh, June: no nautical dark") << 55.95 << -3.19 << "2024-06-21T12:13:00Z" << Target{false, 279.2347, 38.7837}
        << QStringList{"2024-06-21T21:02:53Z", "2024-06-22T03:26:44Z", "2024-06-21T22:05:22Z", "2024-06-22T02:24:14Z", "above", "above", "above", "above"}
        << QStringList{"rises 2024-06-21T21:40:01Z", "sets 2024-06-22T02:45:04Z"}
        << QStringList{"2024-06-22T00:47:44Z 72.86"}
        << QStringList{"rises 2024-06-21T18:38:26Z", "sets 2024-06-22T06:57:03Z"};
    QTest::newRow("64 N, December") << 64.15 << -21.94 << "2024-12-21T13:28:00Z" << Target{false, 37.9529, 89.2641}
        << QStringList{"2024-12-21T15:29:35Z", "2024-12-22T11:22:59Z", "2024-12-21T16:48:53Z", "2024-12-22T10:03:44Z", "2024-12-21T17:58:02Z", "2024-12-22T08:54:36Z", "2024-12-21T18:58:04Z", "2024-12-22T07:54:34Z"}
        << QStringList{"sets 2024-12-21T13:32:30Z", "rises 2024-12-22T00:12:53Z", "sets 2024-12-22T13:23:27Z"}
        << QStringList{"2024-12-21T22:28:59Z 64.78"}
        << QStringList{"all night"};
    QTest::newRow("64 S, June: a short day") << -64.77 << -64.05 << "2024-06-21T16:16:00Z" << Target{false, 95.9880, -52.6957}
        << QStringList{"2024-06-21T18:10:08Z", "2024-06-22T14:26:15Z", "2024-06-21T19:35:12Z", "2024-06-22T13:01:16Z", "2024-06-21T20:46:47Z", "2024-06-22T11:49:42Z", "2024-06-21T21:48:22Z", "2024-06-22T10:48:08Z"}
        << QStringList{"up all night"}
        << QStringList{"2024-06-21T16:39:11Z 77.94"}
        << QStringList{"sets 2024-06-22T02:31:23Z", "rises 2024-06-22T06:43:04Z"};
    QTest::newRow("70 N, June: midnight Sun") << 69.65 << 18.96 << "2024-06-20T10:44:00Z" << Target{false, 279.2347, 38.7837}
        << QStringList{"above", "above", "above", "above", "above", "above", "above", "above"}
        << QStringList{"down all night"}
        << QStringList{"2024-06-20T23:23:19Z 59.16"}
        << QStringList{"rises 2024-06-20T16:08:45Z", "sets 2024-06-21T06:37:53Z"};
    QTest::newRow("70 N, December: polar night") << 69.65 << 18.96 << "2024-12-20T10:44:00Z" << Target{false, 279.2347, 38.7837}
        << QStringList{"below", "below", "2024-12-20T12:52:54Z", "2024-12-21T08:31:31Z", "2024-12-20T14:37:25Z", "2024-12-21T06:46:58Z", "2024-12-20T15:55:48Z", "2024-12-21T05:28:34Z"}
        << QStringList{"sets 2024-12-20T11:39:43Z", "rises 2024-12-20T19:08:32Z"}
        << QStringList{"2024-12-20T11:23:45Z 59.16"}
        << QStringList{"sets 2024-12-20T18:38:20Z", "rises 2024-12-21T04:05:14Z"};
    QTest::newRow("Paris, 1900") << 48.8566 << 2.3522 << "1900-01-15T11:50:00Z" << Target{false, 88.7929, 7.4071}
        << QStringList{"1900-01-15T16:21:17Z", "1900-01-16T07:38:41Z", "1900-01-15T16:57:08Z", "1900-01-16T07:02:57Z", "1900-01-15T17:36:32Z", "1900-01-16T06:23:39Z", "1900-01-15T18:14:22Z", "1900-01-16T05:45:53Z"}
        << QStringList{"rises 1900-01-15T16:23:20Z", "sets 1900-01-16T07:40:00Z"}
        << QStringList{"1900-01-15T22:00:50Z 48.55"}
        << QStringList{"rises 1900-01-15T18:33:51Z", "sets 1900-01-16T01:27:48Z"};
    QTest::newRow("Sydney, 2100") << -33.87 << 151.21 << "2100-11-20T01:54:59Z" << Target{true}
        << QStringList{"2100-11-20T08:40:46Z", "2100-11-20T18:40:22Z", "2100-11-20T09:08:36Z", "2100-11-20T18:12:31Z", "2100-11-20T09:42:27Z", "2100-11-20T17:38:40Z", "2100-11-20T10:18:42Z", "2100-11-20T17:02:25Z"}
        << QStringList{"rises 2100-11-20T11:51:56Z", "sets 2100-11-20T21:30:24Z"}
        << QStringList{"2100-11-21T00:22:42Z 69.68"}
        << QStringList{"sets 2100-11-20T04:36:18Z", "rises 2100-11-20T20:12:05Z"};
    QTest::newRow("Cape Town, full Moon") << -33.92 << 18.42 << "2025-03-13T10:46:00Z" << Target{false, 201.2983, -11.1613}
        << QStringList{"2025-03-13T17:06:44Z", "2025-03-14T04:44:55Z", "2025-03-13T17:31:44Z", "2025-03-14T04:19:53Z", "2025-03-13T18:01:01Z", "2025-03-14T03:50:34Z", "2025-03-13T18:30:47Z", "2025-03-14T03:20:48Z"}
        << QStringList{"rises 2025-03-13T16:50:02Z", "sets 2025-03-14T04:43:18Z"}
        << QStringList{"2025-03-14T00:45:16Z 67.38"}
        << QStringList{"rises 2025-03-13T20:40:35Z", "sets 2025-03-14T04:49:58Z"};
    // Culminating 3.2° up, where refraction lifts it by 0.2°.
    QTest::newRow("Los Angeles, Canopus culminating low") << 34.0522 << -118.2437 << "2025-01-15T19:53:00Z" << Target{false, 95.9880, -52.6957}
        << QStringList{"2025-01-16T01:07:13Z", "2025-01-16T14:57:55Z", "2025-01-16T01:34:19Z", "2025-01-16T14:30:51Z", "2025-01-16T02:05:02Z", "2025-01-16T14:00:12Z", "2025-01-16T02:35:06Z", "2025-01-16T13:30:10Z"}
        << QStringList{"rises 2025-01-16T03:08:01Z", "sets 2025-01-16T16:57:19Z"}
        << QStringList{"2025-01-16T06:33:42Z 3.45"}
        << QStringList{"never"};
}

void tst_Night::againstEphem()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, start);
    QFETCH(Target, target);
    QFETCH(QStringList, sun);
    QFETCH(QStringList, moon);
    QFETCH(QStringList, transits);
    QFETCH(QStringList, above);

    const double from = Utc(start);
    const NightSky night = ComputeNight(from, from + 86400, {latitude, longitude}, target, 30);

    const SunPassage* levels[] = {&night.Sunset, &night.Civil, &night.Nautical, &night.Astronomical};
    for (int i = 0; i < 4; ++i) {
        const SunPassage& passage = *levels[i];
        const QString down = sun[2 * i];
        const QString up = sun[2 * i + 1];
        const auto kind = down == "above" ? SunPassage::Kind::StaysAbove
                          : down == "below" ? SunPassage::Kind::StaysBelow
                                            : SunPassage::Kind::Crosses;
        QCOMPARE(passage.Passage, kind);
        if (kind != SunPassage::Kind::Crosses)
            continue;
        const auto moment = [](const std::optional<double>& t) { return t ? QStringList{"at " + Iso(*t)} : QStringList(); };
        CompareTimes(moment(passage.Down), down.isEmpty() ? QStringList() : QStringList{"at " + down}, "dusk");
        CompareTimes(moment(passage.Up), up.isEmpty() ? QStringList() : QStringList{"at " + up}, "dawn");
    }

    if (moon == QStringList{"up all night"} || moon == QStringList{"down all night"}) {
        QVERIFY(night.Moon.empty());
        QCOMPARE(night.MoonUpAtStart, moon.first() == "up all night");
    } else {
        CompareTimes(Passes(night.Moon), moon, "the Moon");
    }

    QCOMPARE(qsizetype(night.Transits.size()), transits.size());
    for (std::size_t i = 0; i < night.Transits.size(); ++i) {
        const QStringList expected = transits[qsizetype(i)].split(' ');
        CompareTimes({"at " + Iso(night.Transits[i].Time)}, {"at " + expected[0]}, "transit");
        const double apart = std::abs(night.Transits[i].Value - expected[1].toDouble());
        m_worstDegrees = std::max(m_worstDegrees, apart);
        QVERIFY2(apart < 0.1, qPrintable(QString::number(night.Transits[i].Value, 'f', 2)));
    }

    // The spans above 30° as passes of the level; a span at the night's edge has no pass there.
    if (above == QStringList{"all night"} || above == QStringList{"never"}) {
        QCOMPARE(night.Above.empty(), above.first() == "never");
        if (!night.Above.empty())
            QVERIFY(night.Above.size() == 1 && night.Above[0].Start == night.Start && night.Above[0].End == night.End);
        return;
    }
    std::vector<Crossing> passes;
    for (const TimeSpan& s : night.Above) {
        if (s.Start > night.Start)
            passes.push_back({s.Start, true});
        if (s.End < night.End)
            passes.push_back({s.End, false});
    }
    CompareTimes(Passes(passes), above, "above 30°");
}

void tst_Night::lowAltitudes_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("start"); // local noon, UTC; the night lasts 24 hours
    QTest::addColumn<Target>("target");
    QTest::addColumn<double>("lowest");     // degrees
    QTest::addColumn<QStringList>("passes"); // of the lowest altitude, refracted; "all night", "never"

    // PyEphem 4.1.4 with 1010 hPa and 10 °C, whose refraction near the horizon is the
    // Explanatory Supplement's formula. Targets that pass the level slowly, near their lower
    // culmination, where a refraction a few arcminutes off moves the moment by minutes.
    QTest::newRow("Kathmandu, M101, 0") << 27.7172 << 85.324 << "2024-01-16T06:15:00Z" << Target{false, 210.8023, 54.3489} << 0.0
        << QStringList{"sets 2024-01-16T09:55:12Z", "rises 2024-01-16T15:26:40Z"};
    // Its lowest is 0.16° seen, 0.38° below the horizon geometrically: it never sets.
    QTest::newRow("69 N, Jupiter, 0: no dip") << 68.97 << 33.09 << "2024-06-21T09:00:00Z" << Target{true} << 0.0
        << QStringList{"all night"};
    QTest::newRow("Sydney, M42, 0") << -33.87 << 151.21 << "2025-01-15T01:55:00Z" << Target{false, 83.8187, -5.3897} << 0.0
        << QStringList{"rises 2025-01-15T05:34:44Z", "sets 2025-01-15T18:07:09Z"};
    QTest::newRow("Tromso, M44, 1") << 69.65 << 18.96 << "2025-02-15T10:44:00Z" << Target{false, 130.0925, 19.6720} << 1.0
        << QStringList{"rises 2025-02-15T11:11:07Z", "sets 2025-02-16T08:11:44Z"};
    QTest::newRow("Paris, M42, 1") << 48.8566 << 2.3522 << "2025-01-15T11:50:00Z" << Target{false, 83.8187, -5.3897} << 1.0
        << QStringList{"rises 2025-01-15T16:14:03Z", "sets 2025-01-16T03:15:27Z"};
    QTest::newRow("Helsinki, M33, 2") << 60.17 << 24.94 << "2025-01-15T10:20:00Z" << Target{false, 23.4620, 30.6602} << 2.0
        << QStringList{"sets 2025-01-16T03:15:52Z", "rises 2025-01-16T05:08:17Z"};
    QTest::newRow("Helsinki, M33, 3") << 60.17 << 24.94 << "2025-01-15T10:20:00Z" << Target{false, 23.4620, 30.6602} << 3.0
        << QStringList{"sets 2025-01-16T02:43:53Z", "rises 2025-01-16T05:40:16Z"};
    QTest::newRow("Tromso, M1, 3") << 69.65 << 18.96 << "2025-02-15T10:44:00Z" << Target{false, 83.6332, 22.0145} << 3.0
        << QStringList{"sets 2025-02-16T05:15:40Z", "rises 2025-02-16T07:52:42Z"};
}

void tst_Night::lowAltitudes()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, start);
    QFETCH(Target, target);
    QFETCH(double, lowest);
    QFETCH(QStringList, passes);

    const double from = Utc(start);
    const NightSky night = ComputeNight(from, from + 86400, {latitude, longitude}, target, lowest);
    if (passes == QStringList{"all night"} || passes == QStringList{"never"}) {
        const bool allNight = night.Above.size() == 1 && night.Above[0].Start == night.Start && night.Above[0].End == night.End;
        QVERIFY2(passes.first() == "never" ? night.Above.empty() : allNight, qPrintable(QString::number(night.Above.size())));
        return;
    }
    std::vector<Crossing> found;
    for (const TimeSpan& s : night.Above) {
        if (s.Start > night.Start)
            found.push_back({s.Start, true});
        if (s.End < night.End)
            found.push_back({s.End, false});
    }
    CompareTimes(Passes(found), passes, "the lowest altitude");
}

void tst_Night::cleanupTestCase()
{
    qInfo("worst against PyEphem: %.0f s, %.3f°", m_worstSeconds, m_worstDegrees);
}

QTEST_APPLESS_MAIN(tst_Night)

#include "tst_Night.moc"
