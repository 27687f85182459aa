#pragma once
#include "platform/rtl/model/IKVRLinkTarget.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <memory>

// A library symbol placed in a document (kind 24): point 1 is where the
// symbol's insertion point goes; the symbol is scaled by Scale and turned by
// the angle about it (clockwise on screen for a positive angle). The element
// keeps its own copy of the definition and writes it with itself, so a file
// paints the same without any library. Binary after the common header:
// scale (Single), angle (Double, radians), has definition (bool), the
// definition as compact JSON (string, when present), point 1. JSON: "Scale",
// "Angle" (radians), "Symbol" (the definition object), "Points".
//
// Anchors for connectors: 0 is point 1, 1..GetNumLinks() the symbol's link
// points where the element puts them; an index from KVRSymAnchorOffset up is
// read less the offset (link points from 50 up go by that form alone); any
// other index gives point 1.

// What AddLink adds to a symbol end's anchor index.
constexpr int32_t KVRSymAnchorOffset = 50;

class TKVRBaseSymbol : public TKVRBaseItem, public IKVRLinkTarget
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    TKVRBaseSymbol(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseSymbol(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    void CheckFit(TKVRExtent& aExtent) override;

    TKVRPto GetAnchor(uint16_t aIndex) const override;

    float GetScale() const { return fScale; }
    void SetScale(float aValue);
    double GetAngleRad() const { return fAngle; }
    void SetAngleRad(double aValue);
    float GetAngleDeg() const;
    // Shares an immutable definition; nullptr leaves the element without one.
    const TKVRBaseLibSymbol* GetSymbol() const { return fSymbol.get(); }
    std::shared_ptr<const TKVRBaseLibSymbol> GetSymbolRef() const { return fSymbol; }
    void SetSymbol(std::shared_ptr<const TKVRBaseLibSymbol> aSymbol);

    // Whether the element paints: KVRSymPaintableScale.
    bool HasPaintableScale() const;
    // A symbol point (micrometres) in the document: relative to the insertion
    // point, scaled, turned and placed on point 1.
    TKVRPto ToDocument(const TKVRPto& aSymbolPoint) const;


protected:
    TKVRRect TurnBox() const override;

private:
    float fScale = 1.0f;
    double fAngle = 0.0;
    std::shared_ptr<const TKVRBaseLibSymbol> fSymbol;
};
