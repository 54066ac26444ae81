#pragma once
// What the data detail view compares and stores when the user applies edits:
// the form's values, the rules that decide whether a value changed, and the
// level mapping per writer. No widgets.
// Threading: any thread; plain functions.

#include "store/records.h"

#include <array>
#include <string>

// A distance edit smaller than this is the spin box's rounding, not a change.
constexpr double detail_distance_tolerance = 0.05;
// Gas-leak parameters closer than this are equal.
constexpr double detail_gas_param_tolerance = 1e-6;

// Level buttons of the form, in order: "Normal", the second level
// ("Check" or "Attention"), "General Defect", "Severe Defect", "Critical Defects".
constexpr int detail_level_count = 5;
using detail_level_checks = std::array<bool, detail_level_count>;

// What the form shows when the user presses Apply.
struct detail_form_values {
    std::wstring name;
    std::wstring note;
    std::string time;
    double distance = 0;
    detail_level_checks levels{};
    bool favorite = false;
    int start_frame = 0;
};

// Which groups of values differ from what is stored.
struct detail_changes {
    bool name = false;
    bool note = false;
    bool time = false;
    bool distance = false;
    bool start_frame = false;
    bool level = false;
    bool favorite = false;
    bool gas_leak = false;

    // Anything data_edit.json holds.
    bool edit_file() const { return name || note || time || distance || gas_leak; }
    // Anything note.json holds.
    bool note_file() const { return level || favorite; }
    bool any() const { return edit_file() || note_file() || start_frame; }
};

bool distance_changed(double a, double b);
// Any of the six gas-leak parameters differ (numbers beyond the tolerance,
// unit mode or currency text).
bool gas_leak_params_differ(const data_info& a, const data_info& b);

// The level the buttons stand for, for writer app_type: writer 0 stores 0
// ("Normal") or 1 (second button) in valid_type, writer 2 the index of the
// first checked button (0 when none) in discharge. -1 for writers without
// level buttons.
int detail_level_from_checks(int app_type, const detail_level_checks& checks);
// Which button the stored level checks (all unchecked when none applies).
detail_level_checks detail_checks_from_record(const data_info& d);

// Compares the form and the record's gas-leak parameters (edited) with
// what the item's files and database row hold (stored). stored_start_frame
// and stored_time are the database row's values.
detail_changes compare_detail_edit(const detail_form_values& form, const data_info& edited,
                                   const data_info& stored, int stored_start_frame,
                                   const std::string& stored_time);

// Copies the form into the record: name, note, distance, level (valid_type
// for writer 0, discharge for writer 2), favourite and start frame.
void apply_form_to_record(const detail_form_values& form, data_info& d);
