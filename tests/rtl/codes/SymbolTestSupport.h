#pragma once
// Paints a symbol's dark module runs, as the elements lay them out, into a
// grey image with a quiet zone, for the barcode reader.
#include "platform/rtl/model/KVR.Model.Codes.h"
#include <QImage>

// aPx pixels per module; a module row is aRowModules modules high.
inline QImage PaintLayout(const TKVRSymbolLayout& aLayout, int aPx, int aRowModules = 1, int aQuiet = 4)
{
    QImage image((aLayout.Width + 2 * aQuiet) * aPx, (aLayout.Height * aRowModules + 2 * aQuiet) * aPx,
                 QImage::Format_Grayscale8);
    image.fill(255);
    for (const TKVRModuleRun& run : aLayout.Runs)
        for (int y = (aQuiet + run.Y * aRowModules) * aPx; y < (aQuiet + (run.Y + run.H) * aRowModules) * aPx; ++y) {
            uchar* line = image.scanLine(y);
            for (int x = (aQuiet + run.X) * aPx; x < (aQuiet + run.X + run.W) * aPx; ++x)
                line[x] = 0;
        }
    return image;
}
