// Cut and paste between documents through one process-wide clipboard. The
// clipboard holds copies of the cut blocks together with everything they
// reference in their package (pictures, hyperlinks, styles) and the source's
// page setup with its headers and footers, so pasting into another package
// yields a self-contained, valid document.

#include "report/engine/docx_document.h"

#include "report/engine/docx_xml.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace docengine {

using namespace wml;

namespace {
const char* ct_header = "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml";
const char* ct_footer = "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml";
const char* ct_styles = "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml";

struct clip_rel {
    std::string id;
    std::string type;
    std::string target;
    bool external = false;
    std::string bytes; // media content for internal targets
    std::string extension;
    std::string content_type;
};

struct clip_part {
    bool header = true;
    std::string ref_type; // default, first, even
    std::string xml;
    std::vector<clip_rel> rels;
};

struct clipboard {
    std::mutex lock;
    bool filled = false;
    pugi::xml_document blocks; // <clip> holding the cut block elements
    std::vector<clip_rel> rels;
    pugi::xml_document styles;
    pugi::xml_document sect;
    std::vector<clip_part> parts;
};

clipboard& the_clipboard() {
    static clipboard c;
    return c;
}

std::string extension_of(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string content_type_for(docx_package& pkg, const std::string& part) {
    auto types = pkg.xml("[Content_Types].xml").document_element();
    const std::string full = "/" + part;
    for (auto o : types.children("Override")) {
        if (full == o.attribute("PartName").value())
            return o.attribute("ContentType").value();
    }
    const std::string ext = extension_of(part);
    for (auto d : types.children("Default")) {
        if (ext == d.attribute("Extension").value())
            return d.attribute("ContentType").value();
    }
    return "application/octet-stream";
}

bool is_rel_attribute(const pugi::xml_attribute& a) {
    return std::strncmp(a.name(), "r:", 2) == 0;
}

// Relationships of source referenced anywhere under root.
std::vector<clip_rel> collect_rels(docx_package& pkg, const std::string& source,
                                   pugi::xml_node root) {
    std::map<std::string, clip_rel> found;
    auto all = pkg.relationships(source);
    root.find_node([&](pugi::xml_node n) {
        for (auto a : n.attributes()) {
            if (!is_rel_attribute(a) || found.count(a.value()))
                continue;
            for (const auto& r : all) {
                if (r.id != a.value())
                    continue;
                clip_rel c;
                c.id = r.id;
                c.type = r.type;
                c.target = r.target;
                c.external = r.external;
                if (!r.external) {
                    const std::string part = docx_package::resolve_target(source, r.target);
                    if (const std::string* b = pkg.part_bytes(part))
                        c.bytes = *b;
                    c.extension = extension_of(part);
                    c.content_type = content_type_for(pkg, part);
                }
                found[r.id] = c;
            }
        }
        return false;
    });
    std::vector<clip_rel> out;
    for (auto& f : found)
        out.push_back(f.second);
    return out;
}

// Gives copied content fresh relationship ids in target and fresh drawing ids.
void rebind(docx_package& pkg, const std::string& target, const std::vector<clip_rel>& rels,
            pugi::xml_node root, int& max_drawing_id) {
    std::map<std::string, std::string> remap;
    for (const auto& r : rels) {
        if (r.external)
            remap[r.id] = pkg.add_relationship(target, r.type, r.target, true);
        else if (r.type == rel_type::image && !r.bytes.empty())
            remap[r.id] = pkg.add_media(target, r.bytes, r.extension, r.content_type);
    }
    root.find_node([&](pugi::xml_node n) {
        std::vector<pugi::xml_attribute> dead;
        for (auto a : n.attributes()) {
            if (!is_rel_attribute(a))
                continue;
            auto it = remap.find(a.value());
            if (it != remap.end())
                a.set_value(it->second.c_str());
            else
                dead.push_back(a); // a reference the target could not resolve
        }
        for (auto a : dead)
            n.remove_attribute(a);
        if (is(n, "wp:docPr"))
            n.attribute("id") = ++max_drawing_id;
        return false;
    });
}

std::string styles_part(docx_package& pkg, bool create) {
    for (const auto& r : pkg.relationships(pkg.main_part())) {
        if (r.type == rel_type::styles)
            return docx_package::resolve_target(pkg.main_part(), r.target);
    }
    if (!create)
        return std::string();
    const std::string part = pkg.unused_part_name("styles", ".xml");
    auto& doc = pkg.xml(part);
    auto root = doc.append_child("w:styles");
    root.append_attribute("xmlns:w") = ns_w;
    pkg.ensure_override_content_type(part, ct_styles);
    pkg.add_relationship(pkg.main_part(), rel_type::styles, part.substr(part.rfind('/') + 1));
    return part;
}

// True for a paragraph whose content is nothing but page-break runs.
bool only_page_breaks(pugi::xml_node p) {
    bool any = false;
    for (auto c : p.children()) {
        if (is(c, "w:pPr"))
            continue;
        if (!is(c, "w:r"))
            return false;
        for (auto k : c.children()) {
            if (is(k, "w:rPr"))
                continue;
            if (!is(k, "w:br") || std::string(k.attribute("w:type").value()) != "page")
                return false;
            any = true;
        }
    }
    return any;
}

bool body_is_empty(pugi::xml_node body) {
    for (auto c : body.children()) {
        if (is(c, "w:sectPr"))
            continue;
        if (!is(c, "w:p") || paragraph_length(c) > 0)
            return false;
    }
    return true;
}
} // namespace

struct clipboard_ops {
    static void copy_document_setup(docx_document& d, clipboard& clip) {
        docx_package& pkg = d.pkg_;
        clip.styles.reset();
        const std::string sp = styles_part(pkg, false);
        if (!sp.empty())
            clip.styles.append_copy(pkg.xml(sp).document_element());
        clip.sect.reset();
        clip.parts.clear();
        auto sect = d.body().child("w:sectPr");
        if (!sect)
            return;
        clip.sect.append_copy(sect);
        for (auto ref : sect.children()) {
            bool header = is(ref, "w:headerReference");
            if (!header && !is(ref, "w:footerReference"))
                continue;
            relationship rel;
            if (!pkg.find_relationship(pkg.main_part(), ref.attribute("r:id").value(), rel))
                continue;
            const std::string part = docx_package::resolve_target(pkg.main_part(), rel.target);
            if (!pkg.has_part(part))
                continue;
            clip_part cp;
            cp.header = header;
            cp.ref_type = ref.attribute("w:type").value();
            cp.xml = xml_to_string(pkg.xml(part));
            cp.rels = collect_rels(pkg, part, pkg.xml(part).document_element());
            clip.parts.push_back(std::move(cp));
        }
    }

