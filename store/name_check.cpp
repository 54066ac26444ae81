#include "store/name_check.h"

#include <regex>

bool is_valid_name(const std::string& name) {
    static const std::regex bad("[\\\\/:*?\"<>|]+");
    return !std::regex_search(name, bad);
}

bool is_valid_name(const std::wstring& name) {
    static const std::wregex bad(L"[\\\\/:*?\"<>|]+");
    return !std::regex_search(name, bad);
}
