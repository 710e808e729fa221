#include "TestSupport.h"

#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"

#include <QAccessible>

class tst_ConfigurationWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowLooksAsDesigned();
    void cameraLensAloneIsChosenAtStart();
    void telescopeConfigurationsLeadToTheTelescopeWindow_data();
    void telescopeConfigurationsLeadToTheTelescopeWindow();
    void nothingCheckedIsRefused();
    void backReturnsToWhoeverOpenedTheWizard_data();
    void backReturnsToWhoeverOpenedTheWizard();
    void afterAReportBackLeadsToTheWindowBeforeIt();
    void choiceSurvivesClosing();
    void keyboardChoosesAndMovesOn();

private:
    std::unique_ptr<RunningProgram> m_program;
    TOpticForm2* m_form = nullptr;
};

void tst_ConfigurationWindow::init()
{
    m_program = std::make_unique<RunningProgram>();
    m_form = Windows().OpticForm2;
}

void tst_ConfigurationWindow::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_ConfigurationWindow::windowLooksAsDesigned()
{
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Orvalis Optical Calculations"));
    QCOMPARE(m_form->size(), QSize(503, 446));
    QCOMPARE(m_form->Panel1->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(m_form->Panel1->focusPolicy() & Qt::TabFocus);
    const QStringList clipped = ClippedCaptions(m_form);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    // A screen reader reads every choice with its explanation.
    for (QRadioButton* button : m_form->findChildren<QRadioButton*>()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QCOMPARE(accessible->text(QAccessible::Name), button->text());
        QVERIFY2(accessible->text(QAccessible::Description).size() > 40, qPrintable(button->objectName()));
    }
    SaveScreenshot(m_form, QStringLiteral("configuration"));
}

void tst_ConfigurationWindow::cameraLensAloneIsChosenAtStart()
{
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    QVERIFY(m_form->CamLensButton->isChecked());
    QCOMPARE(m_form->findChildren<QRadioButton*>().size(), 7);
    int checked = 0;
    for (const QRadioButton* button : m_form->findChildren<QRadioButton*>())
        checked += button->isChecked();
    QCOMPARE(checked, 1);
    // "Next >>" never takes the camera-lens road to the telescope window.
    QTest::mouseClick(m_form->Button3, Qt::LeftButton);
    QVERIFY(!Windows().OpticForm1->isVisible());
    QCOMPARE(m_program->Boxes.TakeTexts(), QStringList());
}

void tst_ConfigurationWindow::telescopeConfigurationsLeadToTheTelescopeWindow_data()
{
    QTest::addColumn<QString>("button");
    for (const char* name : {"PrimeFocusButton", "AfocalButton", "CompressionButton", "NegProjTeleButton",
                             "NegProjBarlowButton", "EyepieceProjButton"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_ConfigurationWindow::telescopeConfigurationsLeadToTheTelescopeWindow()
{
    QFETCH(QString, button);
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    ClickRadio(m_form->findChild<QRadioButton*>(button));
    QVERIFY(m_form->findChild<QRadioButton*>(button)->isChecked());
    QWidget* before = OpticalJob.ReturnWindow;
    QTest::mouseClick(m_form->Button3, Qt::LeftButton);
    QVERIFY(Windows().OpticForm1->isVisible());
    QVERIFY(!m_form->isVisible());
    QCOMPARE(OpticalJob.ReturnWindow, before);
}

void tst_ConfigurationWindow::nothingCheckedIsRefused()
{
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    // No user can uncheck every button; the window still copes with it.
    for (QRadioButton* button : m_form->findChildren<QRadioButton*>()) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
    QTest::mouseClick(m_form->Button3, Qt::LeftButton);
    const QList<MessageBoxes::Request> boxes = m_program->Boxes.Take();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].Text, QStringLiteral("You must select a configuration before proceeding."));
    QCOMPARE(boxes[0].Caption, QStringLiteral("Orvalis Calculator"));
    QVERIFY(m_form->isVisible());
}

void tst_ConfigurationWindow::backReturnsToWhoeverOpenedTheWizard_data()
{
    QTest::addColumn<bool>("fromCalculator");
    QTest::newRow("start window") << false;
    QTest::newRow("exposure calculator") << true;
}

void tst_ConfigurationWindow::backReturnsToWhoeverOpenedTheWizard()
{
    QFETCH(bool, fromCalculator);
    QWidget* opener = Windows().StartForm;
    if (fromCalculator) {
        QTest::mouseClick(Windows().StartForm->Button1, Qt::LeftButton);
        opener = Windows().Form1;
        QTest::mouseClick(Windows().Form1->Button1, Qt::LeftButton);
    } else {
        QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    }
    QCOMPARE(OpticalJob.ReturnWindow, opener);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QVERIFY(opener->isVisible()); // it stays open behind the wizard

    QTest::mouseClick(m_form->Button2, Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(opener));
}

void tst_ConfigurationWindow::afterAReportBackLeadsToTheWindowBeforeIt()
{
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    ClickRadio(m_form->PrimeFocusButton);
    QTest::mouseClick(m_form->Button3, Qt::LeftButton);
    TOpticForm1* telescope = Windows().OpticForm1;
    ClickRow(telescope->ListBox1, 0);
    QTest::mouseClick(telescope->Button1, Qt::LeftButton);
    QCOMPARE(OpticalJob.ReturnWindow, telescope);

    // Opening the wizard again makes the opener the way back once more.
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    QCOMPARE(OpticalJob.ReturnWindow, Windows().StartForm);
}

void tst_ConfigurationWindow::choiceSurvivesClosing()
{
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    ClickRadio(m_form->NegProjBarlowButton);
    m_form->close(); // the close box only hides
    QVERIFY(!m_form->isVisible());
    QVERIFY(!Windows().OpticForm1->isVisible());
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    QVERIFY(m_form->NegProjBarlowButton->isChecked());
}

void tst_ConfigurationWindow::keyboardChoosesAndMovesOn()
{
    QTest::mouseClick(Windows().StartForm->Button2, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    m_form->CamLensButton->setFocus();
    QTest::keyClick(m_form->CamLensButton, Qt::Key_Down);
    QVERIFY(m_form->PrimeFocusButton->isChecked());
    QCOMPARE(TabOrder(m_form->PrimeFocusButton, 4), (QStringList{"PrimeFocusButton", "Button3", "Button2", "Panel1"}));
    // The focused panel answers Space like a button (the About window joins later).
    QTest::keyClick(m_form->Panel1, Qt::Key_Space);
    QVERIFY(m_form->isVisible());
}

ORVALIS_WIDGET_TEST_MAIN(tst_ConfigurationWindow)
#include "tst_ConfigurationWindow.moc"
