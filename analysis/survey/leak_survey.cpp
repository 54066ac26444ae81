#include "analysis/survey/leak_survey.h"

#include "analysis/datafile/data_file.h"
#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <map>
#include <mutex>
#include <numeric>
#include <thread>

namespace {

bool is_finite(double v) {
    return std::isfinite(v);
}

// Currencies are grouped by their text without surrounding blanks, so " CNY"
// typed by hand joins "CNY".
std::wstring currency_key(const std::wstring& c) {
    const auto first = c.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos)
        return std::wstring();
    const auto last = c.find_last_not_of(L" \t\r\n");
    return c.substr(first, last - first + 1);
}

void set_co2(survey_leak& l, double factor) {
    l.co2_kg = l.has_energy ? l.energy_kwh * factor : 0;
}

bool all_finite(const survey_leak& l) {
    const data_info& d = l.item;
    if (!is_finite(l.rate_lpm) || !is_finite(d.leak_rate) || !is_finite(d.leak_cost) ||
        !is_finite(d.leak_level) || !is_finite(l.level_1m) || !is_finite(d.spl) ||
        !is_finite(d.distance))
        return false;
    return !l.has_energy || (is_finite(l.energy_kwh) && is_finite(l.co2_kg));
}

// Higher cost first; a cost that is not a finite number goes last, whatever
// its sign: it says nothing about which leak to fix first.
bool ranks_before(const survey_leak& a, const survey_leak& b) {
    const double ca = a.item.leak_cost, cb = b.item.leak_cost;
    const bool fa = is_finite(ca), fb = is_finite(cb);
    if (fa != fb)
        return fa;
    if (fa && ca != cb)
        return ca > cb;
    const double ra = a.rate_lpm, rb = b.rate_lpm;
    if (is_finite(ra) && is_finite(rb) && ra != rb)
        return ra > rb;
    if (a.item.time != b.item.time)
        return a.item.time < b.item.time;
    return a.source < b.source;
}

} // namespace

void register_survey_meta_types() {
    static std::once_flag once;
    std::call_once(once, [] { qRegisterMetaType<leak_survey>("leak_survey"); });
}

namespace {

// Larger headers are left to the full reader; a camera writes a few KiB.
constexpr uint32_t quick_header_max = 1u << 20;

// The JSON header of Data.dat as text. 0, or an error number (a header that
// does not fit in the file counts as unreadable).
int read_header_text(const std::wstring& path, std::string& text) {
    std::FILE* f = std::fopen(platform::wide_to_utf8(path).c_str(), "rb");
    if (!f)
        return errno ? errno : ENOENT;
    unsigned char b[4];
    int rc = std::fread(b, 1, 4, f) == 4 ? 0 : EIO;
    if (rc == 0) {
        const uint32_t h =
            uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
        if (h > quick_header_max) {
            rc = EFBIG;
        } else {
            text.resize(h);
            if (h && std::fread(&text[0], 1, h, f) != h)
                rc = EIO;
        }
    }
    std::fclose(f);
    return rc;
}

// The "sign_mode" of a header text without parsing all of it: the integer
// after the key, or -1 when that is not plain (absent while the text holds
// escapes, there twice, or not an integer), for the full parse to decide.
int quick_sign_mode(const std::string& text) {
    static const std::string key = "\"sign_mode\"";
    const size_t at = text.find(key);
    if (at == std::string::npos)
        return text.find('\\') == std::string::npos ? 0 : -1; // absent: the default
    if (text.find(key, at + key.size()) != std::string::npos)
        return -1;
    size_t i = at + key.size();
    auto skip = [&] {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
            ++i;
    };
    skip();
    if (i >= text.size() || text[i] != ':')
        return -1;
    ++i;
    skip();
    int v = 0, digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 9) {
        v = v * 10 + (text[i++] - '0');
        ++digits;
    }
    skip();
    if (digits == 0 || i >= text.size() || (text[i] != ',' && text[i] != '}'))
        return -1;
    return v;
}

} // namespace

