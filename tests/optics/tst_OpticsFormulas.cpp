#include "numeric/Arithmetic.h"
#include "optics/Configurations.h"
#include "optics/OpticalJob.h"
#include "optics/OpticalResults.h"

#include <QTest>


Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(ConfigurationKind)

using Texts = std::vector<std::string>;

namespace {

constexpr const char* Sc10 = "8-inch f/10 Schmidt-Cassegrain\r\n";

// A job as the telescope window leaves it: focal length, aperture and the preset's line.
TOpticalJob TelescopeJob(double focalLength, const std::string& line = std::string())
{
    TOpticalJob job;
    job.TelescopeFocalLengthMm = focalLength;
    job.ApertureMm = 203;
    job.TelescopeLine = line;
    job.EffectiveFocalLengthMm = -1; // what an earlier job left
    job.ConfigurationText = "earlier job";
    return job;
}

} // namespace

class tst_OpticsFormulas : public QObject
{
    Q_OBJECT

private slots:
    void configurations_data();
    void configurations();
    void refusals_data();
    void refusals();
    void angleDecimals_data();
    void angleDecimals();
    void wholeMillimetreText_data();
    void wholeMillimetreText();
    void results_data();
    void results();
    void errorEndsTheResultsAtItsStep_data();
    void errorEndsTheResultsAtItsStep();
};

void tst_OpticsFormulas::configurations_data()
{
    QTest::addColumn<ConfigurationKind>("kind");
    QTest::addColumn<Texts>("boxes");
    QTest::addColumn<double>("telescopeFocalLength");
    QTest::addColumn<std::string>("telescopeLine");
    QTest::addColumn<double>("effectiveFocalLength");
    QTest::addColumn<std::string>("text");

    using K = ConfigurationKind;
    // The worked examples, with the boxes' initial texts.
    QTest::newRow("teleconverter 2") << K::Teleconverter << Texts{"2"} << 2032.0 << std::string(Sc10) << 4064.0
                                     << std::string("8-inch f/10 Schmidt-Cassegrain\r\nNegative projection with\r\nx2.0 teleconverter");
    QTest::newRow("compression 0.63") << K::Compression << Texts{"0.63"} << 1250.0 << std::string("Meade ETX-90\r\n")
                                      << 787.5 << std::string("Meade ETX-90\r\nCompression x0.63");
    QTest::newRow("afocal 50 and 18") << K::Afocal << Texts{"18", "50"} << 1250.0 << std::string() << 1250.0 * (50.0 / 18)
                                      << std::string("Afocal with\r\n50-mm lens, 18-mm eyepiece");
    QTest::newRow("Barlow -75 at 120") << K::BarlowLens << Texts{"-75", "120"} << 2032.0 << std::string() << 5283.2
                                       << std::string("Neg. projection with Barlow lens,\r\nf.l.-75.0, 120.0 mm from film");
    QTest::newRow("eyepiece 18 at 120") << K::EyepieceProjection << Texts{"18", "120"} << 2032.0 << std::string()
                                        << 2032.0 * (102.0 / 18)
                                        << std::string("Projection with 18.0-mm eyepiece\r\n120.0 mm from film");
    // Further edges.
    QTest::newRow("Barlow: only the sizes count") << K::BarlowLens << Texts{"75", "-120"} << 2032.0 << std::string()
                                                  << 5283.2
                                                  << std::string("Neg. projection with Barlow lens,\r\nf.l.-75.0, 120.0 mm from film");
    QTest::newRow("eyepiece closer than its focal length") << K::EyepieceProjection << Texts{"18", "-12"} << 1000.0
                                                           << std::string() << 1000.0 * (-30.0 / 18)
                                                           << std::string("Projection with 18.0-mm eyepiece\r\n12.0 mm from film");
    QTest::newRow("eyepiece keeps its sign") << K::EyepieceProjection << Texts{"-20", "100"} << 1000.0 << std::string()
                                             << -6000.0 << std::string("Projection with -20.0-mm eyepiece\r\n100.0 mm from film");
    QTest::newRow("teleconverter 1 is prime focus") << K::Teleconverter << Texts{"1 x"} << 2032.0 << std::string() << 2032.0
                                                    << std::string("Negative projection with\r\nx1.0 teleconverter");
    QTest::newRow("negative compression passes") << K::Compression << Texts{"-0.5"} << 1000.0 << std::string() << -500.0
                                                 << std::string("Compression x-0.50");
    QTest::newRow("afocal rounds the lengths to whole mm") << K::Afocal << Texts{"12.5", "35.5"} << 1000.0 << std::string()
                                                           << 2840.0 << std::string("Afocal with\r\n36-mm lens, 13-mm eyepiece");
}

