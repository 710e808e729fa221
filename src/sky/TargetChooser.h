#pragma once

#include "sky/TargetFinder.h"

#include <QObject>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QCompleter;
class QLabel;
class QStandardItemModel;

//! The "Target:" box of the field and Tonight windows: a list of the Moon and Jupiter, then the
//! showpieces, in which the user may also type any name of the whole catalogue, or coordinates.
//! Each keystroke fills a list of suggestions from the finder (its own matching and ranking,
//! shown unfiltered by a completer); Enter takes the best of them, or the one picked. A text that
//! names nothing is refused beside the box, and the target stays. Out of the box, it shows the
//! target's list text again.
class TargetChooser : public QObject
{
public:
    //! Takes over `box`, which the window's form made, and writes refusals into `message`.
    TargetChooser(QComboBox* box, QLabel* message);

    //! The target: none for the Moon and Jupiter.
    const std::optional<SkyTarget>& Target() const { return m_target; }
    //! Makes `target` the target and shows it, without telling the window.
    void SetTarget(const std::optional<SkyTarget>& target);
    //! The target's list text, as the box shows it once the user is not typing in it.
    QString ShownText() const;
    //! What the window does when the user has changed the target.
    void SetChanged(std::function<void()> changed) { m_changed = std::move(changed); }

    //! The same target: the same object, or the same point.
    static bool Same(const std::optional<SkyTarget>& a, const std::optional<SkyTarget>& b);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Edited(const QString& text);
    void Entered();
    void Picked(int row);
    void ListPicked(int index);
    //! Makes `target` the target, telling the window where it changed.
    void Take(const std::optional<SkyTarget>& target);
    //! Shows the target's list text, the list's own entry where it is one of them.
    void ShowTarget();
    void Say(const QString& message);

    QComboBox* m_box;
    QLabel* m_message;
    QCompleter* m_completer;
    QStandardItemModel* m_model;
    std::vector<SkyTarget> m_suggestions;
    std::optional<SkyTarget> m_target;
    std::function<void()> m_changed;
};

//! The targets of the lists: the Moon and Jupiter (none), then the showpieces, as the catalogue's
//! objects. Reads the catalogue.
std::optional<SkyTarget> ListedTarget(int index);
