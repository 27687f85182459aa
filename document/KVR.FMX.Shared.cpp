#include "document/KVR.FMX.Shared.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "elements/TKVRText.h"

TKVRBasePoint* TKVRSharedFMX::AddBasePoint(int64_t x1, int64_t y1)
{
    return TKVRFactory::AddBasePoint(this, x1, y1);
}

TKVRBaseLine* TKVRSharedFMX::AddBaseLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    return TKVRFactory::AddBaseLine(this, x1, y1, x2, y2);
}

TKVRBaseArrowLine* TKVRSharedFMX::AddBaseArrowLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    return TKVRFactory::AddBaseArrowLine(this, x1, y1, x2, y2);
}

TKVRBasePolyLine* TKVRSharedFMX::AddBasePolyLine(std::span<const int64_t> aPoints)
{
    return TKVRFactory::AddBasePolyLine(this, aPoints);
}

TKVRBaseBezier* TKVRSharedFMX::AddBaseBezier(std::span<const int64_t> aPoints)
{
    return TKVRFactory::AddBaseBezier(this, aPoints);
}

TKVRBaseArc* TKVRSharedFMX::AddBaseArc(int64_t x1, int64_t y1, int64_t Radio, float aStart, float aEnd)
{
    return TKVRFactory::AddBaseArc(this, x1, y1, Radio, aStart, aEnd);
}

TKVRBaseArc* TKVRSharedFMX::AddBaseArc(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3)
{
    return TKVRFactory::AddBaseArc(this, x1, y1, x2, y2, x3, y3);
}

TKVRBaseRectangle* TKVRSharedFMX::AddBaseRectangle(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBaseRectangle(this, x1, y1, Width, Height);
}

TKVRBasePackage* TKVRSharedFMX::AddBasePackage(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBasePackage(this, x1, y1, Width, Height);
}

TKVRBasePolygon* TKVRSharedFMX::AddBasePolygon(std::span<const int64_t> aPoints)
{
    return TKVRFactory::AddBasePolygon(this, aPoints);
}

TKVRBaseCircle* TKVRSharedFMX::AddBaseCircle(int64_t x1, int64_t y1, int64_t Radio)
{
    return TKVRFactory::AddBaseCircle(this, x1, y1, Radio);
}

TKVRBaseCircle* TKVRSharedFMX::AddBaseCircle2P(int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    return TKVRFactory::AddBaseCircle2P(this, x1, y1, x2, y2);
}

TKVRBaseCircle* TKVRSharedFMX::AddBaseCircle3P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3)
{
    return TKVRFactory::AddBaseCircle3P(this, x1, y1, x2, y2, x3, y3);
}

TKVRBaseSector* TKVRSharedFMX::AddBaseSector(int64_t x1, int64_t y1, int64_t Radio, float aStart, float aSweep)
{
    return TKVRFactory::AddBaseSector(this, x1, y1, Radio, aStart, aSweep);
}

TKVRBaseSector* TKVRSharedFMX::AddBaseSector2P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, float aStart,
                                               float aSweep)
{
    return TKVRFactory::AddBaseSector2P(this, x1, y1, x2, y2, aStart, aSweep);
}

TKVRBaseSector* TKVRSharedFMX::AddBaseSector3P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3,
                                               float aStart, float aSweep)
{
    return TKVRFactory::AddBaseSector3P(this, x1, y1, x2, y2, x3, y3, aStart, aSweep);
}

TKVRBaseLevel* TKVRSharedFMX::AddBaseLevel(int64_t x1, int64_t y1, int64_t Radio)
{
    return TKVRFactory::AddBaseLevel(this, x1, y1, Radio);
}

TKVRBaseEllipse* TKVRSharedFMX::AddBaseEllipse(int64_t x1, int64_t y1, int64_t RadioX, int64_t RadioY)
{
    return TKVRFactory::AddBaseEllipse(this, x1, y1, RadioX, RadioY);
}

TKVRBaseText* TKVRSharedFMX::AddBaseText(int64_t x1, int64_t y1)
{
    return TKVRFactory::AddBaseText(this, x1, y1);
}

TKVRBasePara* TKVRSharedFMX::AddBaseParagraph(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBaseParagraph(this, x1, y1, Width, Height);
}

