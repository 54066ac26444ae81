#pragma once
// Sample report inputs: a data item with plausible values and drawn
// pictures, the dataset record and the header fields. Used by the
// fill-template command, the report tests and the benchmark.
// Threading: any thread (pictures are drawn on QImage, no widgets).

#include "report/report_filler.h"

#include <string>

struct report_sample {
    data_info item;
    import_data_info dataset;
    report_header_fields fields;
};

// Values for item `index` of a sample run; leak selects a gas-leak item.
// chinese gives Chinese texts. item.data_dir is item_dir.
report_sample make_report_sample(const std::wstring& item_dir, bool leak, bool chinese, int index);
// Writes grab.jpg and report_spectrum.jpg into item_dir, and with all_four
// also grab_raw.jpg and report_prpd.jpg. 0, or -1 when a file cannot be written.
int write_sample_pictures(const std::wstring& item_dir, bool all_four, int index);
