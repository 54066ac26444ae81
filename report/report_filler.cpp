#include "report/report_filler.h"

#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/text.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

const wchar_t* const report_template_general_zh = L":/Halvix/Resources/t.docx";
const wchar_t* const report_template_leak_zh = L":/Halvix/Resources/t_leak.docx";
const wchar_t* const report_template_general_en = L":/Halvix/Resources/t_en.docx";
const wchar_t* const report_template_leak_en = L":/Halvix/Resources/t_leak_en.docx";

std::vector<std::wstring> report_template_resources() {
    return {report_template_general_zh, report_template_leak_zh, report_template_general_en,
            report_template_leak_en};
}

std::wstring report_template_for(const data_info& item, int lang_id) {
    const bool leak = item.sign_mode == 2;
    if (lang_id == 1)
        return leak ? report_template_leak_zh : report_template_general_zh;
    return leak ? report_template_leak_en : report_template_general_en;
}

int write_template_copy(const std::wstring& resource, const std::wstring& path) {
    QFile in(QString::fromStdWString(resource));
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = in.readAll();
    // A copy cut short by a full disk would only fail later, in the engine.
    return platform::write_file_replace(wide_to_utf8(path),
                                        std::string(bytes.constData(), size_t(bytes.size()))) == 0
               ? 0
               : -1;
}

namespace {
std::wstring fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::wstring fmt(const char* format, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    return utf8_to_wide(buf);
}

bool exists(const std::wstring& path) {
    return QFileInfo::exists(QString::fromStdWString(path));
}

std::wstring picture(const data_info& item, const wchar_t* name) {
    return item.data_dir + L"/" + name;
}

std::wstring unit_text(const data_info& item) {
    return item.gasleak_unit_mode == 1 ? L"CFM" : L"L/min";
}

std::wstring today_text(const report_header_fields& f) {
    if (!f.today.empty())
        return f.today;
    const QDate d = QDate::currentDate();
    return fmt("%02d-%02d-%02d", d.year(), d.month(), d.day());
}

struct navigator {
    const dispatch_ptr& sel;
    void top() { word_home_story(sel); }
    void down(int n) { word_move_down(sel, n); }
    void right(int n) { word_move_right_cells(sel, n); }
    void left(int n) { word_move_left_cells(sel, n); }
    void home() { word_home_line(sel); }
    void end() { word_end_line(sel); }
    void type(const std::wstring& s) { word_type_text(sel, s); }
};
} // namespace

std::wstring report_device_model(const data_info& item) {
    switch (item.app_type) {
    case 0:
        return L"ORN-S40";
    case 1:
        return L"SABLE";
    default:
        // The writer's own device text; for writers without one the cell stays empty.
        return item.device_type;
    }
}

int report_title_font_size(const std::wstring& name) {
    if (name.empty())
        return 22;
    // Very long names would give size 0, which no word processor accepts.
    return std::max(2, std::min<int>(22, 2 * static_cast<int>(198 / name.size())));
}

void fill_general(const word_item_document& doc, const data_info& item,
                  const import_data_info& dataset, const report_header_fields& f, bool genuine) {
    navigator nav{doc.selection};
    // Rows 2 to 6 of the first table: label | value | gap | label | value.
    auto row = [&](int r) {
        nav.top();
        if (genuine || r == 1) {
            nav.down(r);
            nav.right(1);
        } else {
            nav.down(r - 1);
            nav.right(2);
        }
    };
    row(1);
    nav.type(item.data_name);
    row(2);
    const std::string time = item.time.substr(0, item.time.find('.'));
    nav.type(utf8_to_wide(time));
    row(3);
    nav.type(fmt("%.0fm", item.distance));
    nav.right(3);
    nav.type(fmt("%.1f dB", item.spl));
    row(4);
    nav.type(f.working_condition);
    nav.right(3);
    nav.type(f.weather);
    row(5);
    nav.type(f.test_purpose);
    nav.right(3);
    nav.type(fmt("%.f", f.temperature) + f.temperature_unit);
    row(6);
    nav.type(report_device_model(item));
    nav.right(3);
    nav.type(fmt("%.0f%%", f.humidity));

    const std::wstring grab = picture(item, L"grab.jpg");
    const std::wstring grab_raw = picture(item, L"grab_raw.jpg");
    nav.top();
    nav.down(7);
    if (!genuine)
        nav.left(1);
    if (exists(grab))
        word_add_picture(doc.inline_shapes, grab, 160, 120);
    nav.right(1);
    if (exists(grab_raw))
        word_add_picture(doc.inline_shapes, grab_raw, 160, 120);
    else if (exists(grab))
        word_add_picture(doc.inline_shapes, grab, 160, 120);

    const std::wstring spectrum = picture(item, L"report_spectrum.jpg");
    const std::wstring prpd = picture(item, L"report_prpd.jpg");
    nav.top();
    if (genuine) {
        nav.down(9);
    } else {
        nav.down(8);
        nav.right(1);
    }
    if (exists(spectrum))
        word_add_picture(doc.inline_shapes, spectrum, 160, 80);
    nav.right(1);
    if (exists(prpd))
        word_add_picture(doc.inline_shapes, prpd, 160, 80);

    // Table 3: label | value rows; the substitute suite walks down from row 1.
    auto row3 = [&](int r) {
        if (genuine) {
            nav.top();
            nav.down(r);
            nav.right(1);
        } else {
            nav.down(1);
        }
    };
    nav.top();
    nav.down(12);
    if (genuine)
        nav.right(1);
    nav.type(f.test_result);
    if (!f.advice.empty()) {
        row3(13);
        nav.type(f.advice);
    }
    row3(14);
    nav.type(item.data_note);
    row3(15);
    nav.type(f.inspector);

    nav.top();
    nav.type(dataset.name);
    nav.top();
}

