#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include <QString>
#include <cstdint>

class TKVRDraw;

// Paragraph element, kind 11: word-wrapped text in a box, optionally framed,
// filled and rounded, turned by a quarter turn. Screen and paper break lines
// by one rule: the box less an inner margin on each side.
class TKVRParagraph : public TKVRBasePara, public TKVRClassReaders<TKVRParagraph>
{
public:
    // Neither runs IniPara: the model's defaults stand.
    explicit TKVRParagraph(TKVRBaseLabel* aOwner);
    TKVRParagraph(TKVRBaseLabel* aOwner, TKVRLayer* aLayer);
    // The model's own constructor, for the class readers.
    TKVRParagraph(TKVRBaseLabel* aOwner, bool aPreview);

    // IniPara, then the model reads the record.
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // Font metrics and the lines of Text, in paper micrometres.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // What the last Print laid out, and its lines (printer pixels).
    const QString& GetPrintedText() const { return aText; }
    const TxtFLines& GetPrintedLines() const { return fPrintLines; }

    // The box's extent along the lines' stacking direction after the last
    // layout, paper micrometres with both margins; -1 when the box keeps its
    // size (the flags fit only a data-bound box to its text).
    int64_t GetFittedExtent() const { return fFittedExtent; }

private:
    void IniPara();
    // Paper micrometres from the box's start edge to the label's far edge in
    // the stacking direction, less both margins: the room AutoGrow allows.
    int64_t GrowRoom() const;

    QString aText;  // the text Print lays out: Text or the record's value
    TxtFLines fPrintLines;
    int64_t fFittedExtent = -1;
};
