#pragma once
#include <QString>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>

// JSON object of an element or style; keys keep their order and 64-bit
// integers stay exact.
using TJsonObject = nlohmann::ordered_json;

// Raised when a JSON value is present but of the wrong kind or out of range.
class EKVRJsonError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Typed look-ups: a missing key gives the default, a key of the wrong kind or
// out of the type's range raises EKVRJsonError naming the key.
namespace KVRJson {
int64_t GetInt64(const TJsonObject& aObj, const char* aKey, int64_t aDefault);
int32_t GetInt32(const TJsonObject& aObj, const char* aKey, int32_t aDefault);
int16_t GetInt16(const TJsonObject& aObj, const char* aKey, int16_t aDefault);
uint8_t GetByte(const TJsonObject& aObj, const char* aKey, uint8_t aDefault);
uint32_t GetCardinal(const TJsonObject& aObj, const char* aKey, uint32_t aDefault);
bool GetBool(const TJsonObject& aObj, const char* aKey, bool aDefault);
double GetDouble(const TJsonObject& aObj, const char* aKey, double aDefault);
float GetSingle(const TJsonObject& aObj, const char* aKey, float aDefault);
QString GetString(const TJsonObject& aObj, const char* aKey, const QString& aDefault);
// The array under aKey, or nullptr when the key is missing; not an array raises.
const TJsonObject* GetArray(const TJsonObject& aObj, const char* aKey);

inline std::string Str(const QString& s) { return s.toStdString(); }
}
