#include "exposure/ExposureModel.h"
#include "exposure/ExposurePresets.h"
#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

#include <QTest>

#include <cfloat>
#include <cmath>

Q_DECLARE_METATYPE(std::string)

namespace {

//! The seconds a caption's words state, read as a user reads them: "1/250" s, "12" m, " 2.1" h;
//! none for a limit text.
double StatedSeconds(const std::string& number, const std::string& unit)
{
    if (unit.empty())
        return 0;
    const QString text = QString::fromStdString(number).trimmed();
    const double value = text.contains(QLatin1Char('/')) ? 1 / text.section(QLatin1Char('/'), 1).toDouble() : text.toDouble();
    return value * (unit == "h" ? 3600 : unit == "m" ? 60 : 1);
}

} // namespace

class tst_ExposureModel : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void invalidInputs_data();
    void invalidInputs();
    void brightnessMinus20IsValid();
    void fRatioEntersSquared();
    void reciprocityExponent();
    void exposureText_data();
    void exposureText();
    void everyTableLimitBelongsToTheLongerRow_data();
    void everyTableLimitBelongsToTheLongerRow();
    void caption_data();
    void caption();
    void absurdBrightnessIsAnArithmeticError_data();
    void absurdBrightnessIsAnArithmeticError();
    void noInputGivesInfOrNaN();
    void presetListsReadAsTheirLeadingNumber();
};

void tst_ExposureModel::workedExamples_data()
{
    QTest::addColumn<double>("brightness");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("filter");
    QTest::addColumn<double>("fRatio");
    QTest::addColumn<double>("reciprocity");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<std::string>("number");
    QTest::addColumn<std::string>("unit");

    QTest::newRow("full Moon") << 3.4 << 200.0 << 1.0 << 10.0 << 0.8 << 0.0035969 << std::string("1/250") << std::string("s");
    QTest::newRow("thin crescent") << 6.7 << 200.0 << 1.0 << 10.0 << 0.8 << 0.075690 << std::string("1/15") << std::string("s");
    QTest::newRow("comet on CCD") << 17.0 << 1600.0 << 1.0 << 2.8 << 1.0 << 7.7688 << std::string("    8") << std::string("s");
    QTest::newRow("earthshine") << 13.5 << 200.0 << 1.0 << 8.0 << 0.8 << 44.476 << std::string("   45") << std::string("s");
    QTest::newRow("bright nebula") << 16.5 << 200.0 << 1.0 << 6.3 << 0.8 << 748.85 << std::string("   12") << std::string("m");
    QTest::newRow("faint nebula") << 20.0 << 400.0 << 1.0 << 4.0 << 0.8 << 5666.4 << std::string("  1.6") << std::string("h");
    QTest::newRow("galaxy outskirts") << 21.0 << 200.0 << 1.0 << 5.6 << 0.8 << 98748.0 << std::string("Excessively long") << std::string();
    QTest::newRow("Sun through D5 filter") << -10.8 << 100.0 << 100000.0 << 8.0 << 1.0 << 0.00076876 << std::string("1/1000") << std::string("s");
    QTest::newRow("reciprocity 0") << 3.4 << 200.0 << 1.0 << 10.0 << 0.0 << -1.0 << std::string("???") << std::string();
    QTest::newRow("f/0") << 3.4 << 200.0 << 1.0 << 0.0 << 0.8 << 0.0 << std::string("???") << std::string();
}

void tst_ExposureModel::workedExamples()
{
    QFETCH(double, brightness);
    QFETCH(double, speed);
    QFETCH(double, filter);
    QFETCH(double, fRatio);
    QFETCH(double, reciprocity);
    QFETCH(double, seconds);
    QFETCH(std::string, number);
    QFETCH(std::string, unit);

    const double t = ExposureTime(brightness, speed, filter, fRatio, reciprocity);
    // The examples give five significant digits.
    QVERIFY2(std::fabs(t - seconds) <= 5e-5 * std::fabs(seconds), qPrintable(QString::number(t, 'g', 10)));
    const ExposureWords words = ExposureText(t);
    QCOMPARE(words.Number, number);
    QCOMPARE(words.Unit, unit);
}

