#include "RecordingSurface.h"

#include "exposure/ExposureSheet.h"
#include "optics/OpticalSheet.h"
#include "print/PrinterSheet.h"

#include <QTest>

#include <variant>

// Both sheets piece by piece, each piece as "<x>,<y> <style><points> '<text>'" on the
// recording printer (a character as wide as its size in points, a cell twice as high, a
// line with text 2 more), on a page wide enough that no line is cut.

using SheetTexts = std::variant<ExposureSheetTexts, OpticalSheetTexts>;
Q_DECLARE_METATYPE(SheetTexts)

namespace {

QString Piece(const RecordingSurface::Drawn& d)
{
    const QString style = d.font.Bold ? (d.font.Italic ? "bi" : "b") : (d.font.Italic ? "i" : "r");
    return QStringLiteral("%1,%2 %3%4 '%5'").arg(d.x).arg(d.y).arg(style).arg(d.font.Points).arg(QString::fromStdString(d.text));
}

QStringList Trailer(int y)
{
    return {QStringLiteral("0,%1 r9 '                  Compliments of '").arg(y), QStringLiteral("297,%1 i9 'Quillmarsh,'").arg(y),
            QStringLiteral("396,%1 r9 ' by Penwright.'").arg(y)};
}

const QString Indent = QStringLiteral("            ");

ExposureSheetTexts FullMoon()
{
    return {"   3.4      Moon, full",
            "200",
            " 0.8   ...or choose a better estimate from the menu ------------------>",
            " 1.0    No filter.    If using a filter, type the factor or use menu -->",
            " 10",
            "   0.004 s   = 1/250 s",
            "CAUTION: This exposure is approximate.  Your results may differ.",
            true};
}

OpticalSheetTexts PrimeFocus()
{
    return {"Telescope aperture:",
            "200 mm",
            "Telescope focal length:",
            "2000 mm",
            "Prime focus",
            "2000 mm",
            "f/10.0",
            "Field of view (35-mm film):",
            "0.69° x 1.03°",
            "Field of view (central 20-mm circle):",
            "0.57°",
            "Moon image size (on film):",
            "18.2 mm",
            "Jupiter image size (on film):",
            "0.30 to 0.49 mm"};
}

} // namespace

class tst_Sheets : public QObject
{
    Q_OBJECT

private slots:
    void sheets_data();
    void sheets();
};

