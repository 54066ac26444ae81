// Loading a record into the data detail view, storing its edits (Apply) and
// the gas-leak parameters.

#include "ui/detail/data_detail_widget.h"

#include "analysis/datafile/data_file.h"
#include "analysis/gas_leak.h"
#include "analysis/picture_file.h"
#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/text.h"
#include "store/database.h"
#include "ui/detail/add_image_widget.h"
#include "ui/detail/colormap_label.h"
#include "ui/detail/detail_charts.h"
#include "ui/detail/detail_edit.h"
#include "ui/detail/para_setting_widget.h"
#include "ui/detail/previw_label.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

static const char* const time_format = "yyyy-MM-dd HH:mm:ss";

static std::wstring item_path(const data_info& d, const wchar_t* file) {
    return d.data_dir + L"/" + file;
}

static QString wide_q(const std::wstring& s) {
    return QString::fromStdWString(s);
}

// ---- loading ------------------------------------------------------------------

void data_detail_widget::read_record() {
    if (m_list.empty())
        return;
    m_db_row = m_list[m_index];
    m_data = m_db_row;
    // Header, then note.json, then data_edit.json: a later file overrides an
    // earlier one, and a missing file leaves what the others gave.
    read_data_item(m_data);
    if (m_data.frame_num <= 0 && !m_data.index_table.empty())
        m_data.frame_num = int(m_data.index_table.size());
    m_start_frame = std::max(m_db_row.dd_start_frame_idx, 0);
}

void data_detail_widget::load_record() {
    read_record();
    show_record();
}

void data_detail_widget::show_record() {
    m_previous->setEnabled(m_index > 0);
    m_next->setEnabled(m_index + 1 < int(m_list.size()));
    if (m_list.empty())
        return;
    m_name->setText(wide_q(m_data.data_name));
    // An empty or unreadable time shows an empty field, never the time of
    // the item shown before (an invalid value would simply be ignored).
    const QDateTime time = QDateTime::fromString(QString::fromStdString(m_data.time),
                                                 QString::fromLatin1(time_format));
    m_time->setDateTime(time.isValid() ? time : m_time->minimumDateTime());
    m_note->setPlainText(wide_q(m_data.data_note));
    m_pictures->clear();
    m_pictures->set_preview(read_picture_file(item_path(m_data, L"grab.jpg")));
    m_pictures->set_frame_position(m_start_frame, m_data.frame_num);
    // Plots of the previous item must not pass for this one's.
    clear_chart(*m_wave);
    clear_chart(*m_fft);
    clear_chart(*m_prpd);
    m_stft->clear();

    m_spl->setValue(m_data.spl);
    {
        const QSignalBlocker block(m_distance);
        m_distance->setValue(m_data.distance);
    }
    update_spl_1m();
    update_calc_gas_leak(m_data);
    set_level_buttons();
}

void data_detail_widget::set_level_buttons() {
    for (QPushButton* b : m_levels)
        b->setChecked(false);
    switch (m_data.app_type) {
    case 0:
        for (int i = 0; i < detail_level_count; ++i)
            m_levels[i]->setVisible(i < 2);
        m_levels[1]->setText(tr("Check"));
        m_favorite->setVisible(true);
        break;
    case 1:
        for (QPushButton* b : m_levels)
            b->setVisible(false);
        m_favorite->setVisible(false);
        break;
    case 2:
        for (QPushButton* b : m_levels)
            b->setVisible(true);
        m_levels[1]->setText(tr("Attention"));
        m_favorite->setVisible(true);
        break;
    default: // other writers: whatever the last record showed
        break;
    }
    const detail_level_checks checks = detail_checks_from_record(m_data);
    for (int i = 0; i < detail_level_count; ++i)
        if (checks[i])
            m_levels[i]->setChecked(true);
    m_favorite->setChecked(m_data.favorite == 1);
}

void data_detail_widget::update_spl_1m() {
    m_spl_1m = spl_at_one_metre(m_data.spl, m_data.distance);
}

