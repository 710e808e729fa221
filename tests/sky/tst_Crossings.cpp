// The night's event and span logic on made-up curves whose crossings are known exactly:
// sine waves, a bump that grazes the level between two samples, spans at the edges.

#include "sky/Crossings.h"

#include <QTest>

#include <cmath>
#include <numbers>

namespace {

constexpr double Day = 86400;
constexpr double Step = 600;

//! An altitude-like wave: amplitude 40 about `middle`, one turn a day, highest at noon (43200 s).
Curve Wave(double middle)
{
    return [middle](double t) { return middle + 40 * std::cos(2 * std::numbers::pi * (t - Day / 2) / Day); };
}

//! The moments the wave of `middle` passes `level`: symmetric about noon.
double Offset(double middle, double level)
{
    return std::acos((level - middle) / 40) * Day / (2 * std::numbers::pi);
}

QString Spans(const std::vector<TimeSpan>& spans)
{
    QStringList texts;
    for (const TimeSpan& s : spans)
        texts << QString::number(s.Start, 'f', 0) + "-" + QString::number(s.End, 'f', 0);
    return texts.join(' ');
}

} // namespace

class tst_Crossings : public QObject
{
    Q_OBJECT

private slots:
    void spansAbove_data();
    void spansAbove();
    void grazing_data();
    void grazing();
    void culminations_data();
    void culminations();
    void spanArithmetic_data();
    void spanArithmetic();
};

void tst_Crossings::spansAbove_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("middle");
    QTest::addColumn<QString>("spans"); // exact, from the arccosine; "" for none

    const double o = Offset(0, 10); // the wave about 0 passes 10 at noon -+ o
    const auto exact = [](double from, double to) { return QString::number(from, 'f', 3) + "-" + QString::number(to, 'f', 3); };
    QTest::newRow("one span") << 0.0 << Day << 0.0 << exact(Day / 2 - o, Day / 2 + o);
    QTest::newRow("two spans") << 0.0 << 2 * Day << 0.0 << exact(Day / 2 - o, Day / 2 + o) + " " + exact(1.5 * Day - o, 1.5 * Day + o);
    QTest::newRow("three spans") << 0.0 << 3 * Day << 0.0
                                 << exact(Day / 2 - o, Day / 2 + o) + " " + exact(1.5 * Day - o, 1.5 * Day + o) + " "
                                        + exact(2.5 * Day - o, 2.5 * Day + o);
    QTest::newRow("none: highest 9.99") << 0.0 << Day << -30.01 << "";
    QTest::newRow("all night: lowest 10.01") << 0.0 << Day << 50.01 << exact(0, Day);
    QTest::newRow("from the start") << Day / 2 << Day << 0.0 << exact(Day / 2, Day / 2 + o);
    QTest::newRow("until the end") << 0.0 << Day / 2 << 0.0 << exact(Day / 2 - o, Day / 2);
    // An interval not a whole number of steps: the last sample is the end itself.
    QTest::newRow("a short last step") << 0.0 << Day / 2 + o + 1 << 0.0 << exact(Day / 2 - o, Day / 2 + o);
}

void tst_Crossings::spansAbove()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, middle);
    QFETCH(QString, spans);
    const Curve wave = Wave(middle);
    const std::vector<TimeSpan> found = SpansAbove(SampleCurve(wave, start, end, Step), wave, 10);
    const QStringList expected = spans.split(' ', Qt::SkipEmptyParts);
    QCOMPARE(qsizetype(found.size()), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i) { // refined, not read off the samples: within a second
        QVERIFY(std::abs(found[i].Start - expected[qsizetype(i)].section('-', 0, 0).toDouble()) < 1);
        QVERIFY(std::abs(found[i].End - expected[qsizetype(i)].section('-', 1, 1).toDouble()) < 1);
    }
}

