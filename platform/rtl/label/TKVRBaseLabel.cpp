#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/label/KVR.SheetWalk.h"
#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>

TKVRBaseLabel::TKVRBaseLabel(QObject* aOwner) : QObject(aOwner)
{
    AddLayer(QStringLiteral("0"));
    fDimStyles.push_back(std::make_unique<TKVRDimStyle>());
    fMeasure.SetOwner(this);
}

TKVRBaseLabel::~TKVRBaseLabel()
{
    // The views forget the document; none is told of anything after this.
    std::vector<IVXObserver*> views;
    views.swap(fObservers);
    for (IVXObserver* view : views)
        view->DocumentDestroyed();
    fSelection.clear();
    ClearItems();
}

float TKVRBaseLabel::GetDrawValue(float aValue, int32_t aResolution) const
{
    const double micrometres = double(aValue) * double(MicrometresPerUnit(fUnits));
    return float(micrometres * aResolution / (double(MicrometresPerInch) * fMeasure.GetDrawScale()));
}

float TKVRBaseLabel::GetDrawValue(int64_t aMicrometres, int32_t aResolution) const
{
    return float(double(aMicrometres) * aResolution / (double(MicrometresPerInch) * fMeasure.GetDrawScale()));
}

int32_t TKVRBaseLabel::GetPrintValue(float aValue, int32_t aResolution) const
{
    const double micrometres = double(aValue) * double(MicrometresPerUnit(fUnits));
    return RoundHalfEven32(micrometres * aResolution / (double(MicrometresPerInch) * fMeasure.GetDrawScale()));
}

QString TKVRBaseLabel::RecordText(const QString& aField) const
{
    if (const auto it = fRecord.constFind(aField); it != fRecord.constEnd())
        return *it;
    const TKVRDataTable& records = fData.Records();
    if (records.FieldIndex(aField) >= 0)
        return records.Value(fRecordIndex, aField);
    for (const auto& counter : fCounters)
        if (counter->Name == aField)
            return counter->Text(fLabelIndex);
    return QString();
}

bool TKVRBaseLabel::HasFieldSource(const QString& aField) const
{
    if (fRecord.contains(aField) || fData.Records().FieldIndex(aField) >= 0)
        return true;
    for (const auto& counter : fCounters)
        if (counter->Name == aField)
            return true;
    return false;
}

QString TKVRBaseLabel::DataValue(const QString& aField, const QString& aFormat, int32_t aFillType) const
{
    if (aFillType == 0)
        return QString();
    const QString text = RecordText(aField);
    if (aFormat.isEmpty() || text.isEmpty())
        return text;
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? FormatFloat(aFormat, v) : text;
}

bool TKVRBaseLabel::DataGraphic(const QString& aField, QIODevice& aStream) const
{
    const QString name = RecordText(aField).trimmed();
    if (name.isEmpty())
        return false;
    QFile file(GetImagePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty() || file.error() != QFileDevice::NoError)
        return false;
    return aStream.write(bytes) == bytes.size();
}

// ---------------------------------------------------------------- print runs

TKVRCounter* TKVRBaseLabel::GetCounter(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetCounterCount())
        throw std::out_of_range("Counter index out of range");
    return fCounters[size_t(aIndex - 1)].get();
}

