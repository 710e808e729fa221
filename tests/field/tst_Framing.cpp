// Framing a showpiece on the sensor: the turned ellipse against the frame, the mosaic it takes,
// and the camera angle that lays it along the frame's longer side; any object of the catalogue
// framed from its axes, and a target without a size marked. Worked values, computed
// independently of the program.

#include "field/Framing.h"

#include <QTest>

#include <stdexcept>

Q_DECLARE_METATYPE(std::string)

namespace {

constexpr int Film = 0;
constexpr int FullFrame = 1;    // 36 x 24 mm, 6.0 micrometres
constexpr int ApsC = 2;         // 23.4 x 15.6 mm, 3.9 micrometres
constexpr int Planetary = 7;    // 5.568 x 3.132 mm, 2.9 micrometres

const Showpiece& Target(const QString& name)
{
    for (const Showpiece& showpiece : Showpieces())
        if (QString::fromStdString(showpiece.Name).startsWith(name))
            return showpiece;
    throw std::invalid_argument("no such showpiece");
}

//! An object of the catalogue by its entry, or a point typed as coordinates.
SkyTarget SkyTargetOf(const QString& text)
{
    if (const SkyObject* object = TheCatalogue().Find(text.toStdString()))
        return TargetOf(*object);
    const std::optional<SkyPoint> point = ReadSkyPosition(text.toStdString()).Point;
    if (!point)
        throw std::invalid_argument("neither an entry nor coordinates");
    return {nullptr, *point, SkyPositionText(*point), SkyPositionText(*point)};
}

} // namespace

class tst_Framing : public QObject
{
    Q_OBJECT

private slots:
    void targetOnTheFrame_data();
    void targetOnTheFrame();
    void skyTargetOnTheFrame_data();
    void skyTargetOnTheFrame();
    void moonMosaic_data();
    void moonMosaic();
    void panelsToCover_data();
    void panelsToCover();
    void suggestedCameraAngle_data();
    void suggestedCameraAngle();
};

void tst_Framing::moonMosaic_data()
{
    QTest::addColumn<double>("moon");
    QTest::addColumn<int>("overlap");
    QTest::addColumn<QString>("mosaic");

    // 60 mm on 36 x 24 mm: 36 + 28.8 covers it across, 24 + 2 x 19.2 down; at 50% overlap
    // 36 + 2 x 18 and 24 + 3 x 12.
    QTest::newRow("20%") << 60.0 << 20 << "a mosaic of 2 x 3 panels at 20% overlap";
    QTest::newRow("50%") << 60.0 << 50 << "a mosaic of 3 x 4 panels at 50% overlap";
    QTest::newRow("equal fits") << 24.0 << 20 << "Not needed";
    QTest::newRow("equal within the tolerance") << 24.0 * (1 + 1e-12) << 20 << "Not needed";
    QTest::newRow("beyond the tolerance") << 24.0 * (1 + 1e-8) << 20 << "a mosaic of 1 x 2 panels at 20% overlap";
}

void tst_Framing::moonMosaic()
{
    QFETCH(double, moon);
    QFETCH(int, overlap);
    QFETCH(QString, mosaic);
    QCOMPARE(QString::fromStdString(MoonMosaic(moon, 36, 24, overlap)), mosaic);
}