void fill_leak(const word_item_document& doc, const data_info& item,
               const import_data_info& dataset, const report_header_fields& f) {
    navigator nav{doc.selection};
    // Row r of the table whose heading paragraph is line `heading`.
    auto cell = [&](int heading, int r) {
        nav.top();
        nav.down(heading);
        nav.home();
        nav.down(r);
        nav.right(1);
    };
    const std::wstring unit = unit_text(item);

    nav.top();
    nav.down(1);
    nav.end();
    nav.type(fmt("%03d", item.report_number));

    cell(2, 1);
    nav.type(f.work_unit);
    nav.right(2);
    nav.type(f.department);
    cell(2, 2);
    nav.type(f.inspector);
    nav.right(2);
    nav.type(f.telephone);
    cell(2, 3);
    nav.type(f.location);

    const std::wstring grab = picture(item, L"grab.jpg");
    const std::wstring spectrum = picture(item, L"report_spectrum.jpg");
    nav.top();
    nav.down(7);
    nav.home();
    nav.down(2);
    if (exists(grab))
        word_add_picture(doc.inline_shapes, grab, 160, 120);
    nav.right(1);
    if (exists(spectrum))
        word_add_picture(doc.inline_shapes, spectrum, 160, 120);

    nav.top();
    nav.down(10);
    nav.type(item.data_name);

    cell(11, 1);
    nav.type(item.device_type);
    nav.right(2);
    const auto last_space = item.time.rfind(' ');
    nav.type(utf8_to_wide(item.time.substr(0, last_space)));
    cell(11, 2);
    nav.type(f.weather);
    nav.right(2);
    nav.type(fmt("%.f", f.temperature) + f.temperature_unit);
    cell(11, 3);
    nav.type(fmt("%.1f m", item.distance));
    nav.right(2);
    nav.type(fmt("%.0f%%", f.humidity));
    cell(11, 4);
    nav.type(fmt("%.2f", item.gasleak_rect));
    nav.right(2);
    nav.type(fmt("%.3f kWh", item.gasleak_energy_cost));
    cell(11, 5);
    nav.type(fmt("%.2f kW/(m\u00b3/min)", item.gasleak_power_ratio));
    nav.right(2);
    nav.type(fmt("%.3f ", item.gasleak_gas_cost) + unit);

    // Level referred to 1 m; a distance of zero would give no finite level.
    const double level_1m =
        item.distance > 0 ? item.spl + 10.0 * std::log2(item.distance) : item.spl;
    cell(17, 1);
    nav.type(fmt("%.1f dB", level_1m));
    nav.right(2);
    nav.type(fmt("%.2f", item.leak_level));
    cell(17, 2);
    nav.type(fmt("%.1f ", item.leak_rate) + unit);
    nav.right(2);
    nav.type(fmt("%.1f ", item.leak_cost) + item.gasleak_currency + L"/yr");

    cell(20, 1);
    nav.type(f.test_purpose);
    cell(20, 2);
    nav.type(f.test_result);
    cell(20, 3);
    nav.type(f.advice);
    cell(20, 4);
    nav.type(item.data_note);

    nav.top();
    nav.down(20);
    nav.home();
    nav.down(5);
    nav.end();
    nav.type(f.inspector);
    nav.right(1);
    nav.end();
    nav.type(today_text(f));

    nav.top();
    AutoWrap(DISPATCH_PROPERTYPUT, nullptr, doc.font, L"Size", 1,
             static_cast<int32_t>(report_title_font_size(dataset.name)));
    nav.type(dataset.name);
}

void fill_report_document(const word_item_document& doc, const data_info& item,
                          const import_data_info& dataset, const report_header_fields& fields,
                          bool genuine) {
    QElapsedTimer timer;
    timer.start();
    if (item.sign_mode == 2)
        fill_leak(doc, item, dataset, fields);
    else
        fill_general(doc, item, dataset, fields, genuine);
    app_log("reporter %s %.2f", wide_to_utf8(item.data_name).c_str(), timer.nsecsElapsed() / 1e9);
}
