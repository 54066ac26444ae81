#pragma once
// Type and pixel size of a picture file, read from its header only.
// Threading: any thread.

#include <string>

namespace docengine {

struct image_info {
    std::string extension;    // "jpeg", "png", "gif", "bmp"
    std::string content_type; // "image/jpeg", ...
    int width = 0;            // pixels
    int height = 0;
};

// False when the bytes are not a picture of a supported type or give no size.
bool read_image_info(const std::string& bytes, image_info& out);

} // namespace docengine
