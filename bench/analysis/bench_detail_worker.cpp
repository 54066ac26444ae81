// Prints how long the detail view's analysis run takes (25 frames of 7680
// samples at 192 kHz, warm file cache) stage by stage, as the run's log line
// reports it, and how many heap allocations a repeated run makes.
// Goals: under 10 ms without the pictures' JPEG decoding, under 40 ms with
// it; no work buffer reallocated on a repeated run. Figures only; never
// fails on time.

#include "analysis/data_detail_func_obj.h"
#include "analysis/datafile/data_file.h"
#include "analysis/stft_fft_handoff.h"
#include "tools/samplegen/sample_gen.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

// Heap allocations are counted by interposing the C allocator (glibc): every
// operator new, QVector and QImage allocation ends up here.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
}
namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
} // namespace
extern "C" void* malloc(size_t n) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t a, size_t b) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(a, b);
}
extern "C" void* realloc(void* p, size_t n) {
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
extern "C" void free(void* p) {
    __libc_free(p);
}

namespace {
template <class F> long count_allocations(F&& f) {
    allocations = 0;
    counting = true;
    f();
    counting = false;
    return allocations.load();
}

// Best of the runs: the machine may be shared, and load only ever adds time.
double median(std::vector<double> v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

struct receivers {
    // The detail view keeps what it receives; a direct receiver that drops
    // the values costs the run nothing extra.
    explicit receivers(data_detail_func_obj& w, bool colour_bar) {
        if (colour_bar)
            QObject::connect(&w, &data_detail_func_obj::update_stft_fft,
                             [](unsigned char* b, int, int) { stft_fft_buffer_take(b); });
        QObject::connect(&w, &data_detail_func_obj::update_stft,
                         [](QImage, int, int, double, double, double, double) {});
    }
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir tmp;
    sample_options opt;
    opt.items = 1;
    opt.writer = 0;
    opt.frames = 25;
    opt.samples = 7680;
    opt.fs = 192000;
    sample_set set;
    if (generate_sample_set(tmp.path().toStdWString(), opt, &set) != 0 || set.items.empty()) {
        std::fprintf(stderr, "could not generate the sample item\n");
        return 1;
    }
    data_info d;
    d.data_dir = set.root + L"/" + set.items[0].dir_name;
    d.frame_num = 25;
    d.frame_read_num = 25;
    d.pic_num = 6;
    d.data_type = 0;
    d.fs = 192000;
    d.distance = 1;

    data_detail_func_obj w;
    receivers r(w, true);
    auto run = [&](const data_info& req) {
        w.data_detail_handle_add(req);
        w.update_data(0);
    };
    run(d); // warms the file cache, plans and buffers

    const int runs = 30;
    std::vector<double> total, total_no_pic, read, pic, wave, spec, stft, prpd, cpu;
    for (int i = 0; i < runs; ++i) {
        const std::clock_t c0 = std::clock();
        run(d);
        cpu.push_back((std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
        const detail_run_info info = w.last_run();
        total.push_back(info.t_total * 1e3);
        total_no_pic.push_back((info.t_total - info.t_pic) * 1e3);
        read.push_back(info.t_read * 1e3);
        pic.push_back(info.t_pic * 1e3);
        wave.push_back(info.t_wave * 1e3);
        spec.push_back(info.t_spectrum * 1e3);
        stft.push_back(info.t_stft * 1e3);
        prpd.push_back(info.t_prpd * 1e3);
    }
    std::printf("detail analysis run, 25 frames x 7680 samples at 192 kHz, best of %d runs (ms)\n",
                runs);
    std::printf(
        "  update_data finish %.3f f:%.3f s:%.3f p:%.3f w:%.3f p:%.3f (seconds, as logged)\n",
        median(total) / 1e3, median(spec) / 1e3, median(stft) / 1e3, median(prpd) / 1e3,
        median(wave) / 1e3, median(pic) / 1e3);
    std::printf("  read frames      %8.3f\n", median(read));
    std::printf("  pictures (JPEG)  %8.3f\n", median(pic));
    std::printf("  waveform         %8.3f\n", median(wave));
    std::printf("  spectrum         %8.3f\n", median(spec));
    std::printf("  spectrogram      %8.3f\n", median(stft));
    std::printf("  PRPD             %8.3f\n", median(prpd));
    std::printf("  total            %8.3f   (goal 40)\n", median(total));
    std::printf("  total w/o JPEG   %8.3f   (goal 10)\n", median(total_no_pic));
    std::printf("  processor time   %8.3f   (whole run)\n", median(cpu));

    // Allocations of a repeated run, and where they come from.
    const int buffers_before = w.work_buffer_allocations();
    w.data_detail_handle_add(d);
    const long whole = count_allocations([&] { w.update_data(0); });
    const int buffers_after = w.work_buffer_allocations();
    data_info no_pics = d;
    no_pics.data_type = 1; // same run without pictures
    run(no_pics);
    w.data_detail_handle_add(no_pics);
    const long without_pictures = count_allocations([&] { w.update_data(0); });
    std::vector<signal_frame_ptr> frames;
    frames.reserve(25); // the worker's frame vector keeps its capacity too
    const long reading = count_allocations([&] {
        data_info h;
        int32_t count = 25;
        bool at_end = false;
        read_data_frames(d.data_dir + L"/Data.dat", 0, count, frames, h, at_end);
        frames.clear();
    });
    // What handing out the spectrogram image and the colour bar costs by
    // itself (an image owning a copy of its pixels, one buffer).
    std::vector<uint8_t> pixels(48 * 910 * 3);
    const long outputs = count_allocations([&] {
        const QImage img = QImage(pixels.data(), 48, 910, 48 * 3, QImage::Format_RGB888).copy();
        stft_fft_buffer_take(stft_fft_buffer_new(910 * 256 * 3));
    });
    std::printf("heap allocations of a repeated run: %ld\n", whole);
    std::printf("  decoding the 6 pictures         %ld\n", whole - without_pictures);
    std::printf("  reading 25 frames (file reader)  %ld\n", reading);
    std::printf("  handed-out results               %ld\n", outputs);
    std::printf("  everything else (the request and\n"
                "  its directory text; no buffers)  %ld (work buffer reallocations: %d)\n",
                without_pictures - reading - outputs, buffers_after - buffers_before);
    return 0;
}
