#pragma once
// The label component: the document a host places on a form, with its
// published properties and events, label files and element streams, the
// per-sheet-cell copies of data-bound elements, background pictures,
// printing, export and background maps.
#include "document/KVR.FMX.BackImage.h"
#include "document/KVR.FMX.MapCompose.h"
#include "document/KVR.FMX.PrintReport.h"
#include "document/KVR.FMX.Shared.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class TBinaryReader;
class TKVRBaseItem;
class TKVRLink;

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TKVRInfoMsgEvent = std::function<void(QObject* Sender, const QString& aMessage)>;
using TKVRGetFontListEvent = std::function<void(QObject* Sender, QStringList& aFonts)>;
using TKVRUndoRedoEvent = std::function<void(QObject* Sender, bool aCanUndo, bool aCanRedo)>;
// Asked before a symbol library file is read; aAccept false leaves it out.
using TKVRReadSymEvent = std::function<void(QObject* Sender, const QString& aFileName, bool& aAccept)>;
using TKVRGetListValues = std::function<void(QObject* Sender)>;
using TKVRSelectItem = std::function<void(QObject* Sender, TKVRBaseItem* aItem)>;
struct TKVRExportResult;
using TKVRExportDoneEvent = std::function<void(QObject* Sender, const TKVRExportResult& aResult)>;

class TVXLabelFMX : public TKVRSharedFMX
{
    Q_OBJECT
    Q_PROPERTY(TKVRMeasure Measure READ GetMeasure WRITE SetMeasure)
    Q_PROPERTY(TKVRMapping Mapping READ GetMapping WRITE SetMapping)
    Q_PROPERTY(TKVRBackSurf BackSurf READ GetBackSurf WRITE SetBackSurf)
    Q_PROPERTY(TKVRSettings Settings READ GetSettings WRITE SetSettings)
    Q_PROPERTY(TVXLabelOptions Options READ GetOptions WRITE SetOptions)
    Q_PROPERTY(TKVRData Data READ GetData WRITE SetData)
    Q_PROPERTY(TKVRUnits Units READ GetUnits WRITE SetUnits)
    Q_PROPERTY(bool LayerZOrder READ GetLayerZOrder WRITE SetLayerZOrder)
    Q_PROPERTY(QString LanguageFileName READ GetLngFileName WRITE SetLngFileName)
    Q_PROPERTY(bool Editable READ GetEditable WRITE SetEditable)
    Q_PROPERTY(QString ImageFolder READ GetImageFolder WRITE SetImageFolder)
    Q_PROPERTY(QString OpenImgFolder READ GetOpenImgFolder WRITE SetOpenImgFolder)
    Q_PROPERTY(QString LibraryFolder READ GetLibraryFolder WRITE SetLibraryFolder)
    Q_PROPERTY(uint8_t EditorMode READ GetEditorMode WRITE SetEditorMode)

public:
    // Version of streams that carry no label data (clipboard, cell copies).
    static constexpr int32_t KVRStreamVersion = 3100;

    explicit TVXLabelFMX(QObject* aOwner = nullptr);
    ~TVXLabelFMX() override;

    // ---- events
    TNotifyEvent OnAfterPrint;
    TNotifyEvent OnBeforePrint;
    TKVRInfoMsgEvent OnInfoMsg;
    TKVRGetFontListEvent OnGetFontListEvent;
    TKVRUndoRedoEvent OnUndoRedoEvent;
    TKVRReadSymEvent OnReadSymEvent;
    TKVRGetListValues OnGetListValues;
    TNotifyEvent OnComposeImage;
    TKVRSelectItem OnSelectItem;
    TKVRSelectItem OnUnSelectItem;
    TNotifyEvent OnLabelRotate;

    // ---- hooks for descendants: empty here
    void GetListValues() override {}
    void GetAskValues() override {}
    void ResetPrinter() override {}
    void EditSymbolDef() {}
    void SetDPI(int32_t, int32_t) {}

    // ---- files and streams
    // One element record: its kind code (low byte) selects the class. A code
    // outside 1..29 raises: records carry no length, so nothing after it can be read.
    TKVRBaseItem* CreateFromStream(TBinaryReader& aReader, int32_t aVersion, TKVRReadType aReadType);
    // The ".eti" layout on any stream. A load reads into a scratch document and
    // takes it over only when everything was read; on failure it raises and
    // the document is as it was.
    void LoadFromStream(QIODevice& aStream);
    void SaveToStream(QIODevice& aStream) const;
    // ".eti" (binary) or ".json", the extension in any case; any other
    // name reads nothing and returns false. A relative data file name is
    // found beside the label file; one that cannot be read goes to OnInfoMsg.
    bool LoadFromFile(const QString& aFileName) override;
    // Format 0 binary, 1 JSON (indented UTF-8, no byte-order mark); written
    // through a save file, so a failure leaves the previous file whole.
    // False, with nothing written, for another format; I/O errors raise.
    bool SaveToFile(const QString& aFileName, TKVRExt aFormat) override;
    // A 32-bit version and one element record, read with that version. The
    // element keeps its numeric id unless another element has it.
    TKVRBaseItem* CreateElementFromStream(QIODevice& aStream) override;
    // Inserts the clipboard stream's elements, all or none.
    void PasteSelection() override;
    // The model's run, then one copy (read type 2) of every visible, printable,
    // data-bound element for every sheet cell, placed with PreviewPos. They
    // stay until the next call or Clear(KVRClear::Copies); Print and the
    // preview window clear them when they end.
    void CheckPrintData() override;

