#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <string>

namespace {

// The enumerations of the element: a value past the last one is refused.
uint8_t CheckEnum(uint8_t aValue, uint8_t aMax, const char* aWhat)
{
    if (aValue > aMax)
        throw EKVRDataError(std::string("Invalid value for ") + aWhat + ": " + std::to_string(aValue));
    return aValue;
}

uint8_t JsonEnum(const TJsonObject& aJson, const char* aKey, uint8_t aDefault, uint8_t aMax)
{
    const uint8_t v = KVRJson::GetByte(aJson, aKey, aDefault);
    if (v > aMax)
        throw EKVRJsonError(std::string("Invalid JSON value for \"") + aKey + "\": out of range");
    return v;
}

constexpr uint8_t kMaxFilter = KVRImgFilter::BlackWhite;
constexpr uint8_t kMaxFrame = KVRFrame::CircleMask;

}  // namespace

TKVRBaseImage::TKVRBaseImage(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Image, 2, aPreview)
{
}

TKVRBaseImage::TKVRBaseImage(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Image, 2, aPreview)
{
}

// ---------------------------------------------------------------- picture

void TKVRBaseImage::SetFileName(const QString& aValue)
{
    fFileName = aValue;
    if (fEmbeded) {
        // A new picture replaces the kept one, never the other way round.
        fImageBytes.clear();
        EmbedPicture();
    }
    fReload = 1;
}

void TKVRBaseImage::SetEmbeded(bool aValue)
{
    fEmbeded = aValue;
    if (aValue) {
        if (fImageBytes.isEmpty())
            EmbedPicture();
    } else if (!fImageBytes.isEmpty()) {
        fImageBytes.clear();
        fReload = 1;
    }
}

bool TKVRBaseImage::EmbedPicture()
{
    const QString path = GetImagePath();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&buffer, "png");
    writer.setQuality(80);
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32)))
        return false;
    fImageBytes = bytes;
    fReload = 1;
    return true;
}

TKVRPictureSource TKVRBaseImage::GetPictureSource() const
{
    TKVRPictureSource source;
    if (!fImageBytes.isEmpty()) {
        source.Bytes = fImageBytes;
        return source;
    }
    const QString path = GetImagePath();
    if (!path.isEmpty() && QFileInfo(path).isFile())  // follows links
        source.Path = path;
    return source;
}

QString TKVRBaseImage::GetImagePath() const
{
    if (fFileName.isEmpty())
        return QString();
    return GetOwner() ? GetOwner()->GetImagePath(fFileName) : fFileName;
}

TKVRImgType TKVRBaseImage::GetImageType() const
{
    if (!fFillName.isEmpty())
        return KVRImgType::Data;
    return fImageBytes.isEmpty() ? KVRImgType::File : KVRImgType::Embedded;
}

// ---------------------------------------------------------------- settings

void TKVRBaseImage::SetFilter(TKVRImgFilter aValue)
{
    fFilter = CheckEnum(aValue, kMaxFilter, "Filter");
}

void TKVRBaseImage::SetImageAlign(TKVRImgAlign aValue)
{
    fImageAlign = aValue;
}

void TKVRBaseImage::SetFrame(TKVRFrame aValue)
{
    fFrame = CheckEnum(aValue, kMaxFrame, "Frame");
}

void TKVRBaseImage::SetAngle(TKVRAngle aValue)
{
    fAngle = aValue;
    TurnImgSize();
}

void TKVRBaseImage::SetWidth(float aValue)
{
    SetBase(2, fPoints[0].X + ToBase(aValue), fPoints[1].Y);
}

void TKVRBaseImage::SetHeight(float aValue)
{
    SetBase(2, fPoints[1].X, fPoints[0].Y + ToBase(aValue));
}

void TKVRBaseImage::SetImgSize(int32_t aWidth, int32_t aHeight)
{
    fImgWidth = aWidth;
    fImgHeight = aHeight;
    TurnImgSize();
}

void TKVRBaseImage::TurnImgSize()
{
    const bool quarter = fAngle == TKVRAngle::Angle90 || fAngle == TKVRAngle::Angle270;
    fImgTurnWidth = quarter ? fImgHeight : fImgWidth;
    fImgTurnHeight = quarter ? fImgWidth : fImgHeight;
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBaseImage::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["FileName"] = KVRJson::Str(fFileName);
    j["Filter"] = fFilter;
    j["Embeded"] = fEmbeded;
    j["ImageAlign"] = fImageAlign;
    j["Frame"] = fFrame;
    j["Padding"] = fPadding;
    j["Radius"] = fRadio;
    j["KeepProportions"] = fKeepProp;
    j["Angle"] = uint8_t(fAngle);
    j["FillName"] = KVRJson::Str(fFillName);
    j["ImageData"] = fImageBytes.toBase64().toStdString();
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseImage::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fFileName = KVRJson::GetString(aJson, "FileName", fFileName);
    fFilter = JsonEnum(aJson, "Filter", fFilter, kMaxFilter);
    fEmbeded = KVRJson::GetBool(aJson, "Embeded", fEmbeded);
    // Any alignment and turn byte is kept; painting centres and leaves unturned what it does not know.
    fImageAlign = KVRJson::GetByte(aJson, "ImageAlign", fImageAlign);
    fFrame = JsonEnum(aJson, "Frame", fFrame, kMaxFrame);
    fPadding = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "Padding", fPadding), "Padding"));
    fRadio = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "Radius", fRadio), "Radius"));
    fKeepProp = KVRJson::GetBool(aJson, "KeepProportions", fKeepProp);
    fAngle = TKVRAngle(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)));
    fFillName = KVRJson::GetString(aJson, "FillName", fFillName);
    if (aJson.contains("ImageData")) {
        const QString text = KVRJson::GetString(aJson, "ImageData", QString());
        auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            throw EKVRJsonError("Invalid JSON value for \"ImageData\": Base64 was expected");
        fImageBytes = *decoded;
    }
    ReadJsonPoints(aJson, 1, 2, 2);
    TurnImgSize();
    fReload = 1;
}

void TKVRBaseImage::UpdatePoints()
{
    NormalizeBox();
}

void TKVRBaseImage::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteString(fFileName);
    aWriter.WriteByte(fFilter);
    aWriter.WriteBoolean(fEmbeded);
    aWriter.WriteByte(fImageAlign);
    aWriter.WriteByte(fFrame);
    aWriter.WriteInt32(fPadding);
    aWriter.WriteInt32(fRadio);
    aWriter.WriteBoolean(fKeepProp);
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteString(fFillName);
    aWriter.WriteInt32(int32_t(fImageBytes.size()));
    aWriter.WriteBytes(fImageBytes);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseImage::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fFileName = aReader.ReadString();
    fFilter = CheckEnum(aReader.ReadByte(), kMaxFilter, "Filter");
    fEmbeded = aReader.ReadBoolean();
    fImageAlign = aReader.ReadByte();
    fFrame = CheckEnum(aReader.ReadByte(), kMaxFrame, "Frame");
    fPadding = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Padding"));
    fRadio = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Radius"));
    fKeepProp = aReader.ReadBoolean();
    fAngle = TKVRAngle(aReader.ReadByte());
    fFillName = aReader.ReadString();
    // The count is checked against what is left before anything is allocated.
    const int32_t size = aReader.ReadCount(1);
    fImageBytes = aReader.ReadBytes(size);
    ReadPoints(aReader, 1, 2, 2);
    TurnImgSize();
    fReload = 1;
}
