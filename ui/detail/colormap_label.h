#pragma once
// The spectrogram display: the image with its time and frequency axes.
// Threading: UI thread only.

#include "analysis/colormap_painter.h"

#include <QWidget>

class colormap_label : public QWidget {
    Q_OBJECT
public:
    explicit colormap_label(QWidget* parent = nullptr);

    // The spectrogram and its ranges (time in s, frequency in Hz).
    void set_image(const QImage& img, double x0, double x1, double y0, double y1);
    // Only the Y range (the detail view sets the band before any image).
    void set_y_range(double y0, double y1);
    // Fills the image with one colour and repaints.
    void clear();
    const QImage& image() const { return view_.image; }
    // Size of the plot area at the last paint (the analysis target size).
    int plot_area_width() const { return plot_w_; }
    int plot_area_height() const { return plot_h_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    colormap_view view_;
    int plot_w_ = 0;
    int plot_h_ = 0;
};
