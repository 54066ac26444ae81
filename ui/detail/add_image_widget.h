#pragma once
// Off-screen composer of the annotated picture of a gas-leak measurement:
// the item's picture with the colour bar, centre mark, logo and the
// measured values laid over it, saved as a JPEG beside the item's files.
// Never shown. Threading: UI thread only.

#include "store/records.h"

#include <QImage>
#include <QWidget>

class QLabel;

class AddImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit AddImageWidget(QWidget* parent = nullptr);

    // The colour bar sent by the analysis worker (RGB 8-8-8 rows). Claims the
    // buffer and releases it after copying; a buffer that was already
    // reclaimed is ignored.
    void set_colorbar(unsigned char* buffer, int w, int h);
    const QImage& colorbar() const { return colorbar_; }
    // No colour bar: the item has no spectrogram (a single frame).
    void clear_colorbar();

    // Fills the composer. reserved_a and reserved_b are passed as 0.
    void write(const QString& picture_path, double reserved_a, double reserved_b, int band_start_hz,
               int band_end_hz, double distance_m, const QString& time_text,
               const QString& currency, int unit_mode, double spl_1m, double leak_rate,
               double leak_level, double leak_cost, const QString& device_type,
               bool gas_leak_mode = true);
    // The composer drawn at its full size.
    QImage render_image();

    // Texts currently shown (for checks and for the report).
    QString text_of(const char* object_name) const;

private:
    QLabel* make_label(const char* name, const QString& style);
    QLabel* background_;
    QLabel* colorbar_label_;
    QLabel* center_mark_;
    QLabel* logo_;
    QImage colorbar_;
};

// Fills the composer from the record (band, distance, time, currency, unit,
// the SPL at 1 m, the leak estimate, the device type's display name), renders
// it and saves "<item directory name>.jpg" inside the item directory.
// Returns 0, or an errno-style code when the picture cannot be written.
int save_annotated_picture(AddImageWidget& w, const data_info& d, double spl_1m);
// Where that picture goes.
QString annotated_picture_path(const data_info& d);
