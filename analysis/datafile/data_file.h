#pragma once
// Reading and writing the files of a data item: Data.dat (header, frames,
// index tail), note.json and data_edit.json.
// Threading: any thread; every call owns its file handle and buffers.

#include "store/records.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Largest frame payload the format carries.
constexpr uint32_t data_frame_payload_max = 4096000;
// Largest note.json or data_edit.json that is read: a device writes a few
// hundred bytes, and a hostile file must not cost a fortune of memory.
constexpr size_t side_file_max_bytes = 4 * 1024 * 1024;

// Pa of one stored sample unit. Big-endian frames carry 16-bit converter
// counts whose size depends on the microphone sensitivity; the little-endian
// writers store floats in units of 125/3 Pa.
inline double be_pa_per_count(double mic_sensitivity) {
    return 1000.0 / mic_sensitivity * 1.407374883553 / 16384.0;
}
constexpr double le_pa_per_unit = 125.0 / 3.0;

// One decoded frame of Data.dat. Arrays are owned by the record.
struct signal_frame {
    uint32_t tag = 0;
    int32_t sample_num = 0;
    std::vector<float> signal; // analysis signal (sample_num values)
    float signal_abs_max = 0;
    int32_t wave_num = 0;
    std::vector<float> wave; // display signal in Pa (wave_num values)
    int32_t spectrum_num = 0;
    std::vector<float> spectrum;
    float spectrum_max = 0;
    int32_t raw_picture_len = 0;
    std::vector<uint8_t> raw_picture; // JPEG
    int32_t picture_len = 0;
    std::vector<uint8_t> picture; // JPEG
    double spl = 0;
    double spl_corrected = 0;
    double gain = 0;
    bool gain_correct = false;
};

using signal_frame_ptr = std::unique_ptr<signal_frame>;

// Header (and tail index) of Data.dat into d. With an open file, uses it and
// leaves it at the first frame. 0, -1 for invalid header JSON, or errno.
int read_data_head(const std::wstring& path, data_info& d, FILE* open_file = nullptr);

// Frames walked from the header to the end. 0 or errno.
int count_data_frames(const std::wstring& path, int32_t& count);

// Reads up to count frames from frame start, appending them to frames.
// count returns the number read; at_end tells whether the end was reached.
int read_data_frames(const std::wstring& path, int32_t start, int32_t& count,
                     std::vector<signal_frame_ptr>& frames, data_info& d, bool& at_end);

// note.json at path (or the given JSON text when path is empty and text is
// not null). 0, -1 empty file, -2 invalid JSON, or errno (EFBIG for a file
// beyond side_file_max_bytes, EISDIR or EINVAL for one that is no regular
// file).
int read_data_note(const std::wstring* path, data_info& d, const std::string* text = nullptr);

// data_edit.json in d.data_dir. 0, 1 empty, 2 invalid JSON, or errno (as
// read_data_note).
int read_data_edit(data_info& d);
// The same for a data_edit.json text already in memory.
int apply_data_edit_text(const std::string& text, data_info& d);

// Writes data_edit.json in d.data_dir (all eleven keys). 0 or errno.
int save_data_edit(const data_info& d);

// Rewrites "discharge", "favorite" and "data_valid_type" of the note.json at
// path, keeping every other key. 0 or an error code.
int save_data_note_change(const std::wstring& path, const data_info& d);

// The frames of one Data.dat from the first to the last, each length field
// read once: for going through a whole file in runs, where read_data_frames
// would walk again from the header for every run of a file without an index.
class data_frame_walk {
public:
    data_frame_walk() = default;
    ~data_frame_walk();
    data_frame_walk(const data_frame_walk&) = delete;
    data_frame_walk& operator=(const data_frame_walk&) = delete;

    // Opens the file and reads its header into d. 0, or as read_data_head.
    int open(const std::wstring& path, data_info& d);
    // Appends up to count frames; count returns how many. 0 or ENOMEM.
    int next(int32_t& count, std::vector<signal_frame_ptr>& frames);
    bool at_end() const { return at_end_; }
    // Length fields looked at so far.
    int64_t lengths_read() const { return lengths_read_; }

private:
    FILE* file_ = nullptr;
    int64_t pos_ = 0, begin_ = 0, end_ = 0;
    int32_t app_type_ = 3;
    bool at_end_ = true;
    int64_t lengths_read_ = 0;
};

// The first picture stored in the item's Data.dat (JPEG bytes); empty when
// there is none. For tiles whose grab.jpg is missing.
std::vector<uint8_t> read_first_picture(const std::wstring& data_dat_path);

// Header, note.json and data_edit.json of the item in d.data_dir, in that
// order (later files override). Returns the header result.
int read_data_item(data_info& d);

// ---- Lower-level pieces, shared with the tests, the generator and fuzzing ----

// Decoder results. The allocation failures follow the field order; a field
// that points past the payload ends the decode at that field.
enum frame_decode_result : int {
    frame_decode_ok = 0,
    // big-endian layout
    frame_decode_alloc_samples = 1,
    frame_decode_alloc_wave = 2,
    frame_decode_alloc_spectrum = 3,
    frame_decode_alloc_raw_picture = 4,
    frame_decode_alloc_picture = 5,
    frame_decode_past_payload = 6,
    // little-endian layout
    frame_decode_le_block_past_payload = 1, // spectrum or sample block
    frame_decode_le_picture_past_payload = 2,
    frame_decode_le_spl_past_payload = 3,
};

// Big-endian frame layout (writer 0). len is the payload length; nothing
// outside [payload, payload + len) is read.
int decode_frame_be(const uint8_t* payload, uint32_t len, signal_frame& f, double gain,
                    bool gain_correct);
// Little-endian frame layout (writers 1 and 2).
int decode_frame_le(const uint8_t* payload, uint32_t len, signal_frame& f);
// Decodes with the layout of app_type; type 3 leaves every field zero.
int decode_frame(int32_t app_type, const uint8_t* payload, uint32_t len, signal_frame& f);

// Whether a "TarvoOrnApp" file of this "app_version" ends with an index tail.
bool app_version_has_tail(const std::string& app_version);

// Applies a Data.dat header JSON text to d (keys, defaults, app_type,
// has_tail; the tail is not read). 0 or -1 when the text is not a JSON object.
int apply_data_head_text(const std::string& text, data_info& d, std::string* error = nullptr);
