// libFuzzer target for the report template reader: any bytes as a .docx
// package, and as the main document part inside an otherwise sound package
// (so that the XML reader is reached without a zip checksum in the way).
// A document that opens is then edited and saved as a report would be.

#include "fuzz_util.h"
#include "report/engine/docx_document.h"

#include <zip.h>

#include <cstring>

namespace {

// A package of the given parts, built in memory.
std::string make_package(const std::vector<std::pair<const char*, std::string>>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!src)
        return {};
    zip_source_keep(src);
    zip_t* z = zip_open_from_source(src, ZIP_TRUNCATE, &error);
    std::string out;
    if (z) {
        for (const auto& p : parts) {
            zip_source_t* s = zip_source_buffer(z, p.second.data(), p.second.size(), 0);
            if (!s || zip_file_add(z, p.first, s, ZIP_FL_OVERWRITE) < 0)
                zip_source_free(s);
        }
        if (zip_close(z) == 0 && zip_source_open(src) == 0) {
            zip_source_seek(src, 0, SEEK_END);
            const zip_int64_t n = zip_source_tell(src);
            zip_source_seek(src, 0, SEEK_SET);
            if (n > 0) {
                out.resize(size_t(n));
                if (zip_source_read(src, &out[0], zip_uint64_t(n)) != n)
                    out.clear();
            }
            zip_source_close(src);
        } else if (z) {
            zip_discard(z);
        }
    }
    zip_source_free(src);
    zip_error_fini(&error);
    return out;
}

void exercise(const std::string& package) {
    docengine::docx_document doc;
    if (doc.load(package) != 0)
        return;
    doc.end_story();
    doc.home_story();
    doc.move_down(3);
    doc.move_cells(2);
    doc.move_chars(-1);
    doc.type_text(L"x\u5c40", 0);
    doc.select_whole_story();
    static const std::string out = (fuzz::scratch_dir() + "/out.docx").toStdString();
    doc.save(out);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    exercise(bytes);
    static const std::string types =
        "<?xml version=\"1.0\"?><Types "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default "
        "Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Override "
        "PartName=\"/word/document.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";
    static const std::string rels =
        "<?xml version=\"1.0\"?><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
        "Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" Target=\"word/document.xml\"/></Relationships>";
    exercise(make_package(
        {{"[Content_Types].xml", types}, {"_rels/.rels", rels}, {"word/document.xml", bytes}}));
    return 0;
}
