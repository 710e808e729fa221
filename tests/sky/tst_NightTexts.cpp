// The night's rows, written from made-up nights by a UTC clock: the words, the order, the
// rounding of moments to the minute and of degrees, percentages and durations.

#include "sky/NightTexts.h"

#include <QDateTime>
#include <QTest>

namespace {

//! 2024-03-10T12:00:00Z, the night's start.
constexpr double Noon = 1710072000;

//! A moment of the night by the UTC clock; hours from 12 on are the first day, below 12 the next.
double At(int hour, int minute, double second = 0)
{
    return Noon + ((hour < 12 ? hour + 24 : hour) - 12) * 3600.0 + minute * 60.0 + second;
}

const ClockText Utc = [](double utc) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(utc), Qt::UTC).toString("HH:mm").toStdString();
};

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

NightSky Night()
{
    NightSky night;
    night.Start = Noon;
    night.End = Noon + 86400;
    return night;
}

} // namespace

class tst_NightTexts : public QObject
{
    Q_OBJECT

private slots:
    void sunRows_data();
    void sunRows();
    void moonRow_data();
    void moonRow();
    void moonFigures_data();
    void moonFigures();
    void transits_data();
    void transits();
    void above_data();
    void above();
    void darkSpans_data();
    void darkSpans();
    void captions();
};

void tst_NightTexts::sunRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("down"); // 0: none
    QTest::addColumn<double>("up");
    QTest::addColumn<QString>("sunset");
    QTest::addColumn<QString>("astronomical"); // the same passage read as the -18° row

    const int crosses = int(SunPassage::Kind::Crosses);
    QTest::newRow("both") << crosses << At(16, 54) << At(8, 31) << "16:54 / 08:31" << "16:54 / 08:31";
    // To the nearest minute, not cut to it: 16:53:30 is 16:54, 16:53:29 is 16:53.
    QTest::newRow("half a minute rounds up") << crosses << At(16, 53, 30) << At(8, 30, 29.9) << "16:54 / 08:30" << "16:54 / 08:30";
    QTest::newRow("no sunset in the night") << crosses << 0.0 << At(8, 31) << "\u2014 / 08:31" << "\u2014 / 08:31";
    QTest::newRow("no sunrise in the night") << crosses << At(16, 54) << 0.0 << "16:54 / \u2014" << "16:54 / \u2014";
    QTest::newRow("stays above") << int(SunPassage::Kind::StaysAbove) << 0.0 << 0.0 << "the Sun does not set"
                                 << "never: the Sun stays above -18°";
    QTest::newRow("stays below") << int(SunPassage::Kind::StaysBelow) << 0.0 << 0.0 << "the Sun does not rise"
                                 << "all night: the Sun stays below -18°";
}

void tst_NightTexts::sunRows()
{
    QFETCH(int, kind);
    QFETCH(double, down);
    QFETCH(double, up);
    QFETCH(QString, sunset);
    QFETCH(QString, astronomical);
    SunPassage sun;
    sun.Passage = SunPassage::Kind(kind);
    if (down > 0)
        sun.Down = down;
    if (up > 0)
        sun.Up = up;
    QCOMPARE(Q(SunsetText(sun, Utc)), sunset);
    QCOMPARE(Q(TwilightText(sun, AstronomicalLevel, Utc)), astronomical);
}

void tst_NightTexts::moonRow_data()
{
    QTest::addColumn<bool>("upAtStart");
    QTest::addColumn<QList<double>>("passes"); // alternately sets and rises, from upAtStart
    QTest::addColumn<QString>("text");

    QTest::newRow("up all night") << true << QList<double>{} << "up all night";
    QTest::newRow("down all night") << false << QList<double>{} << "down all night";
    QTest::newRow("rises, then sets") << false << QList<double>{At(22, 14), At(11, 2)} << "rises 22:14, sets 11:02";
    QTest::newRow("sets, rises, sets") << true << QList<double>{At(12, 40), At(23, 5), At(11, 58)}
                                       << "sets 12:40, rises 23:05, sets 11:58";
}

