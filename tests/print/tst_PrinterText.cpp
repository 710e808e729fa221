#include "RecordingSurface.h"

#include "print/PrinterSheet.h"
#include "print/PrinterText.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>

namespace {

QString Style(const PrinterFont& font)
{
    return font.Bold ? (font.Italic ? "bi" : "b") : (font.Italic ? "i" : "r");
}

//! One drawn piece as "p<page> <x>,<y> <style><points> '<text>'".
QStringList Drawn(const RecordingSurface& surface)
{
    QStringList lines;
    for (const RecordingSurface::Drawn& d : surface.drawn)
        lines << QStringLiteral("p%1 %2,%3 %4%5 '%6'")
                     .arg(d.page)
                     .arg(d.x)
                     .arg(d.y)
                     .arg(Style(d.font))
                     .arg(d.font.Points)
                     .arg(QString::fromStdString(d.text));
    return lines;
}

//! Runs a script on the device: start, finish, close, "w:" write, "l:" write a line, "n" line
//! end, "s:" size in points, "style:" r, b, i or bi.
void Run(PrinterText& printer, const QStringList& script)
{
    for (const QString& step : script) {
        const QString argument = step.section(QLatin1Char(':'), 1);
        const std::string text = argument.toStdString();
        if (step == QLatin1String("start"))
            StartPrinterSheet(printer, "Sheet");
        else if (step == QLatin1String("finish"))
            FinishPrinterSheet(printer);
        else if (step == QLatin1String("close"))
            printer.Close();
        else if (step == QLatin1String("n"))
            printer.WriteLineEnd();
        else if (step.startsWith(QLatin1String("w:")))
            printer.Write(text);
        else if (step.startsWith(QLatin1String("l:")))
            printer.WriteLine(text);
        else if (step.startsWith(QLatin1String("s:")))
            printer.SetSize(argument.toInt());
        else if (step.startsWith(QLatin1String("style:")))
            printer.SetStyle(argument == "b" ? FontStyle::Bold : argument == "i" ? FontStyle::Italic
                                 : argument == "bi"                             ? FontStyle::BoldItalic
                                                                                : FontStyle::Regular);
        else
            QFAIL(qPrintable(step));
    }
}

const QStringList Trailer9(int page, int y)
{
    return {QStringLiteral("p%1 0,%2 r9 '                  Compliments of '").arg(page).arg(y),
            QStringLiteral("p%1 297,%2 i9 'Quillmarsh,'").arg(page).arg(y),
            QStringLiteral("p%1 396,%2 r9 ' by Penwright.'").arg(page).arg(y)};
}

} // namespace

class tst_PrinterText : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void twoSheetsInARow();
    void failures_data();
    void failures();
    void longBoxTextIsCutInLinearTime();
    void aSecondSheetWhileOneIsOpenLeavesTheFirstAlone();
};

