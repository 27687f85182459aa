#pragma once
#include "platform/fmx/FMX.Types.h"
#include <QString>

// Font of the printer canvas. Size is in units of 1/96 inch of the device
// the canvas paints on (pixels on a 96 dpi bitmap); fractions are kept.
class TFont
{
public:
    const QString& Family() const { return fFamily; }
    void SetFamily(const QString& family) { fFamily = family; }
    float Size() const { return fSize; }
    void SetSize(float size) { fSize = size; }
    TFontStyles Style() const { return fStyle; }
    void SetStyle(TFontStyles style) { fStyle = style; }

    bool operator==(const TFont&) const = default;

private:
    QString fFamily;
    float fSize = 12.0f;
    TFontStyles fStyle = 0;
};
