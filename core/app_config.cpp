#include "core/app_config.h"

#include "core/app_globals.h"
#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "platform/text.h"

#include <QCoreApplication>

#include <json/json.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <memory>

app_config app_cfg;

namespace {

std::vector<std::wstring> make_purpose_list() {
    return {QCoreApplication::translate("app_config", "Routine inspection").toStdWString(),
            QCoreApplication::translate("app_config", "Spot check").toStdWString()};
}

std::wstring make_temperature_unit() {
    return QCoreApplication::translate("app_config", "°C").toStdWString();
}

std::vector<std::wstring>& purpose_list_storage() {
    static std::vector<std::wstring> list = make_purpose_list();
    return list;
}

std::wstring& temperature_unit_storage() {
    static std::wstring unit = make_temperature_unit();
    return unit;
}

// Each reader keeps the current value when the member is missing or has
// another JSON type, so a hand-edited file can never make reading throw.
void read_string(const Json::Value& root, const char* key, std::wstring& field) {
    const Json::Value& v = root[key];
    if (v.isString())
        field = platform::utf8_to_wide(v.asString());
}

void read_int(const Json::Value& root, const char* key, int& field) {
    const Json::Value& v = root[key];
    if (v.isInt())
        field = v.asInt();
}

void read_double(const Json::Value& root, const char* key, double& field) {
    const Json::Value& v = root[key];
    if (v.isNumeric() && !v.isBool())
        field = v.asDouble();
}

void read_bool(const Json::Value& root, const char* key, bool& field) {
    const Json::Value& v = root[key];
    if (v.isBool())
        field = v.asBool();
}

// A text, or an array of texts joined with ", ".
void read_ranges(const Json::Value& root, std::string& field) {
    const Json::Value& v = root["device_search_ranges"];
    if (v.isString()) {
        field = v.asString();
    } else if (v.isArray()) {
        std::string joined;
        for (const Json::Value& e : v) {
            if (!e.isString())
                continue;
            if (!joined.empty())
                joined += ", ";
            joined += e.asString();
        }
        field = joined;
    }
}

std::string u8(const std::wstring& s) {
    return platform::wide_to_utf8(s);
}

// Each read value goes to the log as "key:value", as the start-up log lists them.
void read_text_logged(const Json::Value& root, const char* key, std::wstring& field) {
    read_string(root, key, field);
    app_log("%s:%s", key, u8(field).c_str());
}
void read_double_logged(const Json::Value& root, const char* key, double& field) {
    read_double(root, key, field);
    app_log("%s:%.2f", key, field);
}
void read_bool_logged(const Json::Value& root, const char* key, bool& field) {
    read_bool(root, key, field);
    app_log("%s:%d", key, field ? 1 : 0);
}
} // namespace

std::wstring config_file_path() {
    return app_config_path + L"/config.json";
}

std::mutex& config_file_lock() {
    static std::mutex lock;
    return lock;
}

int read_config() {
    const std::string path = platform::wide_to_utf8(config_file_path());
    std::string text;
    int64_t size = 0;
    const int rc = platform::read_regular_file(path, config_max_bytes, text, &size);
    if (rc == EFBIG)
        app_log("read_config size:%lld", static_cast<long long>(size));
    if (rc != 0)
        return rc;
    if (text.empty()) {
        app_log("read_config size:%d", 0);
        return 0;
    }
    return apply_config_text(text, app_cfg);
}

