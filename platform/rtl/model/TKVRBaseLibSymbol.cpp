#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <string>

namespace {
struct TUnitName
{
    TKVRUnits Unit;
    const char* Text;
};
constexpr TUnitName kUnits[] = {{TKVRUnits::Millimetre, "mm"}, {TKVRUnits::Inch, "in"},
                                {TKVRUnits::Centimetre, "cm"}, {TKVRUnits::Decimetre, "dm"},
                                {TKVRUnits::Metre, "m"},       {TKVRUnits::Foot, "ft"},
                                {TKVRUnits::Yard, "yd"}};

std::string Quoted(const QString& s)
{
    return "\"" + s.toStdString() + "\"";
}
}  // namespace

QString KVRUnitText(TKVRUnits aUnits)
{
    for (const TUnitName& u : kUnits)
        if (u.Unit == aUnits)
            return QString::fromLatin1(u.Text);
    return QStringLiteral("mm");
}

bool KVRUnitFromText(const QString& aText, TKVRUnits& aUnits)
{
    for (const TUnitName& u : kUnits)
        if (aText == QLatin1String(u.Text)) {
            aUnits = u.Unit;
            return true;
        }
    return false;
}

bool TKVRBaseLibSymbol::ReadJson(const TJsonObject& aJson, QString& aError)
{
    aError.clear();
    QString name;
    try {
        if (!aJson.is_object())
            throw EKVRJsonError("A symbol definition must be a JSON object");
        name = KVRJson::GetString(aJson, "Name", QString());
        if (name.trimmed().isEmpty())
            throw EKVRJsonError("The symbol has no \"Name\"");
        const int32_t version = KVRJson::GetInt32(aJson, "Version", CurrentVersion);
        if (version < 1 || version > CurrentVersion)
            throw EKVRDataError("Unsupported symbol version " + std::to_string(version));
        TKVRUnits units = TKVRUnits::Millimetre;
        const QString unitText = KVRJson::GetString(aJson, "Units", QStringLiteral("mm"));
        if (!KVRUnitFromText(unitText, units))
            throw EKVRJsonError("Unknown \"Units\" " + Quoted(unitText));
        const int64_t unit = MicrometresPerUnit(units);

        TKVRPto insert;
        if (auto it = aJson.find("InsertX"); it != aJson.end())
            insert.X = KVRSymJson::ToBase(*it, unit, "InsertX");
        if (auto it = aJson.find("InsertY"); it != aJson.end())
            insert.Y = KVRSymJson::ToBase(*it, unit, "InsertY");

        const TJsonObject* def = KVRJson::GetArray(aJson, "Def");
        if (!def)
            throw EKVRJsonError("Missing key \"Def\"");
        if (def->size() > size_t(KVRSymMaxItems))
            throw EKVRDataError("Too many items: " + std::to_string(def->size()));
        std::vector<std::unique_ptr<TKVRSymItem>> items;
        items.reserve(def->size());
        for (size_t i = 0; i < def->size(); ++i) {
            const TJsonObject& e = (*def)[i];
            const std::string where = "Item " + std::to_string(i + 1) + ": ";
            try {
                if (!e.is_object())
                    throw EKVRJsonError("an object was expected");
                const QString type = KVRJson::GetString(e, "Type", QString());
                std::unique_ptr<TKVRSymItem> item;
                for (uint8_t k = 0; k <= KVRSymKind::Last && !item; ++k)
                    if (type == QLatin1String(KVRSymKind::Name(k)))
                        item = TKVRSymItem::Create(k);
                if (!item)
                    throw EKVRJsonError("unknown \"Type\" " + Quoted(type));
                item->ReadJson(e, unit);
                items.push_back(std::move(item));
            } catch (const std::exception& ex) {
                throw EKVRJsonError(where + ex.what());
            }
        }

        std::vector<TKVRPto> links;
        if (aJson.contains("Links"))
            links = KVRSymJson::ReadPoints(aJson, "Links", unit, 0, KVRSymMaxLinks);

        // Everything is read: take it over in one step.
        fVersion = version;
        fName = name;
        fCategory = KVRJson::GetString(aJson, "Category", QString());
        fID = KVRJson::GetString(aJson, "ID", QString());
        fNote = KVRJson::GetString(aJson, "Note", QString());
        fUnits = units;
        fInsert = insert;
        fItems = std::move(items);
        fLinks = std::move(links);
        UpdateBounds();
        return true;
    } catch (const std::exception& ex) {
        aError = name.isEmpty() ? QString::fromStdString(ex.what())
                                : QStringLiteral("Symbol \"%1\": %2").arg(name, QString::fromStdString(ex.what()));
        return false;
    }
}

