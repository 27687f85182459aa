#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/KVR.TextLines.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/TKVRBasePara.h"
#include <QString>
#include <cstdint>

class TBinaryReader;
class TBinaryWriter;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRDraw;
class TKVRLayer;

// Paragraph element, kind 11: word-wrapped text in a box, optionally framed,
// filled and rounded, turned by a quarter turn. Screen and paper break lines
// by one rule: the box less an inner margin on each side.
class TKVRParagraph : public TKVRBasePara
{
public:
    // Neither runs IniPara: the model's defaults stand.
    explicit TKVRParagraph(TKVRBaseLabel* aOwner);
    TKVRParagraph(TKVRBaseLabel* aOwner, TKVRLayer* aLayer);
    // The model's own constructor, for the stream reader.
    TKVRParagraph(TKVRBaseLabel* aOwner, bool aPreview);

    // Builds through the model's (aOwner, aPreview) constructor, then ReadData.
    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    void WriteData(TBinaryWriter& aWriter) const override;
    // IniPara, then the model reads the record.
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // Font metrics and the lines of Text, in paper micrometres.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // Wrap box of the layout (line width, stacking extent) in paper µm: the
    // box less twice the margins, swapped for quarter turns 1 and 3.
    void WrapBox(int32_t& oWidth, int32_t& oHeight) const;
    // What the last Print laid out, and its lines (printer pixels).
    const QString& GetPrintedText() const { return aText; }
    const TxtFLines& GetPrintedLines() const { return fPrintLines; }
    // The printed box of the last Print (printer pixels, cell origin included).
    const TRectF& GetPrintedBox() const { return fPrintBox; }

private:
    void IniPara();
    void DrawBox(TKVRDraw* aDraw);

    QString aText;  // the text Print lays out: Text or the record's value
    QString aLine;  // the line being painted
    TxtFLines fPrintLines;
    TRectF fPrintBox;
};
