#pragma once
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/label/KVR.EditTypes.h"
#include "platform/rtl/label/KVR.Observer.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/label/TKVRAct.h"
#include "platform/rtl/label/TKVRBackSurf.h"
#include "platform/rtl/label/TKVRBasePrintInfo.h"
#include "platform/rtl/label/TKVRData.h"
#include "platform/rtl/label/TKVRMapping.h"
#include "platform/rtl/label/TKVRMeasure.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Props.h"
#include "platform/rtl/label/TKVRSettings.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include <QBuffer>
#include <QHash>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class TKVRBaseDim;
class TKVRSheetWalk;
// the element creators' kinds
class TKVRBaseLibSymbol;
class TKVRBasePoint;
class TKVRBaseLine;
class TKVRBaseArrowLine;
class TKVRBasePolyLine;
class TKVRBaseBezier;
class TKVRBaseArc;
class TKVRBaseRectangle;
class TKVRBasePackage;
class TKVRBasePolygon;
class TKVRBaseCircle;
class TKVRBaseSector;
class TKVRBaseLevel;
class TKVRBaseEllipse;
class TKVRBaseText;
class TKVRBasePara;
class TKVRBaseRichText;
class TKVRBaseBarcode;
class TKVRBasePDF417;
class TKVRBaseDataMatrix;
class TKVRBaseQRCode;
class TKVRBaseImage;
class TKVRBaseFlow;
class TKVRBaseLink;
class TKVRBaseTable;
class TKVRBasePoly;
class TKVRBaseRank;
class TKVRBaseNutri;
class TKVRBaseSymbol;
class TKVRBaseItem;
class TKVRCounter;
class TKVRDimStyle;
class TKVRLayer;
class TKVRBaseLibSymbol;
class QIODevice;
class TBinaryReader;
class TBinaryWriter;

// Parts of the document that Clear removes, as bits of its set.
namespace KVRClear {
constexpr uint32_t Items = 1u << 0;     // every element
constexpr uint32_t Selection = 1u << 2; // the selection
constexpr uint32_t Copies = 1u << 10;   // the per-cell copies of data-bound elements
}

// Label file formats: 0 binary (".eti"), 1 JSON (".json").
using TKVRExt = uint8_t;
namespace KVRExt {
constexpr TKVRExt Binary = 0;
constexpr TKVRExt Json = 1;
// The format a label file's name says, its extension in any case (a file
// named LABEL.ETI is a label all the same); none for another name.
std::optional<TKVRExt> OfFileName(const QString& aFileName);
// The extension a format's files are given: ".eti" or ".json".
QString Extension(TKVRExt aFormat);
}
// Export kinds (PDF, XPS, BMP, PNG, GIF, JPEG), counted from 0.
using TKVRExport = uint8_t;

// The label document as far as the element model needs it: measure and
// units, layers, dimension styles, the current data record and the element
// list. Elements attach themselves when constructed; the document owns them.
class TKVRBaseLabel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString ImageFolder READ GetImageFolder WRITE SetImageFolder)

