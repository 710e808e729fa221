// A digital camera under the night sky: electrons per pixel from the sky and the object, the
// shortest sub-exposure that buries the read noise, and the total for a signal-to-noise ratio.
// Worked by hand from F0 = 1000 photons s-1 cm-2 A-1 at magnitude 0.

#include "exposure/DigitalCamera.h"

#include <QTest>

#include <cmath>

namespace {

//! An 80 mm refractor at f = 480 mm on 3.76-micrometre pixels, luminance, QE 80%, 1.5 e-,
//! read noise adding 5%, signal-to-noise 10: A = 50.265 cm2, a pixel 2.6106 square arcseconds,
//! so magnitude 0 gives 1000 x 3000 x 50.265 x 2.6106 x 0.8 = 3.1494e8 e- per second.
CameraSetup Refractor(double sky, double object)
{
    CameraSetup setup;
    setup.ApertureMm = 80;
    setup.FocalLengthMm = 480;
    setup.PixelMicrons = 3.76;
    setup.QuantumEfficiencyPercent = 80;
    setup.FilterWidthNm = 300;
    setup.SkyBrightness = sky;
    setup.ObjectBrightness = object;
    setup.ReadNoise = 1.5;
    setup.ReadNoiseRisePercent = 5;
    setup.SignalToNoise = 10;
    return setup;
}

const QString PerSecond = QStringLiteral(" e\u207B per pixel per second");
const QString AddsFive = QStringLiteral(": read noise then adds 5%");

} // namespace

Q_DECLARE_METATYPE(CameraSetup)

class tst_DigitalCamera : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void framesFor_data();
    void framesFor();
    void totalTime_data();
    void totalTime();
    void boxes_data();
    void boxes();
};

void tst_DigitalCamera::figures_data()
{
    QTest::addColumn<CameraSetup>("setup");
    QTest::addColumn<QStringList>("texts"); // sky, object, sub-exposure, total

    // Sky 21.0: P = 1.2538, object 22.0: S = 0.49914; t = 9.7561 x 2.25 / 1.2538 = 17.51 s,
    // shown 18 s; T = 100 (0.49914 + 1.2538 + 2.25 / 18) / 0.49914^2 = 753.8 s: 42 frames, 756 s.
    QTest::newRow("worked example") << Refractor(21.0, 22.0)
                                    << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "18 s" + AddsFive,
                                                   "42 frames of 18 s, 13 min in all"};
    // Sky 18.5: P = 12.538, t = 1.751 s shown 1.8 s; T = 5734.5 s: 3186 frames, 5734.8 s.
    QTest::newRow("suburban sky") << Refractor(18.5, 22.0)
                                  << QStringList{"12.5" + PerSecond, "0.499" + PerSecond, "1.8 s" + AddsFive,
                                                 "3186 frames of 1.8 s, 96 min in all"};
    // A third on a colour sensor: P = 0.41793, S = 0.16638, t = 52.52 s shown 53 s;
    // T = 100 (0.16638 + 0.41793 + 2.25 / 53) / 0.16638^2 = 2264 s: 43 frames, 2279 s.
    CameraSetup colour = Refractor(21.0, 22.0);
    colour.Colour = true;
    QTest::newRow("colour sensor") << colour
                                   << QStringList{"0.418" + PerSecond, "0.166" + PerSecond, "53 s" + AddsFive,
                                                  "43 frames of 53 s, 38 min in all"};
    // A 35% obstruction keeps 1 - 0.1225 of the area: P = 1.1002, S = 0.43800, t = 19.95 s
    // shown 20 s; T = 860.4 s: 44 frames, 880 s.
    CameraSetup obstructed = Refractor(21.0, 22.0);
    obstructed.ObstructionPercent = 35;
    QTest::newRow("obstruction") << obstructed
                                 << QStringList{"1.10" + PerSecond, "0.438" + PerSecond, "20 s" + AddsFive,
                                                "44 frames of 20 s, 15 min in all"};
    // 7 nm: 1.2538 x 7 / 300 = 0.029255 on a monochrome sensor, and four times less on a
    // colour one, where one pixel in four takes the line (0.0073138; S = 0.0029117), whose
    // t = 3001.3 s is shown 3000 s: T = 100 (0.0029117 + 0.0073138 + 2.25 / 3000) / 0.0029117^2
    // = 129,460 s, 44 frames.
    CameraSetup narrow = Refractor(21.0, 22.0);
    narrow.FilterWidthNm = 7;
    narrow.Narrowband = true;
    narrow.SignalToNoise = 1;
    QTest::newRow("narrowband, monochrome") << narrow
                                            << QStringList{"0.0293" + PerSecond, "0.0116" + PerSecond, "750 s" + AddsFive,
                                                           "1 frame of 750 s, 13 min in all"}; // 324 s needed
    narrow.Colour = true;
    narrow.SignalToNoise = 10;
    QTest::newRow("narrowband, colour") << narrow
                                        << QStringList{"0.00731" + PerSecond, "0.00291" + PerSecond, "3000 s" + AddsFive,
                                                       "44 frames of 3000 s, 36.7 hours in all"};
    // The object brighter than the sky: S = 19.871 at 18.0; T = 5.38 s, one frame.
    QTest::newRow("object brighter than the sky")
        << Refractor(21.0, 18.0)
        << QStringList{"1.25" + PerSecond, "19.9" + PerSecond, "18 s" + AddsFive, "1 frame of 18 s, 18 s in all"};
    // The shown t at halves: R = 1.4996629228188 gives t = 17.5000 s, R = 1.4996586380615
    // gives 17.4999 s.
    CameraSetup half = Refractor(21.0, 22.0);
    half.ReadNoise = 1.4996629228188045;
    QTest::newRow("t at 17.5 goes up") << half
                                       << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "18 s" + AddsFive,
                                                      "42 frames of 18 s, 13 min in all"};
    half.ReadNoise = 1.4996586380614754;
    QTest::newRow("t at 17.4999 goes down") << half
                                            << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "17 s" + AddsFive,
                                                           "45 frames of 17 s, 13 min in all"}; // 756.8 s needed
    // Without read noise: T = 100 (0.49914 + 1.2538) / 0.49914^2 = 703.6 s in any frames; a
    // millisecond is the shortest limit said: R = 0.0112796 gives 0.99 ms, R = 0.0113929
    // gives 1.01 ms, shown 1.0 ms, and T = 100 (0.49914 + 1.2538 + 0.12980) / 0.49914^2 = 755.68 s.
    CameraSetup quiet = Refractor(21.0, 22.0);
    quiet.ReadNoise = 0;
    const QStringList negligible{"1.25" + PerSecond, "0.499" + PerSecond, "no limit: read noise is negligible at any length",
                                 "12 min in all, in frames of any length"};
    QTest::newRow("no read noise") << quiet << negligible;
    quiet.ReadNoise = 0.0112796;
    QTest::newRow("0.99 ms") << quiet << negligible;
    quiet.ReadNoise = 0.0113929;
    QTest::newRow("1.01 ms") << quiet
                             << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "0.0010 s" + AddsFive,
                                            "755681 frames of 0.0010 s, 13 min in all"};
    // What only some rows need: without the object the sky's rows stay; without the read
    // noise the object's row stays.
    CameraSetup noObject = Refractor(21.0, 22.0);
    noObject.ObjectBrightness.reset();
    QTest::newRow("no object") << noObject
                               << QStringList{"1.25" + PerSecond, "\u2014 (no brightness from the exposure calculator)",
                                              "18 s" + AddsFive, "\u2014"};
    CameraSetup noReadNoise = Refractor(21.0, 22.0);
    noReadNoise.ReadNoise.reset();
    QTest::newRow("read noise refused") << noReadNoise
                                        << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "\u2014", "\u2014"};
    // An absurd brightness from the exposure calculator costs the object's rows alone.
    QTest::newRow("object beyond the range") << Refractor(21.0, -900.0)
                                             << QStringList{"1.25" + PerSecond, "\u2014 (Floating point overflow)",
                                                            "18 s" + AddsFive, "\u2014"};
}