    // ---- services
    // An image element showing a picture the user chooses: with aMap a
    // background map composed for the element's size at 96 dpi, else a
    // picture file from OpenImgFolder. Null when the user cancels or no
    // dialog is installed.
    TKVRBaseImage* AddBaseImage(int64_t x1, int64_t y1, int64_t Width, int64_t Height, bool aMap,
                                const QString& aUnused) override;
    // The label-sheet dialog (mode 0) or the drawing-sheet dialog (modes 1
    // and 2); on OK what it holds is written in one bracket. Ticking or
    // clearing "Link data" there links or unlinks the data (SetLinkData).
    void EditProperties();
    // Linked data prints, previews and exports one label per record of the
    // selected data set; unlinked, the labels carry their design values. The
    // data settings' link flag and the print's data flag are set together.
    void SetLinkData(bool aValue);
    // The layer dialog, then Refresh; each change in it lands at once.
    void EditLayers();
    // Drawings (mode 2) only: the dimension-style dialog, then every
    // dimension is laid out again and the views refresh.
    void EditDimStyles();
    // The views rebuild from the document.
    void Refresh();
    // A symbol definition typed as JSON from a template (version 1, a new
    // identifier); a definition the symbol refuses is shown and not added.
    // Null when cancelled or refused.
    TKVRBaseLibSymbol* AddSymbolDef();
    // A link between the elements named Id1 and Id2 (their string ids).
    TKVRLink* AddLink(const QString& Id1, const QString& Id2, int16_t Idx1, int16_t Idx2, TVXLinkType aType);
    // Starts the export job on a copy of the document taken now and returns
    // at once; OnExportDone hears of its end on this thread. With aCheckData
    // a run without labels writes no file and its result's Error says why,
    // in the words of a print's report.
    bool ExportDoc(TKVRExport aType, const QString& aFilename, int32_t aPage, float aScale, int16_t aQuality,
                   bool aCheckData, bool aTransparent, bool aFit) override;
    TKVRExportDoneEvent OnExportDone;
    // The same, its end told to aDone alone (a window that started it), not
    // to OnExportDone, which stays the host's.
    bool ExportDoc(TKVRExport aType, const QString& aFilename, int32_t aPage, float aScale, int16_t aQuality,
                   bool aCheckData, bool aTransparent, bool aFit, std::function<void(const TKVRExportResult&)> aDone);

    // ---- background image
    // The background layer's picture inside the label cell less its margins,
    // turned with the label; true when something was painted. The screen
    // keeps the decoded picture; paper decodes it for every cell.
    bool DrawBackImage(const ISkCanvas& aCanvas, TKVRDraw& aDrw)
    {
        return KVRDrawBackImage(*this, LImage, aCanvas, aDrw);
    }
    bool PrintBackImage(TKVRDraw& aDrw) { return KVRPrintBackImage(*this, aDrw); }

    // ---- printing
    // Opens the preview window modally on this label. The window is a view:
    // this is defined with it (kvr_views), which a host that calls it links.
    // The run's per-cell copies go when the window closes.
    void Preview();
    // CheckPrintData, then every label of the run on the printer of the print
    // information, on this thread. True when there were labels and every one
    // went to the printer; set-up errors raise; GetPrintReport tells what the
    // run did. The run's per-cell copies go when it ends, however it ends.
    bool Print() override;
    const TKVRPrintReport& GetPrintReport() const { return fPrintReport; }

    // ---- background maps
    // Composes the map around the place into a PNG in the image folder, off
    // the user-interface thread; OnComposeImage follows on that thread.
    // False, with the reason to the composer's error path, when the request
    // cannot be mapped.
    bool ComposeImage(const QString& aLatitud, const QString& aLongitud, int32_t aZoom, int32_t aWidth,
                      int32_t aHeight)
    {
        return fMapComposer.ComposeImage(aLatitud, aLongitud, aZoom, aWidth, aHeight);
    }
    // Others learn of a composition's end here (Composed, Failed) without
    // taking the host's OnComposeImage away.
    TKVRMapComposer& GetMapComposer() { return fMapComposer; }

protected:
    // The events of selection, information and label turns.
    void ItemSelected(TKVRBaseItem* aItem, bool aSelected) override
    {
        if (aSelected ? bool(OnSelectItem) : bool(OnUnSelectItem))
            (aSelected ? OnSelectItem : OnUnSelectItem)(this, aItem);
    }
    void InfoMessage(const QString& aMessage) override
    {
        if (OnInfoMsg)
            OnInfoMsg(this, aMessage);
    }
    void LabelRotated() override
    {
        if (OnLabelRotate)
            OnLabelRotate(this);
    }
    void EditItemDialog(TKVRBaseItem* aItem) override;

public:
    // A double click on an element the installed dialogs do not edit
    // (a paragraph and a rich text open the long-text dialog).
    TKVRSelectItem OnEditItemDialog;

private:
    TKVRBackImageCache LImage;
    TKVRPrintReport fPrintReport;  // of the last print
    TKVRMapComposer fMapComposer{this, [this] {
        if (OnComposeImage)
            OnComposeImage(this);
    }};

    // Reads the ".eti" layout into aInto.
    void ReadStream(TVXLabelFMX& aInto, QIODevice& aStream);
    void ReadJsonText(TVXLabelFMX& aInto, const QByteArray& aText);
    // After a load: a data file the label names that could not be read goes to OnInfoMsg.
    void ReportDataProblem();
    void WriteLabelFile(const QString& aFileName, TKVRExt aFormat);
};
