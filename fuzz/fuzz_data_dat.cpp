// libFuzzer target: any byte sequence as a Data.dat file, as a frame payload
// of each layout, and as the JSON text of a header or note.json. Nothing may
// crash, leak or touch memory outside its buffers.

#include "analysis/datafile/data_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const std::wstring& scratch_path() {
    static const std::wstring path =
        (QDir::tempPath() +
         QStringLiteral("/halvix_fuzz_%1.dat").arg(QCoreApplication::applicationPid()))
            .toStdWString();
    return path;
}

bool write_file(const std::wstring& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(QString::fromStdWString(path).toUtf8().constData(), "wb");
    if (!f)
        return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    std::fclose(f);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Frame decoders on a buffer of exactly the input's size, so that the
    // address sanitizer sees any read past the payload.
    if (size <= data_frame_payload_max) {
        std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
        if (size)
            std::memcpy(copy.get(), data, size);
        signal_frame be, le;
        decode_frame_be(copy.get(), uint32_t(size), be, 2.0, true);
        decode_frame_le(copy.get(), uint32_t(size), le);
    }

    // JSON texts.
    const std::string text(reinterpret_cast<const char*>(data), size);
    data_info d;
    apply_data_head_text(text, d);
    read_data_note(nullptr, d, &text);
    app_version_has_tail(text);

    // The whole file through every reader.
    const std::wstring& path = scratch_path();
    if (!write_file(path, data, size))
        return 0;
    data_info h;
    read_data_head(path, h);
    int32_t count = 0;
    count_data_frames(path, count);
    for (int32_t start : {0, 1, 3}) {
        std::vector<signal_frame_ptr> frames;
        data_info r;
        int32_t n = 4;
        bool at_end = false;
        read_data_frames(path, start, n, frames, r, at_end);
    }
    read_first_picture(path);
    return 0;
}
