#pragma once
#include <cstdint>

// 32-bit ARGB colour, alpha in the top byte.
using TAlphaColor = uint32_t;

// The colour of four channels, each 0..255.
constexpr TAlphaColor AlphaColor(uint8_t aRed, uint8_t aGreen, uint8_t aBlue, uint8_t aAlpha)
{
    return (TAlphaColor(aAlpha) << 24) | (TAlphaColor(aRed) << 16) | (TAlphaColor(aGreen) << 8) | aBlue;
}

namespace TAlphaColors {
constexpr TAlphaColor Null = 0x00000000u;
constexpr TAlphaColor Black = 0xFF000000u;
constexpr TAlphaColor White = 0xFFFFFFFFu;
constexpr TAlphaColor Red = 0xFFFF0000u;
constexpr TAlphaColor Green = 0xFF008000u;
constexpr TAlphaColor Blue = 0xFF0000FFu;
constexpr TAlphaColor Gray = 0xFF808080u;
constexpr TAlphaColor LightGreen = 0xFF90EE90u;
constexpr TAlphaColor DarkBlue = 0xFF00008Bu;
constexpr TAlphaColor Lavender = 0xFFE6E6FAu;
}
