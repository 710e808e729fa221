// The field on the sensor as a user meets it: opened from the results report, following each
// job the report computes, refusing what cannot be a sensor, framing what is typed into the
// target box, handing a target's surface brightness on, and saving its picture to scale.

#include "TestSupport.h"

#include "exposure/ExposureModel.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "field/SensorPicture.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TargetNames.h"
#include "exposure/TDigitalCameraForm.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

constexpr int FilmFrame = 0;
constexpr int CooledApsC = 5;
constexpr int PlanetaryCamera = 7;
constexpr int FullFrame = 1;
constexpr int ApsC = 2;
constexpr int Andromeda = 6;   // in the target list, after "The Moon and Jupiter"
constexpr int California = 17;

//! The report shows a job as the wizard's last window leaves it.
void ShowReport(double aperture, double efl)
{
    OpticalJob.ApertureMm = aperture;
    OpticalJob.TelescopeFocalLengthMm = efl;
    OpticalJob.EffectiveFocalLengthMm = efl;
    OpticalJob.ConfigurationText = "Prime focus";
    ShowWindow(Windows().OpticReportForm);
}

//! Which colour of the picture a pixel shows: the nearest, so an edge's blended pixel counts
//! on the side it is nearer to, and a length comes out within a pixel.
QColor Nearest(const QColor& seen)
{
    const auto distance = [&seen](const QColor& c) {
        return qAbs(seen.red() - c.red()) + qAbs(seen.green() - c.green()) + qAbs(seen.blue() - c.blue());
    };
    QColor nearest = Silver;
    for (const QColor& colour : {FieldSky, FieldMoon, FieldOutline, FieldJupiter, FieldTarget, FieldCircle})
        if (distance(colour) < distance(nearest))
            nearest = colour;
    return nearest;
}

//! Whether the field window draws nothing: its picture is the background alone and "Save
//! Picture..." is disabled.
bool ShowsNothing(TSensorFieldForm* field)
{
    const QImage picture = field->Picture->Image(1);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) != Silver)
                return false;
    return !field->SaveButton->isEnabled();
}

