// The report pictures: both 800 x 400, the spectrum drawn in exactly the
// ranges of its last update (labels and the series' placement), a failed
// save still ending the handshake.

#include "report_test_util.h"

#include "report/report_plot_obj.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// The series colour after JPEG: dark and bluer than red (thin lines lose
// most of their chroma), unlike the grey grid and the white background.
bool blue_near(const QImage& img, QPointF at) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QColor c = img.pixelColor(int(at.x()) + dx, int(at.y()) + dy);
            if (c.red() < 120 && c.blue() > c.red() + 20)
                return true;
        }
    return false;
}
} // namespace

class tst_report_plot : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void pictures_show_the_delivered_ranges_data() {
        QTest::addColumn<double>("x0");
        QTest::addColumn<double>("x1");
        QTest::addColumn<double>("y0");
        QTest::addColumn<double>("y1");
        QTest::addColumn<QStringList>("x_labels");
        QTest::addColumn<QStringList>("y_ends"); // first and last level label
        const auto row = [](const char* tag, double x0, double x1, double y0, double y1,
                            const QStringList& x_labels, const QStringList& y_ends) {
            QTest::newRow(tag) << x0 << x1 << y0 << y1 << x_labels << y_ends;
        };
        const QStringList full{"5000", "27750", "50500", "73250", "96000"};
        row("full band", 5000, 96000, 10.6, 53.8, full, {"10.6", "53.8"});
        row("narrow band", 20000, 80000, -3, 7, {"20000", "35000", "50000", "65000", "80000"},
            {"-3.0", "7.0"});
        // The band of a 44.1 kHz item ends at half its rate.
        row("44.1 kHz band", 5000, 22050, -3, 7, {"5000", "9262", "13525", "17788", "22050"},
            {"-3.0", "7.0"});
        // A silent item: a flat spectrum still gets a drawable axis.
        row("flat", 5000, 96000, 40, 40, full, {"36.0", "44.0"});
    }
    void pictures_show_the_delivered_ranges() {
        QFETCH(double, x0);
        QFETCH(double, x1);
        QFETCH(double, y0);
        QFETCH(double, y1);
        QFETCH(QStringList, x_labels);
        QFETCH(QStringList, y_ends);
        report_plot_obj plot;
        QSignalSpy updated(&plot, &report_plot_obj::update_one_plot);
        QSignalSpy saved(&plot, &report_plot_obj::save_report_plot_finish);
        // A diagonal from the lower left to the upper right of the range.
        QVector<QPointF> line;
        for (int i = 0; i <= 400; ++i)
            line << QPointF(x0 + (x1 - x0) * i / 400, y0 + (y1 - y0) * i / 400);
        plot.update_wave_fft({QPointF(0, 0)}, 0, 1, 0, 1); // an earlier item's range
        plot.update_wave_fft(line, x0, x1, y0, y1);
        plot.update_wave_prpd({QPointF(90, 0.5), QPointF(270, 1.0)}, 0, 0, 0, 0);
        QCOMPARE(updated.count(), 3);

        const QString dir = tmp.filePath(QTest::currentDataTag());
        QDir().mkpath(dir);
        plot.save_report_plot(dir.toStdWString());
        QCOMPARE(saved.count(), 1);
        const QImage spectrum(dir + "/report_spectrum.jpg");
        const QImage prpd(dir + "/report_prpd.jpg");
        QCOMPARE(spectrum.size(), QSize(800, 400));
        QCOMPARE(prpd.size(), QSize(800, 400));

        const report_chart& c = plot.spectrum();
        QCOMPARE(report_axis_labels(c.x), x_labels);
        const QStringList y = report_axis_labels(c.y);
        QCOMPARE(QStringList({y.first(), y.last()}), y_ends);
        const QRect area = report_chart_plot_area(c);
        QVERIFY(area.width() > 600 && area.height() > 280);
        if (y1 > y0) {
            // Just inside the corners: the ends of the diagonal.
            QVERIFY(blue_near(spectrum, area.bottomLeft() + QPointF(4, -2)));
            QVERIFY(blue_near(spectrum, area.topRight() + QPointF(-4, 2)));
            QVERIFY(blue_near(spectrum, area.center()));
            QVERIFY(!blue_near(spectrum, QPointF(area.left() + 20, area.top() + 20)));
        }
        // PRPD: phase 0..360 across the area, amplitude 0..1.05 up it.
        const report_chart& p = plot.prpd();
        const QRect parea = report_chart_plot_area(p);
        QCOMPARE(report_axis_labels(p.x), QStringList({"0", "90", "180", "270", "360"}));
        QVERIFY(blue_near(prpd, report_chart_map(p, parea, QPointF(90, 0.5))));
        QVERIFY(blue_near(prpd, report_chart_map(p, parea, QPointF(270, 1.0))));
        QVERIFY(!blue_near(prpd, report_chart_map(p, parea, QPointF(180, 0.5))));
    }

    void failed_save_still_ends_the_handshake() {
        test_log log;
        report_plot_obj plot;
        QSignalSpy saved(&plot, &report_plot_obj::save_report_plot_finish);
        plot.save_report_plot(tmp.filePath("no/such/dir").toStdWString());
        QCOMPARE(saved.count(), 1);
        QVERIFY(log.text().contains("save_report_plot 0 0"));
        QVERIFY(!QFile::exists(tmp.filePath("no/such/dir/report_spectrum.jpg")));
    }
};

QTEST_MAIN(tst_report_plot)
#include "tst_report_plot.moc"
