#pragma once
// One tile of the data browser: the item's picture (with a play mark for
// recordings), a check box with its name and its time.
// Threading: UI thread only.

#include "store/records.h"

#include <QImage>
#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;
class data_detail_func_obj;

// Picture area of a tile: paints its image stretched over its whole rectangle.
class tile_picture : public QWidget {
    Q_OBJECT
public:
    explicit tile_picture(QWidget* parent = nullptr);
    void set_image(const QImage& img);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage image_;
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
    // detail_obj: passed through to the detail view.
    preview_item_widget(std::vector<data_info>* data_vec, int idx, data_detail_func_obj* detail_obj,
                        QWidget* parent = nullptr);

    int index() const { return idx_; }
    const data_info& data() const { return data_; }
    bool is_checked() const;
    void set_checked(bool checked);
    QCheckBox* check_box() const { return check_box_; }
    QLabel* time_label() const { return time_label_; }
    tile_picture* picture() const { return picture_; }
    QLabel* play_label() const { return play_label_; }

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
    void open_detail();

    std::vector<data_info>* data_vec_;
    int idx_;
    data_info data_;
    data_detail_func_obj* detail_obj_;
    tile_picture* picture_ = nullptr;
    QCheckBox* check_box_ = nullptr;
    QLabel* time_label_ = nullptr;
    QLabel* play_label_ = nullptr;
    QMenu* menu_ = nullptr;
};
