#include "platform/rtl/model/KVR.Model.Json.h"
#include <QStringDecoder>
#include <cmath>
#include <limits>

namespace {

[[noreturn]] void Bad(const char* aKey, const char* aWhat)
{
    throw EKVRJsonError(std::string("Invalid JSON value for \"") + aKey + "\": " + aWhat);
}

const TJsonObject* Find(const TJsonObject& aObj, const char* aKey)
{
    if (!aObj.is_object())
        throw EKVRJsonError("Invalid JSON: an object was expected");
    auto it = aObj.find(aKey);
    return it == aObj.end() ? nullptr : &*it;
}

template <class T>
T GetRanged(const TJsonObject& aObj, const char* aKey, T aDefault)
{
    const TJsonObject* v = Find(aObj, aKey);
    if (!v)
        return aDefault;
    if (v->is_number_unsigned()) {
        const uint64_t u = v->get<uint64_t>();
        if (u > uint64_t(std::numeric_limits<T>::max()))
            Bad(aKey, "out of range");
        return T(u);
    }
    if (v->is_number_integer()) {
        const int64_t i = v->get<int64_t>();
        if constexpr (std::numeric_limits<T>::is_signed) {
            if (i < int64_t(std::numeric_limits<T>::min()) || i > int64_t(std::numeric_limits<T>::max()))
                Bad(aKey, "out of range");
        } else {
            if (i < 0 || uint64_t(i) > uint64_t(std::numeric_limits<T>::max()))
                Bad(aKey, "out of range");
        }
        return T(i);
    }
    Bad(aKey, "an integer was expected");
}

}  // namespace

namespace KVRJson {

int64_t GetInt64(const TJsonObject& aObj, const char* aKey, int64_t aDefault)
{
    return GetRanged<int64_t>(aObj, aKey, aDefault);
}

int32_t GetInt32(const TJsonObject& aObj, const char* aKey, int32_t aDefault)
{
    return GetRanged<int32_t>(aObj, aKey, aDefault);
}

int16_t GetInt16(const TJsonObject& aObj, const char* aKey, int16_t aDefault)
{
    return GetRanged<int16_t>(aObj, aKey, aDefault);
}

uint8_t GetByte(const TJsonObject& aObj, const char* aKey, uint8_t aDefault)
{
    return GetRanged<uint8_t>(aObj, aKey, aDefault);
}

uint32_t GetCardinal(const TJsonObject& aObj, const char* aKey, uint32_t aDefault)
{
    return GetRanged<uint32_t>(aObj, aKey, aDefault);
}

bool GetBool(const TJsonObject& aObj, const char* aKey, bool aDefault)
{
    const TJsonObject* v = Find(aObj, aKey);
    if (!v)
        return aDefault;
    if (!v->is_boolean())
        Bad(aKey, "true or false was expected");
    return v->get<bool>();
}

double GetDouble(const TJsonObject& aObj, const char* aKey, double aDefault)
{
    const TJsonObject* v = Find(aObj, aKey);
    if (!v)
        return aDefault;
    if (!v->is_number())
        Bad(aKey, "a number was expected");
    return v->get<double>();
}

float GetSingle(const TJsonObject& aObj, const char* aKey, float aDefault)
{
    const double d = GetDouble(aObj, aKey, aDefault);
    if (!(std::fabs(d) <= double(std::numeric_limits<float>::max())))
        Bad(aKey, "out of range");
    return float(d);
}

QString GetString(const TJsonObject& aObj, const char* aKey, const QString& aDefault)
{
    const TJsonObject* v = Find(aObj, aKey);
    if (!v)
        return aDefault;
    if (!v->is_string())
        Bad(aKey, "a string was expected");
    // A leading byte-order mark is part of the text; the plain conversion drops it.
    const std::string& s = v->get_ref<const std::string&>();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(QByteArrayView(s.data(), qsizetype(s.size())));
}

const TJsonObject* GetArray(const TJsonObject& aObj, const char* aKey)
{
    const TJsonObject* v = Find(aObj, aKey);
    if (v && !v->is_array())
        Bad(aKey, "an array was expected");
    return v;
}

}  // namespace KVRJson
