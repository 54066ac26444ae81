// Import and frame-reading speed on a generated data set. Prints figures;
// never fails on timing.
//
// bench_datafile [ITEMS] [FRAMES] [SAMPLES]  (defaults 10000 25 7680)
// The set lives in a temporary directory: a few distinct Data.dat files,
// hard-linked into every item, keep the disk use small while the import
// still opens, reads and decodes one file per item.

#include "analysis/datafile/data_file.h"
#include "app/tasks/local_import.h"
#include "core/app_globals.h"
#include "store/database.h"
#include "tools/samplegen/sample_gen.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

// Processor time of this process: on a machine shared with other work the
// wall clock understates what one core does.
double cpu_seconds_since(std::clock_t start) {
    return double(std::clock() - start) / CLOCKS_PER_SEC;
}

// Warm the page cache with every file the import reads.
void warm(const sample_set& set) {
    for (const auto& it : set.items) {
        data_info d;
        d.data_dir = set.root + L"/" + it.dir_name;
        read_data_item(d);
        std::vector<signal_frame_ptr> frames;
        int32_t n = it.frames;
        bool at_end = false;
        read_data_frames(d.data_dir + L"/Data.dat", 0, n, frames, d, at_end);
    }
}

void import_run(const char* label, const std::wstring& root, bool one_transaction,
                double time_limit) {
    std::atomic<uint8_t> abort{0};
    QElapsedTimer t;
    t.start();
    const std::clock_t cpu = std::clock();
    local_import_options o;
    o.one_transaction = one_transaction;
    const local_import_result r = import_local_roots(
        {root}, abort,
        [&](double) {
            if (time_limit > 0 && seconds(t) > time_limit)
                abort.store(1);
        },
        o);
    const double s = seconds(t);
    const double c = cpu_seconds_since(cpu);
    std::printf("import %-28s %6d items in %7.3f s: %9.0f items/s (%.0f per CPU second)%s\n", label,
                r.inserted_all, s, r.inserted_all / s, r.inserted_all / c,
                r.aborted ? " (stopped early)" : "");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int items = args.size() > 1 ? args[1].toInt() : 10000;
    const int frames = args.size() > 2 ? args[2].toInt() : 25;
    const int samples = args.size() > 3 ? args[3].toInt() : 7680;

    QTemporaryDir tmp;
    set_app_data_location(tmp.filePath("data").toStdWString());
    QDir(tmp.path()).mkpath("data/config");
    db_init();

    sample_options o;
    o.items = items;
    o.frames = frames;
    o.samples = samples;
    o.writer = 0; // the big-endian writer with its index tail
    o.picture_width = 160;
    o.picture_height = 120;
    o.distinct_data_files = std::min(items, 40);
    sample_set set;
    QElapsedTimer t;
    t.start();
    const std::wstring root = tmp.filePath("bench_set").toStdWString();
    if (int r = generate_sample_set(root, o, &set)) {
        std::fprintf(stderr, "cannot generate the data set: %d\n", r);
        return 1;
    }
    std::printf("generated %d items x %d frames x %d samples in %.1f s\n", items, frames, samples,
                seconds(t));
    warm(set);

    import_run("(one transaction per set)", root, true, 0);
    // The same items once more, under another data set name (a name is
    // registered once).
    const QString again = tmp.filePath("bench_set_again");
    QFile::link(QString::fromStdWString(root), again);
    import_run("(autocommit, 20 s at most)", again.toStdWString(), false, 20);

    // Frame reading: the whole run of every distinct file, repeatedly.
    uint64_t payload = 0;
    int runs = 0;
    t.restart();
    const std::clock_t cpu = std::clock();
    while (seconds(t) < 3.0) {
        for (int i = 0; i < o.distinct_data_files; ++i) {
            const sample_item& it = set.items[size_t(i)];
            std::vector<signal_frame_ptr> fr;
            data_info d;
            int32_t n = frames;
            bool at_end = false;
            read_data_frames(set.root + L"/" + it.dir_name + L"/Data.dat", 0, n, fr, d, at_end);
            // Payload length of each big-endian frame, from what it held.
            for (const auto& f : fr)
                payload += 8 + 2ull * uint32_t(f->sample_num) + 4 +
                           4ull * uint32_t(f->spectrum_num) + 4ull * uint32_t(f->wave_num) + 8 +
                           f->raw_picture.size() + f->picture.size();
            ++runs;
        }
    }
    const double s = seconds(t);
    const double c = cpu_seconds_since(cpu);
    std::printf("read_data_frames: %d runs of %d frames, %.1f MB of payload in %.3f s: %.0f MB/s "
                "(%.0f MB per CPU second)\n",
                runs, frames, payload / 1e6, s, payload / 1e6 / s, payload / 1e6 / c);

    // A long file without an index table, read through in runs of 32 frames
    // (as halvix-cli info does): from the header for every run, against one walk.
    const int long_frames = 40000;
    {
        sample_frame_content c;
        c.counts = {1, -1, 2, -2};
        c.spectrum.assign(768, 0.01f);
        const std::vector<uint8_t> payload_one = encode_frame_be(c, false);
        const std::vector<std::vector<uint8_t>> payloads(size_t(long_frames), payload_one);
        const std::wstring path = tmp.filePath("long.dat").toStdWString();
        write_bytes(path,
                    build_data_dat("{\"app_name\":\"TarvoOrnApp\",\"app_version\":\"1.0.0.54\"}",
                                   payloads, false));
        t.restart();
        int read = 0;
        for (int32_t start = 0;;) {
            std::vector<signal_frame_ptr> fr;
            data_info d;
            int32_t n = 32;
            bool at_end = false;
            if (read_data_frames(path, start, n, fr, d, at_end) != 0 || n == 0)
                break;
            read += n;
            start += n;
            if (at_end)
                break;
        }
        const double runs_s = seconds(t);
        t.restart();
        data_frame_walk walk;
        data_info d;
        int walked = 0;
        if (walk.open(path, d) == 0) {
            while (!walk.at_end()) {
                std::vector<signal_frame_ptr> fr;
                int32_t n = 32;
                if (walk.next(n, fr) != 0 || n == 0)
                    break;
                walked += n;
            }
        }
        std::printf("%d frames without an index in runs of 32: %.3f s from the header per run "
                    "(%d read), %.3f s in one walk (%d read)\n",
                    long_frames, runs_s, read, seconds(t), walked);
    }
    return 0;
}
