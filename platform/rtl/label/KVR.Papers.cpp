#include "platform/rtl/label/KVR.Papers.h"
#include <cmath>

const std::array<TKVRPaper, KVRPaperCount> KVrPapers{{
    {841, 1189, "A0"},        {594, 841, "A1"},          {420, 594, "A2"},         {297, 420, "A3"},
    {210, 297, "A4"},         {148, 210, "A5"},          {105, 148, "A6"},         {74, 105, "A7"},
    {353, 500, "B3"},         {250, 353, "B4"},          {176, 250, "B5"},         {125, 176, "B6"},
    {215.9, 279.4, "Letter"}, {215.9, 355.6, "Legal"},   {279.4, 431.8, "Tabloid"},
    {184.15, 266.7, "Executive"}, {139.7, 215.9, "Statement"}, {210, 330, "Folio"},
    {229, 324, "C4"},         {162, 229, "C5"},          {114, 162, "C6"},         {110, 220, "DL"},
    {104.775, 241.3, "Envelope #10"}, {100, 148, "Postcard"}, {101.6, 152.4, "4 x 6 in"},
    {431.8, 558.8, "C (17 x 22 in)"}, {0, 0, "User defined"},
}};

int32_t KVRPaperIndexOf(int64_t aWidth, int64_t aHeight)
{
    const auto near = [](double aMm, int64_t aMicrometres) { return std::abs(aMm * 1000.0 - double(aMicrometres)) <= 100.0; };
    for (int32_t i = 0; i < UserPaperIndex; ++i) {
        const TKVRPaper& p = KVrPapers[size_t(i)];
        if ((near(p.Width, aWidth) && near(p.Height, aHeight)) || (near(p.Width, aHeight) && near(p.Height, aWidth)))
            return i;
    }
    return UserPaperIndex;
}