bool read_survey_item(data_info& d) {
    const std::wstring dir =
        d.data_dir.empty() || d.data_dir.back() == L'/' ? d.data_dir : d.data_dir + L"/";
    std::string head;
    const int rc = read_header_text(dir + L"Data.dat", head);
    if (rc == EFBIG) {
        if (read_data_head(dir + L"Data.dat", d) != 0)
            return false;
    } else if (rc != 0) {
        return false;
    } else {
        // Most items of a large set are no gas leaks: they are only counted,
        // without parsing their headers or reading their other files.
        const int mode = quick_sign_mode(head);
        if (mode >= 0 && mode != 2) {
            d.sign_mode = mode;
            return true;
        }
        if (apply_data_head_text(head, d) != 0)
            return false;
    }
    if (d.sign_mode == 2) {
        const std::wstring note = dir + L"note.json";
        read_data_note(&note, d);
        read_data_edit(d);
    }
    return true;
}

survey_leak evaluate_survey_leak(const data_info& d, double co2_kg_per_kwh) {
    survey_leak l;
    l.item = d;
    data_info& c = l.item;
    const gas_leak_result r =
        calc_gas_leak(c.spl, c.distance, c.gasleak_rect, c.gasleak_unit_mode, c.gasleak_power_ratio,
                      c.gasleak_energy_cost, c.gasleak_gas_cost);
    c.leak_cost = r.cost;
    c.leak_level = r.level;
    c.leak_rate = r.rate;
    l.level_1m = spl_at_one_metre(c.spl, c.distance);
    l.distance_substituted = !(c.distance > 0);
    l.rate_lpm = c.gasleak_unit_mode == 1 ? r.rate * survey_litres_per_cubic_foot : r.rate;
    // NaN fails the comparison: no power ratio, no energy figure.
    l.has_energy = c.gasleak_power_ratio > 0;
    l.energy_kwh =
        l.has_energy ? l.rate_lpm / 1000.0 * c.gasleak_power_ratio * survey_hours_per_year : 0;
    set_co2(l, co2_kg_per_kwh);
    l.counted = all_finite(l);
    return l;
}

survey_totals survey_totals_of(const std::vector<survey_leak>& leaks) {
    survey_totals t;
    std::map<std::wstring, survey_cost_total> costs;
    for (const survey_leak& l : leaks) {
        if (!l.counted) {
            ++t.left_out;
            continue;
        }
        ++t.counted;
        t.rate_lpm += l.rate_lpm;
        if (l.has_energy) {
            ++t.energy_leaks;
            t.energy_kwh += l.energy_kwh;
            t.co2_kg += l.co2_kg;
        }
        const std::wstring key = currency_key(l.item.gasleak_currency);
        survey_cost_total& c = costs[key];
        c.currency = key;
        c.cost += l.item.leak_cost;
        ++c.leaks;
    }
    for (auto& c : costs)
        t.costs.push_back(c.second);
    std::stable_sort(
        t.costs.begin(), t.costs.end(),
        [](const survey_cost_total& a, const survey_cost_total& b) { return a.cost > b.cost; });
    return t;
}

void rank_survey(leak_survey& s, bool reorder) {
    std::vector<size_t> order(s.leaks.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&s](size_t a, size_t b) { return ranks_before(s.leaks[a], s.leaks[b]); });
    for (size_t i = 0; i < order.size(); ++i)
        s.leaks[order[i]].rank = int(i) + 1;
    if (reorder)
        std::sort(s.leaks.begin(), s.leaks.end(),
                  [](const survey_leak& a, const survey_leak& b) { return a.rank < b.rank; });
}

leak_survey survey_from_items(const std::vector<data_info>& current, double co2_kg_per_kwh) {
    leak_survey s;
    s.co2_kg_per_kwh = co2_kg_per_kwh;
    s.items = int(current.size());
    for (size_t i = 0; i < current.size(); ++i) {
        if (current[i].sign_mode != 2) {
            ++s.other_items;
            continue;
        }
        survey_leak l = evaluate_survey_leak(current[i], co2_kg_per_kwh);
        l.source = int(i);
        s.leaks.push_back(std::move(l));
    }
    rank_survey(s, true);
    s.totals = survey_totals_of(s.leaks);
    return s;
}

