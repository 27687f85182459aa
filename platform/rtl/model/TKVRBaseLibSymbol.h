#pragma once
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.SymItems.h"
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TBinaryReader;
class TBinaryWriter;

// A library symbol: a small drawing program (items painted in order) with
// link points, named and filed under a category. Its definition is the JSON
// object "Version", "Name", "Category", "ID", "Units", "InsertX", "InsertY",
// "Def" (the items), with "Note" and "Links" when it has them; coordinates
// are numbers in "Units". Internally every coordinate is micrometres of the
// symbol's own system, and the insertion point is the symbol's reference.
class TKVRBaseLibSymbol
{
public:
    static constexpr int32_t CurrentVersion = 1;

    TKVRBaseLibSymbol() = default;
    virtual ~TKVRBaseLibSymbol() = default;
    TKVRBaseLibSymbol(const TKVRBaseLibSymbol&) = delete;
    TKVRBaseLibSymbol& operator=(const TKVRBaseLibSymbol&) = delete;

    // Reads a definition. On failure the symbol is left as it was and
    // aError names what is wrong; nothing is half read.
    virtual bool ReadJson(const TJsonObject& aJson, QString& aError);
    virtual TJsonObject WriteJson() const;
    // Binary form, as a label file carries it: the definition as compact JSON
    // in one string. Read raises EKVRDataError for a definition it cannot read.
    void Write(TBinaryWriter& aWriter) const;
    static std::unique_ptr<TKVRBaseLibSymbol> Read(TBinaryReader& aReader);

    QString GetName() const { return fName; }
    void SetName(const QString& aValue) { fName = aValue; }
    QString GetCategory() const { return fCategory; }
    void SetCategory(const QString& aValue) { fCategory = aValue; }
    QString GetID() const { return fID; }
    void SetID(const QString& aValue) { fID = aValue; }
    QString GetNote() const { return fNote; }
    void SetNote(const QString& aValue) { fNote = aValue; }
    TKVRUnits GetUnits() const { return fUnits; }
    void SetUnits(TKVRUnits aValue) { fUnits = aValue; }
    int32_t GetVersion() const { return fVersion; }

    // Reference (insertion) point, micrometres.
    int64_t GetRefX() const { return fInsert.X; }
    int64_t GetRefY() const { return fInsert.Y; }
    void SetRef(int64_t aX, int64_t aY) { fInsert = TKVRPto{aX, aY}; }

    // Items 1..count.
    int32_t GetItemsCount() const { return int32_t(fItems.size()); }
    const TKVRSymItem* GetItem(int32_t aIndex) const;
    // Takes the item over and returns it.
    TKVRSymItem* AddItem(std::unique_ptr<TKVRSymItem> aItem);

    // Link points 1..count, micrometres.
    int16_t GetNumLinks() const { return int16_t(fLinks.size()); }
    TKVRPto GetLink(int32_t aIndex) const;
    void AddLink(int64_t aX, int64_t aY);

    // A symbol coordinate (micrometres) in pixels of the context, across and down.
    float DrawX(int64_t aValue, const TKVRBaseDraw* aDraw) const;
    float DrawY(int64_t aValue, const TKVRBaseDraw* aDraw) const;

    // Bounds of what the items cover, micrometres; all 0 without items.
    int64_t GetLeft() const { return fBounds.MinX; }
    int64_t GetTop() const { return fBounds.MinY; }
    int64_t GetRight() const { return fBounds.MaxX; }
    int64_t GetBottom() const { return fBounds.MaxY; }

private:
    void UpdateBounds();

    int32_t fVersion = CurrentVersion;
    QString fName;
    QString fCategory;
    QString fID;
    QString fNote;
    TKVRUnits fUnits = TKVRUnits::Millimetre;
    TKVRPto fInsert;
    std::vector<std::unique_ptr<TKVRSymItem>> fItems;
    std::vector<TKVRPto> fLinks;
    TKVRExtent fBounds;
};

// Whether a symbol scale paints: from 1e-6 to 1e6. Not above 0, or not a
// number, paints nothing; beyond the range a symbol shrinks to nothing or
// outgrows any page, and the pen divided by it overflows.
inline bool KVRSymPaintableScale(float aScale)
{
    return aScale >= 1.0e-6f && aScale <= 1.0e6f;
}

// The name the label services use for a symbol read from a typed definition.
using TKVRLibSymbol = TKVRBaseLibSymbol;

// Unit texts of definitions: "mm", "in", "cm", "dm", "m", "ft", "yd".
QString KVRUnitText(TKVRUnits aUnits);
// False for a text that names no unit.
bool KVRUnitFromText(const QString& aText, TKVRUnits& aUnits);
