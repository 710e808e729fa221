// Without a tracking mount: the longest exposure before the stars trail by the NPF and the 500
// rules, and what the suggested exposure does to a star. Worked values, computed by hand from
// the published rules.

#include "optics/Tracking.h"

#include <QTest>

namespace {

constexpr int Film = 0;
constexpr int FullFrame = 1;  // 36 x 24 mm, 6.0 micrometres
constexpr int Planetary = 7;  // 5.568 x 3.132 mm, 2.9 micrometres

const QString Trails = QStringLiteral("trails: needs a tracking mount or a shorter exposure");
const QString Older = QStringLiteral(", the older rule: use the NPF figure for a digital sensor");

} // namespace

class tst_Tracking : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void significantSeconds_data();
    void significantSeconds();
    void declinationBox_data();
    void declinationBox();
};

void tst_Tracking::figures_data()
{
    QTest::addColumn<double>("efl");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<int>("preset");
    QTest::addColumn<double>("declination"); // NaN: the box refused
    QTest::addColumn<double>("seconds");     // the suggested exposure; 0: never computed
    QTest::addColumn<double>("exposureFRatio");
    QTest::addColumn<QStringList>("texts");  // NPF, 500 rule, trail

    const double refused = qQNaN();
    // 24 mm at f/2.8 on 6.0-micrometre pixels: NPF (16.9 x 2.8 + 0.10 x 24 + 13.7 x 6.0) / 24 =
    // 5.4967 s; 500 / 24 = 20.83 s; 20 s trail 15.041 x 20 / 51.566 = 5.83 pixels.
    QTest::newRow("24 mm lens, equator") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 20.0 << 2.8
                                         << QStringList{"5.5 s", "21 s" + Older, "20 s at f/2.8: a star moves 5.8 pixels, " + Trails};
    // The verdict is the figure as written: 1.02 pixels reads 1.0 and stays sharp.
    QTest::newRow("1.0 pixel") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 3.5 << 2.8
                               << QStringList{"5.5 s", "21 s" + Older, "3.5 s at f/2.8: a star moves 1.0 pixels, stays sharp"};
    QTest::newRow("1.1 pixels") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 3.7 << 2.8
                                << QStringList{"5.5 s", "21 s" + Older, "3.7 s at f/2.8: a star moves 1.1 pixels, " + Trails};
    QTest::newRow("declination 60") << 24.0 << 24.0 / 2.8 << FullFrame << 60.0 << 20.0 << 2.8
                                    << QStringList{"11 s", "21 s" + Older, "20 s at f/2.8: a star moves 2.9 pixels, " + Trails};
    QTest::newRow("declination -89.9") << 24.0 << 24.0 / 2.8 << FullFrame << -89.9 << 20.0 << 2.8
                                       << QStringList{"3100 s", "21 s" + Older, "20 s at f/2.8: a star moves 0.0 pixels, stays sharp"};
    // Four hours: 14,315 s is still written, 14,997 s is not.
    QTest::newRow("just below four hours") << 24.0 << 24.0 / 2.8 << FullFrame << -89.978 << 20.0 << 2.8
                                           << QStringList{"14000 s", "21 s" + Older, "20 s at f/2.8: a star moves 0.0 pixels, stays sharp"};
    QTest::newRow("beyond four hours") << 24.0 << 24.0 / 2.8 << FullFrame << 89.979 << 20.0 << 2.8
                                       << QStringList{"over 4 hours", "21 s" + Older, "20 s at f/2.8: a star moves 0.0 pixels, stays sharp"};
    for (const double pole : {90.0, -90.0})
        QTest::addRow("the pole at %g", pole)
            << 24.0 << 24.0 / 2.8 << FullFrame << pole << 20.0 << 2.8
            << QStringList{"no limit at the celestial pole", "21 s" + Older, "20 s at f/2.8: a star moves 0.0 pixels, stays sharp"};
    // A crop factor of 43.27 / 6.39 = 6.77: 500 / (6.77 x 2000) = 0.0369 s; NPF 0.2044 s; the
    // image scale 0.299 arcseconds per pixel: 1/250 s trails 0.20 pixels.
    QTest::newRow("planetary camera at 2000 mm") << 2000.0 << 200.0 << Planetary << 0.0 << 0.004 << 10.0
                                                 << QStringList{"0.20 s", "0.037 s" + Older, "0.0040 s at f/10: a star moves 0.2 pixels, stays sharp"};
    // Film: no pixels, so no NPF figure; 2 s trail 2000 x tan(30.08") = 0.29 mm on the film.
    QTest::newRow("film at 2000 mm") << 2000.0 << 200.0 << Film << 0.0 << 2.0 << 10.0
                                     << QStringList{"\u2014", "0.25 s", "2.0 s at f/10: a star moves 0.29 mm, " + Trails};
    QTest::newRow("film, sharp at 0.03 mm") << 2000.0 << 200.0 << Film << 0.0 << 0.2 << 10.0
                                            << QStringList{"\u2014", "0.25 s", "0.20 s at f/10: a star moves 0.03 mm, stays sharp"};
    QTest::newRow("film, 0.04 mm") << 2000.0 << 200.0 << Film << 0.0 << 0.25 << 10.0
                                   << QStringList{"\u2014", "0.25 s", "0.25 s at f/10: a star moves 0.04 mm, " + Trails};
    // A quarter of the sky and more at 50 mm (6 hours): the star has left the frame.
    QTest::newRow("film, six hours") << 50.0 << 25.0 << Film << 0.0 << 30000.0 << 2.0
                                     << QStringList{"\u2014", "10 s", "over 4 hours at f/2: a star moves out of the frame, " + Trails};
    // More than 1% from the job's f/ratio: the exposure belongs to another set-up.
    QTest::newRow("f/10.1 is within 1% of f/10") << 2000.0 << 200.0 << Film << 0.0 << 2.0 << 10.1
                                                 << QStringList{"\u2014", "0.25 s", "2.0 s at f/10.1: a star moves 0.29 mm, " + Trails};
    QTest::newRow("f/10.2 is not") << 2000.0 << 200.0 << Film << 0.0 << 2.0 << 10.2
                                   << QStringList{"\u2014", "0.25 s", "2.0 s at f/10.2: a star moves 0.29 mm, " + Trails
                                                                          + " (computed for another set-up: this one is f/10)"};
    QTest::newRow("the exposure's error form") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << -1000000.0 << 2.8
                                               << QStringList{"5.5 s", "21 s" + Older,
                                                              "\u2014 (the exposure calculator shows no exposure: \"???\")"};
    QTest::newRow("never computed") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 0.0 << 0.0
                                    << QStringList{"5.5 s", "21 s" + Older,
                                                   "\u2014 (the exposure calculator has not suggested an exposure yet)"};
    QTest::newRow("declination refused") << 24.0 << 24.0 / 2.8 << FullFrame << refused << 20.0 << 2.8
                                         << QStringList{"\u2014", "21 s" + Older, "\u2014"};
}