//! The smallest rectangle that holds every pixel nearest to `colour`, or with `over` given,
//! every pixel that is `colour` blended over `over` at least half and half (so that the blends
//! of other colours at their edges never count).
QRect Bounds(const QImage& image, const QColor& colour, const QColor& over = QColor())
{
    const auto counts = [&](const QColor& seen) {
        if (!over.isValid())
            return Nearest(seen) == colour;
        const double d[3] = {double(colour.red() - over.red()), double(colour.green() - over.green()),
                             double(colour.blue() - over.blue())};
        const double p[3] = {double(seen.red() - over.red()), double(seen.green() - over.green()),
                             double(seen.blue() - over.blue())};
        const double share = (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / (d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        const double off = qAbs(p[0] - share * d[0]) + qAbs(p[1] - share * d[1]) + qAbs(p[2] - share * d[2]);
        return share >= 0.5 && off < 12;
    };
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (counts(image.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

//! Sets a spin box as a user does: selects what it holds and types the new value.
void TypeValue(QSpinBox* box, int value)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QString::number(value));
}

//! How many pixels along a line show one of `colours`.
int CountAlong(const QImage& image, QPoint from, QPoint step, const QList<QColor>& colours)
{
    int count = 0;
    for (QPoint at = from; image.rect().contains(at); at += step)
        count += colours.contains(Nearest(image.pixelColor(at))) ? 1 : 0;
    return count;
}

} // namespace

class tst_SensorFieldWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void followsTheReport();
    void refusedSensorBoxesDrawNothing();
    void savedPictureIsToScale();
    void framesAShowpiece();
    void framesWhatIsTyped();
    void surfaceBrightnessRow_data();
    void surfaceBrightnessRow();
    void surfaceBrightnessGoesToTheExposure();
    void savedTargetIsToScale_data();
    void savedTargetIsToScale();
    void compassPointsNorthAndEast_data();
    void compassPointsNorthAndEast();
    void followsTheExposureCalculator();
    void digitalCameraFollowsTheOtherWindows();

private:
    //! View, then "Field on the Sensor...", with the keyboard in the report.
    TSensorFieldForm* OpenFromReport();

    std::unique_ptr<RunningProgram> m_program;
};

void tst_SensorFieldWindow::init()
{
    m_program = std::make_unique<RunningProgram>();
}

void tst_SensorFieldWindow::cleanup()
{
    SaveDialogs::SetAnswerer({});
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

TSensorFieldForm* tst_SensorFieldWindow::OpenFromReport()
{
    TOpticReportForm* report = Windows().OpticReportForm;
    if (!QTest::qWaitForWindowActive(report))
        return nullptr;
    QTest::keyClick(report, Qt::Key_Alt);
    QTest::keyClick(report->MainMenu1, Qt::Key_Right); // from File to View
    QTest::keyClick(report->MainMenu1, Qt::Key_Down);
    if (!QTest::qWaitForWindowExposed(report->View1) || report->View1->activeAction() != report->FieldontheSensor1)
        return nullptr;
    QTest::keyClick(report->View1, Qt::Key_Return);
    TSensorFieldForm* field = Windows().SensorFieldForm;
    return field && QTest::qWaitForWindowActive(field) ? field : nullptr;
}

void tst_SensorFieldWindow::followsTheReport()
{
    ShowReport(200, 2000);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    QCOMPARE(field->windowTitle(), QStringLiteral("Orvalis Optical Calculations - Field on the Sensor"));
    QCOMPARE(field->size(), QSize(960, 720));
    QCOMPARE(field->SensorBox->currentIndex(), FilmFrame);
    QVERIFY(!field->PixelsAcrossBox->isEnabled());
    // On film the report and the field window agree on the Moon; pixel figures are dashes.
    QCOMPARE(field->FitsLabel->text(), QStringLiteral("Yes, 5.82 mm to spare"));
    QCOMPARE(field->ScaleLabel->text(), QStringLiteral("\u2014"));
    const QStringList clipped = ClippedCaptions(field);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    SaveScreenshot(field, QStringLiteral("field-film-2000mm"));

    // A second job recomputes the open window; its sensor stays as chosen.
    field->SensorBox->setCurrentIndex(PlanetaryCamera);
    ShowReport(200, 4000);
    QVERIFY(field->isVisible());
    QCOMPARE(field->SensorBox->currentIndex(), PlanetaryCamera);
    QCOMPARE(field->SamplingLabel->text(), QStringLiteral("3.9, over-sampled"));
    QCOMPARE(field->FitsLabel->text(), QStringLiteral("No, 33.23 mm too large"));
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    SaveScreenshot(field, QStringLiteral("field-planetary-4000mm"));

    // A job the report cannot compute: no figure of the earlier job stays, nothing is drawn.
    ShowReport(200, 0);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList{"Floating point division by zero."});
    const QString why = QStringLiteral("Nothing to draw: the results stopped at an error (Floating point division by zero).");
    QCOMPARE(field->JobMessage->text(), why);
    QCOMPARE(field->Picture->accessibleDescription(), why);
    for (QLabel* figure : {field->FieldLabel, field->MoonLabel, field->SamplingLabel, field->FitsLabel})
        QCOMPARE(figure->text(), QStringLiteral("\u2014"));
    // The picture too: nothing of the earlier job is drawn, and there is nothing to save.
    QVERIFY(ShowsNothing(field));

    // A negative effective focal length is no error to the report, but there is nothing to draw.
    ShowReport(200, -500);
    QCOMPARE(field->JobMessage->text(), QStringLiteral("Nothing to draw: the effective focal length is zero or negative."));
    QCOMPARE(field->MoonLabel->text(), QStringLiteral("\u2014"));

    // A camera lens typed at a negative f-ratio leaves a negative aperture: nothing to draw.
    ShowReport(-25, 50);
    QCOMPARE(field->JobMessage->text(), QStringLiteral("Nothing to draw: the aperture is zero or negative."));

    // A camera lens of 50 mm at f/2: the figures come back with the job.
    field->SensorBox->setCurrentIndex(1); // full frame
    ShowReport(25, 50);
    QCOMPARE(field->FitsLabel->text(), QStringLiteral("Yes, 23.55 mm to spare"));
    QCOMPARE(field->Picture->accessibleDescription(),
             QStringLiteral("Frame 36.00 x 24.00 mm; the Moon 0.5 mm across; fits the frame: Yes, 23.55 mm to spare."));
    QVERIFY(!ShowsNothing(field));
    SaveScreenshot(field, QStringLiteral("field-camera-lens-50mm"));

    // Close only hides; the report's menu shows the same window again.
    QTest::mouseClick(field->CloseButton, Qt::LeftButton);
    QVERIFY(!field->isVisible());
    QCOMPARE(OpenFromReport(), field);
}

void tst_SensorFieldWindow::refusedSensorBoxesDrawNothing()
{
    ShowReport(200, 2000);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    QVERIFY(PickItem(field->SensorBox, CooledApsC));
    QCOMPARE(field->PixelsAcrossBox->text(), QStringLiteral("6248"));
    QCOMPARE(field->FrameLabel->text(), QStringLiteral("23.49 x 15.70 mm"));

    TypeInto(field->PixelSizeBox, QStringLiteral("none"));
    QCOMPARE(field->SensorBox->currentText(), QStringLiteral("Your own sensor"));
    QCOMPARE(field->SensorMessage->text(), QStringLiteral("The pixel size must be a number from 0.5 to 50 \u00B5m."));
    QCOMPARE(field->Picture->accessibleDescription(), QStringLiteral("Nothing to draw: the sensor is not complete."));
    QCOMPARE(field->MoonPixelsLabel->text(), QStringLiteral("\u2014"));
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList()); // a plain message, never an error box
    QVERIFY(ShowsNothing(field));

    // A pixel count with a thousands separator is refused, never read as its first digits.
    TypeInto(field->PixelSizeBox, QStringLiteral("3.76"));
    QVERIFY(!ShowsNothing(field));
    TypeInto(field->PixelsAcrossBox, QStringLiteral("6 248"));
    QCOMPARE(field->SensorMessage->text(),
             QStringLiteral("Pixels across must be a whole number from 1 to 100000: write it without separators, e.g. 6248."));
    QVERIFY(ShowsNothing(field));
    TypeInto(field->PixelsAcrossBox, QStringLiteral("6248 px"));
    QCOMPARE(field->FrameLabel->text(), QStringLiteral("23.49 x 15.70 mm"));

    TypeInto(field->PixelSizeBox, QStringLiteral("7.52"));
    QCOMPARE(field->SensorMessage->text(), QString());
    QCOMPARE(field->SensorBox->currentText(), QStringLiteral("Your own sensor"));
    QCOMPARE(field->FrameLabel->text(), QStringLiteral("46.98 x 31.40 mm"));
}

