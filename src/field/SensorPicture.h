#pragma once

#include "field/Framing.h"
#include "field/SensorField.h"
#include "ui/DrawnPicture.h"

#include <optional>

class QPainter;

//! The field on the sensor to scale. For the Moon and Jupiter one scale fits both the whole
//! frame and the whole Moon: the frame is night sky with a light outline, the Moon a grey disc
//! centred on it and drawn whole, so that it overflows the frame where it is larger; Jupiter at
//! its largest is a small disc beside the Moon; on film, the central 20-mm circle is dashed.
//! For a catalogue target one scale fits the frame, or the whole mosaic, and the whole target:
//! an ellipse in a colour of its own, turned as the camera sees it and centred on the frame,
//! the mosaic's panels thin outlines around it, and arrows to the sky's north and east; a
//! target without a size is a ring with a cross at the frame's centre, the same at any scale,
//! with its name. With no sizes it shows the background alone.
class SensorPicture : public DrawnPicture
{
public:
    explicit SensorPicture(QWidget* parent = nullptr);

    //! What to draw: the frame with the Moon and Jupiter, or with `target` where one is given.
    void SetSizes(const std::optional<SensorFieldSizes>& sizes, const std::optional<TargetSizes>& target = std::nullopt);

private:
    void Draw(QPainter& painter, QSizeF area, bool night) const override;

    std::optional<SensorFieldSizes> m_sizes;
    std::optional<TargetSizes> m_target;
};
