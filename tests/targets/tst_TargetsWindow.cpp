// Targets Tonight as a user meets it: opened from the start window and from Tonight, ranked for
// Tonight's night, narrowed at once by its filters, its list saved as CSV, and a row taken as
// the target of the field and Tonight windows. M31 from Paris on 15 October 2026: transit at
// 22:56:53 UTC at 82.6°, 122.3° from the Moon then (PyEphem 4.1.4, topocentric).

#include "TestSupport.h"

#include "app/TStartForm.h"
#include "field/SensorField.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "targets/TTargetsForm.h"
#include "ui/SaveDialogs.h"

#include <QDateEdit>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

//! Tonight set to Paris on 15 October 2026, above 30°.
TTonightForm* Paris()
{
    TTonightForm* tonight = TonightWindow();
    tonight->ZoneBox->setEditText(QStringLiteral("Europe/Paris"));
    tonight->LatitudeBox->setText(QStringLiteral("48.8566"));
    tonight->LongitudeBox->setText(QStringLiteral("2.3522"));
    tonight->DateBox->setDate(QDate(2026, 10, 15));
    tonight->LowestBox->setValue(30);
    return tonight;
}

} // namespace

class tst_TargetsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensFromTheStartWindowAndTonight();
    void listOfAKnownNight();
    void filtersChangeTheListAtOnce();
    void aRowTakenBecomesTheTarget();
    void aFrameOnTheScreen();
    void missingValuesGoLast_data();
    void missingValuesGoLast();

private:
    std::unique_ptr<RunningProgram> m_program;
};

void tst_TargetsWindow::init()
{
    m_program = std::make_unique<RunningProgram>();
}

void tst_TargetsWindow::cleanup()
{
    SaveDialogs::SetAnswerer({});
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_TargetsWindow::opensFromTheStartWindowAndTonight()
{
    // Ctrl+G in the start window: made now, with Tonight made quietly for its night.
    TStartForm* start = Windows().StartForm;
    ShowWindow(start);
    QVERIFY(QTest::qWaitForWindowActive(start));
    QVERIFY(!Windows().TargetsForm && !Windows().TonightForm);
    QTest::keyClick(start, Qt::Key_G, Qt::ControlModifier);
    TTargetsForm* targets = Windows().TargetsForm;
    QVERIFY(targets);
    QVERIFY(QTest::qWaitForWindowActive(targets));
    QCOMPARE(targets->windowTitle(), QStringLiteral("Orvalis Calculator - Targets Tonight"));
    QVERIFY(Windows().TonightForm && !Windows().TonightForm->isVisible());
    QCOMPARE(targets->FrameLabel->text(), QStringLiteral("any size: run the optical calculations first"));
    targets->close();

    // Tonight's "Targets..." brings it back.
    TTonightForm* tonight = Paris();
    ShowWindow(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    QTest::mouseClick(tonight->TargetsButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(targets));
    QCOMPARE(targets->NightLabel->text(), QStringLiteral("48.8566, 2.3522 on 2026-10-15, Europe/Paris; above 30\u00B0 (from Tonight)"));
}

void tst_TargetsWindow::listOfAKnownNight()
{
    TTonightForm* tonight = Paris();
    TTargetsForm* targets = TargetsWindow();
    TypeInto(targets->NameBox, QStringLiteral("M31"));
    QCOMPARE(targets->CountLabel->text(), QStringLiteral("1 of 13,371 objects"));
    // The same night as Tonight's own rows for M31: dark and above 30° 9 h 41 min, 9 h 23 min of
    // it with the Moon down.
    tonight->TargetBox->setCurrentIndex(tonight->TargetBox->findText(QStringLiteral("M31"), Qt::MatchStartsWith));
    QVERIFY2(tonight->DarkAboveLabel->text().endsWith(QStringLiteral("(9 h 41 min)")), qPrintable(tonight->DarkAboveLabel->text()));
    QVERIFY2(tonight->MoonDownLabel->text().endsWith(QStringLiteral("(9 h 23 min)")), qPrintable(tonight->MoonDownLabel->text()));
    const QByteArray csv = "Object,Kind,Const.,Mag.,Size (\u2032 \u00D7 \u2032),Frame,Dark and up,Moon down,Best,Moon\r\n"
                           "\"M31, Andromeda Galaxy\",galaxy,And,3.4,178 \u00D7 70,\u2014,9:41,9:23,\"00:57, 83\u00B0\",122\u00B0\r\n";
    QCOMPARE(targets->ListCsv(), csv);

    // "Save List..." writes the list as shown through the program's one safe writer.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("targets.csv"));
    SaveDialogs::SetAnswerer([&path](const SaveDialogs::Request& request) {
        return request.SuggestedPath.endsWith(QStringLiteral("Targets 2026-10-15.csv")) ? path : QString();
    });
    QTest::mouseClick(targets->SaveButton, Qt::LeftButton);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), csv);
}