void tst_SensorFieldWindow::savedPictureIsToScale()
{
    ShowReport(200, 2000);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    field->SensorBox->setCurrentIndex(CooledApsC); // frame 23.49 x 15.70 mm, the Moon 18.2 mm
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("field.png"));
    SaveDialogs::SetAnswerer([&path](const SaveDialogs::Request&) { return path; });
    QTest::mouseClick(field->SaveButton, Qt::LeftButton);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    const QImage image(path);
    image.save(qEnvironmentVariable("ORVALIS_SCREENSHOTS", QDir::tempPath()) + QStringLiteral("/field-saved-picture.png"));
    QCOMPARE(image.size(), field->Picture->size() * 2);
    const QPoint centre(image.width() / 2, image.height() / 2);
    // The frame: what is not background, across the centre and down a column near its left
    // edge, where the Moon does not reach. The Moon: what is nearer its grey than the sky's
    // colour, across the centre, where it lies inside the frame.
    const QList<QColor> frame{FieldSky, FieldMoon, FieldOutline, FieldJupiter};
    const int frameWidth = CountAlong(image, {0, centre.y()}, {1, 0}, frame);
    const int frameLeft = (image.width() - frameWidth) / 2;
    const int frameHeight = CountAlong(image, {frameLeft + 6, 0}, {0, 1}, frame);
    const int moon = CountAlong(image, {0, centre.y()}, {1, 0}, {FieldMoon});
    const double pixelsPerMm = frameWidth / 23.4925; // 6248 pixels of 3.76 micrometres
    const QString sizes = QStringLiteral("%1 x %2, Moon %3").arg(frameWidth).arg(frameHeight).arg(moon);
    QVERIFY2(qAbs(frameHeight - 15.7018 * pixelsPerMm) <= 1, qPrintable(sizes));
    QVERIFY2(qAbs(moon - 18.1818 * pixelsPerMm) <= 1.5, qPrintable(sizes)); // both lengths within half a pixel at each end
    QVERIFY(moon > frameHeight); // drawn whole, overflowing the frame
}