void tst_Tracking::figures()
{
    QFETCH(double, efl);
    QFETCH(double, aperture);
    QFETCH(int, preset);
    QFETCH(double, declination);
    QFETCH(double, seconds);
    QFETCH(double, exposureFRatio);
    QFETCH(QStringList, texts);
    const TrailExposure exposure{seconds != 0, seconds, exposureFRatio};
    const TrackingTexts t = ComputeTracking(efl, aperture, SensorPresets.at(static_cast<std::size_t>(preset)).Model,
                                            qIsNaN(declination) ? std::nullopt : std::optional<double>(declination), exposure);
    QCOMPARE((QStringList{QString::fromStdString(t.Npf), QString::fromStdString(t.FiveHundred), QString::fromStdString(t.Trail)}),
             texts);
}

void tst_Tracking::significantSeconds_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("trailing zero kept") << 0.2 << "0.20 s";
    QTest::newRow("two figures below one") << 0.2051 << "0.21 s";
    QTest::newRow("one decimal") << 5.4967 << "5.5 s";
    QTest::newRow("whole") << 20.83 << "21 s";
    QTest::newRow("a zero after two figures") << 150.0 << "150 s";
    QTest::newRow("zeros, never an exponent") << 1234.0 << "1200 s";
    QTest::newRow("carry into the next power") << 9.96 << "10 s";
    QTest::newRow("carry below one") << 0.0996 << "0.10 s";
    QTest::newRow("half away from zero, carrying") << 99.5 << "100 s";
}

void tst_Tracking::significantSeconds()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(SignificantSeconds(seconds)), text);
}

void tst_Tracking::declinationBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("degrees"); // NaN: refused
    QTest::addColumn<QString>("refusal");

    const QString plain = QStringLiteral("A number of degrees from -90 to 90.");
    QTest::newRow("two decimals") << "41.27" << 41.27 << QString();
    QTest::newRow("blanks and a degree sign") << " -24.38 \u00B0 " << -24.38 << QString();
    QTest::newRow("the north pole") << "90" << 90.0 << QString();
    QTest::newRow("the south pole") << "-90" << -90.0 << QString();
    QTest::newRow("beyond the pole") << "90.01" << qQNaN() << plain;
    QTest::newRow("a decimal comma")
        << "41,27" << qQNaN() << "Write it with a decimal point, e.g. 41.27.";
    QTest::newRow("degrees and minutes") << "41 16" << qQNaN() << plain;
    QTest::newRow("empty") << "" << qQNaN() << plain;
}

void tst_Tracking::declinationBox()
{
    QFETCH(QString, text);
    QFETCH(double, degrees);
    QFETCH(QString, refusal);
    std::string said;
    const std::optional<double> read = ReadDeclination(text.toStdString(), said);
    QCOMPARE(QString::fromStdString(said), refusal);
    QCOMPARE(read.value_or(qQNaN()), degrees);
}

QTEST_APPLESS_MAIN(tst_Tracking)

#include "tst_Tracking.moc"
