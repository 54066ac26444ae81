// The data detail dialog over generated items: stepping, frame moves, the
// rules of Apply (also with files that cannot be written and on a full disk),
// the level buttons per writer, the leak fields, an item without a usable
// time, and the plots fed by the real analysis worker, late runs dropped.

#include "analysis/data_detail_func_obj.h"
#include "analysis/datafile/data_file.h"
#include "analysis/gas_leak.h"
#include "detail_fixture.h"
#include "full_disk.h"
#include "store/database.h"
#include "ui/detail/add_image_widget.h"
#include "ui/detail/colormap_label.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/detail/detail_charts.h"
#include "ui/detail/para_setting_widget.h"
#include "ui/detail/previw_label.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

QString item_file(const data_info& d, const char* name) {
    return QString::fromStdWString(d.data_dir) + QLatin1Char('/') + QLatin1String(name);
}

QByteArray file_bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QByteArray frame_picture(const data_info& d, int frame) {
    std::vector<signal_frame_ptr> frames;
    data_info head;
    int32_t count = 1;
    bool at_end = false;
    read_data_frames(d.data_dir + L"/Data.dat", frame, count, frames, head, at_end);
    if (frames.empty())
        return QByteArray();
    const std::vector<uint8_t>& p = frames[0]->picture;
    return QByteArray(reinterpret_cast<const char*>(p.data()), int(p.size()));
}

// Whether a filtered selection lists the item.
bool listed(const std::vector<data_info>& rows, const data_info& d) {
    for (const data_info& r : rows)
        if (r.dir_name == d.dir_name)
            return true;
    return false;
}

// Generated items with 160 x 120 pictures.
sample_options items(int count, int frames) {
    sample_options o;
    o.items = count;
    o.frames = frames;
    o.picture_width = 160;
    o.picture_height = 120;
    return o;
}

int message_boxes(QWidget* dlg) {
    return dlg->findChildren<t_orn_msg_box*>().size();
}

} // namespace

class tst_detail_widget : public QObject {
    Q_OBJECT
    std::unique_ptr<detail_fixture> fx;
    QThread worker_thread;
    data_detail_func_obj* worker = nullptr;

    std::vector<QPointer<data_detail_widget>> opened; // closed by cleanup() when a check failed

    // A dialog over the fixture's items, or over another list.
    data_detail_widget* open(int index, bool with_worker = false,
                             std::vector<data_info>* list = nullptr) {
        auto* dlg = new data_detail_widget(list ? list : &fx->items, index, 7,
                                           with_worker ? worker : nullptr);
        dlg->show();
        opened.push_back(dlg);
        return dlg;
    }
    static void close_and_wait(data_detail_widget* dlg) {
        QPointer<data_detail_widget> p(dlg);
        dlg->close();
        QTRY_VERIFY(p.isNull());
    }

private Q_SLOTS:
    void initTestCase() {
        register_meta_types();
        worker = new data_detail_func_obj;
        worker->moveToThread(&worker_thread);
        connect(&worker_thread, &QThread::finished, worker, &QObject::deleteLater);
        worker_thread.start();
    }
    void cleanupTestCase() {
        worker_thread.quit();
        worker_thread.wait();
    }
    void cleanup() {
        for (QPointer<data_detail_widget>& p : opened)
            delete p.data();
        opened.clear();
    }
    void init() {
        fx = std::make_unique<detail_fixture>();
        // Writers 0,1,2,0,1,2 by age; the third is a gas-leak item.
        QCOMPARE(QString::fromStdString(fx->setup(items(6, 8))), QString());
    }

