#pragma once
// Synthetic data sets in the three writer layouts, for tests, benchmarks and
// the halvix-cli "sample" command. Everything is deterministic for a seed:
// the same options give byte-identical files.
// Threading: any thread; needs no application object (pictures are drawn
// with QPainter on QImage, without fonts).

#include <cstdint>
#include <string>
#include <vector>

struct sample_options {
    int items = 12;
    int writer = -1; // -1: mixed in turn; 0 TarvoOrnApp, 1 TarvoSableApp, 2 vuvoraro
    int frames = 8;
    int samples = 7680; // per frame
    int fs = 192000;
    uint32_t seed = 1;
    bool gas_leak = false; // every item a gas-leak recording (otherwise every fourth)
    int picture_width = 640;
    int picture_height = 480;
    bool raw_pictures = true; // per-frame raw pictures of the big-endian layout
    bool grab = true;         // grab.jpg
    // Benchmarks: write only this many distinct Data.dat files and hard-link
    // the others to them (0: every item its own file).
    int distinct_data_files = 0;
};

// What one generated item holds, i.e. what a correct reader finds.
struct sample_item {
    std::wstring dir_name;
    int app_type = 0;
    std::string app_name;
    std::string app_version;
    bool has_tail = false;
    std::string time; // "yyyy-MM-dd HH:mm:ss"
    std::wstring name;
    std::wstring note;
    int discharge = 0;
    int favorite = 0;
    int valid_type = 0;
    bool note_has_spl = false;
    double note_spl = 0;
    int data_type = 0;
    int sign_mode = 0;
    bool gas_leak = false;
    double distance = 0;
    int mic_gain_text = 0; // "micGain" as written
    int fs = 0;
    int samples = 0;
    int frames = 0;
    // Signal content (pressure in Pa).
    double tone_hz = 0; // 0 for a leak hiss
    double tone_pa = 0; // peak amplitude of the tone in frame 0
    double hiss_low_hz = 0, hiss_high_hz = 0;
    double hiss_rms_pa = 0;
    double pd_pa = 0;                 // partial-discharge pulse peak, 0 when none
    std::vector<double> pd_phase_deg; // pulse positions on the 50 Hz cycle
    double noise_rms_pa = 0;
    double pa_per_count = 0;       // Pa of one stored sample unit (count or float)
    std::vector<double> frame_spl; // level of each frame, dB
    std::vector<uint32_t> index_table;
};

struct sample_set {
    std::wstring root;
    std::vector<sample_item> items;
};

// Writes the data set into out_dir (created when missing). 0 or an errno.
int generate_sample_set(const std::wstring& out_dir, const sample_options& options,
                        sample_set* out = nullptr);

// ---- Building blocks, for tests that need hand-made files ----

// Content of one frame before encoding.
struct sample_frame_content {
    uint32_t tag = 0;
    std::vector<int16_t> counts; // big-endian layout samples
    std::vector<float> wave_pa;  // display wave (big-endian) / samples (little-endian)
    std::vector<float> spectrum; // 768 band levels in Pa
    std::vector<uint8_t> raw_picture;
    std::vector<uint8_t> picture;
    float spl = 0; // little-endian layout level field
};

// Payloads (without the 4-byte length prefix).
std::vector<uint8_t> encode_frame_be(const sample_frame_content& c, bool with_wave);
std::vector<uint8_t> encode_frame_le(const sample_frame_content& c);

// A whole Data.dat: header, length-prefixed frames, optional index tail.
// index_out receives each frame's offset.
std::vector<uint8_t> build_data_dat(const std::string& header_json,
                                    const std::vector<std::vector<uint8_t>>& payloads,
                                    bool with_tail, std::vector<uint32_t>* index_out = nullptr);

// Writes bytes to a file (replaced). 0 or errno.
int write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
int write_text(const std::wstring& path, const std::string& text);

// A JPEG camera view: scene of the seed, optional sound spot, frame number.
std::vector<uint8_t> make_sample_picture(int width, int height, uint32_t seed, int frame, bool spot,
                                         int spot_x, int spot_y);