public:
    explicit TKVRBaseLabel(QObject* aOwner = nullptr);
    ~TKVRBaseLabel() override;

    // ---- the document's own data in files
    // Version written into files; files of a later version are refused.
    static constexpr int32_t KVRFileVersion = 3100;
    // Version of the file being read or last read; elements read with it.
    int32_t GetFileVersion() const { return fFileVersion; }
    // Base data: version, editor mode, units, measure.
    void WriteBaseData(TBinaryWriter& aWriter) const;
    void ReadBaseData(TBinaryReader& aReader);
    // Label data: print information, data settings, counters, layers with
    // the active one, dimension styles.
    void WriteData(TBinaryWriter& aWriter) const;
    void ReadData(TBinaryReader& aReader);
    // The whole document as JSON: the label's keys and the elements under "Items".
    TJsonObject GetJson() const;
    // The label's keys (elements are read by the component); raises before
    // changing anything when a key cannot be read.
    void ReadJson(const TJsonObject& aJson);
    bool GetModified() const { return fModified; }
    void SetModified(bool aValue) { fModified = aValue; }
    // Bracket a load (aKeep false: the elements go first) or a paste (aKeep true).
    void BeginRead(bool aKeep);
    void EndRead(bool aNotify);
    bool GetReading() const { return fReading; }
    // Removes the parts named by the KVRClear bits of aSet.
    void Clear(uint32_t aSet, bool aNotify);
    // Elements in layer order (stable within a layer), so lower layers paint first.
    void SortItemsZLayer();

    // 0: a label laid out on sheets; 1 and 2: drawings.
    uint8_t GetEditorMode() const { return fEditorMode; }
    void SetEditorMode(uint8_t aValue) { fEditorMode = aValue > 2 ? 2 : aValue; }

    // ---- measure and units
    TKVRMeasure& GetMeasure() { return fMeasure; }
    const TKVRMeasure& GetMeasure() const { return fMeasure; }
    TKVRUnits GetUnits() const { return fUnits; }
    // Millimetres, and micrometres, in the document's unit.
    double GetValFromMM(double aMillimetres) const { return UnitValue(aMillimetres * 1000.0); }
    double UnitValue(double aMicrometres) const { return aMicrometres / double(MicrometresPerUnit(fUnits)); }
    // Reports change 5.
    void SetUnits(TKVRUnits aValue);
    TKVRSettings& GetSettings() { return fSettings; }
    const TKVRSettings& GetSettings() const { return fSettings; }
    bool GetEditable() const { return fEditable; }
    void SetEditable(bool aValue) { fEditable = aValue; }
    // The edit action this document runs (one per document).
    TAct& GetAct() { return fAct; }
    const TAct& GetAct() const { return fAct; }

    // A length in the document's unit, or in micrometres, to pixels at a
    // resolution (dots per inch), the drawing scale applied.
    float GetDrawValue(float aValue, int32_t aResolution) const;
    float GetDrawValue(int64_t aMicrometres, int32_t aResolution) const;
    // The same in whole printer pixels, halves to even.
    int32_t GetPrintValue(float aValue, int32_t aResolution) const;

    // ---- labelling data and the current record
    TKVRData& GetData() { return fData; }
    const TKVRData& GetData() const { return fData; }
    TKVRBasePrintInfo& GetPrintInfo() { return fPrintInfo; }
    const TKVRBasePrintInfo& GetPrintInfo() const { return fPrintInfo; }

    // Counters, at most KVRMaxCounters, counted from 1; the document owns them.
    static constexpr int32_t KVRMaxCounters = 5;
    int32_t GetCounterCount() const { return int32_t(fCounters.size()); }
    TKVRCounter* GetCounter(int32_t aIndex) const;
    // True when a counter other than aExcept (any, when null) has that name.
    bool CounterName(const QString& aName, const TKVRCounter* aExcept) const;
    // Takes the counter over; raises std::length_error past the limit.
    void AddCounter(TKVRCounter* aCounter);
    void DeleteCounter(int32_t aIndex);

    // Text of a data field for the current record: a value set by hand
    // (SetDataValue), else the field of the selected data set's current
    // record, else the counter of that name for the current label; with a
    // format, a text that is a number is formatted by it. Fill type 0 (not
    // bound) and an unknown field give an empty text.
    QString DataValue(const QString& aField, const QString& aFormat, int32_t aFillType) const;
    // Whether anything fills that field: a value set by hand, a field of the
    // selected data set, a counter. A field nothing fills keeps the element's
    // own (design) value in the preview, on paper and in exports alike.
    bool HasFieldSource(const QString& aField) const;
    void SetDataValue(const QString& aField, const QString& aText) { fRecord.insert(aField, aText); }
    const QHash<QString, QString>& GetDataValues() const { return fRecord; }
    void ClearData() { fRecord.clear(); }

    // Prepares a print run (the model's part): the number of labels (64
    // bits) and pages, page and label 1, the first record. A run its sheet
    // walk refuses gets no pages and the reason (print information's GetRefusal).
    virtual void CheckPrintData();
    // Why the prepared run has no labels to show or print; empty when it has some.
    QString NoLabelsReason() const;
    // Cells before the run's start cell on its first sheet, as the sheet
    // walk counts them: a start cell off the sheet raises std::invalid_argument.
    int64_t SkippedCells() const;
    // Makes page aPage of the prepared run current (held to its pages): with
    // aSetPage the print information's current page and running label (the
    // page's first), with aMoveData the records moved to that label.
    void GoToPage(int32_t aPage, bool aSetPage, bool aMoveData);
    // Back to the first record and label of a run.
    void FirstData();
    // The next label: the next copy of the record, or the next record once
    // every copy is out; counters move on with every label.
    void NextData();
    // The record and label of label aLabel of the run (from 0), as NextData reaches them.
    void MoveToLabel(int64_t aLabel);
    // Current record (from 0) of the selected data set and label of the run (from 0).
    int32_t GetRecordIndex() const { return fRecordIndex; }
    int64_t GetLabelIndex() const { return fLabelIndex; }
    // Copies of a record: the print repetition times the repeat field's number (at least 1).
    int64_t CopiesOf(int32_t aRecord) const;
    // The picture of a data field for the current record, written to aStream:
    // the field names a picture file (found as GetImagePath finds it). False,
    // with nothing written, when the field is empty or the file cannot be read.
    virtual bool DataGraphic(const QString& aField, QIODevice& aStream) const;

    // ---- pictures
    // Folder of the image elements' picture files.
    QString GetImageFolder() const { return fImageFolder; }
    void SetImageFolder(const QString& aValue) { fImageFolder = aValue; }
    // Folder the image dialogs open first.
    QString GetOpenImgFolder() const { return fOpenImgFolder; }
    void SetOpenImgFolder(const QString& aValue) { fOpenImgFolder = aValue; }
    // Folder of the symbol libraries (".lyp" files, top folder only).
    QString GetLibraryFolder() const { return fLibraryFolder; }
    void SetLibraryFolder(const QString& aValue) { fLibraryFolder = aValue; }
    // A picture file name in the image folder (a trailing delimiter added when
    // the folder has none); an absolute name, or any name without a folder,
    // stands as it is.
    QString GetImagePath(const QString& aFileName) const;

    // ---- elements, counted from 1
    int32_t GetItemsCount() const { return int32_t(fItems.size()); }
    TKVRBaseItem* GetItem(int32_t aIndex) const;
    // 1-based position of an element, 0 when it is not in the document.
    int32_t IndexOf(const TKVRBaseItem* aItem) const;
    // Takes an element out of the document and hands it to the caller; null
    // when it is not in the document. The element must not outlive the document.
    std::unique_ptr<TKVRBaseItem> DetachItem(TKVRBaseItem* aItem);
    // Removes and frees the element at aIndex.
    void DeleteItem(int32_t aIndex);
    void ClearItems();
    // First element whose string id is aID (case-sensitive); null when none.
    // Neither look-up finds a per-cell copy.
    // aSelect is the editor's: the look-up never changes the selection.
    TKVRBaseItem* SearchItem(const QString& aID, bool aSelect) const;
    // The element with that numeric id; null when none (0 names nothing).
    TKVRBaseItem* FindNumID(int32_t aNumID) const;

    // ---- layers, counted from 0
    int32_t GetLayerCount() const { return int32_t(fLayers.size()); }
    TKVRLayer* GetLayer(int32_t aIndex) const;
    // The layer at aIndex, or null when there is none (an element's stored index may be stale).
    TKVRLayer* FindLayer(int32_t aIndex) const;
    TKVRLayer* AddLayer(const QString& aName);
    TKVRLayer* GetActiveLayer() const;
    void SetActiveLayer(int32_t aIndex);
    int32_t GetActiveLayerIndex() const { return fActiveLayer; }
    // The layer dialog's name for the count.
    int32_t GetLayersCount() const { return GetLayerCount(); }
    // Layer 0, the default, is never deleted (false). The deleted layer's
    // elements go to layer 0, those above it move down one; the active and
    // the background layer follow, a deleted one falls back to layer 0 and
    // to no background.
    bool DeleteLayer(int32_t aIndex);
    // Swaps two layers with their elements: the elements' layer numbers, the
    // active and the background layer follow. False for an index out of range.
    bool ExchangeLayers(int32_t aA, int32_t aB);
    // A new background picture file for the layer; the picture is read again.
    void SetLayerFileImg(int32_t aIndex, const QString& aFileName);

    // ---- dimension styles, counted from 0; there is always at least one
    int32_t GetDimStyleCount() const { return int32_t(fDimStyles.size()); }
    // The style at aIndex, or the first one when aIndex is out of range.
    TKVRDimStyle& GetDimStyle(int32_t aIndex) const;
    TKVRDimStyle* AddDimStyle();
    int32_t GetDimStylesCount() const { return GetDimStyleCount(); }
    // Makes sure style 0 exists and the active style is a valid one (style 0
    // otherwise); no style's values change.
    void ResetDimStyles();
    // Style 0 is never deleted (false). Dimensions of the deleted style take
    // style 0, those of later styles move down one; style 0 becomes active.
    bool DeleteActiveDimStyle();
    // Every dimension lays itself out again from its style.
    void CalcDimValues();

    // Chooses the kind of a new linear dimension from the measured points
    // (x1, y1), (x2, y2) and the picked position (pX, pY) and lays its points out.
    void CalcDimPoints(TKVRBaseDim* aDim, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aPX, int64_t aPY);
    // Ties a dimension to a style of this document (the first one when its
    // own index is out of range); aNotify is kept for the views.
    void AsignDimPosition(TKVRBaseDim* aDim, bool aNotify);


    // ---- element creators and library symbols (the element factory fills them)
    // The front end's creators: each constructs one element of its kind on
    // this document with the active layer's defaults and returns it, owned by
    // the document. Coordinates and lengths are micrometres, angles degrees
    // (radial dimensions: radians), lists x1, y1, x2, y2, ... The model has
    // no element classes: its bodies raise std::logic_error.
    virtual TKVRBasePoint* AddBasePoint(int64_t x1, int64_t y1);
    virtual TKVRBaseLine* AddBaseLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    virtual TKVRBaseArrowLine* AddBaseArrowLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    virtual TKVRBasePolyLine* AddBasePolyLine(std::span<const int64_t> aPoints);
    virtual TKVRBaseBezier* AddBaseBezier(std::span<const int64_t> aPoints);
    virtual TKVRBaseArc* AddBaseArc(int64_t x1, int64_t y1, int64_t Radio, float aStart, float aEnd);
    virtual TKVRBaseArc* AddBaseArc(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3);
    virtual TKVRBaseRectangle* AddBaseRectangle(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBasePackage* AddBasePackage(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBasePolygon* AddBasePolygon(std::span<const int64_t> aPoints);
    virtual TKVRBaseCircle* AddBaseCircle(int64_t x1, int64_t y1, int64_t Radio);
    virtual TKVRBaseCircle* AddBaseCircle2P(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
    virtual TKVRBaseCircle* AddBaseCircle3P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3);
    virtual TKVRBaseSector* AddBaseSector(int64_t x1, int64_t y1, int64_t Radio, float aStart, float aSweep);
    virtual TKVRBaseSector* AddBaseSector2P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, float aStart,
                                            float aSweep);
    virtual TKVRBaseSector* AddBaseSector3P(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3,
                                            float aStart, float aSweep);
    virtual TKVRBaseLevel* AddBaseLevel(int64_t x1, int64_t y1, int64_t Radio);
    virtual TKVRBaseEllipse* AddBaseEllipse(int64_t x1, int64_t y1, int64_t RadioX, int64_t RadioY);
    virtual TKVRBaseText* AddBaseText(int64_t x1, int64_t y1);
    virtual TKVRBasePara* AddBaseParagraph(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBaseRichText* AddBaseRichText(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBaseBarcode* AddBaseBarcode(int64_t x1, int64_t y1, const QString& aCode, TKVRBarType aType);
    virtual TKVRBasePDF417* AddBasePDF417(int64_t x1, int64_t y1, const QString& aCode);
    virtual TKVRBaseDataMatrix* AddBaseDataMatrix(int64_t x1, int64_t y1, const QString& aCode);
    virtual TKVRBaseQRCode* AddBaseQRCode(int64_t x1, int64_t y1, const QString& aCode);
    // The label component lets the user choose the picture (or a map) first;
    // aUnused is kept for callers.
    virtual TKVRBaseImage* AddBaseImage(int64_t x1, int64_t y1, int64_t Width, int64_t Height, bool aMap,
                                        const QString& aUnused);
    virtual TKVRBaseFlow* AddBaseFlow(int64_t x1, int64_t y1, int64_t Width, int64_t Height, TKVRFlowType aType);
    virtual TKVRBaseLink* AddBaseLink(int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2, uint8_t aType);
    virtual TKVRBaseLink* AddBasePolyLink(int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2, uint8_t aType,
                                          std::span<const int64_t> aPoints);
    virtual TKVRBaseTable* AddBaseTable(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBasePoly* AddBasePolyText(int64_t x1, int64_t y1);
    virtual TKVRBaseRank* AddBaseRank(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBaseNutri* AddBaseNutriScore(int64_t x1, int64_t y1, int64_t Width, int64_t Height);
    virtual TKVRBaseSymbol* AddBaseSymbol(int64_t x1, int64_t y1);
    virtual TKVRBaseDim* AddBaseDim(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t pX, int64_t pY);
    virtual TKVRBaseDim* AddBaseDimAngle(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3,
                                         int64_t x4, int64_t y4, int64_t pX, int64_t pY);
    virtual TKVRBaseDim* AddBaseDimRadial1(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle);
    virtual TKVRBaseDim* AddBaseDimRadial2(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle);
    virtual TKVRBaseDim* AddBaseDimDiameter1(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle);
    virtual TKVRBaseDim* AddBaseDimDiameter2(int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle);

    // The library symbol new symbol elements take (none at first).
    std::shared_ptr<const TKVRBaseLibSymbol> GetCurSymbol() const { return fCurSymbol; }
    void SetCurSymbol(std::shared_ptr<const TKVRBaseLibSymbol> aSymbol) { fCurSymbol = std::move(aSymbol); }
    // Reads the library aFileName (".lyp", in the library folder unless the
    // name is absolute) and makes its symbol aName the current one. False,
    // keeping the current symbol, when the file cannot be read or holds no
    // symbol of that name.
    bool LoadSymbolByName(const QString& aFileName, const QString& aName);
    // The dimension style new dimensions take.
    TKVRDimStyle& GetActiveDimStyle() const { return GetDimStyle(fActiveDimStyle); }
    int32_t GetActiveDimStyleIndex() const { return fActiveDimStyle; }
    void SetActiveDimStyle(int32_t aIndex) { fActiveDimStyle = aIndex; }

private:
    std::shared_ptr<const TKVRBaseLibSymbol> fCurSymbol;
    int32_t fActiveDimStyle = 0;
    // ---- end of the element creators

public:
    // ---- label component: files, streams, clipboard, symbols and front-end operations
    // Filled by the component; the model's bodies do nothing harmful.
    virtual void GetListValues() {}
    virtual void GetAskValues() {}
    virtual void ResetPrinter() {}
    // Reads one element record led by a 32-bit version; null when none was made.
    virtual TKVRBaseItem* CreateElementFromStream(QIODevice& aStream);
    // Inserts the elements of the clipboard stream.
    virtual void PasteSelection() {}
    virtual bool Print() { return false; }
    virtual bool ExportDoc(TKVRExport aType, const QString& aFileName, int32_t aPage, float aScale, int16_t aQuality,
                           bool aCheckData, bool aTransparent, bool aFit);
    // True when the file was read; false for a name it does not read.
    virtual bool LoadFromFile(const QString& aFileName);
    // True when the file was written; false for an unknown format.
    virtual bool SaveToFile(const QString& aFileName, TKVRExt aFormat);

    // The clipboard stream: a 32-bit count and that many element records.
    QBuffer& GetClipboard() { return fClipboard; }
    // Fills the clipboard stream with these elements (cell copies are left out).
    void CopyToClipboard(const std::vector<TKVRBaseItem*>& aItems);

    // Library symbols the document carries, counted from 1; the document owns them.
    int32_t GetSymbolCount() const { return int32_t(fSymbols.size()); }
    TKVRBaseLibSymbol* GetSymbol(int32_t aIndex) const;
    TKVRBaseLibSymbol* AddSymbol(std::unique_ptr<TKVRBaseLibSymbol> aSymbol, bool aNotify);

    TKVRBackSurf& GetBackSurf() { return fBackSurf; }
    const TKVRBackSurf& GetBackSurf() const { return fBackSurf; }
    void SetBackSurf(const TKVRBackSurf& aValue) { fBackSurf = aValue; }
    void SetSettings(const TKVRSettings& aValue) { fSettings = aValue; }
    void SetMeasure(const TKVRMeasure& aValue) { fMeasure = aValue; }
    void SetData(const TKVRData& aValue) { fData = aValue; }
    TVXLabelOptions GetOptions() const { return fOptions; }
    void SetOptions(TVXLabelOptions aValue) { fOptions = aValue & KVRLabelOptionsMask; }
    // Elements kept in layer order: setting it sorts them.
    bool GetLayerZOrder() const { return fLayerZOrder; }
    void SetLayerZOrder(bool aValue);
    QString GetLngFileName() const { return fLngFileName; }
    void SetLngFileName(const QString& aValue) { fLngFileName = aValue; }

    // ---- print job: document states
    // States of a document as bits 0..31 (9: printing).
    static constexpr uint8_t KVRStatePrinting = 9;
    void AddState(uint8_t aState) { fStates |= uint32_t(1) << (aState & 31); }
    void RemoveState(uint8_t aState) { fStates &= ~(uint32_t(1) << (aState & 31)); }
    bool HasState(uint8_t aState) const { return (fStates >> (aState & 31)) & 1; }

private:
    uint32_t fStates = 0;
    // ---- end of the print job's states

public:
    // Replaces this document's contents (file data, symbols, elements) by
    // aFrom's, which is left empty: a load reads into a scratch document and
    // hands over only what was read whole.
    void TakeContents(TKVRBaseLabel& aFrom);
    // Appends aFrom's elements (a paste read whole) and returns them; those
    // whose numeric id is taken here get a new one, and connectors among them follow.
    std::vector<TKVRBaseItem*> TakeItems(TKVRBaseLabel& aFrom);
    // Gives aItem, an element of this document read on its own, a fresh
    // numeric id when another element already has its id.
    void KeepNumIDUnique(TKVRBaseItem* aItem);
    // The component's folders and names, for a scratch document that reads for this one.
    void CopyFolders(const TKVRBaseLabel& aFrom);

public:
    // ---- views and update brackets (TKVRBaseLabel.Views.cpp)
    // From Attach until Detach the view hears of every reported change. The
    // document does not own its views; when it dies it tells them.
    void Attach(IVXObserver* aObserver);
    void Detach(IVXObserver* aObserver);
    int32_t GetObserverCount() const { return int32_t(fObservers.size()); }
    // Brackets nest. The outermost one sends change 6 (Begin 0) when it opens;
    // changes reported inside are collected, each code once with its last
    // value, and sent in order when it closes, followed by change 6 (Begin 1).
    // aNotify is kept for callers, which pass true.
    void BeginUpdate(bool aNotify = true);
    void EndUpdate();
    bool GetUpdating() const { return fUpdateLevel > 0; }
    // Reports a change: at once outside a bracket, else when it closes.
    void Notify(TVXChange aChange, const TVXChangeValue& aValue = {});
    // Change 0 with the label's size: a view learns the whole document.
    void SendInfo();
    // Change 3 with the label's size: the views lay themselves out again.
    void SendSize();

    // ---- property rows (TKVRBaseLabel.Props.cpp)
    // Applies a value of the property grid to the property (code, kind,
    // type, pos) of every selected element having it, in one bracket that
    // reports change 4. The value is read under its type's key only; numbers
    // are limited to the part's bounds, anything else that does not fit is
    // refused. The reply holds the value kept (the first such element's)
    // under the same key and "Link": every other number shown for the first
    // of them that the edit moved, as {"Kind", "Pos", "Type", "Prop", "ext"}.
    TJsonObject UpdateProp(TKVRInsProp aProp, int32_t aKind, int32_t aType, int32_t aPos, const TJsonObject& aValue);
    // Lays out the selected elements whose layout is stale (read or changed
    // since they were last drawn), so their rows show laid-out points.
    void LayOutSelection();
    // Names of the layers and dimension styles, in index order.
    void GetLayersNames(QStringList& aList) const;
    void GetDimStylesNames(QStringList& aList) const;
    // Field names for the grid's lists: the selected data set's fields by
    // type, then the counters (DataValue reads them too); aCurrent, a name the
    // element holds, is kept at the end when it is not among them.
    void GetDataFields(QStringList& aList, const QString& aCurrent) const;
    void GetImgFields(QStringList& aList, const QString& aCurrent) const;
    void GetIntFields(QStringList& aList, const QString& aCurrent) const;
    void GetNumFields(QStringList& aList, const QString& aCurrent) const;
    void GetTxtFields(QStringList& aList, const QString& aCurrent) const;
    // The data sets ("details") by name; their fields; the selected data
    // set's fields and counters followed by those of aDetail.
    void GetDataDetails(QStringList& aList, const QString& aCurrent) const;
    void GetDetails(QStringList& aList) const;
    void GetDetailFields(QStringList& aList, const QString& aCurrent, const QString& aDetail) const;
    void GetMasterDetailFields(QStringList& aList, const QString& aDetail) const;

    // ---- selection, in the order elements were selected (TKVRBaseLabel.Views.cpp)
    // The selected element when exactly one is selected, else null.
    TKVRBaseItem* Select() const { return fSelection.size() == 1 ? fSelection.front() : nullptr; }
    int32_t GetSelectionCount() const { return int32_t(fSelection.size()); }
    // aIndex from 1.
    TKVRBaseItem* GetSelection(int32_t aIndex) const;
    bool IsSelected(const TKVRBaseItem* aItem) const;
    // aAdd keeps what is selected; otherwise the element becomes the selection.
    // Per-cell copies are never selected. Each change reports change 8.
    void SelectItem(TKVRBaseItem* aItem, bool aAdd);
    void UnSelectItem(TKVRBaseItem* aItem);
    void ClearSelection();
    // Tab and Shift+Tab: the element after (before) the first selected one, round the list.
    void SelectNext();
    void SelectPrior();
    // The information event of the label component: the selection's place and size.
    void FireInfoEvent(bool aFlag);

    // ---- edit actions (TKVRBaseLabel.Edit.cpp, TKVRBaseLabel.Draw.cpp)
    // Coordinates are micrometres of the model; gaps (the pick tolerance, the
    // editor's gap times the drawing scale) and typed lengths are 64-bit too:
    // a large sheet at a small scale spans more than 2^31 micrometres.
    // Every call that changes the document is one bracket; when it raises,
    // the document, the selection and the action are as they were. A
    // document that is not editable refuses every change of its elements,
    // size or turn; selecting, Tab and the units still work.

    // One edit: a bracket that closes whatever happens. Elements handed to
    // Keep are saved first; when the edit raises they are read back, the
    // elements it Added are freed, and selection, action, units, measure and
    // label turn are restored. When it succeeds, a kept element whose data
    // changed marks the document modified, whoever made the change.
    class TEditBracket
    {
    public:
        explicit TEditBracket(TKVRBaseLabel& aDoc);
        ~TEditBracket();
        TEditBracket(const TEditBracket&) = delete;
        TEditBracket& operator=(const TEditBracket&) = delete;
        void Keep(TKVRBaseItem* aItem);
        void KeepSelection();
        void Added(TKVRBaseItem* aItem) { fAdded.push_back(aItem); }

    private:
        bool KeptChanged() const;

        TKVRBaseLabel& fDoc;
        int fExceptions;
        TAct fAct;
        std::vector<TKVRBaseItem*> fSelection;
        std::vector<std::pair<TKVRBaseItem*, QByteArray>> fSaved;
        std::vector<TKVRBaseItem*> fAdded;
        TKVRUnits fUnits;
        TKVRMeasure fMeasure;
        uint8_t fLabelRotation;
        int32_t fLastNumID;  // elements made inside have higher ids
    };

    // The host starts an action (README: actions); aParam is the flow type of
    // a node, the symbology of a barcode or the link type of a connector.
    void StartAction(uint8_t aAction, int32_t aParam = 0);
    // Actions that draw an element from points.
    static bool IsDrawAction(uint8_t aAction);
    uint8_t GetAction() const { return fAct.fCurAction; }
    uint8_t GetState() const { return fAct.fCurState; }
    // Cancels the running action: back to selecting (change 12).
    void ResetAction();
    // One click of the running action at (x, y).
    void PickEditor(int64_t x, int64_t y, int64_t aGap, TShiftState aShift, bool aRefLines);
    // A typed length along the direction of the running drawing action.
    void PickEditor(int64_t aLength, TShiftState aShift);
    // The point that length reaches, before any hold at the coordinate range;
    // none while no drawing action has a point to run on from.
    std::optional<TKVRPto> LengthReaches(int64_t aLength) const;
    // A drag step: (x, y) is the previous minus the current position; gx, gy
    // the pointer's grid position, where a grabbed point or sizing handle
    // lands (-1, -1 without a grid; every grid node, (0, 0) included, is a
    // position). aFlag: a keyboard nudge of one grid step (x, y are -1, 0 or
    // 1; gx, gy the steps).
    void MoveEditor(int64_t x, int64_t y, int64_t gx, int64_t gy, bool aRefLines, bool aFlag);
    // The grabbed point (move types 2 to 10) lands on (x, y): a snap point,
    // or the pointer itself while the grid is off.
    void MoveEditorTo(int64_t x, int64_t y, bool aRefLines);
    // Moves the grabbed selection so that its first corner follows (x, y) in whole grid steps.
    void MoveGridEditor(int64_t x, int64_t y, int64_t aIncX, int64_t aIncY, bool aRefLines);
    // End of a drag or of a selection rectangle.
    void UpEditor(int64_t x, int64_t y);
    // Right button: ends a point-by-point drawing, or cancels.
    void RightButton(int64_t x, int64_t y, int64_t aGap, TShiftState aShift);
    // Snap search of one kind within aGap of (x, y); fills aRef's point and Found.
    bool SearchPoint(int64_t x, int64_t y, int64_t aGap, TKVRSnap aKind, TKVRRef& aRef, bool aMoving);
    // The topmost node's nearest anchor within aGap of (x, y): fills node, anchor (A
    // or B by the action's state), position, Found. Without aGap, the gap of
    // the last pick.
    bool SearchLink(int64_t x, int64_t y, int64_t aGap, TVXLink& aLink);
    bool SearchLink(int64_t x, int64_t y, TVXLink& aLink);
    // True when (x, y) hits the selected text element.
    bool SearchSelectedText(int64_t x, int64_t y, int64_t aGap, TShiftState aShift);
    bool PickItem(TKVRBaseItem* aItem, int64_t x, int64_t y, int64_t aGap, bool aFlag) const;
    // Handles of the selection, from 1 (README: selection points).
    int32_t GetSelPointCount() const;
    TKVRSInfo GetSelPoint(int32_t aIndex) const;
    void DeleteSelection();
    // Removes point aIndex of the selected element, keeping its kind's least count.
    void DeletePoint(int32_t aIndex);
    // The selection into the clipboard stream.
    void CopySelection();
    // Moves the selection by a distance in the document's unit.
    void MoveSelection(float aDx, float aDy, bool aRefLines, bool aFlag);
    // The same in whole micrometres, for moves that must end exactly.
    void MoveSelectionBy(int64_t aDx, int64_t aDy, bool aRefLines);
    // The flag an attached editor hands over from its options (bit 11).
    bool GetEditorFlag() const { return fEditorFlag; }
    void SetEditorFlag(bool aValue) { fEditorFlag = aValue; }
    // Grows or shrinks the selection's frame at one side (KVRMoveOpt) by aStep in the document's unit.
    void MoveSize(float aStep, uint8_t aDirection, bool aRefLines, bool aFlag);
    // Edges of the selection: 1 left, 2 right, 3 top, 4 bottom; in the
    // document's unit (SizeSelection) or micrometres (SelectionBounds); -1 without a selection.
    float SizeSelection(int16_t aMode) const;
    int64_t SelectionBounds(int16_t aSide) const;
    // Reference lines of the last move that asked for them, from 1.
    int32_t GetRefLineCount() const { return int32_t(fRefLines.size()); }
    TKVRRefLine GetRefLine(int32_t aIndex) const;
    // The background layer's picture has margins: the label area is filled first.
    bool HasBackMargins() const;
    // The text element being written or edited in place, or null.
    TKVRBaseItem* GetTextObject() const;
    // The text being edited changed (change 18).
    void UpdateEditing(bool aFlag);
    // Double click on the selection: a one-line text is edited in place, other kinds open their dialog.
    void DoDblClick();
    // The label turns a quarter: width and height swap, every element turns with it.
    void RotateLeft();
    void RotateRight();

protected:
    // The label component fires its events here.
    virtual void ItemSelected(TKVRBaseItem*, bool /*aSelected*/) {}
    virtual void InfoMessage(const QString&) {}
    virtual void LabelRotated() {}
    // Double click on an element that has an edit dialog (the dialogs fill it).
    virtual void EditItemDialog(TKVRBaseItem*) {}

private:
    void SetSelection(std::vector<TKVRBaseItem*> aItems);
    void ForgetSelected(const TKVRBaseItem* aItem);
    struct TPendingChange
    {
        TVXChange Change;
        TVXChangeValue Value;
    };
    void Send(TVXChange aChange, const TVXChangeValue& aValue);
    std::vector<IVXObserver*> fObservers;
    std::vector<TPendingChange> fPending;
    int32_t fUpdateLevel = 0;
    std::vector<TKVRBaseItem*> fSelection;
    std::vector<TKVRRefLine> fRefLines;
    // The dragged elements as they stood when the drag under way began
    // (Esc puts them back), and which drag that was.
    std::vector<std::pair<TKVRBaseItem*, QByteArray>> fDragStart;
    uint32_t fDragStartSerial = 0;
    void KeepDragStart();
    // True when a drag under way was undone.
    bool PutBackDrag();
    // The last pick tolerance the editor gave (link anchors are found within it).
    int64_t fLastGap = 2000;

    // Drawing (TKVRBaseLabel.Draw.cpp): one click of a drawing action, the
    // element its points make, and what follows once it is made.
    void DrawClick(int64_t x, int64_t y, TEditBracket& aEdit);
    TKVRBaseItem* CreateDrawn();
    // CreateDrawn checked as the file readers check: the element made is
    // read back from its own record. An element that reaches past the
    // coordinate range raises EKVRCoordRange, as a point outside it is
    // refused; the bracket then puts the document and the action back.
    TKVRBaseItem* MakeDrawn(TEditBracket& aEdit);
    // The element read from its own record, as a file holds it; raises what the reader raises.
    static void ReadBack(TKVRBaseItem& aItem);
    void Drawn(TKVRBaseItem* aItem, TEditBracket& aEdit);
    // Selecting (TKVRBaseLabel.Edit.cpp): one click, the end of a rectangle, one drag step.
    void SelectClick(int64_t x, int64_t y, int64_t aGap, TShiftState aShift);
    void SelectRect(int64_t x, int64_t y);
    void DragBy(int64_t aDx, int64_t aDy, bool aRefLines);
    void DragHandle(int64_t x, int64_t y, bool aAbsolute, bool aRefLines);
    void TurnLabel(bool aLeft);
    mutable std::vector<TKVRSInfo> fSelPoints;
    // The text being written ends: an empty new text goes.
    void EndText();

private:
    friend class TKVRBaseItem;
    void AttachItem(TKVRBaseItem* aItem);
    void ItemDestroyed(TKVRBaseItem* aItem);
    // Keeps the next numeric id above every id read or set.
    void NoteNumID(int32_t aNumID);
    // Label data read whole (binary or JSON) and taken over in one step.
    struct TLabelData;
    void TakeLabelData(TLabelData& aRead);
    // The print settings read from a file, with this session's printer.
    void TakePrintSettings(const TKVRBasePrintInfo& aRead);
    // The background layer, label turn and dimension style a file names.
    void TakeViewSettings(int32_t aBackLayer, uint8_t aLabelRotation, int32_t aActiveDimStyle);
    QString RecordText(const QString& aField) const;

    TKVRMeasure fMeasure;
    TKVRUnits fUnits = TKVRUnits::Millimetre;
    TKVRSettings fSettings;
    bool fEditable = true;
    bool fEditorFlag = false;
    TAct fAct;
    QHash<QString, QString> fRecord;
    // The walk of a run of aLabels over the sheet and start cell (raises as the walk does).
    TKVRSheetWalk SheetWalk(int64_t aLabels) const;
    TKVRData fData;
    TKVRBasePrintInfo fPrintInfo;
    std::vector<std::unique_ptr<TKVRCounter>> fCounters;
    int32_t fRecordIndex = 0;
    int64_t fCopyIndex = 0;
    int64_t fLabelIndex = 0;
    QString fImageFolder;
    QString fOpenImgFolder;
    QString fLibraryFolder;
    std::vector<std::unique_ptr<TKVRBaseItem>> fItems;
    // Leading elements known to be in layer order, so a sort after an
    // append only places the new ones; a layer change anywhere resets it.
    size_t fLayerSorted = 0;
    int32_t fLastNumID = 0;
    // The element attached last and the id counter before it, so a read
    // that fails leaves the counter as it was.
    const TKVRBaseItem* fLastAttached = nullptr;
    int32_t fNumIDBeforeAttach = 0;
    int32_t fFileVersion = KVRFileVersion;
    uint8_t fEditorMode = 0;
    bool fModified = false;
    bool fReading = false;
    std::vector<std::unique_ptr<TKVRLayer>> fLayers;
    int32_t fActiveLayer = 0;
    std::vector<std::unique_ptr<TKVRDimStyle>> fDimStyles;

    // ---- label component's part
    std::vector<std::unique_ptr<TKVRBaseLibSymbol>> fSymbols;
    QBuffer fClipboard;
    TKVRBackSurf fBackSurf;
    TVXLabelOptions fOptions = 0;
    bool fLayerZOrder = false;
    QString fLngFileName;
    // ---- background map: provider, place and zoom, tiles and the composed picture
public:
    TKVRMapping& GetMapping() { return fMapping; }
    const TKVRMapping& GetMapping() const { return fMapping; }
    void SetMapping(const TKVRMapping& aValue)
    {
        fMapping = aValue;
        fMapping.SetMeasure(&fMeasure);
    }

private:
    TKVRMapping fMapping{&fMeasure};

    // ---- background image: which layer's, when to decode it again, the label's quarter turns
public:
    // 1-based; 0 or less: no background image.
    int32_t GetBackLayer() const { return fBackLayer; }
    void SetBackLayer(int32_t aValue)
    {
        fBackLayer = aValue;
        fImgReload = true;
    }
    // Set when the picture must be decoded again (another layer, another file).
    bool GetImgReload() const { return fImgReload; }
    void SetImgReload(bool aValue) { fImgReload = aValue; }
    // Quarter turns 0..3; other values count modulo 4.
    uint8_t GetLabelRotation() const { return fLabelRotation; }
    void SetLabelRotation(uint8_t aValue) { fLabelRotation = uint8_t(aValue % 4); }

private:
    int32_t fBackLayer = 0;
    bool fImgReload = false;
    uint8_t fLabelRotation = 0;
};
