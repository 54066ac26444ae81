#include "report/engine/docx_package.h"

#include "platform/atomic_file.h"

#include <zip.h>

#include <cerrno>
#include <functional>
#include <sstream>

namespace docengine {

namespace {
const char* ct_part = "[Content_Types].xml";

std::string dir_of(const std::string& part) {
    auto slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash);
}

std::string file_of(const std::string& part) {
    auto slash = part.rfind('/');
    return slash == std::string::npos ? part : part.substr(slash + 1);
}

struct xml_string_writer : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

bool is_xml_name(const std::string& name) {
    auto ends = [&](const char* s) {
        std::string e(s);
        return name.size() >= e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0;
    };
    return ends(".xml") || ends(".rels");
}
} // namespace

std::string xml_to_string(const pugi::xml_document& doc) {
    xml_string_writer w;
    doc.save(w, "", pugi::format_raw, pugi::encoding_utf8);
    return w.out;
}

int docx_package::load(const std::string& bytes) {
    bytes_.clear();
    parsed_.clear();
    media_by_hash_.clear();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!src) {
        zip_error_fini(&error);
        return -1;
    }
    zip_t* za = zip_open_from_source(src, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!za) {
        zip_source_free(src);
        return -1;
    }
    int rc = 0;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n && rc == 0; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za, i, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            rc = -1;
            break;
        }
        std::string name = st.name;
        if (name.empty() || name.back() == '/')
            continue;
        if (st.size > (200u << 20)) { // refuse absurd entries instead of exhausting memory
            rc = -1;
            break;
        }
        zip_file_t* f = zip_fopen_index(za, i, 0);
        if (!f) {
            rc = -1;
            break;
        }
        std::string data(static_cast<size_t>(st.size), '\0');
        zip_int64_t got = data.empty() ? 0 : zip_fread(f, &data[0], data.size());
        zip_fclose(f);
        if (got != static_cast<zip_int64_t>(data.size())) {
            rc = -1;
            break;
        }
        bytes_[name] = std::move(data);
    }
    zip_close(za);
    if (rc != 0)
        return rc;
    // The main part is the target of the package's office-document relationship.
    main_part_.clear();
    for (const auto& r : relationships("")) {
        if (r.type == rel_type::office_document)
            main_part_ = resolve_target("", r.target);
    }
    if (main_part_.empty() || !has_part(main_part_) || !has_part(ct_part))
        return -2;
    for (const char* part : {ct_part, main_part_.c_str()}) {
        if (xml(part).document_element().empty())
            return -2;
    }
    return 0;
}

int docx_package::save(const std::string& path) {
    std::map<std::string, std::string> out;
    for (const auto& p : bytes_)
        out[p.first] = p.second;
    for (const auto& p : parsed_) {
        if (p.second->document_element())
            out[p.first] = xml_to_string(*p.second);
    }
    // The archive is built in memory and then replaces the file whole, on
    // disk before the save reports success; a failed save leaves the old file.
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* archive = zip_source_buffer_create(nullptr, 0, 0, &ze);
    zip_t* za = archive ? zip_open_from_source(archive, ZIP_TRUNCATE, &ze) : nullptr;
    zip_error_fini(&ze);
    if (!za) {
        if (archive)
            zip_source_free(archive);
        return EIO;
    }
    zip_source_keep(archive); // read back after zip_close
    // Content types first, as readers that stream the archive expect.
    std::vector<std::string> order;
    if (out.count(ct_part))
        order.push_back(ct_part);
    for (const auto& p : out) {
        if (p.first != ct_part)
            order.push_back(p.first);
    }
    int rc = 0;
    for (const auto& name : order) {
        const std::string& data = out[name];
        zip_source_t* s = zip_source_buffer(za, data.data(), data.size(), 0);
        if (!s) {
            rc = EIO;
            break;
        }
        zip_int64_t idx = zip_file_add(za, name.c_str(), s, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (idx < 0) {
            zip_source_free(s);
            rc = EIO;
            break;
        }
        // Media is already compressed; deflating it again only costs time.
        if (is_xml_name(name))
            zip_set_file_compression(za, idx, ZIP_CM_DEFLATE, 6);
        else
            zip_set_file_compression(za, idx, ZIP_CM_STORE, 0);
        zip_file_set_mtime(za, idx, 315532800 + 86400, 0);
    }
    if (rc == 0 && zip_close(za) != 0)
        rc = EIO;
    if (rc != 0) {
        zip_discard(za);
        zip_source_free(archive);
        return rc;
    }
    std::string bytes;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_open(archive) == 0) {
        if (zip_source_stat(archive, &st) == 0 && (st.valid & ZIP_STAT_SIZE)) {
            bytes.resize(size_t(st.size));
            if (st.size > 0 && zip_source_read(archive, &bytes[0], st.size) != zip_int64_t(st.size))
                rc = EIO;
        } else {
            rc = EIO;
        }
        zip_source_close(archive);
    } else {
        rc = EIO;
    }
    zip_source_free(archive);
    return rc != 0 ? rc : platform::write_file_atomic(path, bytes);
}

bool docx_package::has_part(const std::string& name) const {
    return bytes_.count(name) || parsed_.count(name);
}

const std::string* docx_package::part_bytes(const std::string& name) const {
    auto it = bytes_.find(name);
    return it == bytes_.end() ? nullptr : &it->second;
}

void docx_package::set_part_bytes(const std::string& name, std::string bytes) {
    parsed_.erase(name);
    bytes_[name] = std::move(bytes);
}

