#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// Modules of a two-dimensional symbol made by zint, row by row, 1 = dark.
struct TZintMatrix
{
    std::vector<uint8_t> Modules;
    int32_t Columns = 0;
    int32_t Rows = 0;
};

// Options handed to zint for one symbol; see zint.h for their meaning per symbology.
struct TZintOptions
{
    int Symbology = 0;
    int InputMode = 0;  // DATA_MODE: bytes as they stand; UNICODE_MODE: UTF-8 text
    int Option1 = -1;   // zint's "unset" for option_1
    int Option2 = 0;
    int Option3 = 0;
    int Eci = 0;
};

// Encodes aData with zint. False, with oMatrix empty and the reason in oError,
// when zint refuses the data (too long, invalid option) or returns no modules.
bool ZintEncodeMatrix(const TZintOptions& aOptions, const QByteArray& aData, TZintMatrix& oMatrix,
                      QString* oError = nullptr);
