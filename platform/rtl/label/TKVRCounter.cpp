#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include <limits>

TKVRCounter::TKVRCounter(TKVRBaseLabel* aOwner)
{
    if (aOwner)
        aOwner->AddCounter(this);
}

int64_t TKVRCounter::Number(int64_t aLabel) const
{
    if (aLabel < 0)
        aLabel = 0;
    using Wide = __int128;
    if (fNumTo > fNumFrom) {
        const Wide span = (Wide(fNumTo) - fNumFrom) / fStep + 1;  // values in the range
        return int64_t(Wide(fNumFrom) + (Wide(aLabel) % span) * fStep);
    }
    const Wide n = Wide(fNumFrom) + Wide(aLabel) * fStep;
    // A run that leaves the 64-bit range stops at its end rather than wrapping to negatives.
    if (n > std::numeric_limits<int64_t>::max())
        return std::numeric_limits<int64_t>::max();
    return int64_t(n);
}

QString TKVRCounter::Text(int64_t aLabel) const
{
    const int64_t n = Number(aLabel);
    const QString number = Format.isEmpty() ? QString::number(n) : FormatFloat(Format, double(n));
    return TextBefore + number + TextAfter;
}

void TKVRCounter::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteString(Name);
    aWriter.WriteInt32(fStep);
    aWriter.WriteInt64(fNumFrom);
    aWriter.WriteInt64(fNumTo);
    aWriter.WriteString(TextBefore);
    aWriter.WriteString(TextAfter);
    aWriter.WriteString(Format);
}

void TKVRCounter::Read(TBinaryReader& aReader)
{
    TKVRCounter c(nullptr);
    c.Name = aReader.ReadString();
    c.SetStep(aReader.ReadInt32());
    c.fNumFrom = aReader.ReadInt64();
    c.fNumTo = aReader.ReadInt64();
    c.TextBefore = aReader.ReadString();
    c.TextAfter = aReader.ReadString();
    c.Format = aReader.ReadString();
    *this = c;
}

TJsonObject TKVRCounter::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["Name"] = KVRJson::Str(Name);
    j["Step"] = fStep;
    j["NumFrom"] = fNumFrom;
    j["NumTo"] = fNumTo;
    j["TextBefore"] = KVRJson::Str(TextBefore);
    j["TextAfter"] = KVRJson::Str(TextAfter);
    j["Format"] = KVRJson::Str(Format);
    return j;
}

void TKVRCounter::ReadJson(const TJsonObject& aJson)
{
    TKVRCounter c = *this;
    c.Name = KVRJson::GetString(aJson, "Name", Name);
    c.SetStep(KVRJson::GetInt32(aJson, "Step", fStep));
    c.fNumFrom = KVRJson::GetInt64(aJson, "NumFrom", fNumFrom);
    c.fNumTo = KVRJson::GetInt64(aJson, "NumTo", fNumTo);
    c.TextBefore = KVRJson::GetString(aJson, "TextBefore", TextBefore);
    c.TextAfter = KVRJson::GetString(aJson, "TextAfter", TextAfter);
    c.Format = KVRJson::GetString(aJson, "Format", Format);
    *this = c;
}
