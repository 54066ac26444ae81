// The detail view under faults: Apply and the favourite mark on a full disk,
// an item without a usable time after one with a time, and plot ranges that
// are not finite.

#include "detail_fixture.h"
#include "full_disk.h"
#include "store/database.h"
#include "tools/samplegen/sample_gen.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/detail/detail_charts.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {
QByteArray file_bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
QString item_file(const data_info& d, const char* name) {
    return QString::fromStdWString(d.data_dir) + "/" + name;
}
sample_options small_items(int writer) {
    sample_options o;
    o.items = 2;
    o.writer = writer;
    o.frames = 4;
    o.samples = 256;
    o.picture_width = 32;
    o.picture_height = 24;
    return o;
}
} // namespace

class tst_detail_faults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { register_meta_types(); }

    void full_disk_keeps_every_file_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("name") << "name";
        QTest::newRow("favorite") << "favorite";
        QTest::newRow("start frame") << "start frame";
    }
    void full_disk_keeps_every_file() {
        QFETCH(QString, change);
        detail_fixture fx;
        full_disk disk(fx.tmp.filePath("set"));
        QCOMPARE(QString::fromStdString(fx.setup(small_items(0))), QString());
        const data_info before = fx.items[0];
        const char* files[] = {"note.json", "data_edit.json", "grab.jpg"};
        QByteArray kept[3];
        for (int i = 0; i < 3; ++i)
            kept[i] = file_bytes(item_file(before, files[i]));

        std::unique_ptr<data_detail_widget> dlg(new data_detail_widget(&fx.items, 0, 7, nullptr));
        dlg->setAttribute(Qt::WA_DeleteOnClose, false);
        dlg->show();
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
        QCOMPARE(dlg->findChildren<t_orn_msg_box*>().size(), 1);
        const data_info row = fx.reload()[0];
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
        detail_fixture fx;
        QCOMPARE(QString::fromStdString(fx.setup(small_items(0))), QString());
        QCOMPARE(write_text(fx.items[1].data_dir + L"/data_edit.json",
                            "{\"time\":\"" + time.toStdString() + "\"}"),
                 0);
        std::unique_ptr<data_detail_widget> dlg(new data_detail_widget(&fx.items, 0, 7, nullptr));
        dlg->setAttribute(Qt::WA_DeleteOnClose, false);
        const QString first = dlg->time_edit()->text();
        QVERIFY(!first.trimmed().isEmpty());
        dlg->on_previous_next_clicked(1);
        QCOMPARE(dlg->index(), 1);
        QCOMPARE(dlg->time_edit()->text().trimmed(), QString());
        dlg->on_previous_next_clicked(-1);
        QCOMPARE(dlg->time_edit()->text(), first);
    }

    void ranges_that_are_not_finite_never_reach_an_axis_data() {
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("y1");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::nan("") << 1.0;
        QTest::newRow("infinite") << 0.0 << inf;
        QTest::newRow("both") << -inf << std::nan("");
    }
    void ranges_that_are_not_finite_never_reach_an_axis() {
        QFETCH(double, x0);
        QFETCH(double, y1);
        detail_chart c = make_wave_chart(nullptr);
        std::unique_ptr<QtCharts::QChartView> owner(c.view);
        set_chart_data(c, {QPointF(0, 1)}, 5, 7, 5, 7);
        set_chart_data(c, {QPointF(0, 1)}, x0, 2, -1, y1);
        for (const QtCharts::QValueAxis* a : {c.x, c.y}) {
            QVERIFY(std::isfinite(a->min()) && std::isfinite(a->max()));
            QVERIFY(a->max() > a->min());
            QVERIFY2(a->min() != 5 || a->max() != 7, "the previous range stayed");
        }
    }
};

QTEST_MAIN(tst_detail_faults)
#include "tst_detail_faults.moc"
