#pragma once
class TKVRBaseLabel;

// Rating graphics in several shapes and directions and nutrition scores of
// both layouts, in the band from 195 to 240 mm of an A4 page.
void BuildRankNutriDemo(TKVRBaseLabel& doc);
