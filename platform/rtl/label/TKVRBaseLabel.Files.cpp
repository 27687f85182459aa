// The document's own data in ".eti" and ".json" files, and the brackets of a load.
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include <QHash>
#include <QSet>
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

bool IsUnits(int64_t aValue)
{
    return aValue >= 0 && aValue <= int64_t(TKVRUnits::Yard);
}

bool IsEditorMode(int64_t aValue)
{
    return aValue >= 0 && aValue <= 2;
}

uint8_t CheckUnits(int64_t aValue)
{
    if (!IsUnits(aValue))
        throw EKVRDataError("Invalid value for Units: " + std::to_string(aValue));
    return uint8_t(aValue);
}

uint8_t CheckEditorMode(int64_t aValue)
{
    if (!IsEditorMode(aValue))
        throw EKVRDataError("Invalid value for EditorMode: " + std::to_string(aValue));
    return uint8_t(aValue);
}


}  // namespace

// The label data read completely before the document takes it over.
struct TKVRBaseLabel::TLabelData
{
    TKVRBasePrintInfo PrintInfo;
    TKVRData Data;
    std::vector<std::unique_ptr<TKVRCounter>> Counters;
    std::vector<std::unique_ptr<TKVRLayer>> Layers;
    int32_t ActiveLayer = 0;
    std::vector<std::unique_ptr<TKVRDimStyle>> DimStyles;
    TKVRBackSurf BackSurf;
    TVXLabelOptions Options = 0;
    TKVRSettings Settings;
    std::vector<std::unique_ptr<TKVRBaseLibSymbol>> Symbols;
    bool HasSymbols = false;
    TKVRMapping Mapping;
    int32_t BackLayer = 0;
    uint8_t LabelRotation = 0;
    int32_t ActiveDimStyle = 0;

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

void TKVRBaseLabel::TakeLabelData(TLabelData& r)
{
    TakePrintSettings(r.PrintInfo);
    fData = std::move(r.Data);
    fCounters = std::move(r.Counters);
    fLayers = std::move(r.Layers);
    fActiveLayer = r.ActiveLayer;
    fDimStyles = std::move(r.DimStyles);
    fBackSurf = r.BackSurf;
    fOptions = r.Options;
    fSettings = r.Settings;
    if (r.HasSymbols)
        fSymbols = std::move(r.Symbols);
    fMapping = std::move(r.Mapping);
    TakeViewSettings(r.BackLayer, r.LabelRotation, r.ActiveDimStyle);
}

void TKVRBaseLabel::TakePrintSettings(const TKVRBasePrintInfo& aRead)
{
    // The printer belongs to the session, as the map key does: a file names none.
    const int32_t printer = fPrintInfo.fPrinterIndex;
    fPrintInfo = aRead;
    fPrintInfo.fPrinterIndex = printer;
}

void TKVRBaseLabel::WriteBaseData(TBinaryWriter& aWriter) const
{
    aWriter.WriteInt32(KVRFileVersion);
    aWriter.WriteByte(fEditorMode);
    aWriter.WriteByte(uint8_t(fUnits));
    fMeasure.Write(aWriter);
}

void TKVRBaseLabel::ReadBaseData(TBinaryReader& aReader)
{
    // Nothing marks a binary label but its first six bytes: the version, the
    // editor mode and the units. Bytes that cannot be these are another kind
    // of file (a picture's first four would read as a far later version).
    if (aReader.Remaining() < 6)
        throw EKVRDataError("The file is not a label file");
    const int32_t version = aReader.ReadInt32();
    const uint8_t mode = aReader.ReadByte(), units = aReader.ReadByte();
    if (version < 1 || !IsEditorMode(mode) || !IsUnits(units))
        throw EKVRDataError("The file is not a label file");
    CheckVersion(version);
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
    aWriter.WriteCardinal(fBackSurf.GetBackColor());
    aWriter.WriteByte(fOptions);
    aWriter.WriteSingle(fSettings.GetTermSize());
    aWriter.WriteCardinal(fSettings.GetTermColor());
    fMapping.Write(aWriter);
    aWriter.WriteInt32(fBackLayer);
    aWriter.WriteByte(fLabelRotation);
    aWriter.WriteInt32(fActiveDimStyle);
}

void TKVRBaseLabel::ReadData(TBinaryReader& aReader)
{
    TLabelData r;
    r.PrintInfo.Read(aReader);
    r.Data.SetFolder(fData.GetFolder());
    r.Data.Read(aReader);
    // Smallest records: a counter has a name, a step, two numbers and three texts.
    const int32_t counters = aReader.ReadCount(1 + 4 + 16 + 3);
    for (int32_t i = 0; i < counters; ++i) {
        r.Counters.push_back(std::make_unique<TKVRCounter>(nullptr));
        r.Counters.back()->Read(aReader);
    }
    const int32_t layers = aReader.ReadCount(1 + 2 + 4 + 4 + 4 + 1 + 4 + 4 + 1 + 1 + 16 + 4);
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
    r.BackSurf.SetBackColor(aReader.ReadCardinal());
    r.Options = aReader.ReadByte() & KVRLabelOptionsMask;
    r.Settings.SetTermSize(KVRCheck::ReadSingle(aReader, "TermSize"));
    r.Settings.SetTermColor(aReader.ReadCardinal());
    r.Mapping = fMapping;  // the session's key and service stay
    r.Mapping.Read(aReader);
    // Which layer shows its background, the label's quarter turns, the style of new dimensions.
    r.BackLayer = aReader.ReadInt32();
    r.LabelRotation = uint8_t(aReader.ReadByte() % 4);
    r.ActiveDimStyle = aReader.ReadInt32();
    r.CheckCounts();
    TakeLabelData(r);
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
    j["BackSurf"] = {{"BackColor", fBackSurf.GetBackColor()}};
    j["Options"] = fOptions;
    j["Settings"] = {{"TermSize", fSettings.GetTermSize()},
                     {"TermColor", fSettings.GetTermColor()},
                     {"FillTermColor", fSettings.GetFillTermColor()}};
    TJsonObject symbols = TJsonObject::array();
    for (const auto& s : fSymbols)
        symbols.push_back(s->WriteJson());
    j["Symbols"] = std::move(symbols);
    j["Mapping"] = fMapping.WriteJson();
    j["BackLayer"] = fBackLayer;
    j["LabelRotation"] = fLabelRotation;
    j["ActiveDimStyle"] = fActiveDimStyle;
    TJsonObject items = TJsonObject::array();
    // Cell copies belong to a run, never to the file.
    for (const auto& item : fItems)
        if (!item->GetPreview())
            items.push_back(item->WriteJson());
    j["Items"] = std::move(items);
    return j;
}

void TKVRBaseLabel::ReadJson(const TJsonObject& aJson)
{
    if (!aJson.is_object())
        throw EKVRJsonError("A label file holds one JSON object");
    // Another program's JSON would load as an empty label over the document.
    static const char* const kLabelKeys[] = {
        "Version", "EditorMode", "Units", "Measure", "PrintInfo", "Data", "Counters", "Layers", "ActiveLayer",
        "DimStyles", "BackSurf", "Options", "Settings", "Symbols", "Mapping", "BackLayer", "LabelRotation",
        "ActiveDimStyle", "Items"};
    if (std::none_of(std::begin(kLabelKeys), std::end(kLabelKeys),
                     [&](const char* aKey) { return aJson.contains(aKey); }))
        throw EKVRJsonError("Not a label file: the JSON object holds none of a label's keys");
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
    r.Data.SetFolder(fData.GetFolder());
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
    if (const TJsonObject* b = object("BackSurf"))
        r.BackSurf.SetBackColor(KVRJson::GetCardinal(*b, "BackColor", r.BackSurf.GetBackColor()));
    r.Options = KVRJson::GetByte(aJson, "Options", 0) & KVRLabelOptionsMask;
    if (const TJsonObject* t = object("Settings")) {
        r.Settings.SetTermSize(KVRJson::GetSingle(*t, "TermSize", r.Settings.GetTermSize()));
        r.Settings.SetTermColor(KVRJson::GetCardinal(*t, "TermColor", r.Settings.GetTermColor()));
        r.Settings.SetFillTermColor(KVRJson::GetCardinal(*t, "FillTermColor", r.Settings.GetFillTermColor()));
    }
    r.HasSymbols = eachObject("Symbols", [&](const TJsonObject& e) {
        auto symbol = std::make_unique<TKVRBaseLibSymbol>();
        QString error;
        if (!symbol->ReadJson(e, error))
            throw EKVRJsonError("Invalid entry in Symbols: " + error.toStdString());
        r.Symbols.push_back(std::move(symbol));
    });
    r.Mapping = fMapping;  // the session's key and service stay
    if (const TJsonObject* m = object("Mapping"))
        r.Mapping.ReadJson(*m);
    else
        r.Mapping.ClearSettings();
    r.BackLayer = KVRJson::GetInt32(aJson, "BackLayer", 0);
    r.LabelRotation = uint8_t(KVRJson::GetByte(aJson, "LabelRotation", 0) % 4);
    r.ActiveDimStyle = KVRJson::GetInt32(aJson, "ActiveDimStyle", 0);
    try {
        r.CheckCounts();
    } catch (const EKVRDataError& e) {
        throw EKVRJsonError(e.what());
    }
    fFileVersion = version;
    fEditorMode = mode;
    fUnits = TKVRUnits(units);
    fMeasure = measure;
    TakeLabelData(r);
}

void TKVRBaseLabel::TakeViewSettings(int32_t aBackLayer, uint8_t aLabelRotation, int32_t aActiveDimStyle)
{
    SetBackLayer(aBackLayer);  // asks for the picture again
    SetLabelRotation(aLabelRotation);
    // An index past the styles reads the first one, as GetDimStyle does.
    fActiveDimStyle = aActiveDimStyle >= 0 && aActiveDimStyle < GetDimStyleCount() ? aActiveDimStyle : 0;
}

// ---------------------------------------------------------------- brackets

void TKVRBaseLabel::BeginRead(bool aKeep)
{
    fReading = true;
    if (!aKeep) {
        Clear(KVRClear::Items, false);
        fSymbols.clear();
    }
}

void TKVRBaseLabel::EndRead(bool aNotify)
{
    fReading = false;
    fModified = false;
    // A load is a new document: nothing selected, nothing under way, the views learn it whole.
    if (aNotify) {
        ClearSelection();
        fAct.Reset();
        fRefLines.clear();
        SendInfo();
    }
}

void TKVRBaseLabel::Clear(uint32_t aSet, bool)
{
    if (aSet & KVRClear::Selection) {
        // The text being written ends with the selection.
        EndText();
        ClearSelection();
    }
    if (aSet & KVRClear::Items) {
        ClearItems();
        fLastNumID = 0;
    } else if (aSet & KVRClear::Copies) {
        std::vector<std::unique_ptr<TKVRBaseItem>> copies;
        auto keep = std::stable_partition(fItems.begin(), fItems.end(),
                                          [](const auto& aItem) { return !aItem->GetPreview(); });
        std::move(keep, fItems.end(), std::back_inserter(copies));
        fItems.erase(keep, fItems.end());
        fLayerSorted = 0;
        for (auto& item : copies)
            item->fAttached = false;
        // freed here, with the list already without them
    }
}

void TKVRBaseLabel::SortItemsZLayer()
{
    const auto byLayer = [](const auto& a, const auto& b) { return a->GetLayer() < b->GetLayer(); };
    const size_t sorted = std::min(fLayerSorted, fItems.size());
    // Creators sort after every element: each new one goes after the last
    // of its layer or a lower one, as a stable sort would put it.
    if (fItems.size() - sorted <= 8) {
        for (size_t i = sorted; i < fItems.size(); ++i) {
            const auto at = fItems.begin() + ptrdiff_t(i);
            std::rotate(std::upper_bound(fItems.begin(), at, *at, byLayer), at, at + 1);
        }
    } else {
        std::stable_sort(fItems.begin(), fItems.end(), byLayer);
    }
    fLayerSorted = fItems.size();
}

// ---------------------------------------------------------------- file names

std::optional<TKVRExt> KVRExt::OfFileName(const QString& aFileName)
{
    for (TKVRExt format : {Binary, Json})
        if (aFileName.endsWith(Extension(format), Qt::CaseInsensitive))
            return format;
    return std::nullopt;
}

QString KVRExt::Extension(TKVRExt aFormat)
{
    return aFormat == Json ? QStringLiteral(".json") : QStringLiteral(".eti");
}

// ---------------------------------------------------------------- the component's part

TKVRBaseItem* TKVRBaseLabel::CreateElementFromStream(QIODevice&)
{
    return nullptr;
}

bool TKVRBaseLabel::ExportDoc(TKVRExport, const QString&, int32_t, float, int16_t, bool, bool, bool)
{
    return false;
}

bool TKVRBaseLabel::LoadFromFile(const QString&)
{
    return false;
}

bool TKVRBaseLabel::SaveToFile(const QString&, TKVRExt)
{
    return false;
}

void TKVRBaseLabel::CopyToClipboard(const std::vector<TKVRBaseItem*>& aItems)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    int32_t count = 0;
    for (const TKVRBaseItem* item : aItems)
        count += item && !item->GetPreview() ? 1 : 0;
    writer.WriteInt32(count);
    for (const TKVRBaseItem* item : aItems)
        if (item && !item->GetPreview())
            item->Write(writer);
    buffer.close();
    fClipboard.close();
    fClipboard.setData(bytes);
}