void tst_NightTexts::moonRow()
{
    QFETCH(bool, upAtStart);
    QFETCH(QList<double>, passes);
    QFETCH(QString, text);
    std::vector<Crossing> moon;
    bool up = upAtStart;
    for (const double t : passes)
        moon.push_back({t, up = !up});
    QCOMPARE(Q(MoonText(upAtStart, moon, Utc)), text);
}

void tst_NightTexts::moonFigures_data()
{
    QTest::addColumn<double>("lit");
    QTest::addColumn<bool>("waxing");
    QTest::addColumn<double>("fromTarget");
    QTest::addColumn<QString>("litText");
    QTest::addColumn<QString>("fromText");

    QTest::newRow("just below a half") << 0.4649 << false << 112.4999 << "46%, waning" << "112°";
    QTest::newRow("just above a half") << 0.4651 << true << 112.5 << "47%, waxing" << "113°";
    QTest::newRow("new") << 0.004 << true << 0.4 << "0%, waxing" << "0°";
    QTest::newRow("full") << 0.996 << false << 179.6 << "100%, waning" << "180°";
}

void tst_NightTexts::moonFigures()
{
    QFETCH(double, lit);
    QFETCH(bool, waxing);
    QFETCH(double, fromTarget);
    QFETCH(QString, litText);
    QFETCH(QString, fromText);
    const MoonLight moon{lit, waxing, fromTarget, false};
    QCOMPARE(Q(MoonLitText(moon)), litText);
    QCOMPARE(Q(MoonFromTargetText(moon)), fromText);
}

void tst_NightTexts::transits_data()
{
    QTest::addColumn<QList<double>>("times");
    QTest::addColumn<QList<double>>("altitudes");
    QTest::addColumn<QString>("text");

    QTest::newRow("one") << QList<double>{At(21, 37)} << QList<double>{83.4} << "21:37 at 83°";
    QTest::newRow("below the horizon, half away from zero") << QList<double>{At(21, 37)} << QList<double>{-12.5}
                                                            << "21:37, below the horizon (-13°)";
    QTest::newRow("below by less than half a degree") << QList<double>{At(21, 37)} << QList<double>{-0.4}
                                                      << "21:37, just below the horizon";
    QTest::newRow("below by half a degree") << QList<double>{At(21, 37)} << QList<double>{-0.5}
                                            << "21:37, below the horizon (-1°)";
    QTest::newRow("on the horizon") << QList<double>{At(21, 37)} << QList<double>{0.0} << "21:37 at 0°";
    QTest::newRow("two") << QList<double>{At(12, 2), At(11, 58)} << QList<double>{40.5, 40.5} << "12:02 at 41°, 11:58 at 41°";
    QTest::newRow("none") << QList<double>{} << QList<double>{} << "\u2014 (no transit in this night)";
}

void tst_NightTexts::transits()
{
    QFETCH(QList<double>, times);
    QFETCH(QList<double>, altitudes);
    QFETCH(QString, text);
    std::vector<Culmination> transits;
    for (qsizetype i = 0; i < times.size(); ++i)
        transits.push_back({times[i], altitudes[i]});
    QCOMPARE(Q(TransitsText(transits, Utc)), text);
}

void tst_NightTexts::above_data()
{
    QTest::addColumn<QList<double>>("spans"); // start, end, ...
    QTest::addColumn<double>("highest");
    QTest::addColumn<QString>("text");

    QTest::newRow("one") << QList<double>{At(17, 40), At(1, 35)} << 70.0 << "17:40 to 01:35";
    QTest::newRow("from the night's start") << QList<double>{Noon, At(1, 35)} << 70.0 << "12:00 to 01:35";
    QTest::newRow("two") << QList<double>{Noon, At(14, 10), At(23, 0), Noon + 86400} << 70.0 << "12:00 to 14:10 and 23:00 to 12:00";
    QTest::newRow("three") << QList<double>{At(13, 0), At(14, 0), At(18, 0), At(19, 0), At(2, 0), At(3, 0)} << 70.0
                           << "13:00 to 14:00, 18:00 to 19:00 and 02:00 to 03:00";
    QTest::newRow("all night") << QList<double>{Noon, Noon + 86400} << 70.0 << "all night";
    QTest::newRow("never") << QList<double>{} << 20.5 << "never: highest 21°";
    QTest::newRow("never, below the horizon") << QList<double>{} << -3.2 << "never: highest -3°";
    // A span that holds no minute as written reads as none.
    QTest::newRow("only a span under a minute") << QList<double>{At(5, 43, 31), At(5, 44, 29)} << 30.01 << "never: highest 30°";
    QTest::newRow("a span under a minute left out") << QList<double>{Noon, At(14, 10), At(23, 0, 10), At(23, 0, 25)} << 70.0
                                                     << "12:00 to 14:10";
}