    // What makes a page setup: its properties and the content of its headers
    // and footers. Two pastes with the same signature can share a section.
    static std::string setup_signature(const clipboard& clip) {
        std::string out;
        if (auto src = clip.sect.document_element()) {
            for (auto c : src.children()) {
                if (!is(c, "w:headerReference") && !is(c, "w:footerReference")) {
                    pugi::xml_document one;
                    one.append_copy(c);
                    out += xml_to_string(one);
                }
            }
        }
        for (const auto& cp : clip.parts)
            out += (cp.header ? "|h:" : "|f:") + cp.ref_type + ":" + cp.xml;
        return out;
    }

    // blank_missing: a section that follows another one gets an empty header
    // or footer where its source has none, so it does not inherit the
    // previous section's.
    static void adopt_setup(docx_document& d, const clipboard& clip, bool blank_missing = false) {
        docx_package& pkg = d.pkg_;
        auto body = d.body();
        auto src = clip.sect.document_element();
        if (!src)
            return;
        d.setup_signature_ = setup_signature(clip);
        auto sect = body.child("w:sectPr");
        if (!sect)
            sect = body.append_child("w:sectPr");
        // Page setup and header/footer references are taken over whole.
        std::vector<pugi::xml_node> old;
        for (auto c : sect.children())
            old.push_back(c);
        for (auto c : old)
            sect.remove_child(c);
        for (auto c : src.children()) {
            if (!is(c, "w:headerReference") && !is(c, "w:footerReference"))
                sect.append_copy(c);
        }
        std::vector<clip_part> parts = clip.parts;
        for (bool header : {true, false}) {
            const bool has = std::any_of(parts.begin(), parts.end(), [&](const clip_part& cp) {
                return cp.header == header && (cp.ref_type.empty() || cp.ref_type == "default");
            });
            if (blank_missing && !has) {
                clip_part blank;
                blank.header = header;
                blank.ref_type = "default";
                blank.xml = std::string("<w:") + (header ? "hdr" : "ftr") + " xmlns:w=\"" + ns_w +
                            "\"><w:p/></w:" + (header ? "hdr" : "ftr") + ">";
                parts.push_back(blank);
            }
        }
        pugi::xml_node insert_before = sect.first_child();
        for (const auto& cp : parts) {
            const std::string part = pkg.unused_part_name(cp.header ? "header" : "footer", ".xml");
            auto& doc = pkg.xml(part);
            doc.load_string(cp.xml.c_str());
            rebind(pkg, part, cp.rels, doc.document_element(), d.max_drawing_id_);
            pkg.ensure_override_content_type(part, cp.header ? ct_header : ct_footer);
            const std::string id = pkg.add_relationship(
                pkg.main_part(), cp.header ? rel_type::header : rel_type::footer,
                part.substr(part.rfind('/') + 1));
            const char* name = cp.header ? "w:headerReference" : "w:footerReference";
            auto ref = insert_before ? sect.insert_child_before(name, insert_before)
                                     : sect.append_child(name);
            ref.append_attribute("w:type") = cp.ref_type.empty() ? "default" : cp.ref_type.c_str();
            ref.append_attribute("r:id") = id.c_str();
        }
    }

