#include "report/engine/docx_document.h"

#include "report/engine/docx_xml.h"
#include "report/engine/image_info.h"

#include <cmath>
#include <cstring>

namespace docengine {

using namespace wml;

namespace {
const char* blank_content_types =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(<Override PartName="/word/settings.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"/>)"
    R"(</Types>)";

const char* blank_package_rels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

const char* blank_document_rels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings" Target="settings.xml"/>)"
    R"(</Relationships>)";

const char* blank_document =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing">)"
    R"(<w:body><w:p/><w:sectPr><w:pgSz w:w="11906" w:h="16838"/>)"
    R"(<w:pgMar w:top="1134" w:right="1134" w:bottom="1134" w:left="1134" w:header="567" w:footer="567" w:gutter="0"/>)"
    R"(</w:sectPr></w:body></w:document>)";

const char* blank_styles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:docDefaults><w:rPrDefault><w:rPr>)"
    R"(<w:rFonts w:ascii="Noto Sans CJK SC" w:hAnsi="Noto Sans CJK SC" w:eastAsia="Noto Sans CJK SC" w:cs="Noto Sans CJK SC"/>)"
    R"(<w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/>)"
    R"(</w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults>)"
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)"
    R"(</w:styles>)";

const char* blank_settings =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:defaultTabStop w:val="720"/><w:compat><w:compatSetting w:name="compatibilityMode" )"
    R"(w:uri="http://schemas.microsoft.com/office/word" w:val="15"/></w:compat></w:settings>)";

// Size in half-points of a style chain, 0 when none sets it.
int style_size(pugi::xml_node styles, const char* style_id, int depth = 0) {
    if (!style_id || !*style_id || depth > 16)
        return 0;
    auto st = styles.find_child_by_attribute("w:style", "w:styleId", style_id);
    if (!st)
        return 0;
    if (auto sz = st.child("w:rPr").child("w:sz"))
        return sz.attribute("w:val").as_int();
    return style_size(styles, st.child("w:basedOn").attribute("w:val").value(), depth + 1);
}

pugi::xml_node drawing_by_id(pugi::xml_node root, int id) {
    return root.find_node(
        [id](pugi::xml_node n) { return is(n, "wp:docPr") && n.attribute("id").as_int() == id; });
}

const char* align_value(int a) {
    switch (a) {
    case 1:
        return "center";
    case 2:
        return "right";
    case 3:
        return "both";
    default:
        return "left";
    }
}
} // namespace

docx_document::docx_document() {
    create_blank();
}

void docx_document::create_blank() {
    pkg_ = docx_package();
    pkg_.set_part_bytes("[Content_Types].xml", blank_content_types);
    pkg_.set_part_bytes("_rels/.rels", blank_package_rels);
    pkg_.set_part_bytes("word/_rels/document.xml.rels", blank_document_rels);
    pkg_.set_part_bytes("word/document.xml", blank_document);
    pkg_.set_part_bytes("word/styles.xml", blank_styles);
    pkg_.set_part_bytes("word/settings.xml", blank_settings);
    max_drawing_id_ = 0;
    sel_ = position();
    home_story();
}

int docx_document::load(const std::string& bytes) {
    docx_package next;
    int rc = next.load(bytes);
    if (rc != 0)
        return rc;
    if (!next.xml(next.main_part()).document_element().child("w:body"))
        return -2;
    pkg_ = std::move(next);
    ensure_root_namespaces();
    scan_drawing_ids();
    sel_ = position();
    home_story();
    return 0;
}

int docx_document::save(const std::string& path) {
    return pkg_.save(path);
}

void docx_document::ensure_root_namespaces() {
    auto root = pkg_.xml(pkg_.main_part()).document_element();
    const std::pair<const char*, const char*> ns[] = {
        {"xmlns:w", ns_w}, {"xmlns:r", ns_r}, {"xmlns:wp", ns_wp}};
    for (const auto& n : ns) {
        if (!root.attribute(n.first))
            root.append_attribute(n.first) = n.second;
    }
}