detail_form_values data_detail_widget::form_values() const {
    detail_form_values f;
    f.name = m_name->text().toStdWString();
    f.note = m_note->toPlainText().toStdWString();
    // The time is not editable: a record whose time text does not parse must
    // not be rewritten with the editor's placeholder date.
    f.time = m_data.time;
    f.distance = m_distance->value();
    // Writers without level buttons keep what is stored.
    if (m_data.app_type == 0 || m_data.app_type == 2) {
        for (int i = 0; i < detail_level_count; ++i)
            f.levels[i] = m_levels[i]->isChecked();
    } else {
        f.levels = detail_checks_from_record(m_data);
    }
    f.favorite = m_favorite->isChecked();
    f.start_frame = m_start_frame;
    return f;
}

// ---- Apply ----------------------------------------------------------------------

static bool write_grab(const std::wstring& data_dir, int start, int& err) {
    std::vector<signal_frame_ptr> frames;
    data_info head;
    int32_t count = 1;
    bool at_end = false;
    err = read_data_frames(data_dir + L"/Data.dat", start, count, frames, head, at_end);
    if (err != 0)
        return false;
    if (frames.empty() || frames[0]->picture.empty()) {
        err = -1; // nothing to store: keep the picture there is
        return false;
    }
    const auto& pic = frames[0]->picture;
    err = platform::write_file_atomic(
        wide_to_utf8(data_dir + L"/grab.jpg"),
        std::string(reinterpret_cast<const char*>(pic.data()), pic.size()));
    return err == 0;
}

void data_detail_widget::on_apply_clicked() {
    app_log("data_detail_widget::on_apply_clicked %d %d", m_index, int(m_list.size()));
    if (m_list.empty())
        return;

    // What the files hold now (all three of them: an earlier Apply may have
    // stored the current values in data_edit.json).
    data_info stored = m_db_row;
    read_data_item(stored);
    const int stored_start = std::max(m_db_row.dd_start_frame_idx, 0);

    detail_form_values form = form_values();
    const detail_changes ch =
        compare_detail_edit(form, m_data, stored, stored_start, m_db_row.time);

    if (ch.name) {
        if (m_name->text().trimmed().isEmpty()) {
            show_message(tr("Warning"), tr("The data name must not be empty."), 1);
            return;
        }
        // The row may still carry the name the files lost; that is no other item's.
        if (form.name != m_db_row.data_name &&
            data_list_db_name_exists(m_data.data_import_id, form.name)) {
            show_message(tr("Warning"),
                         tr("Data name already exists! Please modify the data name."), 1);
            return;
        }
    }
    if (!ch.any()) {
        app_log("data_detail_widget::on_apply_clicked %d %d db", m_index, int(m_list.size()));
        return;
    }

    // The spin box shows one decimal; an unchanged distance keeps its digits.
    if (!ch.distance)
        form.distance = stored.distance;
    data_info rec = m_data;
    apply_form_to_record(form, rec);
    rec.time = form.time;
    m_data = rec;
    update_spl_1m();
    update_calc_gas_leak(m_data);
    rec = m_data;

    QStringList failed;
    bool grab_ok = true;
    if (ch.start_frame) {
        int err = 0;
        grab_ok = write_grab(rec.data_dir, m_start_frame, err);
        if (!grab_ok) {
            app_log("save current_start_frame_idx grab err:%d", err);
            failed << QStringLiteral("grab.jpg");
        }
    }
    const bool edit_ok = save_data_edit(rec) == 0;
    if (!edit_ok)
        failed << QStringLiteral("data_edit.json");
    bool note_ok = true;
    if (ch.note_file()) {
        note_ok = save_data_note_change(item_path(rec, L"note.json"), rec) == 0;
        if (!note_ok)
            failed << QStringLiteral("note.json");
    }

    // The row takes only what reached the files; the rest stays as stored.
    data_info row = rec;
    if (!edit_ok) {
        row.data_name = stored.data_name;
        row.data_note = stored.data_note;
        row.distance = stored.distance;
        row.spl = stored.spl;
    }
    if (!note_ok) {
        row.valid_type = stored.valid_type;
        row.discharge = stored.discharge;
        row.favorite = stored.favorite;
    }
    if (!grab_ok)
        row.dd_start_frame_idx = m_db_row.dd_start_frame_idx;
    const std::string old_time = m_db_row.time;
    const bool time_update = ch.time && edit_ok;
    row.time = old_time; // the update selects the row by its stored time
    int db_err = -1;
    if (sqlite3* h = db_open()) {
        db_err = data_list_db_update(h, make_update_row(row));
        if (db_err == 0 && time_update)
            db_err = data_list_db_update_time(h, rec.time, rec.data_import_id, old_time);
        db_close(h);
    }
    if (db_err != 0)
        failed << tr("database");
    else if (time_update)
        row.time = rec.time;

    if (db_err == 0) {
        // The browser's copy of the record follows the database row.
        auto follow = [&row](data_info& d) {
            d.data_name = row.data_name;
            d.data_note = row.data_note;
            d.distance = row.distance;
            d.spl = row.spl;
            d.valid_type = row.valid_type;
            d.discharge = row.discharge;
            d.favorite = row.favorite;
            d.dd_start_frame_idx = row.dd_start_frame_idx;
            d.time = row.time;
        };
        follow(m_list[m_index]);
        if (m_items && m_index < int(m_items->size())) {
            data_info& b = (*m_items)[m_index];
            if (b.data_import_id == row.data_import_id && b.time == old_time &&
                b.dir_name == row.dir_name)
                follow(b);
        }
        m_db_row = m_list[m_index];
        if (edit_ok) {
            Q_EMIT data_name_change(m_index, wide_to_utf8(row.data_name));
            Q_EMIT data_time_change(m_index, row.time);
        }
        if (ch.start_frame && grab_ok)
            Q_EMIT data_frame_change(m_index);
        if (ch.note_file() && note_ok)
            m_filter_dirty = true;
    }

    if (m_data.sign_mode == 2 && !write_annotated_picture())
        failed << wide_q(rec.dir_name) + QStringLiteral(".jpg");

    if (!failed.isEmpty())
        show_message(tr("Warning"),
                     tr("Some changes could not be saved: %1. Please check that the data "
                        "folder is writable and try again.")
                         .arg(failed.join(QStringLiteral(", "))),
                     3);
    app_log("data_detail_widget::on_apply_clicked %d %d db", m_index, int(m_list.size()));
}

