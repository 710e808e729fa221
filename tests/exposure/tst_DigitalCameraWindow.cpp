// The digital camera window as a user meets it: following what it is handed and what is typed,
// the sensor's typical figures filling the boxes not typed in, and named for screen readers.

#include "TestSupport.h"

#include "exposure/DigitalCamera.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "field/TSensorFieldForm.h"
#include "ui/WindowRules.h"

#include <QCheckBox>

namespace {

constexpr int FilmFrame = 0;
constexpr int FullFrame = 1;  // colour, 3.0 e-, 50%
constexpr int CooledApsC = 5; // monochrome, 1.5 e-, 80%, 3.76-micrometre pixels
constexpr int Planetary = 7;  // colour, 1.0 e-, 80%
constexpr int Andromeda = 6;  // targets in the field window's list
constexpr int Orion = 8;

const QString Dash = QStringLiteral("\u2014");

//! The worked example: an 80 mm refractor at 480 mm on the cooled camera, an object of 22.0.
void ShowRefractor(TDigitalCameraForm& window)
{
    window.ShowJob({480, 80, {}});
    window.ShowSensor(SensorPresets[CooledApsC].Model, CooledApsC);
    window.ShowBrightness(22.0);
}

bool FilterEnabled(const QComboBox* box, int row)
{
    return box->model()->flags(box->model()->index(row, 0)).testFlag(Qt::ItemIsEnabled);
}

} // namespace

class tst_DigitalCameraWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingChangesTheRows_data();
    void typingChangesTheRows();
    void typicalFiguresFollowTheSensor();
    void filmAndColourSensor();
    void namedForScreenReaders();
    void followsTheOtherWindows();

private:
    std::unique_ptr<ScriptedBoxes> m_boxes;
    std::unique_ptr<TDigitalCameraForm> m_window;
};

void tst_DigitalCameraWindow::init()
{
    m_boxes = std::make_unique<ScriptedBoxes>();
    m_window = std::make_unique<TDigitalCameraForm>();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void tst_DigitalCameraWindow::cleanup()
{
    m_window.reset();
    const QStringList unexpected = m_boxes->TakeTexts(); // the window never shows an error box
    m_boxes.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_DigitalCameraWindow::typingChangesTheRows_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("rows"); // sub-exposure, total, the box's refusal; your total, if any

    // The worked example gives 18 s and 42 frames; each row changes one box of it.
    QTest::newRow("suburban sky") << "SkyBox" << "18.5"
                                  << QStringList{"1.8 s: read noise then adds 5%", "3186 frames of 1.8 s, 96 min in all", ""};
    QTest::newRow("sky refused") << "SkyBox" << "9.9"
                                 << QStringList{Dash, Dash, "A number from 10 to 25 mag per square arcsecond."};
    // Half the quantum efficiency: P = 0.62690, t = 35.0 s; T = 1510 s, 44 frames.
    QTest::newRow("efficiency 40%") << "EfficiencyBox" << "40%"
                                    << QStringList{"35 s: read noise then adds 5%", "44 frames of 35 s, 26 min in all", ""};
    // 10%: C = 1 / 0.21, t = 8.55 s shown 8.5 s; T = 809.8 s, 96 frames.
    QTest::newRow("read noise adds 10%") << "RiseBox" << "10"
                                         << QStringList{"8.5 s: read noise then adds 10%", "96 frames of 8.5 s, 14 min in all", ""};
    QTest::newRow("no read noise") << "ReadNoiseBox" << "0 e-"
                                   << QStringList{"no limit: read noise is negligible at any length",
                                                  "12 min in all, in frames of any length", ""};
    QTest::newRow("signal-to-noise refused") << "SignalToNoiseBox" << "1001"
                                             << QStringList{"18 s: read noise then adds 5%", Dash, "A number from 1 to 1000."};
    // Frames of 300 s: T = 706.6 s, 3 frames; the read noise adds sqrt(1 + 2.25 / 376.1) - 1.
    QTest::newRow("your sub-exposure") << "YourSubExposureBox" << "300 s"
                                       << QStringList{"18 s: read noise then adds 5%", "42 frames of 18 s, 13 min in all", "",
                                                      "3 frames of 300 s, 15 min in all; read noise adds 0.3%"};
    QTest::newRow("your sub-exposure refused") << "YourSubExposureBox" << "0"
                                               << QStringList{"18 s: read noise then adds 5%", "42 frames of 18 s, 13 min in all",
                                                              "A number of seconds from 0.001 to 3600.", Dash};
}

void tst_DigitalCameraWindow::typingChangesTheRows()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QStringList, rows);
    ShowRefractor(*m_window);
    QCOMPARE(m_window->TotalLabel->text(), QStringLiteral("42 frames of 18 s, 13 min in all"));

    auto* control = m_window->findChild<QWidget*>(box);
    TypeInto(control, typed);
    const QString message = m_window->findChild<QLabel*>(box.chopped(3) + QStringLiteral("Message"))->text();
    QStringList seen{m_window->SubExposureLabel->text(), m_window->TotalLabel->text(), message};
    if (!m_window->YourTotalLabel->text().isEmpty())
        seen << m_window->YourTotalLabel->text();
    QCOMPARE(seen, rows);
    QCOMPARE(control->accessibleDescription(), message);
    QVERIFY2(ClippedCaptions(m_window.get()).isEmpty(), qPrintable(ClippedCaptions(m_window.get()).join(QLatin1Char('\n'))));
}

