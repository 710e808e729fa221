#include "field/SensorField.h"

#include <QTest>

Q_DECLARE_METATYPE(std::string)

class tst_SensorField : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void samplingReadsTheShownRatio_data();
    void samplingReadsTheShownRatio();
    void refusedBoxes_data();
    void refusedBoxes();
};

void tst_SensorField::figures_data()
{
    QTest::addColumn<double>("efl");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<int>("preset");
    // Frame, field, arcminutes, image scale, Dawes limit, sampling, Moon, Moon in pixels,
    // Jupiter, Jupiter in pixels, whether the Moon fits.
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("moonFits");

    const QString none = QStringLiteral("\u2014");
    QTest::newRow("prime focus 200 mm / 2000 mm, cooled APS-C")
        << 2000.0 << 200.0 << 5
        << QStringList{"23.49 x 15.70 mm", "0.45° x 0.67°, diagonal 0.81°", "27.0' x 40.4', diagonal 48.6'",
                       "0.39 arcsec per pixel", "0.58 arcsec", "1.5, under-sampled",
                       "18.2 mm", "4836", "0.30 to 0.49 mm", "79.9 to 131.5",
                       "No, 2.48 mm too large"}
        << false;
    QTest::newRow("film frame at 2000 mm")
        << 2000.0 << 200.0 << 0
        << QStringList{"36.00 x 24.00 mm", "0.69° x 1.03°, diagonal 1.24°", "41.3' x 61.9', diagonal 74.4'",
                       none, "0.58 arcsec", none, "18.2 mm", none, "0.30 to 0.49 mm", none, "Yes, 5.82 mm to spare"}
        << true;
    // The frame's geometry for film too, not the report's rule of thumb (too big above 2300 mm).
    QTest::newRow("film frame at 2500 mm")
        << 2500.0 << 200.0 << 0
        << QStringList{"36.00 x 24.00 mm", "0.55° x 0.83°, diagonal 0.99°", "33.0' x 49.5', diagonal 59.5'",
                       none, "0.58 arcsec", none, "22.7 mm", none, "0.38 to 0.62 mm", none,
                       "Yes, 1.27 mm to spare"}
        << true;
    // 2640 / 110 is exactly the frame's 24 mm: equal fits.
    QTest::newRow("film frame at 2640 mm")
        << 2640.0 << 200.0 << 0
        << QStringList{"36.00 x 24.00 mm", "0.52° x 0.78°, diagonal 0.94°", "31.3' x 46.9', diagonal 56.3'",
                       none, "0.58 arcsec", none, "24.0 mm", none, "0.40 to 0.65 mm", none,
                       "Yes, 0.00 mm to spare"}
        << true;
    // A hair more fits by the rule every target is fitted by, as the Moon's mosaic says.
    QTest::newRow("film frame at 2640.0000001 mm")
        << 2640.0000001 << 200.0 << 0
        << QStringList{"36.00 x 24.00 mm", "0.52° x 0.78°, diagonal 0.94°", "31.3' x 46.9', diagonal 56.3'",
                       none, "0.58 arcsec", none, "24.0 mm", none, "0.40 to 0.65 mm", none,
                       "Yes, 0.00 mm to spare"}
        << true;
    // Half a millimetre more: 4.5 micrometres too large, which two decimals would show as 0.00.
    QTest::newRow("full frame at 2640.5 mm")
        << 2640.5 << 200.0 << 1
        << QStringList{"36.00 x 24.00 mm", "0.52° x 0.78°, diagonal 0.94°", "31.2' x 46.9', diagonal 56.3'",
                       "0.47 arcsec per pixel", "0.58 arcsec", "1.2, under-sampled", "24.0 mm", "4001",
                       "0.40 to 0.65 mm", "66.1 to 108.8", "No, less than 0.01 mm too large"}
        << false;
    QTest::newRow("camera lens 50 mm at f/2, full frame")
        << 50.0 << 25.0 << 1
        << QStringList{"36.00 x 24.00 mm", "27.0° x 40°, diagonal 47°", "1619.5' x 2375.9', diagonal 2807.6'",
                       "24.75 arcsec per pixel", "4.64 arcsec", "0.2, coarse",
                       "0.5 mm", "76", "0.008 to 0.012 mm (Excessively small)", "1.3 to 2.1",
                       "Yes, 23.55 mm to spare"}
        << true;
    // 206265 arcseconds per radian: 206256 would show 51.56.
    QTest::newRow("camera lens 24 mm at f/2.8, full frame")
        << 24.0 << 24.0 / 2.8 << 1
        << QStringList{"36.00 x 24.00 mm", "53° x 74°, diagonal 84°", "3187.8' x 4424.4', diagonal 5043.7'",
                       "51.57 arcsec per pixel", "13.53 arcsec", "0.3, coarse", "0.2 mm", "36",
                       "0.004 to 0.006 mm (Excessively small)", "0.6 to 1.0", "Yes, 23.78 mm to spare"}
        << true;
    QTest::newRow("planetary camera at 4000 mm")
        << 4000.0 << 200.0 << 7
        << QStringList{"5.57 x 3.13 mm", "0.04° x 0.08°, diagonal 0.09°", "2.7' x 4.8', diagonal 5.5'",
                       "0.15 arcsec per pixel", "0.58 arcsec", "3.9, over-sampled",
                       "36.4 mm", "12539", "0.60 to 0.99 mm", "207.3 to 341.0",
                       "No, 33.23 mm too large"}
        << false;
}

