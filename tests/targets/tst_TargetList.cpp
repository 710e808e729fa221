// What Targets Tonight lists and lets through: the kinds OpenNGC's types count under, each
// filter at its boundaries, the first order's ties, and the frame and duration texts.

#include "targets/TargetList.h"

#include <QTest>

#include <cmath>

class tst_TargetList : public QObject
{
    Q_OBJECT

private slots:
    void kinds_data();
    void kinds();
    void filters_data();
    void filters();
    void firstOrder();
    void texts_data();
    void texts();
};

void tst_TargetList::kinds_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("kinds");

    QTest::newRow("galaxy") << "G" << QStringList{"Galaxies"};
    QTest::newRow("pair of galaxies") << "GPair" << QStringList{"Galaxies"};
    QTest::newRow("triple") << "GTrpl" << QStringList{"Galaxies"};
    QTest::newRow("group") << "GGroup" << QStringList{"Galaxies"};
    QTest::newRow("H II region") << "HII" << QStringList{"Emission and reflection nebulae"};
    QTest::newRow("reflection nebula") << "RfN" << QStringList{"Emission and reflection nebulae"};
    QTest::newRow("nebula") << "Neb" << QStringList{"Emission and reflection nebulae"};
    QTest::newRow("cluster with nebula") << "Cl+N" << QStringList{"Emission and reflection nebulae", "Open clusters"};
    QTest::newRow("planetary") << "PN" << QStringList{"Planetary nebulae"};
    QTest::newRow("remnant") << "SNR" << QStringList{"Supernova remnants"};
    QTest::newRow("open cluster") << "OCl" << QStringList{"Open clusters"};
    QTest::newRow("globular") << "GCl" << QStringList{"Globular clusters"};
    QTest::newRow("dark nebula") << "DrkN" << QStringList{"Dark nebulae"};
    for (const char* other : {"*", "**", "*Ass", "Nova", "Other"})
        QTest::newRow(other) << other << QStringList{"Other"};
}

void tst_TargetList::kinds()
{
    QFETCH(QString, type);
    QFETCH(QStringList, kinds);
    const unsigned set = KindsOf(type.toStdString());
    QStringList named;
    for (std::size_t i = 0; i < KindNames.size(); ++i)
        if (set & (1u << i))
            named << QString::fromUtf8(KindNames[i]);
    QCOMPARE(named, kinds);
}

void tst_TargetList::filters_data()
{
    QTest::addColumn<double>("magnitude"); // NaN: none given
    QTest::addColumn<double>("fill");      // percent; NaN: no size
    QTest::addColumn<double>("panels");
    QTest::addColumn<double>("moonDownMinutes");
    QTest::addColumn<double>("moonDegrees"); // NaN: no darkness, no best moment
    QTest::addColumn<double>("brighterThan"); // NaN: any
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("atLeastMinutes");
    QTest::addColumn<double>("moonAtLeast");
    QTest::addColumn<bool>("passes");

    const double none = qQNaN();
    // Brightness: "brighter than 8" keeps 8.0; no magnitude passes only "any".
    QTest::newRow("8.0 brighter than 8") << 8.0 << 20.0 << 1.0 << 60.0 << 90.0 << 8.0 << 0 << 30.0 << 0.0 << true;
    QTest::newRow("8.04, shown 8.0, brighter than 8") << 8.04 << 20.0 << 1.0 << 60.0 << 90.0 << 8.0 << 0 << 30.0 << 0.0 << true;
    QTest::newRow("8.05, shown 8.1, brighter than 8") << 8.05 << 20.0 << 1.0 << 60.0 << 90.0 << 8.0 << 0 << 30.0 << 0.0 << false;
    QTest::newRow("no magnitude, any") << none << 20.0 << 1.0 << 60.0 << 90.0 << none << 0 << 30.0 << 0.0 << true;
    QTest::newRow("no magnitude, brighter than 15") << none << 20.0 << 1.0 << 60.0 << 90.0 << 15.0 << 0 << 30.0 << 0.0 << false;
    // Size: fits, at least 10% and 25%, a mosaic; no size passes only "any".
    QTest::newRow("fits") << 8.0 << 2.0 << 1.0 << 60.0 << 90.0 << none << 1 << 30.0 << 0.0 << true;
    QTest::newRow("a mosaic does not fit") << 8.0 << 140.0 << 2.0 << 60.0 << 90.0 << none << 1 << 30.0 << 0.0 << false;
    QTest::newRow("9.5%, shown 10%, fills 10%") << 8.0 << 9.5 << 1.0 << 60.0 << 90.0 << none << 2 << 30.0 << 0.0 << true;
    QTest::newRow("9.49% does not") << 8.0 << 9.49 << 1.0 << 60.0 << 90.0 << none << 2 << 30.0 << 0.0 << false;
    QTest::newRow("24.5%, shown 25%, fills 25%") << 8.0 << 24.5 << 1.0 << 60.0 << 90.0 << none << 3 << 30.0 << 0.0 << true;
    QTest::newRow("24.49% does not") << 8.0 << 24.49 << 1.0 << 60.0 << 90.0 << none << 3 << 30.0 << 0.0 << false;
    QTest::newRow("a mosaic fills nothing by percent") << 8.0 << 140.0 << 2.0 << 60.0 << 90.0 << none << 3 << 30.0 << 0.0 << false;
    QTest::newRow("needs a mosaic") << 8.0 << 140.0 << 2.0 << 60.0 << 90.0 << none << 4 << 30.0 << 0.0 << true;
    QTest::newRow("fits, no mosaic needed") << 8.0 << 90.0 << 1.0 << 60.0 << 90.0 << none << 4 << 30.0 << 0.0 << false;
    QTest::newRow("no size, any") << 8.0 << none << 1.0 << 60.0 << 90.0 << none << 0 << 30.0 << 0.0 << true;
    QTest::newRow("no size, fits") << 8.0 << none << 1.0 << 60.0 << 90.0 << none << 1 << 30.0 << 0.0 << false;
    // Time: the dark time with the Moon down, at least as long as asked.
    QTest::newRow("29.5 min, shown 0:30, at least 30") << 8.0 << 20.0 << 1.0 << 29.5 << 90.0 << none << 0 << 30.0 << 0.0 << true;
    QTest::newRow("29.49 min, at least 30") << 8.0 << 20.0 << 1.0 << 29.49 << 90.0 << none << 0 << 30.0 << 0.0 << false;
    QTest::newRow("none at all, any") << 8.0 << 20.0 << 1.0 << 0.0 << none << none << 0 << 0.0 << 0.0 << true;
    // The Moon: at least so far at the best moment; without one, only at 0.
    QTest::newRow("59.5° from the Moon, shown 60°, at least 60") << 8.0 << 20.0 << 1.0 << 60.0 << 59.5 << none << 0 << 30.0 << 60.0 << true;
    QTest::newRow("59.49°, at least 60") << 8.0 << 20.0 << 1.0 << 60.0 << 59.49 << none << 0 << 30.0 << 60.0 << false;
    QTest::newRow("no best moment, at least 5") << 8.0 << 20.0 << 1.0 << 0.0 << none << none << 0 << 0.0 << 5.0 << false;
}

