#pragma once
// The 256-entry rainbow colour table of the spectrogram and its colour bar:
// index 0 is the lowest value (violet), 255 the highest (red).
// Threading: any thread; the table is immutable.

#include <array>
#include <cstdint>

struct rgb8 {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

const std::array<rgb8, 256>& rainbow_table();