void tst_Framing::targetOnTheFrame_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<double>("efl");
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("overlap");
    // Image, in pixels, across the frame, fits, mosaic, camera.
    QTest::addColumn<QStringList>("texts");

    const QString along = QStringLiteral("Turn the camera to %1\u00B0 to lay it along the longer side");
    const QString round = QStringLiteral("Round: it frames alike at any angle");
    const QString circle = QStringLiteral("Orientation not catalogued: drawn as a circle; "
                                          "fits if the camera is turned to lay it along the longer side");
    QTest::newRow("M31 at 600 mm, full frame, 0\u00B0")
        << "M31" << 600.0 << FullFrame << 0 << 20
        << QStringList{"31.04 x 12.16 mm", "5174", "20.40 x 26.37 mm", "No", "a mosaic of 1 x 2 panels at 20% overlap",
                       along.arg(125)};
    QTest::newRow("M31 turned to the suggested 125\u00B0")
        << "M31" << 600.0 << FullFrame << 125 << 20
        << QStringList{"31.04 x 12.16 mm", "5174", "31.04 x 12.16 mm", "Yes, it fills 86% x 51% of the frame", "Not needed",
                       "At 125\u00B0 its major axis lies along the longer side"};
    QTest::newRow("M57 on the planetary camera at 2000 mm")
        << "M57" << 2000.0 << Planetary << 0 << 20
        << QStringList{"0.74 mm across", "255", "0.74 x 0.74 mm", "Yes, it fills 13% x 24% of the frame", "Not needed", round};
    QTest::newRow("Large Magellanic Cloud through a 50 mm lens")
        << "Large Magellanic Cloud" << 50.0 << FullFrame << 0 << 20
        << QStringList{"9.42 x 8.02 mm", "1571", "8.06 x 9.38 mm", "Yes, it fills 22% x 39% of the frame", "Not needed",
                       along.arg(80)};
    // Not oriented: a circle of its major axis, the same at every angle.
    for (const int angle : {0, 45})
        QTest::addRow("M42 at 600 mm on APS-C, %d\u00B0", angle)
            << "M42" << 600.0 << ApsC << angle << 20
            << QStringList{"15.71 x 10.47 mm", "4028", "15.71 x 15.71 mm", "No",
                           "a mosaic of 1 x 2 panels at 20% overlap (1 x 1 if its length lies along the longer side)", circle};
    for (const int overlap : {0, 20, 50})
        QTest::addRow("Large Magellanic Cloud at 400 mm, %d%% overlap", overlap)
            << "Large Magellanic Cloud" << 400.0 << FullFrame << 0 << overlap
            << QStringList{"75.39 x 64.13 mm", "12565", "64.50 x 75.07 mm", "No",
                           overlap == 0    ? "a mosaic of 2 x 4 panels at 0% overlap"
                           : overlap == 20 ? "a mosaic of 2 x 4 panels at 20% overlap"
                                           : "a mosaic of 3 x 6 panels at 50% overlap",
                           along.arg(80)};
    // Specks: M57 through an 8 mm lens is 0.0030 mm across, half a pixel and 0.008% of the
    // frame's width; every figure says how small, none reads zero.
    QTest::newRow("M57 through an 8 mm lens")
        << "M57" << 8.0 << FullFrame << 0 << 20
        << QStringList{"0.003 mm across", "less than 1", "0.003 x 0.003 mm", "Yes, it fills under 1% x under 1% of the frame",
                       "Not needed", round};
    // One pixel of 2.9 micrometres is M57 at 7.8500 mm: 1.0001 pixels at 7.851 mm, 0.999 at 7.842.
    QTest::newRow("M57 at 1.0 pixel") << "M57" << 7.851 << Planetary << 0 << 20
                                      << QStringList{"0.003 mm across", "1", "0.003 x 0.003 mm",
                                                     "Yes, it fills under 1% x under 1% of the frame", "Not needed", round};
    QTest::newRow("M57 at 0.999 pixels") << "M57" << 7.842 << Planetary << 0 << 20
                                         << QStringList{"0.003 mm across", "less than 1", "0.003 x 0.003 mm",
                                                        "Yes, it fills under 1% x under 1% of the frame", "Not needed", round};
    // 1% of the full frame's 36 mm is M57 at 974.48 mm.
    QTest::newRow("M57 filling 1.0% of the width") << "M57" << 974.6 << FullFrame << 0 << 20
                                                   << QStringList{"0.36 mm across", "60", "0.36 x 0.36 mm",
                                                                  "Yes, it fills 1% x 2% of the frame", "Not needed", round};
    QTest::newRow("M57 filling 0.999%") << "M57" << 973.5 << FullFrame << 0 << 20
                                        << QStringList{"0.36 mm across", "60", "0.36 x 0.36 mm",
                                                       "Yes, it fills under 1% x 1% of the frame", "Not needed", round};
    // The tenth of a millimetre: M57 is 0.0999 mm at 270.4 mm, written in thousandths.
    QTest::newRow("M57 below a tenth of a mm") << "M57" << 270.4 << FullFrame << 0 << 20
                                               << QStringList{"0.100 mm across", "17", "0.100 x 0.100 mm",
                                                              "Yes, it fills under 1% x under 1% of the frame", "Not needed", round};
    // M13 filling the 24 mm height at 5000.349 mm, a hair above it within the tolerance.
    QTest::newRow("M13 filling the height within the tolerance")
        << "M13" << 5000.349340008976 * (1 + 1e-13) << FullFrame << 0 << 20
        << QStringList{"24.00 mm across", "4000", "24.00 x 24.00 mm", "Yes, it fills 67% x 100% of the frame", "Not needed", round};
    // 305 degrees lays M31 as 125 degrees does.
    QTest::newRow("M31 turned to 305\u00B0")
        << "M31" << 600.0 << FullFrame << 305 << 20
        << QStringList{"31.04 x 12.16 mm", "5174", "31.04 x 12.16 mm", "Yes, it fills 86% x 51% of the frame", "Not needed",
                       "At 305\u00B0 its major axis lies along the longer side"};
    // Not oriented, so covered as a circle of 46.55 mm; along the longer side its 46.55 x
    // 11.64 mm would take 3 x 1.
    QTest::newRow("California Nebula at 1000 mm on APS-C")
        << "California" << 1000.0 << ApsC << 0 << 20
        << QStringList{"46.55 x 11.64 mm", "11936", "46.55 x 46.55 mm", "No",
                       "a mosaic of 3 x 4 panels at 20% overlap (3 x 1 if its length lies along the longer side)",
                       "Orientation not catalogued: drawn as a circle"};
    // M42 at 200 mm is 5.24 x 3.49 mm: its length fits the planetary camera's 5.57 mm, but its
    // width not the 3.13 mm, so no turn makes it fit.
    QTest::newRow("M42 on the planetary camera: no turn fits")
        << "M42" << 200.0 << Planetary << 0 << 20
        << QStringList{"5.24 x 3.49 mm", "1806", "5.24 x 5.24 mm", "No",
                       "a mosaic of 1 x 2 panels at 20% overlap", "Orientation not catalogued: drawn as a circle"};
    QTest::newRow("Pleiades on film: round, though oriented")
        << "M45" << 300.0 << Film << 0 << 20
        << QStringList{"13.09 mm across", "\u2014", "13.09 x 13.09 mm", "Yes, it fills 36% x 55% of the frame", "Not needed", round};
}