void tst_SensorFieldWindow::framesAShowpiece()
{
    ShowReport(80, 600);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    QCOMPARE(field->TargetBox->currentText(), QStringLiteral("The Moon and Jupiter"));
    QVERIFY(PickItem(field->SensorBox, FullFrame));
    QCOMPARE(field->MosaicLabel->text(), QStringLiteral("Not needed"));
    QVERIFY(!field->AngleBox->isEnabled()); // the Moon and Jupiter frame alike at any angle

    QVERIFY(PickItem(field->TargetBox, Andromeda));
    QVERIFY(field->AngleBox->isEnabled());
    QCOMPARE(field->TargetBox->currentText(), QStringLiteral("M31, Andromeda Galaxy"));
    QCOMPARE(field->ExtentLabel->text(), QStringLiteral("20.40 x 26.37 mm"));
    QCOMPARE(field->MosaicLabel->text(), QStringLiteral("a mosaic of 1 x 2 panels at 20% overlap"));
    QCOMPARE(field->CameraLabel->text(), QStringLiteral("Turn the camera to 125\u00B0 to lay it along the longer side"));
    QCOMPARE(field->Picture->accessibleDescription(),
             QStringLiteral("Frame 36.00 x 24.00 mm; M31, Andromeda Galaxy, 31.04 x 12.16 mm, across the frame 20.40 x 26.37 mm "
                            "at a camera angle of 0\u00B0; fits the frame: No; it takes a mosaic of 1 x 2 panels at 20% overlap."));
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    SaveScreenshot(field, QStringLiteral("field-m31-600mm-0deg"));

    // The suggested angle, typed: it fits.
    TypeValue(field->AngleBox, 125);
    QCOMPARE(field->ExtentLabel->text(), QStringLiteral("31.04 x 12.16 mm"));
    QCOMPARE(field->TargetFitsLabel->text(), QStringLiteral("Yes, it fills 86% x 51% of the frame"));
    QCOMPARE(field->MosaicLabel->text(), QStringLiteral("Not needed"));
    SaveScreenshot(field, QStringLiteral("field-m31-600mm-125deg"));
    // Past 359 the angle wraps to 0, as a turned camera does.
    TypeValue(field->AngleBox, 359);
    QTest::keyClick(field->AngleBox, Qt::Key_Up);
    QCOMPARE(field->AngleBox->value(), 0);
    QCOMPARE(field->ExtentLabel->text(), QStringLiteral("20.40 x 26.37 mm"));
    TypeValue(field->OverlapBox, 0);
    QCOMPARE(field->MosaicLabel->text(), QStringLiteral("a mosaic of 1 x 2 panels at 0% overlap"));

    // The California Nebula has no catalogued orientation: a circle, and how it would fit.
    ShowReport(80, 400);
    QVERIFY(PickItem(field->SensorBox, ApsC));
    QVERIFY(PickItem(field->TargetBox, California));
    QCOMPARE(field->TargetImageLabel->text(), QStringLiteral("18.62 x 4.65 mm"));
    QCOMPARE(field->CameraLabel->text(), QStringLiteral("Orientation not catalogued: drawn as a circle; "
                                                        "fits if the camera is turned to lay it along the longer side"));
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    SaveScreenshot(field, QStringLiteral("field-california-400mm"));

    // A speck: M57 through an 8 mm lens, every figure said, none read as zero.
    ShowReport(4, 8);
    QVERIFY(PickItem(field->SensorBox, FullFrame));
    field->TargetBox->setCurrentIndex(12);
    QCOMPARE(field->TargetBox->currentText(), QStringLiteral("M57, Ring Nebula"));
    QCOMPARE(field->TargetPixelsLabel->text(), QStringLiteral("less than 1"));
    QCOMPARE(field->TargetFitsLabel->text(), QStringLiteral("Yes, it fills under 1% x under 1% of the frame"));
    SaveScreenshot(field, QStringLiteral("field-m57-8mm"));
    field->SensorBox->setCurrentIndex(ApsC);

    // Back to the Moon and Jupiter: today's picture and figures, with the Moon's own mosaic.
    ShowReport(200, 4000);
    field->TargetBox->setCurrentIndex(0);
    QCOMPARE(field->ExtentLabel->text(), QStringLiteral("\u2014"));
    QCOMPARE(field->MosaicLabel->text(), QStringLiteral("a mosaic of 2 x 3 panels at 0% overlap"));
}

