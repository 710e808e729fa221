#include "ui/Artwork.h"

#include "ui/Look.h"

#include <QIconEngine>
#include <QPainter>
#include <QRadialGradient>
#include <QResource>

#include <algorithm>
#include <map>
#include <random>

namespace {

void PaintNebula(QPainter& painter, std::mt19937& random)
{
    // Soft overlapping clouds of hydrogen red, brighter towards a core, with a darker lane.
    std::uniform_real_distribution<double> jitter(-1.0, 1.0);
    const QPointF core(150, 150);
    for (int cloud = 0; cloud < 60; ++cloud) {
        const QPointF centre = core + QPointF(120 * jitter(random), 70 * jitter(random));
        const double radius = 25 + 45 * (jitter(random) + 1);
        QRadialGradient glow(centre, radius);
        const int alpha = 18 + static_cast<int>(14 * (jitter(random) + 1));
        glow.setColorAt(0, QColor(235, 60, 70, alpha));
        glow.setColorAt(0.6, QColor(150, 20, 45, alpha / 2));
        glow.setColorAt(1, QColor(60, 0, 20, 0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, radius, radius);
    }
    // Dark dust drifting across the glow.
    for (int dust = 0; dust < 14; ++dust) {
        const QPointF centre = core + QPointF(90 * jitter(random), 50 * jitter(random));
        const double radius = 12 + 10 * (jitter(random) + 1);
        QRadialGradient shade(centre, radius);
        shade.setColorAt(0, QColor(5, 0, 8, 110));
        shade.setColorAt(1, QColor(5, 0, 8, 0));
        painter.setBrush(shade);
        painter.drawEllipse(centre, radius, radius);
    }
    painter.setPen(Qt::NoPen);
}

// Blends a point of light into one device pixel of the picture.
void Glint(QImage& image, QPointF at, const QColor& colour, double coverage)
{
    const QPoint pixel = (at * image.devicePixelRatio()).toPoint();
    if (!image.rect().contains(pixel))
        return;
    const QColor under = image.pixelColor(pixel);
    const double a = std::clamp(coverage, 0.0, 1.0);
    image.setPixelColor(pixel, QColor::fromRgbF(under.redF() + (colour.redF() - under.redF()) * a,
                                                under.greenF() + (colour.greenF() - under.greenF()) * a,
                                                under.blueF() + (colour.blueF() - under.blueF()) * a));
}

void PaintStars(QPainter& painter, QImage& image, std::mt19937& random, QSize area, int count)
{
    std::uniform_real_distribution<double> x(0, area.width());
    std::uniform_real_distribution<double> y(0, area.height());
    std::exponential_distribution<double> brightness(4.0);
    for (int star = 0; star < count; ++star) {
        const double b = std::min(1.0, brightness(random));
        const QPointF at(x(random), y(random));
        const int level = 120 + static_cast<int>(135 * b);
        const QColor colour(level, level, std::min(255, level + 20));
        const double radius = 0.4 + 1.6 * b;
        const double devicePixels = radius * image.devicePixelRatio();
        if (devicePixels < 1) { // most stars are points: light one pixel by their area
            Glint(image, at, colour, 3.14159 * devicePixels * devicePixels);
            continue;
        }
        painter.setBrush(colour);
        painter.drawEllipse(at, radius, radius);
        if (b > 0.75) { // the few bright ones get a glow
            QRadialGradient halo(at, radius * 5);
            halo.setColorAt(0, QColor(255, 255, 255, 90));
            halo.setColorAt(1, QColor(255, 255, 255, 0));
            painter.setBrush(halo);
            painter.drawEllipse(at, radius * 5, radius * 5);
        }
    }
}

} // namespace

QImage SplashPicture(qreal scale)
{
    // Drawn in the picture's own 515 x 262 units on as many device pixels as the screen has.
    const QSize size = SplashSize;
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(QColor(4, 4, 14));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // The nebula is all soft gradients: painted at a quarter of the resolution and smoothly
    // enlarged, it looks the same and costs a sixteenth of the filling.
    std::mt19937 random(19851112u);
    constexpr int NebulaReduction = 4;
    QImage nebula((size * scale) / NebulaReduction + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    nebula.fill(Qt::transparent);
    {
        QPainter soft(&nebula);
        soft.setRenderHint(QPainter::Antialiasing);
        soft.setPen(Qt::NoPen);
        soft.scale(scale / NebulaReduction, scale / NebulaReduction);
        PaintNebula(soft, random);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(), QSizeF(nebula.size()) * NebulaReduction / scale), nebula);
    PaintStars(painter, image, random, size, 700);

    const QColor white(250, 250, 250);
    const QColor cream(243, 229, 196);
    QFont title = PixelFont(64, true, SerifFace);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    painter.setFont(title);
    painter.setPen(white);
    painter.drawText(QRect(100, 30, 400, 90), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Quillmarsh"));

    painter.setPen(cream);
    painter.setFont(PixelFont(17, false, SerifFace));
    painter.drawText(QRect(100, 118, 400, 24), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("A Field Guide to Photographing the Night Sky"));
    painter.setFont(PixelFont(15, true, SerifFace));
    painter.drawText(QRect(100, 146, 400, 22), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Second Edition"));

    painter.setPen(white);
    painter.setFont(PixelFont(20, false, SerifFace));
    painter.drawText(QRect(100, 210, 400, 30), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Penwright"));
    return image;
}

QString StoredSplashName(int scale)
{
    return QStringLiteral("splash@%1x.rgb32").arg(scale);
}

QImage SplashPictureFor(qreal scale)
{
    const int whole = qRound(scale);
    if (scale == whole && (whole == 1 || whole == 2)) {
        const QResource stored(QStringLiteral(":/art/") + StoredSplashName(whole));
        const QSize size = SplashSize * whole;
        const int bytesPerLine = size.width() * 4;
        if (stored.isValid() && stored.uncompressedSize() == qint64(bytesPerLine) * size.height()) {
            QImage image;
            if (stored.compressionAlgorithm() == QResource::NoCompression) {
                // Read where the program keeps it: no copy, and the pages stay shared.
                image = QImage(stored.data(), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32);
            } else {
                const QByteArray pixels = stored.uncompressedData();
                image = QImage(reinterpret_cast<const uchar*>(pixels.constData()), size.width(), size.height(),
                               bytesPerLine, QImage::Format_RGB32)
                            .copy();
            }
            image.setDevicePixelRatio(whole);
            return image;
        }
    }
    return SplashPicture(scale);
}

QImage ProgramIconImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 64.0, side / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Navy);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    painter.setBrush(QColor(255, 244, 200));
    for (const QPointF star : {QPointF(14, 14), QPointF(48, 12), QPointF(40, 26), QPointF(12, 40)})
        painter.drawEllipse(star, 2.2, 2.2);
    // The tube, pointing up to the right, on a tripod.
    painter.translate(30, 40);
    painter.rotate(-35);
    painter.setBrush(QColor(230, 230, 235));
    painter.drawRoundedRect(QRectF(-18, -6, 40, 12), 3, 3);
    painter.setBrush(QColor(200, 40, 50));
    painter.drawRect(QRectF(18, -7, 6, 14));
    painter.resetTransform();
    painter.scale(side / 64.0, side / 64.0);
    painter.setPen(QPen(QColor(230, 230, 235), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(30, 42), QPointF(20, 58));
    painter.drawLine(QPointF(30, 42), QPointF(40, 58));
    painter.end();
    return image;
}

QString StoredIconName()
{
    return QStringLiteral("icon.argb32p");
}

namespace {

// The icon at one size: the build's when it drew that size, else drawn now.
QImage StoredOrDrawnIcon(int side)
{
    const QResource stored(QStringLiteral(":/art/") + StoredIconName());
    qint64 offset = 0;
    for (const int stockSide : ProgramIconSides) {
        const qint64 bytes = qint64(stockSide) * stockSide * 4;
        if (stockSide == side) {
            if (!stored.isValid() || stored.compressionAlgorithm() != QResource::NoCompression
                || stored.size() < offset + bytes)
                break;
            // Read where the program keeps it, without a copy; the pixmap makes its own.
            return QImage(stored.data() + offset, side, side, side * 4, QImage::Format_ARGB32_Premultiplied);
        }
        offset += bytes;
    }
    return ProgramIconImage(side);
}

// The icon is given for whatever size and resolution it is asked for, so it is sharp on every
// screen; each size is made once.
class DrawnIconEngine : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * scale, mode, state);
        drawn.setDevicePixelRatio(scale);
        painter->drawPixmap(rect, drawn);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const int side = std::max(1, std::min(size.width(), size.height()));
        auto found = m_drawn.find(side);
        if (found == m_drawn.end())
            found = m_drawn.emplace(side, QPixmap::fromImage(StoredOrDrawnIcon(side))).first;
        if (mode == QIcon::Disabled)
            return QIconEngine::pixmap(size, mode, state); // not used by the program
        return found->second;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        // What a window hands the window manager: every size offered is sent for every window
        // that is shown, so only a few. Larger sizes are still drawn on request.
        QList<QSize> sizes;
        for (const int side : ProgramIconSides)
            sizes.append({side, side});
        return sizes;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

private:
    std::map<int, QPixmap> m_drawn;
};

} // namespace

QIcon ProgramIcon()
{
    // Every window carries the icon: one engine serves them all (QIcon is implicitly shared).
    static const QIcon icon(new DrawnIconEngine);
    return icon;
}
