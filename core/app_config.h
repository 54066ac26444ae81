#pragma once
// The user's settings, kept in config.json in app_config_path, and the two
// small word lists the report parts share.
// Threading: read once by the UI thread before other threads start; fields
// are then written only by the UI thread and read by the UI thread and the
// report task. File writes take config_file_lock().

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

struct app_config {
    std::wstring export_root;    // data save directory
    std::wstring report_root;    // directory for generated reports
    int report_test_purpose = 0; // index into test_purpose_list()
    std::wstring report_location;
    double report_temperature = 20.0; // degrees Celsius
    std::wstring report_work_condition;
    double report_humidity = 50.0; // percent
    std::wstring report_worker;
    std::wstring report_weather;
    std::wstring report_test_result;
    std::wstring report_test_advice;
    bool export_remove_device_data = false;
    int lang = -1; // "lang_id": 0 English, 1 Chinese, -1 unset
    std::wstring report_work_unit;
    std::wstring report_department;
    std::wstring report_telephone_number;
    bool combine_report = true;
    // Where "Device search" looks for cameras ("device_search_ranges"): IPv4
    // ranges such as "192.168.1.0/24, 10.0.0.5"; empty: the computer's own
    // networks. Stored only when set, as a text.
    std::string device_search_ranges;
    // Kilograms of CO2 per kWh of electricity, for the leak survey's
    // emission figures ("co2_kg_per_kwh"; never negative).
    double co2_kg_per_kwh = 0.4;
};

extern app_config app_cfg;

// Path of the configuration file.
std::wstring config_file_path();

// Largest config.json that is read (the file holds a few short texts).
constexpr size_t config_max_bytes = 1024 * 1024;

// Fills app_cfg from config.json. 0 on success (an empty file counts as
// success with the defaults), 2 when the text is not a JSON object, EFBIG
// when the file is larger than config_max_bytes, EISDIR or EINVAL when it is
// no regular file, otherwise the errno of the failed open or read. Members
// that are missing or of the wrong JSON type keep their current value
// ("lang_id" becomes -1).
int read_config();
// The same for a JSON text, into c: 0, or 2 (c unchanged) when the text is
// not a JSON object. Never throws.
int apply_config_text(const std::string& text, app_config& c);

// Writes all members of app_cfg, replacing the file atomically. 0 or errno;
// the record in memory is never changed.
int write_config();

// The JSON text write_config() stores (one line and a line feed).
std::string config_to_json(const app_config& cfg);

// Serialises writers of config.json within the process.
std::mutex& config_file_lock();

// Test purpose words indexed by report_test_purpose: "Routine inspection",
// "Spot check" (translated).
const std::vector<std::wstring>& test_purpose_list();
// Test purpose word for an index; empty for an index out of range.
std::wstring test_purpose_text(int index);
// Temperature unit word ("°C", translated).
const std::wstring& temperature_unit_word();
// Builds the word lists again with the installed translator. UI thread,
// before other threads start.
void retranslate_word_lists();
