#include "platform/rtl/model/TKVRBaseRichText.h"

TKVRBaseRichText::TKVRBaseRichText(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBasePara(aOwner, KVRItemKind::RichText, aPreview)
{
}

TKVRBaseRichText::TKVRBaseRichText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBasePara(aOwner, aLayer, KVRItemKind::RichText, aPreview)
{
}

void TKVRBaseRichText::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBasePara::ReadJson(aVersion, aJson);
    DrawSegments.clear();
    ParseRichText();
    Changed();
}

void TKVRBaseRichText::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBasePara::ReadData(aVersion, aReader, aReadType);
    DrawSegments.clear();
    ParseRichText();
    Changed();
}

void TKVRBaseRichText::CalcValues(int16_t aMode)
{
    TKVRBasePara::CalcValues(aMode);
    ParseRichText();
}

void TKVRBaseRichText::SetText(const QString& aValue)
{
    TKVRBasePara::SetText(aValue);
    ParseRichText();
}

void TKVRBaseRichText::SetFontHeight(float aValue)
{
    TKVRBasePara::SetFontHeight(aValue);
    ParseRichText();
}

QString TKVRBaseRichText::GetPlainText() const
{
    return ::GetPlainText(GetText());
}

int32_t TKVRBaseRichText::PlainPosToRichPos(int32_t aPlainPos) const
{
    return ::PlainPosToRichPos(GetText(), aPlainPos);
}

int32_t TKVRBaseRichText::RichPosToPlainPos(int32_t aRichPos) const
{
    return ::RichPosToPlainPos(GetText(), aRichPos);
}

TRichTextFormat TKVRBaseRichText::BaseFormat() const
{
    TRichTextFormat f;
    f.FontName = GetFontName();
    f.FontHeight = GetBaseFontHeight();
    f.Color = GetFontColor();
    f.Bold = GetBold();
    f.Italic = GetItalic();
    f.Underline = GetUnderline();
    f.Strikeout = GetStrikeout();
    return f;
}

void TKVRBaseRichText::ParseRichText()
{
    ParseRichTextInto(GetDisplayText(), BaseFormat(), Formats, Runs, true);
}

bool TKVRBaseRichText::GetSegmentAtPlainPos(int32_t aPlainPos, int32_t& oIndex, int32_t& oOffset) const
{
    return ::GetSegmentAtPlainPos(DrawSegments, aPlainPos, oIndex, oOffset);
}

int32_t TKVRBaseRichText::GetPlainPosAtSegment(int32_t aIndex, int32_t aOffset) const
{
    return ::GetPlainPosAtSegment(DrawSegments, aIndex, aOffset);
}

TRichTextFormat TKVRBaseRichText::FormatAt(int32_t aIndex) const
{
    if (aIndex >= 0 && size_t(aIndex) < Formats.size())
        return Formats[size_t(aIndex)];
    return BaseFormat();
}

void TKVRBaseRichText::SetRichFontName(const QString& aValue)
{
    TKVRBasePara::SetFontName(aValue);
    ParseRichText();
}

void TKVRBaseRichText::SetRichFontColor(TAlphaColor aValue)
{
    TKVRBasePara::SetFontColor(aValue);
    ParseRichText();
    Changed();
}

void TKVRBaseRichText::SetRichBold(bool aValue)
{
    TKVRBasePara::SetBold(aValue);
    ParseRichText();
}

void TKVRBaseRichText::SetRichItalic(bool aValue)
{
    TKVRBasePara::SetItalic(aValue);
    ParseRichText();
}

void TKVRBaseRichText::SetUnderline(bool aValue)
{
    TKVRBasePara::SetUnderline(aValue);
    ParseRichText();
    Changed();
}

void TKVRBaseRichText::SetStrikeout(bool aValue)
{
    TKVRBasePara::SetStrikeout(aValue);
    ParseRichText();
    Changed();
}

void TKVRBaseRichText::SetBaseFontHeight(int32_t aValue)
{
    TKVRBasePara::SetBaseFontHeight(aValue);
    ParseRichText();
}
