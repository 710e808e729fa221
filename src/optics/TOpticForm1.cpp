#include "optics/TOpticForm1.h"

#include "optics/OpticalJob.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "optics/Telescope.h"
#include "ui/ErrorReport.h"
#include "ui/MessageBoxes.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

#include <QButtonGroup>
#include <QEvent>

#include <algorithm>
#include <array>

namespace {

int SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QButtonGroup* UnitGroup(QWidget* owner, QRadioButton* inches, QRadioButton* cm, QRadioButton* mm)
{
    auto* group = new QButtonGroup(owner);
    group->addButton(inches, Inches);
    group->addButton(cm, Centimetres);
    group->addButton(mm, Millimetres);
    return group;
}

// Writes a length into its box and records the unit it is written in, so that the box is
// always read in the unit its text was written in, even after a unit change that failed.
void ShowLength(QLineEdit* box, int& textUnit, double mm, int unit)
{
    if (const auto text = TelescopeLengthText(mm, unit)) {
        box->setText(QString::fromStdString(*text));
        textUnit = unit;
    }
}

} // namespace

TOpticForm1::TOpticForm1(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {503, 407});
    SetBackground(this, Silver);
    // Fonts of their own, and the labels fitted to them, when the window is first shown: the
    // boxes and the list would lay their text out afresh in each new font at start-up.
    WhenFirstShown(this, [this] {
        for (QLabel* label : {Label1, Label4, Label5})
            label->setFont(PixelFont(13, true));
        const std::initializer_list<QWidget*> boldControls{ListBox1, ApertureEditBox, FocalEditBox, Button1, Button2};
        for (QWidget* widget : boldControls)
            widget->setFont(PixelFont(11, true));
        for (QGroupBox* group : {ApertureUnits, FocalUnits})
            group->setFont(PixelFont(11));
        for (QLabel* label : {Label1, Label4, Label5})
            label->adjustSize();
    });

    m_apertureUnits = UnitGroup(this, ApertureInches, ApertureCm, ApertureMm);
    m_focalUnits = UnitGroup(this, FocalInches, FocalCm, FocalMm);
    TabToCheckedButton({ApertureInches, ApertureCm, ApertureMm});
    TabToCheckedButton({FocalInches, FocalCm, FocalMm});

    FormCreate();

    // A row chosen with the keyboard or the mouse changes the selection; a click on the row
    // that was already selected does not, so that click is caught on its own (once).
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->viewport()->installEventFilter(this);
    ConnectHandler(ListBox1, &QListWidget::itemSelectionChanged, this, &TOpticForm1::ListBox1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (ListBox1->row(item) == m_rowSelectedAtPress && item->isSelected())
            Guarded([this] { ListBox1Click(); });
    });
    connect(m_apertureUnits, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            Guarded([this] { ApertureUnitsClick(); });
    });
    connect(m_focalUnits, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            Guarded([this] { FocalUnitsClick(); });
    });
    // What the user types is meant in the unit the window shows for the box.
    connect(ApertureEditBox, &QLineEdit::textEdited, this, [this] {
        if (ApertureUnitIndex() >= 0)
            ApertureTextUnit = ApertureUnitIndex();
    });
    connect(FocalEditBox, &QLineEdit::textEdited, this, [this] {
        if (FocalUnitIndex() >= 0)
            FocalTextUnit = FocalUnitIndex();
    });
    ConnectHandler(Button1, &QPushButton::clicked, this, &TOpticForm1::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticForm1::Button2Click);
}

void TOpticForm1::FormCreate()
{
    OpticalJob.TelescopeFocalLengthMm = 0;
    OpticalJob.ApertureMm = 0;
    ListBox1->clear();
    for (const TelescopePreset& preset : TelescopeTable)
        ListBox1->addItem(QString::fromUtf8(preset.Name));
    ApertureTextUnit = ApertureUnitIndex();
    FocalTextUnit = FocalUnitIndex();
}

int TOpticForm1::ApertureUnitIndex() const
{
    return m_apertureUnits->checkedId();
}

int TOpticForm1::FocalUnitIndex() const
{
    return m_focalUnits->checkedId();
}

Job::Telescope TOpticForm1::JobPart() const
{
    const QList<QListWidgetItem*> picked = ListBox1->selectedItems();
    const auto unit = [](int index) {
        return QString::fromLatin1(std::to_array(Job::UnitNames).at(static_cast<std::size_t>(index)));
    };
    return {picked.isEmpty() ? QString() : picked.first()->text(), ApertureEditBox->text(), unit(ApertureTextUnit),
            FocalEditBox->text(), unit(FocalTextUnit)};
}

