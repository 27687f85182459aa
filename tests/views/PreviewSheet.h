#pragma once
// A data-bound sheet for the preview's tests: 3 columns x 8 rows of 60 x 30 mm
// labels on A4, a Code 128 per cell bound to the record's "Code" ("R01", "R02"...).
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRRectangle.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <QRect>
#include <QStringList>

constexpr int kSheetColumns = 3, kSheetRows = 8;
constexpr double kCellW = 60, kCellH = 30, kLeft = 10, kTop = 11, kGapX = 5, kGapY = 5;  // mm

inline void BuildPreviewSheet(TVXLabelFMX& aDoc, int aRecords)
{
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(60000);
    m.SetHeight(30000);
    m.SetMarLeft(10000);
    m.SetMarTop(11000);
    m.SetGapX(5000);
    m.SetGapY(5000);
    m.SetRows(kSheetRows);
    m.SetColumns(kSheetColumns);
    QStringList records;
    for (int i = 1; i <= aRecords; ++i)
        records << QStringLiteral(R"({"Code":"R%1"})").arg(i, 2, 10, QLatin1Char('0'));
    aDoc.GetData().SetJson(QLatin1Char('[') + records.join(QLatin1Char(',')) + QLatin1Char(']'));
    aDoc.GetData().SetDataSel(TKVRData::JsonDataset);
    aDoc.GetPrintInfo().SetWithData(true);
    TKVRBarcode* code = TKVRFactory::AddBarcode(&aDoc, 5, 5, QStringLiteral("DESIGN"), TKVRBarType::Code128);
    code->SetFillType(1);
    code->SetFillName(QStringLiteral("Code"));
}

// A black mark in each cell's lower right corner on a layer that is not printed.
inline void AddUnprintedMark(TVXLabelFMX& aDoc)
{
    TKVRLayer* layer = aDoc.AddLayer(QStringLiteral("Notes"));
    layer->SetState(TKVRLayer::StateVisible);
    TKVRRectangle* mark = TKVRFactory::AddRectangle(&aDoc, 50, 22, 8, 6);
    mark->SetFilled(true);
    mark->SetBackColor(0xFF000000);
    mark->SetLayer(layer->GetIndex());
}

// Cell (row, column from 1) in pixels of a page drawn at aPixelsPerMm from aOrigin.
inline QRect CellRect(QPointF aOrigin, double aPixelsPerMm, int aRow, int aCol)
{
    const double x = kLeft + (aCol - 1) * (kCellW + kGapX), y = kTop + (aRow - 1) * (kCellH + kGapY);
    return QRectF(aOrigin.x() + x * aPixelsPerMm, aOrigin.y() + y * aPixelsPerMm, kCellW * aPixelsPerMm,
                  kCellH * aPixelsPerMm)
        .toAlignedRect();
}