    static void merge_styles(docx_document& d, const clipboard& clip, bool replace) {
        auto src = clip.styles.document_element();
        if (!src)
            return;
        docx_package& pkg = d.pkg_;
        auto dst = pkg.xml(styles_part(pkg, true)).document_element();
        if (replace) {
            if (auto defaults = src.child("w:docDefaults")) {
                dst.remove_child("w:docDefaults");
                auto first = dst.first_child();
                first ? dst.insert_copy_before(defaults, first) : dst.append_copy(defaults);
            }
        }
        for (auto st : src.children("w:style")) {
            const char* id = st.attribute("w:styleId").value();
            auto existing = dst.find_child_by_attribute("w:style", "w:styleId", id);
            if (existing && !replace)
                continue;
            if (existing) {
                dst.insert_copy_after(st, existing);
                dst.remove_child(existing);
            } else {
                dst.append_copy(st);
            }
        }
    }
};

hresult docx_document::cut() {
    if (!sel_.whole_story && !sel_.cell_selected)
        return e_fail;
    clipboard& clip = the_clipboard();
    std::lock_guard<std::mutex> guard(clip.lock);
    clip.blocks.reset();
    auto holder = clip.blocks.append_child("clip");
    int line, cell;
    pugi::xml_node tc;
    locate(sel_.para, line, cell, tc);
    pugi::xml_node container = sel_.whole_story ? body() : tc;
    for (auto c : container.children()) {
        if (!is(c, "w:sectPr") && !is(c, "w:tcPr"))
            holder.append_copy(c);
    }
    clip.rels = collect_rels(pkg_, pkg_.main_part(), holder);
    clipboard_ops::copy_document_setup(*this, clip);
    clip.filled = true;
    clear_selection_for_insert();
    return s_ok;
}

hresult docx_document::paste() {
    clipboard& clip = the_clipboard();
    std::lock_guard<std::mutex> guard(clip.lock);
    if (!clip.filled)
        return e_fail;
    clear_selection_for_insert();
    auto b = body();
    auto sect = b.child("w:sectPr");
    const bool fresh =
        body_is_empty(b) && !sect.child("w:headerReference") && !sect.child("w:footerReference");
    clipboard_ops::merge_styles(*this, clip, fresh);
    if (fresh)
        clipboard_ops::adopt_setup(*this, clip);

    // Split the caret paragraph; the blocks go between its halves.
    pugi::xml_node p1 = sel_.para;
    pugi::xml_node container = p1.parent();
    // Content whose page setup (headers and footers included) differs from
    // the one it is pasted after keeps its own: it gets a section of its own,
    // so a document assembled from different templates shows each template's
    // header on its own pages. Only within a document assembled by pasting.
    const bool new_section = !fresh && container == b && !setup_signature_.empty() &&
                             setup_signature_ != clipboard_ops::setup_signature(clip);
    pugi::xml_node at = insertion_point(p1, sel_.offset);
    pugi::xml_node p2 = container.insert_child_after("w:p", p1);
    if (auto ppr = p1.child("w:pPr")) {
        auto copy = p2.append_copy(ppr);
        copy.remove_child("w:sectPr");
    }
    while (at) {
        auto next = at.next_sibling();
        p2.append_move(at);
        at = next;
    }
    pugi::xml_node first, last;
    for (auto block : clip.blocks.document_element().children()) {
        auto copy = container.insert_copy_before(block, p2);
        rebind(pkg_, pkg_.main_part(), clip.rels, copy, max_drawing_id_);
        if (!first)
            first = copy;
        last = copy;
    }
    if (new_section && first) {
        // The section so far ends with the last paragraph before the pasted
        // content; the section break itself starts the new page.
        std::vector<pugi::xml_node> runs;
        for (auto c : p1.children()) {
            if (!is(c, "w:pPr"))
                runs.push_back(c);
        }
        pugi::xml_node closing = p1;
        if (only_page_breaks(p1) || !paragraph_has_content(p1)) {
            for (auto r : runs)
                p1.remove_child(r);
            // An empty caret paragraph is dropped below.
            auto before = p1.previous_sibling();
            if (before && is(before, "w:p") && !before.child("w:pPr").child("w:sectPr"))
                closing = before;
        }
        auto ended = ensure_paragraph_property(ensure_first_child(closing, "w:pPr"), "w:sectPr");
        for (auto c : sect.children())
            ended.append_copy(c);
        if (is(first, "w:p"))
            first.child("w:pPr").remove_child("w:pageBreakBefore");
        clipboard_ops::adopt_setup(*this, clip, true);
    } else if (first && is(first, "w:p") && only_page_breaks(p1)) {
        // A paragraph that holds only a page break before pasted text becomes
        // a page-break-before of that text, so the break never leaves an
        // empty line that could spill onto a page of its own.
        auto ppr = ensure_first_child(first, "w:pPr");
        ensure_paragraph_property(ppr, "w:pageBreakBefore");
        std::vector<pugi::xml_node> runs;
        for (auto c : p1.children()) {
            if (!is(c, "w:pPr"))
                runs.push_back(c);
        }
        for (auto r : runs)
            p1.remove_child(r);
    }
    if (!paragraph_has_content(p1) && !p1.child("w:pPr").child("w:sectPr"))
        container.remove_child(p1);
    // The paragraph left after the pasted text takes the format of the last
    // pasted paragraph, as if the pasted paragraph mark had replaced it.
    if (last && is(last, "w:p") && !paragraph_has_content(p2)) {
        p2.remove_child("w:pPr");
        if (auto ppr = last.child("w:pPr")) {
            auto copy = p2.prepend_copy(ppr);
            copy.remove_child("w:pageBreakBefore");
            copy.remove_child("w:sectPr");
        }
    }
    sel_ = position();
    sel_.para = p2;
    return s_ok;
}

} // namespace docengine
