#pragma once
// Word-processor automation layer: the generic late-bound call AutoWrap, the
// one-line selection wrappers the report filler uses, the document handling
// (combined document, template copies, finishing) and the start-up check.
// The automation server is the in-process document engine registered as
// "Word.Application".
// Threading: one report task at a time owns the process-wide state; the
// start-up check may run on the UI thread while no report runs.

#include "report/engine/automation.h"

#include <string>
#include <utility>
#include <vector>

using docengine::dispatch_ptr;
using docengine::variant;

constexpr int DISPATCH_METHOD = docengine::dispatch_method;
constexpr int DISPATCH_PROPERTYGET = docengine::dispatch_propertyget;
constexpr int DISPATCH_PROPERTYPUT = docengine::dispatch_propertyput;

// The generic call: flags (method 1, property get 2, property put 4), result
// (may be null), dispatch, member name, argument count and the arguments,
// last parameter first. Failures are logged; returns the result code.
uint32_t AutoWrapv(int flags, variant* result, const dispatch_ptr& disp, const std::wstring& name,
                   int count, const variant* args);

template <class... A>
uint32_t AutoWrap(int flags, variant* result, const dispatch_ptr& disp, const wchar_t* name,
                  int count, A&&... args) {
    const variant list[] = {variant(std::forward<A>(args))..., variant()};
    const int given = static_cast<int>(sizeof...(A));
    return AutoWrapv(flags, result, disp, name, count < given ? count : given, list);
}

// Word-processor unit codes used by the wrappers.
constexpr int word_unit_character = 1;
constexpr int word_unit_line = 5;
constexpr int word_unit_story = 6;
constexpr int word_unit_cell = 12;

// Selection wrappers.
void word_move_down(const dispatch_ptr& selection, int n);
void word_home_story(const dispatch_ptr& selection);
void word_home_line(const dispatch_ptr& selection);
void word_end_line(const dispatch_ptr& selection);
void word_move_right_cells(const dispatch_ptr& selection, int n);
void word_move_right_chars(const dispatch_ptr& selection, int n);
void word_move_left_cells(const dispatch_ptr& selection, int n);
void word_type_text(const dispatch_ptr& selection, const std::wstring& text);
// Narrow text in the system code page (UTF-8 here), converted into buffer
// (at most 2,048 wide characters, longer text is cut) before the call.
void word_type_text(const dispatch_ptr& selection, const char* text, std::wstring& buffer);
void word_add_picture(const dispatch_ptr& inline_shapes, const std::wstring& path);
// Width and height in points.
void word_add_picture(const dispatch_ptr& inline_shapes, const std::wstring& path, int width,
                      int height);

// Process-wide automation state.
struct word_automation_state {
    dispatch_ptr app;
    dispatch_ptr documents;
    dispatch_ptr document;  // the combined document
    dispatch_ptr selection; // its selection
    bool combine = false;   // a combined document is open
    bool visible = false;   // show the application during a report
    int items = 0;          // items pasted into the combined document
};
extern word_automation_state word_state;
// True when the automation server is the genuine word processor (its "Path"
// has no "wps"); selects the navigation variant of the report filler.
extern bool is_msword;

// The dispatch pointers of one template copy being filled.
struct word_item_document {
    dispatch_ptr app;
    dispatch_ptr documents;
    dispatch_ptr document;
    dispatch_ptr selection;
    dispatch_ptr font;
    dispatch_ptr inline_shapes;
    dispatch_ptr paragraph_format;
    bool own_app = false; // created for this item, quit when it is finished
};

// Per-thread automation set-up and release (always succeeds here).
int word_com_initialize();
void word_com_uninitialize();

// Creates the application, adds a document and saves it as path; sets the
// combine flag. 0, or -1 when no application could be created.
int word_start_combined_document(const std::wstring& path, bool combine);
// Opens a template copy into item. 0, or -1 when no application exists.
int word_open_template_copy(const std::wstring& path, word_item_document& item);
// Centres the current paragraph, then moves the item into the combined
// document (page break first when page_break and an item is already there;
// nothing when the item could not be cut) or saves it; releases item.
// 0 when the item reached the combined document or was saved, otherwise the
// failing call's result code.
uint32_t word_finish_item(word_item_document& item, bool page_break);
// Saves the combined document, quits and clears the state. 0 or the result
// code of the failed save.
uint32_t word_finish_combined_document();

// Start-up check: 0 when a word processor can be automated and opens every
// given template, -1 when "Word.Application" is unknown or gives no instance,
// -3 when the instance cannot be created or cannot open a template. Sets
// is_msword.
int reporter_checker(const std::vector<std::wstring>& templates);
int reporter_checker();
