#include "ui/detail/detail_edit.h"

#include <cmath>

bool distance_changed(double a, double b) {
    return std::fabs(a - b) > detail_distance_tolerance;
}

static bool param_differs(double a, double b) {
    return std::fabs(a - b) > detail_gas_param_tolerance;
}

bool gas_leak_params_differ(const data_info& a, const data_info& b) {
    return param_differs(a.gasleak_rect, b.gasleak_rect) ||
           param_differs(a.gasleak_power_ratio, b.gasleak_power_ratio) ||
           param_differs(a.gasleak_energy_cost, b.gasleak_energy_cost) ||
           param_differs(a.gasleak_gas_cost, b.gasleak_gas_cost) ||
           a.gasleak_unit_mode != b.gasleak_unit_mode || a.gasleak_currency != b.gasleak_currency;
}

int detail_level_from_checks(int app_type, const detail_level_checks& checks) {
    if (app_type == 0)
        return checks[1] && !checks[0] ? 1 : 0;
    if (app_type == 2) {
        for (int i = 0; i < detail_level_count; ++i)
            if (checks[i])
                return i;
        return 0;
    }
    return -1;
}

detail_level_checks detail_checks_from_record(const data_info& d) {
    detail_level_checks c{};
    if (d.app_type == 0 && (d.valid_type == 0 || d.valid_type == 1))
        c[d.valid_type] = true;
    else if (d.app_type == 2 && d.discharge >= 0 && d.discharge < detail_level_count)
        c[d.discharge] = true;
    return c;
}

detail_changes compare_detail_edit(const detail_form_values& form, const data_info& edited,
                                   const data_info& stored, int stored_start_frame,
                                   const std::string& stored_time) {
    detail_changes c;
    c.name = form.name != stored.data_name;
    c.note = form.note != stored.data_note;
    c.time = form.time != stored_time;
    c.distance = distance_changed(form.distance, stored.distance);
    c.start_frame = form.start_frame != stored_start_frame;
    c.gas_leak = gas_leak_params_differ(edited, stored);
    const int level = detail_level_from_checks(stored.app_type, form.levels);
    if (stored.app_type == 0)
        c.level = level != stored.valid_type;
    else if (stored.app_type == 2)
        c.level = level != stored.discharge;
    c.favorite = form.favorite != (stored.favorite == 1);
    return c;
}

void apply_form_to_record(const detail_form_values& form, data_info& d) {
    d.data_name = form.name;
    d.data_note = form.note;
    d.distance = form.distance;
    const int level = detail_level_from_checks(d.app_type, form.levels);
    if (d.app_type == 0)
        d.valid_type = level;
    else if (d.app_type == 2)
        d.discharge = level;
    d.favorite = form.favorite ? 1 : 0;
    d.dd_start_frame_idx = form.start_frame;
}