void tst_SensorFieldWindow::framesWhatIsTyped()
{
    ShowReport(80, 400);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    QVERIFY(PickItem(field->SensorBox, ApsC));
    int changes = 0;
    field->SetTargetChanged([&changes] { ++changes; });
    const auto enter = [field](const QString& text) {
        TypeInto(field->TargetBox, text);
        QTest::keyClick(field->TargetBox->lineEdit(), Qt::Key_Return);
    };

    // Enter takes the best suggestion. NGC 7000's 120' x 30' at 400 mm are 2 x 400 x tan(1°) by
    // 2 x 400 x tan(0.25°); its declination is +44° 31' 43.6".
    enter(QStringLiteral("ngc7000"));
    QCOMPARE(field->TargetBox->currentText(), QStringLiteral("NGC 7000, North America Nebula"));
    QCOMPARE(field->TargetImageLabel->text(), QStringLiteral("13.96 x 3.49 mm"));
    QCOMPARE(field->DeclinationBox->text(), QStringLiteral("44.53"));
    QCOMPARE(changes, 1);
    // A name of nothing is refused beside the box; the target and its figures stay.
    enter(QStringLiteral("xyz"));
    QCOMPARE(field->TargetMessage->text(), QStringLiteral("No object of the catalogue is called \"xyz\"."));
    QCOMPARE(TargetName(field->CurrentTarget()), QStringLiteral("NGC7000"));
    QCOMPARE(field->TargetImageLabel->text(), QStringLiteral("13.96 x 3.49 mm"));
    QCOMPARE(changes, 1);

    // The Coalsack has no size in the catalogue: a mark at the frame's centre, whatever the
    // angle, and the rows that need a size say so.
    enter(QStringLiteral("c99"));
    QCOMPARE(field->TargetMessage->text(), QString());
    QCOMPARE(field->MosaicLabel->text(), QStringLiteral("The catalogue gives no size for it."));
    QVERIFY(!field->AngleBox->isEnabled());
    QVERIFY2(field->Picture->accessibleDescription().contains(QStringLiteral("; C 99, Coalsack Nebula, marked")),
             qPrintable(field->Picture->accessibleDescription()));
    const QImage image = field->Picture->Image(2);
    const QRect frame = Bounds(image, FieldOutline);
    const QRect mark = Bounds(image, FieldTarget, FieldSky);
    QVERIFY2(mark.width() >= 20 && mark.width() < frame.width() / 4, qPrintable(QString::number(mark.width())));
    QVERIFY((mark.center() - frame.center()).manhattanLength() <= 2);
    SaveScreenshot(field, QStringLiteral("field-coalsack-400mm"));
    // The list's first entry names no object, yet typed it is taken as picked.
    enter(QStringLiteral("the moon and jupiter"));
    QCOMPARE(field->TargetMessage->text(), QString());
    QVERIFY(!field->CurrentTarget());
    QCOMPARE(changes, 3);

    // A job keeps the target by name, and puts it back quietly, the declination as it was saved.
    Job::Field part = field->JobPart();
    part.Target = QStringLiteral("NGC7000");
    part.Declination = QStringLiteral("12");
    field->RestoreJobPart(part);
    QCOMPARE(field->TargetBox->currentText(), QStringLiteral("NGC 7000, North America Nebula"));
    QCOMPARE(field->TargetImageLabel->text(), QStringLiteral("13.96 x 3.49 mm"));
    QCOMPARE(field->DeclinationBox->text(), QStringLiteral("12"));
    QCOMPARE(changes, 3);
}

void tst_SensorFieldWindow::surfaceBrightnessRow_data()
{
    QTest::addColumn<QString>("target"); // as a job names it
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("handed"); // none: the button is disabled

    // M31: 23.63 - (4.29 - 3.44) = 22.78 in V.
    QTest::newRow("M31") << "NGC0224" << "22.8 mag per square arcsecond" << "22.8";
    // NGC 253's B - V of 7.94 - 11.11 mixes two measurements: its B-band 22.42 stands.
    QTest::newRow("NGC 253, B band") << "NGC0253" << "22.4 mag per square arcsecond (B band)" << "22.4";
    QTest::newRow("the Moon and Jupiter") << "moon-jupiter" << "\u2014" << QString();
    QTest::newRow("an object without one") << "NGC7000" << "\u2014" << QString();
    QTest::newRow("a point") << "RA 12.5000000h, Dec 10.0000000\u00B0" << "\u2014" << QString();
}

void tst_SensorFieldWindow::surfaceBrightnessRow()
{
    QFETCH(QString, target);
    QFETCH(QString, row);
    QFETCH(QString, handed);
    ShowReport(80, 600);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    QString taken;
    field->SetBrightnessTaker([&taken](const QString& text) { taken = text; });
    // From M31, picked in the list, to the row's target.
    field->TargetBox->setCurrentIndex(Andromeda);
    const NamedTarget named = TargetNamed(target);
    QVERIFY(named.Known);
    field->ShowTarget(named.Target);
    QCOMPARE(field->SurfaceBrightnessLabel->text(), row);
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    QCOMPARE(field->UseBrightnessButton->isEnabled(), !handed.isEmpty());
    QTest::mouseClick(field->UseBrightnessButton, Qt::LeftButton);
    QCOMPARE(taken, handed);
}

void tst_SensorFieldWindow::surfaceBrightnessGoesToTheExposure()
{
    // Through the program: the calculator takes M31's 22.8 and recalculates at once, and the
    // Digital Camera window follows it, as if 22.8 had been typed.
    ShowReport(80, 600);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    TDigitalCameraForm* camera = DigitalCameraWindow();
    TForm1* calculator = Windows().Form1;
    field->TargetBox->setCurrentIndex(Andromeda);
    QTest::mouseClick(field->UseBrightnessButton, Qt::LeftButton);
    QCOMPARE(calculator->BrightnessBox->currentText(), QStringLiteral("22.8"));
    const QString exposure = calculator->ExposureLabel->text();
    const QString cameraBrightness = camera->BrightnessLabel->text();
    TypeInto(calculator->BrightnessBox, QStringLiteral("18"));
    QVERIFY(calculator->ExposureLabel->text() != exposure);
    QVERIFY(camera->BrightnessLabel->text() != cameraBrightness);
    TypeInto(calculator->BrightnessBox, QStringLiteral("22.8"));
    QCOMPARE(calculator->ExposureLabel->text(), exposure);
    QCOMPARE(camera->BrightnessLabel->text(), cameraBrightness);
}

