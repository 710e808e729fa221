#pragma once

#include "print/PrintSurface.h"

#include <QPainter>

class QFont;
class QPagedPaintDevice;

//! The drawing half of a surface on a paged Qt paint device, a printer or a PDF writer: fonts
//! at the device's own resolution, each text drawn with the top of its character cell at y.
//! Beginning and ending a job are the device's own business.
class PainterSurface : public PrintSurface
{
public:
    PrintableArea Area() const override;
    int CellHeight(const PrinterFont& font) override;
    int TextWidth(const PrinterFont& font, std::string_view text) override;
    bool DrawText(int x, int y, const PrinterFont& font, std::string_view text) override;
    bool DrawPicture(int x, int y, int width, int height, const SheetPicture& picture) override;
    bool NewPage() override;

protected:
    //! The device of the job under way, or null between jobs.
    virtual QPagedPaintDevice* Device() const = 0;
    //! Whether the device has met an error since its job began.
    virtual bool DeviceFailed() const = 0;

    QPainter m_painter;

private:
    QFont DeviceFont(const PrinterFont& font) const;
};
