#pragma once
// The paper sizes the sheet dialog offers; the last entry is the size the
// user types. Sizes are millimetres, portrait.
#include <QString>
#include <array>
#include <cstdint>

struct TKVRPaper
{
    double Width;
    double Height;
    const char* Name;
};

constexpr int32_t KVRPaperCount = 27;
constexpr int32_t UserPaperIndex = KVRPaperCount - 1;
extern const std::array<TKVRPaper, KVRPaperCount> KVrPapers;

// The entry of a paper of aWidth x aHeight micrometres in either orientation
// (within 0.1 mm); UserPaperIndex when none is that size.
int32_t KVRPaperIndexOf(int64_t aWidth, int64_t aHeight);
