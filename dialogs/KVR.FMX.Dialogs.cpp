#include "dialogs/KVR.FMX.Dialogs.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.DimStyles.h"
#include "dialogs/KVR.FMX.Drawing.h"
#include "dialogs/KVR.FMX.EdJson.h"
#include "dialogs/KVR.FMX.EdPolyText.h"
#include "dialogs/KVR.FMX.EdTable.h"
#include "dialogs/KVR.FMX.Labelling.h"
#include "dialogs/KVR.FMX.Layers.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "dialogs/KVR.FMX.SelFont.h"
#include "dialogs/KVR.FMX.SelSize.h"
#include "dialogs/KVR.FMX.SelMap.h"
#include "dialogs/KVR.FMX.SelSymbol.h"
#include "dialogs/KVR.FMX.Settings.h"
#include "document/KVR.FMX.Openers.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include <QApplication>
#include <exception>

bool KVREditItemText(TVXLabelFMX& aLabel, TKVRBaseItem* aItem)
{
    const int32_t kind = aItem ? aItem->GetKind() : 0;
    // The live editors work on the selection, the element the hook hands over.
    if (kind == KVRItemKind::PolyText && aLabel.Select() == aItem)
        return KVREditPolyText(aLabel);
    if (kind == KVRItemKind::Table && aLabel.Select() == aItem)
        return KVREditTable(aLabel);
    if (kind != KVRItemKind::Paragraph && kind != KVRItemKind::RichText)
        return false;
    auto* para = static_cast<TKVRBasePara*>(aItem);
    TfMem form(QApplication::activeWindow());
    // Mark-up is edited in the larger size.
    form.Ini(para->GetText(), kind == KVRItemKind::RichText);
    if (KVRShowModal(form) != 1)
        return true;
    const QString text = form.GetText();
    if (text == para->GetText())
        return true;
    TKVRBaseLabel::TEditBracket edit(aLabel);
    edit.Keep(para);
    para->SetText(text);
    // The inspector's Text row and the editor show what the element now holds.
    aLabel.Notify(KVRChange::Items);
    return true;
}

void KVREditProperties(TVXLabelFMX& aLabel)
{
    const auto written = [&aLabel](const auto& aForm) {
        try {
            aLabel.BeginUpdate(true);
            aForm.WriteBack(aLabel);
            aLabel.EndUpdate();
        } catch (const std::exception& e) {
            aLabel.EndUpdate();
            TKVRPrompts::ShowMessage(QApplication::activeWindow(), QString::fromUtf8(e.what()));
        }
    };
    const uint8_t mode = aLabel.GetEditorMode();
    if (mode == 0) {
        TfLabelling form(QApplication::activeWindow());
        form.Ini(&aLabel);
        if (KVRShowModal(form) == 1)
            written(form);
    } else if (mode == 1 || mode == 2) {
        TfDrawing form(QApplication::activeWindow());
        form.Ini(&aLabel);
        if (KVRShowModal(form) == 1)
            written(form);
    }
}

void InitializeKVRFMXDialogs()
{
    static TKVRSettingsDialog settings;
    KVRDefaultSettingsDialog() = &settings;
    static TKVRSymbolBrowser browser;
    KVRDefaultSymbolBrowser() = &browser;
    TKVRLabelOpeners& openers = KVRLabelOpeners();
    openers.OpenPicture = [](const QString& aFolder, const QString& aFilter) {
        return TKVRPrompts::OpenFileName(QApplication::activeWindow(), QString(), aFolder, aFilter);
    };
    openers.EditItem = KVREditItemText;
    openers.EditTable = KVREditTable;
    openers.EditPolyText = KVREditPolyText;
    openers.ShowMessage = [](const QString& aText) { TKVRPrompts::ShowMessage(QApplication::activeWindow(), aText); };
    openers.EditProperties = KVREditProperties;
    openers.EditJson = [](QString& aText) {
        TfJsonData form(QApplication::activeWindow());
        form.IniDialog(aText);
        if (KVRShowModal(form) != 1)
            return false;
        aText = form.GetJson();
        return true;
    };
    openers.SelectMap = [](TVXLabelFMX& aLabel, int32_t aWidth, int32_t aHeight) {
        TfSelMap form(QApplication::activeWindow());
        try {
            form.Ini(&aLabel, false, aWidth, aHeight);
        } catch (const std::exception& e) {
            TKVRPrompts::ShowMessage(QApplication::activeWindow(), QString::fromUtf8(e.what()));
            return false;
        }
        return KVRShowModal(form) == 1;
    };
    openers.SelectColor = [](uint32_t& aColor) { return KVRPickColor(QApplication::activeWindow(), aColor); };
    openers.SelectFontName = [](const QStringList& aFonts, const QPoint& aAt,
                                const std::function<void(const QString&)>& aChosen) {
        TfSelFont form(QApplication::activeWindow());
        form.LoadFonts(aFonts);
        form.fOnFontSelected = [&](QObject* aSender) {
            auto* list = qobject_cast<TfSelFont*>(aSender);
            if (list && !list->GetSelectedFont().isEmpty()) {
                aChosen(list->GetSelectedFont());
                list->accept();
            }
        };
        form.move(aAt);
        KVRShowModal(form);
    };
    openers.SelectTextSize = [](const QPoint& aAt, const std::function<void(int32_t)>& aChosen) {
        TfSelSize form(QApplication::activeWindow());
        form.LoadSizes();
        form.fOnSizeSelected = [&](QObject* aSender) {
            auto* list = qobject_cast<TfSelSize*>(aSender);
            if (list && list->GetSelectedSize() >= 1) {
                aChosen(list->GetSelectedSize());
                list->accept();
            }
        };
        form.move(aAt);
        KVRShowModal(form);
    };
    openers.EditLongText = [](QString& aText, bool aKeepSize) {
        TfMem form(QApplication::activeWindow());
        form.Ini(aText, aKeepSize);
        if (KVRShowModal(form) != 1)
            return false;
        aText = form.GetText();
        return true;
    };
    openers.EditLayers = [](TVXLabelFMX& aLabel) {
        TfLayers form(QApplication::activeWindow());
        form.Ini(&aLabel);
        KVRShowModal(form);
    };
    openers.EditDimStyles = [](TVXLabelFMX& aLabel) {
        TfDimStls form(QApplication::activeWindow());
        form.Ini(&aLabel);
        KVRShowModal(form);
    };
}
