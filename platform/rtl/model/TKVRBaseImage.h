#pragma once
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include <QByteArray>
#include <QString>

// Colour treatment of a picture: 0 none, 1 grey, 2 black and white.
using TKVRImgFilter = uint8_t;
namespace KVRImgFilter {
constexpr TKVRImgFilter None = 0;
constexpr TKVRImgFilter Gray = 1;
constexpr TKVRImgFilter BlackWhite = 2;
}

// Where the picture of an image element comes from (read-only, follows the
// element's data): 0 the file in the document's image folder, 1 the bytes
// embedded in the element, 2 a data field of the current record.
using TKVRImgType = uint8_t;
namespace KVRImgType {
constexpr TKVRImgType File = 0;
constexpr TKVRImgType Embedded = 1;
constexpr TKVRImgType Data = 2;
}

// Alignment of a proportionally fitted picture along the axis with room to
// spare: 0 left or top, 1 centre, 2 right or bottom; any other value centres.
using TKVRImgAlign = uint8_t;

// Frame of a picture: 0 none, 1 rectangle (rounded with a corner radius),
// 2 circle with the picture in its inscribed square, 3 picture cut to the circle.
using TKVRFrame = uint8_t;
namespace KVRFrame {
constexpr TKVRFrame None = 0;
constexpr TKVRFrame Rectangle = 1;
constexpr TKVRFrame Circle = 2;
constexpr TKVRFrame CircleMask = 3;
}

// The encoded picture to decode: Bytes when the element embeds it, else
// Path when that file exists; both empty when there is nothing to show.
struct TKVRPictureSource
{
    QByteArray Bytes;
    QString Path;

    bool IsEmpty() const { return Bytes.isEmpty() && Path.isEmpty(); }
};

// A picture in the box between points 1 and 2, from bytes embedded in the
// document or from a file in the document's image folder, optionally bound
// to a data field. Binary after the filled header: file name (string),
// filter (byte), embedded (bool), alignment (byte), frame (byte), padding
// (int32 µm), corner radius (int32 µm), keep proportions (bool), quarter turn
// (byte), field name (string), picture bytes (int32 count, then the bytes),
// the two corners.
class TKVRBaseImage : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    TKVRBaseImage(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseImage(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return !fFillName.isEmpty(); }
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // Name of the picture file, relative to the document's image folder (an
    // absolute name stands as it is). With Embeded set, the picture is read
    // and embedded at once.
    QString GetFileName() const { return fFileName; }
    void SetFileName(const QString& aValue);
    // Set: the document keeps the picture; when it has no bytes yet they are
    // taken from the file now. Cleared: the bytes are dropped and the file is
    // used again.
    bool GetEmbeded() const { return fEmbeded; }
    void SetEmbeded(bool aValue);
    // The embedded picture (PNG), empty when none.
    const QByteArray& GetImageBytes() const { return fImageBytes; }
    // Reads the picture file and stores it as PNG bytes in the element;
    // false (and no bytes) when the file is missing or does not decode.
    bool EmbedPicture();
    // The one rule for every surface: the embedded bytes when there are any,
    // otherwise the file, when it exists.
    TKVRPictureSource GetPictureSource() const;
    // The picture file's full name (the document's image folder applied).
    QString GetImagePath() const;

    TKVRImgType GetImageType() const;
    TKVRImgFilter GetFilter() const { return fFilter; }
    void SetFilter(TKVRImgFilter aValue);
    TKVRImgAlign GetImageAlign() const { return fImageAlign; }
    void SetImageAlign(TKVRImgAlign aValue);
    TKVRFrame GetFrame() const { return fFrame; }
    void SetFrame(TKVRFrame aValue);
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue);
    bool GetKeepProp() const { return fKeepProp; }
    void SetKeepProp(bool aValue) { fKeepProp = aValue; }

    // Padding between frame and picture, in the document's unit and in µm.
    float GetPadding() const { return float(FromBase(fPadding)); }
    void SetPadding(float aValue) { SetBasePadding(int32_t(ToBase(aValue))); }
    int32_t GetBasePadding() const { return fPadding; }
    void SetBasePadding(int32_t aValue) { fPadding = aValue < 0 ? 0 : aValue; }
    // Corner radius of the rectangular frame (0: square corners).
    float GetRadio() const { return float(FromBase(fRadio)); }
    void SetRadio(float aValue) { SetBaseRadio(int32_t(ToBase(aValue))); }
    int32_t GetBaseRadio() const { return fRadio; }
    void SetBaseRadio(int32_t aValue) { fRadio = aValue < 0 ? 0 : aValue; }

    // Size of the box in the document's unit; setting it moves point 2.
    float GetWidth() const { return float(FromBase(fPoints[1].X - fPoints[0].X)); }
    float GetHeight() const { return float(FromBase(fPoints[1].Y - fPoints[0].Y)); }
    void SetWidth(float aValue);
    void SetHeight(float aValue);

    // Data field whose picture is printed for each record; empty: not bound.
    QString GetFillName() const { return fFillName; }
    void SetFillName(const QString& aValue) { fFillName = aValue; }

    // Set when the picture must be decoded again (new file or bytes); the
    // painter clears it after decoding.
    uint8_t GetReload() const { return fReload; }
    void SetReload(uint8_t aValue) { fReload = aValue; }

    // Size in pixels of the last decoded picture, and the same turned by the
    // quarter turn (swapped for 1 and 3). Working values, not stored.
    int32_t GetImgWidth() const { return fImgWidth; }
    int32_t GetImgHeight() const { return fImgHeight; }
    int32_t GetImgTurnWidth() const { return fImgTurnWidth; }
    int32_t GetImgTurnHeight() const { return fImgTurnHeight; }
    void SetImgSize(int32_t aWidth, int32_t aHeight);

private:
    void TurnImgSize();

    QString fFileName;
    TKVRImgFilter fFilter = KVRImgFilter::None;
    bool fEmbeded = false;
    QByteArray fImageBytes;
    TKVRImgAlign fImageAlign = 1;
    TKVRFrame fFrame = KVRFrame::None;
    int32_t fPadding = 0;
    int32_t fRadio = 0;
    bool fKeepProp = true;
    TKVRAngle fAngle = TKVRAngle::Angle0;
    QString fFillName;
    uint8_t fReload = 0;
    int32_t fImgWidth = 0;
    int32_t fImgHeight = 0;
    int32_t fImgTurnWidth = 0;
    int32_t fImgTurnHeight = 0;
};