void tst_TargetList::filters()
{
    QFETCH(double, magnitude);
    QFETCH(double, fill);
    QFETCH(double, panels);
    QFETCH(double, moonDownMinutes);
    QFETCH(double, moonDegrees);
    QFETCH(double, brighterThan);
    QFETCH(int, size);
    QFETCH(double, atLeastMinutes);
    QFETCH(double, moonAtLeast);
    QFETCH(bool, passes);
    ListedObject object;
    object.Kinds = KindsOf("G");
    if (!std::isnan(magnitude))
        object.Magnitude = magnitude;
    if (!std::isnan(fill))
        object.Fill = FrameFill{fill, panels};
    object.Night.MoonDown = moonDownMinutes * 60;
    object.Night.DarkAndUp = object.Night.MoonDown;
    if (!std::isnan(moonDegrees)) {
        object.Night.Best = 0;
        object.Night.MoonDistance = moonDegrees;
    }
    ListFilters filters;
    if (!std::isnan(brighterThan))
        filters.BrighterThan = brighterThan;
    filters.Size = static_cast<std::size_t>(size);
    filters.AtLeastSeconds = atLeastMinutes * 60;
    filters.MoonAtLeastDegrees = moonAtLeast;
    QCOMPARE(Passes(object, filters), passes);
    // A kind left out lets nothing through.
    filters.Kinds = EveryKind & ~KindsOf("G");
    QVERIFY(!Passes(object, filters));
}

void tst_TargetList::firstOrder()
{
    // Moon down first, then dark and up, on the exact durations; then the brighter; then the
    // designation; no magnitude counts as the faintest.
    const auto row = [](std::size_t index, double moonDown, double dark, std::optional<double> magnitude) {
        ListedObject object;
        object.Index = index;
        object.Night.MoonDown = moonDown;
        object.Night.DarkAndUp = dark;
        object.Magnitude = magnitude;
        return object;
    };
    QVERIFY(RankedBefore(row(9, 3600.5, 0, 12), row(1, 3600, 9000, 3)));
    QVERIFY(RankedBefore(row(9, 3600, 7200.5, 12), row(1, 3600, 7200, 3)));
    QVERIFY(RankedBefore(row(9, 3600, 7200, 3), row(1, 3600, 7200, 3.1)));
    QVERIFY(RankedBefore(row(9, 3600, 7200, 20), row(1, 3600, 7200, std::nullopt)));
    QVERIFY(RankedBefore(row(1, 3600, 7200, 3), row(9, 3600, 7200, 3)));
    QVERIFY(!RankedBefore(row(1, 3600, 7200, 3), row(1, 3600, 7200, 3)));
}

void tst_TargetList::texts_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<double>("fill");
    QTest::addColumn<double>("panels");
    QTest::addColumn<QString>("frame");

    QTest::newRow("nothing") << 0.0 << "0:00" << 0.49 << 1.0 << "under 1%";
    QTest::newRow("half a minute rounds up") << 30.0 << "0:01" << 0.5 << 1.0 << "1%";
    QTest::newRow("an hour less a second") << 3599.0 << "1:00" << 99.6 << 1.0 << "100%";
    QTest::newRow("9 h 41 min") << 34860.0 << "9:41" << 140.0 << 6.0 << "6 panels";
}

void tst_TargetList::texts()
{
    QFETCH(double, seconds);
    QFETCH(QString, duration);
    QFETCH(double, fill);
    QFETCH(double, panels);
    QFETCH(QString, frame);
    QCOMPARE(QString::fromStdString(HoursMinutesText(seconds)), duration);
    QCOMPARE(QString::fromStdString(FrameText(FrameFill{fill, panels})), frame);
    QCOMPARE(QString::fromStdString(FrameText(std::nullopt)), QStringLiteral("\u2014"));
}

QTEST_APPLESS_MAIN(tst_TargetList)
#include "tst_TargetList.moc"
