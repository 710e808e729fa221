#include "ui/NightVision.h"

#include "ui/ErrorReport.h"
#include "ui/WindowRules.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

#include <utility>

namespace NightVision {

namespace {

bool Shows = false;

// The limits that keep the eyes adapted to the dark.
constexpr int MostRed = 204;
constexpr int MostGreenOrBlue = 26;

struct Stretch
{
    int Low, High; // red for the darkest colour by day, and for the lightest
};

Stretch StretchOf(Role role)
{
    switch (role) {
    case Role::Background:
        // Up to 36 rather than the limit of 40: styles lighten a ground by up to a tenth
        // (Fusion's menus).
        return {0, 36};
    case Role::Selection:
        return {48, 90};
    case Role::Foreground:
        // Turned round: by day text and edges are dark on light grounds, by night the grounds
        // are dark, so what stood out most by day stands out most by night.
        // Never below 170: antialiased text rarely reaches its full colour in any pixel.
        return {MostRed, 170};
    case Role::Picture:
        break;
    }
    return {0, MostRed};
}

int RedFor(int lightness, Stretch stretch)
{
    return stretch.Low + (stretch.High - stretch.Low) * lightness / 255;
}

//! The style's outlines are drawn from the window colour, which night vision makes nearly
//! black: the edge that the day style would draw, in the colour night vision gives it.
QColor DayEdge(const QPalette& day)
{
    return day.color(QPalette::Window).darker(140);
}

//! Keeps whatever the style draws within night vision's limits, its own fixed shades too
//! (Fusion's light inner line on buttons, coloured icons): while the mode is on, every piece
//! is drawn into a picture of its own and no channel may go above the limits there. Edges,
//! rings, marks and arrows, which the style would draw nearly as dark as the window, are
//! drawn again over them as bright as text; pictures and icons turn red by their lightness.
//! With the mode off it only passes on.
class NightStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    //! The day palette, whose edge colour the outlines are drawn in.
    void SetDayPalette(const QPalette& day) { m_edge = InRed(DayEdge(day), Role::Foreground); }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (!Shows) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        Limited(painter, option->rect, [&](QPainter* p) {
            if (!Arrow(element, option, p))
                QProxyStyle::drawPrimitive(element, option, p, widget);
            Edges(element, option, p);
        });
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (!Shows) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const auto* item = element == CE_ItemViewItem ? qstyleoption_cast<const QStyleOptionViewItem*>(option) : nullptr;
        if (item && !item->icon.isNull()) {
            // Item views paint their icons themselves, past drawItemPixmap().
            QStyleOptionViewItem red(*item);
            red.icon = RedIcon(item->icon, item->decorationSize, painter);
            Limited(painter, option->rect, [&](QPainter* p) { QProxyStyle::drawControl(element, &red, p, widget); });
            return;
        }
        Limited(painter, option->rect, [&](QPainter* p) { QProxyStyle::drawControl(element, option, p, widget); });
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        if (!Shows) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        Limited(painter, option->rect, [&](QPainter* p) {
            QProxyStyle::drawComplexControl(control, option, p, widget);
            if (control == CC_ComboBox) {
                const QRect arrow = subControlRect(control, option, SC_ComboBoxArrow, widget);
                QStyleOption down(*option);
                down.rect = arrow;
                Arrow(PE_IndicatorArrowDown, &down, p);
                Edges(PE_FrameLineEdit, option, p);
            } else if (control == CC_SpinBox) {
                // Fusion draws a spin box's arrows as pictures of its own, from the window
                // colour: drawn again in the edge colour, with the box's outline.
                for (const auto& [part, arrow] : {std::pair{SC_SpinBoxUp, PE_IndicatorArrowUp},
                                                  std::pair{SC_SpinBoxDown, PE_IndicatorArrowDown}}) {
                    QStyleOption button(*option);
                    button.rect = subControlRect(control, option, part, widget);
                    Arrow(arrow, &button, p);
                }
                Edges(PE_FrameLineEdit, option, p);
            }
        });
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        // Qt's text caret inverts what lies under it; in night vision the focus ring draws a
        // red one instead (ui/FocusRing.h).
        if (metric == PM_TextCursorWidth && Shows)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawItemPixmap(QPainter* painter, const QRect& rect, int alignment, const QPixmap& pixmap) const override
    {
        if (!Shows || pixmap.isNull()) {
            QProxyStyle::drawItemPixmap(painter, rect, alignment, pixmap);
            return;
        }
        // Made once per picture and kept for the run: the splash, for one, is turned red the
        // first time it shows in night vision and never again.
        if (m_redPictures.size() > 256)
            m_redPictures.clear(); // pictures made afresh at every paint would pile up
        QPixmap& red = m_redPictures[pixmap.cacheKey()];
        if (red.isNull()) {
            red = QPixmap::fromImage(InRed(pixmap.toImage()));
            red.setDevicePixelRatio(pixmap.devicePixelRatio());
        }
        QProxyStyle::drawItemPixmap(painter, rect, alignment, red);
    }

private:
    template <typename Draw>
    static void Limited(QPainter* painter, const QRect& rect, Draw draw)
    {
        if (rect.isEmpty()) {
            draw(painter);
            return;
        }
        // A little room around the piece for what styles draw just outside its rectangle.
        const QRect area = rect.adjusted(-2, -2, 2, 2);
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QImage piece((QSizeF(area.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        piece.setDevicePixelRatio(ratio);
        if (const QPaintDevice* device = painter->device()) {
            // Fonts given in points come out at the size they have on the window.
            piece.setDotsPerMeterX(qRound(device->logicalDpiX() / 0.0254));
            piece.setDotsPerMeterY(qRound(device->logicalDpiY() / 0.0254));
        }
        piece.fill(Qt::transparent);
        {
            QPainter own(&piece);
            own.translate(-area.topLeft());
            own.setFont(painter->font());
            own.setPen(painter->pen());
            own.setBrush(painter->brush());
            own.setRenderHints(painter->renderHints());
            own.setLayoutDirection(painter->layoutDirection());
            draw(&own);
        }
        // Premultiplied channels: at most the limit times the pixel's coverage, so that over a
        // night background the result stays within the limits too.
        for (int y = 0; y < piece.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < piece.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                const int red = qMin(qRed(line[x]), MostRed * alpha / 255);
                const int other = MostGreenOrBlue * alpha / 255;
                line[x] = qRgba(red, qMin(qGreen(line[x]), other), qMin(qBlue(line[x]), other), alpha);
            }
        }
        painter->drawImage(area.topLeft(), piece);
    }

    //! Draws an arrow as a solid triangle in the edge colour; false for other elements.
    bool Arrow(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const
    {
        if (element != PE_IndicatorArrowDown && element != PE_IndicatorArrowUp && element != PE_IndicatorArrowLeft
            && element != PE_IndicatorArrowRight)
            return false;
        const QRectF box = QRectF(option->rect);
        const qreal half = qMax<qreal>(2, qMin(box.width(), box.height()) / 4);
        const QPointF c = box.center();
        QPolygonF triangle;
        switch (element) {
        case PE_IndicatorArrowDown:
            triangle << c + QPointF(-half, -half / 2) << c + QPointF(half, -half / 2) << c + QPointF(0, half / 2 + 1);
            break;
        case PE_IndicatorArrowUp:
            triangle << c + QPointF(-half, half / 2) << c + QPointF(half, half / 2) << c + QPointF(0, -half / 2 - 1);
            break;
        case PE_IndicatorArrowLeft:
            triangle << c + QPointF(half / 2, -half) << c + QPointF(half / 2, half) << c + QPointF(-half / 2 - 1, 0);
            break;
        default:
            triangle << c + QPointF(-half / 2, -half) << c + QPointF(-half / 2, half) << c + QPointF(half / 2 + 1, 0);
            break;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(m_edge);
        painter->drawPolygon(triangle);
        painter->restore();
        return true;
    }

    //! The outline of a text box, list, button or combo box, the ring of a radio button and the
    //! box of a check box, with their marks, as bright as text.
    void Edges(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const
    {
        const QRectF edge = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        const bool on = option->state & State_On;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(m_edge, 1));
        painter->setBrush(Qt::NoBrush);
        switch (element) {
        case PE_PanelButtonCommand:
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
                button && (button->features & QStyleOptionButton::Flat))
                break;
            [[fallthrough]];
        case PE_FrameLineEdit:
        case PE_Frame:
        case PE_FrameGroupBox:
            painter->drawRoundedRect(edge, 2, 2);
            break;
        case PE_IndicatorCheckBox:
            painter->drawRect(edge);
            if (on) {
                const QRectF mark = edge.adjusted(edge.width() / 5, edge.height() / 5, -edge.width() / 5, -edge.height() / 5);
                painter->setPen(QPen(m_edge, qMax<qreal>(1.5, edge.width() / 8)));
                painter->drawPolyline(QPolygonF{QPointF(mark.left(), mark.center().y()),
                                                QPointF(mark.left() + mark.width() / 3, mark.bottom()), mark.topRight()});
            } else if (option->state & State_NoChange) {
                painter->drawLine(QPointF(edge.left() + 3, edge.center().y()), QPointF(edge.right() - 3, edge.center().y()));
            }
            break;
        case PE_IndicatorRadioButton:
            painter->drawEllipse(edge);
            if (on) {
                painter->setPen(Qt::NoPen);
                painter->setBrush(m_edge);
                const qreal inset = edge.width() * 0.3;
                painter->drawEllipse(edge.adjusted(inset, inset, -inset, -inset));
            }
            break;
        default:
            break;
        }
        painter->restore();
    }

    QIcon RedIcon(const QIcon& icon, const QSize& size, const QPainter* painter) const
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QString key = QStringLiteral("%1 %2x%3@%4").arg(icon.cacheKey()).arg(size.width()).arg(size.height()).arg(ratio);
        if (m_redIcons.size() > 256)
            m_redIcons.clear();
        QIcon& red = m_redIcons[key];
        if (red.isNull()) {
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                QPixmap pixmap = QPixmap::fromImage(InRed(icon.pixmap(size, ratio, mode).toImage()));
                pixmap.setDevicePixelRatio(ratio);
                red.addPixmap(pixmap, mode);
            }
        }
        return red;
    }

    QColor m_edge;
    mutable QHash<qint64, QPixmap> m_redPictures;
    mutable QHash<QString, QIcon> m_redIcons;
};

QPalette NightPalette(const QPalette& day)
{
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            if (role != QPalette::NoRole) {
                const auto colourRole = static_cast<QPalette::ColorRole>(role);
                palette.setColor(group, colourRole, InRed(day.color(group, colourRole), RoleOf(colourRole)));
            }
    return palette;
}

struct State
{
    QPointer<QStyle> Desktop;   // the style the program had before the mode was switched on
    QPointer<NightStyle> Style; // the one that wraps it while the mode is on
    bool OwnPalette = false;    // whether the application had a palette of its own then
    QPalette Normal;            // and which
    QPointer<QAction> Item;
};

State& TheState()
{
    static State state;
    return state;
}

//! Puts the night style in the desktop's place, keeping the desktop's alive: the application
//! deletes a style it owns when another replaces it, and a proxy style owns its base.
void WrapStyle(State& state)
{
    QStyle* desktop = QApplication::style();
    if (!state.Style || state.Desktop != desktop) {
        // The first switch, or another style set since: a proxy around the style in use now.
        desktop->setParent(nullptr);
        state.Style = new NightStyle(desktop); // takes the desktop's style as its child
        state.Desktop = desktop;
    } else {
        state.Style->setParent(nullptr);
        desktop->setParent(state.Style);
    }
    state.Style->SetDayPalette(state.Normal);
    QApplication::setStyle(state.Style);
}

//! Gives the desktop's style back, the very object, and keeps the night style beside it for
//! the next switch (the desktop's style still asks it for its parts, which it passes on).
void UnwrapStyle(State& state)
{
    if (!state.Style || !state.Desktop || QApplication::style() != state.Style)
        return;
    state.Style->setParent(nullptr);
    QApplication::setStyle(state.Desktop);
    state.Style->setParent(state.Desktop);
}

//! Offers the night vision item in every message box its owner opens.
class BoxWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished)
            if (auto* box = qobject_cast<QMessageBox*>(static_cast<QChildEvent*>(event)->child()))
                OfferIn(box);
        return false;
    }
};

} // namespace

