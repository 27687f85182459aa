#pragma once
// The binding of an element to a data field, and the one rule for the value
// a bound element takes from the current record.
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <cstdint>

class TBinaryReader;
class TBinaryWriter;
class TKVRBaseLabel;

// Stored as fill type (byte), field name, format (strings); JSON keys
// "FillType", "FillName", "Format".
struct TKVRDataField
{
    uint8_t FillType = 0;  // 0: not bound
    QString FillName;
    QString Format;

    bool IsBound() const { return FillType != 0; }
    // The current record's value of the field, formatted; aOwn when the
    // element is not bound, belongs to no document, or nothing fills the field.
    QString Value(const TKVRBaseLabel* aLabel, const QString& aOwn) const;

    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    void WriteJson(TJsonObject& aJson) const;
    void ReadJson(const TJsonObject& aJson);
};
