#include "sky/TTonightForm.h"

#include "sky/Coordinates.h"
#include "sky/NightTexts.h"
#include "sky/Showpieces.h"
#include "sky/SkyPlaces.h"
#include "sky/TargetChooser.h"
#include "sky/TargetNames.h"
#include "print/WindowPrinting.h"
#include "ui/ErrorReport.h"
#include "ui/ErrorText.h"
#include "ui/Look.h"
#include "ui/QuietBoxes.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QShortcut>

#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

//! What a row reads where the night cannot be computed.
const QString NoFigureText = QStringLiteral("\u2014");

//! The folder of the system's zone files, where tzdata keeps its own tables.
QString ZoneFolder()
{
    const QString folder = qEnvironmentVariable("TZDIR");
    return folder.isEmpty() ? QStringLiteral("/usr/share/zoneinfo") : folder;
}

//! The time zone's principal city, from the time-zone database's own tables: zone1970.tab,
//! then the older zone.tab. These two system tables are the only files the window reads.
std::optional<ZonePlace> ZoneCityPlace(const QByteArray& zone)
{
    for (const QString& name : {QStringLiteral("zone1970.tab"), QStringLiteral("zone.tab")}) {
        QFile table(ZoneFolder() + QLatin1Char('/') + name);
        if (!table.open(QIODevice::ReadOnly))
            continue;
        if (const std::optional<ZonePlace> place = FindZonePlace(table.readAll().toStdString(), zone.toStdString()))
            return place;
    }
    return std::nullopt;
}

//! "UTC+01:00", "UTC-03:30".
QString OffsetText(int seconds)
{
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

//! The zones offered: the system's own list without its fixed "UTC+hh:mm" offsets, which
//! name no place, and the system's own zone.
QStringList OfferedZones()
{
    static const QRegularExpression fixedOffset(QStringLiteral("^UTC[+-]"));
    QStringList zones;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        if (!fixedOffset.match(QString::fromLatin1(id)).hasMatch())
            zones << QString::fromLatin1(id);
    const QString system = QString::fromLatin1(QTimeZone::systemTimeZoneId());
    if (!zones.contains(system))
        zones << system;
    zones.sort();
    return zones;
}

//! The moment `time` of `date` on the zone's clock or, where the clock skipped it, the first
//! moment after it that the clock shows: 03:00 for 02:30 on the morning a change to summer
//! time skips, 00:00 on 31 December 2011 for any time of the 30th at Pacific/Apia, which
//! crossed the date line. Invalid only where the zone's tables do not say how it skipped.
QDateTime ClockMoment(QDate date, QTime time, const QTimeZone& zone)
{
    // A moment the clock shows as asked for. (A Qt that moves a skipped reading on by itself
    // makes a valid moment of another reading: that is not taken as the clock's.)
    const QDateTime moment(date, time, zone);
    if (moment.isValid() && moment.date() == date && moment.time() == time)
        return moment;
    // The clock reading as if it were UTC. The clock skipped it at a transition where the
    // offset grew past it: the reading lies between the transition's moment on the old offset
    // and on the new. Offsets stay within a day, so the transition lies within a day of it.
    const qint64 reading = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    constexpr qint64 Day = 86400;
    for (const QTimeZone::OffsetData& transition : zone.transitions(QDateTime::fromSecsSinceEpoch(reading - Day, Qt::UTC),
                                                                    QDateTime::fromSecsSinceEpoch(reading + Day, Qt::UTC))) {
        const qint64 at = transition.atUtc.toSecsSinceEpoch();
        const int before = zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(at - 1, Qt::UTC));
        if (reading >= at + before && reading < at + transition.offsetFromUtc)
            return transition.atUtc.toTimeZone(zone);
    }
    return moment;
}

