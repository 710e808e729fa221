#include "targets/TTargetsForm.h"

#include "numeric/VectorState.h"
#include "print/WindowPrinting.h"
#include "sky/Catalogue.h"
#include "targets/TargetsSheet.h"
#include "sky/TargetFinder.h"
#include "ui/BusyCursor.h"
#include "ui/ErrorReport.h"
#include "ui/SafeSave.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>

#include <cmath>

namespace {

//! The "Brighter than:" choices after "any": magnitudes from the naked eye's to a large
//! telescope's photographs.
constexpr int BrightestChoice = 4;
constexpr int FaintestChoice = 16;

//! The "At least:" choices, in minutes, and their texts.
constexpr std::array<std::pair<int, const char*>, 8> Durations{{{0, "any"},
                                                                 {15, "15 min"},
                                                                 {30, "30 min"},
                                                                 {60, "1 h"},
                                                                 {120, "2 h"},
                                                                 {180, "3 h"},
                                                                 {240, "4 h"},
                                                                 {360, "6 h"}}};
constexpr int FirstDuration = 2; // 30 min

//! A count with commas between thousands, as the window writes it: "13,371".
QString Count(int count)
{
    return QString::fromStdString(CountText(static_cast<std::size_t>(std::max(0, count))));
}

//! A CSV field: quoted where it holds a comma, a quote or a line end, its quotes doubled.
QByteArray CsvField(const QString& text)
{
    QByteArray field = text.toUtf8();
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
        field = '"' + field.replace("\"", "\"\"") + '"';
    return field;
}

} // namespace

TTargetsForm::TTargetsForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {960, 632});
    SetBackground(this, Silver);

    for (QLabel* value : {NightLabel, FrameLabel, CountLabel})
        value->setFont(PixelFont(11, true));
    NightLabel->setAccessibleDescription(NightCaption->text());
    FrameLabel->setAccessibleDescription(FrameCaption->text());
    for (QPushButton* button : {PrintButton, ExportButton, SaveButton, CloseButton})
        button->setFont(PixelFont(11, true));
    // Each box is named by its caption for a screen reader, as its buddy.
    for (QLabel* caption : {BrighterCaption, SizeCaption, AtLeastCaption, MoonCaption, NameCaption})
        caption->buddy()->setAccessibleName(caption->text().chopped(1));

    BrighterBox->addItem(QStringLiteral("any"));
    for (int magnitude = BrightestChoice; magnitude <= FaintestChoice; ++magnitude)
        BrighterBox->addItem(QString::number(magnitude));
    for (const char* choice : SizeChoices)
        SizeBox->addItem(QString::fromUtf8(choice));
    for (const auto& [minutes, text] : Durations)
        AtLeastBox->addItem(QString::fromUtf8(text), minutes);
    AtLeastBox->setCurrentIndex(FirstDuration);

    m_proxy.setSourceModel(&m_model);
    m_proxy.setSortRole(Qt::DisplayRole);
    Table->setModel(&m_proxy);
    Table->setAccessibleName(QStringLiteral("Targets"));
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(20);
    Table->horizontalHeader()->setHighlightSections(false);
    Table->setSortingEnabled(true);
    Table->sortByColumn(TargetTableModel::MoonDownColumn, Qt::DescendingOrder);
    const std::array<int, TargetTableModel::ColumnCount> widths{230, 120, 50, 48, 88, 72, 84, 76, 80, 56};
    for (int column = 0; column < TargetTableModel::ColumnCount; ++column)
        Table->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    Table->installEventFilter(this);

    for (QCheckBox* box : {GalaxiesBox, BrightNebulaeBox, PlanetaryBox, RemnantsBox, OpenClustersBox, GlobularBox,
                           DarkNebulaeBox, OtherBox})
        ConnectHandler(box, &QCheckBox::toggled, this, &TTargetsForm::FilterChange);
    for (QComboBox* box : {BrighterBox, SizeBox, AtLeastBox})
        ConnectHandler(box, &QComboBox::currentIndexChanged, this, &TTargetsForm::FilterChange);
    ConnectHandler(MoonBox, &QSpinBox::valueChanged, this, &TTargetsForm::FilterChange);
    ConnectHandler(NameBox, &QLineEdit::textChanged, this, &TTargetsForm::NameBoxChange);
    QObject::connect(Table, &QTableView::doubleClicked, this,
                     [this](const QModelIndex& index) { Guarded([&] { RowActivated(index); }); });
    ConnectHandler(SaveButton, &QPushButton::clicked, this, &TTargetsForm::SaveButtonClick);
    ConnectHandler(PrintButton, &QPushButton::clicked, this, &TTargetsForm::PrintButtonClick);
    ConnectHandler(ExportButton, &QPushButton::clicked, this, &TTargetsForm::ExportButtonClick);
    ConnectHandler(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &TTargetsForm::PrintButtonClick);
    ConnectHandler(CloseButton, &QPushButton::clicked, this, &TTargetsForm::CloseButtonClick);

    m_rankTimer.setSingleShot(true);
    m_rankTimer.setInterval(150);
    QObject::connect(&m_rankTimer, &QTimer::timeout, this, [this] { Guarded([this] { Rank(); }); });
    m_sliceTimer.setSingleShot(true);
    m_sliceTimer.setInterval(0);
    QObject::connect(&m_sliceTimer, &QTimer::timeout, this, [this] { Guarded([this] { ContinueRanking(); }); });
    Progress->hide();
    Progress->setAccessibleName(QStringLiteral("Ranking the catalogue"));
    FilterChange();
}

