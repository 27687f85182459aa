#pragma once
#include "platform/rtl/model/KVR.Model.PropRows.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseItem.h"

// A chain of any number of points with a mark at each end, over the element
// base TBase (TKVRBaseItem for the polyline, TKVR2DItem for the Bezier
// curve). Stored after the base's own fields: the line ends, then the points.
template <class TBase>
class TKVRLineChain : public TBase, public TKVRLineEndsPart
{
public:
    // The base's rows and the line ends.
    void DescribeProps(TKVRPropTable& aTable) const override
    {
        TBase::DescribeProps(aTable);
        KVRProps::AddEndRows<TKVRLineChain>(aTable);
    }

    TJsonObject WriteJson() const override
    {
        TJsonObject j = TBase::WriteJson();
        fEnds.WriteJson(j);
        this->WriteJsonPoints(j, 1, this->NumPoints());
        return j;
    }

    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override
    {
        TBase::ReadJson(aVersion, aJson);
        fEnds.ReadJson(aJson);
        this->ReadJsonPoints(aJson, 1, 0, -1);
    }

    void WriteData(TBinaryWriter& aWriter) const override
    {
        TBase::WriteData(aWriter);
        fEnds.Write(aWriter);
        this->WritePoints(aWriter, 1, this->NumPoints());
    }

    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override
    {
        TBase::ReadData(aVersion, aReader, aReadType);
        fEnds.Read(aReader);
        this->ReadPoints(aReader, 1, 0, -1);
    }

    // Any count is kept as it is.
    using TBase::SetPoints;

protected:
    using TBase::TBase;
};
