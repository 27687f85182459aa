#pragma once
// The element factory: class-level creators of every element kind.
//
// AddBase<Kind> takes micrometres (int64), Add<Kind> floats in the
// document's unit. Each creator constructs the element on the document
// (which owns it), gives it its points and the active layer's defaults that
// its kind uses, re-sorts the document by layer and returns the element.
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

class TKVRBaseLabel;
class TKVRPoint;
class TKVRLine;
class TKVRArrowLine;
class TKVRPolyLine;
class TKVRBezier;
class TKVRArc;
class TKVRRectangle;
class TKVRPackage;
class TKVRPolygon;
class TKVRCircle;
class TKVRSector;
class TKVRLevel;
class TKVREllipse;
class TKVRText;
class TKVRParagraph;
class TKVRRichText;
class TKVRBarcode;
class TKVRPDF417;
class TKVRDataMatrix;
class TKVRQRCode;
class TKVRImage;
class TKVRFlow;
class TKVRLink;
class TKVRTable;
class TKVRPolyText;
class TKVRRank;
class TKVRNutriScore;
class TKVRSymbol;
class TKVRDim;

using TVXLinkType = uint8_t;

// Geometry the creators share; pure, so it is tested without a document.
namespace KVRFactoryGeometry {
struct TCircle
{
    int64_t CX = 0, CY = 0, R = 0;
};
// Circle with the segment as its diameter (radius 0 on one point).
TCircle CircleOf2(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2);
// Circle through three points. Points on one line (or too nearly so for a
// centre within the coordinate range) give the smallest circle holding all
// three: the two farthest apart are its diameter.
TCircle CircleOf3(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3);
// Eight points of an angle dimension between the lines (p1, p2) and (p3, p4),
// its arc through the picked point (pX, pY); empty when the lines are parallel.
std::optional<std::array<TKVRPto, 8>> DimAnglePoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2,
                                                      int64_t aX3, int64_t aY3, int64_t aX4, int64_t aY4,
                                                      int64_t aPX, int64_t aPY);
}

class TKVRFactory
{
public:
    TKVRFactory() = delete;

    // Factory resolution (dots per inch); 96 x 96 from start-up.
    static int32_t fDPIX;
    static int32_t fDPIY;
    static void SetDPI(int32_t aDPIX, int32_t aDPIY);

