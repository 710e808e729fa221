#include "ui/FocusRing.h"

#include "ui/NightVision.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include <cmath>

namespace {

constexpr int RingWidth = 2;
constexpr int Gap = 1; // between the control's edge and the ring

// The relative luminance of a colour, as contrast ratios are defined on it.
double Luminance(const QColor& colour)
{
    const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

// Fills a band of the given width along the inside of a rectangle's edges (filled rather
// than stroked, so it covers whole device pixels at any scale).
void Band(QPainter& painter, const QRect& outer, int width, const QColor& colour)
{
    const QRect inner = outer.adjusted(width, width, -width, -width);
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    painter.fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), width), colour);
    painter.fillRect(QRect(outer.left(), inner.top(), width, inner.height()), colour);
    painter.fillRect(QRect(inner.right() + 1, inner.top(), width, inner.height()), colour);
}

class Ring : public QWidget
{
public:
    explicit Ring(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setObjectName(QStringLiteral("KeyboardFocusRing"));
    }

    void Follow(QWidget* control, QWidget* focus)
    {
        m_control = control;
        // In night vision the text caret is drawn here (Qt's own inverts what is under it,
        // which would be white on black): the ring follows the caret as it moves.
        QObject::disconnect(m_caretMoves);
        m_focus = focus;
        if (auto* edit = qobject_cast<QLineEdit*>(focus))
            m_caretMoves = connect(edit, &QLineEdit::cursorPositionChanged, this, qOverload<>(&QWidget::update));
        else if (auto* text = qobject_cast<QPlainTextEdit*>(focus))
            m_caretMoves = connect(text, &QPlainTextEdit::cursorPositionChanged, this, qOverload<>(&QWidget::update));
        const QRect around = control->geometry().adjusted(-RingWidth - Gap, -RingWidth - Gap, RingWidth + Gap,
                                                          RingWidth + Gap);
        setGeometry(around);
        show();
        raise();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        // Black or white, whichever stands out more from what the ring is drawn on, chosen at
        // every paint, so that the ring follows a switch of night vision at once. Night
        // vision's grounds are all dark, so by night the ring is what black on a light ground
        // becomes: the brightest red there is.
        const bool night = NightVision::On();
        const double background = Luminance(parentWidget()->palette().color(parentWidget()->backgroundRole()));
        const bool black = night || (background + 0.05) / 0.05 >= 1.05 / (background + 0.05);
        const QColor outer = NightVision::Shown(black ? Qt::black : Qt::white, NightVision::Role::Foreground);
        const QColor inside = NightVision::Shown(black ? Qt::white : Qt::black, NightVision::Role::Background);
        Band(painter, rect(), RingWidth, outer);
        // One pixel of the other colour inside, so the ring shows against the control too.
        Band(painter, rect().adjusted(RingWidth, RingWidth, -RingWidth, -RingWidth), 1, inside);
        if (night && m_focus && (qobject_cast<QLineEdit*>(m_focus) || qobject_cast<QPlainTextEdit*>(m_focus))) {
            const QRect caret = m_focus->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            if (caret.isValid() && m_focus->rect().intersects(caret)) {
                const QPoint at = mapFrom(m_focus->window(), m_focus->mapTo(m_focus->window(), caret.topLeft()));
                // The caret as the day's black caret shows by night.
                painter.fillRect(QRect(at.x(), at.y(), 1, caret.height()),
                                 NightVision::Shown(Qt::black, NightVision::Role::Foreground));
            }
        }
    }

private:
    QPointer<QWidget> m_control;
    QPointer<QWidget> m_focus;
    QMetaObject::Connection m_caretMoves;
};

QPointer<Ring> TheRing;

// The control that the user sees as focused: the combo box rather than its edit part.
QWidget* Shown(QWidget* focus)
{
    QWidget* parent = focus->parentWidget();
    if (parent && focus->focusProxy() == nullptr && parent->focusProxy() == focus)
        return parent;
    return focus;
}

void Place(QWidget* focus)
{
    if (!focus || focus->isWindow() || !focus->parentWidget() || focus->window()->windowType() == Qt::Popup) {
        if (TheRing)
            TheRing->hide();
        return;
    }
    QWidget* control = Shown(focus);
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    if (!TheRing)
        TheRing = new Ring(parent);
    else if (TheRing->parentWidget() != parent)
        TheRing->setParent(parent);
    TheRing->Follow(control, focus);
}

} // namespace

void ShowKeyboardFocus()
{
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!application)
        return;
    static QMetaObject::Connection connection;
    QObject::disconnect(connection);
    connection = QObject::connect(application, &QApplication::focusChanged, application,
                                  [](QWidget*, QWidget* now) { Place(now); });
    Place(QApplication::focusWidget());
}

QWidget* KeyboardFocusRing()
{
    return TheRing && TheRing->isVisible() ? TheRing.data() : nullptr;
}
