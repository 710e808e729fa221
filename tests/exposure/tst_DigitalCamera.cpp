// A digital camera under the night sky: electrons per pixel from the sky and the object, the
// shortest sub-exposure that buries the read noise, and the total for a signal-to-noise ratio.
// Worked by hand from F0 = 1000 photons s-1 cm-2 A-1 at magnitude 0.

#include "exposure/DigitalCamera.h"
#include "sky/Showpieces.h"

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
    void topRows_data();
    void topRows();
    void totalCaption_data();
    void totalCaption();
    void emissionNebulae_data();
    void emissionNebulae();
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
    // 7 nm: 1.2538 x 7 / 300 = 0.029255, S = 0.011647, t = 750.3 s shown 750 s, on a
    // monochrome sensor and in the pixels of a colour one that take the line alike:
    // T = 100 (0.011647 + 0.029255 + 2.25 / 750) / 0.011647^2 = 32,365 s, 44 frames, 9.17 hours.
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
                                        << QStringList{"0.0293" + PerSecond, "0.0116" + PerSecond, "750 s" + AddsFive,
                                                       "44 frames of 750 s, 9.2 hours in all"};
    // An emission nebula keeps its luminance photons, all in the line: S = 0.49914 against the
    // sky's 0.029255, T = 100 (0.49914 + 0.029255 + 2.25 / 750) / 0.49914^2 = 213.3 s.
    const QString most = QStringLiteral(", the most the line can give");
    narrow.EmissionNebula = true;
    QTest::newRow("emission nebula, narrowband, colour")
        << narrow << QStringList{"0.0293" + PerSecond, "0.499" + PerSecond + most, "750 s" + AddsFive, "1 frame of 750 s, 13 min in all"};
    narrow.Colour = false;
    QTest::newRow("emission nebula, narrowband, monochrome")
        << narrow << QStringList{"0.0293" + PerSecond, "0.499" + PerSecond + most, "750 s" + AddsFive, "1 frame of 750 s, 13 min in all"};
    // A broad band takes the nebula's lines with the rest: nothing changes.
    CameraSetup broadEmission = Refractor(21.0, 22.0);
    broadEmission.EmissionNebula = true;
    QTest::newRow("emission nebula, luminance") << broadEmission
                                                << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "18 s" + AddsFive,
                                                               "42 frames of 18 s, 13 min in all"};
    // The sub-exposure said up to 100 hours: t = 9.7561 R^2 / 0.029255 is 358,775 s for
    // R = 32.8 (shown 360000 s; T = 32,356 s, one frame) and 363,163 s for R = 33.
    CameraSetup noisy = Refractor(21.0, 22.0);
    noisy.FilterWidthNm = 7;
    noisy.Narrowband = true;
    noisy.ReadNoise = 32.8;
    QTest::newRow("t of 99.7 hours") << noisy
                                     << QStringList{"0.0293" + PerSecond, "0.0116" + PerSecond, "360000 s" + AddsFive,
                                                    "1 frame of 360000 s, 100.0 hours in all"};
    noisy.ReadNoise = 33;
    QTest::newRow("t of 100.9 hours") << noisy
                                      << QStringList{"0.0293" + PerSecond, "0.0116" + PerSecond,
                                                     "over 100 hours: the sky is too faint to bury the read noise",
                                                     "over 100 hours in all"};
    // The total said up to 100 hours: at 25.50, S = 0.019871, T = 354,211 s, 19679 frames of
    // 18 s (98.395 hours); at 25.51, T = 360,749 s.
    QTest::newRow("T of 98.4 hours") << Refractor(21.0, 25.5)
                                     << QStringList{"1.25" + PerSecond, "0.0199" + PerSecond, "18 s" + AddsFive,
                                                    "19679 frames of 18 s, 98.4 hours in all"};
    QTest::newRow("T of 100.2 hours") << Refractor(21.0, 25.51)
                                      << QStringList{"1.25" + PerSecond, "0.0197" + PerSecond, "18 s" + AddsFive,
                                                     "frames of 18 s, over 100 hours in all"};
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
    // Taken from -20 to 35: at -20, S = 3.1494e16 (one frame); at 35, S = 3.1494e-6.
    const QString tooBright = QStringLiteral("\u2014 (too bright to compute)");
    const QString tooFaint = QStringLiteral("\u2014 (too faint to compute)");
    QTest::newRow("object at -20") << Refractor(21.0, -20.0)
                                   << QStringList{"1.25" + PerSecond, "31500000000000000" + PerSecond, "18 s" + AddsFive,
                                                  "1 frame of 18 s, 18 s in all"};
    QTest::newRow("object at -20.01") << Refractor(21.0, -20.01)
                                      << QStringList{"1.25" + PerSecond, tooBright, "18 s" + AddsFive, "\u2014"};
    QTest::newRow("object at -300") << Refractor(21.0, -300.0)
                                    << QStringList{"1.25" + PerSecond, tooBright, "18 s" + AddsFive, "\u2014"};
    QTest::newRow("object at 35") << Refractor(21.0, 35.0)
                                  << QStringList{"1.25" + PerSecond, "0.00000315" + PerSecond, "18 s" + AddsFive,
                                                 "frames of 18 s, over 100 hours in all"};
    QTest::newRow("object at 35.01") << Refractor(21.0, 35.01)
                                     << QStringList{"1.25" + PerSecond, tooFaint, "18 s" + AddsFive, "\u2014"};
    QTest::newRow("object at 79") << Refractor(21.0, 79.0)
                                  << QStringList{"1.25" + PerSecond, tooFaint, "18 s" + AddsFive, "\u2014"};

    // Frames of the user's own length L, the read noise adding sqrt(1 + R^2 / (P L)) - 1.
    // 300 s: T = 100 (0.49914 + 1.2538 + 2.25 / 300) / 0.49914^2 = 706.6 s, 3 frames; 0.2986%.
    CameraSetup own = Refractor(21.0, 22.0);
    own.OwnSubExposure = 300;
    QTest::newRow("your 300 s") << own
                                << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "18 s" + AddsFive,
                                               "42 frames of 18 s, 13 min in all",
                                               "3 frames of 300 s, 15 min in all; read noise adds 0.3%"};
    // 1 s: T = 1606.7 s, 1607 frames; sqrt(1 + 2.25 / 1.2538) - 1 = 67.17%.
    own.OwnSubExposure = 1;
    QTest::newRow("your 1 s") << own
                              << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "18 s" + AddsFive,
                                             "42 frames of 18 s, 13 min in all",
                                             "1607 frames of 1 s, 27 min in all; read noise adds 67%"};
    // 3600 s: 0.0249%.
    own.OwnSubExposure = 3600;
    QTest::newRow("your 3600 s") << own
                                 << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "18 s" + AddsFive,
                                                "42 frames of 18 s, 13 min in all",
                                                "1 frame of 3600 s, 60 min in all; read noise adds under 0.1%"};
    // Without read noise: T = 703.6 s, 12 frames of 60 s.
    own.OwnSubExposure = 60;
    own.ReadNoise = 0;
    QTest::newRow("your 60 s, no read noise")
        << own << QStringList{"1.25" + PerSecond, "0.499" + PerSecond, "no limit: read noise is negligible at any length",
                              "12 min in all, in frames of any length",
                              "12 frames of 60 s, 12 min in all; read noise adds nothing"};
}

