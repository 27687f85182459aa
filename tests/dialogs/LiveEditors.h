#pragma once
// The four dialogs that edit the document live (no OK), each opened on a
// small document of its own whose fonts are all aFont.
#include "dialogs/KVR.FMX.DimStyles.h"
#include "dialogs/KVR.FMX.EdPolyText.h"
#include "dialogs/KVR.FMX.EdTable.h"
#include "dialogs/KVR.FMX.Layers.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRData.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <QComboBox>
#include <functional>
#include <memory>
#include <vector>

struct TLiveEditor
{
    const char* Name;
    std::function<std::unique_ptr<QDialog>(TVXLabelFMX&, const QString& aFont)> Open;
    // What Enter must never grow.
    std::function<int32_t(TVXLabelFMX&)> Count;
    // The font list that shows the font of what is being edited.
    std::function<QComboBox*(QDialog&)> FontList;
};

inline const std::vector<TLiveEditor>& LiveEditors()
{
    static const std::vector<TLiveEditor> editors = {
        {"layers",
         [](TVXLabelFMX& aDoc, const QString& aFont) {
             aDoc.AddLayer(QStringLiteral("A"));
             aDoc.GetLayer(1)->SetFontName(aFont);
             auto form = std::make_unique<TfLayers>();
             form->Ini(&aDoc);
             form->lbLayers->setCurrentRow(1);
             return std::unique_ptr<QDialog>(std::move(form));
         },
         [](TVXLabelFMX& aDoc) { return aDoc.GetLayersCount(); },
         [](QDialog& aForm) { return static_cast<TfLayers&>(aForm).cbFontName; }},
        {"dimension styles",
         [](TVXLabelFMX& aDoc, const QString& aFont) {
             aDoc.SetEditorMode(2);
             aDoc.AddDimStyle()->SetName(QStringLiteral("Walls"));
             aDoc.GetDimStyle(0).SetFontName(aFont);
             auto form = std::make_unique<TfDimStls>();
             form->Ini(&aDoc);
             return std::unique_ptr<QDialog>(std::move(form));
         },
         [](TVXLabelFMX& aDoc) { return aDoc.GetDimStylesCount(); },
         [](QDialog& aForm) { return static_cast<TfDimStls&>(aForm).cbFontName; }},
        {"table columns",
         [](TVXLabelFMX& aDoc, const QString& aFont) {
             aDoc.GetData().SetJson(R"([{"Item":"Bolt","Qty":1}])");
             auto* table = new TKVRTable(&aDoc, false);
             table->SetBase(1, 10000, 10000);
             table->SetBase(2, 110000, 40000);
             table->SetDetail(TKVRData::JsonDataset);
             for (const char* field : {"Item", "Qty"}) {
                 TKVRColumn& column = table->AddColumn(50.0f);
                 column.Header.Text = QString::fromLatin1(field);
                 column.Body.Font.Name = column.Header.Font.Name = column.Footer.Font.Name = aFont;
             }
             aDoc.SelectItem(table, false);
             auto form = std::make_unique<TfEdTable>();
             form->Ini(&aDoc);
             return std::unique_ptr<QDialog>(std::move(form));
         },
         [](TVXLabelFMX& aDoc) { return static_cast<TKVRTable*>(aDoc.Select())->GetColumnCount(); },
         [](QDialog& aForm) { return static_cast<TfEdTable&>(aForm).cells[0].cbFont; }},
        {"poly-text items",
         [](TVXLabelFMX& aDoc, const QString& aFont) {
             auto* poly = new TKVRPolyText(&aDoc, false);
             poly->AddItem(QStringLiteral("Lot")).Font.Name = aFont;
             poly->AddItem(QStringLiteral("Box")).Font.Name = aFont;
             aDoc.SelectItem(poly, false);
             auto form = std::make_unique<TfEdPoly>();
             form->Ini(&aDoc);
             return std::unique_ptr<QDialog>(std::move(form));
         },
         [](TVXLabelFMX& aDoc) { return static_cast<TKVRPolyText*>(aDoc.Select())->GetItemCount(); },
         [](QDialog& aForm) { return static_cast<TfEdPoly&>(aForm).cbFontName; }},
    };
    return editors;
}