void tst_Framing::targetOnTheFrame()
{
    QFETCH(QString, target);
    QFETCH(double, efl);
    QFETCH(int, preset);
    QFETCH(int, angle);
    QFETCH(int, overlap);
    QFETCH(QStringList, texts);
    const TargetFraming framing = FrameTarget(efl, SensorPresets.at(static_cast<std::size_t>(preset)).Model, Target(target), angle, overlap);
    const TargetTexts& t = framing.Texts;
    QStringList shown;
    for (const std::string* text : {&t.Image, &t.Pixels, &t.Across, &t.Fits, &t.Mosaic, &t.Camera})
        shown << QString::fromStdString(*text);
    QCOMPARE(shown, texts);
    QCOMPARE(framing.Fits, texts[3] != QStringLiteral("No"));
}

void tst_Framing::skyTargetOnTheFrame_data()
{
    QTest::addColumn<QString>("target"); // the catalogue's entry, or coordinates
    QTest::addColumn<double>("efl");
    QTest::addColumn<int>("preset");
    // Image, in pixels, across the frame, fits, mosaic, camera.
    QTest::addColumn<QStringList>("texts");

    // NGC 7000, 120' x 30' with no position angle, is framed as a circle of its major axis: at
    // 135 mm 2 x 135 x tan(1°) = 4.713 mm by 2 x 135 x tan(0.25°) = 1.178 mm, 1208.4 pixels of
    // 3.9 micrometres, 20.1% of 23.4 mm and 30.2% of 15.6 mm. It fills the height at 446.86 mm.
    const QString circle = QStringLiteral("Orientation not catalogued: drawn as a circle");
    QTest::newRow("NGC 7000 at 135 mm on APS-C")
        << "NGC7000" << 135.0 << ApsC
        << QStringList{"4.71 x 1.18 mm", "1208", "4.71 x 4.71 mm", "Yes, it fills 20% x 30% of the frame", "Not needed", circle};
    QTest::newRow("NGC 7000 just beyond the height")
        << "NGC7000" << 447.0 << ApsC
        << QStringList{"15.60 x 3.90 mm", "4001", "15.60 x 15.60 mm", "No",
                       "a mosaic of 1 x 2 panels at 20% overlap (1 x 1 if its length lies along the longer side)",
                       circle + QStringLiteral("; fits if the camera is turned to lay it along the longer side")};
    // NGC 253: 26.79' x 4.58' at 53°, 4.676 x 0.799 mm at 600 mm; turned 53° from the frame's
    // up direction it spans 3.765 x 2.885 mm. (53 - 90) mod 180 lays it along the width.
    QTest::newRow("NGC 253, oriented, at 600 mm on full frame")
        << "NGC0253" << 600.0 << FullFrame
        << QStringList{"4.68 x 0.80 mm", "779", "3.77 x 2.89 mm", "Yes, it fills 10% x 12% of the frame", "Not needed",
                       "Turn the camera to 143\u00B0 to lay it along the longer side"};
    // NGC 869: a major axis of 14.4' alone, round: 2.513 mm at 600 mm.
    QTest::newRow("NGC 869, a major axis alone")
        << "NGC0869" << 600.0 << FullFrame
        << QStringList{"2.51 mm across", "419", "2.51 x 2.51 mm", "Yes, it fills 7% x 10% of the frame", "Not needed",
                       "Round: it frames alike at any angle"};
    // No size: the Coalsack has no axes in the catalogue, and a point has none at all.
    const QString none = QStringLiteral("The catalogue gives no size for it.");
    const QStringList marked{none, "\u2014", "\u2014", none, none, "\u2014"};
    QTest::newRow("the Coalsack, without axes") << "C099" << 600.0 << FullFrame << marked;
    QTest::newRow("a point") << "12:30:00 +10:00:00" << 600.0 << FullFrame << marked;
}