void tst_PrinterText::layout_data()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("drawn");

    // The recording printer: a character is as wide as its size in points, a cell twice as
    // high; a line with text on it is its tallest cell plus 2. At 14 points 100 characters
    // fill the standard page's 1400 units.
    const QSize page(1400, 2000);
    const QSize shortPage(1400, 200);
    const QString a99(99, QLatin1Char('a'));

    QTest::newRow("empty body: two 9-point empty lines, the trailer in three styles on one line")
        << page << QStringList{"start", "finish"} << Trailer9(1, 36);
    QTest::newRow("pieces share their top; only a taller piece sets the line height")
        << page << QStringList{"start", "s:10", "w:ab", "s:20", "w:c", "s:21", "w:d", "n", "w:e", "close"}
        << QStringList{"p1 0,0 r10 'ab'", "p1 20,0 r20 'c'", "p1 40,0 r21 'd'", "p1 0,42 r21 'e'"};
    QTest::newRow("an empty line is one cell of the font in force")
        << page << QStringList{"start", "s:9", "n", "s:20", "n", "w:x", "close"} << QStringList{"p1 0,58 r20 'x'"};
    QTest::newRow("a line longer than the page goes on at the left edge, cut between characters")
        << page << QStringList{"start", "w:" + a99 + "°é", "w:z", "close"}
        << QStringList{"p1 0,0 r14 '" + a99 + "°'", "p1 0,30 r14 'é'", "p1 14,30 r14 'z'"};
    QTest::newRow("a piece behind others is cut at the edge of the page")
        << page << QStringList{"start", "w:abc", "w:" + QString(98, 'b'), "close"}
        << QStringList{"p1 0,0 r14 'abc'", "p1 42,0 r14 '" + QString(97, 'b') + "'", "p1 0,30 r14 'b'"};
    QTest::newRow("a piece with no room left on the line starts the next")
        << page << QStringList{"start", "w:" + QString(100, 'a'), "w:z", "close"}
        << QStringList{"p1 0,0 r14 '" + QString(100, 'a') + "'", "p1 0,30 r14 'z'"};
    QTest::newRow("a page narrower than a character still takes one per line")
        << QSize(10, 2000) << QStringList{"start", "w:a°", "close"} << QStringList{"p1 0,0 r14 'a'", "p1 0,30 r14 '°'"};
    QTest::newRow("control characters print as blanks and end no line")
        << page << QStringList{"start", "w:a\tb\r\nc\fd\x7f", "close"} << QStringList{"p1 0,0 r14 'a b  c d '"};
    QTest::newRow("a full page goes on on the next; the closing lines with it")
        << shortPage << QStringList{"start", "l:1", "l:2", "l:3", "l:4", "l:5", "finish"}
        << QStringList{"p1 0,0 r14 '1'", "p1 0,30 r14 '2'", "p1 0,60 r14 '3'", "p1 0,90 r14 '4'", "p1 0,120 r14 '5'"}
               + Trailer9(2, 36);
    QTest::newRow("after empty lines near the bottom a text line starts a new page")
        << shortPage << QStringList{"start", "l:1", "l:2", "l:3", "l:4", "n", "n", "l:x", "close"}
        << QStringList{"p1 0,0 r14 '1'", "p1 0,30 r14 '2'", "p1 0,60 r14 '3'", "p1 0,90 r14 '4'", "p2 0,0 r14 'x'"};
    // 210 high: after five lines y is 150, exactly the page less two lines; after four lines
    // and five 9-point empty lines it is 210, exactly the page. Neither is beyond.
    QTest::newRow("a line end just at either limit stays on the page")
        << QSize(1400, 210)
        << QStringList{"start", "l:1", "l:2", "l:3", "l:4", "l:5", "l:6", "l:7", "l:8", "l:9", "l:10", "s:9",
                       "n", "n", "n", "n", "n", "n", "l:x", "close"}
        << QStringList{"p1 0,0 r14 '1'", "p1 0,30 r14 '2'", "p1 0,60 r14 '3'", "p1 0,90 r14 '4'", "p1 0,120 r14 '5'",
                       "p1 0,150 r14 '6'", "p2 0,0 r14 '7'", "p2 0,30 r14 '8'", "p2 0,60 r14 '9'", "p2 0,90 r14 '10'",
                       "p3 0,0 r9 'x'"};
    QTest::newRow("a last line end at the bottom leaves no blank page")
        << shortPage << QStringList{"start", "l:1", "l:2", "l:3", "l:4", "l:5", "n", "close"}
        << QStringList{"p1 0,0 r14 '1'", "p1 0,30 r14 '2'", "p1 0,60 r14 '3'", "p1 0,90 r14 '4'", "p1 0,120 r14 '5'"};
}

void tst_PrinterText::layout()
{
    QFETCH(QSize, page);
    QFETCH(QStringList, script);
    QFETCH(QStringList, drawn);
    RecordingSurface surface({page.width(), page.height()});
    PrinterText printer(surface);
    Run(printer, script);
    QCOMPARE(Drawn(surface), drawn);
    QVERIFY(!printer.IsOpen());
    QCOMPARE(surface.endings, std::vector<std::string>{"end"});
    // Whatever the rows do, nothing reaches below a page and no page is left blank.
    for (const RecordingSurface::Drawn& d : surface.drawn)
        QVERIFY2(d.y + 2 * d.font.Points <= page.height(), d.text.c_str());
    QCOMPARE(surface.pages, surface.drawn.back().page);
}

void tst_PrinterText::twoSheetsInARow()
{
    RecordingSurface surface;
    PrinterText printer(surface);
    PrintSheet(printer, "First", [](PrinterText& p) {
        p.SetSize(20);
        p.SetStyle(FontStyle::Bold);
        p.WriteLine("big");
        p.SetStyle(FontStyle::Regular);
    });
    PrintSheet(printer, "Second", [](PrinterText& p) { p.WriteLine("next"); });

    QCOMPARE(surface.jobs, (std::vector<std::string>{"First", "Second"}));
    QCOMPARE(surface.endings, (std::vector<std::string>{"end", "end"}));
    QCOMPARE(Drawn(surface), QStringList{"p1 0,0 b20 'big'"} + Trailer9(1, 78) + QStringList{"p1 0,0 r14 'next'"} + Trailer9(1, 66));
    for (const RecordingSurface::Drawn& d : surface.drawn)
        QCOMPARE(d.font.Face, std::string("Times New Roman"));
}