//! The night's note where the zone's clock never showed the night's date (the night starts
//! late) or the next (it ends early), or empty: "Pacific/Apia skipped 30 December 2011 (its
//! clock went from 29 to 31 December 2011): this night starts at 00:00 on 31 December."
QString SkippedDateText(const QString& zone, QDate night, const QTimeZone& clock)
{
    for (const QDate skipped : {night, night.addDays(1)}) {
        const QDateTime first = ClockMoment(skipped, QTime(0, 0), clock);
        if (!first.isValid() || first.date() == skipped)
            continue;
        const QDate before = skipped.addDays(-1);
        const QString from = before.year() == first.date().year()
                                 ? (before.month() == first.date().month() ? before.toString(QStringLiteral("d"))
                                                                           : before.toString(QStringLiteral("d MMMM")))
                                 : before.toString(QStringLiteral("d MMMM yyyy"));
        return QStringLiteral("%1 skipped %2 (its clock went from %3 to %4): this night %5 at %6 on %7.")
            .arg(zone, skipped.toString(QStringLiteral("d MMMM yyyy")), from,
                 first.date().toString(QStringLiteral("d MMMM yyyy")), skipped == night ? QStringLiteral("starts") : QStringLiteral("ends"),
                 first.time().toString(QStringLiteral("HH:mm")), first.date().toString(QStringLiteral("d MMMM")));
    }
    return {};
}

} // namespace

TTonightForm::TTonightForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    // The target box is editable before the frame names its parts for screen readers.
    m_target = new TargetChooser(TargetBox, TargetMessage);
    m_target->SetChanged([this] { TargetBoxChange(); });
    SetupWindowFrame(this, {960, 624});
    SetBackground(this, Silver);

    const QList<QLabel*> values{SunsetLabel, CivilLabel, NauticalLabel, DarkLabel, MoonLabel, MoonLitLabel,
                                MoonDistanceLabel, TransitsLabel, AboveLabel, DarkAboveLabel, MoonDownLabel};
    for (QLabel* value : values)
        value->setFont(PixelFont(11, true));
    for (QPushButton* button : {PrintButton, ExportButton, TargetsButton, SaveButton, CloseButton})
        button->setFont(PixelFont(11, true));
    Chart->setFont(PixelFont(10));
    Chart->setAccessibleName(QStringLiteral("Chart of the night: the target's and the Moon's altitude against the clock"));
    // Each box is named by its caption for a screen reader, as its buddy.
    for (QLabel* caption : {LatitudeCaption, LongitudeCaption, DateCaption, ZoneCaption, TargetCaption, LowestCaption})
        caption->buddy()->setAccessibleName(caption->text().chopped(1));

    DateBox->setMinimumDate(QDate(1900, 1, 1));
    DateBox->setMaximumDate(QDate(2100, 12, 31));
    ZoneBox->addItems(OfferedZones());

    // The place at first: the time zone's principal city, for the user to replace with their
    // own; a zone without one (Etc/UTC on many servers) leaves the boxes for the user.
    const QByteArray system = QTimeZone::systemTimeZoneId();
    ZoneBox->setCurrentText(QString::fromLatin1(system));
    m_zone = QTimeZone(system);
    if (const std::optional<ZonePlace> city = ZoneCityPlace(system)) {
        m_zoneCity = Text(city->City);
        m_cityLatitude = Text(CoordinateText(city->Latitude));
        m_cityLongitude = Text(CoordinateText(city->Longitude));
        LatitudeBox->setText(m_cityLatitude);
        LongitudeBox->setText(m_cityLongitude);
    }
    SetTonight();

    for (QLineEdit* box : {LatitudeBox, LongitudeBox})
        ConnectHandler(box, &QLineEdit::textChanged, this, &TTonightForm::PlaceBoxChange);
    ConnectHandler(DateBox, &QDateEdit::dateChanged, this, &TTonightForm::DateBoxChange);
    ConnectHandler(ZoneBox, &QComboBox::editTextChanged, this, &TTonightForm::ZoneBoxChange);
    ConnectHandler(LowestBox, &QSpinBox::valueChanged, this, &TTonightForm::LowestBoxChange);
    ConnectHandler(SaveButton, &QPushButton::clicked, this, &TTonightForm::SaveButtonClick);
    ConnectHandler(TargetsButton, &QPushButton::clicked, this, &TTonightForm::TargetsButtonClick);
    ConnectHandler(PrintButton, &QPushButton::clicked, this, &TTonightForm::PrintButtonClick);
    ConnectHandler(ExportButton, &QPushButton::clicked, this, &TTonightForm::ExportButtonClick);
    ConnectHandler(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &TTonightForm::PrintButtonClick);
    ConnectHandler(CloseButton, &QPushButton::clicked, this, &TTonightForm::CloseButtonClick);
    m_minute.setInterval(60 * 1000);
    QObject::connect(&m_minute, &QTimer::timeout, this, [this] { MarkNow(); });

    Recalculate();
    LatitudeBox->setFocus();
}

