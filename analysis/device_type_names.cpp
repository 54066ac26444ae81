#include "analysis/device_type_names.h"

#include "core/app_globals.h"
#include "platform/text.h"

#include <json/json.h>

#include <fstream>
#include <memory>
#include <sstream>

std::map<std::wstring, std::wstring> device_type_table(const std::string& override_json) {
    std::map<std::wstring, std::wstring> table = {
        {L"ORN-40", L"Orn 40 Acoustic Camera"},     {L"ORN-40S", L"Orn 40 S Acoustic Camera"},
        {L"ORN-60", L"Orn 60 Acoustic Camera"},     {L"SABLE-10", L"Sable 10 Handheld Imager"},
        {L"SABLE-20", L"Sable 20 Handheld Imager"},
    };
    if (override_json.empty())
        return table;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    const char* begin = override_json.data();
    if (!reader->parse(begin, begin + override_json.size(), &root, &errors) || !root.isObject())
        return table;
    for (const auto& key : root.getMemberNames()) {
        const Json::Value& v = root[key];
        if (v.isString())
            table[utf8_to_wide(key)] = utf8_to_wide(v.asString());
    }
    return table;
}

std::wstring device_type_display_name(const std::wstring& code) {
    static const std::map<std::wstring, std::wstring> table = [] {
        std::string text;
        if (!app_config_path.empty()) {
            std::ifstream in(wide_to_utf8(app_config_path + L"/device_types.json"),
                             std::ios::binary);
            if (in) {
                std::ostringstream buf;
                buf << in.rdbuf();
                text = buf.str();
            }
        }
        return device_type_table(text);
    }();
    auto it = table.find(code);
    return it == table.end() ? code : it->second;
}