void tst_PrinterText::failures_data()
{
    QTest::addColumn<int>("failing");
    QTest::addColumn<int>("atDraw");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("endings"); // of the failed sheet

    using F = RecordingSurface::Failing;
    QTest::newRow("no default printer") << int(F::NoPrinter) << 0 << "There is no default printer currently selected" << QStringList{};
    QTest::newRow("the job does not start") << int(F::Begin) << 0 << "I/O error 150" << QStringList{};
    QTest::newRow("a new page fails") << int(F::NewPage) << 0 << "I/O error 151" << QStringList{"abort"};
    QTest::newRow("drawing fails") << int(F::Draw) << 3 << "I/O error 152" << QStringList{"abort"};
    QTest::newRow("the job cannot be handed over") << int(F::End) << 0 << "I/O error 153" << QStringList{"end"};
}

void tst_PrinterText::failures()
{
    QFETCH(int, failing);
    QFETCH(int, atDraw);
    QFETCH(QString, message);
    QFETCH(QStringList, endings);
    // Ten lines of 30 units on a page of 200 need a second page.
    RecordingSurface surface({1400, 200});
    PrinterText printer(surface);
    const auto body = [](PrinterText& p) {
        for (int line = 1; line <= 10; ++line)
            p.WriteLine(std::to_string(line));
    };
    surface.failing = RecordingSurface::Failing(failing);
    surface.failAtDraw = atDraw;
    try {
        PrintSheet(printer, "Sheet", body);
        QFAIL("no error");
    } catch (const PrinterError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QStringList ended;
    for (const std::string& ending : surface.endings)
        ended << QString::fromStdString(ending);
    QCOMPARE(ended, endings);
    QVERIFY(!printer.IsOpen());
    if (failing == int(RecordingSurface::Failing::Draw))
        QCOMPARE(surface.drawn.size(), std::size_t(2)); // the rest of the sheet is not printed

    // The next sheet prints whole.
    surface.drawn.clear();
    PrintSheet(printer, "Sheet", body);
    QCOMPARE(surface.endings.back(), std::string("end"));
    QCOMPARE(surface.drawn.size(), std::size_t(13));
}

void tst_PrinterText::longBoxTextIsCutInLinearTime()
{
    // The longest text a box holds, with two-byte characters among the one-byte ones.
    std::string text;
    for (int i = 0; i < 32767; ++i)
        text += i % 7 == 6 ? "°" : std::string(1, char('a' + i % 26));
    RecordingSurface surface;
    PrinterText printer(surface);
    QElapsedTimer timer;
    timer.start();
    PrintSheet(printer, "Sheet", [&text](PrinterText& p) { p.WriteLine(text); });
    QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
    // A few measurements of about one line's length per line, not of the whole remainder.
    QVERIFY2(surface.measured < 20 * static_cast<long long>(text.size()), qPrintable(QString::number(surface.measured)));

    std::string printed;
    for (std::size_t i = 0; i + 3 < surface.drawn.size(); ++i) {
        const RecordingSurface::Drawn& d = surface.drawn[i];
        QCOMPARE(d.x, 0);
        QCOMPARE(RecordingSurface::Characters(d.text), i + 4 < surface.drawn.size() ? 100 : 67); // full lines, then the rest
        printed += d.text;
    }
    QVERIFY(printed == text);
}

void tst_PrinterText::aSecondSheetWhileOneIsOpenLeavesTheFirstAlone()
{
    RecordingSurface surface;
    PrinterText printer(surface);
    StartPrinterSheet(printer, "First");
    try {
        PrintSheet(printer, "Second", [](PrinterText&) {});
        QFAIL("no error");
    } catch (const PrinterError& error) {
        QCOMPARE(error.what(), "Printing in progress");
    }
    QVERIFY(printer.IsOpen());
    QVERIFY(surface.endings.empty());
    FinishPrinterSheet(printer);
    QCOMPARE(surface.jobs, std::vector<std::string>{"First"});
    QCOMPARE(surface.endings, std::vector<std::string>{"end"});
}

QTEST_APPLESS_MAIN(tst_PrinterText)
#include "tst_PrinterText.moc"
