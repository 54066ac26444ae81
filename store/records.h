#pragma once
// Value records shared by storage, analysis, the worker and the dialogs.
// Plain values: copied freely, passed by value in queued signals.
// Threading: any thread; never shared by reference between threads.

#include <QMetaType>
#include <QPointF>
#include <QVector>

#include <cstdint>
#include <string>
#include <vector>

// One imported dataset: one row of data_import.
struct import_data_info {
    std::string id;          // unique in data_import
    std::wstring local_root; // dataset directory on this computer
    std::wstring name;       // display name
    std::string sn;          // recording device serial ("1" for local imports)
    std::string time;        // registration time, time_stamp_text format
    std::string app_name;    // writer application of the data
};

// One measurement data item.
struct data_info {
    std::string data_import_id;
    std::wstring dir_name;
    std::wstring data_name;
    std::wstring data_note;
    std::wstring data_dir; // dataset local_root + "/" + dir_name
    double distance = 0;   // metres
    std::string distance_text;
    std::string time; // "yyyy-MM-dd HH:mm:ss"
    std::string app_name;
    std::string app_version;
    int32_t app_type = 0; // 0 Orn, 1 Sable, 2 vuvoraro, 3 other
    int32_t data_type = 0;
    int32_t fs = 0; // Hz
    int32_t dd_start_frame_idx = 0;
    int32_t frame_read_num = 0;
    int32_t pic_num = 0;
    int32_t mic_gain = 0;
    double mic_sensitivity = 0;
    bool distance_correct_enable = false;
    double spl = 0; // dB
    int32_t valid_type = 0;
    int32_t frame_num = 0;
    int32_t favorite = 0;
    int32_t discharge = 0;
    bool has_tail = false;
    std::vector<uint32_t> index_table;
    int32_t freq_range_start = 0; // Hz
    int32_t freq_range_end = 0;   // Hz
    std::wstring device_type;
    double sound_abs_max = 0;
    int32_t sign_mode = 0;
    double fpass1 = 0;
    double fpass2 = 0;
    std::wstring gasleak_currency;
    double gasleak_rect = 0;
    int32_t gasleak_unit_mode = 0;
    double gasleak_power_ratio = 0;
    double gasleak_energy_cost = 0;
    double gasleak_gas_cost = 0;
    double leak_cost = 0;
    double leak_level = 0;
    double leak_rate = 0;
    int32_t report_number = 0;
};

// A device reachable over the network.
struct search_device_info {
    std::string ip;
    std::string name; // carried and compared, not filled by any live path
    uint64_t tag = 0; // carried with the record
};

// One polled status of a device.
struct device_status_info {
    std::string ip;
    std::string host_addr_mac;
    std::string time;
    int64_t disk_available = 0;
    int64_t disk_total = 0;
    double poll_time = 0;
    double battery = 0;
    std::string version;
    int32_t status_code = 0;
};

// Derives app_type from the writer name in a Data.dat header or dataset row.
int app_type_from_name(const std::string& app_name);

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::wstring)
Q_DECLARE_METATYPE(data_info)
Q_DECLARE_METATYPE(import_data_info)
Q_DECLARE_METATYPE(search_device_info)
Q_DECLARE_METATYPE(device_status_info)
Q_DECLARE_METATYPE(std::vector<data_info>)
Q_DECLARE_METATYPE(std::vector<data_info>*)
Q_DECLARE_METATYPE(std::vector<int>*)
Q_DECLARE_METATYPE(std::vector<search_device_info>)
Q_DECLARE_METATYPE(std::vector<device_status_info>)
Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::vector<std::wstring>)
Q_DECLARE_METATYPE(std::vector<int>)

// Registers every type that crosses threads in queued signals, under the
// names the connections use. Call once, before any thread is started.
void register_meta_types();
