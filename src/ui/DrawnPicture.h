#pragma once

#include <QImage>
#include <QSizeF>
#include <QWidget>

class QPainter;

//! A widget drawn by one function, so that the picture it saves is what the window shows: on
//! the screen in the night look while it is on, saved always in its normal colours.
class DrawnPicture : public QWidget
{
public:
    using QWidget::QWidget;

    //! The picture at `factor` times the widget's size in pixels, in its normal colours even
    //! in night vision.
    QImage Image(int factor) const;
    //! The picture in its normal colours, scaled into an area of `area` device units of
    //! `painter` (a printed sheet's), so that the paper shows what the window does.
    void DrawScaled(QPainter& painter, QSizeF area) const;

protected:
    void paintEvent(QPaintEvent* event) override;

    //! Draws the picture into an area of `area` logical pixels, in night red where `night`.
    virtual void Draw(QPainter& painter, QSizeF area, bool night) const = 0;
};
