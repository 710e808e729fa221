#include "ui/ProgramStyle.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace {

// The extension button's double chevron as Qt's own picture has it: dark grey, 8 by 5, drawn
// on request at whatever size is asked for and never before, since the button rarely shows.
class ChevronEngine : public QIconEngine
{
public:
    explicit ChevronEngine(bool rightToLeft)
        : m_rightToLeft(rightToLeft)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(actualSize(rect.size(), mode, state) * scale, mode, state);
        drawn.setDevicePixelRatio(scale);
        const QSize shown = drawn.deviceIndependentSize().toSize();
        painter->drawPixmap(QRect(rect.topLeft() + QPoint(rect.width() - shown.width(), rect.height() - shown.height()) / 2,
                                  shown),
                            drawn);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize actual = actualSize(size, mode, state);
        QImage image(actual, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        // Drawn pointing right on an 8 x 5 grid, and mirrored where text runs right to left.
        if (m_rightToLeft) {
            painter.translate(actual.width(), 0);
            painter.scale(-1, 1);
        }
        painter.scale(actual.width() / 8.0, actual.width() / 8.0);
        QColor ink(0x35, 0x36, 0x37);
        if (mode == QIcon::Disabled)
            ink.setAlpha(110);
        painter.setPen(QPen(ink, 0.85, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        for (const qreal left : {2.1, 5.3}) {
            QPainterPath chevron;
            chevron.moveTo(left, 0.25);
            chevron.lineTo(left + 1.7, 2.5);
            chevron.lineTo(left, 4.75);
            painter.drawPath(chevron);
        }
        painter.end();
        return QPixmap::fromImage(image);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // Eight by five, within the size asked for.
        const int width = std::max(1, std::min(size.width(), size.height() * 8 / 5));
        return {width, std::max(1, width * 5 / 8)};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{8, 5}, {16, 10}, {32, 20}};
    }

    QIconEngine* clone() const override { return new ChevronEngine(*this); }

private:
    bool m_rightToLeft;
};

bool RightToLeft(const QStyleOption* option, const QWidget* widget)
{
    if (option)
        return option->direction == Qt::RightToLeft;
    return widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft();
}

} // namespace

ProgramStyle::ProgramStyle(QStyle* desktop)
    : QProxyStyle(desktop)
{
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton)
        return QIcon(new ChevronEngine(RightToLeft(option, widget)));
    return QProxyStyle::standardIcon(icon, option, widget);
}
