// Makes the README's pictures from the running program: starts its windows as at start-up,
// drives them with the mouse and keyboard as a user would, and saves each window as a PNG.
// Run it under a real X server (scripts/screenshots does so under xvfb-run).

#include "TestSupport.h"

#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "exposure/TDigitalCameraForm.h"
#include "sky/TTonightForm.h"
#include "targets/TTargetsForm.h"
#include "ui/NightVision.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QAction>
#include <QCompleter>
#include <QPainter>
#include <QDateEdit>

#include <cstdio>

namespace {

QString Folder;

//! Saves the window as it is on screen once it has settled; false when it is not shown.
bool Save(QWidget* window, const QString& name)
{
    if (!window->isVisible() || !QTest::qWaitForWindowExposed(window))
        return false;
    QTest::qWait(300); // let pending paints and the focus frame settle
    const QString file = Folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!window->grab().save(file, "PNG"))
        return false;
    std::printf("%s\n", qPrintable(file));
    return true;
}

//! The optical wizard from the start window, as a user goes through it: prime focus of a
//! telescope of the given aperture and focal length, up to the results report.
bool PrimeFocus(const QString& aperture, const QString& focalLength)
{
    const ProgramWindows& w = Windows();
    QTest::mouseClick(w.StartForm->Button2, Qt::LeftButton);
    if (!QTest::qWaitForWindowExposed(w.OpticForm2))
        return false;
    ClickRadio(w.OpticForm2->PrimeFocusButton);
    QTest::mouseClick(w.OpticForm2->Button3, Qt::LeftButton);
    if (!QTest::qWaitForWindowExposed(w.OpticForm1))
        return false;
    TypeInto(w.OpticForm1->ApertureEditBox, aperture);
    TypeInto(w.OpticForm1->FocalEditBox, focalLength);
    QTest::mouseClick(w.OpticForm1->Button1, Qt::LeftButton);
    return QTest::qWaitForWindowExposed(w.OpticReportForm);
}

