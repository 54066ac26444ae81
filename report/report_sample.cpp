#include "report/report_sample.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {
QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

QImage camera_picture(int index, bool raw) {
    QImage img(640, 480, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor(70, 90, 110));
    sky.setColorAt(1, QColor(30, 36, 44));
    p.fillRect(img.rect(), sky);
    // A pipe run with a flange, as a camera would see it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 155, 160));
    p.drawRect(0, 250, 640, 60);
    p.setBrush(QColor(120, 124, 130));
    p.drawRect(200 + (index * 37) % 240, 230, 40, 100);
    if (!raw) {
        QRadialGradient hot(220 + (index * 37) % 240, 280, 90);
        hot.setColorAt(0, QColor(255, 40, 20, 230));
        hot.setColorAt(0.4, QColor(255, 200, 0, 160));
        hot.setColorAt(1, QColor(0, 0, 255, 0));
        p.setBrush(hot);
        p.drawEllipse(QPointF(220 + (index * 37) % 240, 280), 90, 90);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(220 + (index * 37) % 240, 280), 12, 12);
    }
    return img;
}

QImage plot_picture(bool prpd, int height, int index) {
    QImage img(800, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(50, 20, 730, height - 50);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    for (int i = 0; i <= 4; ++i) {
        double y = area.top() + area.height() * i / 4;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(area);
    if (prpd) {
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 400; ++i) {
            double phase = std::fmod(i * 37.0, 360.0);
            double amp =
                std::fabs(std::sin(phase * M_PI / 180.0)) * (0.3 + 0.6 * ((i * 13) % 10) / 10.0);
            p.setBrush(QColor(220, 40 + (i % 5) * 30, 40));
            p.drawEllipse(QPointF(area.left() + area.width() * phase / 360.0,
                                  area.bottom() - area.height() * amp),
                          3, 3);
        }
    } else {
        QPainterPath path;
        for (int x = 0; x <= 730; ++x) {
            double f = x / 730.0;
            double v =
                0.15 + 0.7 * std::exp(-std::pow((f - 0.55) / 0.05, 2)) + 0.05 * std::sin(x * 0.3);
            QPointF pt(area.left() + x, area.bottom() - area.height() * v);
            x == 0 ? path.moveTo(pt) : path.lineTo(pt);
        }
        p.setPen(QPen(QColor(30, 90, 200), 2));
        p.drawPath(path);
    }
    return img;
}
} // namespace

report_sample make_report_sample(const std::wstring& item_dir, bool leak, bool chinese, int index) {
    report_sample s;
    data_info& d = s.item;
    d.data_dir = item_dir;
    d.dir_name = L"20240315_10300" + std::to_wstring(index);
    d.data_name = (leak ? L"Leak-" : L"PD-") + std::to_wstring(100 + index);
    d.data_note = chinese ? L"法兰连接处有明显泄漏声" : L"Audible hiss at the flange joint";
    d.time = "2024-03-15 10:30:0" + std::to_string(index % 10) + ".125";
    d.distance = 2.0 + index;
    d.spl = 48.25 + index;
    d.app_type = 0;
    d.device_type = L"ORN-40";
    d.sign_mode = leak ? 2 : 0;
    d.gasleak_currency = L"CNY";
    d.gasleak_rect = 1.0;
    d.gasleak_unit_mode = 0;
    d.gasleak_power_ratio = 0.12;
    d.gasleak_energy_cost = 0.8;
    d.gasleak_gas_cost = 0.004;
    d.leak_rate = 3.4 + index;
    d.leak_level = 2.57;
    d.leak_cost = 7341.9 + index;
    d.report_number = index + 1;

    s.dataset.id = "1";
    s.dataset.local_root = item_dir;
    s.dataset.name = chinese ? L"一号变电站巡检" : L"Substation North Survey";
    s.dataset.app_name = "TarvoOrnApp";

    report_header_fields& f = s.fields;
    f.test_purpose = chinese ? L"例行检测" : L"Routine inspection";
    f.location = chinese ? L"北区一号厂房" : L"Plant 1, north hall";
    f.temperature = 21.4;
    f.temperature_unit = L"\u00b0C";
    f.working_condition = chinese ? L"满负荷运行" : L"Full load";
    f.humidity = 45.0;
    f.inspector = chinese ? L"王工" : L"J. Smith";
    f.weather = chinese ? L"晴" : L"Sunny";
    f.test_result = chinese ? L"发现一处泄漏点" : L"One leak found at the flange";
    f.advice = chinese ? L"建议更换密封垫" : L"Replace the flange gasket";
    f.work_unit = chinese ? L"华东电力" : L"East Grid Ltd";
    f.department = chinese ? L"运维部" : L"Maintenance";
    f.telephone = L"+86 21 5555 0100";
    f.today = L"2024-03-16";
    return s;
}

int write_sample_pictures(const std::wstring& item_dir, bool all_four, int index) {
    if (!QDir().mkpath(qs(item_dir)))
        return -1;
    const QString dir = qs(item_dir) + "/";
    bool ok = camera_picture(index, false).save(dir + "grab.jpg", "JPG", 85) &&
              plot_picture(false, 400, index).save(dir + "report_spectrum.jpg", "JPG", 90);
    if (all_four) {
        ok = ok && camera_picture(index, true).save(dir + "grab_raw.jpg", "JPG", 85) &&
             plot_picture(true, 400, index).save(dir + "report_prpd.jpg", "JPG", 90);
    }
    return ok ? 0 : -1;
}
