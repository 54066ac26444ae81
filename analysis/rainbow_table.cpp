#include "analysis/rainbow_table.h"

namespace {
std::array<rgb8, 256> make_table() {
    // The red ramp of the first band is not linear; it is kept as a list.
    static const uint8_t violet_red[51] = {
        128, 126, 123, 121, 118, 116, 113, 111, 108, 106, 103, 101, 98, 96, 93, 91, 88,
        86,  83,  81,  78,  76,  73,  71,  68,  66,  63,  60,  58,  55, 53, 50, 48, 45,
        43,  40,  38,  35,  33,  30,  28,  25,  23,  20,  18,  15,  13, 10, 8,  5,  3};
    std::array<rgb8, 256> t{};
    t[0] = {128, 0, 255};
    for (int i = 1; i <= 51; ++i)
        t[i] = {violet_red[i - 1], 0, 255};
    for (int i = 52; i <= 102; ++i)
        t[i] = {0, uint8_t(5 * i - 259), 255};
    for (int i = 103; i <= 153; ++i)
        t[i] = {0, 255, uint8_t(767 - 5 * i)};
    for (int i = 154; i <= 204; ++i)
        t[i] = {uint8_t(5 * i - 767), 255, 0};
    for (int i = 205; i <= 254; ++i)
        t[i] = {255, uint8_t(1276 - 5 * i), 0};
    t[255] = {255, 0, 0};
    return t;
}
} // namespace

const std::array<rgb8, 256>& rainbow_table() {
    static const std::array<rgb8, 256> table = make_table();
    return table;
}
