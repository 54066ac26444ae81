#include "device/device_search.h"

#include "core/app_globals.h"
#include "core/app_log.h"
#include "device/device_api.h"
#include "platform/atomic_file.h"
#include "platform/net.h"
#include "platform/text.h"

#include <json/json.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

namespace {

uint32_t mask_of(int prefix) {
    return prefix <= 0 ? 0u : (prefix >= 32 ? 0xFFFFFFFFu : ~((1u << (32 - prefix)) - 1u));
}

bool parse_one_range(const std::string& entry, ipv4_range& r) {
    const size_t slash = entry.find('/');
    const size_t dash = entry.find('-');
    uint32_t a = 0;
    uint32_t b = 0;
    if (slash != std::string::npos) {
        const std::string bits = entry.substr(slash + 1);
        if (bits.empty() || bits.size() > 2 ||
            bits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const int prefix = std::stoi(bits);
        if (prefix > 32 || !platform::ipv4_from_text(entry.substr(0, slash), &a))
            return false;
        r.first = a & mask_of(prefix);
        r.last = r.first | ~mask_of(prefix);
        r.network = true;
        return true;
    }
    if (dash != std::string::npos) {
        if (!platform::ipv4_from_text(entry.substr(0, dash), &a) ||
            !platform::ipv4_from_text(entry.substr(dash + 1), &b) || b < a)
            return false;
        r.first = a;
        r.last = b;
        return true;
    }
    if (!platform::ipv4_from_text(entry, &a))
        return false;
    r.first = r.last = a;
    return true;
}

} // namespace

bool parse_search_ranges(const std::string& text, std::vector<ipv4_range>& out, std::string* bad) {
    std::string entry;
    auto flush = [&]() {
        if (entry.empty())
            return true;
        ipv4_range r;
        if (!parse_one_range(entry, r)) {
            if (bad)
                *bad = entry;
            return false;
        }
        out.push_back(r);
        entry.clear();
        return true;
    };
    for (char c : text) {
        if (c == ',' || c == ';' || c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (!flush())
                return false;
        } else {
            entry += c;
        }
    }
    return flush();
}

std::vector<ipv4_range> default_search_ranges() {
    std::vector<ipv4_range> out;
    for (const platform::ipv4_network& n : platform::local_ipv4_networks()) {
        // At most the /24 around the address, however wide its network is.
        const uint32_t mask = n.netmask | mask_of(24);
        ipv4_range r;
        r.first = n.address & mask;
        r.last = r.first | ~mask;
        r.network = true;
        out.push_back(r);
    }
    return out;
}

std::vector<ipv4_range> search_ranges_for(const std::string& setting) {
    if (!setting.empty()) {
        std::vector<ipv4_range> ranges;
        std::string bad;
        if (parse_search_ranges(setting, ranges, &bad) && !ranges.empty())
            return ranges;
        app_log("device_search_ranges invalid:%s", bad.c_str());
    }
    return default_search_ranges();
}

std::vector<std::string> range_addresses(const std::vector<ipv4_range>& ranges, size_t limit) {
    std::vector<std::string> out;
    std::set<uint32_t> seen;
    for (const ipv4_range& r : ranges) {
        uint64_t first = r.first;
        uint64_t last = r.last;
        if (r.network && last - first >= 2) { // not its own and its broadcast address
            ++first;
            --last;
        }
        for (uint64_t a = first; a <= last; ++a) {
            if (out.size() >= limit) {
                app_log("device_search limited to %u addresses", unsigned(limit));
                return out;
            }
            if (seen.insert(uint32_t(a)).second)
                out.push_back(platform::ipv4_to_text(uint32_t(a)));
        }
    }
    return out;
}

std::vector<probe_result> probe_devices(const std::vector<std::string>& addresses,
                                        const probe_options& options,
                                        const std::atomic<bool>* abort) {
    std::vector<probe_result> out(addresses.size());
    std::atomic<size_t> next{0};
    auto run = [&]() {
        for (;;) {
            const size_t i = next.fetch_add(1);
            if (i >= addresses.size())
                return;
            probe_result& r = out[i];
            r.address = addresses[i];
            if (abort && abort->load()) {
                r.result = ECANCELED;
                continue;
            }
            r.result = device_read_status(addresses[i], r.status, &r.sn, options.timeout_ms,
                                          options.deadline_ms);
        }
    };
    const size_t threads =
        std::min<size_t>(addresses.size(), size_t(std::max(1, options.parallel)));
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (size_t t = 1; t < threads; ++t)
        pool.emplace_back(run);
    run();
    for (auto& t : pool)
        t.join();
    return out;
}

std::wstring devices_file_path() {
    return app_config_path + L"/devices.json";
}

int read_known_devices(std::vector<search_device_info>& out) {
    std::ifstream in(wide_to_utf8(devices_file_path()), std::ios::binary);
    if (!in)
        return errno ? errno : ENOENT;
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    Json::CharReaderBuilder b;
    std::unique_ptr<Json::CharReader> reader(b.newCharReader());
    Json::Value root;
    std::string errors;
    if (!reader->parse(s.data(), s.data() + s.size(), &root, &errors) || !root.isObject() ||
        !root["devices"].isArray()) {
        app_log("read_known_devices not a device list");
        return 2;
    }
    for (const Json::Value& d : root["devices"]) {
        if (!d.isObject() || !d["ip"].isString() || !is_device_address(d["ip"].asString()))
            continue;
        search_device_info dev;
        dev.ip = d["ip"].asString();
        if (d["sn"].isString())
            dev.name = d["sn"].asString();
        if (d["last_seen"].isIntegral())
            dev.tag = d["last_seen"].asUInt64();
        bool dup = false;
        for (const auto& o : out)
            dup = dup || o.ip == dev.ip;
        if (!dup)
            out.push_back(dev);
    }
    return 0;
}

int write_known_devices(const std::vector<search_device_info>& devices) {
    Json::Value root(Json::objectValue);
    root["devices"] = Json::Value(Json::arrayValue);
    for (const auto& d : devices) {
        Json::Value v(Json::objectValue);
        v["ip"] = d.ip;
        v["sn"] = d.name;
        v["last_seen"] = Json::UInt64(d.tag);
        root["devices"].append(v);
    }
    Json::StreamWriterBuilder b;
    b["indentation"] = "  ";
    b["emitUTF8"] = true;
    const std::string path = wide_to_utf8(devices_file_path());
    const int rc = platform::write_file_atomic(path, Json::writeString(b, root) + "\n");
    if (rc != 0)
        app_log("write_known_devices errno:%d %s", rc, path.c_str());
    return rc;
}

bool merge_devices(std::vector<search_device_info>& list,
                   const std::vector<search_device_info>& found) {
    bool changed = false;
    for (const auto& f : found) {
        auto it = std::find_if(list.begin(), list.end(),
                               [&f](const search_device_info& d) { return d.ip == f.ip; });
        if (it == list.end()) {
            list.push_back(f);
            changed = true;
            continue;
        }
        if ((!f.name.empty() && it->name != f.name) || f.tag > it->tag) {
            if (!f.name.empty())
                it->name = f.name;
            it->tag = std::max(it->tag, f.tag);
            changed = true;
        }
    }
    return changed;
}
