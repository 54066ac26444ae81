#pragma once
// Gas-leak estimate from a measured sound pressure level and distance.
// Threading: any thread; pure function.

struct gas_leak_result {
    double cost = 0;  // per year, in the currency of the prices
    double level = 0; // at least 1
    double rate = 0;  // L/min, or CFM when unit_mode is 1
};

// spl in dB, distance in m (10 dB per doubling refers the level to 1 m).
// A distance of 0 or below (NaN too) is taken as 0.3 m, the shortest
// distance the detail view accepts, so the estimate stays finite.
gas_leak_result calc_gas_leak(double spl, double distance, double rect, int unit_mode,
                              double power_ratio, double energy_cost, double gas_cost);

// The level referred to 1 m: spl + 10*log2(distance), with the same 0.3 m
// stand-in for a distance of 0 or below.
double spl_at_one_metre(double spl, double distance);
