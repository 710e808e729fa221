#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(std::string)

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void parseReadsTheFirstWord_data();
    void parseReadsTheFirstWord();
    void parseRefusesTextsWithoutANumber_data();
    void parseRefusesTextsWithoutANumber();
    void parseBeyondTheDoubleRangeOverflows_data();
    void parseBeyondTheDoubleRangeOverflows();
    void parseKeepsTheSignOfZero();
    void soleNumber_data();
    void soleNumber();
    void fixedField_data();
    void fixedField();
    void formatFixedDropsLeadingBlanks_data();
    void formatFixedDropsLeadingBlanks();
    void fixedFieldNeverWritesInfOrNaN();
};

void tst_NumberText::parseReadsTheFirstWord_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("brightness item") << std::string("   6.7      Moon, thin crescent") << 6.7;
    QTest::newRow("negative item") << std::string("-10.8      Sun, full disk or partial eclipse (use filter!)") << -10.8;
    QTest::newRow("sun filter") << std::string("1000000 Sun filter, D6.0 (Solar-Skreen)") << 1000000.0;
    QTest::newRow("reciprocity text") << std::string(" 0.8   ...or choose a better estimate from the menu ------------------>") << 0.8;
    QTest::newRow("filter item") << std::string("1.0          #0 (UV)    clear filter") << 1.0;
    QTest::newRow("f/ratio text") << std::string(" 10") << 10.0;
    QTest::newRow("trailing point") << std::string("10.") << 10.0;
    QTest::newRow("trailing point then words") << std::string("10. mm") << 10.0;
    QTest::newRow("exponent") << std::string("1e3") << 1000.0;
    QTest::newRow("capital exponent, negative") << std::string("1E-3") << 0.001;
    QTest::newRow("exponent with plus") << std::string("2.5e+2") << 250.0;
    QTest::newRow("leading point") << std::string(".5") << 0.5;
    QTest::newRow("lone point") << std::string(".") << 0.0;
    QTest::newRow("point after blanks") << std::string("   .") << 0.0;
    QTest::newRow("exponent without mantissa") << std::string("e5") << 0.0;
    QTest::newRow("plus sign") << std::string("+4") << 4.0;
    QTest::newRow("many digits round once") << std::string("0.1000000000000000055511151231257827") << 0.1;
    QTest::newRow("underflow reads as zero") << std::string("1e-400") << 0.0;
    QTest::newRow("far underflow") << std::string("0.0000001e-99999999999999999999") << 0.0;
    QTest::newRow("largest double") << std::string("1.7976931348623157e308") << 1.7976931348623157e308;
    QTest::newRow("subnormal") << std::string("4.9406564584124654e-324") << 4.9406564584124654e-324;
    QTest::newRow("long zero mantissa") << std::string("000000000000000000000000000012.5") << 12.5;
}

void tst_NumberText::parseReadsTheFirstWord()
{
    QFETCH(std::string, text);
    QFETCH(double, expected);
    QCOMPARE(ParseLeadingNumber(text), expected);
}

void tst_NumberText::parseRefusesTextsWithoutANumber_data()
{
    QTest::addColumn<std::string>("text");

    QTest::newRow("initial brightness text") << std::string("Type m\" or choose object from menu ------>");
    QTest::newRow("empty") << std::string();
    QTest::newRow("one blank") << std::string(" ");
    QTest::newRow("blanks only") << std::string("     ");
    QTest::newRow("question mark") << std::string("?");
    QTest::newRow("lone minus") << std::string("-");
    QTest::newRow("lone plus after blanks") << std::string("  +");
    QTest::newRow("comma") << std::string("1,5");
    QTest::newRow("second point") << std::string("6.7.2");
    QTest::newRow("tab belongs to the word") << std::string("3.4\tMoon");
    QTest::newRow("leading tab") << std::string("\t3.4");
    QTest::newRow("exponent without digits") << std::string("1e");
    QTest::newRow("exponent sign without digits") << std::string("1e+");
    QTest::newRow("letters after digits") << std::string("f/10");
    QTest::newRow("unit stuck to number") << std::string("8in");
    QTest::newRow("hex") << std::string("0x10");
    QTest::newRow("inf") << std::string("inf");
    QTest::newRow("nan") << std::string("nan");
    QTest::newRow("two signs") << std::string("+-1");
    QTest::newRow("degree sign") << std::string("3\xc2\xb0");
}

