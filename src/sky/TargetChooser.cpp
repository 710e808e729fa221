#include "sky/TargetChooser.h"

#include "sky/Showpieces.h"
#include "ui/ErrorReport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

//! Where the suggestion's list text is kept: the completer writes it into the box.
constexpr int ListTextRole = Qt::UserRole;

} // namespace

TargetChooser::TargetChooser(QComboBox* box, QLabel* message)
    : QObject(box)
    , m_box(box)
    , m_message(message)
    , m_completer(new QCompleter(this))
    , m_model(new QStandardItemModel(this))
{
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->addItem(QStringLiteral("The Moon and Jupiter"));
    for (const Showpiece& showpiece : Showpieces())
        m_box->addItem(Text(showpiece.Name));
    m_box->setCurrentIndex(0);

    // The finder matches and ranks; the completer only shows what it found, unfiltered, and
    // writes a highlighted suggestion's list text into the box.
    m_completer->setModel(m_model);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCompletionRole(ListTextRole);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(12);
    // In the window's own font, and wide enough for "NGC 7000, North America Nebula (emission
    // nebula, Cyg)".
    m_completer->popup()->setFont(m_box->font());
    m_completer->popup()->setMinimumWidth(392);
    m_box->setCompleter(m_completer);

    QLineEdit* line = m_box->lineEdit();
    // The box is its line's focus proxy: it takes the focus events, and hands them to the line
    // past any filter there.
    m_box->installEventFilter(this);
    connect(line, &QLineEdit::textEdited, this, [this](const QString& text) { Guarded([&] { Edited(text); }); });
    connect(line, &QLineEdit::returnPressed, this, [this] { Guarded([this] { Entered(); }); });
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { Guarded([&] { Picked(index.row()); }); });
    // An entry of the list, picked or set; the chooser's own changes of the index are quiet.
    connect(m_box, &QComboBox::currentIndexChanged, this, [this](int index) { Guarded([&] { ListPicked(index); }); });
}

void TargetChooser::SetTarget(const std::optional<SkyTarget>& target)
{
    m_target = target;
    Say({});
    ShowTarget();
}

bool TargetChooser::Same(const std::optional<SkyTarget>& a, const std::optional<SkyTarget>& b)
{
    if (!a || !b)
        return !a && !b;
    if (a->Object || b->Object)
        return a->Object == b->Object;
    return a->Position.RightAscension == b->Position.RightAscension && a->Position.Declination == b->Position.Declination;
}

void TargetChooser::Edited(const QString& text)
{
    Say({});
    const TargetSearch search = FindTargets(text.toStdString());
    m_suggestions = search.Suggestions;
    m_model->clear();
    for (const SkyTarget& suggestion : m_suggestions) {
        auto* item = new QStandardItem(Text(suggestion.SuggestionText));
        item->setData(Text(suggestion.ListText), ListTextRole);
        item->setEditable(false);
        m_model->appendRow(item);
    }
}

void TargetChooser::Entered()
{
    const QString typed = m_box->lineEdit()->text();
    // The box showing the target already (Enter again, or after a pick): nothing is read back,
    // so that a point keeps its coordinates beyond the whole seconds its text shows.
    if (typed.trimmed().isEmpty() || typed == ShownText()) {
        ShowTarget();
        return;
    }
    // The list's first entry names no object of the catalogue: its own text takes it, where the
    // finder would refuse it.
    if (typed.trimmed().compare(m_box->itemText(0), Qt::CaseInsensitive) == 0) {
        Take(std::nullopt);
        return;
    }
    const TargetSearch search = FindTargets(typed.toStdString());
    // A refusal stands even where suggestions follow it: "NGC 412" names no object, though
    // NGC 4120 and on start so.
    if (!search.Refusal.empty() || search.Suggestions.empty()) {
        Say(Text(search.Refusal));
        return;
    }
    // The best suggestion: an exact designation, else what the ranking puts first.
    Take(search.Suggestions.front());
}

void TargetChooser::Picked(int row)
{
    if (row >= 0 && static_cast<std::size_t>(row) < m_suggestions.size())
        Take(m_suggestions[static_cast<std::size_t>(row)]);
}

void TargetChooser::ListPicked(int index)
{
    if (index >= 0)
        Take(ListedTarget(index));
}

void TargetChooser::Take(const std::optional<SkyTarget>& target)
{
    const bool changed = !Same(target, m_target);
    m_target = target;
    Say({});
    ShowTarget();
    if (changed && m_changed)
        m_changed();
}

void TargetChooser::ShowTarget()
{
    const QSignalBlocker quiet(m_box);
    int index = -1;
    if (!m_target)
        index = 0;
    else if (const Showpiece* showpiece = ShowpieceOf(m_target))
        index = static_cast<int>(showpiece - Showpieces().data()) + 1;
    m_box->setCurrentIndex(index);
    m_box->setEditText(ShownText());
    m_box->lineEdit()->setCursorPosition(0);
}

QString TargetChooser::ShownText() const
{
    return m_target ? Text(m_target->ListText) : m_box->itemText(0);
}

void TargetChooser::Say(const QString& message)
{
    m_message->setText(message);
    m_box->setAccessibleDescription(message);
}

bool TargetChooser::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the box for another control of the window with a text that was never taken shows
    // the target again, so that the box never names what the window does not show. The
    // completer's popup taking the keys is no leaving, nor is going to another window (to copy
    // the rest of a position, say), nor a message box coming up.
    if (watched == m_box && event->type() == QEvent::FocusOut && !m_completer->popup()->isVisible()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason
            && m_box->lineEdit()->text() != ShownText())
            Guarded([this] {
                Say({});
                ShowTarget();
            });
    }
    return QObject::eventFilter(watched, event);
}

std::optional<SkyTarget> ListedTarget(int index)
{
    const std::vector<Showpiece>& showpieces = Showpieces();
    if (index <= 0 || static_cast<std::size_t>(index) > showpieces.size())
        return std::nullopt;
    const Showpiece& showpiece = showpieces[static_cast<std::size_t>(index - 1)];
    const SkyObject* object = TheCatalogue().Find(showpiece.Entry);
    if (!object)
        return std::nullopt; // the two tables disagree; the catalogue's tests keep them together
    return TargetOf(*object);
}