leak_survey build_leak_survey(const std::vector<data_info>& items, double co2_kg_per_kwh) {
    std::vector<data_info> current = items;
    auto read = [&current](size_t first, size_t step) {
        for (size_t i = first; i < current.size(); i += step) {
            // An item whose Data.dat cannot be read has no measurement mode:
            // it is counted among the other items, never taken for a leak.
            if (!read_survey_item(current[i]))
                current[i].sign_mode = 0;
        }
    };
    // Reading thousands of small files is mostly parsing: the cores share it.
    const size_t threads =
        current.size() < 64 ? 1 : std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (size_t t = 1; t < threads; ++t)
        pool.emplace_back(read, t, threads);
    read(0, threads);
    for (std::thread& t : pool)
        t.join();
    return survey_from_items(current, co2_kg_per_kwh);
}

namespace {
void reread(survey_leak& l, double co2_kg_per_kwh) {
    data_info d = l.item;
    read_survey_item(d);
    const int source = l.source;
    l = evaluate_survey_leak(d, co2_kg_per_kwh);
    l.source = source;
}
} // namespace

bool refresh_survey_leak(leak_survey& s, const std::wstring& data_dir) {
    for (survey_leak& l : s.leaks) {
        if (l.item.data_dir != data_dir)
            continue;
        reread(l, s.co2_kg_per_kwh);
        rank_survey(s, false);
        s.totals = survey_totals_of(s.leaks);
        return true;
    }
    return false;
}

void refresh_survey(leak_survey& s) {
    for (survey_leak& l : s.leaks)
        reread(l, s.co2_kg_per_kwh);
    rank_survey(s, false);
    s.totals = survey_totals_of(s.leaks);
}

void set_survey_co2_factor(leak_survey& s, double co2_kg_per_kwh) {
    s.co2_kg_per_kwh = co2_kg_per_kwh;
    for (survey_leak& l : s.leaks) {
        set_co2(l, co2_kg_per_kwh);
        l.counted = all_finite(l);
    }
    s.totals = survey_totals_of(s.leaks);
}

std::wstring survey_item_name(const data_info& d) {
    return d.data_name.empty() ? d.dir_name : d.data_name;
}

std::wstring survey_rate_unit(const data_info& d) {
    return d.gasleak_unit_mode == 1 ? L"CFM" : L"L/min";
}

std::wstring survey_number(double v, int decimals) {
    if (!is_finite(v))
        return L"\u2014";
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.*f", decimals, v);
    std::wstring s = buf;
    // A rounded "-0.0" is no negative amount.
    if (s[0] == L'-' && s.find_first_not_of(L"-0.") == std::wstring::npos)
        s.erase(0, 1);
    return s;
}

std::wstring survey_rate_text(const survey_leak& l) {
    // CFM figures are about thirty times smaller: one more decimal.
    const int decimals = l.item.gasleak_unit_mode == 1 ? 2 : 1;
    if (!is_finite(l.item.leak_rate))
        return survey_number(l.item.leak_rate, decimals);
    return survey_number(l.item.leak_rate, decimals) + L" " + survey_rate_unit(l.item);
}

std::wstring survey_cost_text(double cost, const std::wstring& currency) {
    std::wstring s = survey_number(cost, 1);
    if (!is_finite(cost))
        return s;
    const std::wstring c = currency_key(currency);
    if (!c.empty())
        s += L" " + c;
    return s;
}

std::wstring survey_range_text(const leak_survey& s, double (*field)(const data_info&),
                               int decimals) {
    bool any = false;
    double lo = 0, hi = 0;
    for (const survey_leak& l : s.leaks) {
        const double v = field(l.item);
        if (!l.counted || !is_finite(v))
            continue;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
    if (!any)
        return L"\u2014";
    const std::wstring a = survey_number(lo, decimals), b = survey_number(hi, decimals);
    return a == b ? a : a + L" \u2013 " + b;
}