void tst_DigitalCamera::figures()
{
    QFETCH(CameraSetup, setup);
    QFETCH(QStringList, texts);
    const CameraTexts t = ComputeCamera(setup);
    QCOMPARE((QStringList{QString::fromStdString(t.Sky), QString::fromStdString(t.Object),
                          QString::fromStdString(t.SubExposure), QString::fromStdString(t.Total)}),
             texts);
}

void tst_DigitalCamera::framesFor_data()
{
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("frame");
    QTest::addColumn<long long>("frames");

    QTest::newRow("a part frame counts whole") << 753.75 << 18.0 << 42LL;
    QTest::newRow("at least one") << 5.38 << 18.0 << 1LL;
    // 0.1 + 0.2 is 0.30000000000000004: three frames of 0.1 s reach it.
    QTest::newRow("an ulp above three frames") << 0.1 + 0.2 << 0.1 << 3LL;
    QTest::newRow("within 1e-9") << 3.000000002 << 1.0 << 3LL;
    QTest::newRow("beyond 1e-9") << 3.00000001 << 1.0 << 4LL;
}

void tst_DigitalCamera::framesFor()
{
    QFETCH(double, total);
    QFETCH(double, frame);
    QFETCH(long long, frames);
    QCOMPARE(FramesFor(total, frame), frames);
}

void tst_DigitalCamera::totalTime_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("below half a second") << 0.49 << "under 1 s";
    QTest::newRow("half a second") << 0.5 << "1 s";
    QTest::newRow("59.49 s") << 59.49 << "59 s";
    QTest::newRow("59.5 s is a minute") << 59.5 << "1 min";
    QTest::newRow("119.49 min") << 7169.4 << "119 min";
    QTest::newRow("119.5 min is hours") << 7170.0 << "2.0 hours";
    QTest::newRow("2.25 hours, half away from zero") << 8100.0 << "2.3 hours";
    QTest::newRow("100 hours") << 360000.0 << "100.0 hours";
    QTest::newRow("beyond 100 hours") << 360001.0 << "over 100 hours";
}