void TTargetsForm::ShowNight(const std::optional<PlannedNight>& night)
{
    if (m_ranked && night == m_night)
        return;
    m_night = night;
    RankSoon();
}

void TTargetsForm::ShowFrame(const Frame& frame)
{
    m_frame = frame;
    m_fillsKnown = false;
    m_filled = 0;
    if (m_frame.Model && m_frame.EffectiveFocalLengthMm > 0)
        FrameLabel->setText(QStringLiteral("%1 at %2 mm (from the field window)")
                                .arg(m_frame.Name)
                                .arg(std::lround(m_frame.EffectiveFocalLengthMm)));
    else
        FrameLabel->setText(m_frame.Model ? QStringLiteral("any size: run the optical calculations first")
                                          : QStringLiteral("any size: the field window's sensor is not complete"));
    if (m_ranked)
        RankSoon();
}

void TTargetsForm::RankSoon()
{
    m_stale = true;
    if (!m_ranked)
        Rank(); // the window being made: its first list at once
    else if (isVisible())
        m_rankTimer.start(); // typing in Tonight ranks once, after the last key
}

void TTargetsForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        Guarded([this] { Rank(); });
}

void TTargetsForm::Rank()
{
    m_rankTimer.stop();
    m_sliceTimer.stop();
    m_stale = false;
    m_ranked = true;
    if (!m_night) {
        NightLabel->setText(QStringLiteral("Nothing to rank: type a place and a time zone in the Tonight window."));
        Progress->hide();
        m_ranking.reset();
        m_model.SetRows({}, {});
        ShowCount();
        return;
    }
    const PlannedNight& night = *m_night;
    NightLabel->setText(QStringLiteral("%1, %2 on %3, %4; above %5\u00B0 (from Tonight)")
                            .arg(night.Latitude, night.Longitude, night.Date.toString(Qt::ISODate),
                                 QString::fromLatin1(night.Zone.id()))
                            .arg(night.LowestAltitude));
    const BusyCursor busy;
    m_ranking = RankNight(TheCatalogue(), night.Start, night.End, night.Where, night.LowestAltitude);
    if (!m_fillsKnown && m_filled == 0)
        m_fills.assign(TheCatalogue().Objects().size(), std::nullopt);
    ContinueRanking();
}

