#pragma once
// "Data Details": one data item of the browser's list with its pictures, the
// editable fields, the gas-leak estimate and the four plots the analysis
// worker computes. Previous/Next step through the list; Apply stores the
// edits in the item's files and the database and tells the browser.
// Created on the heap without parent per double-click; deletes itself when
// closed. The analysis worker outlives it: results that arrive after the
// dialog is gone are dropped with its connections.
// Threading: UI thread only. The worker is reached only through its
// locked request calls and the queued update_data signal.

#include "store/records.h"
#include "ui/kit/t_orn_widget.h"

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QVector>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class AddImageWidget;
class QCheckBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class colormap_label;
class colour_bar_view;
class data_detail_func_obj;
class previw_label;
struct detail_chart;
struct detail_form_values;

class data_detail_widget : public t_orn_widget {
    Q_OBJECT
public:
    static constexpr int frame_read_count = 25; // frames analysed at once
    static constexpr int switch_delay_ms = 100; // coalesces quick steps into one analysis

    // items: the browser's item array (copied; the browser's copy of the
    // shown record is updated on Apply); index: the item shown first.
    data_detail_widget(std::vector<data_info>* items, int index, int pass_value,
                       data_detail_func_obj* worker, QWidget* parent = nullptr);
    ~data_detail_widget() override;

    const data_info& record() const { return m_data; }
    int index() const { return m_index; }
    int list_size() const { return int(m_list.size()); }
    int pass_value() const { return m_pass_value; }
    int current_start_frame() const { return m_start_frame; }
    double spl_at_1m() const { return m_spl_1m; }
    bool switch_pending() const;

    // The form, for the tile that opened it and for tests.
    QLineEdit* name_edit() const { return m_name; }
    QDateTimeEdit* time_edit() const { return m_time; }
    QDoubleSpinBox* spl_box() const { return m_spl; }
    QDoubleSpinBox* distance_box() const { return m_distance; }
    QPlainTextEdit* note_edit() const { return m_note; }
    QDoubleSpinBox* leak_rate_box() const { return m_leak_rate; }
    QDoubleSpinBox* cost_box() const { return m_cost; }
    QDoubleSpinBox* leak_level_box() const { return m_leak_level; }
    QPushButton* level_button(int i) const;
    QCheckBox* favorite_box() const { return m_favorite; }
    QPushButton* previous_button() const { return m_previous; }
    QPushButton* next_button() const { return m_next; }
    QPushButton* apply_button() const { return m_apply; }
    QPushButton* para_button() const { return m_para; }
    previw_label* picture_label() const { return m_pictures; }
    colormap_label* spectrogram_label() const { return m_stft; }
    const detail_chart& wave_chart() const;
    const detail_chart& spectrum_chart() const;
    const detail_chart& prpd_chart() const;
    QImage colour_bar_image() const;

Q_SIGNALS:
    void update_data(int func);
    void data_name_change(int idx, std::string name);
    void data_time_change(int idx, std::string time);
    void data_frame_change(int idx);
    void select_filter_state_changed();

public Q_SLOTS:
    // step -1 = "Previous", +1 = "Next".
    void on_previous_next_clicked(int step);
    void on_cancle_clicked();
    void on_maximum_clicked();
    void on_close_clicked();
    void on_apply_clicked();
    void on_para_set_btn_clicked();
    void update_wave(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_wave_fft(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_wave_prpd(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_stft_fft(unsigned char* buffer, int w, int h);
    void update_stft(QImage img, int w, int h, double x0, double x1, double y0, double y1);
    void update_stft_clear();
    void update_pic(int idx, QImage img, bool is_preview);
    void update_spl_func(double v);
    // The worker's run announces the request it serves.
    void update_run_tag(quint64 tag);
    void move_frame_offset(int offset);
    void switch_data_timer_timeout();
    void update_calc_gas_leak(data_info& d);
    void para_change(data_info d);

protected:
    void closeEvent(QCloseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QWidget* build_title_bar();
    QWidget* build_form();
    QWidget* build_plots();
    void place_on_screen();
    void switch_data(int idx);
    // The shown record from the list and the item's files; into the form.
    void read_record();
    void show_record();
    void load_record();
    void queue_analysis();
    // Tells the worker the spectrogram size and asks for the analysis of
    // the queued request, unless a run has already taken it.
    void request_analysis(QSize stft_area);
    static QSize stft_area_estimate();
    bool results_are_stale() const;
    // Spectrogram, colour bar and the composer's copy of it emptied.
    void clear_spectrogram();
    void set_level_buttons();
    void update_spl_1m();
    detail_form_values form_values() const;
    // Stores the annotated picture of a gas-leak item; false on failure.
    bool write_annotated_picture();
    void show_message(const QString& title, const QString& text, int icon);

    std::vector<data_info> m_list;   // the browser's list, as handed over
    std::vector<data_info>* m_items; // the browser's array itself
    int m_index = 0;
    int m_pass_value = 0;
    data_detail_func_obj* m_worker = nullptr;
    data_info m_data;   // the shown record: database row, then the item's files
    data_info m_db_row; // the shown record's database row (update key and fallback)
    int m_start_frame = 0;
    double m_spl_1m = 0;
    // Tag of the newest request queued, and of the run whose results are
    // arriving: results count only while the two agree.
    quint64 m_wanted_tag = 0;
    quint64 m_run_tag = 0;
    bool m_filter_dirty = false; // a stored level or favourite changes what filters match

    QTimer* m_switch_timer = nullptr;
    AddImageWidget* m_composer = nullptr;
    QImage m_colour_bar;

    QPushButton* m_maximum = nullptr;
    previw_label* m_pictures = nullptr;
    QLineEdit* m_name = nullptr;
    QDateTimeEdit* m_time = nullptr;
    QDoubleSpinBox* m_spl = nullptr;
    QDoubleSpinBox* m_distance = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QLabel* m_leak_rate_label = nullptr;
    QLabel* m_cost_label = nullptr;
    QLabel* m_leak_level_label = nullptr;
    QDoubleSpinBox* m_leak_rate = nullptr;
    QDoubleSpinBox* m_cost = nullptr;
    QDoubleSpinBox* m_leak_level = nullptr;
    QPushButton* m_levels[5] = {};
    QCheckBox* m_favorite = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_para = nullptr;
    colormap_label* m_stft = nullptr;
    colour_bar_view* m_bar_view = nullptr;
    std::unique_ptr<detail_chart> m_wave;
    std::unique_ptr<detail_chart> m_fft;
    std::unique_ptr<detail_chart> m_prpd;
};