TKVRBaseLibSymbol* TKVRBaseLabel::GetSymbol(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetSymbolCount())
        throw std::out_of_range("Symbol index out of range");
    return fSymbols[size_t(aIndex - 1)].get();
}

TKVRBaseLibSymbol* TKVRBaseLabel::AddSymbol(std::unique_ptr<TKVRBaseLibSymbol> aSymbol, bool aNotify)
{
    if (!aSymbol)
        return nullptr;
    if (aNotify) {
        // Chosen by the user: one edit, which files the definition when the
        // document does not hold it yet.
        TEditBracket edit(*this);
        // New symbol elements take a copy of their own, which outlives the
        // document's list.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TBinaryWriter writer(&buffer);
        aSymbol->Write(writer);
        buffer.close();
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        SetCurSymbol(std::shared_ptr<const TKVRBaseLibSymbol>(TKVRBaseLibSymbol::Read(reader)));
        if (fAct.fCurAction == TAct::ActSymbol)
            fAct.SetState(2);
        // A definition the document holds already (picked from its own
        // symbols) is placed, not filed twice.
        const TJsonObject definition = aSymbol->WriteJson();
        for (const auto& held : fSymbols)
            if (held->WriteJson() == definition)
                return held.get();
        fSymbols.push_back(std::move(aSymbol));
        SetModified(true);
        return fSymbols.back().get();
    }
    fSymbols.push_back(std::move(aSymbol));
    return fSymbols.back().get();
}

