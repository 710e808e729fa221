#pragma once

#include "field/SensorField.h"
#include "sky/PlannedNight.h"
#include "sky/TargetRanking.h"
#include "sky/TargetFinder.h"
#include "targets/TargetTable.h"
#include "targets/TargetsSheet.h"
#include "ui_TTargetsForm.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

//! Targets Tonight: the whole catalogue ranked for the night Tonight plans and the frame of the
//! field window, by dark, Moon-free time above the lowest altitude, and narrowed by kind,
//! brightness, size on the frame, time and the Moon. Made the first time it is asked for and
//! kept for the run.
class TTargetsForm : public QWidget, public Ui::TTargetsForm
{
public:
    //! The frame the list is ranked for: the field window's sensor at the effective focal length
    //! of the optical job; none before a job or without a complete sensor ("any size").
    struct Frame
    {
        std::optional<Sensor> Model;
        double EffectiveFocalLengthMm = 0;
        int OverlapPercent = 20;
        QString Name; //!< the sensor's name in the field window's list
    };

    explicit TTargetsForm(QWidget* parent = nullptr);

    //! Takes the night Tonight plans (none while its place or zone is incomplete). The first is
    //! ranked at once; later ones a moment after the last of quick changes (each keystroke in
    //! Tonight), or when the window is next shown.
    void ShowNight(const std::optional<PlannedNight>& night);
    //! Takes the field window's frame: the frame column and its filter change, as for a night.
    void ShowFrame(const Frame& frame);
    //! Ranks every object now for the night and frame held.
    void Rank();

    //! What Enter or a double click on a row does: the window set makes it the target of the
    //! field and Tonight windows.
    void SetTargetTaker(std::function<void(const SkyTarget&)> taker) { m_takeTarget = std::move(taker); }

    const TargetTableModel& TableModel() const { return m_model; }
    const TargetTableProxy& ShownRows() const { return m_proxy; }
    //! The list as shown, as CSV (RFC 4180, UTF-8, a heading row, CRLF line ends).
    QByteArray ListCsv() const;

    void FilterChange();
    void NameBoxChange();
    void RowActivated(const QModelIndex& index);
    void SaveButtonClick();
    void PrintButtonClick();
    void ExportButtonClick();
    void CloseButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    //! Ranks when the window is shown, else once it is.
    void RankSoon();
    //! Goes on with the frame's fills where a slice of them stopped, then lists the rows.
    void ContinueRanking();
    void ShowCount();
    //! The sheet of the list as shown, and the filters in words for its heading.
    TargetsSheetTexts SheetTexts() const;
    QStringList FiltersText() const;

    std::optional<PlannedNight> m_night;
    Frame m_frame;
    std::optional<NightRanking> m_ranking;
    std::vector<std::optional<FrameFill>> m_fills; //!< each object's fill of the frame, once per frame
    std::size_t m_filled = 0;  //!< the fills computed so far
    bool m_fillsKnown = false; //!< all of m_fills is the frame's
    bool m_ranked = false;     //!< once ranked at all
    bool m_stale = false;      //!< the rows are not those of the night and frame held
    QTimer m_rankTimer;
    QTimer m_sliceTimer; //!< the next slice of a ranking that takes long
    TargetTableModel m_model;
    TargetTableProxy m_proxy;
    std::function<void(const SkyTarget&)> m_takeTarget;
};