    void level_buttons_and_leak_fields_follow_the_item_data() {
        QTest::addColumn<int>("app_type");
        QTest::addColumn<bool>("leak");
        QTest::addColumn<int>("levels"); // level buttons shown, -1 not looked at
        QTest::addColumn<QString>("second");
        QTest::newRow("Sable: none") << 1 << false << 0 << "";
        QTest::newRow("Orn: Normal and Check") << 0 << false << 2 << "Check";
        QTest::newRow("vuvoraro: five levels") << 2 << false << 5 << "Attention";
        QTest::newRow("gas leak") << 2 << true << -1 << "";
    }
    void level_buttons_and_leak_fields_follow_the_item() {
        QFETCH(int, app_type);
        QFETCH(bool, leak);
        QFETCH(int, levels);
        QFETCH(QString, second);
        const int idx = fx->find([&](const data_info&, const sample_item& g) {
            return g.app_type == app_type && g.gas_leak == leak;
        });
        QVERIFY(idx >= 0);
        auto* dlg = open(idx);
        const sample_item& g = fx->generated(fx->items[idx].dir_name);
        for (int i = 0; i < 5 && levels >= 0; ++i) {
            QCOMPARE(dlg->level_button(i)->isVisible(), i < levels);
            if (i < levels)
                QCOMPARE(dlg->level_button(i)->isChecked(),
                         i == (app_type == 0 ? g.valid_type : g.discharge));
        }
        if (levels > 0) {
            QCOMPARE(dlg->level_button(1)->text(), second);
            QCOMPARE(dlg->favorite_box()->isChecked(), g.favorite == 1);
        }
        QCOMPARE(dlg->favorite_box()->isVisible(), levels != 0);
        // Only a gas-leak item has the leak fields, "Parameter" and an estimate.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 dlg->leak_rate_box(), dlg->cost_box(), dlg->leak_level_box(), dlg->para_button()})
            QCOMPARE(w->isVisible(), leak);
        const data_info& r = dlg->record();
        const gas_leak_result e =
            calc_gas_leak(r.spl, r.distance, r.gasleak_rect, r.gasleak_unit_mode,
                          r.gasleak_power_ratio, r.gasleak_energy_cost, r.gasleak_gas_cost);
        QCOMPARE(
            QList<double>({dlg->leak_rate_box()->value(), dlg->leak_level_box()->value()}),
            leak ? QList<double>({std::round(e.rate * 10) / 10, std::round(e.level * 100) / 100})
                 : QList<double>({0, 0}));
        QCOMPARE(dlg->spl_at_1m(), spl_at_one_metre(r.spl, r.distance));
    }

    void quick_next_presses_run_one_analysis() {
        QSignalSpy waves(worker, &data_detail_func_obj::update_wave);
        auto* dlg = open(0, true); // requests the opening analysis at once
        QSignalSpy requests(dlg, &data_detail_widget::update_data);
        // The worker's signals come from its thread: poll the spy.
        QTRY_COMPARE_WITH_TIMEOUT(waves.count(), 1, 5000);
        QVERIFY(!dlg->switch_pending());
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(dlg->next_button(), Qt::LeftButton);
        // Five records loaded, none analysed yet.
        QCOMPARE(dlg->index(), 5);
        QCOMPARE(dlg->record().dir_name, fx->items[5].dir_name);
        QCOMPARE(requests.count(), 0);
        QVERIFY(dlg->switch_pending());
        QVERIFY(!dlg->next_button()->isEnabled());
        QTRY_COMPARE(requests.count(), 1);
        QCOMPARE(requests.at(0).at(0).toInt(), 0);
        QTRY_COMPARE(waves.count(), 2);
        QTest::qWait(300);
        QCOMPARE(requests.count(), 1);
        QCOMPARE(waves.count(), 2);
        // Stepping past the ends does nothing.
        dlg->on_previous_next_clicked(1);
        QCOMPARE(dlg->index(), 5);
    }

    void distance_edits_count_beyond_five_centimetres() {
        const int idx =
            fx->find([](const data_info&, const sample_item& g) { return !g.gas_leak; });
        auto* dlg = open(idx);
        const data_info d = dlg->record();
        const QString edit_path = item_file(d, "data_edit.json");
        QVERIFY(!QFile::exists(edit_path));

        dlg->distance_box()->setValue(d.distance + 0.04);
        dlg->on_apply_clicked();
        QVERIFY(!QFile::exists(edit_path));

        dlg->distance_box()->setValue(d.distance + 0.06);
        const double shown = dlg->distance_box()->value();
        QVERIFY(shown > d.distance + 0.05);
        dlg->on_apply_clicked();
        data_info again = fx->items[idx];
        read_data_item(again);
        QCOMPARE(again.distance, shown);
        // A restart reads the row back from the database.
        QCOMPARE(fx->reload()[idx].distance, shown);
    }