pugi::xml_document& docx_package::xml(const std::string& name) {
    auto it = parsed_.find(name);
    if (it != parsed_.end())
        return *it->second;
    auto doc = std::make_unique<pugi::xml_document>();
    auto b = bytes_.find(name);
    if (b != bytes_.end()) {
        if (!doc->load_buffer(b->second.data(), b->second.size(),
                              pugi::parse_default | pugi::parse_ws_pcdata_single))
            doc->reset();
        bytes_.erase(b);
    }
    auto& ref = *doc;
    parsed_[name] = std::move(doc);
    return ref;
}

std::vector<std::string> docx_package::part_names() const {
    std::vector<std::string> names;
    for (const auto& p : bytes_)
        names.push_back(p.first);
    for (const auto& p : parsed_)
        names.push_back(p.first);
    return names;
}

std::string docx_package::rels_name(const std::string& source) const {
    if (source.empty())
        return "_rels/.rels";
    std::string dir = dir_of(source);
    return (dir.empty() ? std::string() : dir + "/") + "_rels/" + file_of(source) + ".rels";
}

std::vector<relationship> docx_package::relationships(const std::string& source) {
    std::vector<relationship> out;
    const std::string name = rels_name(source);
    if (!has_part(name))
        return out;
    for (auto r : xml(name).document_element().children("Relationship")) {
        relationship rel;
        rel.id = r.attribute("Id").value();
        rel.type = r.attribute("Type").value();
        rel.target = r.attribute("Target").value();
        rel.external = std::string(r.attribute("TargetMode").value()) == "External";
        out.push_back(rel);
    }
    return out;
}

bool docx_package::find_relationship(const std::string& source, const std::string& id,
                                     relationship& out) {
    for (const auto& r : relationships(source)) {
        if (r.id == id) {
            out = r;
            return true;
        }
    }
    return false;
}

std::string docx_package::add_relationship(const std::string& source, const std::string& type,
                                           const std::string& target, bool external) {
    const std::string name = rels_name(source);
    pugi::xml_document& doc = xml(name);
    pugi::xml_node root = doc.document_element();
    if (!root) {
        auto decl = doc.prepend_child(pugi::node_declaration);
        decl.append_attribute("version") = "1.0";
        decl.append_attribute("encoding") = "UTF-8";
        decl.append_attribute("standalone") = "yes";
        root = doc.append_child("Relationships");
        root.append_attribute("xmlns") =
            "http://schemas.openxmlformats.org/package/2006/relationships";
    }
    int n = 1;
    for (;;) {
        std::string id = "rId" + std::to_string(n);
        if (!root.find_child_by_attribute("Relationship", "Id", id.c_str()))
            break;
        ++n;
    }
    std::string id = "rId" + std::to_string(n);
    auto r = root.append_child("Relationship");
    r.append_attribute("Id") = id.c_str();
    r.append_attribute("Type") = type.c_str();
    r.append_attribute("Target") = target.c_str();
    if (external)
        r.append_attribute("TargetMode") = "External";
    return id;
}

std::string docx_package::resolve_target(const std::string& source, const std::string& target) {
    std::string base = target.size() && target[0] == '/' ? std::string() : dir_of(source);
    std::string path = target.size() && target[0] == '/' ? target.substr(1) : target;
    std::vector<std::string> parts;
    std::stringstream in((base.empty() ? "" : base + "/") + path);
    std::string seg;
    while (std::getline(in, seg, '/')) {
        if (seg.empty() || seg == ".")
            continue;
        if (seg == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(seg);
    }
    std::string out;
    for (const auto& p : parts)
        out += (out.empty() ? "" : "/") + p;
    return out;
}

void docx_package::ensure_default_content_type(const std::string& extension,
                                               const std::string& type) {
    pugi::xml_node root = xml(ct_part).document_element();
    for (auto d : root.children("Default")) {
        if (extension == d.attribute("Extension").value())
            return;
    }
    // Defaults precede overrides by convention.
    auto first_override = root.child("Override");
    auto d = first_override ? root.insert_child_before("Default", first_override)
                            : root.append_child("Default");
    d.append_attribute("Extension") = extension.c_str();
    d.append_attribute("ContentType") = type.c_str();
}

void docx_package::ensure_override_content_type(const std::string& part, const std::string& type) {
    pugi::xml_node root = xml(ct_part).document_element();
    const std::string name = "/" + part;
    for (auto o : root.children("Override")) {
        if (name == o.attribute("PartName").value()) {
            o.attribute("ContentType") = type.c_str();
            return;
        }
    }
    auto o = root.append_child("Override");
    o.append_attribute("PartName") = name.c_str();
    o.append_attribute("ContentType") = type.c_str();
}

std::string docx_package::unused_part_name(const std::string& stem,
                                           const std::string& suffix) const {
    std::string dir = dir_of(main_part_);
    for (int n = 1;; ++n) {
        std::string name = (dir.empty() ? "" : dir + "/") + stem + std::to_string(n) + suffix;
        if (!has_part(name))
            return name;
    }
}

std::string docx_package::add_media(const std::string& source, const std::string& bytes,
                                    const std::string& extension, const std::string& content_type) {
    const std::string key = source + "|" + std::to_string(std::hash<std::string>()(bytes)) + ":" +
                            std::to_string(bytes.size());
    auto known = media_by_hash_.find(key);
    if (known != media_by_hash_.end())
        return known->second;
    const std::string part = unused_part_name("media/image", "." + extension);
    set_part_bytes(part, bytes);
    ensure_default_content_type(extension, content_type);
    // Relationship targets are relative to the source part's directory.
    std::string src_dir = dir_of(source);
    std::string target = part;
    if (!src_dir.empty() && part.compare(0, src_dir.size() + 1, src_dir + "/") == 0)
        target = part.substr(src_dir.size() + 1);
    else
        target = "/" + part;
    std::string id = add_relationship(source, rel_type::image, target);
    media_by_hash_[key] = id;
    return id;
}

} // namespace docengine