void tst_SensorFieldWindow::savedTargetIsToScale_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<double>("acrossMm"); // the target's extents across the frame
    QTest::addColumn<double>("downMm");
    QTest::addColumn<bool>("upperEndLeft"); // the major axis's upper end left of the centre

    // Position angles turn counter-clockwise on the picture: at 0\u00B0 M31's major axis (35\u00B0)
    // leans from the upper left to the lower right.
    QTest::newRow("0\u00B0, a mosaic of 1 x 2") << 0 << 20.40 << 26.37 << true;
    QTest::newRow("125\u00B0, fits") << 125 << 31.04 << 12.16 << false;
    QTest::newRow("70\u00B0") << 70 << 20.40 << 26.37 << false;
}

void tst_SensorFieldWindow::savedTargetIsToScale()
{
    QFETCH(int, angle);
    QFETCH(double, acrossMm);
    QFETCH(double, downMm);
    QFETCH(bool, upperEndLeft);
    ShowReport(80, 600);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    field->SensorBox->setCurrentIndex(FullFrame); // 36 x 24 mm
    field->TargetBox->setCurrentIndex(Andromeda);
    field->AngleBox->setValue(angle);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("m31.png"));
    SaveDialogs::SetAnswerer([&path](const SaveDialogs::Request&) { return path; });
    QTest::mouseClick(field->SaveButton, Qt::LeftButton);
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());

    const QImage image(path);
    const QRect frame = Bounds(image, FieldOutline);
    const QRect target = Bounds(image, FieldTarget, FieldSky);
    const double pixelsPerMm = frame.width() / 36.0;
    const QString sizes = QStringLiteral("frame %1 x %2, target %3 x %4")
                              .arg(frame.width()).arg(frame.height()).arg(target.width()).arg(target.height());
    QVERIFY2(qAbs(frame.height() - 24 * pixelsPerMm) <= 2, qPrintable(sizes));
    QVERIFY2(qAbs(target.width() - acrossMm * pixelsPerMm) <= 2, qPrintable(sizes));
    QVERIFY2(qAbs(target.height() - downMm * pixelsPerMm) <= 2, qPrintable(sizes));
    QCOMPARE(target.center(), frame.center()); // centred on the frame
    int topLeft = image.width();
    for (int x = 0; x < image.width(); ++x)
        if (Bounds(image.copy(x, target.top(), 1, 3), FieldTarget, FieldSky).isValid())
            topLeft = qMin(topLeft, x);
    QCOMPARE(topLeft < target.center().x() - target.width() / 4, upperEndLeft);
}

void tst_SensorFieldWindow::compassPointsNorthAndEast_data()
{
    QTest::addColumn<int>("angle");
    QTest::newRow("0\u00B0: north up, east left") << 0;
    QTest::newRow("125\u00B0") << 125;
    QTest::newRow("305\u00B0") << 305;
}

void tst_SensorFieldWindow::compassPointsNorthAndEast()
{
    // The camera angle is the position angle of the frame's up direction, counted from north
    // through east; on the sky as seen east lies a quarter turn counter-clockwise from north.
    // So north lies `angle` clockwise from the picture's up, and east `angle` - 90.
    QFETCH(int, angle);
    ShowReport(80, 600);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    field->SensorBox->setCurrentIndex(FullFrame);
    field->TargetBox->setCurrentIndex(Andromeda);
    const auto picture = [field](int at) {
        field->AngleBox->setValue(at);
        return field->Picture->Image(2);
    };
    const auto inked = [](const QImage& image, QPointF at) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (Nearest(image.pixelColor(at.toPoint() + QPoint(dx, dy))) == FieldMoon)
                    return true;
        return false;
    };
    // The compass's centre is where its arrows start at every angle: the ink that the pictures
    // at 0 and 180 degrees share in the lower left quarter.
    const QImage up = picture(0);
    const QImage down = picture(180);
    QPointF sum;
    int count = 0;
    for (int y = up.height() / 2; y < up.height(); ++y)
        for (int x = 0; x < up.width() / 2; ++x)
            if (Nearest(up.pixelColor(x, y)) == FieldMoon && Nearest(down.pixelColor(x, y)) == FieldMoon) {
                sum += QPointF(x, y);
                ++count;
            }
    QVERIFY(count > 0);
    const QPointF centre = sum / count;

    const QImage image = picture(angle);
    // How much of a ray, `clockwise` degrees from up, from 8 to 24 pixels out, carries ink.
    const auto along = [&](double clockwise) {
        const double radians = qDegreesToRadians(clockwise);
        int hits = 0;
        for (int r = 8; r <= 24; ++r)
            hits += inked(image, centre + QPointF(std::sin(radians), -std::cos(radians)) * r) ? 1 : 0;
        return hits / 17.0;
    };
    const QString at = QStringLiteral("compass at (%1, %2)").arg(centre.x()).arg(centre.y());
    QVERIFY2(along(angle) > 0.8, qPrintable(at + QStringLiteral(": no arrow to the north")));
    QVERIFY2(along(angle - 90) > 0.8, qPrintable(at + QStringLiteral(": no arrow to the east")));
    // East mirrored to the right of north, or the compass turned the other way.
    QVERIFY2(along(angle + 90) < 0.3, qPrintable(at + QStringLiteral(": east mirrored")));
    if (angle % 180 != 0) {
        QVERIFY2(along(-angle) < 0.3, qPrintable(at + QStringLiteral(": north turned the wrong way")));
        QVERIFY2(along(-angle - 90) < 0.3, qPrintable(at + QStringLiteral(": east turned the wrong way")));
    }
}