    void rename_refusal_rename_and_notes() {
        // Without its signal file the item shows its row's values; Apply works.
        const data_info row = fx->items[1];
        QVERIFY(QFile::remove(QString::fromStdWString(row.data_dir + L"/Data.dat")));
        auto* dlg = open(1);
        QCOMPARE(dlg->name_edit()->text(), QString::fromStdWString(row.data_name));
        QCOMPARE(dlg->distance_box()->value(), std::round(row.distance * 10) / 10);
        QSignalSpy renamed(dlg, &data_detail_widget::data_name_change);
        const QString edit_path = item_file(dlg->record(), "data_edit.json");

        // Another item's name is refused with a warning, and nothing is written.
        dlg->name_edit()->setText(QString::fromStdWString(fx->items[0].data_name));
        dlg->on_apply_clicked();
        QCOMPARE(message_boxes(dlg), 1);
        QVERIFY(!QFile::exists(edit_path));
        QCOMPARE(renamed.count(), 0);
        dlg->findChild<t_orn_msg_box*>()->close();
        QTRY_COMPARE(message_boxes(dlg), 0);

        // Keeping its own name is allowed; a note alone is saved.
        const QString note = QStringLiteral("re-check after repair\nsecond line");
        dlg->name_edit()->setText(QString::fromStdWString(row.data_name));
        dlg->note_edit()->setPlainText(note);
        dlg->on_apply_clicked();
        QCOMPARE(message_boxes(dlg), 0);
        QVERIFY(QFile::exists(edit_path));

        const QString fresh = QStringLiteral("Feeder 7 – north 'B'");
        dlg->name_edit()->setText(fresh);
        dlg->on_apply_clicked();
        QCOMPARE(message_boxes(dlg), 0);
        QCOMPARE(renamed.count(), 2);
        QCOMPARE(renamed.last().at(0).toInt(), 1);
        QCOMPARE(QString::fromStdString(renamed.last().at(1).value<std::string>()), fresh);

        // The browser's copy and the database both follow.
        QCOMPARE(QString::fromStdWString(fx->items[1].data_name), fresh);
        QCOMPARE(QString::fromStdWString(fx->items[1].data_note), note);
        const std::vector<data_info> rows = fx->reload();
        QCOMPARE(QString::fromStdWString(rows[1].data_name), fresh);
        QCOMPARE(QString::fromStdWString(rows[1].data_note), note);
        QVERIFY(data_list_db_name_exists(rows[1].data_import_id, fresh.toStdWString()));
    }

    void frame_steps_clamp_and_apply_replaces_grab() {
        const int idx = fx->find([](const data_info&, const sample_item& g) {
            return g.data_type == 0 && g.app_type == 0;
        });
        auto* dlg = open(idx);
        QSignalSpy frames(dlg, &data_detail_widget::data_frame_change);
        QTRY_VERIFY(!dlg->switch_pending());
        dlg->move_frame_offset(-1);
        QCOMPARE(dlg->current_start_frame(), 0);
        QVERIFY(!dlg->switch_pending()); // nothing moved, nothing queued
        for (int i = 0; i < 20; ++i)
            dlg->move_frame_offset(1);
        QCOMPARE(dlg->current_start_frame(), 7); // frame_num - 1
        QVERIFY(dlg->switch_pending());
        QTest::mouseClick(dlg->picture_label()->left_button(), Qt::LeftButton);
        QCOMPARE(dlg->current_start_frame(), 6);

        const QString grab = item_file(dlg->record(), "grab.jpg");
        const QByteArray pic6 = frame_picture(dlg->record(), 6);
        QVERIFY(!pic6.isEmpty() && file_bytes(grab) != pic6);
        dlg->on_apply_clicked();
        QCOMPARE(frames.count(), 1);
        QCOMPARE(frames.at(0).at(0).toInt(), idx);
        QCOMPARE(file_bytes(grab), pic6);

        fx->items = fx->reload();
        QCOMPARE(fx->items[idx].dd_start_frame_idx, 6);
        dlg = open(idx);
        QCOMPARE(dlg->current_start_frame(), 6);
    }