void tst_Sheets::sheets_data()
{
    QTest::addColumn<SheetTexts>("texts");
    QTest::addColumn<QStringList>("pieces");

    // Seven empty lines of 28 come first, so the title stands at 196.
    const QStringList exposureTop{"0,196 i14 '" + Indent + "Orvalis Exposure Calculator'", "0,282 bi14 '" + Indent + "m\"='"};
    QTest::newRow("exposure, full Moon") << SheetTexts(FullMoon())
                                         << exposureTop
                                                + QStringList{
                                                    "210,282 b14 '   3.4      Moon, full'",
                                                    "0,340 r14 '" + Indent + "Film speed 200'",
                                                    "0,370 r14 '" + Indent + "Reciprocity failure p= 0.8   ...or choose a better estimate from the menu ------------------>'",
                                                    "0,400 r14 '" + Indent + "Filter factor  1.0    No filter.    If using a filter, type the factor or use menu -->'",
                                                    "0,458 r14 '" + Indent + "'",
                                                    "168,458 bi14 'f/'",
                                                    "196,458 b14 ' 10'",
                                                    "0,516 b14 '" + Indent + "Suggested exposure:    0.004 s   = 1/250 s'",
                                                    "0,574 r14 '" + Indent + "'",
                                                    "168,574 r12 'CAUTION: This exposure is approximate.  Your results may differ.'"}
                                                + Trailer(640);

    ExposureSheetTexts first = FullMoon();
    first.Brightness = "Type m\" or choose object from menu " + std::string(37, '-') + ">";
    first.FRatio = "8";
    first.Exposure = "??? ";
    first.CautionVisible = false;
    QTest::newRow("exposure before a brightness, typed f/8, no caution")
        << SheetTexts(first)
        << exposureTop
               + QStringList{"210,282 b14 'Type m\" or choose object from menu " + QString(37, '-') + ">'",
                             "0,340 r14 '" + Indent + "Film speed 200'",
                             "0,370 r14 '" + Indent + "Reciprocity failure p= 0.8   ...or choose a better estimate from the menu ------------------>'",
                             "0,400 r14 '" + Indent + "Filter factor  1.0    No filter.    If using a filter, type the factor or use menu -->'",
                             "0,458 r14 '" + Indent + "'", "168,458 bi14 'f/'", "196,458 b14 '8'",
                             "0,516 b14 '" + Indent + "Suggested exposure: ??? '"}
               + Trailer(610);

    const QStringList opticalTop{"0,196 i14 '" + Indent + "Orvalis Optical Calculations'",
                                 "0,282 r14 '" + Indent + "Telescope aperture: 200 mm'",
                                 "0,312 r14 '" + Indent + "Telescope focal length: 2000 mm'", "0,370 b14 '" + Indent + "'"};
    const QStringList opticalRows{"'" + Indent + "Effective focal length = 2000 mm'",
                                  "'" + Indent + "Effective f-ratio = '", "'f/'", "'10.0'",
                                  "'" + Indent + "Field of view (35-mm film): 0.69° x 1.03°'",
                                  "'" + Indent + "Field of view (central 20-mm circle): 0.57°'",
                                  "'" + Indent + "Moon image size (on film): 18.2 mm'",
                                  "'" + Indent + "Jupiter image size (on film): 0.30 to 0.49 mm'"};
    auto rows = [&opticalRows](int y) {
        // Each row's position from the top of the effective focal length line.
        const int at[] = {0, 58, 58, 58, 116, 146, 204, 234};
        const QStringList prefix{"0,%1 b14 ", "0,%1 b14 ", "448,%1 bi14 ", "476,%1 b14 ", "0,%1 r14 ", "0,%1 r14 ", "0,%1 r14 ", "0,%1 r14 "};
        QStringList pieces;
        for (int i = 0; i < opticalRows.size(); ++i)
            pieces << prefix[i].arg(y + at[i]) + opticalRows[i];
        return pieces;
    };
    QTest::newRow("optical, prime focus") << SheetTexts(PrimeFocus())
                                          << opticalTop + QStringList{"168,370 b14 'Prime focus'"} + rows(428) + Trailer(756);

    OpticalSheetTexts preset = PrimeFocus();
    preset.ConfigLabel = "8-inch f/10 Schmidt-Cassegrain\r\nPrime focus";
    QTest::newRow("optical, a configuration text of two lines")
        << SheetTexts(preset)
        << opticalTop
               + QStringList{"168,370 b14 '8-inch f/10 Schmidt-Cassegrain'", "0,400 b14 '" + Indent + "'", "168,400 b14 'Prime focus'"}
               + rows(458) + Trailer(786);
}

void tst_Sheets::sheets()
{
    QFETCH(SheetTexts, texts);
    QFETCH(QStringList, pieces);
    RecordingSurface surface({2800, 4000});
    PrinterText printer(surface);
    const bool exposure = std::holds_alternative<ExposureSheetTexts>(texts);
    PrintSheet(printer, exposure ? ExposureSheetTitle : OpticalSheetTitle, [&texts](PrinterText& p) {
        if (const auto* e = std::get_if<ExposureSheetTexts>(&texts))
            PrintExposureSheet(p, *e);
        else
            PrintOpticalSheet(p, std::get<OpticalSheetTexts>(texts));
    });

    QStringList drawn;
    for (const RecordingSurface::Drawn& d : surface.drawn) {
        QCOMPARE(d.page, 1);
        QCOMPARE(d.font.Face, std::string("Times New Roman"));
        drawn << Piece(d);
    }
    QCOMPARE(drawn, pieces);
    QCOMPARE(surface.jobs, std::vector<std::string>{exposure ? "Orvalis Exposure Calculator" : "Orvalis Optical Calculations"});
}

QTEST_APPLESS_MAIN(tst_Sheets)
#include "tst_Sheets.moc"