void tst_ExposureModel::invalidInputs_data()
{
    QTest::addColumn<double>("brightness");
    QTest::addColumn<double>("speed");
    QTest::addColumn<double>("filter");
    QTest::addColumn<double>("reciprocity");

    QTest::newRow("brightness below -20") << -20.01 << 200.0 << 1.0 << 0.8;
    QTest::newRow("speed 0") << 3.4 << 0.0 << 1.0 << 0.8;
    QTest::newRow("negative speed") << 3.4 << -200.0 << 1.0 << 0.8;
    QTest::newRow("filter 0") << 3.4 << 200.0 << 0.0 << 0.8;
    QTest::newRow("negative filter") << 3.4 << 200.0 << -2.0 << 0.8;
    QTest::newRow("reciprocity 0") << 3.4 << 200.0 << 1.0 << 0.0;
    QTest::newRow("negative reciprocity") << 3.4 << 200.0 << 1.0 << -0.8;
    QTest::newRow("NaN brightness") << std::nan("") << 200.0 << 1.0 << 0.8;
}

void tst_ExposureModel::invalidInputs()
{
    QFETCH(double, brightness);
    QFETCH(double, speed);
    QFETCH(double, filter);
    QFETCH(double, reciprocity);
    QCOMPARE(ExposureTime(brightness, speed, filter, 10, reciprocity), -1.0);
}

void tst_ExposureModel::brightnessMinus20IsValid()
{
    const double t = ExposureTime(-20, 100, 1, 8, 1);
    QVERIFY(t > 0);
    QCOMPARE(ExposureText(t).Number, std::string("Excessively short"));
}

void tst_ExposureModel::fRatioEntersSquared()
{
    QCOMPARE(ExposureTime(3.4, 200, 1, -10, 0.8), ExposureTime(3.4, 200, 1, 10, 0.8));
    QCOMPARE(ExposureTime(3.4, 200, 1, 0, 0.8), 0.0);
}

void tst_ExposureModel::reciprocityExponent()
{
    // p = 1 leaves N^2 / (S B / F) as it is; p above 1 shortens, below 1 lengthens.
    const double plain = 100.0 / (200.0 * Power(2.512, 9 - 13.5));
    QVERIFY(std::fabs(ExposureTime(13.5, 200, 1, 10, 1.0) - plain) <= 1e-12 * plain);
    QVERIFY(ExposureTime(13.5, 200, 1, 10, 1.2) < plain);
    QVERIFY(ExposureTime(13.5, 200, 1, 10, 0.8) > plain);
}

void tst_ExposureModel::exposureText_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<std::string>("number");
    QTest::addColumn<std::string>("unit");

    QTest::newRow("zero") << 0.0 << std::string("???") << std::string();
    QTest::newRow("invalid") << -1.0 << std::string("???") << std::string();
    QTest::newRow("unreadable marker") << UnreadableInputMarker << std::string("???") << std::string();
    QTest::newRow("excessively short") << 0.00004 << std::string("Excessively short") << std::string();
    QTest::newRow("1/8000") << 0.0001 << std::string("1/8000") << std::string("s");
    QTest::newRow("1/2") << 0.5 << std::string("1/2") << std::string("s");
    QTest::newRow("0.75 rounds to 1") << 0.75 << std::string("    1") << std::string("s");
    QTest::newRow("14.6 rounds to 15 s") << 14.6 << std::string("   15") << std::string("s");
    QTest::newRow("15 takes the 5-second steps") << 15.0 << std::string("   15") << std::string("s");
    QTest::newRow("22.5 rounds half to even") << 22.5 << std::string("   20") << std::string("s");
    QTest::newRow("2.5 s to even") << 2.5 << std::string("    2") << std::string("s");
    QTest::newRow("3.5 s to even") << 3.5 << std::string("    4") << std::string("s");
    QTest::newRow("60 is a minute") << 60.0 << std::string("    1") << std::string("m");
    QTest::newRow("900 takes the 5-minute steps") << 900.0 << std::string("   15") << std::string("m");
    QTest::newRow("3599 is 60 minutes") << 3599.0 << std::string("   60") << std::string("m");
    QTest::newRow("3600 is an hour") << 3600.0 << std::string("  1.0") << std::string("h");
    QTest::newRow("hours half away from zero") << 4500.0 << std::string("  1.3") << std::string("h");
    QTest::newRow("just under four hours") << 14399.0 << std::string("  4.0") << std::string("h");
    QTest::newRow("14400 is too long") << 14400.0 << std::string("Excessively long") << std::string();
}