    void level_and_favourite_are_stored_and_filters_refresh_on_close() {
        const int idx = fx->find([](const data_info&, const sample_item& g) {
            return g.app_type == 2 && g.discharge != 3;
        });
        auto* dlg = open(idx);
        QSignalSpy filters(dlg, &data_detail_widget::select_filter_state_changed);
        QTest::mouseClick(dlg->level_button(3), Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(dlg->level_button(i)->isChecked(), i == 3);
        QVERIFY(!dlg->favorite_box()->isChecked());
        dlg->favorite_box()->setChecked(true);
        dlg->on_apply_clicked();
        QCOMPARE(filters.count(), 0);
        dlg->close();
        QCOMPARE(filters.count(), 1);
        QTest::qWait(0);

        const data_info& d = fx->items[idx];
        QVERIFY(listed(data_list_db_select_discharge(fx->dataset, 0, 0, 0, 1, 0, 0), d));
        QVERIFY(listed(data_list_db_select(fx->dataset, false, false, true), d));
        dlg = open(idx); // shows what was stored
        QVERIFY(dlg->level_button(3)->isChecked() && dlg->favorite_box()->isChecked());
    }

    // data_edit.json and grab.jpg cannot be written (not even by the
    // superuser), note.json can: the favourite is stored, the rest is
    // reported and kept out of the row.
    void partly_failed_apply_keeps_what_was_written() {
        const int idx = fx->find([](const data_info&, const sample_item& g) {
            return g.app_type == 0 && g.data_type == 0;
        });
        const data_info before = fx->items[idx];
        const QString locked = QStringLiteral("/proc/version");
        if (!QFile::exists(locked))
            QSKIP("needs a file that cannot be written");
        for (const char* name : {"data_edit.json", "grab.jpg"}) {
            QFile::remove(item_file(before, name));
            QVERIFY(QFile::link(locked, item_file(before, name)));
        }
        auto* dlg = open(idx);
        QSignalSpy frames(dlg, &data_detail_widget::data_frame_change);
        dlg->note_edit()->setPlainText(QStringLiteral("lost?"));
        dlg->favorite_box()->setChecked(!dlg->favorite_box()->isChecked());
        const int favorite = dlg->favorite_box()->isChecked() ? 1 : 0;
        dlg->move_frame_offset(2);
        dlg->on_apply_clicked();
        QCOMPARE(message_boxes(dlg), 1);
        QCOMPARE(frames.count(), 0);
        QCOMPARE(listed(data_list_db_select(fx->dataset, false, false, true), before),
                 favorite == 1);
        const data_info row = fx->reload()[idx];
        QCOMPARE(row.data_note, before.data_note);
        QCOMPARE(row.dd_start_frame_idx, before.dd_start_frame_idx);
    }

    void full_disk_keeps_every_file_data() {
        QTest::addColumn<QString>("change");
        for (const char* change : {"name", "favorite", "start frame"})
            QTest::newRow(change) << QString(change);
    }
    void full_disk_keeps_every_file() {
        QFETCH(QString, change);
        detail_fixture small;
        full_disk disk(small.tmp.filePath("set"));
        QCOMPARE(QString::fromStdString(small.setup(items(1, 4))), QString());
        const data_info before = small.items[0];
        const char* files[] = {"note.json", "data_edit.json", "grab.jpg"};
        QByteArray kept[3];
        for (int i = 0; i < 3; ++i)
            kept[i] = file_bytes(item_file(before, files[i]));

        auto* dlg = open(0, false, &small.items);
        if (change == "name")
            dlg->name_edit()->setText("renamed");
        else if (change == "favorite")
            dlg->favorite_box()->setChecked(!dlg->favorite_box()->isChecked());
        else
            dlg->move_frame_offset(2);
        QVERIFY(disk.fill());
        dlg->on_apply_clicked();
        disk.release();

        for (int i = 0; i < 3; ++i)
            QVERIFY2(file_bytes(item_file(before, files[i])) == kept[i],
                     qPrintable(QString("%1 changed on %2").arg(files[i], disk.name())));
        QCOMPARE(message_boxes(dlg), 1);
        close_and_wait(dlg);
        const data_info row = small.reload()[0];
        QCOMPARE(row.data_name, before.data_name);
        QCOMPARE(row.dd_start_frame_idx, before.dd_start_frame_idx);
    }

    void item_without_a_time_shows_an_empty_field_data() {
        QTest::addColumn<QString>("time");
        QTest::newRow("empty") << "";
        QTest::newRow("not a time") << "yesterday";
    }
    void item_without_a_time_shows_an_empty_field() {
        QFETCH(QString, time);
        QCOMPARE(write_text(fx->items[1].data_dir + L"/data_edit.json",
                            "{\"time\":\"" + time.toStdString() + "\"}"),
                 0);
        auto* dlg = open(0);
        const QString first = dlg->time_edit()->text();
        QVERIFY(!first.trimmed().isEmpty());
        dlg->on_previous_next_clicked(1);
        QCOMPARE(dlg->time_edit()->text().trimmed(), QString());
        dlg->on_previous_next_clicked(-1);
        QCOMPARE(dlg->time_edit()->text(), first);
    }

    // A run that outlasts the switch timer delivers the results of an item
    // the dialog no longer shows: none of them may be shown, and its SPL must
    // not be stored with the shown item; the shown item's own run then fills
    // every plot. The worker is held at the first picture of each run so the
    // order is exact.
    void superseded_run_is_dropped_however_late() {
        // Two items with frame pictures (the hold point), one after the other.
        std::vector<data_info> list;
        for (const data_info& d : fx->items)
            if (d.data_type == 0)
                list.push_back(d);
        // Owned by the connection too: the worker may still be inside the
        // hold when a failed check ends this function.
        auto entered = std::make_shared<QSemaphore>();
        auto gate = std::make_shared<QSemaphore>();
        auto hold = connect(
            worker, &data_detail_func_obj::update_pic, worker,
            [entered, gate](int idx, QImage, bool) {
                if (idx == 0) {
                    entered->release();
                    gate->acquire();
                }
            },
            Qt::DirectConnection);
        auto release = qScopeGuard([&] {
            disconnect(hold);
            gate->release(10);
        });
        QSignalSpy wave(worker, &data_detail_func_obj::update_wave);
        QSignalSpy fft(worker, &data_detail_func_obj::update_wave_fft);
        QSignalSpy prpd(worker, &data_detail_func_obj::update_wave_prpd);
        auto* dlg = open(0, true, &list);
        QVERIFY(entered->tryAcquire(1, 10000)); // the run for the first item is under way
        dlg->on_previous_next_clicked(1);
        const double stored_spl = dlg->record().spl;
        QTest::qWait(3 * data_detail_widget::switch_delay_ms); // the timer has long fired
        QVERIFY(!dlg->switch_pending());
        gate->release();                        // the first item's run ends...
        QVERIFY(entered->tryAcquire(1, 10000)); // ...and the run for the shown item waits
        QTest::qWait(100);                      // everything that run sent is delivered
        QCOMPARE(dlg->record().spl, stored_spl);
        QCOMPARE(dlg->spl_box()->value(), std::round(stored_spl));
        QCOMPARE(dlg->spectrum_chart().series->count(), 0);
        QCOMPARE(dlg->wave_chart().series->count(), 0);
        QVERIFY(dlg->picture_label()->slot_image(1).isNull());
        QVERIFY(dlg->colour_bar_image().isNull());

        // The shown item's own run is taken: the plots with the ranges the
        // worker sent, every picture, the first frame's level.
        release.dismiss();
        disconnect(hold);
        gate->release();
        QTRY_COMPARE_WITH_TIMEOUT(prpd.count(), 2, 10000);
        // Queued in the order sent: the pattern comes after waveform and spectrum.
        QTRY_COMPARE(dlg->prpd_chart().series->count(),
                     prpd.last().at(0).value<QVector<QPointF>>().size());
        QTRY_VERIFY(!dlg->spectrogram_label()->image().isNull());
        for (auto c : {std::make_pair(&dlg->wave_chart(), &wave),
                       std::make_pair(&dlg->spectrum_chart(), &fft)}) {
            const QList<QVariant>& a = c.second->last();
            QCOMPARE(
                QList<qreal>(
                    {c.first->x->min(), c.first->x->max(), c.first->y->min(), c.first->y->max()}),
                QList<qreal>({a[1].toDouble(), a[2].toDouble(), a[3].toDouble(), a[4].toDouble()}));
        }
        QVERIFY(dlg->wave_chart().series->count() > 0); // an envelope of the points
        QCOMPARE(dlg->spectrum_chart().series->count(),
                 fft.last().at(0).value<QVector<QPointF>>().size());
        for (int i = 0; i < previw_label::slot_count; ++i)
            QVERIFY(!dlg->picture_label()->slot_image(i).isNull());
        QVERIFY(!dlg->picture_label()->preview().isNull());
        const sample_item& b = fx->generated(dlg->record().dir_name);
        QVERIFY(qAbs(dlg->record().spl - b.frame_spl[0]) < 1e-3);
    }

    // Stepping from an item with a spectrogram to a single-frame one clears
    // the colour bar of the annotated picture too: a parameter change then
    // saves the picture as this item alone would give it.
    void single_frame_item_keeps_no_earlier_colour_bar() {
        detail_fixture many, one;
        sample_options o = items(1, 30);
        o.gas_leak = true;
        QCOMPARE(QString::fromStdString(many.setup(o)), QString());
        o.frames = 1;
        QCOMPARE(QString::fromStdString(one.setup(o)), QString());
        std::vector<data_info> list{many.items[0], one.items[0]};
        auto* dlg = open(0, true, &list);
        QTRY_VERIFY_WITH_TIMEOUT(!dlg->colour_bar_image().isNull(), 10000);
        QSignalSpy cleared(worker, &data_detail_func_obj::update_stft_clear);
        dlg->on_previous_next_clicked(1);
        QTRY_VERIFY_WITH_TIMEOUT(cleared.count() == 1, 10000);
        QTRY_VERIFY(dlg->spectrum_chart().series->count() > 0);
        QTest::qWait(50);

        data_info p = dlg->record();
        p.gasleak_gas_cost += 1;
        dlg->para_change(p);
        const QString path = annotated_picture_path(dlg->record());
        const QImage saved(path);
        QVERIFY(!saved.isNull());
        AddImageWidget fresh; // what this item gives without any colour bar
        QCOMPARE(save_annotated_picture(fresh, dlg->record(), dlg->spl_at_1m()), 0);
        const QImage expected(path);
        const QRect bar(704, 124, 80, 300);
        QCOMPARE(saved.copy(bar), expected.copy(bar));
    }

    void parameter_dialog_and_para_change() {
        const int idx = fx->find([](const data_info&, const sample_item& g) { return g.gas_leak; });
        auto* dlg = open(idx);
        const data_info r = dlg->record();
        QTest::mouseClick(dlg->para_button(), Qt::LeftButton);
        auto* para = dlg->findChild<para_setting_widget*>();
        QVERIFY(para);
        QCOMPARE(para->gas_cost_box()->value(), std::round(r.gasleak_gas_cost * 1000) / 1000);
        para->close();

        const QString edit_path = item_file(r, "data_edit.json");
        QVERIFY(!QFile::exists(edit_path));
        data_info p = r;
        p.gasleak_energy_cost = r.gasleak_energy_cost + 1.5;
        p.gasleak_unit_mode = 1;
        dlg->para_change(p);
        QVERIFY(QFile::exists(edit_path)); // at once, before any Apply
        QVERIFY(QFile::exists(annotated_picture_path(r)));
        QCOMPARE(dlg->leak_rate_box()->suffix(), QStringLiteral(" CFM"));
        data_info stored = fx->items[idx];
        read_data_item(stored);
        QCOMPARE(stored.gasleak_energy_cost, p.gasleak_energy_cost);
        QCOMPARE(stored.gasleak_unit_mode, 1);

        // Outside gas-leak mode a parameter change is ignored.
        const int plain =
            fx->find([](const data_info&, const sample_item& g) { return !g.gas_leak; });
        dlg = open(plain);
        dlg->para_change(p);
        QVERIFY(!QFile::exists(item_file(dlg->record(), "data_edit.json")));
    }
};

QTEST_MAIN(tst_detail_widget)
#include "tst_detail_widget.moc"