TJsonObject TKVRBaseLibSymbol::WriteJson() const
{
    const int64_t unit = MicrometresPerUnit(fUnits);
    TJsonObject j = TJsonObject::object();
    j["Version"] = fVersion;
    j["Name"] = KVRJson::Str(fName);
    j["Category"] = KVRJson::Str(fCategory);
    j["ID"] = KVRJson::Str(fID);
    j["Units"] = KVRJson::Str(KVRUnitText(fUnits));
    j["InsertX"] = KVRSymJson::Coord(fInsert.X, unit);
    j["InsertY"] = KVRSymJson::Coord(fInsert.Y, unit);
    if (!fNote.isEmpty())
        j["Note"] = KVRJson::Str(fNote);
    TJsonObject def = TJsonObject::array();
    for (const auto& item : fItems) {
        TJsonObject e = TJsonObject::object();
        item->WriteJson(e, unit);
        def.push_back(std::move(e));
    }
    j["Def"] = std::move(def);
    if (!fLinks.empty())
        KVRSymJson::WritePoints(j, "Links", fLinks, unit);
    return j;
}

const TKVRSymItem* TKVRBaseLibSymbol::GetItem(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetItemsCount())
        return nullptr;
    return fItems[size_t(aIndex - 1)].get();
}

TKVRSymItem* TKVRBaseLibSymbol::AddItem(std::unique_ptr<TKVRSymItem> aItem)
{
    if (!aItem)
        return nullptr;
    fItems.push_back(std::move(aItem));
    UpdateBounds();
    return fItems.back().get();
}

TKVRPto TKVRBaseLibSymbol::GetLink(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > int32_t(fLinks.size()))
        return {};
    return fLinks[size_t(aIndex - 1)];
}

void TKVRBaseLibSymbol::AddLink(int64_t aX, int64_t aY)
{
    if (fLinks.size() < size_t(KVRSymMaxLinks))
        fLinks.push_back(TKVRPto{aX, aY});
}

float TKVRBaseLibSymbol::DrawX(int64_t aValue, const TKVRBaseDraw* aDraw) const
{
    return aDraw->GetDrawX(aValue);
}

float TKVRBaseLibSymbol::DrawY(int64_t aValue, const TKVRBaseDraw* aDraw) const
{
    return aDraw->GetDrawY(aValue);
}

void TKVRBaseLibSymbol::UpdateBounds()
{
    TKVRExtent e;
    for (const auto& item : fItems)
        item->CheckFit(e);
    fBounds = e.Assigned ? e : TKVRExtent{};
}

void TKVRBaseLibSymbol::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteString(QString::fromStdString(WriteJson().dump()));
}

std::unique_ptr<TKVRBaseLibSymbol> TKVRBaseLibSymbol::Read(TBinaryReader& aReader)
{
    const QByteArray text = aReader.ReadString().toUtf8();
    TJsonObject def;
    try {
        def = TJsonObject::parse(text.constBegin(), text.constEnd());
    } catch (const nlohmann::json::exception& e) {
        throw EKVRDataError(std::string("Invalid symbol definition: ") + e.what());
    }
    auto symbol = std::make_unique<TKVRBaseLibSymbol>();
    QString error;
    if (!symbol->ReadJson(def, error))
        throw EKVRDataError("Invalid symbol definition: " + error.toStdString());
    return symbol;
}
