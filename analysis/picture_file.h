#pragma once
// Picture files of a data item (grab.jpg, the annotated picture): read only
// when they are regular files of a sane size, so a FIFO or directory by that
// name never blocks a reader; written whole or not at all. Paths are wide and
// reach the file system byte for byte (names that are no UTF-8 included).
// Threading: any thread.

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <string>

constexpr size_t picture_file_max_bytes = 64 * 1024 * 1024;

// The file's bytes; empty when it is missing, no regular file or too large.
QByteArray read_picture_bytes(const std::wstring& path);
// The decoded picture; null when it cannot be read or decoded.
QImage read_picture_file(const std::wstring& path);
// Encodes img and replaces the file atomically. 0, EIO when the picture
// cannot be encoded, or the errno of the write.
int write_picture_file(const std::wstring& path, const QImage& img, const char* format,
                       int quality);