void tst_SensorField::figures()
{
    QFETCH(double, efl);
    QFETCH(double, aperture);
    QFETCH(int, preset);
    QFETCH(QStringList, texts);
    QFETCH(bool, moonFits);
    const SensorFieldFigures figures = ComputeSensorField(efl, aperture, SensorPresets.at(static_cast<std::size_t>(preset)).Model);
    const SensorFieldTexts& t = figures.Texts;
    QStringList shown;
    for (const std::string* text : {&t.Frame, &t.Field, &t.FieldArcminutes, &t.ImageScale, &t.ResolvingPower, &t.Sampling,
                                    &t.Moon, &t.MoonPixels, &t.Jupiter, &t.JupiterPixels, &t.MoonFits})
        shown << QString::fromStdString(*text);
    QCOMPARE(shown, texts);
    QCOMPARE(figures.Sizes.MoonFits, moonFits);
}

void tst_SensorField::samplingReadsTheShownRatio_data()
{
    QTest::addColumn<double>("ratio"); // pixels per Dawes limit, unrounded
    QTest::addColumn<QString>("sampling");

    // Each shown boundary from both sides: one shown value, one reading.
    QTest::newRow("0.94") << 0.94 << "0.9, coarse";
    QTest::newRow("0.96 shows 1.0") << 0.96 << "1.0, under-sampled";
    QTest::newRow("1.94") << 1.94 << "1.9, under-sampled";
    QTest::newRow("1.96 shows 2.0") << 1.96 << "2.0, well matched";
    QTest::newRow("2.96 shows 3.0") << 2.96 << "3.0, well matched";
    QTest::newRow("3.04 shows 3.0") << 3.04 << "3.0, well matched";
    QTest::newRow("3.06") << 3.06 << "3.1, over-sampled";
}

void tst_SensorField::samplingReadsTheShownRatio()
{
    QFETCH(double, ratio);
    QFETCH(QString, sampling);
    // 1-micrometre pixels and a 116-mm aperture: the Dawes limit is 1 arcsecond, and the ratio
    // is the focal length over 206.265 mm.
    const Sensor sensor{false, 1000, 1000, 1.0};
    const SensorFieldFigures figures = ComputeSensorField(ratio * 206.265, 116, sensor);
    QCOMPARE(QString::fromStdString(figures.Texts.Sampling), sampling);
}

void tst_SensorField::refusedBoxes_data()
{
    QTest::addColumn<QStringList>("boxes"); // pixels across, pixels down, pixel size in µm
    QTest::addColumn<QString>("refusal");   // empty where the sensor is read
    QTest::addColumn<QString>("frame");

    const QString across = QStringLiteral("Pixels across must be a whole number from 1 to 100000.");
    const QString down = QStringLiteral("Pixels down must be a whole number from 1 to 100000.");
    const QString size = QStringLiteral("The pixel size must be a number from 0.5 to 50 \u00B5m.");
    const QString acrossSeparated = QStringLiteral("Pixels across must be a whole number from 1 to 100000: "
                                                   "write it without separators, e.g. 6248.");
    const QString sizeComma = QStringLiteral("The pixel size must be a number from 0.5 to 50 \u00B5m: "
                                             "write it with a decimal point, e.g. 3.76.");
    QTest::newRow("the limits themselves") << QStringList{"100000", "1", "0.5"} << QString() << "50.00 x 0.00 mm";
    QTest::newRow("units, with and without a blank") << QStringList{" 4000 px ", "3000px", "50 um"} << QString() << "200.00 x 150.00 mm";
    QTest::newRow("micro sign") << QStringList{"6248", "4176", "3.76\u00B5m"} << QString() << "23.49 x 15.70 mm";
    QTest::newRow("no number") << QStringList{"", "3000", "3.8"} << across << QString();
    QTest::newRow("none of pixels") << QStringList{"0", "3000", "3.8"} << across << QString();
    QTest::newRow("none of pixels down") << QStringList{"4000", "0", "3.8"} << down << QString();
    QTest::newRow("a fraction of a pixel") << QStringList{"4000", "2999.5", "3.8"} << down << QString();
    QTest::newRow("too many pixels") << QStringList{"4000", "100001", "3.8"} << down << QString();
    QTest::newRow("pixels too small") << QStringList{"4000", "3000", "0.49"} << size << QString();
    QTest::newRow("pixels too large") << QStringList{"4000", "3000", "50.01"} << size << QString();
    QTest::newRow("beyond any double") << QStringList{"4000", "3000", "1e999"} << size << QString();
    // Never the first part of what was typed: "6 248" is not 6 pixels.
    QTest::newRow("a blank between thousands") << QStringList{"6 248", "4176", "3.76"} << acrossSeparated << QString();
    QTest::newRow("a comma between thousands") << QStringList{"6,248", "4176", "3.76"} << acrossSeparated << QString();
    QTest::newRow("a dot between thousands") << QStringList{"6.248", "4176", "3.76"} << acrossSeparated << QString();
    QTest::newRow("a word for the unit") << QStringList{"6248 pixels", "4176", "3.76"} << across << QString();
    QTest::newRow("a decimal comma") << QStringList{"6248", "4176", "3,76 \u00B5m"} << sizeComma << QString();
    QTest::newRow("another unit") << QStringList{"6248", "4176", "3.76 mm"} << size << QString();
}

void tst_SensorField::refusedBoxes()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, refusal);
    QFETCH(QString, frame);
    std::string said;
    const std::optional<Sensor> sensor = ReadSensor(boxes[0].toStdString(), boxes[1].toStdString(), boxes[2].toStdString(), said);
    QCOMPARE(QString::fromStdString(said), refusal);
    QCOMPARE(sensor.has_value(), refusal.isEmpty());
    if (sensor)
        QCOMPARE(QString::fromStdString(FrameText(*sensor)), frame);
}

QTEST_APPLESS_MAIN(tst_SensorField)

#include "tst_SensorField.moc"