bool TKVRBaseLabel::CounterName(const QString& aName, const TKVRCounter* aExcept) const
{
    for (const auto& counter : fCounters)
        if (counter.get() != aExcept && counter->Name.compare(aName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TKVRBaseLabel::AddCounter(TKVRCounter* aCounter)
{
    if (GetCounterCount() >= KVRMaxCounters)
        throw std::length_error("LimitCounters");
    fCounters.emplace_back(aCounter);
}

void TKVRBaseLabel::DeleteCounter(int32_t aIndex)
{
    GetCounter(aIndex);  // range check
    fCounters.erase(fCounters.begin() + (aIndex - 1));
}

int64_t TKVRBaseLabel::CopiesOf(int32_t aRecord) const
{
    int64_t copies = fPrintInfo.GetRepetition();
    const QString field = fData.GetFieldRepeat();
    if (!field.isEmpty()) {
        bool ok = false;
        const qlonglong n = fData.Records().Value(aRecord, field).trimmed().toLongLong(&ok);
        // A repeat count no sheet could take is a damaged record: it prints once.
        if (ok && n > 1 && n <= 1000000)
            copies *= n;
    }
    return copies;
}

void TKVRBaseLabel::FirstData()
{
    fRecordIndex = 0;
    fCopyIndex = 0;
    fLabelIndex = 0;
}

void TKVRBaseLabel::NextData()
{
    ++fLabelIndex;
    if (++fCopyIndex >= CopiesOf(fRecordIndex)) {
        fCopyIndex = 0;
        if (fRecordIndex < INT32_MAX)
            ++fRecordIndex;
    }
}

void TKVRBaseLabel::CheckPrintData()
{
    TKVRBasePrintInfo& info = fPrintInfo;
    const TKVRDataTable& records = fData.Records();
    int64_t total = 0;
    bool countless = false;
    if (info.GetWithData()) {
        for (int32_t r = 0; r < records.RecordCount() && !countless; ++r)
            countless = __builtin_add_overflow(total, CopiesOf(r), &total);
    } else {
        total = int64_t(info.GetLabs()) * info.GetRepetition();
    }
    info.fRefusal.clear();
    int64_t pages = 0;
    try {
        if (countless)
            throw std::length_error("The run has more labels than can be counted (over " +
                                    std::to_string(INT64_MAX) + ")");
        pages = SheetWalk(total).Pages();
    } catch (const std::exception& e) {
        // A run that cannot be made has no pages: nothing to show, print or export.
        info.fRefusal = QString::fromUtf8(e.what());
        pages = 0;
    }
    info.fTotalLabels = countless ? INT64_MAX : total;
    info.fNumPages = int32_t(pages);
    info.fCurPage = 1;
    info.fCurLabel = 1;
    info.fPrepared = true;
    FirstData();
}

TKVRSheetWalk TKVRBaseLabel::SheetWalk(int64_t aLabels) const
{
    return TKVRSheetWalk(fMeasure.GetRows(), fMeasure.GetColumns(), fPrintInfo.GetFirstRow(),
                         fPrintInfo.GetFirstCol(), aLabels);
}

int64_t TKVRBaseLabel::SkippedCells() const
{
    return SheetWalk(0).Skipped();
}

QString TKVRBaseLabel::NoLabelsReason() const
{
    if (!fPrintInfo.GetRefusal().isEmpty())
        return fPrintInfo.GetRefusal();
    if (fPrintInfo.GetTotalLabels() > 0)
        return QString();
    if (!fPrintInfo.GetWithData())
        return QStringLiteral("No labels to print");
    const QString data = fData.RecordsProblem();
    return data.isEmpty() ? QStringLiteral("The data has no records") : data;
}

void TKVRBaseLabel::GoToPage(int32_t aPage, bool aSetPage, bool aMoveData)
{
    int32_t page = std::clamp(aPage, 1, std::max(fPrintInfo.GetNumPages(), 1));
    int64_t before = 0;
    // A run without pages (refused, or its sheet refused since) stays on its first label.
    try {
        before = SheetWalk(fPrintInfo.GetTotalLabels()).LabelsBefore(page);
    } catch (const std::exception&) {
        page = 1;
    }
    if (aSetPage) {
        fPrintInfo.fCurPage = page;
        fPrintInfo.fCurLabel = before + 1;
    }
    if (aMoveData)
        MoveToLabel(before);
}

void TKVRBaseLabel::MoveToLabel(int64_t aLabel)
{
    // Reached by arithmetic, not by NextData one label at a time: the last
    // page of a long run is as near as the first.
    FirstData();
    if (aLabel <= 0)
        return;
    fLabelIndex = aLabel;
    int64_t left = aLabel;
    if (!fData.GetFieldRepeat().isEmpty()) {
        // The copies differ from record to record: pass whole records.
        const int32_t records = fData.Records().RecordCount();
        while (fRecordIndex < records) {
            const int64_t copies = CopiesOf(fRecordIndex);
            if (left < copies) {
                fCopyIndex = left;
                return;
            }
            left -= copies;
            ++fRecordIndex;
        }
    }
    // Every record from here has the print repetition's copies.
    const int64_t copies = fPrintInfo.GetRepetition();
    const int64_t more = left / copies;
    if (more <= int64_t(INT32_MAX) - fRecordIndex) {
        fRecordIndex += int32_t(more);
        fCopyIndex = left % copies;
    } else {
        // NextData stops at the last record number and goes round its copies there.
        left -= (int64_t(INT32_MAX) - fRecordIndex) * copies;
        fRecordIndex = INT32_MAX;
        fCopyIndex = left % copies;
    }
}

// ---------------------------------------------------------------- pictures

QString TKVRBaseLabel::GetImagePath(const QString& aFileName) const
{
    if (fImageFolder.isEmpty() || aFileName.isEmpty() || QDir::isAbsolutePath(aFileName))
        return aFileName;
    return fImageFolder.endsWith(QLatin1Char('/')) ? fImageFolder + aFileName : fImageFolder + QLatin1Char('/') + aFileName;
}

// ---------------------------------------------------------------- elements

TKVRBaseItem* TKVRBaseLabel::GetItem(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetItemsCount())
        throw std::out_of_range("Element index out of range");
    return fItems[size_t(aIndex - 1)].get();
}

int32_t TKVRBaseLabel::IndexOf(const TKVRBaseItem* aItem) const
{
    for (size_t i = 0; i < fItems.size(); ++i)
        if (fItems[i].get() == aItem)
            return int32_t(i + 1);
    return 0;
}

std::unique_ptr<TKVRBaseItem> TKVRBaseLabel::DetachItem(TKVRBaseItem* aItem)
{
    const int32_t i = IndexOf(aItem);
    if (i == 0)
        return nullptr;
    ForgetSelected(aItem);
    std::unique_ptr<TKVRBaseItem> item = std::move(fItems[size_t(i - 1)]);
    fItems.erase(fItems.begin() + (i - 1));
    if (size_t(i - 1) < fLayerSorted)
        --fLayerSorted;
    item->fAttached = false;
    return item;
}

void TKVRBaseLabel::DeleteItem(int32_t aIndex)
{
    DetachItem(GetItem(aIndex));  // freed on leaving
}

void TKVRBaseLabel::ClearItems()
{
    ClearSelection();
    std::vector<std::unique_ptr<TKVRBaseItem>> items;
    items.swap(fItems);
    fLayerSorted = 0;
    for (auto& item : items)
        item->fAttached = false;
    // freed here, with the list already empty
}

void TKVRBaseLabel::AttachItem(TKVRBaseItem* aItem)
{
    fItems.emplace_back(aItem);
    aItem->fAttached = true;
    fLastAttached = aItem;
    fNumIDBeforeAttach = fLastNumID;
    // Ids run out only after 2^31 elements; later ones share 0, which names nothing.
    if (fLastNumID < INT32_MAX)
        aItem->fNumID = ++fLastNumID;
}

void TKVRBaseLabel::NoteNumID(int32_t aNumID)
{
    fLastNumID = std::max(fLastNumID, aNumID);
}

TKVRBaseItem* TKVRBaseLabel::SearchItem(const QString& aID, bool) const
{
    // Per-cell copies share the original's ids; they are never what a name or a link means.
    for (const auto& item : fItems)
        if (!item->GetPreview() && item->GetID() == aID)
            return item.get();
    return nullptr;
}

TKVRBaseItem* TKVRBaseLabel::FindNumID(int32_t aNumID) const
{
    if (aNumID <= 0)
        return nullptr;
    for (const auto& item : fItems)
        if (!item->GetPreview() && item->GetNumID() == aNumID)
            return item.get();
    return nullptr;
}

void TKVRBaseLabel::ItemDestroyed(TKVRBaseItem* aItem)
{
    // Reached only for an element that is freed while still listed (its
    // constructor or reader failed): the list lets go of it without freeing it again.
    std::erase(fSelection, aItem);
    for (auto it = fItems.begin(); it != fItems.end(); ++it)
        if (it->get() == aItem) {
            (void)it->release();
            if (size_t(it - fItems.begin()) < fLayerSorted)
                --fLayerSorted;
            fItems.erase(it);
            break;
        }
    // A refused record takes back the ids it moved on (its own, and the one
    // it read: 2^31 - 1 would leave none), never below an id still in use.
    if (aItem == fLastAttached) {
        fLastAttached = nullptr;
        int32_t last = fNumIDBeforeAttach;
        for (const auto& item : fItems)
            last = std::max(last, item->GetNumID());
        fLastNumID = last;
    }
}

// ---------------------------------------------------------------- layers

TKVRLayer* TKVRBaseLabel::GetLayer(int32_t aIndex) const
{
    if (aIndex < 0 || aIndex >= GetLayerCount())
        throw std::out_of_range("Layer index out of range");
    return fLayers[size_t(aIndex)].get();
}

TKVRLayer* TKVRBaseLabel::FindLayer(int32_t aIndex) const
{
    return aIndex >= 0 && aIndex < GetLayerCount() ? fLayers[size_t(aIndex)].get() : nullptr;
}

TKVRLayer* TKVRBaseLabel::AddLayer(const QString& aName)
{
    fLayers.push_back(std::make_unique<TKVRLayer>(GetLayerCount(), aName));
    return fLayers.back().get();
}

TKVRLayer* TKVRBaseLabel::GetActiveLayer() const
{
    return fLayers.empty() ? nullptr : fLayers[size_t(std::clamp(fActiveLayer, 0, GetLayerCount() - 1))].get();
}

void TKVRBaseLabel::SetActiveLayer(int32_t aIndex)
{
    if (aIndex < 0 || aIndex >= GetLayerCount())
        throw std::out_of_range("Layer index out of range");
    fActiveLayer = aIndex;
}

// ---------------------------------------------------------------- dimensions

TKVRDimStyle& TKVRBaseLabel::GetDimStyle(int32_t aIndex) const
{
    if (aIndex < 0 || aIndex >= GetDimStyleCount())
        aIndex = 0;
    return *fDimStyles[size_t(aIndex)];
}

TKVRDimStyle* TKVRBaseLabel::AddDimStyle()
{
    fDimStyles.push_back(std::make_unique<TKVRDimStyle>());
    return fDimStyles.back().get();
}

void TKVRBaseLabel::CalcDimPoints(TKVRBaseDim* aDim, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aPX,
                                  int64_t aPY)
{
    if (!aDim)
        return;
    const TVXDimType type = KVRDim::ChooseLinearType({aX1, aY1}, {aX2, aY2}, {aPX, aPY});
    aDim->SetLinear(type, aX1, aY1, aX2, aY2, aPX, aPY);
}

void TKVRBaseLabel::AsignDimPosition(TKVRBaseDim* aDim, bool)
{
    if (aDim && (aDim->GetDimStyleIndex() < 0 || aDim->GetDimStyleIndex() >= GetDimStyleCount()))
        aDim->SetDimStyleIndex(0);
}
