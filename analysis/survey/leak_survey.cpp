#include "analysis/survey/leak_survey.h"

#include "analysis/datafile/data_file.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <map>
#include <mutex>
#include <numeric>

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

bool read_survey_item(data_info& d) {
    return read_data_item(d) == 0;
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
    for (data_info& d : current) {
        // An item whose Data.dat cannot be read has no measurement mode: it
        // is counted among the other items, never taken for a leak.
        if (!read_survey_item(d))
            d.sign_mode = 0;
    }
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