void docx_document::scan_drawing_ids() {
    max_drawing_id_ = 0;
    std::vector<std::string> parts{pkg_.main_part()};
    for (const auto& r : pkg_.relationships(pkg_.main_part())) {
        if (!r.external && (r.type == rel_type::header || r.type == rel_type::footer))
            parts.push_back(docx_package::resolve_target(pkg_.main_part(), r.target));
    }
    for (const auto& part : parts) {
        if (!pkg_.has_part(part))
            continue;
        pkg_.xml(part).find_node([this](pugi::xml_node n) {
            if (is(n, "wp:docPr"))
                max_drawing_id_ = std::max(max_drawing_id_, n.attribute("id").as_int());
            return false;
        });
    }
}

pugi::xml_node docx_document::body() const {
    auto& self = const_cast<docx_package&>(pkg_);
    return self.xml(self.main_part()).document_element().child("w:body");
}

std::vector<pugi::xml_node> docx_document::lines() const {
    std::vector<pugi::xml_node> out;
    struct walk {
        static void blocks(pugi::xml_node parent, std::vector<pugi::xml_node>& out) {
            for (auto c : parent.children()) {
                if (is(c, "w:p")) {
                    out.push_back(c);
                } else if (is(c, "w:tbl")) {
                    for (auto tr : c.children("w:tr"))
                        out.push_back(tr);
                } else if (is(c, "w:sdt")) {
                    blocks(c.child("w:sdtContent"), out);
                }
            }
        }
    };
    walk::blocks(body(), out);
    return out;
}

void docx_document::locate(pugi::xml_node para, int& line, int& cell, pugi::xml_node& tc) const {
    line = 0;
    cell = -1;
    tc = pugi::xml_node();
    pugi::xml_node b = body();
    pugi::xml_node key = para;
    // The outermost row and cell on the way up to the body decide the line.
    for (auto n = para; n && n != b; n = n.parent()) {
        if (is(n, "w:tc") && is(n.parent(), "w:tr")) {
            tc = n;
            key = n.parent();
        }
    }
    if (tc) {
        int i = 0;
        for (auto c : tc.parent().children("w:tc")) {
            if (c == tc)
                cell = i;
            ++i;
        }
    }
    auto all = lines();
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == key) {
            line = static_cast<int>(i);
            return;
        }
    }
}

void docx_document::place_in_line(pugi::xml_node line, int cell) {
    sel_ = position();
    if (is(line, "w:tr")) {
        std::vector<pugi::xml_node> cells;
        for (auto tc : line.children("w:tc"))
            cells.push_back(tc);
        if (cells.empty()) {
            sel_.para = first_paragraph(line.append_child("w:tc"));
            return;
        }
        int c = cell < 0 ? 0 : std::min<int>(cell, static_cast<int>(cells.size()) - 1);
        sel_.para = first_paragraph(cells[c]);
    } else {
        sel_.para = line;
    }
}

void docx_document::select_cell(pugi::xml_node tc) {
    sel_ = position();
    sel_.para = first_paragraph(tc);
    sel_.cell_selected = true;
}

void docx_document::home_story() {
    auto all = lines();
    if (all.empty()) {
        auto b = body();
        auto sect = b.child("w:sectPr");
        sel_ = position();
        sel_.para = sect ? b.insert_child_before("w:p", sect) : b.append_child("w:p");
        return;
    }
    place_in_line(all.front(), 0);
}

void docx_document::end_story() {
    auto all = lines();
    if (all.empty())
        return home_story();
    sel_ = position();
    auto last = all.back();
    sel_.para = is(last, "w:tr") ? last_paragraph(last.last_child()) : last;
    sel_.offset = paragraph_length(sel_.para);
}

void docx_document::home_line() {
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    sel_.para = tc ? first_paragraph(tc) : sel_.para;
    sel_.offset = 0;
    sel_.cell_selected = sel_.whole_story = false;
}

void docx_document::end_line() {
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    if (sel_.whole_story)
        return end_story();
    if (sel_.cell_selected && tc)
        sel_.para = last_paragraph(tc);
    sel_.offset = paragraph_length(sel_.para);
    sel_.cell_selected = false;
}

int docx_document::move_down(int n) {
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    auto all = lines();
    if (all.empty())
        return 0;
    int target = std::max(0, std::min(line + n, static_cast<int>(all.size()) - 1));
    place_in_line(all[target], cell);
    return target - line;
}

