#include "print/PainterSurface.h"

#include "ui/Look.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PrintableArea PainterSurface::Area() const
{
    const QPagedPaintDevice* device = Device();
    if (!device)
        return {};
    return {device->width(), device->height()};
}

QFont PainterSurface::DeviceFont(const PrinterFont& font) const
{
    const QString face = QString::fromStdString(font.Face);
    QFont qfont(face == QLatin1String("Times New Roman") ? SerifFace : face);
    qfont.setPointSize(font.Points);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    // Sizes in points are converted at the device's resolution, not the screen's.
    QPagedPaintDevice* device = Device();
    return device ? QFont(qfont, device) : qfont;
}

int PainterSurface::CellHeight(const PrinterFont& font)
{
    const QFontMetrics metrics(DeviceFont(font), Device());
    return metrics.ascent() + metrics.descent();
}

int PainterSurface::TextWidth(const PrinterFont& font, std::string_view text)
{
    const QFontMetrics metrics(DeviceFont(font), Device());
    return metrics.horizontalAdvance(FromUtf8(text));
}

bool PainterSurface::DrawText(int x, int y, const PrinterFont& font, std::string_view text)
{
    if (!m_painter.isActive())
        return false;
    const QFont qfont = DeviceFont(font);
    m_painter.setFont(qfont);
    // QPainter places text on its baseline; the device's y is the top of the character cell.
    m_painter.drawText(QPoint(x, y + QFontMetrics(qfont, Device()).ascent()), FromUtf8(text));
    return !DeviceFailed();
}

bool PainterSurface::DrawPicture(int x, int y, int width, int height, const SheetPicture& picture)
{
    if (!m_painter.isActive())
        return false;
    m_painter.save();
    m_painter.translate(x, y);
    m_painter.setClipRect(0, 0, width, height);
    picture(m_painter, width, height);
    m_painter.restore();
    return !DeviceFailed();
}

bool PainterSurface::NewPage()
{
    QPagedPaintDevice* device = Device();
    return device && device->newPage() && !DeviceFailed();
}
