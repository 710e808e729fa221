// The Tonight sheet on the recording printer (a character as wide as its size in points, a cell
// twice as high, a line with text 2 more): the rows as the window shows them, the chart across
// the middle 70% of the page, and the chart kept whole on a page.

#include "RecordingSurface.h"

#include "print/PrinterSheet.h"
#include "sky/TonightSheet.h"

#include <QTest>

class tst_TonightSheet : public QObject
{
    Q_OBJECT

private slots:
    void rowsThenTheChart_data();
    void rowsThenTheChart();
};

void tst_TonightSheet::rowsThenTheChart_data()
{
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<int>("chartPage");
    QTest::addColumn<int>("chartTop");

    // Title block: 7 empty lines of 28, the title (30), 2 empty lines of 28: 282. Then two
    // lines of 24, an empty line of 22 (11 points), one row of 24, the note and an empty line:
    // 282 + 48 + 22 + 24 + 24 + 22 = 422. The chart is 700 x 525.
    QTest::newRow("room for it") << 2000 << 1 << 422;
    QTest::newRow("just room") << 947 << 1 << 422;
    QTest::newRow("a point short: the next page") << 946 << 2 << 0;
}

void tst_TonightSheet::rowsThenTheChart()
{
    QFETCH(int, pageHeight);
    QFETCH(int, chartPage);
    QFETCH(int, chartTop);
    RecordingSurface surface({1000, pageHeight});
    PrinterText printer(surface);
    TonightSheetTexts texts;
    texts.Heading = {{"Latitude:", "48.8566"}, {"Target:", "M31, Andromeda Galaxy"}};
    texts.Rows = {{"Dark and above 30\u00B0:", "20:46 to 06:27 (9 h 41 min)"}};
    texts.Note = "Times on the zone's clock.";
    texts.ChartAspect = 0.75;
    int drawn = 0;
    PrintSheet(printer, TonightSheetTitle, [&](PrinterText& p) {
        PrintTonightSheet(p, texts, [&drawn](QPainter&, double, double) { ++drawn; });
    });
    QStringList pieces;
    for (const RecordingSurface::Drawn& d : surface.drawn)
        if (d.page == 1 && d.y >= 196 && d.y < 422)
            pieces << QStringLiteral("%1,%2 %3%4 %5")
                          .arg(d.x)
                          .arg(d.y)
                          .arg(d.font.Bold ? "b" : d.font.Italic ? "i" : "r")
                          .arg(d.font.Points)
                          .arg(QString::fromStdString(d.text));
    const QString indent = QStringLiteral("            ");
    QCOMPARE(pieces, QStringList({QStringLiteral("0,196 i14 ") + indent + "Orvalis Calculator - Tonight",
                                  QStringLiteral("0,282 r11 ") + indent + "Latitude: ",
                                  QStringLiteral("242,282 b11 48.8566"),
                                  QStringLiteral("0,306 r11 ") + indent + "Target: ",
                                  QStringLiteral("220,306 b11 M31, Andromeda Galaxy"),
                                  QStringLiteral("0,352 r11 ") + indent + "Dark and above 30\u00B0: ",
                                  QStringLiteral("352,352 b11 20:46 to 06:27 (9 h 41 min)"),
                                  QStringLiteral("0,376 r11 ") + indent + "Times on the zone's clock."}));
    const auto chart = std::find_if(surface.drawn.begin(), surface.drawn.end(),
                                    [](const RecordingSurface::Drawn& d) { return d.text.starts_with("[picture"); });
    QVERIFY(chart != surface.drawn.end());
    QCOMPARE(QString::fromStdString(chart->text), QStringLiteral("[picture 700 x 525]"));
    QCOMPARE(chart->x, 150); // centred
    QCOMPARE(chart->page, chartPage);
    QCOMPARE(chart->y, chartTop);
}

QTEST_APPLESS_MAIN(tst_TonightSheet)
#include "tst_TonightSheet.moc"