void tst_DigitalCameraWindow::typicalFiguresFollowTheSensor()
{
    ShowRefractor(*m_window);
    QCOMPARE((QStringList{m_window->ReadNoiseBox->text(), m_window->EfficiencyBox->text()}), (QStringList{"1.5", "80"}));
    QVERIFY(!m_window->ColourBox->isChecked());

    // Typed read noise stays; the untyped boxes take the full-frame camera's figures.
    TypeInto(m_window->ReadNoiseBox, QStringLiteral("2.2"));
    m_window->ShowSensor(SensorPresets[FullFrame].Model, FullFrame);
    QCOMPARE((QStringList{m_window->ReadNoiseBox->text(), m_window->EfficiencyBox->text()}), (QStringList{"2.2", "50"}));
    QVERIFY(m_window->ColourBox->isChecked());
    QVERIFY(!m_window->ReadNoiseTypical->isVisible());
    QVERIFY(m_window->EfficiencyTypical->isVisible());

    // The user's own sensor brings no figures: the boxes keep what they hold.
    m_window->ShowSensor(Sensor{false, 4000, 3000, 4.0}, -1);
    QCOMPARE(m_window->EfficiencyBox->text(), QStringLiteral("50"));
    QVERIFY(!m_window->EfficiencyTypical->isVisible());

    // Unticking the colour box keeps it unticked for the planetary camera too.
    QTest::mouseClick(m_window->ColourBox, Qt::LeftButton, {}, QPoint(6, m_window->ColourBox->height() / 2));
    m_window->ShowSensor(SensorPresets[Planetary].Model, Planetary);
    QVERIFY(!m_window->ColourBox->isChecked());
    QCOMPARE((QStringList{m_window->ReadNoiseBox->text(), m_window->EfficiencyBox->text()}), (QStringList{"2.2", "80"}));

    // The emission box follows the target, off at first, until the user sets it; it waits for
    // the narrowband filter, the only one it changes anything behind.
    QVERIFY(!m_window->EmissionBox->isChecked());
    QVERIFY(!m_window->EmissionBox->isEnabled());
    m_window->ShowTarget(true);
    QVERIFY(m_window->EmissionBox->isChecked());
    QVERIFY(m_window->EmissionTypical->isVisible());
    QVERIFY(PickItem(m_window->FilterBox, static_cast<int>(NarrowbandFilter)));
    QTest::mouseClick(m_window->EmissionBox, Qt::LeftButton, {}, QPoint(6, m_window->EmissionBox->height() / 2));
    QVERIFY(!m_window->EmissionBox->isChecked());
    QVERIFY(!m_window->EmissionTypical->isVisible());
    m_window->ShowTarget(true);
    QVERIFY(!m_window->EmissionBox->isChecked());
}

