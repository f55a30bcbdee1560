#pragma once
// An independent map of every byte the tables may write, written out by hand (base, stride,
// rows and field offsets of each table) rather than taken from the layouts under test.
#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

namespace dravik::test {

struct Region {
    uint32_t base;
    uint32_t stride;
    int rows;
    std::vector<int> offsets; // bytes of each record that belong to a field
};

inline const std::vector<Region>& FieldRegions()
{
    static const std::vector<Region> regions = {
        {0xC05F4, 9, 32, {0, 1, 2, 3, 4, 5, 6, 7}}, // main cannons
        {0xC0714, 9, 22, {0, 1, 2, 3, 4, 5, 6}},    // sub cannons
        {0xC07DA, 9, 20, {0, 1, 2, 3, 4, 5, 6, 7}}, // special cannons
        {0x7880D, 2, 20, {0, 1}},                   // shell prices
        {0xC088E, 9, 20, {0, 1, 2, 3, 4, 5, 7}},    // control systems
        {0xC0942, 7, 27, {0, 1, 2, 3, 5, 6}},       // engines
        {0xC0C54, 1, 15, {0}},                      // special shells
        {0xC05B4, 2, 32, {0, 1}},                   // tank items
        {0xC8201, 25, 22, {0, 1, 2, 3, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}}, // tanks
        {0xC0380, 5, 48, {0, 1, 2, 3, 4}},                                          // human weapons
        {0xC0528, 4, 20, {0, 1, 2, 3}},                                             // hand/foot armour
        {0xC0470, 4, 16, {0, 1, 2, 3}},                                             // head armour
        {0xC04B0, 5, 24, {0, 1, 2, 3}},                                             // body armour
        {0xC0578, 5, 12, {0, 1, 2, 3}},                                             // armour pieces
        {0xC0200, 2, 128, {0, 1}},                                                  // items
        {0xC0BFC, 3, 16, {0, 1, 2}},                                                // bounties
        {0xB7C2B, 15, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},                   // character statistics
        {0xB7DCD, 4, 3, {0, 1, 2}},                                                 // character items
        {0xB7DD9, 8, 3, {0, 1, 2, 3, 4, 5, 6}},                                     // character equipment
        {0xC0C4C, 1, 8, {0}},                                                       // snacks
        {0xC0C32, 2, 13, {0, 1}},                                                   // decorations
        {0xC0BEC, 1, 16, {0}},                                                      // drinks
        {0x30151, 0, 1, {0, 1, 2, 3}},                                              // red wolf, twice
        {0xC0C2C, 1, 3, {0}},                                                       // hotel rooms
        {0xC3BC4, 16, 152, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}}, // monster statistics
        {0xC3944, 4, 152, {0, 1, 2, 3}},                                            // monster rewards
        {0xC3444, 8, 152, {0, 5, 6, 7}},                                            // monster loot
    };
    return regions;
}

// The bytes of these records that belong to a field, or (spare) that no field uses yet: where a new
// field may come in without a change to the map above.
inline std::set<uint32_t> FieldBytes(bool spare = false)
{
    std::set<uint32_t> out;
    for (const Region& r : FieldRegions())
        for (int row = 0; row < r.rows; ++row)
            for (int o = 0; o < std::max(static_cast<int>(r.stride), r.offsets.back() + 1); ++o)
                if ((std::find(r.offsets.begin(), r.offsets.end(), o) == r.offsets.end()) == spare)
                    out.insert(r.base + r.stride * static_cast<uint32_t>(row) + static_cast<uint32_t>(o));
    return out;
}

} // namespace dravik::test
