#pragma once
// The document class of the label component: the runtime's document with its
// element creators filled by the element factory.
#include "platform/rtl/label/TKVRBaseLabel.h"

class TKVRSharedFMX : public TKVRBaseLabel
{
public:
    explicit TKVRSharedFMX(QObject* aOwner = nullptr) : TKVRBaseLabel(aOwner) {}

    // ---- element creators: each forwards to TKVRFactory with this document
    // as owner (the picture's creator is the label component's).
    TKVRBasePoint* AddBasePoint(int64_t x1, int64_t y1) override;
    TKVRBaseLine* AddBaseLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) override;
    TKVRBaseArrowLine* AddBaseArrowLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) override;
    TKVRBasePolyLine* AddBasePolyLine(std::span<const int64_t> aPoints) override;
    TKVRBaseBezier* AddBaseBezier(std::span<const int64_t> aPoints) override;
    TKVRBaseArc* AddBaseArc(int64_t x1, int64_t y1, int64_t Radio, float aStart, float aEnd) override;
    TKVRBaseArc* AddBaseArc(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3) override;
    TKVRBaseRectangle* AddBaseRectangle(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBasePackage* AddBasePackage(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBasePolygon* AddBasePolygon(std::span<const int64_t> aPoints) override;
    TKVRBaseCircle* AddBaseCircle(int64_t x1, int64_t y1, int64_t Radio) override;
    TKVRBaseCircle* AddBaseCircle2P(int64_t x1, int64_t y1, int64_t x2, int64_t y2) override;
    TKVRBaseCircle* AddBaseCircle3P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3) override;
    TKVRBaseSector* AddBaseSector(int64_t x1, int64_t y1, int64_t Radio, float aStart, float aSweep) override;
    TKVRBaseSector* AddBaseSector2P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, float aStart,
                                    float aSweep) override;
    TKVRBaseSector* AddBaseSector3P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3,
                                    float aStart, float aSweep) override;
    TKVRBaseLevel* AddBaseLevel(int64_t x1, int64_t y1, int64_t Radio) override;
    TKVRBaseEllipse* AddBaseEllipse(int64_t x1, int64_t y1, int64_t RadioX, int64_t RadioY) override;
    TKVRBaseText* AddBaseText(int64_t x1, int64_t y1) override;
    TKVRBasePara* AddBaseParagraph(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBaseRichText* AddBaseRichText(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBaseBarcode* AddBaseBarcode(int64_t x1, int64_t y1, const QString& aCode, TKVRBarType aType) override;
    TKVRBasePDF417* AddBasePDF417(int64_t x1, int64_t y1, const QString& aCode) override;
    TKVRBaseDataMatrix* AddBaseDataMatrix(int64_t x1, int64_t y1, const QString& aCode) override;
    TKVRBaseQRCode* AddBaseQRCode(int64_t x1, int64_t y1, const QString& aCode) override;
    TKVRBaseFlow* AddBaseFlow(int64_t x1, int64_t y1, int64_t Width, int64_t Height, TKVRFlowType aType) override;
    TKVRBaseLink* AddBaseLink(int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2, uint8_t aType) override;
    TKVRBaseLink* AddBasePolyLink(int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2, uint8_t aType,
                                  std::span<const int64_t> aPoints) override;
    TKVRBaseTable* AddBaseTable(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBasePoly* AddBasePolyText(int64_t x1, int64_t y1) override;
    TKVRBaseRank* AddBaseRank(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBaseNutri* AddBaseNutriScore(int64_t x1, int64_t y1, int64_t Width, int64_t Height) override;
    TKVRBaseSymbol* AddBaseSymbol(int64_t x1, int64_t y1) override;
    TKVRBaseDim* AddBaseDim(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t pX, int64_t pY) override;
    TKVRBaseDim* AddBaseDimAngle(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3, int64_t x4,
                                 int64_t y4, int64_t pX, int64_t pY) override;
    TKVRBaseDim* AddBaseDimRadial1(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle) override;
    TKVRBaseDim* AddBaseDimRadial2(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle) override;
    TKVRBaseDim* AddBaseDimDiameter1(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle) override;
    TKVRBaseDim* AddBaseDimDiameter2(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle) override;
    // ---- end of the element creators
};