void tst_DigitalCamera::figures()
{
    QFETCH(CameraSetup, setup);
    QFETCH(QStringList, texts);
    const CameraTexts t = ComputeCamera(setup);
    QStringList said{QString::fromStdString(t.Sky), QString::fromStdString(t.Object), QString::fromStdString(t.SubExposure),
                     QString::fromStdString(t.Total)};
    if (setup.OwnSubExposure) // the user's own frames have a line of their own
        said << QString::fromStdString(t.OwnTotal);
    else
        QCOMPARE(QString::fromStdString(t.OwnTotal), QString());
    QCOMPARE(said, texts);
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
    // Halves on the decimal value: 0.35 s x 170 is 59.49999999999999 in binary, 9180 s is 2.55
    // hours (2.54999... in binary); every half-tenth from 2.05 to 99.95 hours goes up.
    QTest::newRow("0.35 s x 170 is a minute") << 0.35 * 170 << "1 min";
    QTest::newRow("9180 s") << 9180.0 << "2.6 hours";
    QTest::newRow("below 2.55 hours") << 9179.99 << "2.5 hours";
    for (int tenths = 20; tenths < 1000; ++tenths)
        QTest::addRow("%d.%d5 hours", tenths / 10, tenths % 10)
            << (tenths + 0.5) * 360 << QStringLiteral("%1.%2 hours").arg((tenths + 1) / 10).arg((tenths + 1) % 10);
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
    const auto own = static_cast<int>(CameraBox::OwnSubExposure);
    const QString seconds = QStringLiteral("A number of seconds from 0.001 to 3600.");
    QTest::newRow("your sub-exposure empty") << own << "  " << refused << QString();
    QTest::newRow("your sub-exposure 0.001 s") << own << "0.001 s" << 0.001 << QString();
    QTest::newRow("your sub-exposure 3600s") << own << "3600s" << 3600.0 << QString();
    QTest::newRow("your sub-exposure 0.0009") << own << "0.0009" << refused << seconds;
    QTest::newRow("your sub-exposure 3601") << own << "3601" << refused << seconds;
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

void tst_DigitalCamera::topRows_data()
{
    QTest::addColumn<double>("brightness"); // NaN: none
    QTest::addColumn<QString>("error");
    QTest::addColumn<double>("aperture");
    QTest::addColumn<double>("focalLength");
    QTest::addColumn<QStringList>("rows"); // brightness, job

    const QString job = QStringLiteral("D = 80 mm, f = 480 mm");
    QTest::newRow("a whole brightness keeps its decimal") << 22.0 << QString() << 80.0 << 480.0
                                                           << QStringList{"22.0 mag per square arcsecond", job};
    QTest::newRow("no number") << qQNaN() << QString() << 80.0 << 480.0
                               << QStringList{"\u2014 (the exposure calculator's brightness box holds no number)", job};
    // What the calculator last completed with no longer stands once it stops at an error.
    QTest::newRow("the calculator stopped") << 79.0 << "Floating point overflow" << 203.2 << 1280.0
                                            << QStringList{"\u2014 (the exposure calculator stopped at an error: "
                                                           "Floating point overflow)",
                                                           "D = 203.2 mm, f = 1280 mm"};
}

void tst_DigitalCamera::topRows()
{
    QFETCH(double, brightness);
    QFETCH(QString, error);
    QFETCH(double, aperture);
    QFETCH(double, focalLength);
    QFETCH(QStringList, rows);
    const std::optional<double> given = qIsNaN(brightness) ? std::nullopt : std::optional<double>(brightness);
    QCOMPARE((QStringList{QString::fromStdString(BrightnessText(given, error.toStdString())),
                          QString::fromStdString(JobText({focalLength, aperture, {}}))}),
             rows);
}

void tst_DigitalCamera::totalCaption_data()
{
    QTest::addColumn<double>("wanted"); // NaN: refused
    QTest::addColumn<QString>("caption");

    QTest::newRow("10") << 10.0 << "Total for signal-to-noise 10:";
    QTest::newRow("12.5") << 12.5 << "Total for signal-to-noise 12.5:";
    QTest::newRow("refused") << qQNaN() << "Total for the signal-to-noise wanted:";
}

void tst_DigitalCamera::totalCaption()
{
    QFETCH(double, wanted);
    QFETCH(QString, caption);
    QCOMPARE(QString::fromStdString(TotalCaptionText(qIsNaN(wanted) ? std::nullopt : std::optional<double>(wanted))), caption);
}

void tst_DigitalCamera::emissionNebulae_data()
{
    QTest::addColumn<QString>("entry"); // empty for the Moon and Jupiter, "point" for coordinates
    QTest::addColumn<bool>("emission");

    // By the list's names, so that a catalogue entry misspelt in the camera's list shows: the
    // emission, planetary and supernova-remnant nebulae, and the Horsehead against IC 434.
    const QStringList glowing{"M1, Crab Nebula", "M8, Lagoon Nebula", "M20, Trifid Nebula", "M27, Dumbbell Nebula",
                              "M42, Orion Nebula", "M57, Ring Nebula", "California Nebula (NGC 1499)",
                              "Carina Nebula (NGC 3372)", "Heart Nebula (IC 1805)", "Helix Nebula (NGC 7293)",
                              "Horsehead Nebula (Barnard 33)", "Rosette Nebula (NGC 2237)"};
    QTest::newRow("the Moon and Jupiter") << QString() << false;
    QTest::newRow("a point typed as coordinates") << QStringLiteral("point") << false;
    qsizetype found = 0;
    for (const Showpiece& showpiece : Showpieces()) {
        const QString name = QString::fromStdString(showpiece.Name);
        found += glowing.contains(name);
        QTest::newRow(qPrintable(name)) << QString::fromStdString(showpiece.Entry) << glowing.contains(name);
    }
    QCOMPARE(found, glowing.size());
    // Any other object by its type.
    QTest::newRow("HII, North America Nebula") << "NGC7000" << true;
    QTest::newRow("EmN") << "NGC1715" << true;
    QTest::newRow("PN, Cat's Eye") << "NGC6543" << true;
    QTest::newRow("SNR") << "IC0443" << true;
    QTest::newRow("Cl+N") << "IC0348" << true;
    QTest::newRow("Neb") << "IC0336" << true;
    QTest::newRow("RfN") << "IC0059" << false;
    QTest::newRow("G, Whirlpool") << "NGC5194" << false;
    QTest::newRow("OCl") << "IC0166" << false;
}

void tst_DigitalCamera::emissionNebulae()
{
    QFETCH(QString, entry);
    QFETCH(bool, emission);
    std::optional<SkyTarget> target;
    if (entry == QLatin1String("point")) {
        target = SkyTarget{nullptr, {5.588, -5.39}, "RA", "RA"}; // where M42 is: the place is no type
    } else if (!entry.isEmpty()) {
        const SkyObject* object = TheCatalogue().Find(entry.toStdString());
        QVERIFY(object);
        target = TargetOf(*object);
    }
    QCOMPARE(EmissionTarget(target), emission);
}

QTEST_APPLESS_MAIN(tst_DigitalCamera)

#include "tst_DigitalCamera.moc"