void tst_ExposureModel::exposureText()
{
    QFETCH(double, seconds);
    QFETCH(std::string, number);
    QFETCH(std::string, unit);
    const ExposureWords words = ExposureText(seconds);
    QCOMPARE(words.Number, number);
    QCOMPARE(words.Unit, unit);
    // The seconds handed on beside the words are those the words state.
    QCOMPARE(words.Seconds, StatedSeconds(number, unit));
}

void tst_ExposureModel::everyTableLimitBelongsToTheLongerRow_data()
{
    QTest::addColumn<double>("denominator");
    QTest::addColumn<std::string>("below");
    QTest::addColumn<std::string>("at");

    // The limits as the table of standard speeds gives them, each exactly 1 / the number
    // written, and the speeds on either side: written out here, not read from the table.
    QTest::newRow("1/20000") << 20000.0 << std::string("Excessively short") << std::string("1/8000");
    QTest::newRow("1/5657") << 5657.0 << std::string("1/8000") << std::string("1/4000");
    QTest::newRow("1/2828") << 2828.0 << std::string("1/4000") << std::string("1/2000");
    QTest::newRow("1/1414") << 1414.0 << std::string("1/2000") << std::string("1/1000");
    QTest::newRow("1/707.1") << 707.1 << std::string("1/1000") << std::string("1/500");
    QTest::newRow("1/353.6") << 353.6 << std::string("1/500") << std::string("1/250");
    QTest::newRow("1/176.8") << 176.8 << std::string("1/250") << std::string("1/125");
    QTest::newRow("1/86.61") << 86.61 << std::string("1/125") << std::string("1/60");
    QTest::newRow("1/42.43") << 42.43 << std::string("1/60") << std::string("1/30");
    QTest::newRow("1/21.21") << 21.21 << std::string("1/30") << std::string("1/15");
    QTest::newRow("1/10.95") << 10.95 << std::string("1/15") << std::string("1/8");
    QTest::newRow("1/5.657") << 5.657 << std::string("1/8") << std::string("1/4");
    QTest::newRow("1/2.828") << 2.828 << std::string("1/4") << std::string("1/2");
    QTest::newRow("1/1.414") << 1.414 << std::string("1/2") << std::string("    1");
}

void tst_ExposureModel::everyTableLimitBelongsToTheLongerRow()
{
    QFETCH(double, denominator);
    QFETCH(std::string, below);
    QFETCH(std::string, at);
    // A time equal to a limit is not below it, so it takes the next, longer row.
    const double limit = 1.0 / denominator;
    QCOMPARE(ExposureText(std::nextafter(limit, 0.0)).Number, below);
    QCOMPARE(ExposureText(limit).Number, at);
}

void tst_ExposureModel::caption_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<std::string>("caption");

    QTest::newRow("unreadable input") << UnreadableInputMarker << std::string("??? ");
    QTest::newRow("invalid input") << -1.0 << std::string("  -1.000 s   = ??? ");
    QTest::newRow("f/0") << 0.0 << std::string("   0.000 s   = ??? ");
    QTest::newRow("shutter speed") << 0.0035969 << std::string("   0.004 s   = 1/250 s");
    QTest::newRow("excessively short") << 1e-8 << std::string("   0.000 s   = Excessively short ");
    QTest::newRow("0.75 keeps its field") << 0.75 << std::string("   0.750 s   =     1 s");
    QTest::newRow("seconds tie away from zero") << 0.0625 << std::string("   0.063 s   = 1/15 s");
    QTest::newRow("one second has no prefix") << 1.0 << std::string("    1 s");
    QTest::newRow("minutes") << 748.85 << std::string("   12 m");
    QTest::newRow("excessively long") << 98748.0 << std::string("Excessively long ");
    QTest::newRow("just inside the prefix range") << -99999.0 << std::string("-99999.000 s   = ??? ");
    QTest::newRow("the prefix range is strict") << -100000.0 << std::string("??? ");
}

