// Renders the program's artwork from the vector drawings in src/ into the
// raster files listed in images.qrc, and the desktop icon's sizes at build
// time. Usage:
//   halvix_render_art <images dir>
//   halvix_render_art --icons <svg> <out dir> <size>...   (writes <size>.png)

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct raster_job {
    const char* source; // file in src/, without extension
    const char* output; // file written beside src/
    int width;
    int height;
    bool hidpi = false; // also write "<name>@2x.png" for scaled displays
};

const raster_job jobs[] = {
    {"app_logo", "app_logo.png", 256, 256},
    {"close", "close.png", 24, 24, true},
    {"max", "max.png", 24, 24, true},
    {"up0", "up0.png", 16, 16, true},
    {"down0", "down0.png", 16, 16, true},
    {"dataset", "dataset.png", 48, 48},
    {"folder", "folder.png", 72, 72},
    {"path_explorer", "path_explorer.png", 24, 24, true},
    {"search", "search.png", 24, 24, true},
    {"preview_play", "preview_play.png", 50, 50, true},
    {"preview_list_background", "preview_list_background.png", 280, 220},
    {"center_mark", "center_mark.png", 64, 64},
    {"logo", "logo.png", 320, 96},
    {"import_process_background_0", "import_process_background_0.png", 600, 44, true},
    {"import_process_background_1", "import_process_background_1.png", 600, 44, true},
    {"import_process_background_2", "import_process_background_2.png", 600, 44, true},
    {"import_process_background_3", "import_process_background_3.png", 600, 44, true},
    {"import_success", "import_success.png", 120, 120, true},
    {"import_failed", "import_failed.png", 120, 120, true},
    {"cancle", "cancle.png", 88, 33, true},
    {"cancle_disable", "cancle_disable.png", 88, 33, true},
};

// Icon sizes of the .ico; the largest is stored PNG-encoded, the rest as
// 32-bit bitmaps, which every reader understands.
const int ico_sizes[] = {16, 24, 32, 48, 64, 256};

QImage render(QSvgRenderer& svg, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    svg.render(&p, QRectF(0, 0, w, h));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

void put_u16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put_u32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// BITMAPINFOHEADER + bottom-up BGRA rows + an all-opaque AND mask.
QByteArray bitmap_entry(const QImage& img) {
    QByteArray out;
    const int w = img.width(), h = img.height();
    const int mask_stride = ((w + 31) / 32) * 4;
    put_u32(out, 40);
    put_u32(out, quint32(w));
    put_u32(out, quint32(h * 2)); // colour rows plus mask rows
    put_u16(out, 1);
    put_u16(out, 32);
    put_u32(out, 0);
    put_u32(out, quint32(w * h * 4 + mask_stride * h));
    put_u32(out, 0);
    put_u32(out, 0);
    put_u32(out, 0);
    put_u32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const char px[4] = {char(qBlue(row[x])), char(qGreen(row[x])), char(qRed(row[x])),
                                char(qAlpha(row[x]))};
            out.append(px, 4);
        }
    }
    out.append(QByteArray(mask_stride * h, '\0'));
    return out;
}

QByteArray png_entry(const QImage& img) {
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

bool write_ico(QSvgRenderer& svg, const QString& path) {
    std::vector<QByteArray> entries;
    std::vector<int> sizes;
    for (int s : ico_sizes) {
        const QImage img = render(svg, s, s);
        entries.push_back(s >= 256 ? png_entry(img) : bitmap_entry(img));
        sizes.push_back(s);
    }
    QByteArray out;
    put_u16(out, 0);
    put_u16(out, 1);
    put_u16(out, quint16(entries.size()));
    quint32 offset = 6 + 16 * quint32(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const char dim = char(sizes[i] >= 256 ? 0 : sizes[i]);
        out.append(dim);
        out.append(dim);
        out.append('\0'); // no palette
        out.append('\0');
        put_u16(out, 1);
        put_u16(out, 32);
        put_u32(out, quint32(entries[i].size()));
        put_u32(out, offset);
        offset += quint32(entries[i].size());
    }
    for (const QByteArray& e : entries)
        out += e;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}

} // namespace

// The application icon in the sizes of the desktop's icon theme.
int render_icons(int argc, char** argv) {
    QSvgRenderer svg(QString::fromLocal8Bit(argv[2]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[3]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[3]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString path = out.filePath(QStringLiteral("%1.png").arg(size));
        if (size < 1 || size > 1024 || !render(svg, size, size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc >= 5 && std::strcmp(argv[1], "--icons") == 0)
        return render_icons(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: %s <images dir>\n       %s --icons <svg> <out dir> <size>...\n",
                     argv[0], argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    int failures = 0;
    for (const raster_job& job : jobs) {
        QSvgRenderer svg(dir.filePath(QStringLiteral("src/%1.svg").arg(QLatin1String(job.source))));
        if (!svg.isValid()) {
            std::fprintf(stderr, "cannot read src/%s.svg\n", job.source);
            ++failures;
            continue;
        }
        const QString out = dir.filePath(QLatin1String(job.output));
        if (!render(svg, job.width, job.height).save(out, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", job.output);
            ++failures;
        }
        if (job.hidpi) {
            QString out2x = out;
            out2x.insert(out2x.size() - 4, QLatin1String("@2x"));
            if (!render(svg, job.width * 2, job.height * 2).save(out2x, "PNG")) {
                std::fprintf(stderr, "cannot write the @2x copy of %s\n", job.output);
                ++failures;
            }
        }
    }
    QSvgRenderer logo(dir.filePath(QStringLiteral("src/app_logo.svg")));
    if (!logo.isValid() || !write_ico(logo, dir.filePath(QStringLiteral("app_logo.ico")))) {
        std::fprintf(stderr, "cannot write app_logo.ico\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
