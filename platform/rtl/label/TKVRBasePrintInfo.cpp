#include "platform/rtl/label/TKVRBasePrintInfo.h"
#include "platform/rtl/model/KVR.Stream.h"

void TKVRBasePrintInfo::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteInt32(fFirstRow);
    aWriter.WriteInt32(fFirstCol);
    aWriter.WriteInt32(fLabs);
    aWriter.WriteInt32(fRepetition);
    aWriter.WriteBoolean(fLandscape);
    aWriter.WriteBoolean(fWithData);
}

void TKVRBasePrintInfo::Read(TBinaryReader& aReader)
{
    TKVRBasePrintInfo p = *this;
    p.SetFirstRow(aReader.ReadInt32());
    p.SetFirstCol(aReader.ReadInt32());
    p.SetLabs(aReader.ReadInt32());
    p.SetRepetition(aReader.ReadInt32());
    p.fLandscape = aReader.ReadBoolean();
    p.fWithData = aReader.ReadBoolean();
    *this = p;
}

TJsonObject TKVRBasePrintInfo::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["FirstRow"] = fFirstRow;
    j["FirstCol"] = fFirstCol;
    j["Labs"] = fLabs;
    j["Repetition"] = fRepetition;
    j["Landscape"] = fLandscape;
    j["WithData"] = fWithData;
    return j;
}

void TKVRBasePrintInfo::ReadJson(const TJsonObject& aJson)
{
    TKVRBasePrintInfo p = *this;
    p.SetFirstRow(KVRJson::GetInt32(aJson, "FirstRow", fFirstRow));
    p.SetFirstCol(KVRJson::GetInt32(aJson, "FirstCol", fFirstCol));
    p.SetLabs(KVRJson::GetInt32(aJson, "Labs", fLabs));
    p.SetRepetition(KVRJson::GetInt32(aJson, "Repetition", fRepetition));
    p.fLandscape = KVRJson::GetBool(aJson, "Landscape", fLandscape);
    p.fWithData = KVRJson::GetBool(aJson, "WithData", fWithData);
    *this = p;
}
