#pragma once
// Exports of a leak survey: the CSV table (one row per leak, totals rows,
// units in the header) and the Word document filled through the document
// engine from the survey template of the chosen language (title, data set,
// date, parameters, the ranked table with each leak's picture as a small
// thumbnail, and the totals). Texts are translated in the context
// "survey_export" with the translator installed.
// Threading: any thread. write_survey_report() creates its own automation
// application and leaves the report task's shared state alone, so it may run
// while no other thread fills the same document.

#include "analysis/survey/leak_survey.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- CSV ----

// The header row, the leaks in rank order and the totals rows.
std::string survey_csv_text(const leak_survey& s);
// Replaces the file at path (the old file stays until the new one is on
// disk). 0 or errno.
int write_survey_csv(const leak_survey& s, const std::wstring& path);

// ---- Word document ----

extern const wchar_t* const survey_template_zh; // ":/Halvix/Resources/t_survey.docx"
extern const wchar_t* const survey_template_en; // ":/Halvix/Resources/t_survey_en.docx"
// Chinese when lang_id is 1, English otherwise.
const wchar_t* survey_template_for(int lang_id);

// Thumbnail size in the ranked table, points, and of its picture, pixels.
constexpr int survey_thumb_width_pt = 48;
constexpr int survey_thumb_height_pt = 36;
constexpr int survey_thumb_width_px = 128;
constexpr int survey_thumb_height_px = 96;

// A leak's picture as a small JPEG: grab.jpg, or the first picture stored in
// Data.dat when there is none. Empty when the item has no picture.
std::string survey_thumbnail(const data_info& d);

struct survey_report_options {
    int lang_id = 0;
    std::wstring dataset_name;
    std::wstring date; // shown as given; empty: today, "yyyy-MM-dd"
};

struct survey_report_outcome {
    int result = 0; // 0, or an error number (nothing was written then)
    bool aborted = false;
    int leaks = 0;    // rows written
    int pictures = 0; // thumbnails placed
    // Seconds: thumbnails, filling, saving.
    double t_pictures = 0;
    double t_fill = 0;
    double t_save = 0;
};

// Writes the survey document to path (replaced only when the whole document
// is on disk). progress runs from 0 to 1; abort is polled between leaks.
survey_report_outcome write_survey_report(const leak_survey& s, const std::wstring& path,
                                          const survey_report_options& options,
                                          const std::function<void(double)>& progress = nullptr,
                                          const std::atomic<uint8_t>* abort = nullptr);