void tst_OpticsFormulas::configurations()
{
    QFETCH(ConfigurationKind, kind);
    QFETCH(Texts, boxes);
    QFETCH(double, telescopeFocalLength);
    QFETCH(std::string, telescopeLine);
    QFETCH(double, effectiveFocalLength);
    QFETCH(std::string, text);
    TOpticalJob job = TelescopeJob(telescopeFocalLength, telescopeLine);
    QVERIFY(CompleteOpticalJob(kind, boxes, job));
    QCOMPARE(job.EffectiveFocalLengthMm, effectiveFocalLength);
    QCOMPARE(job.ConfigurationText, text);
    QCOMPARE(job.TelescopeFocalLengthMm, telescopeFocalLength);
    QCOMPARE(job.ApertureMm, 203.0);
}

void tst_OpticsFormulas::refusals_data()
{
    QTest::addColumn<ConfigurationKind>("kind");
    QTest::addColumn<Texts>("boxes");
    QTest::addColumn<double>("telescopeFocalLength"); // what the job holds afterwards

    using K = ConfigurationKind;
    QTest::newRow("teleconverter 0") << K::Teleconverter << Texts{"0"} << 2032.0;
    QTest::newRow("teleconverter empty") << K::Teleconverter << Texts{""} << 2032.0;
    QTest::newRow("compression unreadable") << K::Compression << Texts{"x0.63"} << 2032.0;
    QTest::newRow("afocal eyepiece unreadable") << K::Afocal << Texts{"?", "50"} << 2032.0;
    QTest::newRow("afocal camera lens unreadable") << K::Afocal << Texts{"18", ""} << 2032.0;
    QTest::newRow("afocal eyepiece 0") << K::Afocal << Texts{"0", "50"} << 2032.0;
    QTest::newRow("Barlow 0") << K::BarlowLens << Texts{"-0", "120"} << 2032.0;
    QTest::newRow("Barlow distance unreadable") << K::BarlowLens << Texts{"-75", "far"} << 2032.0;
    QTest::newRow("eyepiece 0") << K::EyepieceProjection << Texts{"0.0", "120"} << 2032.0;
    QTest::newRow("eyepiece distance empty") << K::EyepieceProjection << Texts{"18", " "} << 2032.0;
    // The camera lens's focal length is stored before the f-ratio is checked...
    QTest::newRow("camera f-ratio 0") << K::CameraLens << Texts{"50", "0"} << 50.0;
    QTest::newRow("camera f-ratio missing") << K::CameraLens << Texts{"135", ""} << 135.0;
    // ... unless it cannot be read, or is 0.
    QTest::newRow("camera focal length unreadable") << K::CameraLens << Texts{"?", "2"} << 2032.0;
    QTest::newRow("camera focal length 0") << K::CameraLens << Texts{"0", "2"} << 2032.0;
}

void tst_OpticsFormulas::refusals()
{
    QFETCH(ConfigurationKind, kind);
    QFETCH(Texts, boxes);
    QFETCH(double, telescopeFocalLength);
    TOpticalJob job = TelescopeJob(2032, Sc10);
    QVERIFY(!CompleteOpticalJob(kind, boxes, job));
    QCOMPARE(job.TelescopeFocalLengthMm, telescopeFocalLength);
    QCOMPARE(job.EffectiveFocalLengthMm, -1.0);
    QCOMPARE(job.ApertureMm, 203.0);
    QCOMPARE(job.ConfigurationText, std::string("earlier job"));
    QVERIFY(QByteArray(RefusalMessage(kind)).startsWith("You must "));
}

void tst_OpticsFormulas::angleDecimals_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<std::string>("text");

    QTest::newRow("exactly 30 has one decimal") << 30.0 << std::string("30.0\u00B0");
    QTest::newRow("30.01 has none") << 30.01 << std::string("30\u00B0");
    QTest::newRow("exactly 3 has two") << 3.0 << std::string("3.00\u00B0");
    QTest::newRow("3.01 has one") << 3.01 << std::string("3.0\u00B0");
    QTest::newRow("29.96 rounds up to 30.0") << 29.96 << std::string("30.0\u00B0");
    QTest::newRow("negative has two") << -40.0 << std::string("-40.00\u00B0");
}