void tst_NumberText::parseRefusesTextsWithoutANumber()
{
    QFETCH(std::string, text);
    QVERIFY_THROWS_EXCEPTION(ConversionError, ParseLeadingNumber(text));
    try {
        ParseLeadingNumber(text);
    } catch (const ConversionError& error) {
        QCOMPARE(error.what(), "Invalid conversion of string to number");
    }
}

void tst_NumberText::parseBeyondTheDoubleRangeOverflows_data()
{
    QTest::addColumn<std::string>("text");

    QTest::newRow("typed 1e400") << std::string("1e400");
    QTest::newRow("negative") << std::string("-1e400");
    QTest::newRow("just above the largest double") << std::string("1.8e308");
    QTest::newRow("four hundred digits") << std::string(400, '9');
    QTest::newRow("huge exponent") << std::string("1e99999999999999999999999");
}

void tst_NumberText::parseBeyondTheDoubleRangeOverflows()
{
    QFETCH(std::string, text);
    // An overflow, not a ConversionError: no window catches it, so the error box says so.
    try {
        const double value = ParseLeadingNumber(text);
        QFAIL(qPrintable(QStringLiteral("read as %1").arg(value)));
    } catch (const OverflowError& error) {
        QCOMPARE(error.what(), "Floating point overflow");
    }
}

void tst_NumberText::parseKeepsTheSignOfZero()
{
    QVERIFY(std::signbit(ParseLeadingNumber("-.")));
    QVERIFY(!std::signbit(ParseLeadingNumber("0")));
}

void tst_NumberText::soleNumber_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<bool>("read");
    QTest::addColumn<double>("expected");

    QTest::newRow("blanks around") << std::string("  6248  ") << true << 6248.0;
    QTest::newRow("the reader's own forms") << std::string("3.") << true << 3.0;
    QTest::newRow("exponent") << std::string("-1.5e2") << true << -150.0;
    QTest::newRow("blank as a thousands separator") << std::string("6 248") << false << 0.0;
    QTest::newRow("a word after it") << std::string("3.76 micrometres") << false << 0.0;
    QTest::newRow("comma") << std::string("3,76") << false << 0.0;
    QTest::newRow("blanks only") << std::string("   ") << false << 0.0;
    QTest::newRow("empty") << std::string() << false << 0.0;
}

void tst_NumberText::soleNumber()
{
    QFETCH(std::string, text);
    QFETCH(bool, read);
    QFETCH(double, expected);
    if (read)
        QCOMPARE(ParseSoleNumber(text), expected);
    else
        QVERIFY_THROWS_EXCEPTION(ConversionError, ParseSoleNumber(text));
}

