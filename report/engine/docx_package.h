#pragma once
// An OOXML package held in memory: the zip entries as bytes, XML parts parsed
// on first use and written back on save, with helpers for content types and
// relationships. Threading: one thread at a time per package.

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace docengine {

namespace rel_type {
constexpr const char* office_document =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char* image =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char* styles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr const char* settings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
constexpr const char* header =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
constexpr const char* footer =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
constexpr const char* hyperlink =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
} // namespace rel_type

struct relationship {
    std::string id;
    std::string type;
    std::string target;
    bool external = false;
};

class docx_package {
public:
    // Reads a zip archive from memory. 0, or -1 when it is not a readable
    // archive, -2 when it has no main document part.
    int load(const std::string& bytes);
    // Writes the archive (content types first); XML parts are serialised from
    // their parsed form. 0 or errno-like positive code.
    int save(const std::string& path);

    bool has_part(const std::string& name) const;
    const std::string* part_bytes(const std::string& name) const;
    void set_part_bytes(const std::string& name, std::string bytes);
    // Parsed XML of a part; an absent part gives an empty document that is
    // written when saved.
    pugi::xml_document& xml(const std::string& name);
    std::vector<std::string> part_names() const;

    // Main document part ("word/document.xml" normally).
    const std::string& main_part() const { return main_part_; }

    // Relationships of a part (source part name, "" for the package).
    std::vector<relationship> relationships(const std::string& source);
    bool find_relationship(const std::string& source, const std::string& id, relationship& out);
    // Adds a relationship with a fresh id and returns the id.
    std::string add_relationship(const std::string& source, const std::string& type,
                                 const std::string& target, bool external = false);
    // Target of a relationship resolved to a package part name.
    static std::string resolve_target(const std::string& source, const std::string& target);

    void ensure_default_content_type(const std::string& extension, const std::string& type);
    void ensure_override_content_type(const std::string& part, const std::string& type);

    // Stores bytes as a new media part beside the main part and returns its
    // relationship id from source; identical bytes are stored once.
    std::string add_media(const std::string& source, const std::string& bytes,
                          const std::string& extension, const std::string& content_type);
    // A part name in the main part's directory that is not yet used, e.g.
    // unused_part_name("header", ".xml") -> "word/header3.xml".
    std::string unused_part_name(const std::string& stem, const std::string& suffix) const;

private:
    std::string rels_name(const std::string& source) const;

    std::map<std::string, std::string> bytes_;
    std::map<std::string, std::unique_ptr<pugi::xml_document>> parsed_;
    std::map<std::string, std::string> media_by_hash_; // hash key -> rel id (main part)
    std::string main_part_ = "word/document.xml";
};

// Serialises an XML document compactly with its declaration.
std::string xml_to_string(const pugi::xml_document& doc);

} // namespace docengine
