#pragma once
// The barcode source that the linear barcode painters read: the settings of a
// barcode element (or of a poly-text item encoded as one barcode), its
// human-readable text and its bar pattern.
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/KVR.Types.h"
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

// Implemented by the model bases of the barcode and poly-text elements. The
// slot order is the interface's own and is kept as it stands, slot 13 included.
class TKVRBarcodeIntf
{
public:
    virtual ~TKVRBarcodeIntf() = default;

    virtual float GetBarWidth() const = 0;      // module width, the narrow bar, mm
    virtual float GetBarHeight() const = 0;     // mm
    virtual float GetPaddingX() const = 0;      // along the bars, mm
    virtual float GetPaddingY() const = 0;      // across them, mm
    virtual float GetFactor() const = 0;        // wide-to-narrow ratio
    virtual TKVRHorzAlign GetHorzAlign() const = 0;
    virtual TKVRAngle GetAngle() const = 0;
    virtual float GetFontHeight() const = 0;    // human-readable text, mm
    virtual bool GetShowNumber() const = 0;
    virtual TKVRBarType GetBarType() const = 0;
    virtual QByteArray GetCodeText() const = 0; // human-readable text
    virtual QByteArray GetBarPattern() const = 0; // one character per bar or space (TBarcode::FillBarData)
    virtual void Reserved13() = 0;              // slot kept for the order; the painters never call it
    virtual QString GetFontName() const = 0;
    // A length in millimetres at a resolution in dots per inch, as pixels and
    // as whole dots (halves to even).
    virtual float LengthToPixels(float aLength, int32_t aResolution) const
    {
        return float(double(aLength) * double(aResolution) / 25.4);
    }
    virtual int32_t LengthToDots(float aLength, int32_t aResolution) const
    {
        return RoundHalfEven32(double(aLength) * double(aResolution) / 25.4);
    }
};

using IKVRBarcode = std::shared_ptr<TKVRBarcodeIntf>;

// An element hands itself to the painters without giving up ownership (its
// document owns it): a reference that never deletes.
inline IKVRBarcode KVRBarcodeRef(TKVRBarcodeIntf& aSource)
{
    return IKVRBarcode(IKVRBarcode(), &aSource);
}