void tst_SensorFieldWindow::followsTheExposureCalculator()
{
    // The exposure calculator at a dark country sky's fog limit, at f/2.8, before the field
    // window exists.
    TForm1* form = Windows().Form1;
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    TypeInto(form->FRatioBox, QStringLiteral("2.8"));
    TypeInto(form->BrightnessBox, QStringLiteral("20.0"));
    // At ISO 200, reciprocity 0.8: 20.0 needs 5525 s, written "1.5 h", 16.0 needs 57.0 s,
    // written "55 s", and 13.8 needs 5.1 s; at 24 mm on 6.0-micrometre pixels (51.566 arcseconds
    // each) a star moves 1611.6, 16.6 and 1.5 pixels in them. The NPF limit is 5.5 s.
    const QString trails = QStringLiteral("; longer than the NPF limit: the stars trail; use a tracking mount or a shorter exposure");

    // A 24 mm lens at f/2.8 on the full-frame preset: the field window made now starts from the
    // current suggestion (its seconds handed over, never read from the caption).
    ShowReport(24 / 2.8, 24);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    QVERIFY(PickItem(field->SensorBox, FullFrame));
    QCOMPARE(field->NpfLabel->text(), QStringLiteral("5.5 s"));
    QCOMPARE(field->TrailLabel->text(), QStringLiteral("1.5 h at f/2.8: a star moves 1611.6 pixels") + trails);
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    SaveScreenshot(field, QStringLiteral("field-untracked-24mm"));

    // About 5 s: more than a pixel of smear, and within the NPF rule, which allows it.
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    TypeInto(form->BrightnessBox, QStringLiteral("13.8"));
    QCOMPARE(field->TrailLabel->text(),
             QStringLiteral("5 s at f/2.8: a star moves 1.5 pixels; within the NPF limit: stars stay round"));
    SaveScreenshot(field, QStringLiteral("field-untracked-24mm-5s"));

    // Each keystroke in the calculator reaches the open field window: 16.0 is a city sky.
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    TypeInto(form->BrightnessBox, QStringLiteral("16.0"));
    QCOMPARE(field->TrailLabel->text(), QStringLiteral("55 s at f/2.8: a star moves 16.6 pixels") + trails);
    QTest::keyClick(form->BrightnessBox->lineEdit(), Qt::Key_X);
    QCOMPARE(field->TrailLabel->text(), QStringLiteral("\u2014 (the exposure calculator shows no exposure: \"???\")"));
    // An arithmetic error box leaves the line as it was, as it leaves the caption.
    TypeInto(form->BrightnessBox, QStringLiteral("80"));
    const QString before = field->TrailLabel->text();
    QVERIFY2(before.startsWith(QStringLiteral("Excessively long at f/2.8")), qPrintable(before));
    QTest::keyClick(form->BrightnessBox->lineEdit(), Qt::Key_0);
    QVERIFY(m_program->Boxes.TakeTexts().contains(QStringLiteral("Floating point overflow.")));
    QCOMPARE(field->TrailLabel->text(), before);

    // The declination: refused, the NPF figure and the trail read a dash; the 500 rule stays.
    TypeInto(field->DeclinationBox, QStringLiteral("95"));
    QCOMPARE(field->DeclinationMessage->text(), QStringLiteral("A number of degrees from -90 to 90."));
    QCOMPARE(field->DeclinationBox->accessibleDescription(), field->DeclinationMessage->text());
    TypeInto(field->DeclinationBox, QStringLiteral("41,27"));
    QCOMPARE(field->DeclinationMessage->text(), QStringLiteral("Write it with a decimal point, e.g. 41.27."));
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    QCOMPARE(field->NpfLabel->text(), QStringLiteral("\u2014"));
    QCOMPARE(field->TrailLabel->text(), QStringLiteral("\u2014"));
    QVERIFY(field->FiveHundredLabel->text().startsWith(QStringLiteral("21 s")));
    // A showpiece brings its declination; the Moon and Jupiter leave it as it is.
    field->TargetBox->setCurrentIndex(Andromeda);
    QCOMPARE(field->DeclinationBox->text(), QStringLiteral("41.27"));
    QCOMPARE(field->DeclinationMessage->text(), QString());
    TypeInto(field->DeclinationBox, QStringLiteral("60"));
    field->TargetBox->setCurrentIndex(0);
    QCOMPARE(field->DeclinationBox->text(), QStringLiteral("60"));
    QCOMPARE(field->NpfLabel->text(), QStringLiteral("11 s"));

    // A telescope at 2000 mm and f/10 with the full Moon, on the cooled astronomy camera: the
    // calculator's f/2.8 belongs to another set-up, and the line says so.
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    QVERIFY(PickItem(form->BrightnessBox, 7));
    ShowReport(200, 2000);
    field->SensorBox->setCurrentIndex(CooledApsC);
    QVERIFY2(field->TrailLabel->text().endsWith(QStringLiteral(" (computed for another set-up: this one is f/10)")),
             qPrintable(field->TrailLabel->text()));
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
    SaveScreenshot(field, QStringLiteral("field-untracked-2000mm-moon"));
    // The longest line there is: a trail, and another set-up's f/ratio.
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    TypeInto(form->FRatioBox, QStringLiteral("2.8"));
    TypeInto(form->BrightnessBox, QStringLiteral("16.0"));
    ShowReport(200, 2000);
    QVERIFY2(field->TrailLabel->text().endsWith(trails + QStringLiteral(" (computed for another set-up: this one is f/10)")),
             qPrintable(field->TrailLabel->text()));
    QVERIFY2(ClippedCaptions(field).isEmpty(), qPrintable(ClippedCaptions(field).join(QLatin1Char('\n'))));
}

