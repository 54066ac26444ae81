#pragma once
// Fills one report document: moves the word processor's selection through a
// template copy and types the item's values or inserts its pictures. The
// caller opens the copy (word_open_template_copy) and finishes it.
// A run: word_com_initialize; word_start_combined_document; per item
// write_template_copy (or reuse the written copy when combining),
// word_open_template_copy, fill_report_document, word_finish_item; then
// word_finish_combined_document and word_com_uninitialize.
// Threading: the thread that owns the automation state (the report task).

#include "report/word_automation.h"
#include "store/records.h"

#include <string>
#include <vector>

// Report templates carried in the resources.
extern const wchar_t* const report_template_general_zh; // ":/Halvix/Resources/t.docx"
extern const wchar_t* const report_template_leak_zh;    // ":/Halvix/Resources/t_leak.docx"
extern const wchar_t* const report_template_general_en; // ":/Halvix/Resources/t_en.docx"
extern const wchar_t* const report_template_leak_en;    // ":/Halvix/Resources/t_leak_en.docx"
std::vector<std::wstring> report_template_resources();
// The template for an item: gas leak when sign_mode is 2; Chinese when lang_id is 1.
std::wstring report_template_for(const data_info& item, int lang_id);
// Writes the template resource (":/Halvix/Resources/...") byte for byte to
// path. 0, or -1 when the resource is missing or the file cannot be written.
int write_template_copy(const std::wstring& resource, const std::wstring& path);

// The report header fields, as plain values (the caller reads them from the
// configuration and translates the fixed words).
struct report_header_fields {
    std::wstring test_purpose; // text of the chosen purpose
    std::wstring location;
    double temperature = 20.0;     // degrees
    std::wstring temperature_unit; // e.g. L"\u00b0C"
    std::wstring working_condition;
    double humidity = 50.0; // percent
    std::wstring inspector;
    std::wstring weather;
    std::wstring test_result;
    std::wstring advice;
    std::wstring work_unit;
    std::wstring department;
    std::wstring telephone;
    std::wstring today; // "yyyy-mm-dd"; empty: the local date when filling
};

// Device model text of the general template.
std::wstring report_device_model(const data_info& item);
// Font size in points for the dataset name in the gas-leak title: at most
// 22, smaller for longer names, never below 2.
int report_title_font_size(const std::wstring& name);

// General template; genuine selects the navigation of the genuine word
// processor (is_msword), otherwise the substitute suite's.
void fill_general(const word_item_document& doc, const data_info& item,
                  const import_data_info& dataset, const report_header_fields& fields,
                  bool genuine);
// Gas-leak template (the same navigation for both suites).
void fill_leak(const word_item_document& doc, const data_info& item,
               const import_data_info& dataset, const report_header_fields& fields);
// Chooses by sign_mode, fills and logs "reporter %s %.2f" with the time taken.
void fill_report_document(const word_item_document& doc, const data_info& item,
                          const import_data_info& dataset, const report_header_fields& fields,
                          bool genuine);
