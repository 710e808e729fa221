// The Tonight window as a user meets it: opened from the start window and from the field
// window with its target, the place and the night on the zone's clock, and refusals. Times are
// PyEphem 4.1.4's (pressure 0, the Sun's upper limb at -34'), computed apart from the program.

#include "TestSupport.h"

#include "app/TStartForm.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticReportForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDateEdit>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

constexpr int Andromeda = 6; // in the target list, after "The Moon and Jupiter"

//! Types a text, or pastes it where it holds signs that no key of the test's keyboard makes.
void TypeOrPaste(QLineEdit* box, const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0x7E) {
            box->setFocus();
            box->selectAll();
            box->insert(text);
            return;
        }
    TypeInto(box, text);
}

//! Sets the place, the date and the zone as a user types them.
void Plan(TTonightForm* tonight, const QString& latitude, const QString& longitude, QDate date, const QString& zone)
{
    TypeOrPaste(tonight->LatitudeBox, latitude);
    TypeOrPaste(tonight->LongitudeBox, longitude);
    tonight->DateBox->setDate(date);
    TypeInto(tonight->ZoneBox, zone);
}

//! Sets every box at once, as a job file would, for the rows that only read the night.
void Set(TTonightForm* tonight, double latitude, double longitude, QDate date, const QString& zone, const QString& target,
         int lowest = 30)
{
    tonight->ZoneBox->setEditText(zone);
    tonight->LatitudeBox->setText(QString::number(latitude, 'f', 4));
    tonight->LongitudeBox->setText(QString::number(longitude, 'f', 4));
    tonight->DateBox->setDate(date);
    tonight->TargetBox->setCurrentIndex(tonight->TargetBox->findText(target));
    tonight->LowestBox->setValue(lowest);
    QCOMPARE(tonight->TargetBox->currentText(), target);
}

} // namespace

class tst_TonightWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithTheFieldWindowsTarget();
    void nightOnTheZonesClock_data();
    void nightOnTheZonesClock();
    void refusalsLeaveNothingToShow();
    void aYearBeyondTheTablesIsSaid_data();
    void aYearBeyondTheTablesIsSaid();
    void anyObjectOrPointTyped_data();
    void anyObjectOrPointTyped();
    void pickedAmongSuggestionsAndLeft();
    void nightRunsNoonToNoonOnTheClock_data();
    void nightRunsNoonToNoonOnTheClock();
    void moonAtMidnight_data();
    void moonAtMidnight();
    void skippedDates_data();
    void skippedDates();

private:
    std::unique_ptr<RunningProgram> m_program;
};

void tst_TonightWindow::init()
{
    m_program = std::make_unique<RunningProgram>();
}