void tst_DigitalCameraWindow::filmAndColourSensor()
{
    // Before the field window hands anything over, the window assumes its first entry, film.
    m_window->ShowJob({480, 80, {}});
    m_window->ShowBrightness(22.0);
    QCOMPARE(m_window->SensorLabel->text(), QStringLiteral("For digital sensors: pick one in the field window."));
    QCOMPARE((QStringList{m_window->SkyRateLabel->text(), m_window->TotalLabel->text()}), (QStringList{Dash, Dash}));

    // A monochrome sensor with the red filter; a colour one has its own and takes the band whole.
    m_window->ShowSensor(SensorPresets[CooledApsC].Model, CooledApsC);
    QVERIFY(PickItem(m_window->FilterBox, 1));
    QCOMPARE(m_window->SkyRateLabel->text(), QStringLiteral("0.418 e\u207B per pixel per second")); // a third of 1.2538
    m_window->ShowSensor(SensorPresets[FullFrame].Model, FullFrame);
    QCOMPARE(m_window->FilterBox->currentIndex(), 0);
    QCOMPARE(m_window->FilterBox->currentText(), QStringLiteral("none, 400\u2013700 nm"));
    QCOMPARE((QList<bool>{FilterEnabled(m_window->FilterBox, 0), FilterEnabled(m_window->FilterBox, 1),
                          FilterEnabled(m_window->FilterBox, 2), FilterEnabled(m_window->FilterBox, 3),
                          FilterEnabled(m_window->FilterBox, 4)}),
             (QList<bool>{true, false, false, false, true}));
    m_window->ShowSensor(SensorPresets[FilmFrame].Model, FilmFrame);
    QCOMPARE(m_window->SubExposureLabel->text(), Dash);

    // Behind a narrowband filter a colour sensor's rates are those of the pixels under the
    // line's colour, which the window says: 1.2538 x 7 / 300 undivided.
    m_window->ShowSensor(SensorPresets[FullFrame].Model, FullFrame);
    QVERIFY(m_window->NarrowbandNote->text().isEmpty());
    QVERIFY(PickItem(m_window->FilterBox, static_cast<int>(NarrowbandFilter)));
    QCOMPARE(m_window->NarrowbandNote->text(), QString::fromUtf8(NarrowbandOnColourNote));
    QVERIFY(m_window->NarrowbandNote->text().contains(QStringLiteral("the red ones, one in four, for hydrogen-alpha")));
    QVERIFY2(ClippedCaptions(m_window.get()).isEmpty(), qPrintable(ClippedCaptions(m_window.get()).join(QLatin1Char('\n'))));
    m_window->ShowSensor(SensorPresets[CooledApsC].Model, CooledApsC);
    QCOMPARE(m_window->SkyRateLabel->text(), QStringLiteral("0.0293 e\u207B per pixel per second"));
    QVERIFY(m_window->NarrowbandNote->text().isEmpty());
}

void tst_DigitalCameraWindow::namedForScreenReaders()
{
    // Each box is named after its caption, and the keyboard goes down the rows.
    const QList<QWidget*> boxes{m_window->ReadNoiseBox, m_window->EfficiencyBox, m_window->SkyBox, m_window->FilterBox,
                                m_window->ObstructionBox, m_window->RiseBox, m_window->SignalToNoiseBox,
                                m_window->YourSubExposureBox};
    for (QWidget* box : boxes) {
        const QLabel* caption = nullptr;
        for (const QLabel* label : m_window->findChildren<QLabel*>())
            if (label->buddy() == box)
                caption = label;
        QVERIFY2(caption && box->accessibleName() == caption->text(), qPrintable(box->objectName()));
    }
    QCOMPARE(TabOrder(m_window->ReadNoiseBox, 11),
             (QStringList{"ReadNoiseBox", "EfficiencyBox", "ColourBox", "SkyBox", "FilterBox", "ObstructionBox", "RiseBox",
                          "SignalToNoiseBox", "YourSubExposureBox", "CloseButton",
                          "ReadNoiseBox"})); // the width and emission boxes wait for narrowband
    QVERIFY2(ClippedCaptions(m_window.get()).isEmpty(), qPrintable(ClippedCaptions(m_window.get()).join(QLatin1Char('\n'))));
    SaveScreenshot(m_window.get(), QStringLiteral("digital-camera"));
}

void tst_DigitalCameraWindow::followsTheOtherWindows()
{
    // The program's own windows: the exposure calculator and the field window reach the camera
    // through the window set.
    m_window.reset();
    RunningProgram program;
    const TDigitalCameraForm* camera = DigitalCameraWindow();
    TForm1* calculator = Windows().Form1;
    ShowWindow(calculator);
    QVERIFY(QTest::qWaitForWindowActive(calculator));
    TypeInto(calculator->BrightnessBox, QStringLiteral("79"));
    QCOMPARE(camera->BrightnessLabel->text(), QStringLiteral("79.0 mag per square arcsecond"));
    // 790 overflows in the calculator: the brightness it last completed with no longer stands.
    QTest::keyClick(calculator->BrightnessBox->lineEdit(), Qt::Key_0);
    QCOMPARE(program.Boxes.TakeTexts(), QStringList{QStringLiteral("Floating point overflow.")});
    QCOMPARE(camera->BrightnessLabel->text(),
             QStringLiteral("\u2014 (the exposure calculator stopped at an error: Floating point overflow)"));
    QTest::keyClick(calculator->BrightnessBox->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(camera->BrightnessLabel->text(), QStringLiteral("79.0 mag per square arcsecond"));

    // The emission box follows the field window's target: an emission nebula, then a galaxy.
    TSensorFieldForm* field = SensorFieldWindow();
    field->TargetBox->setCurrentIndex(Orion);
    QVERIFY(camera->EmissionBox->isChecked());
    field->TargetBox->setCurrentIndex(Andromeda);
    QVERIFY(!camera->EmissionBox->isChecked());
    QVERIFY(program.Boxes.TakeTexts().isEmpty());
}

ORVALIS_WIDGET_TEST_MAIN(tst_DigitalCameraWindow)

#include "tst_DigitalCameraWindow.moc"