void tst_Framing::skyTargetOnTheFrame()
{
    QFETCH(QString, target);
    QFETCH(double, efl);
    QFETCH(int, preset);
    QFETCH(QStringList, texts);
    const TargetFraming framing =
        FrameSkyTarget(efl, SensorPresets.at(static_cast<std::size_t>(preset)).Model, SkyTargetOf(target), 0, 20);
    const TargetTexts& t = framing.Texts;
    QStringList shown;
    for (const std::string* text : {&t.Image, &t.Pixels, &t.Across, &t.Fits, &t.Mosaic, &t.Camera})
        shown << QString::fromStdString(*text);
    QCOMPARE(shown, texts);
    // Without a size, a mark at the centre and no mosaic.
    const bool marked = texts[0] == QStringLiteral("The catalogue gives no size for it.");
    QCOMPARE(framing.Sizes.Marked, marked);
    if (marked)
        QCOMPARE(framing.Sizes.Columns * framing.Sizes.Rows, 1.0);
}

void tst_Framing::panelsToCover_data()
{
    QTest::addColumn<double>("extent");
    QTest::addColumn<double>("side");
    QTest::addColumn<double>("overlap");
    QTest::addColumn<double>("panels");

    // Exactly on a boundary no further panel is needed; just beyond it one is.
    QTest::newRow("smaller than a panel") << 1.0 << 24.0 << 0.2 << 1.0;
    QTest::newRow("one panel exactly") << 24.0 << 24.0 << 0.2 << 1.0;
    QTest::newRow("just beyond one") << 24.001 << 24.0 << 0.2 << 2.0;
    QTest::newRow("two at 20% exactly") << 43.2 << 24.0 << 0.2 << 2.0;
    QTest::newRow("just beyond two at 20%") << 43.201 << 24.0 << 0.2 << 3.0;
    QTest::newRow("three without overlap exactly") << 72.0 << 24.0 << 0.0 << 3.0;
    QTest::newRow("just beyond three") << 72.001 << 24.0 << 0.0 << 4.0;
    QTest::newRow("two at 50% exactly") << 36.0 << 24.0 << 0.5 << 2.0;
    QTest::newRow("just beyond two at 50%") << 36.001 << 24.0 << 0.5 << 3.0;
}

void tst_Framing::panelsToCover()
{
    QFETCH(double, extent);
    QFETCH(double, side);
    QFETCH(double, overlap);
    QFETCH(double, panels);
    QCOMPARE(PanelsToCover(extent, side, overlap), panels);
}

void tst_Framing::suggestedCameraAngle_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("angle"); // -1: none

    QTest::newRow("M31, landscape") << "M31" << 36.0 << 24.0 << 125;
    QTest::newRow("M31, portrait") << "M31" << 24.0 << 36.0 << 35;
    QTest::newRow("square counts as landscape") << "M31" << 15.0 << 15.0 << 125;
    QTest::newRow("M104 at 90\u00B0, landscape") << "M104" << 36.0 << 24.0 << 0;
    QTest::newRow("M104 at 90\u00B0, portrait") << "M104" << 24.0 << 36.0 << 90;
    QTest::newRow("M51 at 163\u00B0, portrait") << "M51" << 24.0 << 36.0 << 163;
    QTest::newRow("round") << "M45" << 36.0 << 24.0 << -1;
    QTest::newRow("not oriented") << "California" << 36.0 << 24.0 << -1;
}

void tst_Framing::suggestedCameraAngle()
{
    QFETCH(QString, target);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, angle);
    QCOMPARE(SuggestedCameraAngle(Target(target), width, height).value_or(-1), angle);
}

QTEST_APPLESS_MAIN(tst_Framing)

#include "tst_Framing.moc"
