// Without a tracking mount: the longest exposure before the stars trail by the NPF and the 500
// rules, and what the suggested exposure does to a star. Worked values, computed by hand from
// the published rules.

#include "field/Tracking.h"

#include <QTest>

namespace {

constexpr int Film = 0;
constexpr int FullFrame = 1;  // 36 x 24 mm, 6.0 micrometres
constexpr int Planetary = 7;  // 5.568 x 3.132 mm, 2.9 micrometres
constexpr int Own = -1;       // 6000 x 4000 pixels of 2.0 micrometres

const QString Round = QStringLiteral("; within the NPF limit: stars stay round");
const QString Trails = QStringLiteral("; longer than the NPF limit: the stars trail; use a tracking mount or a shorter exposure");
const QString FilmRound = QStringLiteral("; within the 500-rule limit: stars stay round");
const QString FilmTrails
    = QStringLiteral("; longer than the 500-rule limit: the stars trail; use a tracking mount or a shorter exposure");
const QString Older = QStringLiteral(", the older rule: use the NPF figure for a digital sensor");
const QString DigitalOnly = QStringLiteral("\u2014 (digital sensors only)");
const QString Beyond = QStringLiteral("a star's trail is longer than the frame");

} // namespace

class tst_Tracking : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void limitText_data();
    void limitText();
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
    // 5.4967 s; 500 / 24 = 20.83 s; the image scale 51.566 arcseconds per pixel, so 5 s trails
    // 15.041 x 5 / 51.566 = 1.46 pixels: more than a pixel, yet within the NPF rule, which
    // allows that smear by design.
    QTest::newRow("24 mm lens, 5 s at the equator")
        << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 5.0 << 2.8
        << QStringList{"5.5 s", "21 s" + Older, "5 s at f/2.8: a star moves 1.5 pixels" + Round};
    QTest::newRow("24 mm lens, 20 s") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 20.0 << 2.8
                                      << QStringList{"5.5 s", "21 s" + Older, "20 s at f/2.8: a star moves 5.8 pixels" + Trails};
    // At 60 degrees the limit is 10.99 s, written "11 s"; 11.4 s is written "11 s" too, and
    // equal as written is within; 11.6 s is "12 s".
    QTest::newRow("equal as written") << 24.0 << 24.0 / 2.8 << FullFrame << 60.0 << 11.4 << 2.8
                                      << QStringList{"11 s", "21 s" + Older, "11 s at f/2.8: a star moves 1.7 pixels" + Round};
    QTest::newRow("one second beyond") << 24.0 << 24.0 / 2.8 << FullFrame << 60.0 << 11.6 << 2.8
                                       << QStringList{"11 s", "21 s" + Older, "12 s at f/2.8: a star moves 1.7 pixels" + Trails};
    // (16.9 x 2 + 0.10 x 16 + 13.7 x 6.0) / 16 is 7.35 exactly: a decimal half, away from zero.
    QTest::newRow("a half of the NPF figure") << 16.0 << 8.0 << FullFrame << 0.0 << 5.0 << 2.0
                                              << QStringList{"7.4 s", "31 s" + Older, "5 s at f/2: a star moves 1.0 pixels" + Round};
    // (16.9 x 2 + 0.10 x 80 + 13.7 x 2.0) / 80 = 0.865; the exposure 1/2 s, 0.5 s as written;
    // a 12 x 8 mm sensor, a crop factor of 3.0: 500 / (3.0 x 80) = 2.08 s.
    QTest::newRow("another half, below a second") << 80.0 << 40.0 << Own << 0.0 << 0.5 << 2.0
                                                  << QStringList{"0.87 s", "2.1 s" + Older, "1/2 s at f/2: a star moves 1.5 pixels" + Round};
    // Four hours: 14,315 s is still written, 14,997 s is not; beyond, the seconds are compared.
    QTest::newRow("just below four hours") << 24.0 << 24.0 / 2.8 << FullFrame << -89.978 << 20.0 << 2.8
                                           << QStringList{"14000 s", "21 s" + Older, "20 s at f/2.8: a star moves 0.0 pixels" + Round};
    QTest::newRow("beyond four hours") << 24.0 << 24.0 / 2.8 << FullFrame << 89.979 << 20.0 << 2.8
                                       << QStringList{"over 4 hours", "21 s" + Older, "20 s at f/2.8: a star moves 0.0 pixels" + Round};
    for (const double pole : {90.0, -90.0})
        QTest::addRow("the pole at %g", pole) << 24.0 << 24.0 / 2.8 << FullFrame << pole << 20.0 << 2.8
                                              << QStringList{"no limit at the celestial pole", "21 s" + Older,
                                                             "20 s at f/2.8: a star moves 0.0 pixels" + Round};
    // 15.041 arcseconds a second, not 15: 5000 s trails 1458.4 pixels (1454.4 at 15).
    QTest::newRow("the sidereal rate's digits") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 5000.0 << 2.8
                                                << QStringList{"5.5 s", "21 s" + Older, "1.4 h at f/2.8: a star moves 1458.4 pixels" + Trails};
    // At 2000 mm (0.6188 arcseconds per pixel) the full frame's diagonal of 7211.1 pixels is
    // crossed in 296.7 s at the equator.
    QTest::newRow("inside the frame's diagonal") << 2000.0 << 200.0 << FullFrame << 0.0 << 296.0 << 10.0
                                                 << QStringList{"0.23 s", "0.25 s" + Older, "5 m at f/10: a star moves 7194.8 pixels" + Trails};
    QTest::newRow("beyond the frame's diagonal") << 2000.0 << 200.0 << FullFrame << 0.0 << 300.0 << 10.0
                                                 << QStringList{"0.23 s", "0.25 s" + Older, "5 m at f/10: " + Beyond + Trails};
    // A crop factor of 43.27 / 6.39 = 6.77: 500 / (6.77 x 2000) = 0.0369 s; NPF 0.2044 s; the
    // image scale 0.299 arcseconds per pixel: 1/250 s (0.004 s as written) trails 0.20 pixels.
    QTest::newRow("planetary camera at 2000 mm") << 2000.0 << 200.0 << Planetary << 0.0 << 0.0041 << 10.0
                                                 << QStringList{"0.20 s", "0.037 s" + Older, "1/250 s at f/10: a star moves 0.2 pixels" + Round};
    QTest::newRow("excessively short") << 2000.0 << 200.0 << Planetary << 0.0 << 0.00001 << 10.0
                                       << QStringList{"0.20 s", "0.037 s" + Older, "Excessively short at f/10: a star moves 0.0 pixels" + Round};
    // Film: no pixels, so no NPF figure, and the 500 rule judges; 2 s trail 2000 x tan(30.08")
    // = 0.29 mm on the film.
    QTest::newRow("film at 2000 mm") << 2000.0 << 200.0 << Film << 0.0 << 2.0 << 10.0
                                     << QStringList{DigitalOnly, "0.25 s", "2 s at f/10: a star moves 0.29 mm" + FilmTrails};
    // 500 / 20.2 = 24.75 s, written "25 s"; 24.9 s is written "25 s" too: equal as written.
    QTest::newRow("film, equal as written") << 20.2 << 10.1 << Film << 0.0 << 24.9 << 2.0
                                            << QStringList{DigitalOnly, "25 s", "25 s at f/2: a star moves 0.04 mm" + FilmRound};
    // 8377 s turns the sky 35.0 degrees: 50 tan 35.0 = 35.01 mm (30.54 mm without the tangent).
    QTest::newRow("film, tens of degrees") << 50.0 << 25.0 << Film << 0.0 << 8377.0 << 2.0
                                           << QStringList{DigitalOnly, "10 s", "2.3 h at f/2: a star moves 35.01 mm" + FilmTrails};
    // Five hours at 50 mm cross more than the frame's 43.27 mm diagonal; 30,000 s a quarter of
    // the sky and more, where the tangent would turn round.
    for (const double seconds : {18000.0, 30000.0})
        QTest::addRow("film, %g s", seconds) << 50.0 << 25.0 << Film << 0.0 << seconds << 2.0
                                             << QStringList{DigitalOnly, "10 s", "Excessively long at f/2: " + Beyond + FilmTrails};
    // The f/ratio box holds what the report handed over, or a number within 1% of the job's:
    // the same set-up. 400 / 203 = 1.970, handed over as "2.0"; 565.6 / 100 = 5.656 and f/5.6
    // are exactly 1% apart.
    QTest::newRow("the report's own f/2.0") << 400.0 << 203.0 << Film << 0.0 << 0.2 << 2.0
                                            << QStringList{DigitalOnly, "1.3 s", "1/4 s at f/2: a star moves 0.01 mm" + FilmRound};
    QTest::newRow("f/5.6 is exactly 1% from f/5.656") << 565.6 << 100.0 << Film << 0.0 << 0.2 << 5.6
                                                      << QStringList{DigitalOnly, "0.88 s", "1/4 s at f/5.6: a star moves 0.01 mm" + FilmRound};
    QTest::newRow("f/5.6 is more than 1% from f/5.6561")
        << 565.61 << 100.0 << Film << 0.0 << 0.2 << 5.6
        << QStringList{DigitalOnly, "0.88 s",
                       "1/4 s at f/5.6: a star moves 0.01 mm" + FilmRound + " (computed for another set-up: this one is f/5.66)"};
    QTest::newRow("f/10.2 is another set-up than f/10")
        << 2000.0 << 200.0 << Film << 0.0 << 2.0 << 10.2
        << QStringList{DigitalOnly, "0.25 s", "2 s at f/10.2: a star moves 0.29 mm" + FilmTrails + " (computed for another set-up: this one is f/10)"};
    QTest::newRow("the exposure's error form") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << -1000000.0 << 2.8
                                               << QStringList{"5.5 s", "21 s" + Older,
                                                              "\u2014 (the exposure calculator shows no exposure: \"???\")"};
    QTest::newRow("never computed") << 24.0 << 24.0 / 2.8 << FullFrame << 0.0 << 0.0 << 0.0
                                    << QStringList{"5.5 s", "21 s" + Older,
                                                   "\u2014 (the exposure calculator has not suggested an exposure yet)"};
    QTest::newRow("declination refused") << 24.0 << 24.0 / 2.8 << FullFrame << refused << 20.0 << 2.8
                                         << QStringList{"\u2014", "21 s" + Older, "\u2014"};
    // A focal length of 1e-310 mm makes both limits overflow a double; the trail, beyond four
    // hours' limit, is still judged, each row alone.
    QTest::newRow("an overflow stays in its row")
        << 1e-310 << 1e-311 << FullFrame << 0.0 << 20.0 << 10.0
        << QStringList{"\u2014 (Floating point overflow)", "\u2014 (Floating point overflow)",
                       "20 s at f/10: a star moves 0.0 pixels" + Round};
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
    const TrailExposure exposure{seconds != 0, seconds, exposureFRatio, ExposureText(seconds)};
    const Sensor sensor = preset == Own ? Sensor{false, 6000, 4000, 2.0} : SensorPresets.at(static_cast<std::size_t>(preset)).Model;
    const TrackingTexts t = ComputeTracking(efl, aperture, sensor,
                                            qIsNaN(declination) ? std::nullopt : std::optional<double>(declination), exposure);
    QCOMPARE((QStringList{QString::fromStdString(t.Npf), QString::fromStdString(t.FiveHundred), QString::fromStdString(t.Trail)}),
             texts);
}