void tst_OpticsFormulas::angleDecimals()
{
    QFETCH(double, degrees);
    QFETCH(std::string, text);
    QCOMPARE(DegreesText(degrees), text);
}

void tst_OpticsFormulas::wholeMillimetreText_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<std::string>("text");

    QTest::newRow("202.5 down to even") << 202.5 << std::string("202");
    QTest::newRow("203.5 up to even") << 203.5 << std::string("204");
    QTest::newRow("27.78") << 27.78 << std::string("28");
    QTest::newRow("negative") << -11514.67 << std::string("-11515");
    QTest::newRow("negative half to even") << -2.5 << std::string("-2");
    QTest::newRow("rounds to 0, no minus") << -0.4 << std::string("0");
    QTest::newRow("minus zero") << -0.0 << std::string("0");
    QTest::newRow("lowest 64-bit value") << -9223372036854775808.0 << std::string("-9223372036854775808");
    QTest::newRow("beyond 15 digits") << 1e18 << std::string("1000000000000000000");
}

void tst_OpticsFormulas::wholeMillimetreText()
{
    QFETCH(double, mm);
    QFETCH(std::string, text);
    QCOMPARE(WholeMillimetreText(mm), text);
    // One step past the 64-bit range either way is an invalid operation.
    QVERIFY_THROWS_EXCEPTION(InvalidOperationError, WholeMillimetreText(9223372036854775808.0));
    QVERIFY_THROWS_EXCEPTION(InvalidOperationError, WholeMillimetreText(-9223372036854777856.0));
}

void tst_OpticsFormulas::results_data()
{
    QTest::addColumn<double>("aperture");
    QTest::addColumn<double>("focalLength");
    QTest::addColumn<double>("effective");
    QTest::addColumn<QStringList>("rows"); // aperture, f.l., EFL, f/ratio, FOV, FOV20, Moon, Jupiter

    QTest::newRow("200/2000 prime focus") << 200.0 << 2000.0 << 2000.0
        << QStringList{"200 mm", "2000 mm", "2000 mm", "f/10.0", "0.69° x 1.03°", "0.57°", "18.2 mm", "0.30 to 0.49 mm"};
    QTest::newRow("camera lens 50 at f/2") << 25.0 << 50.0 << 50.0
        << QStringList{"25 mm", "50 mm", "50 mm", "f/2.0", "27.0° x 40°", "22.6°", "0.5 mm", "Excessively small"};
    QTest::newRow("EFL 2500") << 203.0 << 2500.0 << 2500.0
        << QStringList{"203 mm", "2500 mm", "2500 mm", "f/12.3", "0.55° x 0.83°", "0.46°",
                       "22.7 mm (too big for 35-mm film)", "0.38 to 0.62 mm"};
    QTest::newRow("EFL exactly 2300") << 100.0 << 2300.0 << 2300.0
        << QStringList{"100 mm", "2300 mm", "2300 mm", "f/23.0", "0.60° x 0.90°", "0.50°", "20.9 mm", "0.35 to 0.57 mm"};
    QTest::newRow("EFL just above 2300") << 100.0 << 2300.0 << 2300.01
        << QStringList{"100 mm", "2300 mm", "2300 mm", "f/23.0", "0.60° x 0.90°", "0.50°",
                       "20.9 mm (too big for 35-mm film)", "0.35 to 0.57 mm"};
    QTest::newRow("EFL exactly 800") << 100.0 << 800.0 << 800.0
        << QStringList{"100 mm", "800 mm", "800 mm", "f/8.0", "1.72° x 2.58°", "1.43°", "7.3 mm", "0.12 to 0.20 mm"};
    QTest::newRow("EFL just below 800") << 100.0 << 800.0 << 799.99
        << QStringList{"100 mm", "800 mm", "800 mm", "f/8.0", "1.72° x 2.58°", "1.43°", "7.3 mm", "Excessively small"};
    QTest::newRow("apertures 202.5 and 203.5") << 202.5 << 203.5 << 203.5
        << QStringList{"202 mm", "204 mm", "204 mm", "f/1.0", "6.7° x 10.1°", "5.6°", "1.9 mm", "Excessively small"};
    QTest::newRow("negative EFL") << 203.0 << 2032.0 << -3386.67
        << QStringList{"203 mm", "2032 mm", "-3387 mm", "f/-16.7", "-0.41° x -0.61°", "-0.34°", "-30.8 mm",
                       "Excessively small"};
}