void TTonightForm::ShowTarget(const std::optional<SkyTarget>& target)
{
    if (TargetChooser::Same(target, m_target->Target()))
        return;
    m_target->SetTarget(target);
    Guarded([this] { Recalculate(); });
}

Job::Tonight TTonightForm::JobPart() const
{
    return {LatitudeBox->text(), LongitudeBox->text(), ZoneBox->currentText(), TargetName(m_target->Target()),
            LowestBox->value()};
}

void TTonightForm::RestoreJobPart(const Job::Tonight& part)
{
    if (!part.Latitude.isEmpty() || !part.Longitude.isEmpty()) {
        PutText(LatitudeBox, part.Latitude);
        PutText(LongitudeBox, part.Longitude);
    }
    if (!part.Zone.isEmpty())
        PutEditText(ZoneBox, part.Zone);
    m_target->SetTarget(TargetNamed(part.Target).Target);
    PutValue(LowestBox, part.LowestAltitude);
    Guarded([this] { LowestBoxChange(); });
}

void TTonightForm::SetTonight()
{
    const QDateTime now = QDateTime::currentDateTime().toTimeZone(m_zone);
    DateBox->setDate(now.time().hour() < 12 ? now.date().addDays(-1) : now.date());
}

void TTonightForm::PlaceBoxChange()
{
    Recalculate();
}

void TTonightForm::DateBoxChange()
{
    Recalculate();
}

void TTonightForm::ZoneBoxChange()
{
    Recalculate();
}

void TTonightForm::TargetBoxChange()
{
    Recalculate();
}

void TTonightForm::LowestBoxChange()
{
    Recalculate();
}

void TTonightForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    MarkNow();
    m_minute.start();
}

void TTonightForm::hideEvent(QHideEvent* event)
{
    m_minute.stop();
    QWidget::hideEvent(event);
}

void TTonightForm::MarkNow()
{
    Chart->SetNow(static_cast<double>(QDateTime::currentSecsSinceEpoch()));
}