void tst_DigitalCamera::totalTime()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(TotalTimeText(seconds)), text);
}

void tst_DigitalCamera::boxes_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value"); // NaN: refused
    QTest::addColumn<QString>("refusal");

    const double refused = qQNaN();
    const auto noise = static_cast<int>(CameraBox::ReadNoise);
    const QString electrons = QStringLiteral("A number of electrons from 0 to 50.");
    QTest::newRow("read noise 0") << noise << "0" << 0.0 << QString();
    QTest::newRow("read noise 50 e\u207B") << noise << " 50 e\u207B" << 50.0 << QString();
    QTest::newRow("read noise 1.5e-") << noise << "1.5e-" << 1.5 << QString();
    QTest::newRow("read noise 2 e") << noise << "2 e" << 2.0 << QString();
    QTest::newRow("read noise 50.01") << noise << "50.01" << refused << electrons;
    QTest::newRow("read noise -0.01") << noise << "-0.01" << refused << electrons;
    QTest::newRow("read noise 1,5") << noise << "1,5" << refused << "Write it with a decimal point, e.g. 2.5.";
    const auto efficiency = static_cast<int>(CameraBox::QuantumEfficiency);
    const QString percentage = QStringLiteral("A percentage from 1 to 100.");
    QTest::newRow("efficiency 1%") << efficiency << "1%" << 1.0 << QString();
    QTest::newRow("efficiency 100 %") << efficiency << "100 %" << 100.0 << QString();
    QTest::newRow("efficiency 0.99") << efficiency << "0.99" << refused << percentage;
    QTest::newRow("efficiency 100.1") << efficiency << "100.1" << refused << percentage;
    const auto sky = static_cast<int>(CameraBox::SkyBrightness);
    const QString magnitudes = QStringLiteral("A number from 10 to 25 mag per square arcsecond.");
    QTest::newRow("sky list item") << sky << "21.8  Bortle 1, excellent dark site" << 21.8 << QString();
    QTest::newRow("sky 10") << sky << "10" << 10.0 << QString();
    QTest::newRow("sky 25") << sky << "25" << 25.0 << QString();
    QTest::newRow("sky 9.99") << sky << "9.99" << refused << magnitudes;
    QTest::newRow("sky 25.01") << sky << "25.01" << refused << magnitudes;
    QTest::newRow("sky empty") << sky << "" << refused << magnitudes;
    const auto width = static_cast<int>(CameraBox::NarrowbandWidth);
    const QString nanometres = QStringLiteral("A width from 3 to 30 nm.");
    QTest::newRow("width 3 nm") << width << "3 nm" << 3.0 << QString();
    QTest::newRow("width 30nm") << width << "30nm" << 30.0 << QString();
    QTest::newRow("width 2.9") << width << "2.9" << refused << nanometres;
    QTest::newRow("width 30.1") << width << "30.1" << refused << nanometres;
    const auto obstruction = static_cast<int>(CameraBox::Obstruction);
    const QString obstructionRange = QStringLiteral("A percentage from 0 to 80.");
    QTest::newRow("obstruction 0") << obstruction << "0" << 0.0 << QString();
    QTest::newRow("obstruction 80%") << obstruction << "80%" << 80.0 << QString();
    QTest::newRow("obstruction 80.1") << obstruction << "80.1" << refused << obstructionRange;
    QTest::newRow("obstruction -1") << obstruction << "-1" << refused << obstructionRange;
    const auto rise = static_cast<int>(CameraBox::ReadNoiseRise);
    const QString riseRange = QStringLiteral("A percentage from 1 to 25.");
    QTest::newRow("rise 1") << rise << "1" << 1.0 << QString();
    QTest::newRow("rise 25 %") << rise << "25 %" << 25.0 << QString();
    QTest::newRow("rise 0.9") << rise << "0.9" << refused << riseRange;
    QTest::newRow("rise 25.1") << rise << "25.1" << refused << riseRange;
    const auto wanted = static_cast<int>(CameraBox::SignalToNoise);
    const QString wantedRange = QStringLiteral("A number from 1 to 1000.");
    QTest::newRow("signal-to-noise 1") << wanted << "1" << 1.0 << QString();
    QTest::newRow("signal-to-noise 1000") << wanted << "1000" << 1000.0 << QString();
    QTest::newRow("signal-to-noise 0.9") << wanted << "0.9" << refused << wantedRange;
    QTest::newRow("signal-to-noise 1001") << wanted << "1001" << refused << wantedRange;
    QTest::newRow("signal-to-noise 1 000") << wanted << "1 000" << refused << wantedRange;
}

void tst_DigitalCamera::boxes()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, refusal);
    std::string said;
    const std::optional<double> read = ReadCameraBox(static_cast<CameraBox>(box), text.toStdString(), said);
    QCOMPARE(QString::fromStdString(said), refusal);
    QCOMPARE(read.value_or(qQNaN()), value);
}

QTEST_APPLESS_MAIN(tst_DigitalCamera)

#include "tst_DigitalCamera.moc"
