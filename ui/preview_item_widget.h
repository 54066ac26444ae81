#pragma once
// One tile of the data browser: the item's picture (with a play mark for
// recordings), a check box with its name and its time.
// Threading: UI thread only.

#include "store/records.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;
class data_detail_func_obj;

// Picture area of a tile: paints its image stretched over its whole
// rectangle. The picture is decoded when first needed (painted or asked for),
// so the tiles of a page that lie outside the viewport cost no decoding.
class tile_picture : public QWidget {
    Q_OBJECT
public:
    explicit tile_picture(QWidget* parent = nullptr);
    // The item directory whose picture this area shows; decoded on demand.
    void set_source(const std::wstring& data_dir);
    void set_image(const QImage& img);
    // Decodes the picture now (when not done yet) and returns it.
    const QImage& image();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::wstring source_;
    bool loaded_ = true;
    QImage image_;
    QPixmap scaled_; // image_ at the widget's size
};

// Decodes the tile picture of an item: grab.jpg in its directory, else the
// first picture stored in Data.dat; decoded directly at a size near
// `target` (never smaller) because a tile never shows more. Null when none.
QImage load_tile_picture(const std::wstring& data_dir, QSize target = QSize(160, 120));

// The time label text: a milliseconds part cut, '/' at positions 4 and 7.
QString tile_time_text(const std::string& time);

class preview_item_widget : public QWidget {
    Q_OBJECT
public:
    // data_vec: the browser's whole item array; idx: absolute index into it;
    // detail_obj (the analysis worker) and pass_value go to the detail view.
    preview_item_widget(std::vector<data_info>* data_vec, int idx, data_detail_func_obj* detail_obj,
                        int pass_value = 0, QWidget* parent = nullptr);
    // Opens the detail view of this tile's item (what a double-click does).
    void open_detail();

    int index() const { return idx_; }
    const data_info& data() const { return data_; }
    bool is_checked() const;
    void set_checked(bool checked);
    QCheckBox* check_box() const { return check_box_; }
    QLabel* time_label() const { return time_label_; }
    tile_picture* picture() const { return picture_; }
    QLabel* play_label() const { return play_label_; }

    // The item's name: shown elided with "…" when the tile is too narrow
    // for it, whole in the tooltip.
    void set_name_text(const QString& name);
    void set_time_text(const QString& time);
    // Loads the picture file again (after the detail view replaced it).
    void reload_picture();

Q_SIGNALS:
    void data_name_change(int idx, std::string name);
    void data_time_change(int idx, std::string time);
    void data_frame_change(int idx);
    void select_filter_state_changed();

public Q_SLOTS:
    void exporer_folder_action_triggered(bool checked);
    void data_detail_data_name_change(int idx, std::string name);
    void data_detail_data_time_change(int idx, std::string time);
    void data_detail_data_frame_change(int idx);
    void data_detail_select_filter_state_changed();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void elide_name();
    // Height of the name row, the same for every tile and script.
    static int name_row_height(const QCheckBox* box);

    std::vector<data_info>* data_vec_;
    int idx_;
    data_info data_;
    data_detail_func_obj* detail_obj_;
    int pass_value_;
    tile_picture* picture_ = nullptr;
    QCheckBox* check_box_ = nullptr;
    QLabel* time_label_ = nullptr;
    QLabel* play_label_ = nullptr;
    QMenu* menu_ = nullptr;
    QString name_; // whole
};
