// The document's own data in ".eti" and ".json" files, and the brackets of a load.
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <algorithm>
#include <string>

namespace {

int32_t CheckVersion(int32_t aVersion)
{
    if (aVersion < 1)
        throw EKVRDataError("Not a label file: version " + std::to_string(aVersion));
    if (aVersion > TKVRBaseLabel::KVRFileVersion)
        throw EKVRDataError("The file was written by a newer version (" + std::to_string(aVersion) + ")");
    return aVersion;
}

uint8_t CheckUnits(int64_t aValue)
{
    if (aValue < 0 || aValue > int64_t(TKVRUnits::Yard))
        throw EKVRDataError("Invalid value for Units: " + std::to_string(aValue));
    return uint8_t(aValue);
}

uint8_t CheckEditorMode(int64_t aValue)
{
    if (aValue < 0 || aValue > 2)
        throw EKVRDataError("Invalid value for EditorMode: " + std::to_string(aValue));
    return uint8_t(aValue);
}

// The label data read completely before the document takes it over.
struct TLabelData
{
    TKVRBasePrintInfo PrintInfo;
    TKVRData Data;
    std::vector<std::unique_ptr<TKVRCounter>> Counters;
    std::vector<std::unique_ptr<TKVRLayer>> Layers;
    int32_t ActiveLayer = 0;
    std::vector<std::unique_ptr<TKVRDimStyle>> DimStyles;
    TKVRMapping Mapping;

    void CheckCounts() const
    {
        if (Counters.size() > size_t(TKVRBaseLabel::KVRMaxCounters))
            throw EKVRDataError("LimitCounters");
        if (Layers.empty())
            throw EKVRDataError("A label file needs at least one layer");
        if (DimStyles.empty())
            throw EKVRDataError("A label file needs at least one dimension style");
        if (ActiveLayer < 0 || ActiveLayer >= int32_t(Layers.size()))
            throw EKVRDataError("Invalid value for ActiveLayer: " + std::to_string(ActiveLayer));
    }
};

}  // namespace

void TKVRBaseLabel::WriteBaseData(TBinaryWriter& aWriter) const
{
    aWriter.WriteInt32(KVRFileVersion);
    aWriter.WriteByte(fEditorMode);
    aWriter.WriteByte(uint8_t(fUnits));
    fMeasure.Write(aWriter);
}

void TKVRBaseLabel::ReadBaseData(TBinaryReader& aReader)
{
    const int32_t version = CheckVersion(aReader.ReadInt32());
    const uint8_t mode = CheckEditorMode(aReader.ReadByte());
    const uint8_t units = CheckUnits(aReader.ReadByte());
    TKVRMeasure measure;
    measure.Read(aReader);
    fFileVersion = version;
    fEditorMode = mode;
    fUnits = TKVRUnits(units);
    fMeasure = measure;
}

void TKVRBaseLabel::WriteData(TBinaryWriter& aWriter) const
{
    fPrintInfo.Write(aWriter);
    fData.Write(aWriter);
    aWriter.WriteInt32(GetCounterCount());
    for (const auto& c : fCounters)
        c->Write(aWriter);
    aWriter.WriteInt32(GetLayerCount());
    for (const auto& l : fLayers)
        l->Write(aWriter);
    aWriter.WriteInt32(fActiveLayer);
    aWriter.WriteInt32(GetDimStyleCount());
    for (const auto& d : fDimStyles)
        d->WriteData(aWriter);
    fMapping.Write(aWriter);
}

void TKVRBaseLabel::ReadData(TBinaryReader& aReader)
{
    TLabelData r;
    r.PrintInfo.Read(aReader);
    r.Data.Read(aReader);
    // Smallest records: a counter has a name, a step, two numbers and three texts.
    const int32_t counters = aReader.ReadCount(1 + 4 + 16 + 3);
    for (int32_t i = 0; i < counters; ++i) {
        r.Counters.push_back(std::make_unique<TKVRCounter>(nullptr));
        r.Counters.back()->Read(aReader);
    }
    const int32_t layers = aReader.ReadCount(1 + 2 + 4 + 4 + 4 + 1 + 4 + 4);
    for (int32_t i = 0; i < layers; ++i) {
        r.Layers.push_back(std::make_unique<TKVRLayer>(i));
        r.Layers.back()->Read(aReader);
    }
    r.ActiveLayer = aReader.ReadInt32();
    const int32_t styles = aReader.ReadCount(8);
    for (int32_t i = 0; i < styles; ++i) {
        r.DimStyles.push_back(std::make_unique<TKVRDimStyle>());
        r.DimStyles.back()->ReadData(fFileVersion, aReader);
    }
    r.Mapping = fMapping;  // the session's key and service stay
    r.Mapping.Read(aReader);
    r.CheckCounts();
    fPrintInfo = r.PrintInfo;
    fData = std::move(r.Data);
    fCounters = std::move(r.Counters);
    fLayers = std::move(r.Layers);
    fActiveLayer = r.ActiveLayer;
    fDimStyles = std::move(r.DimStyles);
    fMapping = std::move(r.Mapping);
}