void TTargetsForm::ContinueRanking()
{
    // The frame's fills, a slice of objects at a time: where they take longer than a moment in
    // a window on the screen (a slow machine), the rest follows on the event loop with the
    // progress shown, so that the window never freezes.
    constexpr std::size_t SliceObjects = 500;
    constexpr qint64 LongestFreezeMs = 60;
    QElapsedTimer clock;
    clock.start();
    const std::vector<SkyObject>& objects = TheCatalogue().Objects();
    const bool framed = m_frame.Model && m_frame.EffectiveFocalLengthMm > 0;
    ClearVectorState();
    while (!m_fillsKnown) {
        const std::size_t end = framed ? std::min(objects.size(), m_filled + SliceObjects) : objects.size();
        for (; framed && m_filled < end; ++m_filled)
            m_fills[m_filled] = FillOf(objects[m_filled], m_frame.EffectiveFocalLengthMm, *m_frame.Model, m_frame.OverlapPercent);
        m_filled = end;
        m_fillsKnown = m_filled == objects.size();
        if (!m_fillsKnown && isVisible() && clock.elapsed() >= LongestFreezeMs) {
            Progress->setRange(0, static_cast<int>(objects.size()));
            Progress->setValue(static_cast<int>(m_filled));
            Progress->show();
            m_sliceTimer.start();
            return;
        }
    }
    Progress->hide();
    if (!m_ranking || !m_night)
        return;
    std::vector<ListedObject> rows(objects.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = {i, m_ranking->Objects[i], m_fills[i], KindsOf(objects[i].Type()), ListMagnitude(objects[i])};
    const QTimeZone zone = m_night->Zone;
    // To the nearest minute, as Tonight writes its times.
    m_model.SetRows(std::move(rows), [zone](double utc) {
        return QDateTime::fromSecsSinceEpoch(std::llround(utc / 60) * 60, zone).toString(QStringLiteral("HH:mm"));
    });
    ShowCount();
}

void TTargetsForm::FilterChange()
{
    ListFilters filters;
    filters.Kinds = 0;
    const std::array<QCheckBox*, KindNames.size()> kinds{GalaxiesBox,     BrightNebulaeBox, PlanetaryBox,   RemnantsBox,
                                                         OpenClustersBox, GlobularBox,      DarkNebulaeBox, OtherBox};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (kinds[i]->isChecked())
            filters.Kinds |= 1u << i;
    if (BrighterBox->currentIndex() > 0)
        filters.BrighterThan = BrightestChoice + BrighterBox->currentIndex() - 1;
    filters.Size = static_cast<std::size_t>(std::max(0, SizeBox->currentIndex()));
    filters.AtLeastSeconds = AtLeastBox->currentData().toInt() * 60.0;
    filters.MoonAtLeastDegrees = MoonBox->value();
    const QString name = NameBox->text().trimmed();
    m_proxy.SetFilters(filters, name.isEmpty() ? std::vector<char>{} : TheTargetFinder().Matching(name.toStdString()));
    ShowCount();
}

void TTargetsForm::NameBoxChange()
{
    FilterChange();
}

void TTargetsForm::ShowCount()
{
    CountLabel->setText(QStringLiteral("%1 of %2 objects").arg(Count(m_proxy.rowCount()), Count(m_model.rowCount())));
    Table->setAccessibleDescription(CountLabel->text());
    const bool any = m_proxy.rowCount() > 0;
    for (QPushButton* button : {PrintButton, ExportButton, SaveButton})
        button->setEnabled(any);
}

void TTargetsForm::RowActivated(const QModelIndex& index)
{
    if (!index.isValid() || !m_takeTarget)
        return;
    const int row = m_proxy.mapToSource(index).row();
    m_takeTarget(TargetOf(TheCatalogue().Objects()[m_model.Rows()[static_cast<std::size_t>(row)].Index]));
}

bool TTargetsForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a row takes it, as a double click does.
    if (watched == Table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Guarded([this] { RowActivated(Table->currentIndex()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QByteArray TTargetsForm::ListCsv() const
{
    QByteArray csv;
    for (int column = 0; column < TargetTableModel::ColumnCount; ++column)
        csv += (column ? "," : "") + CsvField(QString::fromUtf8(TargetTableModel::Headings[static_cast<std::size_t>(column)]));
    csv += "\r\n";
    for (int row = 0; row < m_proxy.rowCount(); ++row) {
        const int source = m_proxy.mapToSource(m_proxy.index(row, 0)).row();
        for (int column = 0; column < TargetTableModel::ColumnCount; ++column)
            csv += (column ? "," : "") + CsvField(m_model.Text(source, column));
        csv += "\r\n";
    }
    return csv;
}

void TTargetsForm::SaveButtonClick()
{
    const QString name = m_night ? QStringLiteral("Targets %1.csv").arg(m_night->Date.toString(Qt::ISODate))
                                 : QStringLiteral("Targets.csv");
    // The list as it stands when the user confirms the name.
    SaveDialogs::AskToSave(this, QStringLiteral("Save List"), name, QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"),
                           [this](const QString& path) { SaveBytesSafely(path, ListCsv()); });
}

TargetsSheetTexts TTargetsForm::SheetTexts() const
{
    TargetsSheetTexts texts;
    texts.Heading = {(NightCaption->text() + QLatin1Char(' ') + NightLabel->text()).toStdString(),
                     (FrameCaption->text() + QLatin1Char(' ') + FrameLabel->text()).toStdString()};
    for (const QString& line : FiltersText())
        texts.Heading.push_back(line.toStdString());
    texts.Heading.push_back(CountLabel->text().toStdString());
    for (const char* heading : TargetTableModel::Headings)
        texts.Columns.emplace_back(heading);
    for (int row = 0; row < m_proxy.rowCount(); ++row) {
        const int source = m_proxy.mapToSource(m_proxy.index(row, 0)).row();
        std::vector<std::string>& cells = texts.Rows.emplace_back();
        for (int column = 0; column < TargetTableModel::ColumnCount; ++column)
            cells.push_back(m_model.Text(source, column).toStdString());
    }
    return texts;
}

QStringList TTargetsForm::FiltersText() const
{
    QStringList kinds, others;
    for (const QCheckBox* box : {GalaxiesBox, BrightNebulaeBox, PlanetaryBox, RemnantsBox, OpenClustersBox, GlobularBox,
                                 DarkNebulaeBox, OtherBox})
        (box->isChecked() ? kinds : others) << box->text().toLower();
    const auto listed = [](QStringList names) {
        const QString last = names.takeLast();
        return names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    };
    // The shorter way of saying it.
    const QString kindLine = others.isEmpty() ? QStringLiteral("Kinds: every kind.")
                             : kinds.isEmpty() ? QStringLiteral("Kinds: none.")
                             : kinds.size() > others.size() ? QStringLiteral("Kinds: every kind but %1.").arg(listed(others))
                                                            : QStringLiteral("Kinds: %1.").arg(listed(kinds));
    QStringList filters;
    if (BrighterBox->currentIndex() > 0)
        filters << QStringLiteral("brighter than %1").arg(BrighterBox->currentText());
    if (SizeBox->currentIndex() > 0)
        filters << SizeBox->currentText();
    if (AtLeastBox->currentIndex() > 0)
        filters << QStringLiteral("at least %1 dark with the Moon down").arg(AtLeastBox->currentText());
    if (MoonBox->value() > 0)
        filters << QStringLiteral("at least %1\u00B0 from the Moon").arg(MoonBox->value());
    if (!NameBox->text().trimmed().isEmpty())
        filters << QStringLiteral("named \u201C%1\u201D").arg(NameBox->text().trimmed());
    return {kindLine, filters.isEmpty() ? QStringLiteral("Filters: none.") : QStringLiteral("Filters: %1.").arg(filters.join(QStringLiteral("; ")))};
}

void TTargetsForm::PrintButtonClick()
{
    if (!PrintButton->isEnabled())
        return; // Ctrl+P with nothing listed
    PrintOnDefaultPrinter(TargetsSheetTitle, [texts = SheetTexts()](PrinterText& printer) { PrintTargetsSheet(printer, texts); });
}

void TTargetsForm::ExportButtonClick()
{
    // The list as it stands when the user confirms a name.
    AskWhereToSaveSheet(this, TargetsSheetTitle, [this](const QString& path) {
        SaveSheetAsPdf(path, TargetsSheetTitle, [texts = SheetTexts()](PrinterText& printer) { PrintTargetsSheet(printer, texts); });
    });
}

void TTargetsForm::CloseButtonClick()
{
    close();
}
