#include "analysis/picture_file.h"

#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "platform/text.h"

#include <QBuffer>

#include <cerrno>

QByteArray read_picture_bytes(const std::wstring& path) {
    std::string bytes;
    if (path.empty() ||
        platform::read_regular_file(wide_to_utf8(path), picture_file_max_bytes, bytes) != 0)
        return QByteArray();
    return QByteArray(bytes.data(), int(bytes.size()));
}

QImage read_picture_file(const std::wstring& path) {
    const QByteArray bytes = read_picture_bytes(path);
    return bytes.isEmpty() ? QImage() : QImage::fromData(bytes);
}

int write_picture_file(const std::wstring& path, const QImage& img, const char* format,
                       int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (img.isNull() || !buffer.open(QIODevice::WriteOnly) || !img.save(&buffer, format, quality))
        return EIO;
    return platform::write_file_atomic(wide_to_utf8(path),
                                       std::string(bytes.constData(), size_t(bytes.size())));
}
