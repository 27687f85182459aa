#include "platform/rtl/label/TKVRMeasure.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <string>

namespace {
// Rows and columns a file asks for: every data-bound element is copied per
// sheet cell, so a count beyond the limit is damage, refused before anything changes.
template <class TError>
int32_t SheetLabels(int64_t aValue, const char* aWhat)
{
    if (aValue > TKVRMeasure::KVRMaxSheetLabels)
        throw TError(std::string("Invalid value for ") + aWhat + ": " + std::to_string(aValue) + " (at most " +
                     std::to_string(TKVRMeasure::KVRMaxSheetLabels) + " labels)");
    return aValue < 0 ? 0 : int32_t(aValue);
}
}  // namespace

int64_t TKVRMeasure::Length(int64_t aValue)
{
    return std::clamp<int64_t>(aValue, 0, KVRMaxCoordinate);
}

void TKVRMeasure::SendInfo() const
{
    if (fOwner.Label)
        fOwner.Label->SendInfo();
}

void TKVRMeasure::SizeChanged() const
{
    if (fOwner.Label)
        fOwner.Label->SendSize();
}

int64_t TKVRMeasure::GetSize(int32_t aKind) const
{
    switch (aKind) {
    case 0: return fPaperWidth;
    case 1: return fPaperHeight;
    case 2: return fWidth;
    case 3: return fHeight;
    case 4: return fMarLeft;
    case 5: return fMarTop;
    case 6: return fGapX;
    case 7: return fGapY;
    default: return 0;
    }
}

void TKVRMeasure::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteString(LabelName);
    aWriter.WriteBoolean(fContinous);
    for (int64_t v : {fWidth, fHeight, fPaperWidth, fPaperHeight, fMarLeft, fMarTop, fGapX, fGapY})
        aWriter.WriteInt64(v);
    aWriter.WriteInt32(fRows);
    aWriter.WriteInt32(fColumns);
    aWriter.WriteInt32(fDrawScale);
    for (const QString* s : {&Title, &Author, &Date, &Promoter, &Note, &Project})
        aWriter.WriteString(*s);
}

void TKVRMeasure::Read(TBinaryReader& aReader)
{
    TKVRMeasure m;
    m.LabelName = aReader.ReadString();
    m.fContinous = aReader.ReadBoolean();
    const char* names[] = {"Width", "Height", "PaperWidth", "PaperHeight", "MarLeft", "MarTop", "GapX", "GapY"};
    int64_t* fields[] = {&m.fWidth, &m.fHeight, &m.fPaperWidth, &m.fPaperHeight,
                         &m.fMarLeft, &m.fMarTop, &m.fGapX, &m.fGapY};
    for (int i = 0; i < 8; ++i)
        *fields[i] = KVRCheck::Coordinate(KVRCheck::NotNegative(aReader.ReadInt64(), names[i]), names[i]);
    m.SetRows(SheetLabels<EKVRDataError>(aReader.ReadInt32(), "Rows"));
    m.SetColumns(SheetLabels<EKVRDataError>(aReader.ReadInt32(), "Columns"));
    m.SetDrawScale(aReader.ReadInt32());
    for (QString* s : {&m.Title, &m.Author, &m.Date, &m.Promoter, &m.Note, &m.Project})
        *s = aReader.ReadString();
    *this = m;
}

TJsonObject TKVRMeasure::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["LabelName"] = KVRJson::Str(LabelName);
    j["ContinousPaper"] = fContinous;
    j["Width"] = fWidth;
    j["Height"] = fHeight;
    j["PaperWidth"] = fPaperWidth;
    j["PaperHeight"] = fPaperHeight;
    j["MarLeft"] = fMarLeft;
    j["MarTop"] = fMarTop;
    j["GapX"] = fGapX;
    j["GapY"] = fGapY;
    j["Rows"] = fRows;
    j["Columns"] = fColumns;
    j["DrawScale"] = fDrawScale;
    j["Title"] = KVRJson::Str(Title);
    j["Author"] = KVRJson::Str(Author);
    j["Date"] = KVRJson::Str(Date);
    j["Promoter"] = KVRJson::Str(Promoter);
    j["Note"] = KVRJson::Str(Note);
    j["Project"] = KVRJson::Str(Project);
    return j;
}

void TKVRMeasure::ReadJson(const TJsonObject& aJson)
{
    TKVRMeasure m = *this;
    m.LabelName = KVRJson::GetString(aJson, "LabelName", m.LabelName);
    m.fContinous = KVRJson::GetBool(aJson, "ContinousPaper", m.fContinous);
    const char* names[] = {"Width", "Height", "PaperWidth", "PaperHeight", "MarLeft", "MarTop", "GapX", "GapY"};
    int64_t* fields[] = {&m.fWidth, &m.fHeight, &m.fPaperWidth, &m.fPaperHeight,
                         &m.fMarLeft, &m.fMarTop, &m.fGapX, &m.fGapY};
    for (int i = 0; i < 8; ++i)
        *fields[i] = KVRCheck::Coordinate(KVRCheck::NotNegative(KVRJson::GetInt64(aJson, names[i], *fields[i]), names[i]),
                                          names[i]);
    m.SetRows(SheetLabels<EKVRJsonError>(KVRJson::GetInt64(aJson, "Rows", m.fRows), "Rows"));
    m.SetColumns(SheetLabels<EKVRJsonError>(KVRJson::GetInt64(aJson, "Columns", m.fColumns), "Columns"));
    m.SetDrawScale(KVRJson::GetInt32(aJson, "DrawScale", m.fDrawScale));
    m.Title = KVRJson::GetString(aJson, "Title", m.Title);
    m.Author = KVRJson::GetString(aJson, "Author", m.Author);
    m.Date = KVRJson::GetString(aJson, "Date", m.Date);
    m.Promoter = KVRJson::GetString(aJson, "Promoter", m.Promoter);
    m.Note = KVRJson::GetString(aJson, "Note", m.Note);
    m.Project = KVRJson::GetString(aJson, "Project", m.Project);
    *this = m;
}