// ---- gas-leak parameters ------------------------------------------------------------

void data_detail_widget::on_para_set_btn_clicked() {
    auto* dlg = new para_setting_widget(m_data, this);
    dlg->setWindowModality(Qt::WindowModal);
    connect(dlg, &para_setting_widget::ok, this, &data_detail_widget::para_change);
    dlg->show();
}

void data_detail_widget::para_change(data_info p) {
    if (m_data.sign_mode != 2)
        return;
    m_data.gasleak_rect = p.gasleak_rect;
    m_data.gasleak_currency = p.gasleak_currency;
    m_data.gasleak_energy_cost = p.gasleak_energy_cost;
    m_data.gasleak_gas_cost = p.gasleak_gas_cost;
    m_data.gasleak_power_ratio = p.gasleak_power_ratio;
    m_data.gasleak_unit_mode = p.gasleak_unit_mode;
    update_calc_gas_leak(m_data);
    QStringList failed;
    if (save_data_edit(m_data) != 0)
        failed << QStringLiteral("data_edit.json");
    update_spl_1m();
    if (!write_annotated_picture())
        failed << wide_q(m_data.dir_name) + QStringLiteral(".jpg");
    if (!failed.isEmpty())
        show_message(tr("Warning"),
                     tr("Some changes could not be saved: %1. Please check that the data "
                        "folder is writable and try again.")
                         .arg(failed.join(QStringLiteral(", "))),
                     3);
}

bool data_detail_widget::write_annotated_picture() {
    const int err = save_annotated_picture(*m_composer, m_data, m_spl_1m);
    if (err != 0)
        app_log("save annotated picture err:%d", err);
    return err == 0;
}
