#include "analysis/gas_leak.h"

#include <cmath>

namespace {
constexpr double shortest_distance = 0.3; // m, the detail view's lower bound
} // namespace

double spl_at_one_metre(double spl, double distance) {
    if (!(distance > 0))
        distance = shortest_distance;
    return spl + 10.0 * std::log2(distance);
}

gas_leak_result calc_gas_leak(double spl, double distance, double rect, int unit_mode,
                              double power_ratio, double energy_cost, double gas_cost) {
    constexpr double minutes_per_year = 525600;
    gas_leak_result r;
    const double level_1m = spl_at_one_metre(spl, distance);
    r.rate = 0.165 * std::exp(0.0578 * level_1m) * rect;
    r.level = (level_1m - 34) / 7;
    if (r.level < 1)
        r.level = 1;
    if (unit_mode == 1) {
        r.rate /= 28.3185;
        r.cost = r.rate * (power_ratio * 87.6 * energy_cost + gas_cost * minutes_per_year);
    } else {
        r.cost = r.rate * (power_ratio * 8.76 * energy_cost + gas_cost * minutes_per_year);
    }
    return r;
}