void TTonightForm::Recalculate()
{
    // The night planned, told to the windows that plan in it once the rows are written: only a
    // night computed whole, and through the guard, since this runs as the function ends.
    const std::optional<PlannedNight> before = std::exchange(m_night, std::nullopt);
    const auto tell = qScopeGuard([this, &before] {
        if (m_night != before && m_nightChanged)
            Guarded([this] { m_nightChanged(); });
    });

    // The place.
    std::string latitudeRefusal;
    std::string longitudeRefusal;
    const std::optional<double> latitude = ReadLatitude(LatitudeBox->text().toStdString(), latitudeRefusal);
    const std::optional<double> longitude = ReadLongitude(LongitudeBox->text().toStdString(), longitudeRefusal);
    const bool bothEmpty = LatitudeBox->text().trimmed().isEmpty() && LongitudeBox->text().trimmed().isEmpty();
    LatitudeMessage->setText(bothEmpty ? QString() : Text(latitudeRefusal));
    LongitudeMessage->setText(bothEmpty ? QString() : Text(longitudeRefusal));
    LatitudeBox->setAccessibleDescription(LatitudeMessage->text());
    LongitudeBox->setAccessibleDescription(LongitudeMessage->text());
    if (bothEmpty)
        PlaceNote->setText(QStringLiteral("Type your latitude and longitude."));
    else if (!m_zoneCity.isEmpty() && LatitudeBox->text() == m_cityLatitude && LongitudeBox->text() == m_cityLongitude)
        PlaceNote->setText(QStringLiteral("%1, the time zone's city: type your own place for exact times.").arg(m_zoneCity));
    else
        PlaceNote->clear();

    // The time zone: one of the list, or a name typed that the system knows.
    const QString zoneName = ZoneBox->currentText().trimmed();
    const QTimeZone zone(zoneName.toLatin1());
    const bool zoneKnown = !zoneName.isEmpty() && zone.isValid();
    ZoneMessage->setText(zoneKnown ? QString()
                                   : QStringLiteral("Not a time zone this system knows: pick one from the list, e.g. Europe/Paris."));
    ZoneBox->setAccessibleDescription(ZoneMessage->text());
    if (zoneKnown)
        m_zone = zone;

    // The night: 12:00 of the date to 12:00 of the next day, on the zone's clock; the Moon's
    // light at midnight, the first moment of the next date. Each is the first moment after it
    // that the clock shows where the clock skipped it.
    const QDate date = DateBox->date();
    const QDateTime start = ClockMoment(date, QTime(12, 0), m_zone);
    const QDateTime end = ClockMoment(date.addDays(1), QTime(12, 0), m_zone);
    const QDateTime midnight = ClockMoment(date.addDays(1), QTime(0, 0), m_zone);
    const bool clockKnown = start.isValid() && end.isValid() && midnight.isValid();
    if (zoneKnown && clockKnown) {
        const QString first = OffsetText(m_zone.offsetFromUtc(start));
        const QString second = OffsetText(m_zone.offsetFromUtc(end));
        OffsetLabel->setText(first == second ? first : QStringLiteral("%1, then %2").arg(first, second));
    } else {
        OffsetLabel->clear();
    }

    const int lowest = LowestBox->value();
    AboveCaption->setText(Text(::AboveCaption(lowest)));
    DarkAboveCaption->setText(Text(::DarkAboveCaption(lowest)));

    const QList<QLabel*> rows{SunsetLabel, CivilLabel, NauticalLabel, DarkLabel, MoonLabel, MoonLitLabel,
                              MoonDistanceLabel, TransitsLabel, AboveLabel, DarkAboveLabel, MoonDownLabel};
    const auto nothing = [&](const QString& why) {
        for (QLabel* row : rows)
            row->setText(NoFigureText);
        NightMessage->setText(why);
        Chart->SetNight(std::nullopt);
        Chart->setAccessibleDescription(why);
        for (QPushButton* button : {SaveButton, PrintButton, ExportButton})
            button->setEnabled(false); // nothing to keep or print
    };
    if (!latitude || !longitude) {
        nothing(QStringLiteral("Nothing to show: the place is not complete."));
        return;
    }
    if (!zoneKnown) {
        nothing(QStringLiteral("Nothing to show: the time zone is not known."));
        return;
    }
    if (!clockKnown) {
        nothing(QStringLiteral("Nothing to show: the time zone's clock for this date is not known."));
        return;
    }

    ::Target target;
    if (const std::optional<SkyTarget>& chosen = m_target->Target()) {
        // A showpiece where its own table places it; any other object, or a point, where the
        // catalogue or the user does.
        const Showpiece* showpiece = ShowpieceOf(chosen);
        target.RightAscension = (showpiece ? showpiece->RightAscension : chosen->Position.RightAscension) * 15;
        target.Declination = showpiece ? showpiece->Declination : chosen->Position.Declination;
    } else {
        target.Jupiter = true; // the Moon has rows of its own; the target rows are Jupiter's
    }
    const Place place{*latitude, *longitude};
    const ClockText clock = [this](double utc) {
        return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::llround(utc)), m_zone).toString(QStringLiteral("HH:mm")).toStdString();
    };
    try {
        const NightSky night = ComputeNight(static_cast<double>(start.toSecsSinceEpoch()),
                                            static_cast<double>(end.toSecsSinceEpoch()), place, target, lowest);
        const MoonLight moon = ComputeMoonLight(static_cast<double>(midnight.toSecsSinceEpoch()), place, target);
        SunsetLabel->setText(Text(SunsetText(night.Sunset, clock)));
        CivilLabel->setText(Text(TwilightText(night.Civil, CivilLevel, clock)));
        NauticalLabel->setText(Text(TwilightText(night.Nautical, NauticalLevel, clock)));
        DarkLabel->setText(Text(TwilightText(night.Astronomical, AstronomicalLevel, clock)));
        MoonLabel->setText(Text(MoonText(night.MoonUpAtStart, night.Moon, clock)));
        MoonLitLabel->setText(Text(MoonLitText(moon)));
        MoonDistanceLabel->setText(Text(MoonFromTargetText(moon)));
        TransitsLabel->setText(Text(TransitsText(night.Transits, clock)));
        AboveLabel->setText(Text(AboveText(night, clock)));
        DarkAboveLabel->setText(Text(DarkSpansText(night.DarkAbove, clock)));
        MoonDownLabel->setText(Text(DarkSpansText(night.DarkAboveMoonDown, clock)));
        QStringList notes{SkippedDateText(QString::fromLatin1(m_zone.id()), date, m_zone)};
        if (night.DubiousYear || moon.DubiousYear)
            notes << Text(DubiousYearText(date.year()));
        notes.removeAll(QString());
        NightMessage->setText(notes.join(QLatin1Char(' ')));
        const QString lit = MoonLitLabel->text();
        Chart->SetNight(
            night,
            [this](double utc) {
                return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::llround(utc)), m_zone).toString(QStringLiteral("HH:mm"));
            },
            [this](double utc) {
                const QTime time = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::llround(utc)), m_zone).time();
                return time.hour() + time.minute() / 60.0;
            },
            static_cast<int>(std::lround(moon.LitFraction * 100)));
        Chart->setAccessibleDescription(QStringLiteral("%1 %2 %3 %4; Moon lit: %5.")
                                            .arg(DarkAboveCaption->text(), DarkAboveLabel->text(), MoonDownCaption->text(),
                                                 MoonDownLabel->text(), lit));
        for (QPushButton* button : {SaveButton, PrintButton, ExportButton})
            button->setEnabled(true);
        m_night = PlannedNight{place,
                               static_cast<double>(start.toSecsSinceEpoch()),
                               static_cast<double>(end.toSecsSinceEpoch()),
                               date,
                               m_zone,
                               lowest,
                               LatitudeBox->text(),
                               LongitudeBox->text()};
    } catch (const std::exception& error) {
        nothing(QStringLiteral("Nothing to show: %1.").arg(QString::fromStdString(ErrorClause(error.what()))));
    }
    MarkNow();
}