int docx_document::move_cells(int n) {
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    if (!tc)
        return 0;
    pugi::xml_node tr = tc.parent();
    auto count = [](pugi::xml_node row) {
        int k = 0;
        for (auto c : row.children("w:tc"))
            (void)c, ++k;
        return k;
    };
    int idx = cell + n;
    int moved = n;
    while (idx >= count(tr)) {
        auto next = tr.next_sibling("w:tr");
        if (!next) {
            moved -= idx - (count(tr) - 1);
            idx = count(tr) - 1;
            break;
        }
        idx -= count(tr);
        tr = next;
    }
    while (idx < 0) {
        auto prev = tr.previous_sibling("w:tr");
        if (!prev) {
            moved -= idx;
            idx = 0;
            break;
        }
        tr = prev;
        idx += count(tr);
    }
    int i = 0;
    for (auto c : tr.children("w:tc")) {
        if (i++ == idx) {
            select_cell(c);
            break;
        }
    }
    return moved;
}

int docx_document::move_chars(int n) {
    if (sel_.whole_story || sel_.cell_selected) {
        // A first move collapses the selection towards its direction.
        if (n > 0)
            end_line();
        else
            home_line();
        n += n > 0 ? -1 : (n < 0 ? 1 : 0);
    }
    int moved = 0;
    while (n != 0) {
        int len = paragraph_length(sel_.para);
        if (n > 0) {
            int step = std::min(n, len - sel_.offset);
            sel_.offset += step;
            n -= step;
            moved += step;
            auto next = sel_.para.next_sibling("w:p");
            if (n == 0 || !next)
                break;
            sel_.para = next; // the paragraph mark counts as one character
            sel_.offset = 0;
            --n;
            ++moved;
        } else {
            int step = std::min(-n, sel_.offset);
            sel_.offset -= step;
            n += step;
            moved -= step;
            auto prev = sel_.para.previous_sibling("w:p");
            if (n == 0 || !prev)
                break;
            sel_.para = prev;
            sel_.offset = paragraph_length(prev);
            ++n;
            --moved;
        }
    }
    return moved;
}

void docx_document::select_whole_story() {
    home_story();
    sel_.whole_story = true;
}

void docx_document::clear_selection_for_insert() {
    if (sel_.whole_story) {
        auto b = body();
        std::vector<pugi::xml_node> drop;
        for (auto c : b.children()) {
            if (!is(c, "w:sectPr"))
                drop.push_back(c);
        }
        pugi::xml_node keep_ppr = b.child("w:p").child("w:pPr");
        pugi::xml_document saved;
        if (keep_ppr)
            saved.append_copy(keep_ppr);
        for (auto c : drop)
            b.remove_child(c);
        auto sect = b.child("w:sectPr");
        auto p = sect ? b.insert_child_before("w:p", sect) : b.append_child("w:p");
        if (saved.first_child())
            p.append_copy(saved.first_child());
        sel_ = position();
        sel_.para = p;
        return;
    }
    if (sel_.cell_selected) {
        int line, cell;
        pugi::xml_node tc;
        locate(sel_.para, line, cell, tc);
        pugi::xml_node first = first_paragraph(tc);
        std::vector<pugi::xml_node> drop;
        for (auto c : tc.children()) {
            if (c != first && !is(c, "w:tcPr"))
                drop.push_back(c);
        }
        for (auto c : drop)
            tc.remove_child(c);
        drop.clear();
        for (auto c : first.children()) {
            if (!is(c, "w:pPr"))
                drop.push_back(c);
        }
        for (auto c : drop)
            first.remove_child(c);
        sel_ = position();
        sel_.para = first;
    }
}

void docx_document::type_text(const std::wstring& text, double font_size) {
    clear_selection_for_insert();
    auto before = insertion_point(sel_.para, sel_.offset);
    auto rpr = template_run_properties(sel_.para, before);
    auto run = insert_text_run(sel_.para, before, rpr, text, font_size);
    sel_.offset += content_length(run);
}

