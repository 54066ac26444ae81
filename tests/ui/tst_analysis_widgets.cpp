// The spectrogram frame widget, the picture composer and the device-type
// display table.

#include "analysis/colormap_painter.h"
#include "analysis/device_type_names.h"
#include "analysis/stft_fft_handoff.h"
#include "ui/detail/add_image_widget.h"
#include "ui/detail/colormap_label.h"

#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <cstring>

namespace {
bool darkish(QColor c) {
    return c.red() < 140 && c.green() < 140 && c.blue() < 140;
}

// Whether any pixel of the rectangle is text-dark.
bool has_text(const QImage& img, QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (darkish(img.pixelColor(x, y)))
                return true;
    return false;
}
} // namespace

class tst_analysis_widgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void axis_labels() {
        const QStringList y = colormap_y_labels(5000, 96000);
        QCOMPARE(y.size(), 5);
        QCOMPARE(y.first(), QString("5k"));
        QCOMPARE(y.last(), QString("96k"));
        QCOMPARE(y[2], QString("51k")); // 50.5 rounds half away... as printed with 0 decimals
        const QStringList x = colormap_x_labels(1.5, 2.5);
        QCOMPARE(x, QStringList({"1.50", "1.75", "2.00", "2.25", "2.50"}));
    }

    void colormap_render() {
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
        QCOMPARE(shot.pixelColor(a.left() - 6, a.center().y()), QColor(Qt::white));
        // Labels at the lowest and highest Y tick, under the first X tick.
        QVERIFY(has_text(shot, QRect(20, a.bottom() + 4 - 8, 38, 16)));
        QVERIFY(has_text(shot, QRect(20, a.top() - 8, 38, 16)));
        QVERIFY(has_text(shot, QRect(a.left() - 20, a.bottom() + 8, 40, 16)));
        // Clear blanks the image; frame and labels stay.
        lbl.clear();
        const QImage blank = lbl.grab().toImage();
        QCOMPARE(blank.pixelColor(a.center()), QColor(Qt::white));
        QVERIFY(has_text(blank, QRect(20, a.bottom() + 4 - 8, 38, 16)));
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

    void composer_texts() {
        AddImageWidget w;
        w.write(QString(), 0, 0, 5000, 96000, 2, "2024-03-18 09:00:00", "EUR", 0, 71.6, 3.54, 5.2,
                12.04, "Orn 40");
        QCOMPARE(w.text_of("spl_title"), QString("72dB"));
        QCOMPARE(w.text_of("spl_value"), QString("71.6 dB"));
        QCOMPARE(w.text_of("distance_text"), QString("2.0m"));
        QCOMPARE(w.text_of("band_text"), QString("5k~96kHz"));
        QCOMPARE(w.text_of("time_text"), QString("2024-03-18 09:00:00"));
        QCOMPARE(w.text_of("device_text"), QString("Orn 40"));
        QCOMPARE(w.text_of("rate_text"), QString("Leak rate:   3.5 L/min"));
        QCOMPARE(w.text_of("level_text"), QString("Leak level:   5.20"));
        QCOMPARE(w.text_of("cost_text"), QString("Cost(EUR/yr):   12.0"));
        w.write(QString(), 0, 0, 2000, 48000, 1, "", "CNY", 1, 60, 0.24, 1, 3, "");
        QCOMPARE(w.text_of("rate_text"), QString("Leak rate:   0.2 CFM"));
        QCOMPARE(w.text_of("band_text"), QString("2k~48kHz"));
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
        d.device_type = L"ORN-40";
        AddImageWidget w;
        QCOMPARE(save_annotated_picture(w, d, 70), 0);
        const QString out = dir + "/20240318_090000.jpg";
        QCOMPARE(annotated_picture_path(d), out);
        const QImage saved(out);
        QCOMPARE(saved.size(), QSize(800, 640));
        const QColor bg = saved.pixelColor(300, 250); // background picture, no panel
        QVERIFY(bg.red() > 150 && bg.green() < 80);
        QCOMPARE(w.text_of("device_text"), QString("Orn 40 Acoustic Camera"));
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

QTEST_MAIN(tst_analysis_widgets)
#include "tst_analysis_widgets.moc"