void tst_TargetsWindow::filtersChangeTheListAtOnce()
{
    Paris();
    TTargetsForm* targets = TargetsWindow();
    // A group of galaxies counts as galaxies: Stephan's Quintet goes with the box.
    TypeInto(targets->NameBox, QStringLiteral("Stephan"));
    QCOMPARE(targets->CountLabel->text(), QStringLiteral("1 of 13,371 objects"));
    targets->GalaxiesBox->click();
    QCOMPARE(targets->CountLabel->text(), QStringLiteral("0 of 13,371 objects"));
    QVERIFY(!targets->SaveButton->isEnabled());
    // Nothing listed, nothing printed: Ctrl+P asks no printer (none is set up here).
    ShowWindow(targets);
    QVERIFY(QTest::qWaitForWindowActive(targets));
    QTest::keyClick(targets, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(m_program->Boxes.TakeTexts().isEmpty());
    targets->GalaxiesBox->click();
    // At 30 min first; "any" lets through what never rises, far more than a night's sky.
    TypeInto(targets->NameBox, QString());
    const int first = targets->ShownRows().rowCount();
    targets->AtLeastBox->setCurrentIndex(0);
    QVERIFY(targets->ShownRows().rowCount() > first);
    QCOMPARE(targets->ShownRows().rowCount(), 13371);
    // Its first order: the longest dark time with the Moon down at the top.
    const TargetTableModel& model = targets->TableModel();
    const auto moonDown = [&](int row) {
        return model.Rows()[static_cast<std::size_t>(targets->ShownRows().mapToSource(targets->ShownRows().index(row, 0)).row())]
            .Night.MoonDown;
    };
    for (int row = 1; row < 200; ++row)
        QVERIFY(moonDown(row - 1) >= moonDown(row));
}

void tst_TargetsWindow::aRowTakenBecomesTheTarget()
{
    TTonightForm* tonight = Paris();
    TTargetsForm* targets = TargetsWindow();
    ShowWindow(targets);
    QVERIFY(QTest::qWaitForWindowActive(targets));
    TypeInto(targets->NameBox, QStringLiteral("north america"));
    QCOMPARE(targets->ShownRows().rowCount(), 1);
    targets->Table->setFocus();
    targets->Table->setCurrentIndex(targets->ShownRows().index(0, 0));
    QTest::keyClick(targets->Table, Qt::Key_Return);
    TSensorFieldForm* field = Windows().SensorFieldForm;
    QVERIFY(field);
    QVERIFY(QTest::qWaitForWindowActive(field));
    QCOMPARE(field->TargetBox->currentText(), QStringLiteral("NGC 7000, North America Nebula"));
    QCOMPARE(tonight->TargetBox->currentText(), QStringLiteral("NGC 7000, North America Nebula"));
    QCOMPARE(field->DeclinationBox->text(), QStringLiteral("44.53"));
    m_program->Boxes.Take(); // the field window's report, shown without a job of the wizard's
}

void tst_TargetsWindow::aFrameOnTheScreen()
{
    // M31 (177.83' x 69.66' at 35°) on an APS-C camera of 23.4 x 15.6 mm at 400 mm, turned to
    // lay it along the width: 400 tan(177.83') = 20.70 mm, 88% of 23.4 mm. However long the
    // fills take, the window shown ranks them in slices and ends with every row filled.
    Paris();
    TTargetsForm* targets = TargetsWindow();
    ShowWindow(targets);
    QVERIFY(QTest::qWaitForWindowActive(targets));
    TypeInto(targets->NameBox, QStringLiteral("M31"));
    QCOMPARE(targets->ShownRows().data(targets->ShownRows().index(0, TargetTableModel::FrameColumn)).toString(),
             QStringLiteral("\u2014"));
    targets->ShowFrame({SensorPresets[2].Model, 400, 20, QStringLiteral("APS-C camera, 24 MP")});
    QTRY_COMPARE(targets->ShownRows().data(targets->ShownRows().index(0, TargetTableModel::FrameColumn)).toString(),
                 QStringLiteral("88%"));
    QVERIFY(!targets->Progress->isVisible());
    QCOMPARE(targets->FrameLabel->text(), QStringLiteral("APS-C camera, 24 MP at 400 mm (from the field window)"));
}

void tst_TargetsWindow::missingValuesGoLast_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");

    QTest::newRow("Mag., ascending") << int(TargetTableModel::MagnitudeColumn) << false;
    QTest::newRow("Mag., descending") << int(TargetTableModel::MagnitudeColumn) << true;
    QTest::newRow("Size, ascending") << int(TargetTableModel::SizeColumn) << false;
    QTest::newRow("Size, descending") << int(TargetTableModel::SizeColumn) << true;
}

void tst_TargetsWindow::missingValuesGoLast()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    Paris();
    TTargetsForm* targets = TargetsWindow();
    targets->AtLeastBox->setCurrentIndex(0); // every object
    targets->Table->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    const TargetTableProxy& shown = targets->ShownRows();
    const auto cell = [&](int row) { return shown.data(shown.index(row, column)).toString(); };
    const QString none = QStringLiteral("\u2014");
    QVERIFY(cell(0) != none);
    QCOMPARE(cell(shown.rowCount() - 1), none);
    // The values in order up to the first row without one, and none after it.
    int row = 1;
    for (; row < shown.rowCount() && cell(row) != none; ++row) {
        const double previous = cell(row - 1).split(QLatin1Char(' ')).front().toDouble();
        const double value = cell(row).split(QLatin1Char(' ')).front().toDouble();
        QVERIFY2(descending ? previous >= value : previous <= value, qPrintable(cell(row - 1) + " / " + cell(row)));
    }
    for (; row < shown.rowCount(); ++row)
        QCOMPARE(cell(row), none);
}

QTEST_MAIN(tst_TargetsWindow)
#include "tst_TargetsWindow.moc"
