#pragma once
// The leak survey of a data set: every gas-leak item with the values the
// detail view shows for it (Data.dat header, note.json and data_edit.json
// applied, then the gas-leak estimate), its yearly energy and CO2, the items
// ranked by yearly cost, and totals that count only finite values.
// Threading: any thread; plain values and functions without shared state.

#include "analysis/gas_leak.h"
#include "store/records.h"

#include <QMetaType>

#include <string>
#include <vector>

// Hours in the year the energy figures are counted over.
constexpr double survey_hours_per_year = 8760;
// Litres in a cubic foot, as the estimate converts its CFM rates.
constexpr double survey_litres_per_cubic_foot = 28.3185;

// One gas-leak item of the survey.
struct survey_leak {
    data_info item;          // the item's current values, estimate included
    int source = -1;         // index into the items the survey was built from
    int rank = 0;            // 1 = highest yearly cost
    double level_1m = 0;     // dB, the level referred to 1 m
    double rate_lpm = 0;     // leak rate in L/min (CFM items converted)
    bool has_energy = false; // power ratio above 0
    double energy_kwh = 0;   // per year; 0 without a power ratio
    double co2_kg = 0;       // per year; 0 without a power ratio
    // A distance of 0 or below: the estimate takes the detail view's 0.3 m.
    bool distance_substituted = false;
    // Every value is a finite number: the leak is part of the totals.
    bool counted = false;
};

// Yearly cost of the counted leaks of one currency ("" for none given).
struct survey_cost_total {
    std::wstring currency;
    double cost = 0;
    int leaks = 0;
};

struct survey_totals {
    double rate_lpm = 0;
    double energy_kwh = 0;
    double co2_kg = 0;
    int energy_leaks = 0;                 // counted leaks with a power ratio
    std::vector<survey_cost_total> costs; // highest total first; never summed across currencies
    int counted = 0;                      // leaks in the totals
    int left_out = 0;                     // listed leaks whose values are not all finite
};

struct leak_survey {
    std::vector<survey_leak> leaks; // in rank order when built
    int items = 0;                  // data items looked at
    int other_items = 0;            // items not recorded in gas-leak mode: counted, not listed
    double co2_kg_per_kwh = 0.4;
    survey_totals totals;
};

Q_DECLARE_METATYPE(leak_survey)

// Registers leak_survey for queued signals. Any thread, any number of times.
void register_survey_meta_types();

// Reads an item's current values: the Data.dat header and, for a gas-leak
// item, note.json and data_edit.json (the other items are only counted).
// True when the header could be read.
bool read_survey_item(data_info& d);

// The survey figures of one item whose current values are in d (the
// estimate is run here and stored in d).
survey_leak evaluate_survey_leak(const data_info& d, double co2_kg_per_kwh);

// Builds the survey of items (database rows; their files are read here).
leak_survey build_leak_survey(const std::vector<data_info>& items, double co2_kg_per_kwh);
// The same for items whose current values are already read.
leak_survey survey_from_items(const std::vector<data_info>& current, double co2_kg_per_kwh);

// Ranks by yearly cost, highest first (costs that are not finite last; ties by
// leak rate, then time), setting each leak's rank. With reorder the leaks
// are also put in rank order; otherwise they keep their places.
void rank_survey(leak_survey& s, bool reorder);
survey_totals survey_totals_of(const std::vector<survey_leak>& leaks);

// Reads the leak's item files again (after an edit) and updates its figures,
// the ranks and the totals; the leaks keep their places. False when no leak
// has this directory.
bool refresh_survey_leak(leak_survey& s, const std::wstring& data_dir);
// The same for every leak (ranks and totals once).
void refresh_survey(leak_survey& s);
// Another emission factor: every CO2 figure and the totals.
void set_survey_co2_factor(leak_survey& s, double co2_kg_per_kwh);

// ---- Texts shared by the window, the exports and the command line ----

// The name an item is listed under: its data name, or its directory name.
std::wstring survey_item_name(const data_info& d);
// "L/min", or "CFM" for unit mode 1.
std::wstring survey_rate_unit(const data_info& d);
// A number with the given decimals; "—" when it is not finite.
std::wstring survey_number(double v, int decimals);
// Leak rate with its unit ("12.3 L/min", "0.43 CFM").
std::wstring survey_rate_text(const survey_leak& l);
// Yearly cost with its currency ("1234.5 CNY").
std::wstring survey_cost_text(double cost, const std::wstring& currency);
// A parameter over the counted leaks: "1.20", or "0.80 – 1.20" when the
// leaks differ; "—" when there is none. field picks the value of an item.
std::wstring survey_range_text(const leak_survey& s, double (*field)(const data_info&),
                               int decimals);