void tst_SensorFieldWindow::digitalCameraFollowsTheOtherWindows()
{
    // The worked example: an 80 mm refractor at 480 mm, the cooled APS-C camera (3.76
    // micrometres, monochrome, typically 1.5 e- and 80%), a sky of 21.0 and an object of 22.0:
    // P = 1.2538 and S = 0.49914 e- per pixel per second, t = 17.51 s shown "18 s", T = 753.8 s
    // in 42 frames.
    TForm1* form = Windows().Form1;
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    TypeInto(form->BrightnessBox, QStringLiteral("22.0"));
    ShowReport(80, 480);
    TSensorFieldForm* field = OpenFromReport();
    QVERIFY(field);
    field->SensorBox->setCurrentIndex(CooledApsC);
    QTest::mouseClick(field->DigitalCameraButton, Qt::LeftButton);
    TDigitalCameraForm* camera = Windows().DigitalCameraForm;
    QVERIFY(camera);
    QVERIFY(QTest::qWaitForWindowActive(camera));
    QCOMPARE(camera->ReadNoiseBox->text(), QStringLiteral("1.5"));
    QCOMPARE(camera->SubExposureLabel->text(), QStringLiteral("18 s: read noise then adds 5%"));
    QCOMPARE(camera->TotalLabel->text(), QStringLiteral("42 frames of 18 s, 13 min in all"));
    SaveScreenshot(camera, QStringLiteral("digital-camera-worked-example"));
    TypeInto(camera->SkyBox, QStringLiteral("18.5"));
    QCOMPARE(camera->SubExposureLabel->text(), QStringLiteral("1.8 s: read noise then adds 5%"));
    QCOMPARE(camera->TotalLabel->text(), QStringLiteral("3186 frames of 1.8 s, 96 min in all"));
    SaveScreenshot(camera, QStringLiteral("digital-camera-city-sky"));

    // A keystroke in the exposure calculator reaches the object's row and the totals: at 21.0
    // the object is 2.512 times brighter.
    const QString object = camera->ObjectRateLabel->text();
    ShowWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    TypeInto(form->BrightnessBox, QStringLiteral("21.0"));
    QCOMPARE(camera->ObjectRateLabel->text(), QStringLiteral("1.25 e\u207B per pixel per second"));
    QVERIFY(camera->ObjectRateLabel->text() != object);
    QVERIFY(camera->TotalLabel->text() != QStringLiteral("3186 frames of 1.8 s, 96 min in all"));

    // Another sensor in the field window: its pixels, and its typical figures (a colour
    // camera's 2.5 e- and 50%).
    field->SensorBox->setCurrentIndex(ApsC);
    QCOMPARE(camera->ReadNoiseBox->text(), QStringLiteral("2.5"));
    QCOMPARE(camera->EfficiencyBox->text(), QStringLiteral("50"));
    QVERIFY(camera->ColourBox->isChecked());
    QVERIFY2(camera->SensorLabel->text().contains(QStringLiteral("3.9")), qPrintable(camera->SensorLabel->text()));
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tst_SensorFieldWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SensorFieldWindow.moc"
