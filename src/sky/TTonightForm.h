#pragma once

#include "job/JobParts.h"
#include "sky/Night.h"
#include "sky/PlannedNight.h"
#include "sky/TonightSheet.h"
#include "sky/TargetChooser.h"
#include "ui_TTonightForm.h"

#include <QTimeZone>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

//! Tonight: when the target is up, the sky dark and the Moon out of the way, for a place, a
//! date and a time zone. Made the first time it is asked for and kept for the run. The night
//! runs from 12:00 of the date to 12:00 of the next day on the zone's clock (where the clock
//! skipped one of them, from or to the first moment after it that the clock shows); every time
//! shown lies between them. The astronomy is the sky core's (on ERFA); this window only turns UTC
//! into the zone's clock, which the core knows nothing of.
class TTonightForm : public QWidget, public Ui::TTonightForm
{
public:
    explicit TTonightForm(QWidget* parent = nullptr);

    //! Shows the field window's target (none: the Moon and Jupiter).
    void ShowTarget(const std::optional<SkyTarget>& target);
    //! The target shown (none: the Moon and Jupiter).
    const std::optional<SkyTarget>& CurrentTarget() const { return m_target->Target(); }

    //! The night the window shows, for the windows that plan in it; none while the place or
    //! the zone is incomplete.
    const std::optional<PlannedNight>& Night() const { return m_night; }
    //! What the window set does after each change of the night planned (the place, the date,
    //! the zone or the lowest altitude), not of its target.
    void SetNightChanged(std::function<void()> changed) { m_nightChanged = std::move(changed); }
    //! What "Targets..." does: the window set opens Targets Tonight.
    void SetTargetsOpener(std::function<void()> opener) { m_openTargets = std::move(opener); }

    //! The place, zone, target and lowest altitude as a job keeps them; never the date.
    Job::Tonight JobPart() const;
    //! Puts back a job's part, the handlers quiet, then computes the night afresh once. An
    //! empty place or zone is the opening machine's own: what the window holds stays.
    void RestoreJobPart(const Job::Tonight& part);

    void PlaceBoxChange();
    void DateBoxChange();
    void ZoneBoxChange();
    void TargetBoxChange();
    void LowestBoxChange();
    void SaveButtonClick();
    void TargetsButtonClick();
    void PrintButtonClick();
    void ExportButtonClick();
    void CloseButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    //! Reads the boxes, computes the night and writes every row and the chart; what cannot be
    //! computed reads "—".
    void Recalculate();
    //! The sheet of the night as the window shows it now, and its body as the printer and the
    //! PDF export take it.
    TonightSheetTexts SheetTexts() const;
    std::function<void(PrinterText&)> SheetBody() const;
    //! Moves the chart's "now" to the present moment, where it lies in the night shown.
    void MarkNow();
    //! The date box's date at first: that of the last 12:00 passed on the zone's clock.
    void SetTonight();

    TargetChooser* m_target; //!< runs TargetBox, owned by it
    QTimeZone m_zone;
    QString m_zoneCity; //!< the place the boxes were filled with at first, or empty
    QString m_cityLatitude, m_cityLongitude;
    QTimer m_minute; //!< moves "now" once a minute while the window is shown
    std::optional<PlannedNight> m_night;
    std::function<void()> m_nightChanged;
    std::function<void()> m_openTargets;
};
