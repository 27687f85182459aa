#pragma once
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <cstdint>

class TBinaryReader;
class TBinaryWriter;
class TKVRBaseLabel;

// A numbering counter of a label document: label k of a run (from 0) shows
// NumFrom + k × Step, wrapped back to NumFrom past NumTo when NumTo lies
// above NumFrom (otherwise it runs on), between TextBefore and TextAfter and
// formatted by Format (plain digits when empty). Constructed on a document,
// it is added to it.
class TKVRCounter
{
public:
    explicit TKVRCounter(TKVRBaseLabel* aOwner);

    QString Name;
    QString TextBefore;
    QString TextAfter;
    QString Format;

    int32_t GetStep() const { return fStep; }
    // Steps below 1 count as 1.
    void SetStep(int32_t aValue) { fStep = aValue < 1 ? 1 : aValue; }
    int64_t GetNumFrom() const { return fNumFrom; }
    void SetNumFrom(int64_t aValue) { fNumFrom = aValue; }
    int64_t GetNumTo() const { return fNumTo; }
    void SetNumTo(int64_t aValue) { fNumTo = aValue; }

    // The number and the text of label aLabel (from 0) of a run.
    int64_t Number(int64_t aLabel) const;
    QString Text(int64_t aLabel) const;

    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    int32_t fStep = 1;
    int64_t fNumFrom = 0;
    int64_t fNumTo = 0;
};