void tst_NightTexts::above()
{
    QFETCH(QList<double>, spans);
    QFETCH(double, highest);
    QFETCH(QString, text);
    NightSky night = Night();
    for (qsizetype i = 0; i + 1 < spans.size(); i += 2)
        night.Above.push_back({spans[i], spans[i + 1]});
    night.Highest = highest;
    QCOMPARE(Q(AboveText(night, Utc)), text);
}

void tst_NightTexts::darkSpans_data()
{
    QTest::addColumn<QList<double>>("spans");
    QTest::addColumn<QString>("text");

    QTest::newRow("two") << QList<double>{At(18, 51), At(20, 2), At(4, 10), At(6, 35)}
                         << "18:51 to 20:02 and 04:10 to 06:35 (3 h 36 min)";
    // The total from the exact moments: 6 h 43 min 30 s is 6 h 44 min, though the clock
    // texts differ by 6 h 43 min.
    QTest::newRow("total rounded from the moments") << QList<double>{At(20, 0, 29), At(2, 43, 59)}
                                                    << "20:00 to 02:44 (6 h 44 min)";
    QTest::newRow("just under") << QList<double>{At(20, 0, 30), At(2, 43, 59.9)} << "20:01 to 02:44 (6 h 43 min)";
    QTest::newRow("under an hour") << QList<double>{At(23, 0), At(23, 45)} << "23:00 to 23:45 (45 min)";
    QTest::newRow("whole hours") << QList<double>{At(22, 0), At(3, 0)} << "22:00 to 03:00 (5 h)";
    QTest::newRow("none") << QList<double>{} << "none tonight";
    // New York, 10 March 2025: the Moon sets at 05:44:01 (EDT), astronomical dawn at 05:44:25.
    QTest::newRow("24 s, within one minute") << QList<double>{At(5, 44, 0.7), At(5, 44, 25)} << "none tonight";
    // 58 s whose ends both round to 05:44, and 2 s whose ends round apart.
    QTest::newRow("58 s, within one minute") << QList<double>{At(5, 43, 31), At(5, 44, 29)} << "none tonight";
    QTest::newRow("2 s across a rounding") << QList<double>{At(5, 44, 29), At(5, 44, 31)} << "none tonight";
    QTest::newRow("half a minute across a rounding") << QList<double>{At(5, 44, 29.5), At(5, 44, 59.5)} << "05:44 to 05:45 (1 min)";
    QTest::newRow("left out of the list and the total") << QList<double>{At(18, 51), At(20, 2), At(4, 10, 10), At(4, 10, 30)}
                                                        << "18:51 to 20:02 (1 h 11 min)";
}

void tst_NightTexts::darkSpans()
{
    QFETCH(QList<double>, spans);
    QFETCH(QString, text);
    std::vector<TimeSpan> dark;
    for (qsizetype i = 0; i + 1 < spans.size(); i += 2)
        dark.push_back({spans[i], spans[i + 1]});
    QCOMPARE(Q(DarkSpansText(dark, Utc)), text);
}

void tst_NightTexts::captions()
{
    QCOMPARE(Q(AboveCaption(30)), "Above 30°:");
    QCOMPARE(Q(AboveCaption(22.5)), "Above 22.5°:");
    QCOMPARE(Q(DarkAboveCaption(0)), "Dark and above 0°:");
}

QTEST_APPLESS_MAIN(tst_NightTexts)

#include "tst_NightTexts.moc"
