// The pieces of the detail dialog that stand alone: the parameter dialog, the
// picture label, the waveform envelope and chart ranges, the spectrogram
// frame widget, the picture composer and the device-type display table.

#include "analysis/colormap_painter.h"
#include "analysis/device_type_names.h"
#include "analysis/stft_fft_handoff.h"
#include "store/records.h"
#include "ui/detail/add_image_widget.h"
#include "ui/detail/colormap_label.h"
#include "ui/detail/detail_charts.h"
#include "ui/detail/para_setting_widget.h"
#include "ui/detail/previw_label.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <cstring>
#include <memory>

namespace {
// Whether any pixel of the rectangle is text-dark.
bool has_text(const QImage& img, QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() < 140 && c.green() < 140 && c.blue() < 140)
                return true;
        }
    return false;
}
} // namespace

class tst_detail_parts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { register_meta_types(); }

    void parameter_dialog_emits_real_changes_only_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("emits");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("no currency, default shown") << "no currency" << false;
        QTest::newRow("unit") << "unit" << true;
        QTest::newRow("gas cost and currency") << "gas cost" << true;
        QTest::newRow("negative correction factor") << "rect" << true;
        QTest::newRow("edit, then Cancel") << "cancle" << false;
        QTest::newRow("edit, then close button") << "close" << false;
    }
    void parameter_dialog_emits_real_changes_only() {
        QFETCH(QString, edit);
        QFETCH(bool, emits);
        data_info d;
        d.sign_mode = 2;
        d.gasleak_rect = 1.2;
        d.gasleak_power_ratio = 0.35;
        d.gasleak_energy_cost = 0.8;
        d.gasleak_gas_cost = 0.0025; // more decimals than the box shows
        d.gasleak_currency = edit == "no currency" ? L"" : L"EUR";
        auto* w = new para_setting_widget(d);
        QSignalSpy ok(w, &para_setting_widget::ok);
        QCOMPARE(w->currency_edit()->text(), edit == "no currency" ? "CNY" : "EUR");
        if (edit == "unit")
            w->unit_box()->setCurrentIndex(1);
        if (edit == "rect")
            w->rect_box()->setValue(-9999.5);
        if (edit == "gas cost") {
            w->gas_cost_box()->setValue(0.004);
            w->currency_edit()->setText(QStringLiteral("USD"));
        }
        if (edit == "cancle" || edit == "close")
            w->gas_cost_box()->setValue(0.5);
        const QString button = edit == "cancle" || edit == "close" ? edit : "ok";
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(ok.count(), emits ? 1 : 0);
        if (!emits)
            return;
        const data_info e = ok.at(0).at(0).value<data_info>();
        QCOMPARE(QList<double>({double(e.gasleak_unit_mode), e.gasleak_rect, e.gasleak_gas_cost,
                                e.gasleak_power_ratio}),
                 QList<double>({edit == "unit" ? 1.0 : 0.0, edit == "rect" ? -9999.5 : 1.2,
                                edit == "gas cost" ? 0.004 : 0.0025, 0.35}));
        QCOMPARE(e.gasleak_currency, edit == "gas cost" ? std::wstring(L"USD") : L"EUR");
    }

    void picture_label_slots_and_buttons() {
        previw_label l;
        QSignalSpy moves(&l, &previw_label::move_frame_offset);
        l.set_frame_position(0, 3);
        QVERIFY(!l.left_button()->isEnabled());
        QVERIFY(l.right_button()->isEnabled());
        QTest::mouseClick(l.right_button(), Qt::LeftButton);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.at(0).at(0).toInt(), 1);
        l.set_frame_position(2, 3);
        QVERIFY(l.left_button()->isEnabled());
        QVERIFY(!l.right_button()->isEnabled());
        l.set_frame_position(0, 0);
        QVERIFY(!l.left_button()->isEnabled() && !l.right_button()->isEnabled());

        QImage a(8, 8, QImage::Format_RGB32), b(8, 8, QImage::Format_RGB32);
        a.fill(Qt::red);
        b.fill(Qt::green);
        l.set_slot_image(0, a);
        l.show_slot(0);
        QCOMPARE(l.preview(), a);
        l.set_slot_image(0, b); // a newer image of the shown slot follows
        QCOMPARE(l.preview(), b);
        l.set_slot_image(6, a); // out of range: ignored
        l.clear();
        QVERIFY(l.preview().isNull() && l.slot_image(0).isNull());
    }

    void envelope_keeps_every_extreme() {
        QVector<QPointF> p;
        for (int i = 0; i < 100000; ++i)
            p.push_back(QPointF(i, (i % 97) - 48.0));
        p[31337].setY(500);
        p[77777].setY(-600);
        const QVector<QPointF> e = envelope_points(p, 1000);
        QVERIFY(e.size() <= 2000);
        double lo = 0, hi = 0;
        for (int i = 0; i < e.size(); ++i) {
            lo = std::min(lo, e[i].y());
            hi = std::max(hi, e[i].y());
            if (i > 0)
                QVERIFY(e[i].x() > e[i - 1].x()); // still in time order
        }
        QCOMPARE(hi, 500.0);
        QCOMPARE(lo, -600.0);
        const QVector<QPointF> small = p.mid(0, 2000);
        QCOMPARE(envelope_points(small, 1000), small);
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

    void spectrogram_axis_labels() {
        const QStringList y = colormap_y_labels(5000, 96000);
        QCOMPARE(y.size(), 5);
        QCOMPARE(y.first(), QString("5k"));
        QCOMPARE(y.last(), QString("96k"));
        QCOMPARE(y[2], QString("51k")); // 50.5 rounds half away... as printed with 0 decimals
        const QStringList x = colormap_x_labels(1.5, 2.5);
        QCOMPARE(x, QStringList({"1.50", "1.75", "2.00", "2.25", "2.50"}));
    }

    void spectrogram_fills_the_plot_area() {
        colormap_label lbl;
        lbl.resize(400, 300);
        QImage red(48, 10, QImage::Format_RGB888);
        red.fill(Qt::red);
        lbl.set_image(red, 0, 1, 5000, 96000);
        const QImage shot = lbl.grab().toImage();
        // The image fills the plot area and nothing beyond it.
        const QRect a = colormap_plot_area(lbl.size(), lbl.font());
        QCOMPARE(QSize(lbl.plot_area_width(), lbl.plot_area_height()), a.size());
        QCOMPARE(shot.pixelColor(a.topLeft()), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(a.bottomRight()), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(a.right() + 2, a.center().y()), QColor(Qt::white));
        // Clear blanks the image.
        lbl.clear();
        QCOMPARE(lbl.grab().toImage().pixelColor(a.center()), QColor(Qt::white));
    }

    // The time axis title stands whole above the frame's border, in English
    // and in Chinese (whose glyphs come from a taller fallback font), at the
    // sizes the detail view gives the frame.
    void axis_titles_show_whole_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QSize>("size");
        QTest::newRow("English") << false << QSize(400, 300);
        QTest::newRow("Chinese") << true << QSize(400, 300);
        QTest::newRow("Chinese, small") << true << QSize(300, 180);
    }
    void axis_titles_show_whole() {
        QFETCH(bool, chinese);
        QFETCH(QSize, size);
        QTranslator zh;
        if (chinese) {
            QVERIFY(zh.load(QStringLiteral(":/TOrnViewer/tornviewer_zh.qm")));
            QCoreApplication::installTranslator(&zh);
        }
        colormap_label lbl;
        lbl.resize(size);
        const QImage shot = lbl.grab().toImage();
        QCoreApplication::removeTranslator(&zh);
        const QRect a(colormap_margin_left, colormap_margin_top, lbl.plot_area_width(),
                      lbl.plot_area_height());
        // The title lies in the band under the tick labels...
        const int band_top = a.bottom() + colormap_tick_length + 16;
        QVERIFY(has_text(shot, QRect(a.left(), band_top, a.width(), size.height() - band_top)));
        // ...and nothing of it reaches the border (2 px) or the row above it.
        QVERIFY(!has_text(shot, QRect(4, size.height() - 3, size.width() - 8, 3)));
        // The rotated frequency title keeps off the left border too.
        QVERIFY(!has_text(shot, QRect(0, a.top(), 3, a.height())));
    }

    void composer_colour_bar() {
        AddImageWidget w;
        unsigned char* buf = stft_fft_buffer_new(256 * 2 * 3);
        std::memset(buf, 0, 256 * 2 * 3);
        buf[0] = 255; // top-left pixel red
        w.set_colorbar(buf, 256, 2);
        QCOMPARE(w.colorbar().size(), QSize(256, 2));
        QCOMPARE(w.colorbar().pixelColor(0, 0), QColor(255, 0, 0));
        // A pointer that is no longer registered is left alone.
        w.set_colorbar(buf, 256, 2);
        QCOMPARE(w.colorbar().size(), QSize(256, 2));
    }

    void annotated_picture_saved_in_item() {
        QTemporaryDir tmp;
        const QString dir = tmp.path() + "/20240318_090000";
        QVERIFY(QDir().mkpath(dir));
        QImage grab(640, 480, QImage::Format_RGB32);
        grab.fill(QColor(200, 30, 30));
        QVERIFY(grab.save(dir + "/grab.jpg"));
        data_info d;
        d.data_dir = dir.toStdWString();
        d.freq_range_start = 5000;
        d.freq_range_end = 96000;
        d.distance = 2;
        d.sign_mode = 2;
        d.gasleak_currency = L"CNY";
        d.gasleak_unit_mode = 1;
        d.device_type = L"ORN-40";
        AddImageWidget w;
        QCOMPARE(save_annotated_picture(w, d, 70.46), 0);
        const QString out = dir + "/20240318_090000.jpg";
        QCOMPARE(annotated_picture_path(d), out);
        const QImage saved(out);
        QCOMPARE(saved.size(), QSize(800, 640));
        const QColor bg = saved.pixelColor(300, 250); // background picture, no panel
        QVERIFY(bg.red() > 150 && bg.green() < 80);
        // The item's values as the picture shows them.
        QStringList texts;
        for (const char* n : {"spl_title", "distance_text", "band_text", "device_text"})
            texts << w.text_of(n);
        QCOMPARE(texts, QStringList({"70dB", "2.0m", "5k~96kHz", "Orn 40 Acoustic Camera"}));
        QVERIFY(w.text_of("rate_text").endsWith(" CFM"));
        // An unwritable place is reported, not ignored.
        data_info bad = d;
        bad.data_dir = (tmp.path() + "/missing/item").toStdWString();
        QVERIFY(save_annotated_picture(w, bad, 70) != 0);
    }

    void device_type_table_override() {
        auto t = device_type_table(R"({"ORN-40":"Mine","X-1":"Extra","bad":5})");
        QCOMPARE(t[L"ORN-40"], std::wstring(L"Mine"));
        QCOMPARE(t[L"X-1"], std::wstring(L"Extra"));
        QVERIFY(t.find(L"bad") == t.end());
        QVERIFY(t.count(L"SABLE-20") == 1);
        const auto plain = device_type_table("not json");
        QCOMPARE(plain.at(L"ORN-40"), std::wstring(L"Orn 40 Acoustic Camera"));
        QCOMPARE(device_type_display_name(L"UNKNOWN-9"), std::wstring(L"UNKNOWN-9"));
    }
};

QTEST_MAIN(tst_detail_parts)
#include "tst_detail_parts.moc"