void tst_TonightWindow::cleanup()
{
    const QStringList unexpected = EndProgram(m_program);
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void tst_TonightWindow::opensWithTheFieldWindowsTarget()
{
    // Ctrl+T in the start window: made now, with the list's first entry and the place of the
    // time zone's city (the test runs in Europe/Paris: +4852+00220 in zone1970.tab).
    TStartForm* start = Windows().StartForm;
    ShowWindow(start);
    QVERIFY(QTest::qWaitForWindowActive(start));
    QVERIFY(!Windows().TonightForm);
    QTest::keyClick(start, Qt::Key_T, Qt::ControlModifier);
    TTonightForm* tonight = Windows().TonightForm;
    QVERIFY(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    QCOMPARE(tonight->TargetBox->currentIndex(), 0);
    QCOMPARE(tonight->LatitudeBox->text(), QStringLiteral("48.8667"));
    QCOMPARE(tonight->LongitudeBox->text(), QStringLiteral("2.3333"));
    QCOMPARE(tonight->PlaceNote->text(), QStringLiteral("Paris, the time zone's city: type your own place for exact times."));
    QCOMPARE(tonight->ZoneBox->currentText(), QStringLiteral("Europe/Paris"));
    // The night under way: before 12:00 it is the night that began the day before.
    const QDateTime now = QDateTime::currentDateTime().toTimeZone(QTimeZone("Europe/Paris"));
    QCOMPARE(tonight->DateBox->date(), now.time().hour() < 12 ? now.date().addDays(-1) : now.date());
    TypeInto(tonight->LatitudeBox, QStringLiteral("48.8566"));
    QCOMPARE(tonight->PlaceNote->text(), QString());
    tonight->close();

    // The field window's "Tonight..." hands over its target.
    OpticalJob.ApertureMm = 80;
    OpticalJob.TelescopeFocalLengthMm = OpticalJob.EffectiveFocalLengthMm = 600;
    OpticalJob.ConfigurationText = "Prime focus";
    ShowWindow(Windows().OpticReportForm);
    TSensorFieldForm* field = SensorFieldWindow();
    ShowWindow(field);
    QVERIFY(QTest::qWaitForWindowActive(field));
    field->TargetBox->setCurrentIndex(Andromeda);
    QTest::mouseClick(field->TonightButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    QCOMPARE(tonight->TargetBox->currentText(), QStringLiteral("M31, Andromeda Galaxy"));
    m_program->Boxes.Take(); // the report, shown without a job of the wizard's
}

void tst_TonightWindow::nightOnTheZonesClock_data()
{
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("sunset");
    QTest::addColumn<QString>("dark");   // its beginning, or all of it
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QString>("screenshot");

    // Paris on 2026-10-15: sunset 17:01:09 UTC, sunrise 06:12:21 UTC, dark from 18:45:59 UTC.
    QTest::newRow("M31 from Paris") << "48\u00B051\u203224\u2033N" << "2 21 8 E" << QDate(2026, 10, 15) << "Europe/Paris"
                                    << Andromeda << "19:01 / 08:12" << "20:46 / " << "UTC+02:00" << "tonight-m31-paris";
    // The same place on New York's clock: the night from 18:00 to 18:00 Paris time.
    QTest::newRow("Paris on New York's clock") << "48.8566" << "2.3522" << QDate(2026, 10, 15) << "America/New_York"
                                               << Andromeda << "13:01 / 02:12" << "14:46 / " << "UTC-04:00" << "";
    // Summer time ends in the night of 24 to 25 October 2026: sunset 16:44:08 UTC on summer
    // time, sunrise 06:26:17 UTC on winter time; dark from 18:29:47 UTC.
    QTest::newRow("summer time ends") << "48.8566" << "2.3522" << QDate(2026, 10, 24) << "Europe/Paris" << Andromeda
                                      << "18:44 / 07:26" << "20:30 / " << "UTC+02:00, then UTC+01:00" << "";
    // Near full Moon (26 October 2026, 04:12 UTC), the Moon and Jupiter: sunset 16:42:20 UTC,
    // sunrise 06:27:51 UTC, dark from 18:28:07 UTC.
    QTest::newRow("the Moon and Jupiter") << "48.8566" << "2.3522" << QDate(2026, 10, 25) << "Europe/Paris" << 0
                                          << "17:42 / 07:28" << "19:28 / " << "UTC+01:00" << "tonight-moon-jupiter";
    // Helsinki at midsummer: sunset 19:49:59.7 UTC, sunrise 00:54:19.9 UTC; the Sun stays above
    // -18 degrees all night.
    QTest::newRow("a summer night at 60 north") << "60.1699" << "24.9384" << QDate(2026, 6, 21) << "Europe/Helsinki"
                                                << Andromeda << "22:50 / 03:54" << "never: the Sun stays above -18\u00B0"
                                                << "UTC+03:00" << "tonight-helsinki-midsummer";
}

void tst_TonightWindow::nightOnTheZonesClock()
{
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QDate, date);
    QFETCH(QString, zone);
    QFETCH(int, target);
    QFETCH(QString, sunset);
    QFETCH(QString, dark);
    QFETCH(QString, offset);
    QFETCH(QString, screenshot);
    TTonightForm* tonight = TonightWindow();
    ShowWindow(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    tonight->TargetBox->setCurrentIndex(target);
    Plan(tonight, latitude, longitude, date, zone);
    QCOMPARE(tonight->LatitudeMessage->text(), QString());
    QCOMPARE(tonight->SunsetLabel->text(), sunset);
    QVERIFY2(tonight->DarkLabel->text().startsWith(dark), qPrintable(tonight->DarkLabel->text()));
    QCOMPARE(tonight->OffsetLabel->text(), offset);
    QVERIFY(tonight->SaveButton->isEnabled());
    QVERIFY2(ClippedCaptions(tonight).isEmpty(), qPrintable(ClippedCaptions(tonight).join(QLatin1Char('\n'))));
    if (!screenshot.isEmpty())
        SaveScreenshot(tonight, screenshot);
    // "Save Picture..." keeps the chart, at twice its size.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tonight.png"));
    SaveDialogs::SetAnswerer([&path](const SaveDialogs::Request&) { return path; });
    QTest::mouseClick(tonight->SaveButton, Qt::LeftButton);
    SaveDialogs::SetAnswerer({});
    QCOMPARE(QImage(path).size(), tonight->Chart->size() * 2);
}

void tst_TonightWindow::refusalsLeaveNothingToShow()
{
    TTonightForm* tonight = TonightWindow();
    ShowWindow(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    Plan(tonight, QStringLiteral("48,8566"), QStringLiteral("2.3522"), QDate(2026, 10, 15), QStringLiteral("Europe/Paris"));
    QVERIFY(!tonight->LatitudeMessage->text().isEmpty());
    QCOMPARE(tonight->LatitudeBox->accessibleDescription(), tonight->LatitudeMessage->text());
    QCOMPARE(tonight->SunsetLabel->text(), QStringLiteral("\u2014"));
    QCOMPARE(tonight->MoonDownLabel->text(), QStringLiteral("\u2014"));
    QVERIFY(!tonight->SaveButton->isEnabled());

    TypeInto(tonight->LatitudeBox, QStringLiteral("48.8566"));
    QCOMPARE(tonight->SunsetLabel->text(), QStringLiteral("19:01 / 08:12"));
    TypeInto(tonight->ZoneBox, QStringLiteral("Mars/Olympus_Mons"));
    QVERIFY(!tonight->ZoneMessage->text().isEmpty());
    QCOMPARE(tonight->SunsetLabel->text(), QStringLiteral("\u2014"));
    QCOMPARE(tonight->OffsetLabel->text(), QString());
}

void tst_TonightWindow::aYearBeyondTheTablesIsSaid_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("note"); // how it starts; empty for none

    QTest::newRow("before leap seconds") << QDate(1959, 6, 15) << "Before 1960 there are no leap seconds";
    QTest::newRow("within the tables") << QDate(2026, 10, 15) << "";
    QTest::newRow("after the last known leap second") << QDate(2090, 6, 15) << "Leap seconds after the astronomers' tables";
}

void tst_TonightWindow::aYearBeyondTheTablesIsSaid()
{
    QFETCH(QDate, date);
    QFETCH(QString, note);
    TTonightForm* tonight = TonightWindow();
    Plan(tonight, QStringLiteral("48.8566"), QStringLiteral("2.3522"), date, QStringLiteral("Europe/Paris"));
    QVERIFY(tonight->SaveButton->isEnabled());
    const QString said = tonight->NightMessage->text();
    QVERIFY2(note.isEmpty() ? said.isEmpty() : said.startsWith(note), qPrintable(said));
    QVERIFY2(!said.contains(QLatin1String("minute")), qPrintable(said));
}

void tst_TonightWindow::anyObjectOrPointTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("above"); // 30°, or what stays beside the box
    QTest::addColumn<QString>("message");

    // Paris on 15 October 2026 (UTC+2); PyEphem 4.1.4, refracted for 1010 hPa and 10 °C.
    // NGC 7000 (20:59:17.14 +44:31:43.6) rises above 30° at 13:00:04 UTC and sinks at 01:26:58.
    QTest::newRow("a catalogue object") << "ngc 7000" << "NGC 7000, North America Nebula" << "15:00 to 03:27" << "";
    QTest::newRow("a point where it lies")
        << "20:59:17.14 +44:31:43.6" << "RA 20h 59m 17s, Dec +44\u00B0 31\u2032 44\u2033" << "15:00 to 03:27" << "";
    // A point of the user's: 5h35m17.3s -5°23'28" rises above 30° at 01:50:45 UTC, sinks at 05:46:12.
    QTest::newRow("a point of the user's")
        << "5h35m17.3s -5 23 28" << "RA 05h 35m 17s, Dec \u221205\u00B0 23\u2032 28\u2033" << "03:51 to 07:46" << "";
    // At 12h -30° it culminates at 90° - 48.86° - 30° = 11.1°, refraction adding 0.1°.
    QTest::newRow("a point never high enough")
        << "12:00:00 -30:00:00" << "RA 12h 00m 00s, Dec \u221230\u00B0 00\u2032 00\u2033" << "never: highest 11\u00B0" << "";
    // Refused beside the box: the target and every row stay the Andromeda Galaxy's, which rises
    // above 30° at 16:58:31 UTC and sinks at 04:55:16.
    QTest::newRow("a name of nothing") << "xyz" << "xyz" << "18:59 to 06:55"
                                       << "No object of the catalogue is called \"xyz\".";
    QTest::newRow("a non-existent entry") << "NGC 412" << "NGC 412" << "18:59 to 06:55"
                                          << "NGC 412: the catalogue lists no object there.";
}

void tst_TonightWindow::anyObjectOrPointTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, above);
    QFETCH(QString, message);
    TTonightForm* tonight = TonightWindow();
    Set(tonight, 48.8566, 2.3522, QDate(2026, 10, 15), QStringLiteral("Europe/Paris"), QStringLiteral("M31, Andromeda Galaxy"));
    ShowWindow(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    TypeInto(tonight->TargetBox, typed);
    QTest::keyClick(tonight->TargetBox->lineEdit(), Qt::Key_Return);
    QCOMPARE(tonight->TargetBox->currentText(), shown);
    QCOMPARE(tonight->AboveLabel->text(), above);
    QCOMPARE(tonight->TargetMessage->text(), message);
    QCOMPARE(tonight->TargetBox->accessibleDescription(), message);
}

void tst_TonightWindow::pickedAmongSuggestionsAndLeft()
{
    TTonightForm* tonight = TonightWindow();
    ShowWindow(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    QLineEdit* line = tonight->TargetBox->lineEdit();
    // The finder's suggestions, unfiltered by the completer; the arrow and Enter take one.
    TypeInto(tonight->TargetBox, QStringLiteral("veil"));
    QAbstractItemView* popup = line->completer()->popup();
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(popup->model()->rowCount() >= 2);
    const QString second = popup->model()->index(1, 0).data().toString();
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QVERIFY(!popup->isVisible());
    QVERIFY2(second.startsWith(tonight->TargetBox->currentText() + QStringLiteral(" (")),
             qPrintable(tonight->TargetBox->currentText() + " / " + second));
    const QString taken = tonight->TargetBox->currentText();

    // A text typed and not taken goes when the box is left for another control, with what was
    // said of it...
    TypeInto(tonight->TargetBox, QStringLiteral("xyz"));
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(tonight->TargetMessage->text(), QStringLiteral("No object of the catalogue is called \"xyz\"."));
    tonight->LowestBox->setFocus(Qt::TabFocusReason);
    QCOMPARE(tonight->TargetBox->currentText(), taken);
    QCOMPARE(tonight->TargetMessage->text(), QString());
    // ...but stays while the user is in another window, copying the rest of it.
    TypeInto(tonight->TargetBox, QStringLiteral("5 35 17"));
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(tonight->TargetBox, &away);
    QCOMPARE(line->text(), QStringLiteral("5 35 17"));
}

void tst_TonightWindow::nightRunsNoonToNoonOnTheClock_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("above"); // 30°

    // Paris, on nights of 25 and 23 hours; PyEphem 4.1.4, refracted for 1010 hPa and 10 °C.
    // Summer time ends on 25 October 2026: M101 sinks below 30° at 18:49:17 UTC, comes back at
    // 04:33:04 UTC, and is still up at 12:00 on winter time.
    QTest::newRow("summer time ends") << QDate(2026, 10, 24) << "M101, Pinwheel Galaxy" << "12:00 to 20:49 and 05:33 to 12:00";
    // Summer time begins on 29 March 2026: M31 sinks below 30° at 18:09:23 UTC, comes back at
    // 06:08:45 UTC and is still up at 12:00 on summer time.
    QTest::newRow("summer time begins") << QDate(2026, 3, 28) << "M31, Andromeda Galaxy" << "12:00 to 19:09 and 08:09 to 12:00";
}

void tst_TonightWindow::nightRunsNoonToNoonOnTheClock()
{
    QFETCH(QDate, date);
    QFETCH(QString, target);
    QFETCH(QString, above);
    TTonightForm* tonight = TonightWindow();
    Set(tonight, 48.8566, 2.3522, date, QStringLiteral("Europe/Paris"), target);
    QCOMPARE(tonight->AboveLabel->text(), above);
}

void tst_TonightWindow::moonAtMidnight_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("lit");
    QTest::addColumn<QString>("fromTarget");

    // PyEphem 4.1.4 at the first moment of the next date: 25.34% and 122.78° at 00:00 in Paris
    // (21% and 127° at the night's noon).
    QTest::newRow("Paris") << 48.8566 << 2.3522 << QDate(2026, 10, 15) << "Europe/Paris" << "M31, Andromeda Galaxy"
                           << "25%, waxing" << "123°";
    // Havana's clock skips from 00:00 to 01:00 on 9 March 2025: 76.04% and 41.88° at 01:00.
    QTest::newRow("Havana, midnight skipped") << 23.1333 << -82.3667 << QDate(2025, 3, 8) << "America/Havana"
                                              << "M42, Orion Nebula" << "76%, waxing" << "42°";
    // Apia's clock skips 30 December 2011: 32.81% and 98.02° at 00:00 on 31 December.
    QTest::newRow("Apia, the next date skipped") << -13.8333 << -171.7333 << QDate(2011, 12, 29) << "Pacific/Apia"
                                                 << "M42, Orion Nebula" << "33%, waxing" << "98°";
}

