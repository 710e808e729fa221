#include "ui/NightVision.h"

#include "ui/ErrorReport.h"
#include "ui/Look.h"
#include "ui/WindowRules.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace NightVision {

namespace {

//! Keeps whatever the style draws within night vision's limits, its own fixed shades too
//! (Fusion's light inner line on buttons, coloured icons): while the mode is on, every piece
//! is drawn into a picture of its own and no channel may go above the limits there. Pictures
//! of labels turn to red by their lightness. With the mode off it only passes on.
class NightStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        Limited(painter, option->rect, [&](QPainter* p) { QProxyStyle::drawPrimitive(element, option, p, widget); });
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        Limited(painter, option->rect, [&](QPainter* p) { QProxyStyle::drawControl(element, option, p, widget); });
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        Limited(painter, option->rect, [&](QPainter* p) { QProxyStyle::drawComplexControl(control, option, p, widget); });
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        // Qt's text caret inverts what lies under it; in night vision the focus ring draws a
        // red one instead (ui/FocusRing.h).
        if (metric == PM_TextCursorWidth && NightVisionOn())
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawItemPixmap(QPainter* painter, const QRect& rect, int alignment, const QPixmap& pixmap) const override
    {
        if (!NightVisionOn() || pixmap.isNull()) {
            QProxyStyle::drawItemPixmap(painter, rect, alignment, pixmap);
            return;
        }
        // Made once per picture: the splash, for one, is not converted again at every paint.
        QPixmap& red = m_redPictures[pixmap.cacheKey()];
        if (red.isNull()) {
            red = QPixmap::fromImage(InNightRed(pixmap.toImage()));
            red.setDevicePixelRatio(pixmap.devicePixelRatio());
        }
        QProxyStyle::drawItemPixmap(painter, rect, alignment, red);
    }

private:
    template <typename Draw>
    static void Limited(QPainter* painter, const QRect& rect, Draw draw)
    {
        if (!NightVisionOn() || rect.isEmpty()) {
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
                const int red = qMin(qRed(line[x]), Night::MostRed * alpha / 255);
                const int other = Night::MostGreenOrBlue * alpha / 255;
                line[x] = qRgba(red, qMin(qGreen(line[x]), other), qMin(qBlue(line[x]), other), alpha);
            }
        }
        painter->drawImage(area.topLeft(), piece);
    }

public:
    //! Lets go of the red pictures made while the mode was on.
    void Forget() { m_redPictures.clear(); }

private:
    mutable QHash<qint64, QPixmap> m_redPictures;
};

QPalette NightPalette()
{
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        const QColor text = disabled ? Night::DimText : Night::Text;
        palette.setColor(group, QPalette::Window, Night::Dark);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, Night::Black);
        palette.setColor(group, QPalette::AlternateBase, Night::Dark);
        palette.setColor(group, QPalette::ToolTipBase, Night::Dark);
        palette.setColor(group, QPalette::ToolTipText, Night::Text);
        palette.setColor(group, QPalette::PlaceholderText, Night::DimText);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Button, Night::Darker);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::BrightText, Night::Mark);
        palette.setColor(group, QPalette::Light, QColor(64, 0, 0));
        palette.setColor(group, QPalette::Midlight, QColor(48, 0, 0));
        palette.setColor(group, QPalette::Mid, QColor(20, 0, 0));
        palette.setColor(group, QPalette::Dark, QColor(12, 0, 0));
        palette.setColor(group, QPalette::Shadow, Night::Black);
        palette.setColor(group, QPalette::Highlight, QColor(72, 0, 0));
        palette.setColor(group, QPalette::HighlightedText, Night::Mark);
        palette.setColor(group, QPalette::Link, Night::Text);
        palette.setColor(group, QPalette::LinkVisited, Night::DimText);
    }
    return palette;
}

struct State
{
    QPointer<NightStyle> Style;  // installed the first time the mode is switched on
    bool OwnPalette = false;     // whether the application had a palette of its own then
    QPalette Normal;             // and which
    QPointer<QAction> Item;
};

State& TheState()
{
    static State state;
    return state;
}

} // namespace

void SetOn(bool on)
{
    State& state = TheState();
    if (on == NightVisionOn())
        return;
    if (on && !state.Style) {
        // The style is wrapped the first time only and stays so; with the mode off it draws
        // exactly as before. A fresh instance of the same style, since the application
        // deletes the one it replaces.
        state.OwnPalette = QCoreApplication::testAttribute(Qt::AA_SetPalette);
        state.Normal = QApplication::palette();
        state.Style = new NightStyle(QStyleFactory::create(QApplication::style()->name()));
        QApplication::setStyle(state.Style);
    }
    SetNightVisionShown(on);
    // Off again: the palette the program had, or none of its own, so that it goes on
    // following the desktop's.
    QApplication::setPalette(on ? NightPalette() : state.OwnPalette ? state.Normal : QPalette());
    if (!on && state.Style)
        state.Style->Forget();
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
        state.Item->setChecked(NightVisionOn());
        state.Item->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
        state.Item->setShortcutContext(Qt::ApplicationShortcut);
        QObject::connect(state.Item, &QAction::toggled, state.Item, [](bool on) { Guarded([on] { SetOn(on); }); });
    }
    return state.Item;
}

} // namespace NightVision