hresult docx_document::add_picture(const std::string& bytes, int& id) {
    image_info info;
    if (!read_image_info(bytes, info))
        return e_invalidarg;
    clear_selection_for_insert();
    const std::string rid =
        pkg_.add_media(pkg_.main_part(), bytes, info.extension, info.content_type);
    id = ++max_drawing_id_;
    const long long cx = static_cast<long long>(info.width) * 9525;
    const long long cy = static_cast<long long>(info.height) * 9525;
    auto before = insertion_point(sel_.para, sel_.offset);
    pugi::xml_node r =
        before ? sel_.para.insert_child_before("w:r", before) : sel_.para.append_child("w:r");
    auto inl = r.append_child("w:drawing").append_child("wp:inline");
    for (const char* a : {"distT", "distB", "distL", "distR"})
        inl.append_attribute(a) = 0;
    auto ext = inl.append_child("wp:extent");
    ext.append_attribute("cx") = cx;
    ext.append_attribute("cy") = cy;
    auto eff = inl.append_child("wp:effectExtent");
    for (const char* a : {"l", "t", "r", "b"})
        eff.append_attribute(a) = 0;
    const std::string name = "Picture " + std::to_string(id);
    auto doc_pr = inl.append_child("wp:docPr");
    doc_pr.append_attribute("id") = id;
    doc_pr.append_attribute("name") = name.c_str();
    auto locks = inl.append_child("wp:cNvGraphicFramePr").append_child("a:graphicFrameLocks");
    locks.append_attribute("xmlns:a") = ns_a;
    locks.append_attribute("noChangeAspect") = 1;
    auto graphic = inl.append_child("a:graphic");
    graphic.append_attribute("xmlns:a") = ns_a;
    auto data = graphic.append_child("a:graphicData");
    data.append_attribute("uri") = ns_pic;
    auto pic = data.append_child("pic:pic");
    pic.append_attribute("xmlns:pic") = ns_pic;
    auto nv = pic.append_child("pic:nvPicPr");
    auto cnv = nv.append_child("pic:cNvPr");
    cnv.append_attribute("id") = id;
    cnv.append_attribute("name") = ("image" + std::to_string(id) + "." + info.extension).c_str();
    nv.append_child("pic:cNvPicPr");
    auto fill = pic.append_child("pic:blipFill");
    fill.append_child("a:blip").append_attribute("r:embed") = rid.c_str();
    fill.append_child("a:stretch").append_child("a:fillRect");
    auto sp = pic.append_child("pic:spPr");
    auto xfrm = sp.append_child("a:xfrm");
    auto off = xfrm.append_child("a:off");
    off.append_attribute("x") = 0;
    off.append_attribute("y") = 0;
    auto aext = xfrm.append_child("a:ext");
    aext.append_attribute("cx") = cx;
    aext.append_attribute("cy") = cy;
    auto geom = sp.append_child("a:prstGeom");
    geom.append_attribute("prst") = "rect";
    geom.append_child("a:avLst");
    sel_.offset += 1;
    return s_ok;
}

pugi::xml_node docx_document::find_drawing(int id) const {
    // A picture is sized right after it was added at the caret: its own
    // paragraph is searched first, which keeps sizing a long document's
    // pictures from walking the whole body each time.
    if (auto near = drawing_by_id(sel_.para, id))
        return near;
    return drawing_by_id(body(), id);
}

bool docx_document::set_picture_size(int id, double width_pt, double height_pt) {
    auto doc_pr = find_drawing(id);
    if (!doc_pr)
        return false;
    auto inl = doc_pr.parent();
    auto aext = inl.find_node([](pugi::xml_node n) { return is(n, "a:ext"); });
    for (auto n : {inl.child("wp:extent"), aext}) {
        if (!n)
            continue;
        if (width_pt >= 0)
            n.attribute("cx") = static_cast<long long>(std::llround(width_pt * emu_per_point));
        if (height_pt >= 0)
            n.attribute("cy") = static_cast<long long>(std::llround(height_pt * emu_per_point));
    }
    return true;
}

bool docx_document::picture_size(int id, double& width_pt, double& height_pt) {
    auto doc_pr = find_drawing(id);
    if (!doc_pr)
        return false;
    auto ext = doc_pr.parent().child("wp:extent");
    width_pt = ext.attribute("cx").as_llong() / double(emu_per_point);
    height_pt = ext.attribute("cy").as_llong() / double(emu_per_point);
    return true;
}

int docx_document::picture_count() const {
    int n = 0;
    body().find_node([&n](pugi::xml_node c) {
        if (is(c, "wp:inline"))
            ++n;
        return false;
    });
    return n;
}

