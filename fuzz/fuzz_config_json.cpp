// libFuzzer target: any bytes as config.json, as text and as the file read at
// start-up. Whatever is read must be written so that it reads back the same.

#include "core/app_config.h"
#include "core/app_globals.h"
#include "fuzz_util.h"

#include <cmath>
#include <cstdlib>

namespace {
bool same(const app_config& a, const app_config& b) {
    const auto num = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return a.export_root == b.export_root && a.report_root == b.report_root &&
           a.report_test_purpose == b.report_test_purpose &&
           a.report_location == b.report_location &&
           num(a.report_temperature, b.report_temperature) &&
           a.report_work_condition == b.report_work_condition &&
           num(a.report_humidity, b.report_humidity) && a.report_worker == b.report_worker &&
           a.report_weather == b.report_weather && a.report_test_result == b.report_test_result &&
           a.report_test_advice == b.report_test_advice &&
           a.export_remove_device_data == b.export_remove_device_data && a.lang == b.lang &&
           a.report_work_unit == b.report_work_unit && a.report_department == b.report_department &&
           a.report_telephone_number == b.report_telephone_number &&
           a.combine_report == b.combine_report &&
           a.device_search_ranges == b.device_search_ranges &&
           num(a.co2_kg_per_kwh, b.co2_kg_per_kwh);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    app_config c;
    if (apply_config_text(text, c) == 0) {
        app_config back;
        if (apply_config_text(config_to_json(c), back) != 0 || !same(c, back))
            std::abort(); // what is written must read back the same
    }

    static const bool located = [] {
        set_app_data_location(fuzz::scratch_dir().toStdWString());
        return QDir().mkpath(fuzz::scratch_dir() + QStringLiteral("/config"));
    }();
    if (located && fuzz::write_file(QString::fromStdWString(config_file_path()), text)) {
        app_cfg = app_config();
        read_config();
    }
    return 0;
}