void tst_NumberText::fixedField_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("pads to width") << 5 << 0 << 12.0 << std::string("   12");
    QTest::newRow("one decimal") << 5 << 1 << 1.6 << std::string("  1.6");
    QTest::newRow("half away, no decimals") << 15 << 0 << 2.5 << std::string("              3");
    QTest::newRow("exact tie 0.125") << 4 << 2 << 0.125 << std::string("0.13");
    QTest::newRow("1.005 lies below the tie") << 0 << 2 << 1.005 << std::string("1.00");
    QTest::newRow("carry adds a digit") << 0 << 1 << 9.96 << std::string("10.0");
    QTest::newRow("negative tie away from zero") << 0 << 0 << -2.5 << std::string("-3");
    QTest::newRow("3.5 to 4") << 0 << 0 << 3.5 << std::string("4");
    QTest::newRow("sign before rounding") << 0 << 1 << -0.04 << std::string("-0.0");
    QTest::newRow("seconds prefix") << 8 << 3 << 0.0035969 << std::string("   0.004");
    QTest::newRow("seconds tie 0.0005") << 8 << 3 << 0.0005 << std::string("   0.001");
    QTest::newRow("minus one") << 8 << 3 << -1.0 << std::string("  -1.000");
    QTest::newRow("zero") << 8 << 3 << 0.0 << std::string("   0.000");
    QTest::newRow("never cut") << 2 << 2 << 1234.5 << std::string("1234.50");
    // 123456789012345683968 exactly: cut to 18 digits (rounded up by the 9 after them), then zeros.
    QTest::newRow("18 digits, then zeros") << 0 << 0 << 123456789012345678901.0 << std::string("123456789012345684000");
    // The double below 0.0045 becomes the tie itself at 18 digits from the units digit.
    QTest::newRow("tie made at 18 digits") << 8 << 3 << 0.0045 << std::string("   0.005");
    // 0.1000000000000000055511...: 18 digits from the units digit end in ...01, then zeros.
    QTest::newRow("below 1 counts from units") << 0 << 20 << 0.1 << std::string("0.10000000000000001000");
    QTest::newRow("largest fixed") << 0 << 0 << 9.99e35 << std::string("998999999999999954000000000000000000");
    QTest::newRow("scientific 1e36") << 15 << 1 << 1e36 << std::string(" 1.000000E+0036");
    QTest::newRow("scientific 1e40 width 15") << 15 << 1 << 1e40 << std::string(" 1.000000E+0040");
    QTest::newRow("scientific negative width 8") << 8 << 1 << -1e40 << std::string("-1.0E+0040");
    // 1.25e100 is stored as 1.24999999999999997...e100: judged on those digits, not on "1.25".
    QTest::newRow("scientific judged on the expansion") << 10 << 0 << 1.25e100 << std::string(" 1.2E+0100");
    QTest::newRow("scientific carry") << 10 << 0 << 9.96e50 << std::string(" 1.0E+0051");
    QTest::newRow("scientific 18 digits at most") << 40 << 0 << std::ldexp(1.0, 1000)
                                                 << std::string(14, ' ') + " 1.07150860718626732E+0301";
    QTest::newRow("width above 255") << 300 << 0 << 1.0 << std::string(254, ' ') + "1";
}

void tst_NumberText::fixedField()
{
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(std::string, expected);
    QCOMPARE(FixedField(width, decimals, value), expected);
    // The number the text states, where it is fixed and carries at most 15 decimals.
    if (expected.find('E') == std::string::npos && decimals <= 15)
        QCOMPARE(FixedValue(decimals, value), std::stod(expected));
}

void tst_NumberText::formatFixedDropsLeadingBlanks_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("8 with one decimal") << 15 << 1 << 8.0 << std::string("8.0");
    QTest::newRow("0.125 with two") << 15 << 2 << 0.125 << std::string("0.13");
    QTest::newRow("pi with two") << 8 << 2 << 3.14159 << std::string("3.14");
    QTest::newRow("2.5 whole") << 15 << 0 << 2.5 << std::string("3");
    QTest::newRow("3.5 whole") << 15 << 0 << 3.5 << std::string("4");
    QTest::newRow("-2.5 whole") << 15 << 0 << -2.5 << std::string("-3");
    QTest::newRow("-0.04") << 15 << 1 << -0.04 << std::string("-0.0");
    QTest::newRow("1e40") << 15 << 1 << 1e40 << std::string("1.000000E+0040");
    QTest::newRow("-1e40 narrow") << 8 << 1 << -1e40 << std::string("-1.0E+0040");
}

void tst_NumberText::formatFixedDropsLeadingBlanks()
{
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(std::string, expected);
    QCOMPARE(FormatFixed(width, decimals, value), expected);
}

void tst_NumberText::fixedFieldNeverWritesInfOrNaN()
{
    QVERIFY_THROWS_EXCEPTION(OverflowError, FixedField(15, 1, HUGE_VAL));
    QVERIFY_THROWS_EXCEPTION(InvalidOperationError, FixedField(15, 1, std::nan("")));
}

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
