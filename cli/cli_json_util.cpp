#include "cli/cli_json_util.h"

#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

std::string cli_text(const std::wstring& text) {
    static const char hex[] = "0123456789abcdef";
    std::wstring out;
    out.reserve(text.size());
    for (const wchar_t c : platform::display_text(text)) {
        const auto u = static_cast<uint32_t>(c);
        if (u >= 0x20 && u != 0x7f && (u < 0x80 || u > 0x9f)) {
            out += c;
            continue;
        }
        const std::string esc = c == L'\n'   ? std::string("\\n")
                                : c == L'\t' ? std::string("\\t")
                                : c == L'\r'
                                    ? std::string("\\r")
                                    : (u < 0x80 ? std::string("\\x") : std::string("\\u00")) +
                                          hex[u >> 4] + hex[u & 15];
        out.append(esc.begin(), esc.end());
    }
    return wide_to_utf8(out);
}

std::string cli_text(const std::string& utf8) {
    return cli_text(utf8_to_wide(utf8));
}

std::string cli_json_text(const std::wstring& text) {
    return wide_to_utf8(platform::display_text(text));
}

std::string cli_json_text(const std::string& utf8) {
    return cli_json_text(utf8_to_wide(utf8));
}

Json::Value cli_number(double v) {
    return std::isfinite(v) ? Json::Value(v) : Json::Value();
}

Json::Value cli_data_row_json(const data_info& d) {
    Json::Value o(Json::objectValue);
    o["data_import_id"] = cli_json_text(d.data_import_id);
    o["dir_name"] = cli_json_text(d.dir_name);
    o["data_name"] = cli_json_text(d.data_name);
    o["data_note"] = cli_json_text(d.data_note);
    o["data_dir"] = cli_json_text(d.data_dir);
    o["distance"] = cli_number(d.distance);
    o["time"] = cli_json_text(d.time);
    o["data_type"] = d.data_type;
    o["fs"] = d.fs;
    o["dd_start_frame_idx"] = d.dd_start_frame_idx;
    o["spl"] = cli_number(d.spl);
    o["valid_type"] = d.valid_type;
    o["frame_num"] = d.frame_num;
    o["favorite"] = d.favorite;
    o["discharge"] = d.discharge;
    return o;
}

Json::Value cli_data_info_json(const data_info& d) {
    // The row's members and the rest (the writer sorts the keys).
    Json::Value o = cli_data_row_json(d);
    o["distance_text"] = cli_json_text(d.distance_text);
    o["app_name"] = cli_json_text(d.app_name);
    o["app_version"] = cli_json_text(d.app_version);
    o["app_type"] = d.app_type;
    o["frame_read_num"] = d.frame_read_num;
    o["pic_num"] = d.pic_num;
    o["mic_gain"] = d.mic_gain;
    o["mic_sensitivity"] = cli_number(d.mic_sensitivity);
    o["distance_correct_enable"] = d.distance_correct_enable;
    o["has_tail"] = d.has_tail;
    Json::Value table(Json::arrayValue);
    for (uint32_t v : d.index_table)
        table.append(Json::UInt(v));
    o["index_table"] = table;
    o["freq_range_start"] = d.freq_range_start;
    o["freq_range_end"] = d.freq_range_end;
    o["device_type"] = cli_json_text(d.device_type);
    o["sound_abs_max"] = cli_number(d.sound_abs_max);
    o["sign_mode"] = d.sign_mode;
    o["fpass1"] = cli_number(d.fpass1);
    o["fpass2"] = cli_number(d.fpass2);
    o["gasleak_currency"] = cli_json_text(d.gasleak_currency);
    o["gasleak_rect"] = cli_number(d.gasleak_rect);
    o["gasleak_unit_mode"] = d.gasleak_unit_mode;
    o["gasleak_power_ratio"] = cli_number(d.gasleak_power_ratio);
    o["gasleak_energy_cost"] = cli_number(d.gasleak_energy_cost);
    o["gasleak_gas_cost"] = cli_number(d.gasleak_gas_cost);
    o["leak_cost"] = cli_number(d.leak_cost);
    o["leak_level"] = cli_number(d.leak_level);
    o["leak_rate"] = cli_number(d.leak_rate);
    o["report_number"] = d.report_number;
    return o;
}

std::string cli_pad(const std::string& utf8, int columns) {
    const QString text = QString::fromUtf8(utf8.data(), int(utf8.size()));
    int used = 0;
    for (const uint c : text.toUcs4()) {
        // East Asian wide ranges take two columns in a terminal.
        const bool wide = (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0xa4cf) ||
                          (c >= 0xac00 && c <= 0xd7a3) || (c >= 0xf900 && c <= 0xfaff) ||
                          (c >= 0xfe30 && c <= 0xfe4f) || (c >= 0xff00 && c <= 0xff60) ||
                          (c >= 0xffe0 && c <= 0xffe6) || (c >= 0x20000 && c <= 0x3fffd);
        used += wide ? 2 : 1;
    }
    return used >= columns ? utf8 : utf8 + std::string(size_t(columns - used), ' ');
}

std::string cli_num(double v) {
    return QString::number(v, 'g', 10).toStdString();
}

Json::Value cli_import_data_info_json(const import_data_info& d) {
    Json::Value o(Json::objectValue);
    o["id"] = cli_json_text(d.id);
    o["local_root"] = cli_json_text(d.local_root);
    o["name"] = cli_json_text(d.name);
    o["sn"] = cli_json_text(d.sn);
    o["time"] = cli_json_text(d.time);
    o["app_name"] = cli_json_text(d.app_name);
    return o;
}

void cli_print_json(const Json::Value& v) {
    Json::StreamWriterBuilder b;
    b["indentation"] = "  ";
    b["emitUTF8"] = true;
    b["precision"] = 15;
    const std::string text = Json::writeString(b, v) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void cli_error(const QString& text) {
    std::fprintf(stderr, "halvix-cli: %s\n", cli_text(text.toStdWString()).c_str());
}

void cli_progress_bar(double v) {
    static int shown = -1;
    const int width = 40;
    v = std::min(1.0, std::max(0.0, v));
    const int filled = int(v * width + 0.5);
    const int percent = int(v * 100 + 0.5);
    if (percent == shown)
        return;
    shown = percent;
    std::printf("\r[%s%s] %3d%%", std::string(size_t(filled), '#').c_str(),
                std::string(size_t(width - filled), ' ').c_str(), percent);
    std::fflush(stdout);
}