    // ---- micrometres
    static TKVRPoint* AddBasePoint(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1);
    static TKVRLine* AddBaseLine(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    static TKVRArrowLine* AddBaseArrowLine(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    static TKVRPolyLine* AddBasePolyLine(TKVRBaseLabel* aOwner, std::span<const int64_t> aPoints);
    static TKVRBezier* AddBaseBezier(TKVRBaseLabel* aOwner, std::span<const int64_t> aPoints);
    // Angles in degrees, clockwise on screen from +x.
    static TKVRArc* AddBaseArc(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio, float aStart,
                               float aEnd);
    static TKVRArc* AddBaseArc(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3,
                               int64_t y3);
    static TKVRRectangle* AddBaseRectangle(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                           int64_t Height);
    static TKVRPackage* AddBasePackage(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    static TKVRPolygon* AddBasePolygon(TKVRBaseLabel* aOwner, std::span<const int64_t> aPoints);
    static TKVRCircle* AddBaseCircle(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio);
    static TKVRCircle* AddBaseCircle2P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    static TKVRCircle* AddBaseCircle3P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                       int64_t x3, int64_t y3);
    static TKVRSector* AddBaseSector(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio, float aStart,
                                     float aSweep);
    static TKVRSector* AddBaseSector2P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                       float aStart, float aSweep);
    static TKVRSector* AddBaseSector3P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                       int64_t x3, int64_t y3, float aStart, float aSweep);
    static TKVRLevel* AddBaseLevel(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio);
    static TKVREllipse* AddBaseEllipse(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t RadioX,
                                       int64_t RadioY);
    static TKVRText* AddBaseText(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1);
    static TKVRParagraph* AddBaseParagraph(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                           int64_t Height);
    static TKVRRichText* AddBaseRichText(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                         int64_t Height);
    static TKVRBarcode* AddBaseBarcode(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode,
                                       TKVRBarType aType);
    static TKVRPDF417* AddBasePDF417(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode);
    static TKVRDataMatrix* AddBaseDataMatrix(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode);
    static TKVRQRCode* AddBaseQRCode(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode);
    static TKVRImage* AddBaseImage(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height,
                                   const QString& aFileName);
    static TKVRFlow* AddBaseFlow(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height,
                                 TKVRFlowType aType);
    static TKVRLink* AddBaseLink(TKVRBaseLabel* aOwner, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
                                 TVXLinkType aType);
    static TKVRLink* AddBasePolyLink(TKVRBaseLabel* aOwner, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
                                     TVXLinkType aType, std::span<const int64_t> aPoints);
    static TKVRTable* AddBaseTable(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    static TKVRPolyText* AddBasePolyText(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1);
    static TKVRRank* AddBaseRank(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    static TKVRNutriScore* AddBaseNutriScore(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                             int64_t Height);
    // With the document's current library symbol.
    static TKVRSymbol* AddBaseSymbol(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1);
    static TKVRDim* AddBaseDim(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t pX,
                               int64_t pY);
    // Null when the two lines do not cross.
    static TKVRDim* AddBaseDimAngle(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                    int64_t x3, int64_t y3, int64_t x4, int64_t y4, int64_t pX, int64_t pY);
    // aAngle in radians.
    static TKVRDim* AddBaseDimRadial1(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius,
                                      float aAngle);
    static TKVRDim* AddBaseDimRadial2(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius,
                                      float aAngle);
    static TKVRDim* AddBaseDimDiameter1(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY,
                                        int64_t aRadius, float aAngle);
    static TKVRDim* AddBaseDimDiameter2(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY,
                                        int64_t aRadius, float aAngle);

    // ---- the document's unit
    static TKVRPoint* AddPoint(TKVRBaseLabel* aOwner, float x1, float y1);
    static TKVRLine* AddLine(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2);
    static TKVRArrowLine* AddArrowLine(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2);
    static TKVRPolyLine* AddPolyLine(TKVRBaseLabel* aOwner, std::span<const float> aPoints);
    static TKVRBezier* AddBezier(TKVRBaseLabel* aOwner, std::span<const float> aPoints);
    static TKVRArc* AddArc(TKVRBaseLabel* aOwner, float cx, float cy, float Radio, float aStart, float aEnd);
    static TKVRArc* AddArc(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3, float y3);
    static TKVRRectangle* AddRectangle(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRPackage* AddPackage(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRPolygon* AddPolygon(TKVRBaseLabel* aOwner, std::span<const float> aPoints);
    static TKVRCircle* AddCircle(TKVRBaseLabel* aOwner, float x1, float y1, float Radio);
    static TKVRCircle* AddCircle2P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2);
    static TKVRCircle* AddCircle3P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3, float y3);
    static TKVRSector* AddSector(TKVRBaseLabel* aOwner, float x1, float y1, float Radio, float aStart, float aSweep);
    static TKVRSector* AddSector2P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float aStart,
                                   float aSweep);
    static TKVRSector* AddSector3P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3, float y3,
                                   float aStart, float aSweep);
    static TKVRLevel* AddLevel(TKVRBaseLabel* aOwner, float x1, float y1, float Radio);
    static TKVREllipse* AddEllipse(TKVRBaseLabel* aOwner, float x1, float y1, float RadioX, float RadioY);
    static TKVRText* AddText(TKVRBaseLabel* aOwner, float x1, float y1);
    static TKVRParagraph* AddParagraph(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRRichText* AddRichText(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRBarcode* AddBarcode(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode,
                                   TKVRBarType aType);
    static TKVRPDF417* AddPDF417(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode);
    static TKVRDataMatrix* AddDataMatrix(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode);
    static TKVRQRCode* AddQRCode(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode);
    static TKVRImage* AddImage(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height,
                               const QString& aFileName);
    static TKVRFlow* AddFlow(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height,
                             TKVRFlowType aType);
    // Ends named by the elements' string ids; null when a name finds no
    // element that offers anchors (per-cell copies are never found).
    static TKVRLink* AddLink(TKVRBaseLabel* aOwner, const QString& Id1, const QString& Id2, int16_t Idx1,
                             int16_t Idx2, TVXLinkType aType);
    static TKVRLink* AddPolyLink(TKVRBaseLabel* aOwner, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
                                 TVXLinkType aType, std::span<const float> aPoints);
    static TKVRTable* AddTable(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRPolyText* AddPolyText(TKVRBaseLabel* aOwner, float x1, float y1);
    static TKVRRank* AddRank(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRNutriScore* AddNutriScore(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height);
    static TKVRSymbol* AddSymbol(TKVRBaseLabel* aOwner, float x1, float y1);
    // Loads the symbol aName of the library aFileName (in the document's
    // library folder) first; null when it cannot.
    static TKVRSymbol* AddSymbol(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aFileName,
                                 const QString& aName);
    static TKVRDim* AddDim(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float pX, float pY);
    static TKVRDim* AddDimAngle(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3, float y3,
                                float x4, float y4, float pX, float pY);
    static TKVRDim* AddDimRadial1(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                  float aAngle);
    static TKVRDim* AddDimRadial2(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                  float aAngle);
    static TKVRDim* AddDimDiameter1(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                    float aAngle);
    static TKVRDim* AddDimDiameter2(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                    float aAngle);

    // ---- diagram import (KVR.FMX.Shared.Factory.Diagrams.cpp)
    static bool LoadGantt(TKVRBaseLabel* aOwner, const QString& aText);
    static bool LoadMermaid(TKVRBaseLabel* aOwner, const QString& aText, int32_t* aSkipped = nullptr);
};

// Unit start-up: the factory resolution back to 96 x 96.
void InitializeKVRFMXSharedFactory();
