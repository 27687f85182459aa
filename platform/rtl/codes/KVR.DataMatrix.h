#pragma once
#include <QByteArray>
#include <cstdint>
#include <vector>

// Data Matrix ECC 200 modules for aData, one byte per character (8-bit text
// of the system's code page, marked by the ECI that KVRCodePage::EciOf names).
// aSize: 0 the smallest symbol that holds the data; 1..24 the square sizes
// 10x10 .. 144x144; 25..30 the rectangular sizes 8x18, 8x32, 12x26, 12x36,
// 16x36 and 16x48. aShape (for aSize 0): 0 square symbols only, any other value
// rectangular ones too.
// oModules holds oRows x oColumns bytes row by row (index row x oColumns + column),
// 1 = dark, without quiet zone. False, with oModules empty and 0 x 0, when the
// data is empty, too long for the symbol or the size is unknown.
bool CalcECC200(const QByteArray& aData, int32_t aSize, int32_t aShape, std::vector<uint8_t>& oModules,
                uint16_t& oColumns, uint16_t& oRows);
bool CalcECC200(const std::vector<uint8_t>& aData, int32_t aSize, int32_t aShape, std::vector<uint8_t>& oModules,
                uint16_t& oColumns, uint16_t& oRows);
