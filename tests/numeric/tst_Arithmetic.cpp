#include "numeric/Arithmetic.h"

#include <QTest>

#include <cfloat>
#include <cmath>

class tst_Arithmetic : public QObject
{
    Q_OBJECT

private slots:
    void power_data();
    void power();
    void powerErrors_data();
    void powerErrors();
    void roundHalfEven_data();
    void roundHalfEven();
    void divideErrors();
    void narrowOverflows();
};

void tst_Arithmetic::power_data()
{
    QTest::addColumn<double>("base");
    QTest::addColumn<double>("exponent");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance"); // relative

    QTest::newRow("any base to the 0") << 2.512 << 0.0 << 1.0 << 0.0;
    QTest::newRow("tiny base to the 0") << 1e-300 << 0.0 << 1.0 << 0.0;
    QTest::newRow("square") << 3.0 << 2.0 << 9.0 << 1e-16;
    QTest::newRow("root") << 2.0 << 0.5 << std::sqrt(2.0) << 1e-16;
    QTest::newRow("five magnitudes are 100 times") << 2.512 << 5.0 << 100.02 << 1e-4;
    QTest::newRow("moon brightness factor") << 2.512 << 5.6 << 173.8 << 1e-3;
    QTest::newRow("underflow is silent zero") << 2.512 << -2000.0 << 0.0 << 0.0;
    QTest::newRow("near the top of the range") << 10.0 << 308.0 << 1e308 << 1e-15;
}

void tst_Arithmetic::power()
{
    QFETCH(double, base);
    QFETCH(double, exponent);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const double result = Power(base, exponent);
    QVERIFY2(std::fabs(result - expected) <= tolerance * std::fabs(expected),
             qPrintable(QString::number(result, 'g', 17)));
}

void tst_Arithmetic::powerErrors_data()
{
    QTest::addColumn<double>("base");
    QTest::addColumn<double>("exponent");
    QTest::addColumn<QString>("message");

    QTest::newRow("base 0 is a division by zero, not 0") << 0.0 << 2.0 << "Floating point division by zero";
    QTest::newRow("base 0 to the 0") << 0.0 << 0.0 << "Floating point division by zero";
    QTest::newRow("negative base") << -2.0 << 2.0 << "Invalid floating point operation";
    QTest::newRow("NaN exponent") << 2.0 << std::nan("") << "Invalid floating point operation";
    QTest::newRow("beyond the double range") << 10.0 << 309.0 << "Floating point overflow";
    QTest::newRow("infinite product") << 10.0 << DBL_MAX << "Floating point overflow";
}

void tst_Arithmetic::powerErrors()
{
    QFETCH(double, base);
    QFETCH(double, exponent);
    QFETCH(QString, message);
    try {
        const double result = Power(base, exponent);
        QFAIL(qPrintable(QStringLiteral("returned %1").arg(result)));
    } catch (const ArithmeticError& error) {
        QCOMPARE(QString::fromLatin1(error.what()), message);
    }
}

void tst_Arithmetic::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 down") << 2.5 << 2.0;
    QTest::newRow("3.5 up") << 3.5 << 4.0;
    QTest::newRow("4.5 down") << 4.5 << 4.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("1250.5") << 1250.5 << 1250.0;
    QTest::newRow("1251.5") << 1251.5 << 1252.0;
    QTest::newRow("just below half") << 0.49999999999999994 << 0.0;
    QTest::newRow("above half") << 2.5000000000000004 << 3.0;
    QTest::newRow("large whole") << 9007199254740993.0 << 9007199254740992.0;
}

void tst_Arithmetic::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void tst_Arithmetic::divideErrors()
{
    QVERIFY_THROWS_EXCEPTION(DivisionByZeroError, Divide(1, 0));
    QVERIFY_THROWS_EXCEPTION(InvalidOperationError, Divide(0, 0));
    QCOMPARE(Divide(1, 4), 0.25L);
}

void tst_Arithmetic::narrowOverflows()
{
    QVERIFY_THROWS_EXCEPTION(OverflowError, Narrow(static_cast<long double>(DBL_MAX) * 2));
    QCOMPARE(Narrow(0.5L), 0.5);
}

QTEST_APPLESS_MAIN(tst_Arithmetic)
#include "tst_Arithmetic.moc"
