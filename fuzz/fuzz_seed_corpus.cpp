// Writes a seed corpus for the Data.dat fuzz target: small generated files
// of every writer layout, single frame payloads, and JSON texts.

#include "tools/samplegen/sample_gen.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seed_corpus OUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const QString gen = out + "/.gen";
    sample_options o;
    o.items = 6;
    o.frames = 3;
    o.samples = 64;
    o.picture_width = 16;
    o.picture_height = 16;
    sample_set set;
    if (generate_sample_set(gen.toStdWString(), o, &set) != 0)
        return 1;
    int n = 0;
    for (const auto& it : set.items) {
        const QString dir = gen + "/" + QString::fromStdWString(it.dir_name);
        QFile::copy(dir + "/Data.dat", QString("%1/item_%2.dat").arg(out).arg(n));
        QFile::copy(dir + "/note.json", QString("%1/note_%2.json").arg(out).arg(n));
        ++n;
    }
    sample_frame_content c;
    c.tag = 1;
    c.counts = {1, -2, 3, -4};
    c.wave_pa = {0.1f, 0.2f, 0.3f, 0.4f};
    c.spectrum.assign(768, 0.5f);
    c.raw_picture = {0xff, 0xd8};
    c.picture = {0xff, 0xd8, 0xff, 0xd9};
    c.spl = 90.0f;
    write_bytes((out + "/frame_be.bin").toStdWString(), encode_frame_be(c, true));
    write_bytes((out + "/frame_be_short.bin").toStdWString(), encode_frame_be(c, false));
    write_bytes((out + "/frame_le.bin").toStdWString(), encode_frame_le(c));
    write_text((out + "/head.json").toStdWString(),
               "{\"app_name\":\"TarvoOrnApp\",\"app_version\":\"1.0.0.55\",\"beamforming\":"
               "{\"micGain\":\"-13\"},\"geometry\":{\"distance\":1.5}}");
    QDir(gen).removeRecursively();
    std::printf("%d seed files in %s\n", n * 2 + 4, argv[1]);
    return 0;
}
