// The Targets Tonight sheet on the recording printer (a character as wide as its size in
// points, a cell twice as high, a line with text 2 more): columns as wide as their widest text,
// names to the left and figures to the right, the column heading at the top of every page, and
// at most 200 rows.

#include "RecordingSurface.h"

#include "print/PrinterSheet.h"
#include "targets/TargetsSheet.h"

#include <QTest>

class tst_TargetsSheet : public QObject
{
    Q_OBJECT

private slots:
    void rowsInColumns_data();
    void rowsInColumns();
};

void tst_TargetsSheet::rowsInColumns_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<int>("headings"); // column headings printed
    QTest::addColumn<QString>("last");  // the last line of the list

    // Title block 282, two heading lines at 11 points and an empty one: 352; then lines of 16 at
    // 7 points. A page breaks where less than two lines' height is left below a line: a page of
    // 2000 takes the heading and 101 rows (368 + 101 * 16 = 1984 > 2000 - 2 * 16).
    QTest::newRow("a long name") << 1 << 2000 << 1 << "IC 4592, Blue Horsehead Reflect\u2026  reflection nebula";
    QTest::newRow("two rows") << 2 << 2000 << 1 << "M32";
    QTest::newRow("a page full") << 101 << 2000 << 1 << "NGC 101";
    QTest::newRow("one more: heading again") << 102 << 2000 << 2 << "NGC 102";
    QTest::newRow("200 rows") << 200 << 20000 << 1 << "NGC 200";
    QTest::newRow("201 rows: one more said") << 201 << 20000 << 1 << "and 1 more";
    QTest::newRow("1,234 more") << 1434 << 20000 << 1 << "and 1,234 more";
}

void tst_TargetsSheet::rowsInColumns()
{
    QFETCH(int, rows);
    QFETCH(int, pageHeight);
    QFETCH(int, headings);
    QFETCH(QString, last);
    TargetsSheetTexts texts;
    texts.Heading = {"For: 48.8566, 2.3522 on 2026-10-15", "Every kind."};
    texts.Columns = {"Object", "Kind", "Const.", "Mag."};
    texts.Rows = {{"M31, Andromeda Galaxy", "galaxy", "And", "3.4"}, {"M32", "galaxy", "And", "8.1"}};
    if (rows == 1) // a name too long for its column, cut at 32 characters
        texts.Rows = {{"IC 4592, Blue Horsehead Reflection Nebula", "reflection nebula", "Sco", "\u2014"}};
    for (int i = 3; i <= rows; ++i)
        texts.Rows.push_back({"NGC " + std::to_string(i), "globular cluster", "Sgr", "12.0"});
    texts.Rows.resize(static_cast<std::size_t>(rows));
    RecordingSurface surface({3000, pageHeight});
    PrinterText printer(surface);
    PrintSheet(printer, TargetsSheetTitle, [&](PrinterText& p) { PrintTargetsSheet(p, texts); });

    QStringList lines;
    int headingCount = 0;
    for (const RecordingSurface::Drawn& d : surface.drawn)
        if (d.font.Face == "Liberation Mono") {
            lines << QString::fromStdString(d.text).trimmed();
            headingCount += d.text.find("Object") != std::string::npos;
            QCOMPARE(d.font.Bold, d.text.find("Object") != std::string::npos);
        }
    QCOMPARE(headingCount, headings);
    QVERIFY2(lines.last().startsWith(last), qPrintable(lines.last()));
    if (rows == 2) {
        // Widths 21, 6, 6 and 4: the names padded right, the figures left.
        QCOMPARE(lines, QStringList({"Object                 Kind    Const.  Mag.",
                                     "M31, Andromeda Galaxy  galaxy  And      3.4",
                                     "M32                    galaxy  And      8.1"}));
        const RecordingSurface::Drawn& first = *std::find_if(surface.drawn.begin(), surface.drawn.end(),
                                                             [](const auto& d) { return d.font.Face == "Liberation Mono"; });
        QCOMPARE(first.y, 352);
        QCOMPARE(first.font.Points, 7);
    }
}

QTEST_APPLESS_MAIN(tst_TargetsSheet)
#include "tst_TargetsSheet.moc"