bool MakePictures()
{
    const ProgramWindows& w = Windows();
    if (!Save(w.StartForm, QStringLiteral("start-window")))
        return false;

    // The full Moon picked from the brightness list, the other boxes as the program starts.
    QTest::mouseClick(w.StartForm->Button1, Qt::LeftButton);
    if (!w.Form1->isVisible() || !QTest::qWaitForWindowExposed(w.Form1))
        return false;
    const int fullMoon = w.Form1->BrightnessBox->findText(QStringLiteral("Moon, full"), Qt::MatchContains);
    if (fullMoon < 0 || !PickItem(w.Form1->BrightnessBox, fullMoon))
        return false;
    if (!Save(w.Form1, QStringLiteral("exposure-calculator")))
        return false;

    // Prime focus of a 200 mm telescope of 2000 mm focal length.
    if (!PrimeFocus(QStringLiteral("200"), QStringLiteral("2000")) || !Save(w.OpticReportForm, QStringLiteral("results-report")))
        return false;

    // The same job on the film frame, from the report's View menu.
    w.OpticReportForm->FieldontheSensor1->trigger();
    TSensorFieldForm* field = Windows().SensorFieldForm;
    if (!field || !QTest::qWaitForWindowExposed(field) || !Save(field, QStringLiteral("field-on-the-sensor")))
        return false;

    // The Andromeda Galaxy at the prime focus of an 80 mm telescope of 600 mm focal length, on
    // a full-frame camera: it takes a mosaic of two panels unless the camera is turned.
    if (!PrimeFocus(QStringLiteral("80"), QStringLiteral("600")))
        return false;
    w.OpticReportForm->FieldontheSensor1->trigger();
    const int andromeda = field->TargetBox->findText(QStringLiteral("M31"), Qt::MatchStartsWith);
    if (!QTest::qWaitForWindowActive(field) || !PickItem(field->SensorBox, 1) || andromeda < 0
        || !PickItem(field->TargetBox, andromeda) || !Save(field, QStringLiteral("field-framing")))
        return false;

    // Any object of the catalogue: the North America Nebula typed into the target box, with a
    // 135 mm lens on an APS-C camera.
    if (!PrimeFocus(QStringLiteral("48"), QStringLiteral("135")))
        return false;
    w.OpticReportForm->FieldontheSensor1->trigger();
    if (!QTest::qWaitForWindowActive(field) || !PickItem(field->SensorBox, 2))
        return false;
    TypeInto(field->TargetBox, QStringLiteral("NGC 7000"));
    QTest::keyClick(field->TargetBox->lineEdit(), Qt::Key_Return);
    if (!Save(field, QStringLiteral("field-ngc7000")))
        return false;

    // A name typed in part: the finder's suggestions for "stephan", Stephan's Quintet among them.
    TypeInto(field->TargetBox, QStringLiteral("stephan"));
    QWidget* popup = field->TargetBox->lineEdit()->completer()->popup();
    if (!QTest::qWaitForWindowExposed(popup))
        return false;
    QTest::qWait(300);
    QPixmap shot = field->grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(field->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    }
    const QString finder = Folder + QStringLiteral("/field-finder.png");
    if (!shot.save(finder, "PNG"))
        return false;
    std::printf("%s\n", qPrintable(finder));
    QTest::keyClick(popup, Qt::Key_Escape);
    field->TargetBox->setCurrentIndex(andromeda); // for Tonight

    // Tonight: the Andromeda Galaxy from Paris on 2026-10-15, from the field window's button.
    QTest::mouseClick(field->TonightButton, Qt::LeftButton);
    TTonightForm* tonight = Windows().TonightForm;
    if (!tonight || !QTest::qWaitForWindowActive(tonight))
        return false;
    TypeInto(tonight->LatitudeBox, QStringLiteral("48.8566"));
    TypeInto(tonight->LongitudeBox, QStringLiteral("2.3522"));
    tonight->DateBox->setDate(QDate(2026, 10, 15));
    TypeInto(tonight->ZoneBox, QStringLiteral("Europe/Paris"));
    tonight->Chart->SetNow(std::nullopt);
    if (!Save(tonight, QStringLiteral("tonight")))
        return false;
    // And its sheet, exported as PDF.
    const QString sheet = Folder + QStringLiteral("/tonight-sheet.pdf");
    QFile::remove(sheet);
    SaveDialogs::SetAnswerer([&sheet](const SaveDialogs::Request&) { return sheet; });
    QTest::mouseClick(tonight->ExportButton, Qt::LeftButton);
    SaveDialogs::SetAnswerer({});
    if (!QFile::exists(sheet))
        return false;
    std::printf("%s\n", qPrintable(sheet));

    // Targets Tonight for the same night, an APS-C camera at 400 mm: galaxies and nebulae that
    // fit one frame, from Tonight's button.
    if (!PrimeFocus(QStringLiteral("80"), QStringLiteral("400")))
        return false;
    field->SensorBox->setCurrentIndex(2);
    QTest::mouseClick(tonight->TargetsButton, Qt::LeftButton);
    TTargetsForm* targets = Windows().TargetsForm;
    if (!targets || !QTest::qWaitForWindowActive(targets))
        return false;
    for (QCheckBox* box : {targets->OpenClustersBox, targets->GlobularBox, targets->DarkNebulaeBox, targets->OtherBox})
        box->setChecked(false);
    targets->SizeBox->setCurrentIndex(1);
    if (!Save(targets, QStringLiteral("targets-tonight")))
        return false;
    const QString list = Folder + QStringLiteral("/targets-sheet.pdf");
    QFile::remove(list);
    SaveDialogs::SetAnswerer([&list](const SaveDialogs::Request&) { return list; });
    QTest::mouseClick(targets->ExportButton, Qt::LeftButton);
    SaveDialogs::SetAnswerer({});
    if (!QFile::exists(list))
        return false;
    std::printf("%s\n", qPrintable(list));
    targets->close();
    tonight->close();

    // The Digital Camera window for the worked example: an 80 mm refractor at 480 mm on the
    // cooled APS-C camera, an object of 22.0 under a sky of 21.0.
    if (!PrimeFocus(QStringLiteral("80"), QStringLiteral("480")))
        return false;
    w.OpticReportForm->FieldontheSensor1->trigger();
    if (!QTest::qWaitForWindowActive(field))
        return false;
    field->SensorBox->setCurrentIndex(5);
    TypeInto(w.Form1->BrightnessBox, QStringLiteral("22.0"));
    w.Form1->Recalculate();
    QTest::mouseClick(field->DigitalCameraButton, Qt::LeftButton);
    if (!Windows().DigitalCameraForm || !Save(Windows().DigitalCameraForm, QStringLiteral("digital-camera")))
        return false;
    w.Form1->BrightnessBox->setCurrentIndex(fullMoon); // as the night vision picture shows it

    // The exposure calculator in night vision.
    NightVision::Action()->trigger();
    ShowWindow(w.Form1);
    return QTest::qWaitForWindowExposed(w.Form1) && Save(w.Form1, QStringLiteral("night-vision"));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: orvalis-screenshots <folder>\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    Folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(Folder)) {
        std::fprintf(stderr, "orvalis-screenshots: cannot make %s\n", qPrintable(Folder));
        return 1;
    }
    QApplication::setCursorFlashTime(0); // a steady text cursor, so the pictures do not depend on timing
    RunningProgram program;
    const bool made = MakePictures();
    const QStringList boxes = program.Boxes.TakeTexts();
    if (!made || !boxes.isEmpty()) {
        std::fprintf(stderr, "orvalis-screenshots: the windows did not go as planned%s%s\n",
                     boxes.isEmpty() ? "" : "; a message box said: ", qPrintable(boxes.join(QLatin1Char(' '))));
        return 1;
    }
    return 0;
}