bool On()
{
    return Shows;
}

Role RoleOf(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::Window:
    case QPalette::Base:
    case QPalette::AlternateBase:
    case QPalette::Button:
    case QPalette::ToolTipBase:
    case QPalette::Light:    // the light sides of raised edges
    case QPalette::Midlight:
        return Role::Background;
    case QPalette::Highlight:
        return Role::Selection;
    default:
        return Role::Foreground;
    }
}

QColor InRed(const QColor& day, Role role)
{
    if (!day.isValid())
        return day;
    QColor red(RedFor(day.lightness(), StretchOf(role)), 0, 0);
    red.setAlpha(day.alpha());
    return red;
}

QColor Shown(const QColor& day, Role role)
{
    return Shows ? InRed(day, role) : day;
}

QImage InRed(const QImage& picture)
{
    QImage red = picture.convertToFormat(QImage::Format_ARGB32);
    const Stretch stretch = StretchOf(Role::Picture);
    for (int y = 0; y < red.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(red.scanLine(y));
        for (int x = 0; x < red.width(); ++x) {
            const QRgb pixel = line[x];
            // Lightness as QColor has it, rounded, so that a picture and a colour agree.
            const int lightness = (qMax(qMax(qRed(pixel), qGreen(pixel)), qBlue(pixel))
                                   + qMin(qMin(qRed(pixel), qGreen(pixel)), qBlue(pixel)) + 1)
                                  / 2;
            line[x] = qRgba(RedFor(lightness, stretch), 0, 0, qAlpha(pixel));
        }
    }
    return red;
}