void TOpticForm1::RestoreJobPart(const Job::Telescope& part)
{
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clearSelection();
        const QList<QListWidgetItem*> found = ListBox1->findItems(part.Preset, Qt::MatchExactly);
        if (!part.Preset.isEmpty() && !found.isEmpty()) {
            ListBox1->setCurrentItem(found.first());
            found.first()->setSelected(true);
        }
    }
    const int apertureUnit = std::max(Job::IndexOf(Job::UnitNames, part.ApertureUnit), 0);
    const int focalUnit = std::max(Job::IndexOf(Job::UnitNames, part.FocalLengthUnit), 0);
    for (const auto& [group, unit] : {std::pair{m_apertureUnits, apertureUnit}, std::pair{m_focalUnits, focalUnit}}) {
        const QSignalBlocker quiet(group);
        if (QAbstractButton* button = group->button(unit)) {
            const QSignalBlocker quietButton(button);
            button->setChecked(true);
        }
    }
    for (const auto& [box, text] : {std::pair{ApertureEditBox, part.Aperture}, std::pair{FocalEditBox, part.FocalLength}})
        PutText(box, text);
    ApertureTextUnit = apertureUnit;
    FocalTextUnit = focalUnit;
}

void TOpticForm1::ReadTelescopeBoxes()
{
    OpticalJob.TelescopeFocalLengthMm = TelescopeLengthMm(FocalEditBox->text().toStdString(), FocalTextUnit);
    OpticalJob.ApertureMm = TelescopeLengthMm(ApertureEditBox->text().toStdString(), ApertureTextUnit);
}

void TOpticForm1::ShowTelescopeValues()
{
    ShowLength(FocalEditBox, FocalTextUnit, OpticalJob.TelescopeFocalLengthMm, FocalUnitIndex());
    ShowLength(ApertureEditBox, ApertureTextUnit, OpticalJob.ApertureMm, ApertureUnitIndex());
}

void TOpticForm1::ListBox1Click()
{
    const int row = SelectedRow(ListBox1);
    if (row < 0 || row >= static_cast<int>(TelescopeTable.size()))
        return; // a click that leaves no row selected
    const TelescopePreset& preset = TelescopeTable[static_cast<std::size_t>(row)];
    OpticalJob.TelescopeFocalLengthMm = preset.FocalLengthMm;
    OpticalJob.ApertureMm = preset.ApertureMm;
    OpticalJob.TelescopeLine.clear();
    if (OpticalJob.ApertureMm > 0)
        OpticalJob.TelescopeLine = std::string(preset.Name) + CrLf;
    ShowTelescopeValues();
}

void TOpticForm1::ApertureUnitsClick()
{
    // Both boxes are read in the units they were written in, then shown in the units selected now.
    ReadTelescopeBoxes();
    ApertureTextUnit = ApertureUnitIndex();
    ShowTelescopeValues();
}

void TOpticForm1::FocalUnitsClick()
{
    ReadTelescopeBoxes();
    FocalTextUnit = FocalUnitIndex();
    ShowTelescopeValues();
}

void TOpticForm1::Button1Click()
{
    ReadTelescopeBoxes();
    if (!(OpticalJob.TelescopeFocalLengthMm >= 1 && OpticalJob.ApertureMm >= 1)) {
        MessageBoxes::Refuse(QStringLiteral("You must specify a valid aperture and focal length before proceeding."));
        return;
    }
    const OpticalWizard& wizard = Wizard();
    const TOpticForm2* choice = wizard.Choice;
    if (choice->PrimeFocusButton->isChecked()) {
        OpticalJob.ConfigurationText = OpticalJob.TelescopeLine + "Prime focus";
        OpticalJob.EffectiveFocalLengthMm = OpticalJob.TelescopeFocalLengthMm;
        OpticalJob.ReturnWindow = this;
        ShowThenClose(wizard.Report, this);
    } else if (choice->AfocalButton->isChecked()) {
        ShowThenClose(wizard.Afocal, this);
    } else if (choice->CompressionButton->isChecked()) {
        ShowThenClose(wizard.Compression, this);
    } else if (choice->NegProjTeleButton->isChecked()) {
        ShowThenClose(wizard.Teleconverter, this);
    } else if (choice->NegProjBarlowButton->isChecked()) {
        ShowThenClose(wizard.BarlowLens, this);
    } else if (choice->EyepieceProjButton->isChecked()) {
        ShowThenClose(wizard.EyepieceProjection, this);
    }
}

void TOpticForm1::Button2Click()
{
    ShowThenClose(Wizard().Choice, this);
}

bool TOpticForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonPress)
        m_rowSelectedAtPress = SelectedRow(ListBox1);
    return QWidget::eventFilter(watched, event);
}
