#pragma once
// WordprocessingML helpers shared by the document model: character counting,
// run splitting, run creation and schema-ordered property insertion.
// Threading: pure functions on the nodes they are given.

#include <pugixml.hpp>

#include <string>

namespace docengine {
namespace wml {

constexpr const char* ns_w = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* ns_r = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* ns_wp =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
constexpr const char* ns_a = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* ns_pic = "http://schemas.openxmlformats.org/drawingml/2006/picture";
constexpr long long emu_per_point = 12700;

bool is(pugi::xml_node n, const char* name);
// Characters a paragraph child (run, hyperlink, ...) contributes.
int content_length(pugi::xml_node n);
int paragraph_length(pugi::xml_node p);
bool paragraph_has_content(pugi::xml_node p);
std::wstring paragraph_text(pugi::xml_node p);
// Node of p before which content at offset goes (empty: append). Splits a
// run that the offset falls inside.
pugi::xml_node insertion_point(pugi::xml_node p, int offset);
// Run properties that new content at the insertion point should carry.
pugi::xml_node template_run_properties(pugi::xml_node p, pugi::xml_node before);
// Builds a run of text after a copy of rpr (may be empty); tabs and line
// feeds become tab and break elements, characters XML cannot hold are dropped.
pugi::xml_node insert_text_run(pugi::xml_node p, pugi::xml_node before, pugi::xml_node rpr,
                               const std::wstring& text, double font_size);
// Child of props named name, created in its schema position when missing.
pugi::xml_node ensure_run_property(pugi::xml_node rpr, const char* name);
pugi::xml_node ensure_paragraph_property(pugi::xml_node ppr, const char* name);
pugi::xml_node ensure_first_child(pugi::xml_node parent, const char* name);
void set_font_size(pugi::xml_node rpr, double points);

pugi::xml_node first_paragraph(pugi::xml_node container);
pugi::xml_node last_paragraph(pugi::xml_node container);
std::string to_utf8(const std::wstring& s);
std::wstring from_utf8(const std::string& s);

} // namespace wml
} // namespace docengine
