#pragma once
// The colour bar beside the spectrogram: the level of each frequency row as
// a bar in the spectrogram's colours, aligned with the spectrogram's plot
// area (high frequencies at the top). Threading: UI thread only.

#include <QImage>
#include <QWidget>

class colour_bar_view : public QWidget {
    Q_OBJECT
public:
    explicit colour_bar_view(QWidget* parent = nullptr);

    // A null image shows the empty frame.
    void set_image(const QImage& img);
    const QImage& image() const { return m_image; }

    QSize sizeHint() const override { return QSize(56, 200); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage m_image;
};
