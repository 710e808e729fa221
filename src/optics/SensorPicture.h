#pragma once

#include "optics/SensorField.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QPainter;

//! The field on the sensor to scale: one scale fits both the whole frame and the whole Moon.
//! The frame is night sky with a light outline, the Moon a grey disc centred on it and drawn
//! whole, so that it overflows the frame where it is larger; Jupiter at its largest is a small
//! disc beside the Moon; on film, the central 20-mm circle is dashed. With no sizes it shows
//! the background alone.
class SensorPicture : public QWidget
{
public:
    explicit SensorPicture(QWidget* parent = nullptr);

    void SetSizes(const std::optional<SensorFieldSizes>& sizes);

    //! The picture at `factor` times the widget's size in pixels, in its normal colours even
    //! in night vision.
    QImage Image(int factor) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    //! Draws the picture into an area of `size` logical pixels, in night red where `night`.
    void Draw(QPainter& painter, QSizeF size, bool night) const;

    std::optional<SensorFieldSizes> m_sizes;
};