void tst_ExposureModel::caption()
{
    QFETCH(double, seconds);
    QFETCH(std::string, caption);
    QCOMPARE(ExposureCaption(seconds), caption);
}

void tst_ExposureModel::absurdBrightnessIsAnArithmeticError_data()
{
    QTest::addColumn<double>("brightness");
    QTest::addColumn<double>("fRatio");
    QTest::addColumn<QString>("message");

    QTest::newRow("800 overflows") << 800.0 << 10.0 << "Floating point overflow";
    QTest::newRow("1000 underflows B to 0") << 1000.0 << 10.0 << "Floating point division by zero";
    QTest::newRow("1000 at f/0 is 0/0") << 1000.0 << 0.0 << "Invalid floating point operation";
    QTest::newRow("largest double") << DBL_MAX << 10.0 << "Floating point division by zero";
}

void tst_ExposureModel::absurdBrightnessIsAnArithmeticError()
{
    QFETCH(double, brightness);
    QFETCH(double, fRatio);
    QFETCH(QString, message);
    try {
        const double t = ExposureTime(brightness, 200, 1, fRatio, 0.8);
        QFAIL(qPrintable(QStringLiteral("returned %1").arg(t)));
    } catch (const ArithmeticError& error) {
        QCOMPARE(QString::fromLatin1(error.what()), message);
    }
}

void tst_ExposureModel::noInputGivesInfOrNaN()
{
    // Every combination of extreme inputs either gives a finite time or throws an
    // ArithmeticError; the caption of a finite time is always written.
    const double extremes[] = {-DBL_MAX, -20, -1, 0, DBL_TRUE_MIN, 1e-300, 0.8, 400, 1e300, DBL_MAX};
    int finite = 0;
    for (const double m : extremes)
        for (const double s : extremes)
            for (const double f : extremes)
                for (const double n : extremes)
                    for (const double p : {DBL_TRUE_MIN, 1e-300, 0.8, 1.0, 1e300}) {
                        try {
                            const double t = ExposureTime(m, s, f, n, p);
                            QVERIFY(std::isfinite(t));
                            QVERIFY(!ExposureCaption(t).empty());
                            ++finite;
                        } catch (const ArithmeticError&) {
                        }
                    }
    QVERIFY(finite > 0);
}

void tst_ExposureModel::presetListsReadAsTheirLeadingNumber()
{
    QCOMPARE(BrightnessPresets.size(), 42u);
    QCOMPARE(SpeedPresets.size(), 11u);
    QCOMPARE(ReciprocityPresets.size(), 7u);
    QCOMPARE(FilterFactorPresets.size(), 50u);
    QCOMPARE(FRatioPresets.size(), 23u);
    QCOMPARE(BrightnessInitialText.size(), 73u);

    // Every item is a separator or begins with a positive number (the brightnesses may be
    // negative), which the calculator reads before the description.
    for (const auto* list : {&BrightnessPresets, &SpeedPresets, &ReciprocityPresets, &FilterFactorPresets, &FRatioPresets}) {
        for (const std::string& item : *list) {
            if (item.find_first_not_of(' ') == std::string::npos) {
                QVERIFY_THROWS_EXCEPTION(ConversionError, ParseLeadingNumber(item));
                continue;
            }
            const double value = ParseLeadingNumber(item);
            QVERIFY2(list == &BrightnessPresets || value > 0, item.c_str());
        }
    }
    QCOMPARE(ParseLeadingNumber(BrightnessPresets[7]), 3.4);
    QCOMPARE(ParseLeadingNumber(FilterFactorPresets[47]), 1000000.0);
    QVERIFY_THROWS_EXCEPTION(ConversionError, ParseLeadingNumber(BrightnessInitialText));
}

QTEST_APPLESS_MAIN(tst_ExposureModel)
#include "tst_ExposureModel.moc"