void tst_TonightWindow::moonAtMidnight()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(QString, zone);
    QFETCH(QString, target);
    QFETCH(QString, lit);
    QFETCH(QString, fromTarget);
    TTonightForm* tonight = TonightWindow();
    Set(tonight, latitude, longitude, date, zone, target);
    QCOMPARE(tonight->MoonLitLabel->text(), lit);
    QCOMPARE(tonight->MoonDistanceLabel->text(), fromTarget);
}

void tst_TonightWindow::skippedDates_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("sunset");
    QTest::addColumn<QString>("note");

    // Apia went from UTC-10 to UTC+14 at the end of 29 December 2011, Kiritimati at the end of
    // 30 December 1994. A night that runs into the skipped date ends where the clock comes
    // back; the skipped date's own night starts there. Sunsets and sunrises are PyEphem 4.1.4's.
    const double apia[] = {-13.8333, -171.7333};
    const double kiritimati[] = {1.8667, -157.3333};
    QTest::newRow("Apia, the day before") << apia[0] << apia[1] << QDate(2011, 12, 28) << "Pacific/Apia" << "19:57 / 07:01" << "";
    QTest::newRow("Apia, into the skipped date")
        << apia[0] << apia[1] << QDate(2011, 12, 29) << "Pacific/Apia" << "19:57 / \u2014"
        << "Pacific/Apia skipped 30 December 2011 (its clock went from 29 to 31 December 2011): this night ends at 00:00 on 31 December.";
    QTest::newRow("Apia, the skipped date")
        << apia[0] << apia[1] << QDate(2011, 12, 30) << "Pacific/Apia" << "\u2014 / 07:01"
        << "Pacific/Apia skipped 30 December 2011 (its clock went from 29 to 31 December 2011): this night starts at 00:00 on 31 December.";
    QTest::newRow("Apia, the day after") << apia[0] << apia[1] << QDate(2011, 12, 31) << "Pacific/Apia" << "19:58 / 07:02" << "";
    QTest::newRow("Kiritimati, into the skipped date")
        << kiritimati[0] << kiritimati[1] << QDate(1994, 12, 30) << "Pacific/Kiritimati" << "18:33 / \u2014"
        << "Pacific/Kiritimati skipped 31 December 1994 (its clock went from 30 December 1994 to 1 January 1995): this night ends "
           "at 00:00 on 1 January.";
    QTest::newRow("Kiritimati, the skipped date")
        << kiritimati[0] << kiritimati[1] << QDate(1994, 12, 31) << "Pacific/Kiritimati" << "\u2014 / 06:32"
        << "Pacific/Kiritimati skipped 31 December 1994 (its clock went from 30 December 1994 to 1 January 1995): this night "
           "starts at 00:00 on 1 January.";
}

void tst_TonightWindow::skippedDates()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(QString, zone);
    QFETCH(QString, sunset);
    QFETCH(QString, note);
    TTonightForm* tonight = TonightWindow();
    ShowWindow(tonight);
    QVERIFY(QTest::qWaitForWindowActive(tonight));
    Set(tonight, latitude, longitude, date, zone, QStringLiteral("M42, Orion Nebula"));
    QCOMPARE(tonight->SunsetLabel->text(), sunset);
    QCOMPARE(tonight->NightMessage->text(), note);
    QVERIFY2(ClippedCaptions(tonight).isEmpty(), qPrintable(ClippedCaptions(tonight).join(QLatin1Char('\n'))));
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The place at first comes from the system's time zone: this one, whatever the machine's.
    qputenv("TZ", "Europe/Paris");
    QApplication application(argc, argv);
    tst_TonightWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_TonightWindow.moc"
