#pragma once
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QByteArray>
#include <QString>
#include <cstdint>

// A layer of the document: its state bits and the defaults that new
// elements on it take.
class TBinaryReader;
class TBinaryWriter;

class TKVRLayer
{
public:
    static constexpr uint16_t StateVisible = 0x0001;
    static constexpr uint16_t StatePrintable = 0x0002;
    // Its elements can be selected.
    static constexpr uint16_t StateSelect = 0x0004;
    static constexpr uint16_t StateExport = 0x0008;
    // The background image is a composed map, not a picture file.
    static constexpr uint16_t StateComposedMap = 0x0040;
    // The layer's background image in the preview and on paper; in exports.
    static constexpr uint16_t StateBackPrint = 0x0080;
    static constexpr uint16_t StateBackExport = 0x0100;

    explicit TKVRLayer(int32_t aIndex, const QString& aName = QString()) : fIndex(aIndex), fName(aName) {}

    int32_t GetIndex() const { return fIndex; }
    QString GetName() const { return fName; }
    void SetName(const QString& aValue) { fName = aValue; }
    // The option bits above.
    uint16_t GetState() const { return fState; }
    void SetState(uint16_t aValue) { fState = aValue; }
    void SetColor(TAlphaColor aValue) { Color = aValue; }
    void SetBackColor(TAlphaColor aValue) { BackColor = aValue; }
    void SetFontColor(TAlphaColor aValue) { FontColor = aValue; }
    void SetFontName(const QString& aValue) { FontName = aValue; }

    // Defaults for new elements.
    TAlphaColor Color = TAlphaColors::Black;
    TAlphaColor BackColor = TAlphaColors::White;
    int32_t PenWidth = 250;  // micrometres
    QString FontName = QStringLiteral("Arial");
    TAlphaColor FontColor = TAlphaColors::Black;
    int32_t FontHeight = 3000;  // micrometres
    bool Bold = false;
    bool Italic = false;

    // The defaults as new elements take them: millimetres.
    float GetPenWidth() const { return float(PenWidth) / 1000.0f; }
    float GetFontHeight() const { return float(FontHeight) / 1000.0f; }
    void SetPenWidth(float aValue);
    void SetFontHeight(float aValue);
    bool GetBold() const { return Bold; }
    bool GetItalic() const { return Italic; }

    // Background image: encoded bytes (they win over the file once present),
    // or a file in the label's image folder; margins in the label's units.
    bool ImgEmbed = false;
    QByteArray ImgBytes;
    QString ImgFileName;
    float ImgMarLeft = 0, ImgMarTop = 0, ImgMarRight = 0, ImgMarBottom = 0;
    float GetImgMarLeft() const { return ImgMarLeft; }
    float GetImgMarTop() const { return ImgMarTop; }
    float GetImgMarRight() const { return ImgMarRight; }
    float GetImgMarBottom() const { return ImgMarBottom; }
    // Negative or NaN margins are taken as 0.
    void SetImgMarLeft(float aValue);
    void SetImgMarTop(float aValue);
    void SetImgMarRight(float aValue);
    void SetImgMarBottom(float aValue);

    // Name, state, the defaults, then the background image; Read raises before changing anything when it cannot.
    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    friend class TKVRBaseLabel;
    int32_t fIndex;
    QString fName;
    uint16_t fState = StateVisible | StatePrintable | StateExport;
};