void TKVRBaseLabel::SetLayerZOrder(bool aValue)
{
    fLayerZOrder = aValue;
    if (aValue)
        SortItemsZLayer();
}

void TKVRBaseLabel::CopyFolders(const TKVRBaseLabel& aFrom)
{
    fImageFolder = aFrom.fImageFolder;
    fOpenImgFolder = aFrom.fOpenImgFolder;
    fLibraryFolder = aFrom.fLibraryFolder;
    fData.SetFolder(aFrom.fData.GetFolder());
}

void TKVRBaseLabel::TakeContents(TKVRBaseLabel& aFrom)
{
    ClearItems();
    fItems = std::move(aFrom.fItems);
    aFrom.fItems.clear();
    aFrom.fLayerSorted = 0;
    for (auto& item : fItems)
        item->fOwner = this;
    fLastNumID = aFrom.fLastNumID;
    aFrom.fLastNumID = 0;
    fFileVersion = aFrom.fFileVersion;
    fEditorMode = aFrom.fEditorMode;
    fUnits = aFrom.fUnits;
    fMeasure = aFrom.fMeasure;
    TakePrintSettings(aFrom.fPrintInfo);
    fData = std::move(aFrom.fData);
    fCounters = std::move(aFrom.fCounters);
    fLayers = std::move(aFrom.fLayers);
    fActiveLayer = aFrom.fActiveLayer;
    // New layers may bring another background picture.
    fImgReload = true;
    fDimStyles = std::move(aFrom.fDimStyles);
    fSymbols = std::move(aFrom.fSymbols);
    fBackSurf = aFrom.fBackSurf;
    fOptions = aFrom.fOptions;
    fSettings = aFrom.fSettings;
    // The map settings come from the file; the key and the service belong to this session.
    const QString apiKey = fMapping.GetApiKey(), serviceBase = fMapping.GetServiceBase();
    SetMapping(aFrom.fMapping);
    fMapping.SetApiKey(apiKey);
    fMapping.SetServiceBase(serviceBase);
    TakeViewSettings(aFrom.fBackLayer, aFrom.fLabelRotation, aFrom.fActiveDimStyle);
    fRecord.clear();
    FirstData();
    // The scratch document keeps what every document needs.
    aFrom.fCounters.clear();
    aFrom.fLayers.clear();
    aFrom.AddLayer(QStringLiteral("0"));
    aFrom.fActiveLayer = 0;
    aFrom.fDimStyles.clear();
    aFrom.AddDimStyle();
    aFrom.fSymbols.clear();
    if (fLayerZOrder)
        SortItemsZLayer();
}