namespace {

//! A job as prime focus leaves it for the report.
TOpticalJob PrimeFocusJob(double aperture, double focalLength, double effective)
{
    TOpticalJob job;
    job.ApertureMm = aperture;
    job.TelescopeFocalLengthMm = focalLength;
    job.EffectiveFocalLengthMm = effective;
    job.ConfigurationText = "Prime focus";
    return job;
}

} // namespace

void tst_OpticsFormulas::results()
{
    QFETCH(double, aperture);
    QFETCH(double, focalLength);
    QFETCH(double, effective);
    QFETCH(QStringList, rows);
    const TOpticalJob job = PrimeFocusJob(aperture, focalLength, effective);
    OpticalResultTexts texts;
    ComputeOpticalResults(job, texts);
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    QCOMPARE((QStringList{q(texts.Aperture), q(texts.FocalLength), q(texts.EffectiveFocalLength), q(texts.FRatio),
                          q(texts.FieldOfView), q(texts.FieldOfView20), q(texts.MoonImageSize), q(texts.JupiterImageSize)}),
             rows);
    QCOMPARE(texts.Configuration, job.ConfigurationText);
    QCOMPARE("f/" + texts.FRatioNumber, texts.FRatio);
}

void tst_OpticsFormulas::errorEndsTheResultsAtItsStep_data()
{
    QTest::addColumn<double>("aperture");
    QTest::addColumn<double>("focalLength");
    QTest::addColumn<double>("effective");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("rows"); // aperture, f.l., configuration, EFL, f/ratio, FOV, FOV20, Moon, Jupiter

    const QString config = QStringLiteral("Prime focus");
    QTest::newRow("aperture 0") << 0.0 << 2000.0 << 2000.0 << "Floating point division by zero"
                                << QStringList{"0 mm", "2000 mm", config, "2000 mm", "?", "?", "?", "?", "?"};
    QTest::newRow("aperture and EFL 0") << 0.0 << 2000.0 << 0.0 << "Invalid floating point operation"
                                        << QStringList{"0 mm", "2000 mm", config, "0 mm", "?", "?", "?", "?", "?"};
    QTest::newRow("EFL 0") << 203.0 << 2032.0 << 0.0 << "Floating point division by zero"
                           << QStringList{"203 mm", "2032 mm", config, "0 mm", "f/0.0", "?", "?", "?", "?"};
    QTest::newRow("aperture beyond 64 bits") << 1e19 << 2000.0 << 2000.0 << "Invalid floating point operation"
                                             << QStringList{"?", "?", "?", "?", "?", "?", "?", "?", "?"};
    QTest::newRow("EFL beyond 64 bits") << 203.0 << 2032.0 << -1e19 << "Invalid floating point operation"
                                        << QStringList{"203 mm", "2032 mm", config, "?", "?", "?", "?", "?", "?"};
}

void tst_OpticsFormulas::errorEndsTheResultsAtItsStep()
{
    QFETCH(double, aperture);
    QFETCH(double, focalLength);
    QFETCH(double, effective);
    QFETCH(QString, error);
    QFETCH(QStringList, rows);
    const TOpticalJob job = PrimeFocusJob(aperture, focalLength, effective);
    OpticalResultTexts texts;
    QString thrown;
    try {
        ComputeOpticalResults(job, texts);
    } catch (const ArithmeticError& e) {
        thrown = QString::fromUtf8(e.what());
    }
    QCOMPARE(thrown, error);
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    QCOMPARE((QStringList{q(texts.Aperture), q(texts.FocalLength), q(texts.Configuration), q(texts.EffectiveFocalLength),
                          q(texts.FRatio), q(texts.FieldOfView), q(texts.FieldOfView20), q(texts.MoonImageSize),
                          q(texts.JupiterImageSize)}),
             rows);
    QCOMPARE(texts.FRatioNumber.empty(), rows[4] == QLatin1String("?"));
}

QTEST_APPLESS_MAIN(tst_OpticsFormulas)
#include "tst_OpticsFormulas.moc"