void tst_Crossings::grazing_data()
{
    QTest::addColumn<double>("peak");   // the sharp bump's height; the level is 0
    QTest::addColumn<int>("crossings"); // found between samples 600 s apart

    // A bump 300 s wide centred between two samples, both of which stay below the level.
    QTest::newRow("just above the level") << 0.001 << 2;
    QTest::newRow("on the level: not above") << 0.0 << 0;
    QTest::newRow("just below") << -0.001 << 0;
}

void tst_Crossings::grazing()
{
    QFETCH(double, peak);
    QFETCH(int, crossings);
    const double top = 3 * Step + Step / 2;
    // A parabola, as an altitude is near its culmination: 0.5° below at the samples either side.
    const Curve bump = [=](double t) { return peak - 0.5 * std::pow((t - top) / (Step / 2), 2); };
    const std::vector<Crossing> found = FindCrossings(SampleCurve(bump, 0, 8 * Step, Step), bump, 0);
    QCOMPARE(int(found.size()), crossings);
    if (crossings == 2) {
        const double half = Step / 2 * std::sqrt(peak / 0.5);
        QVERIFY(found[0].Upward && !found[1].Upward);
        QVERIFY(std::abs(found[0].Time - (top - half)) < 1 && std::abs(found[1].Time - (top + half)) < 1);
    }
}

void tst_Crossings::culminations_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<int>("count");

    QTest::newRow("one, at noon") << 0.0 << Day << 1;
    QTest::newRow("two") << 0.0 << 2 * Day << 2;
    QTest::newRow("still rising at the end: none") << 0.0 << Day / 2 - 60 << 0;
    QTest::newRow("falling from the start: none") << Day / 2 + 60 << Day << 0;
    QTest::newRow("three minutes after the start") << Day / 2 - 180 << Day << 1;
    QTest::newRow("three minutes before the end") << 0.0 << Day / 2 + 180 << 1;
}

void tst_Crossings::culminations()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(int, count);
    const Curve wave = Wave(0);
    const std::vector<Culmination> found = FindCulminations(SampleCurve(wave, start, end, Step), wave);
    QCOMPARE(int(found.size()), count);
    for (std::size_t i = 0; i < found.size(); ++i) {
        QVERIFY(std::abs(found[i].Time - (Day / 2 + double(i) * Day)) < 1);
        QVERIFY(std::abs(found[i].Value - 40) < 1e-6);
    }
}

void tst_Crossings::spanArithmetic_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("both");
    QTest::addColumn<double>("total");  // of both
    QTest::addColumn<QString>("freeOfA"); // within 0-100

    QTest::newRow("overlapping") << "10-50" << "30-80" << "30-50" << 20.0 << "0-10 50-100";
    QTest::newRow("one inside two") << "0-100" << "10-20 40-60" << "10-20 40-60" << 30.0 << "";
    QTest::newRow("touching only") << "10-30" << "30-40" << "" << 0.0 << "0-10 30-100";
    QTest::newRow("none") << "" << "10-20" << "" << 0.0 << "0-100";
    QTest::newRow("three against one") << "0-10 20-30 90-100" << "5-95" << "5-10 20-30 90-95" << 20.0 << "10-20 30-90";
}

void tst_Crossings::spanArithmetic()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, both);
    QFETCH(double, total);
    QFETCH(QString, freeOfA);
    const auto read = [](const QString& text) {
        std::vector<TimeSpan> spans;
        for (const QString& s : text.split(' ', Qt::SkipEmptyParts))
            spans.push_back({s.section('-', 0, 0).toDouble(), s.section('-', 1, 1).toDouble()});
        return spans;
    };
    const std::vector<TimeSpan> found = Intersect(read(a), read(b));
    QCOMPARE(Spans(found), both);
    QCOMPARE(Spans(Intersect(read(b), read(a))), both);
    QCOMPARE(TotalLength(found), total);
    QCOMPARE(Spans(Complement(read(a), 0, 100)), freeOfA);
}

QTEST_APPLESS_MAIN(tst_Crossings)

#include "tst_Crossings.moc"