TKVRBaseRichText* TKVRSharedFMX::AddBaseRichText(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBaseRichText(this, x1, y1, Width, Height);
}

TKVRBaseBarcode* TKVRSharedFMX::AddBaseBarcode(int64_t x1, int64_t y1, const QString& aCode, TKVRBarType aType)
{
    return TKVRFactory::AddBaseBarcode(this, x1, y1, aCode, aType);
}

TKVRBasePDF417* TKVRSharedFMX::AddBasePDF417(int64_t x1, int64_t y1, const QString& aCode)
{
    return TKVRFactory::AddBasePDF417(this, x1, y1, aCode);
}

TKVRBaseDataMatrix* TKVRSharedFMX::AddBaseDataMatrix(int64_t x1, int64_t y1, const QString& aCode)
{
    return TKVRFactory::AddBaseDataMatrix(this, x1, y1, aCode);
}

TKVRBaseQRCode* TKVRSharedFMX::AddBaseQRCode(int64_t x1, int64_t y1, const QString& aCode)
{
    return TKVRFactory::AddBaseQRCode(this, x1, y1, aCode);
}

TKVRBaseFlow* TKVRSharedFMX::AddBaseFlow(int64_t x1, int64_t y1, int64_t Width, int64_t Height, TKVRFlowType aType)
{
    return TKVRFactory::AddBaseFlow(this, x1, y1, Width, Height, aType);
}

TKVRBaseLink* TKVRSharedFMX::AddBaseLink(int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2, uint8_t aType)
{
    return TKVRFactory::AddBaseLink(this, Id1, Id2, Idx1, Idx2, aType);
}

TKVRBaseLink* TKVRSharedFMX::AddBasePolyLink(int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2, uint8_t aType,
                                             std::span<const int64_t> aPoints)
{
    return TKVRFactory::AddBasePolyLink(this, Id1, Id2, Idx1, Idx2, aType, aPoints);
}

TKVRBaseTable* TKVRSharedFMX::AddBaseTable(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBaseTable(this, x1, y1, Width, Height);
}

TKVRBasePoly* TKVRSharedFMX::AddBasePolyText(int64_t x1, int64_t y1)
{
    return TKVRFactory::AddBasePolyText(this, x1, y1);
}

TKVRBaseRank* TKVRSharedFMX::AddBaseRank(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBaseRank(this, x1, y1, Width, Height);
}

TKVRBaseNutri* TKVRSharedFMX::AddBaseNutriScore(int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    return TKVRFactory::AddBaseNutriScore(this, x1, y1, Width, Height);
}

TKVRBaseSymbol* TKVRSharedFMX::AddBaseSymbol(int64_t x1, int64_t y1)
{
    return TKVRFactory::AddBaseSymbol(this, x1, y1);
}

TKVRBaseDim* TKVRSharedFMX::AddBaseDim(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t pX, int64_t pY)
{
    return TKVRFactory::AddBaseDim(this, x1, y1, x2, y2, pX, pY);
}

TKVRBaseDim* TKVRSharedFMX::AddBaseDimAngle(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3,
                                            int64_t x4, int64_t y4, int64_t pX, int64_t pY)
{
    return TKVRFactory::AddBaseDimAngle(this, x1, y1, x2, y2, x3, y3, x4, y4, pX, pY);
}

TKVRBaseDim* TKVRSharedFMX::AddBaseDimRadial1(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle)
{
    return TKVRFactory::AddBaseDimRadial1(this, aCenterX, aCenterY, aRadius, aAngle);
}

TKVRBaseDim* TKVRSharedFMX::AddBaseDimRadial2(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle)
{
    return TKVRFactory::AddBaseDimRadial2(this, aCenterX, aCenterY, aRadius, aAngle);
}

TKVRBaseDim* TKVRSharedFMX::AddBaseDimDiameter1(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle)
{
    return TKVRFactory::AddBaseDimDiameter1(this, aCenterX, aCenterY, aRadius, aAngle);
}

TKVRBaseDim* TKVRSharedFMX::AddBaseDimDiameter2(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle)
{
    return TKVRFactory::AddBaseDimDiameter2(this, aCenterX, aCenterY, aRadius, aAngle);
}
