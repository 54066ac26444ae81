#pragma once
// A small, independent reader of produced .docx files for the tests: it
// unzips with libzip, parses with pugixml and flattens the body into the
// lines a reader sees (one per paragraph, one per table row with its cells).

#include <pugixml.hpp>
#include <zip.h>

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct docx_line {
    bool row = false;
    QStringList cells;              // one entry for a paragraph line
    std::vector<int> cell_pictures; // inline pictures per cell
    bool page_break = false;        // a page break inside, or break-before
    bool section_end = false;       // the last line of a section (a new page follows)
};

struct docx_picture {
    int id = 0;
    long long cx = 0, cy = 0;
    std::string rel_id;
};

class docx_reader {
public:
    bool open(const QString& path) {
        parts.clear();
        int err = 0;
        zip_t* za = zip_open(path.toUtf8().constData(), ZIP_RDONLY, &err);
        if (!za)
            return false;
        for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
            zip_stat_t st;
            zip_stat_index(za, i, 0, &st);
            zip_file_t* f = zip_fopen_index(za, i, 0);
            std::string data(st.size, '\0');
            if (st.size)
                zip_fread(f, &data[0], st.size);
            zip_fclose(f);
            parts[st.name] = data;
            order.push_back(st.name);
        }
        zip_close(za);
        return parts.count("word/document.xml") &&
               doc.load_string(parts["word/document.xml"].c_str());
    }

    pugi::xml_node body() const { return doc.child("w:document").child("w:body"); }

    static QString text_of(pugi::xml_node n) {
        struct walker : pugi::xml_tree_walker {
            std::string out;
            bool for_each(pugi::xml_node& node) override {
                const std::string name = node.name();
                if (name == "w:t")
                    out += node.text().get();
                else if (name == "w:tab")
                    out += '\t';
                else if (name == "w:br" && !node.attribute("w:type"))
                    out += '\n';
                return true;
            }
        } w;
        n.traverse(w);
        return QString::fromStdString(w.out);
    }

    std::vector<docx_line> lines() const {
        std::vector<docx_line> out;
        for (auto c : body().children()) {
            std::string name = c.name();
            if (name == "w:p") {
                docx_line l;
                l.cells << text_of(c);
                l.cell_pictures.push_back(int(c.select_nodes(".//wp:inline").size()));
                l.page_break =
                    !c.select_nodes(".//w:br[@w:type='page'] | w:pPr/w:pageBreakBefore").empty();
                l.section_end = bool(c.child("w:pPr").child("w:sectPr"));
                out.push_back(l);
            } else if (name == "w:tbl") {
                for (auto tr : c.children("w:tr")) {
                    docx_line l;
                    l.row = true;
                    for (auto tc : tr.children("w:tc")) {
                        QStringList paras;
                        for (auto p : tc.children("w:p"))
                            paras << text_of(p);
                        l.cells << paras.join("\n");
                        l.cell_pictures.push_back(int(tc.select_nodes(".//wp:inline").size()));
                    }
                    out.push_back(l);
                }
            }
        }
        return out;
    }

    // The default page header's text of every line, by the section the line
    // belongs to; a section without a header of its own shows the previous
    // section's, as word processors do.
    QStringList line_headers() const {
        const auto rels = relationships("word/_rels/document.xml.rels");
        QStringList out;
        QString previous;
        int pending = 0; // lines of the open section
        const auto close_section = [&](pugi::xml_node sect) {
            auto ref = sect.find_child_by_attribute("w:headerReference", "w:type", "default");
            if (ref) {
                auto it = rels.find(ref.attribute("r:id").value());
                pugi::xml_document h;
                const bool ok = it != rels.end() && parts.count("word/" + it->second) &&
                                h.load_string(parts.at("word/" + it->second).c_str());
                previous = ok ? text_of(h) : QString("<broken>");
            }
            for (; pending > 0; --pending)
                out << previous;
        };
        for (auto c : body().children()) {
            if (std::string(c.name()) == "w:tbl")
                pending += int(c.select_nodes("w:tr").size());
            if (std::string(c.name()) != "w:p")
                continue;
            ++pending;
            if (auto sect = c.child("w:pPr").child("w:sectPr"))
                close_section(sect);
        }
        close_section(body().child("w:sectPr"));
        return out;
    }

    std::vector<docx_picture> pictures(const std::string& part = "word/document.xml") const {
        std::vector<docx_picture> out;
        pugi::xml_document d;
        auto it = parts.find(part);
        if (it == parts.end() || !d.load_string(it->second.c_str()))
            return out;
        for (auto x : d.select_nodes("//wp:inline")) {
            docx_picture p;
            p.id = x.node().child("wp:docPr").attribute("id").as_int();
            p.cx = x.node().child("wp:extent").attribute("cx").as_llong();
            p.cy = x.node().child("wp:extent").attribute("cy").as_llong();
            p.rel_id = x.node().select_node(".//a:blip").node().attribute("r:embed").value();
            out.push_back(p);
        }
        return out;
    }

    // Relationship id -> target of a part's relationships.
    std::map<std::string, std::string> relationships(const std::string& rels_part) const {
        std::map<std::string, std::string> out;
        pugi::xml_document d;
        auto it = parts.find(rels_part);
        if (it == parts.end() || !d.load_string(it->second.c_str()))
            return out;
        for (auto r : d.child("Relationships").children("Relationship"))
            out[r.attribute("Id").value()] = r.attribute("Target").value();
        return out;
    }

    // Content type of a part name as the package declares it.
    std::string content_type(const std::string& part) const {
        pugi::xml_document d;
        d.load_string(parts.at("[Content_Types].xml").c_str());
        for (auto o : d.child("Types").children("Override")) {
            if ("/" + part == o.attribute("PartName").value())
                return o.attribute("ContentType").value();
        }
        auto dot = part.rfind('.');
        for (auto o : d.child("Types").children("Default")) {
            if (part.substr(dot + 1) == o.attribute("Extension").value())
                return o.attribute("ContentType").value();
        }
        return std::string();
    }

    // What a word processor would refuse, or empty: a part that does not
    // parse, a picture whose relationship or media part is missing, a part
    // without a content type, a drawing id used twice across body, headers
    // and footers.
    QString problem() const {
        for (const auto& p : parts) {
            const std::string& n = p.first;
            pugi::xml_document d;
            const bool xml = n.size() > 5 && (n.substr(n.size() - 4) == ".xml" ||
                                              n.substr(n.size() - 5) == ".rels");
            if (xml && !d.load_string(p.second.c_str()))
                return QString::fromStdString("not well-formed: " + n);
        }
        std::set<int> ids;
        size_t total = 0;
        for (const auto& part : order) {
            if (part.rfind("word/", 0) != 0 || part.find(".xml") == std::string::npos ||
                part.find("_rels") != std::string::npos)
                continue;
            auto rels = relationships("word/_rels/" + part.substr(5) + ".rels");
            for (const auto& p : pictures(part)) {
                ++total;
                ids.insert(p.id);
                const auto rel = rels.find(p.rel_id);
                const std::string media = rel == rels.end() ? std::string() : "word/" + rel->second;
                if (!parts.count(media) || content_type(media).empty())
                    return QString::fromStdString("picture " + p.rel_id + " in " + part);
            }
            if (content_type(part).empty())
                return QString::fromStdString("no content type: " + part);
        }
        return ids.size() == total ? QString() : "drawing ids repeat";
    }

    std::map<std::string, std::string> parts;
    std::vector<std::string> order;
    pugi::xml_document doc;
};

// The extent of each picture (EMU), as read back.
inline QVector<QSize> extents(const std::vector<docx_picture>& pics) {
    QVector<QSize> out;
    for (const docx_picture& p : pics)
        out << QSize(int(p.cx), int(p.cy));
    return out;
}