void tst_Tracking::limitText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("trailing zero kept") << 0.2 << "0.20 s";
    QTest::newRow("two figures below one") << 0.2051 << "0.21 s";
    QTest::newRow("one decimal") << 5.4967 << "5.5 s";
    QTest::newRow("whole") << 20.83 << "21 s";
    QTest::newRow("zeros, never an exponent") << 1234.0 << "1200 s";
    QTest::newRow("carry into the next power") << 9.96 << "10 s";
    QTest::newRow("carry below one") << 0.0996 << "0.10 s";
    // Halves away from zero on the decimal value, though the double lies just below it.
    QTest::newRow("7.35") << 7.35 << "7.4 s";
    QTest::newRow("0.865") << 0.865 << "0.87 s";
    QTest::newRow("0.125, a half to even would go down") << 0.125 << "0.13 s";
    QTest::newRow("just below a half") << 7.3499 << "7.3 s";
    QTest::newRow("half away from zero, carrying") << 99.5 << "100 s";
    QTest::newRow("four hours exactly") << 14400.0 << "14000 s";
    QTest::newRow("just beyond four hours") << 14400.01 << "over 4 hours";
}

void tst_Tracking::limitText()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(UntrackedLimitText(seconds)), text);
    // The limit is judged by the seconds its text states.
    if (text.endsWith(QLatin1String(" s")))
        QCOMPARE(SignificantSecondsValue(seconds), text.chopped(2).toDouble());
}

void tst_Tracking::declinationBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("degrees"); // NaN: refused
    QTest::addColumn<QString>("refusal");

    const QString plain = QStringLiteral("A number of degrees from -90 to 90.");
    QTest::newRow("two decimals") << "41.27" << 41.27 << QString();
    QTest::newRow("blanks and a degree sign") << " -24.38 \u00B0 " << -24.38 << QString();
    QTest::newRow("a typographic minus") << "\u221224.38" << -24.38 << QString();
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
