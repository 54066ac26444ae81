#include "report/engine/docx_xml.h"

#include <QString>

#include <cmath>
#include <cstring>
#include <vector>

namespace docengine {
namespace wml {

namespace {
int utf8_count(const char* s) {
    int n = 0;
    for (; *s; ++s) {
        if ((static_cast<unsigned char>(*s) & 0xC0) != 0x80)
            ++n;
    }
    return n;
}

// Byte offset of code point k.
size_t utf8_offset(const std::string& s, int k) {
    size_t i = 0;
    int n = 0;
    for (; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (n == k)
                return i;
            ++n;
        }
    }
    return s.size();
}

bool is_one_char(pugi::xml_node c) {
    static const char* names[] = {
        "w:tab",           "w:br",         "w:cr",     "w:drawing", "w:sym", "w:pict",
        "w:noBreakHyphen", "w:softHyphen", "w:object", "w:ptab"};
    for (const char* n : names) {
        if (std::strcmp(c.name(), n) == 0)
            return true;
    }
    return false;
}

int run_child_length(pugi::xml_node c) {
    if (is(c, "w:t"))
        return utf8_count(c.text().get());
    return is_one_char(c) ? 1 : 0;
}

pugi::xml_node split_run(pugi::xml_node r, int k) {
    std::vector<pugi::xml_node> kids;
    for (auto c : r.children()) {
        if (!is(c, "w:rPr"))
            kids.push_back(c);
    }
    int pos = 0;
    size_t idx = kids.size();
    int cut = 0;
    for (size_t i = 0; i < kids.size(); ++i) {
        int len = run_child_length(kids[i]);
        if (k <= pos) {
            idx = i;
            break;
        }
        if (k < pos + len) {
            idx = i;
            cut = k - pos;
            break;
        }
        pos += len;
    }
    pugi::xml_node r2 = r.parent().insert_copy_after(r, r);
    std::vector<pugi::xml_node> kids2;
    for (auto c : r2.children()) {
        if (!is(c, "w:rPr"))
            kids2.push_back(c);
    }
    for (size_t i = 0; i < kids.size(); ++i) {
        if (i > idx || (i == idx && cut == 0))
            r.remove_child(kids[i]);
        if (i < idx)
            r2.remove_child(kids2[i]);
    }
    if (cut > 0) {
        std::string text = kids[idx].text().get();
        size_t at = utf8_offset(text, cut);
        kids[idx].text().set(text.substr(0, at).c_str());
        kids2[idx].text().set(text.substr(at).c_str());
        for (auto t : {kids[idx], kids2[idx]}) {
            if (!t.attribute("xml:space"))
                t.append_attribute("xml:space") = "preserve";
        }
    }
    return r2;
}

const char* const run_prop_order[] = {"w:rStyle",
                                      "w:rFonts",
                                      "w:b",
                                      "w:bCs",
                                      "w:i",
                                      "w:iCs",
                                      "w:caps",
                                      "w:smallCaps",
                                      "w:strike",
                                      "w:dstrike",
                                      "w:outline",
                                      "w:shadow",
                                      "w:emboss",
                                      "w:imprint",
                                      "w:noProof",
                                      "w:snapToGrid",
                                      "w:vanish",
                                      "w:webHidden",
                                      "w:color",
                                      "w:spacing",
                                      "w:w",
                                      "w:kern",
                                      "w:position",
                                      "w:sz",
                                      "w:szCs",
                                      "w:highlight",
                                      "w:u",
                                      "w:effect",
                                      "w:bdr",
                                      "w:shd",
                                      "w:fitText",
                                      "w:vertAlign",
                                      "w:rtl",
                                      "w:cs",
                                      "w:em",
                                      "w:lang",
                                      "w:eastAsianLayout",
                                      "w:specVanish",
                                      "w:oMath",
                                      "w:rPrChange"};

const char* const para_prop_order[] = {"w:pStyle",
                                       "w:keepNext",
                                       "w:keepLines",
                                       "w:pageBreakBefore",
                                       "w:framePr",
                                       "w:widowControl",
                                       "w:numPr",
                                       "w:suppressLineNumbers",
                                       "w:pBdr",
                                       "w:shd",
                                       "w:tabs",
                                       "w:suppressAutoHyphens",
                                       "w:kinsoku",
                                       "w:wordWrap",
                                       "w:overflowPunct",
                                       "w:topLinePunct",
                                       "w:autoSpaceDE",
                                       "w:autoSpaceDN",
                                       "w:bidi",
                                       "w:adjustRightInd",
                                       "w:snapToGrid",
                                       "w:spacing",
                                       "w:ind",
                                       "w:contextualSpacing",
                                       "w:mirrorIndents",
                                       "w:suppressOverlap",
                                       "w:jc",
                                       "w:textDirection",
                                       "w:textAlignment",
                                       "w:textboxTightWrap",
                                       "w:outlineLvl",
                                       "w:divId",
                                       "w:cnfStyle",
                                       "w:rPr",
                                       "w:sectPr",
                                       "w:pPrChange"};

template <size_t N>
pugi::xml_node ensure_ordered(pugi::xml_node props, const char* name,
                              const char* const (&order)[N]) {
    if (auto found = props.child(name))
        return found;
    size_t rank = N;
    for (size_t i = 0; i < N; ++i) {
        if (std::strcmp(order[i], name) == 0)
            rank = i;
    }
    for (auto c : props.children()) {
        for (size_t i = rank + 1; i < N; ++i) {
            if (std::strcmp(c.name(), order[i]) == 0)
                return props.insert_child_before(name, c);
        }
    }
    return props.append_child(name);
}
} // namespace

bool is(pugi::xml_node n, const char* name) {
    return std::strcmp(n.name(), name) == 0;
}

int content_length(pugi::xml_node n) {
    if (is(n, "w:r")) {
        int len = 0;
        for (auto c : n.children())
            len += run_child_length(c);
        return len;
    }
    if (is(n, "w:pPr") || is(n, "w:del") || is(n, "w:moveFrom"))
        return 0;
    int len = 0;
    for (auto c : n.children())
        len += content_length(c);
    return len;
}

int paragraph_length(pugi::xml_node p) {
    int len = 0;
    for (auto c : p.children())
        len += content_length(c);
    return len;
}

bool paragraph_has_content(pugi::xml_node p) {
    for (auto c : p.children()) {
        if (!is(c, "w:pPr"))
            return true;
    }
    return false;
}

std::wstring paragraph_text(pugi::xml_node p) {
    std::string out;
    struct walker : pugi::xml_tree_walker {
        std::string* out;
        bool for_each(pugi::xml_node& n) override {
            if (is(n, "w:t"))
                *out += n.text().get();
            else if (is(n, "w:tab"))
                *out += '\t';
            else if (is(n, "w:br") || is(n, "w:cr"))
                *out += '\n';
            return true;
        }
    } w;
    w.out = &out;
    p.traverse(w);
    return from_utf8(out);
}

pugi::xml_node insertion_point(pugi::xml_node p, int offset) {
    int pos = 0;
    for (auto c : p.children()) {
        if (is(c, "w:pPr"))
            continue;
        if (offset <= pos)
            return c;
        int len = content_length(c);
        if (offset < pos + len)
            return is(c, "w:r") ? split_run(c, offset - pos) : c.next_sibling();
        pos += len;
    }
    return pugi::xml_node();
}

pugi::xml_node template_run_properties(pugi::xml_node p, pugi::xml_node before) {
    pugi::xml_node prev = before ? before.previous_sibling() : p.last_child();
    for (; prev; prev = prev.previous_sibling()) {
        if (is(prev, "w:r"))
            return prev.child("w:rPr");
    }
    for (auto n = before; n; n = n.next_sibling()) {
        if (is(n, "w:r"))
            return n.child("w:rPr");
    }
    return p.child("w:pPr").child("w:rPr");
}

pugi::xml_node insert_text_run(pugi::xml_node p, pugi::xml_node before, pugi::xml_node rpr,
                               const std::wstring& text, double font_size) {
    pugi::xml_node r = before ? p.insert_child_before("w:r", before) : p.append_child("w:r");
    if (rpr) {
        auto copy = r.append_copy(rpr);
        for (const char* drop : {"w:ins", "w:del", "w:moveFrom", "w:moveTo", "w:rPrChange"})
            copy.remove_child(drop);
    }
    if (font_size > 0)
        set_font_size(ensure_first_child(r, "w:rPr"), font_size);
    std::wstring chunk;
    auto flush = [&] {
        if (chunk.empty())
            return;
        auto t = r.append_child("w:t");
        t.append_attribute("xml:space") = "preserve";
        t.text().set(to_utf8(chunk).c_str());
        chunk.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\t') {
            flush();
            r.append_child("w:tab");
        } else if (c == L'\n' || c == L'\r') {
            flush();
            r.append_child("w:br");
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else if (c < 0x20 || c == 0xFFFE || c == 0xFFFF ||
                   (sizeof(wchar_t) == 4 && c >= 0xD800 && c <= 0xDFFF)) {
            continue; // not representable in XML
        } else {
            chunk += c;
        }
    }
    flush();
    return r;
}

pugi::xml_node ensure_first_child(pugi::xml_node parent, const char* name) {
    if (auto c = parent.child(name))
        return c;
    return parent.prepend_child(name);
}

pugi::xml_node ensure_run_property(pugi::xml_node rpr, const char* name) {
    return ensure_ordered(rpr, name, run_prop_order);
}

pugi::xml_node ensure_paragraph_property(pugi::xml_node ppr, const char* name) {
    return ensure_ordered(ppr, name, para_prop_order);
}

void set_font_size(pugi::xml_node rpr, double points) {
    const int half_points = static_cast<int>(std::lround(points * 2));
    for (const char* name : {"w:sz", "w:szCs"}) {
        auto n = ensure_run_property(rpr, name);
        n.remove_attribute("w:val");
        n.append_attribute("w:val") = half_points;
    }
}

pugi::xml_node first_paragraph(pugi::xml_node container) {
    if (auto p = container.child("w:p"))
        return p;
    return container.append_child("w:p");
}

pugi::xml_node last_paragraph(pugi::xml_node container) {
    for (auto c = container.last_child(); c; c = c.previous_sibling()) {
        if (is(c, "w:p"))
            return c;
    }
    return container.append_child("w:p");
}

std::string to_utf8(const std::wstring& s) {
    return QString::fromStdWString(s).toStdString();
}
std::wstring from_utf8(const std::string& s) {
    return QString::fromStdString(s).toStdWString();
}

} // namespace wml
} // namespace docengine