void TTonightForm::SaveButtonClick()
{
    // At twice its size on the screen.
    SaveDialogs::AskToSavePicture(this, QStringLiteral("Tonight.png"), [this] { return Chart->Image(2); });
}

TonightSheetTexts TTonightForm::SheetTexts() const
{
    const auto line = [](const QLabel* caption, const QString& value) {
        return std::pair{caption->text().toStdString(), value.toStdString()};
    };
    TonightSheetTexts texts;
    texts.Heading = {line(LatitudeCaption, LatitudeBox->text()),
                     line(LongitudeCaption, LongitudeBox->text()),
                     line(DateCaption, DateBox->date().toString(Qt::ISODate)),
                     line(ZoneCaption, (ZoneBox->currentText() + QLatin1Char(' ') + OffsetLabel->text()).trimmed()),
                     line(TargetCaption, m_target->ShownText()), // never a text typed and not taken
                     line(LowestCaption, LowestBox->text())};
    const std::array<std::pair<QLabel*, QLabel*>, 11> rows{{{SunsetCaption, SunsetLabel},
                                                           {CivilCaption, CivilLabel},
                                                           {NauticalCaption, NauticalLabel},
                                                           {DarkCaption, DarkLabel},
                                                           {MoonCaption, MoonLabel},
                                                           {MoonLitCaption, MoonLitLabel},
                                                           {MoonDistanceCaption, MoonDistanceLabel},
                                                           {TransitsCaption, TransitsLabel},
                                                           {AboveCaption, AboveLabel},
                                                           {DarkAboveCaption, DarkAboveLabel},
                                                           {MoonDownCaption, MoonDownLabel}}};
    for (const auto& [caption, value] : rows)
        texts.Rows.push_back(line(caption, value->text()));
    texts.Note = NightMessage->text().toStdString();
    texts.ChartAspect = static_cast<double>(Chart->height()) / Chart->width();
    return texts;
}

std::function<void(PrinterText&)> TTonightForm::SheetBody() const
{
    return [this, texts = SheetTexts()](PrinterText& printer) {
        PrintTonightSheet(printer, texts, [this](QPainter& painter, double width, double height) {
            Chart->DrawScaled(painter, {width, height});
        });
    };
}

void TTonightForm::PrintButtonClick()
{
    if (!PrintButton->isEnabled())
        return; // Ctrl+P with nothing to show
    PrintOnDefaultPrinter(TonightSheetTitle, SheetBody());
}

void TTonightForm::ExportButtonClick()
{
    // The sheet of the night the window shows when the user confirms a name.
    AskWhereToSaveSheet(this, TonightSheetTitle,
                        [this](const QString& path) { SaveSheetAsPdf(path, TonightSheetTitle, SheetBody()); });
}

void TTonightForm::TargetsButtonClick()
{
    if (m_openTargets)
        m_openTargets();
}

void TTonightForm::CloseButtonClick()
{
    close();
}