int docx_document::insert_rows_below(int n) {
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    if (!tc || n <= 0)
        return 0;
    pugi::xml_node tr = tc.parent();
    pugi::xml_document holder;
    pugi::xml_node pattern = holder.append_copy(tr);
    // Copies of a heading row are ordinary rows.
    pattern.child("w:trPr").remove_child("w:tblHeader");
    for (auto c : pattern.children("w:tc")) {
        pugi::xml_document keep;
        if (auto ppr = c.child("w:p").child("w:pPr"))
            keep.append_copy(ppr);
        std::vector<pugi::xml_node> drop;
        for (auto child : c.children())
            if (!is(child, "w:tcPr"))
                drop.push_back(child);
        for (auto child : drop)
            c.remove_child(child);
        auto p = c.append_child("w:p");
        if (keep.first_child())
            p.append_copy(keep.first_child());
    }
    pugi::xml_node after = tr;
    pugi::xml_node first;
    for (int i = 0; i < n; ++i) {
        after = tr.parent().insert_copy_after(pattern, after);
        if (!first)
            first = after;
    }
    sel_ = position();
    sel_.para = first_paragraph(first.child("w:tc"));
    return n;
}

hresult docx_document::insert_break(int type) {
    if (type != 6 && type != 7 && type != 8)
        return e_invalidarg;
    if (sel_.cell_selected || sel_.whole_story)
        end_line();
    auto before = insertion_point(sel_.para, sel_.offset);
    pugi::xml_node r =
        before ? sel_.para.insert_child_before("w:r", before) : sel_.para.append_child("w:r");
    auto br = r.append_child("w:br");
    if (type == 7)
        br.append_attribute("w:type") = "page";
    else if (type == 8)
        br.append_attribute("w:type") = "column";
    sel_.offset += 1;
    return s_ok;
}

void docx_document::set_alignment(int a) {
    std::vector<pugi::xml_node> paras;
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    if (sel_.whole_story) {
        body().find_node([&paras](pugi::xml_node n) {
            if (is(n, "w:p"))
                paras.push_back(n);
            return false;
        });
    } else if (sel_.cell_selected && tc) {
        for (auto p : tc.children("w:p"))
            paras.push_back(p);
    } else {
        paras.push_back(sel_.para);
    }
    for (auto p : paras) {
        auto jc = ensure_paragraph_property(ensure_first_child(p, "w:pPr"), "w:jc");
        jc.remove_attribute("w:val");
        jc.append_attribute("w:val") = align_value(a);
    }
}

int docx_document::alignment() const {
    std::string v = sel_.para.child("w:pPr").child("w:jc").attribute("w:val").value();
    if (v == "center")
        return 1;
    if (v == "right" || v == "end")
        return 2;
    if (v == "both")
        return 3;
    return 0;
}

double docx_document::font_size() const {
    auto before = insertion_point(sel_.para, sel_.offset);
    auto rpr = template_run_properties(sel_.para, before);
    if (auto sz = rpr.child("w:sz"))
        return sz.attribute("w:val").as_int() / 2.0;
    auto& self = const_cast<docx_package&>(pkg_);
    pugi::xml_node styles;
    for (const auto& r : self.relationships(self.main_part())) {
        if (r.type == rel_type::styles)
            styles = self.xml(docx_package::resolve_target(self.main_part(), r.target))
                         .document_element();
    }
    std::string style = sel_.para.child("w:pPr").child("w:pStyle").attribute("w:val").value();
    if (style.empty()) {
        auto def = styles.find_node([](pugi::xml_node n) {
            return is(n, "w:style") && std::string(n.attribute("w:type").value()) == "paragraph" &&
                   n.attribute("w:default").as_bool();
        });
        style = def.attribute("w:styleId").value();
    }
    if (int half = style_size(styles, style.c_str()))
        return half / 2.0;
    if (auto sz = styles.child("w:docDefaults").child("w:rPrDefault").child("w:rPr").child("w:sz"))
        return sz.attribute("w:val").as_int() / 2.0;
    return 10.0;
}

std::wstring docx_document::selection_text() const {
    if (!sel_.cell_selected && !sel_.whole_story)
        return std::wstring();
    std::wstring out;
    if (sel_.whole_story) {
        for (auto l : lines()) {
            if (is(l, "w:p")) {
                out += paragraph_text(l) + L"\r";
            } else {
                for (auto tc : l.children("w:tc"))
                    for (auto p : tc.children("w:p"))
                        out += paragraph_text(p) + L"\r";
            }
        }
        return out;
    }
    for (auto p : sel_.para.parent().children("w:p"))
        out += paragraph_text(p) + L"\r";
    return out;
}

} // namespace docengine
