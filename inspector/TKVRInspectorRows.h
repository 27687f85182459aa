#pragma once
// Reading the document's rows: keys of a part and values as the grid shows them.
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <algorithm>
#include <string>

namespace KVRInspectorRows {

// The key of part aPart ("Prop" and 2 give "Prop2").
inline std::string Key(const char* aPrefix, int32_t aPart) { return aPrefix + std::to_string(aPart); }

inline int32_t RowHeight(const TJsonObject& aRow) { return std::max(0, aRow.value("H", 0)); }

// A string value, or empty for any other.
inline QString TextOf(const TJsonObject& aValue)
{
    return aValue.is_string() ? QString::fromStdString(aValue.get<std::string>()) : QString();
}

// A part's key, or null when the row lacks it.
inline const TJsonObject& PartValue(const TJsonObject& aRow, const char* aPrefix, int32_t aPart)
{
    static const TJsonObject none;
    const auto it = aRow.find(Key(aPrefix, aPart));
    return it == aRow.end() ? none : *it;
}

}  // namespace KVRInspectorRows
