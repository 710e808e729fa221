#include "numeric/Arithmetic.h"
#include "optics/Telescope.h"

#include <QTest>

Q_DECLARE_METATYPE(std::string)

class tst_Telescope : public QObject
{
    Q_OBJECT

private slots:
    void lengthInMillimetres_data();
    void lengthInMillimetres();
    void lengthText_data();
    void lengthText();
    void noUnitLeavesTheBoxAlone();
    void overflowIsAnError();
};

void tst_Telescope::lengthInMillimetres_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("mm");

    QTest::newRow("mm unchanged") << std::string("1250") << int(Millimetres) << 1250.0;
    QTest::newRow("inches") << std::string("49.21") << int(Inches) << 49.21 * 25.4;
    QTest::newRow("cm") << std::string("203.2") << int(Centimetres) << 2032.0;
    QTest::newRow("only the first word counts") << std::string("8 inches") << int(Inches) << 203.2;
    QTest::newRow("unreadable counts as 0") << std::string("?") << int(Millimetres) << 0.0;
    QTest::newRow("empty counts as 0") << std::string() << int(Inches) << 0.0;
    QTest::newRow("unknown unit is mm") << std::string("12") << -1 << 12.0;
}

void tst_Telescope::lengthInMillimetres()
{
    QFETCH(std::string, text);
    QFETCH(int, unit);
    QFETCH(double, mm);
    QCOMPARE(TelescopeLengthMm(text, unit), mm);
}

void tst_Telescope::lengthText_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<int>("unit");
    QTest::addColumn<std::string>("text");

    QTest::newRow("1250 mm in inches") << 1250.0 << int(Inches) << std::string("49.21");
    QTest::newRow("203 mm in inches") << 203.0 << int(Inches) << std::string("7.99");
    QTest::newRow("2032 mm in cm") << 2032.0 << int(Centimetres) << std::string("203.2");
    QTest::newRow("49.21 in back in mm") << 49.21 * 25.4 << int(Millimetres) << std::string("1250");
    QTest::newRow("halves to even, down") << 1250.5 << int(Millimetres) << std::string("1250");
    QTest::newRow("halves to even, up") << 1251.5 << int(Millimetres) << std::string("1252");
    QTest::newRow("203.2 shown as 203") << 203.2 << int(Millimetres) << std::string("203");
    QTest::newRow("below 1 mm") << 0.5 << int(Millimetres) << std::string("?");
    QTest::newRow("negative") << -50.0 << int(Inches) << std::string("?");
    QTest::newRow("exactly 1 mm") << 1.0 << int(Millimetres) << std::string("1");
    QTest::newRow("cm rounds half away") << 12.5 << int(Centimetres) << std::string("1.3");
}

void tst_Telescope::lengthText()
{
    QFETCH(double, mm);
    QFETCH(int, unit);
    QFETCH(std::string, text);
    QCOMPARE(TelescopeLengthText(mm, unit).value_or("(unchanged)"), text);
}

void tst_Telescope::noUnitLeavesTheBoxAlone()
{
    QVERIFY(!TelescopeLengthText(1250, -1).has_value());
    QCOMPARE(TelescopeLengthText(0, -1).value_or("(unchanged)"), std::string("?"));
}

void tst_Telescope::overflowIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(OverflowError, TelescopeLengthMm("1e308", Inches));
}

QTEST_APPLESS_MAIN(tst_Telescope)
#include "tst_Telescope.moc"