std::vector<TKVRBaseItem*> TKVRBaseLabel::TakeItems(TKVRBaseLabel& aFrom)
{
    std::vector<std::unique_ptr<TKVRBaseItem>> items = std::move(aFrom.fItems);
    aFrom.fItems.clear();
    aFrom.fLayerSorted = 0;
    // New numeric ids for elements whose id is taken here or by an earlier
    // pasted one, so links never find two. Fresh ids start past every pasted
    // id, so none of them can be one that a later pasted element keeps.
    for (const auto& item : items)
        NoteNumID(item->GetNumID());
    std::vector<TKVRBaseItem*> taken;
    QHash<int32_t, int32_t> renumbered;  // ids taken here: old -> new, for links
    QSet<int32_t> kept;
    for (auto& item : items) {
        const int32_t id = item->GetNumID();
        if (id <= 0)
            continue;
        const bool takenHere = FindNumID(id) != nullptr;
        if (!takenHere && !kept.contains(id)) {
            kept.insert(id);
            continue;
        }
        const int32_t fresh = fLastNumID < INT32_MAX ? ++fLastNumID : 0;
        if (takenHere && !renumbered.contains(id))
            renumbered.insert(id, fresh);
        item->fNumID = fresh;
    }
    for (auto& item : items) {
        if (auto* link = dynamic_cast<TKVRBaseLink*>(item.get())) {
            if (renumbered.contains(link->GetFromID()))
                link->SetFromID(renumbered.value(link->GetFromID()));
            if (renumbered.contains(link->GetToID()))
                link->SetToID(renumbered.value(link->GetToID()));
        }
        item->fOwner = this;
        taken.push_back(item.get());
        fItems.push_back(std::move(item));
    }
    if (fLayerZOrder)
        SortItemsZLayer();
    return taken;
}

void TKVRBaseLabel::KeepNumIDUnique(TKVRBaseItem* aItem)
{
    const int32_t id = aItem->GetNumID();
    if (id <= 0 || aItem->GetPreview())
        return;
    for (const auto& item : fItems)
        if (item.get() != aItem && !item->GetPreview() && item->GetNumID() == id) {
            aItem->fNumID = fLastNumID < INT32_MAX ? ++fLastNumID : 0;
            return;
        }
}