int apply_config_text(const std::string& text, app_config& c) {
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = false;
    // A hand-edited or damaged file must not take the stack: deep nesting
    // makes the reader throw, which here is a parse failure like any other.
    builder["stackLimit"] = 256;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors) ||
            !root.isObject())
            return 2;
    } catch (const std::exception&) {
        return 2;
    }

    app_log("read_config");
    read_text_logged(root, "export_root", c.export_root);
    read_text_logged(root, "report_root", c.report_root);
    read_int(root, "report_test_purpose", c.report_test_purpose);
    app_log("report_test_target:%d", c.report_test_purpose);
    read_text_logged(root, "report_location", c.report_location);
    read_double_logged(root, "report_temperature", c.report_temperature);
    read_text_logged(root, "report_work_condition", c.report_work_condition);
    read_double_logged(root, "report_humidity", c.report_humidity);
    read_text_logged(root, "report_worker", c.report_worker);
    read_text_logged(root, "report_weather", c.report_weather);
    read_text_logged(root, "report_test_result", c.report_test_result);
    read_text_logged(root, "report_test_advice", c.report_test_advice);
    read_bool_logged(root, "export_remove_device_data", c.export_remove_device_data);
    c.lang = -1;
    read_int(root, "lang_id", c.lang);
    app_log("lang:%d", c.lang);
    read_text_logged(root, "report_work_unit", c.report_work_unit);
    read_text_logged(root, "report_department", c.report_department);
    read_text_logged(root, "report_telephone_number", c.report_telephone_number);
    read_bool_logged(root, "combine_report", c.combine_report);
    read_ranges(root, c.device_search_ranges);
    if (!c.device_search_ranges.empty())
        app_log("device_search_ranges:%s", c.device_search_ranges.c_str());
    // A negative factor makes no sense and would turn emissions into savings.
    double co2 = c.co2_kg_per_kwh;
    read_double(root, "co2_kg_per_kwh", co2);
    if (co2 >= 0 && std::isfinite(co2))
        c.co2_kg_per_kwh = co2;
    app_log("co2_kg_per_kwh:%.3f", c.co2_kg_per_kwh);
    app_log("read_config end");
    return 0;
}

std::string config_to_json(const app_config& c) {
    Json::Value root(Json::objectValue);
    root["export_root"] = u8(c.export_root);
    root["report_root"] = u8(c.report_root);
    root["report_test_purpose"] = c.report_test_purpose;
    root["report_location"] = u8(c.report_location);
    root["report_temperature"] = c.report_temperature;
    root["report_work_condition"] = u8(c.report_work_condition);
    root["report_humidity"] = c.report_humidity;
    root["report_worker"] = u8(c.report_worker);
    root["report_weather"] = u8(c.report_weather);
    root["report_test_result"] = u8(c.report_test_result);
    root["report_test_advice"] = u8(c.report_test_advice);
    root["export_remove_device_data"] = c.export_remove_device_data;
    root["lang_id"] = c.lang;
    root["report_work_unit"] = u8(c.report_work_unit);
    root["report_department"] = u8(c.report_department);
    root["report_telephone_number"] = u8(c.report_telephone_number);
    root["combine_report"] = c.combine_report;
    if (!c.device_search_ranges.empty())
        root["device_search_ranges"] = c.device_search_ranges;
    root["co2_kg_per_kwh"] = c.co2_kg_per_kwh;

    // Compact, one line, UTF-8 kept as is, then a line feed.
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, root) + "\n";
}

int write_config() {
    const std::string text = config_to_json(app_cfg);
    const std::string path = platform::wide_to_utf8(config_file_path());
    std::lock_guard<std::mutex> lock(config_file_lock());
    const int rc = platform::write_file_atomic(path, text);
    if (rc != 0)
        app_log("write_config errno:%d %s", rc, path.c_str());
    return rc;
}

const std::vector<std::wstring>& test_purpose_list() {
    return purpose_list_storage();
}

std::wstring test_purpose_text(int index) {
    const auto& list = purpose_list_storage();
    if (index < 0 || static_cast<size_t>(index) >= list.size())
        return {};
    return list[static_cast<size_t>(index)];
}

const std::wstring& temperature_unit_word() {
    return temperature_unit_storage();
}

void retranslate_word_lists() {
    purpose_list_storage() = make_purpose_list();
    temperature_unit_storage() = make_temperature_unit();
}