TJsonObject TKVRBaseLabel::GetJson() const
{
    TJsonObject j = TJsonObject::object();
    j["Version"] = KVRFileVersion;
    j["EditorMode"] = fEditorMode;
    j["Units"] = uint8_t(fUnits);
    j["Measure"] = fMeasure.WriteJson();
    j["PrintInfo"] = fPrintInfo.WriteJson();
    j["Data"] = fData.WriteJson();
    TJsonObject counters = TJsonObject::array();
    for (const auto& c : fCounters)
        counters.push_back(c->WriteJson());
    j["Counters"] = std::move(counters);
    TJsonObject layers = TJsonObject::array();
    for (const auto& l : fLayers)
        layers.push_back(l->WriteJson());
    j["Layers"] = std::move(layers);
    j["ActiveLayer"] = fActiveLayer;
    TJsonObject styles = TJsonObject::array();
    for (const auto& d : fDimStyles)
        styles.push_back(d->WriteJson());
    j["DimStyles"] = std::move(styles);
    j["Mapping"] = fMapping.WriteJson();
    TJsonObject items = TJsonObject::array();
    for (const auto& item : fItems)
        items.push_back(item->WriteJson());
    j["Items"] = std::move(items);
    return j;
}

void TKVRBaseLabel::ReadJson(const TJsonObject& aJson)
{
    if (!aJson.is_object())
        throw EKVRJsonError("A label file holds one JSON object");
    const int32_t version = CheckVersion(KVRJson::GetInt32(aJson, "Version", KVRFileVersion));
    const uint8_t mode = CheckEditorMode(KVRJson::GetInt32(aJson, "EditorMode", fEditorMode));
    const uint8_t units = CheckUnits(KVRJson::GetInt32(aJson, "Units", int32_t(fUnits)));
    TKVRMeasure measure;
    auto object = [&](const char* aKey) -> const TJsonObject* {
        const auto it = aJson.find(aKey);
        if (it == aJson.end())
            return nullptr;
        if (!it->is_object())
            throw EKVRJsonError(std::string("Invalid value for ") + aKey + ": an object is expected");
        return &*it;
    };
    if (const TJsonObject* m = object("Measure"))
        measure.ReadJson(*m);
    TLabelData r;
    if (const TJsonObject* p = object("PrintInfo"))
        r.PrintInfo.ReadJson(*p);
    if (const TJsonObject* d = object("Data"))
        r.Data.ReadJson(*d);
    auto eachObject = [&](const char* aKey, auto&& aRead) {
        const TJsonObject* list = KVRJson::GetArray(aJson, aKey);
        if (!list)
            return false;
        for (const TJsonObject& e : *list) {
            if (!e.is_object())
                throw EKVRJsonError(std::string("Invalid entry in ") + aKey + ": an object is expected");
            aRead(e);
        }
        return true;
    };
    eachObject("Counters", [&](const TJsonObject& e) {
        if (r.Counters.size() >= size_t(KVRMaxCounters))
            throw EKVRJsonError("LimitCounters");
        r.Counters.push_back(std::make_unique<TKVRCounter>(nullptr));
        r.Counters.back()->ReadJson(e);
    });
    if (!eachObject("Layers", [&](const TJsonObject& e) {
            r.Layers.push_back(std::make_unique<TKVRLayer>(int32_t(r.Layers.size())));
            r.Layers.back()->ReadJson(e);
        }))
        r.Layers.push_back(std::make_unique<TKVRLayer>(0, QStringLiteral("0")));
    r.ActiveLayer = KVRJson::GetInt32(aJson, "ActiveLayer", 0);
    if (!eachObject("DimStyles", [&](const TJsonObject& e) {
            r.DimStyles.push_back(std::make_unique<TKVRDimStyle>());
            r.DimStyles.back()->ReadJson(version, e);
        }))
        r.DimStyles.push_back(std::make_unique<TKVRDimStyle>());
    r.Mapping = fMapping;  // the session's key and service stay
    if (const TJsonObject* m = object("Mapping"))
        r.Mapping.ReadJson(*m);
    else
        r.Mapping.ClearSettings();
    try {
        r.CheckCounts();
    } catch (const EKVRDataError& e) {
        throw EKVRJsonError(e.what());
    }
    fFileVersion = version;
    fEditorMode = mode;
    fUnits = TKVRUnits(units);
    fMeasure = measure;
    fPrintInfo = r.PrintInfo;
    fData = std::move(r.Data);
    fCounters = std::move(r.Counters);
    fLayers = std::move(r.Layers);
    fActiveLayer = r.ActiveLayer;
    fDimStyles = std::move(r.DimStyles);
    fMapping = std::move(r.Mapping);
}

// ---------------------------------------------------------------- brackets

void TKVRBaseLabel::BeginRead(bool aKeep)
{
    fReading = true;
    if (!aKeep)
        Clear(KVRClear::Items, false);
}

void TKVRBaseLabel::EndRead(bool)
{
    fReading = false;
    fModified = false;
}

void TKVRBaseLabel::Clear(uint32_t aSet, bool)
{
    if (aSet & KVRClear::Items) {
        ClearItems();
        fLastNumID = 0;
    } else if (aSet & KVRClear::Copies) {
        std::vector<std::unique_ptr<TKVRBaseItem>> copies;
        auto keep = std::stable_partition(fItems.begin(), fItems.end(),
                                          [](const auto& aItem) { return !aItem->GetPreview(); });
        std::move(keep, fItems.end(), std::back_inserter(copies));
        fItems.erase(keep, fItems.end());
        for (auto& item : copies)
            item->fAttached = false;
        // freed here, with the list already without them
    }
}

void TKVRBaseLabel::SortItemsZLayer()
{
    std::stable_sort(fItems.begin(), fItems.end(),
                     [](const auto& a, const auto& b) { return a->GetLayer() < b->GetLayer(); });
}