void SetOn(bool on)
{
    State& state = TheState();
    if (on == Shows)
        return;
    if (on) {
        state.OwnPalette = QCoreApplication::testAttribute(Qt::AA_SetPalette);
        state.Normal = QApplication::palette();
        WrapStyle(state);
    } else {
        UnwrapStyle(state);
    }
    Shows = on;
    // Off again: the palette the program had, or none of its own, so that it goes on
    // following the desktop's.
    QApplication::setPalette(on ? NightPalette(state.Normal) : state.OwnPalette ? state.Normal : QPalette());
    // Qt passes the application's new palette on to child widgets but not to windows whose
    // palette was never set; every window takes it here, and its children after it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent change(QEvent::ApplicationPaletteChange);
        QCoreApplication::sendEvent(window, &change);
    }
    ShowDesignColours();
    for (QWidget* widget : QApplication::allWidgets()) {
        if (qobject_cast<QLineEdit*>(widget)) {
            QEvent change(QEvent::StyleChange); // a line edit takes its caret's width anew
            QCoreApplication::sendEvent(widget, &change);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
            text->setCursorWidth(QApplication::style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, text));
        }
    }
    if (state.Item)
        state.Item->setChecked(on);
    // Everything drawn afresh, the focus ring too, wherever it is.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->update();
}

QAction* Action()
{
    State& state = TheState();
    if (!state.Item) {
        state.Item = new QAction(QStringLiteral("Night Vision"), qApp);
        state.Item->setObjectName(QStringLiteral("NightVision1"));
        state.Item->setCheckable(true);
        state.Item->setChecked(Shows);
        state.Item->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
        state.Item->setShortcutContext(Qt::ApplicationShortcut);
        QObject::connect(state.Item, &QAction::toggled, state.Item, [](bool on) { Guarded([on] { SetOn(on); }); });
    }
    return state.Item;
}

void OfferIn(QWidget* modal)
{
    // An application-wide shortcut counts only in the windows its action belongs to, and a
    // modal window shuts out the others.
    modal->addAction(Action());
}

void OfferInBoxesOf(QWidget* owner)
{
    owner->installEventFilter(new BoxWatch(owner));
}

} // namespace NightVision
