#pragma once
// A word-processing document and its selection, modelled on lines: every
// top-level paragraph of the body is one line and every table row is one
// line, in document order. The selection is a caret (paragraph + character
// offset), the whole content of one table cell, or the whole story.
// Threading: one thread at a time per document; the clipboard shared by
// Cut and Paste takes its own lock.

#include "report/engine/automation.h"
#include "report/engine/docx_package.h"

#include <pugixml.hpp>

#include <string>

namespace docengine {

class docx_document {
public:
    docx_document();

    // Opens package bytes: 0, -1 unreadable archive, -2 no usable document.
    int load(const std::string& bytes);
    // A new empty A4 document.
    void create_blank();
    // 0 or an error number.
    int save(const std::string& path);

    // Selection movements. Units follow the word-processor codes: 1
    // character, 5 line, 6 story, 12 cell. Each returns how far it moved.
    void home_story();
    void end_story();
    void home_line();
    void end_line();
    int move_down(int lines);
    int move_cells(int cells); // positive right, negative left
    int move_chars(int chars); // positive right, negative left
    void select_whole_story();

    // Replaces the selection (or inserts at the caret) with a run of text.
    // font_size in points; 0 keeps the size of the surrounding text.
    void type_text(const std::wstring& text, double font_size);
    // Inserts an inline picture at its natural size (96 dpi) at the caret;
    // id receives its drawing id. e_invalidarg when bytes are no picture.
    hresult add_picture(const std::string& bytes, int& id);
    // Sets the size in points of a picture by drawing id (negative keeps).
    bool set_picture_size(int id, double width_pt, double height_pt);
    bool picture_size(int id, double& width_pt, double& height_pt);
    // Inserts n empty copies of the selection's table row below it: cell
    // and paragraph formatting stay, content does not. The caret goes to the
    // first cell of the first new row. Returns the rows inserted (0 outside
    // a table).
    int insert_rows_below(int n);
    // 7 page break, 6 line break, 8 column break.
    hresult insert_break(int type);
    // Whole story or one cell to the process clipboard; e_fail when the
    // selection is a bare caret.
    hresult cut();
    // Inserts the clipboard at the caret, bringing pictures, styles and (into
    // an empty document) page setup, headers and footers along.
    hresult paste();

    // Paragraph alignment of the selection: 0 left, 1 centre, 2 right, 3 justify.
    void set_alignment(int alignment);
    int alignment() const;
    // Size in points of the text at the caret.
    double font_size() const;
    // Text of the selection ("" for a caret); paragraphs end in '\r'.
    std::wstring selection_text() const;
    // Number of inline pictures in the body.
    int picture_count() const;

    docx_package& package() { return pkg_; }

private:
    friend struct clipboard_ops;
    struct position {
        pugi::xml_node para;
        int offset = 0;
        bool cell_selected = false;
        bool whole_story = false;
    };

    pugi::xml_node body() const;
    std::vector<pugi::xml_node> lines() const;
    // Line index and cell index (-1 outside tables) of a paragraph.
    void locate(pugi::xml_node para, int& line, int& cell, pugi::xml_node& tc) const;
    void place_in_line(pugi::xml_node line, int cell);
    void select_cell(pugi::xml_node tc);
    // Turns a cell or story selection into a caret where new content goes.
    void clear_selection_for_insert();
    void scan_drawing_ids();
    pugi::xml_node find_drawing(int id) const;
    void ensure_root_namespaces();

    docx_package pkg_;
    position sel_;
    int max_drawing_id_ = 0;
    // Page setup taken over by the last paste that brought one (empty when
    // none did): pasted content with another setup gets a section of its own.
    std::string setup_signature_;
};

} // namespace docengine
