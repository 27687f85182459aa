#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <climits>
#include <stdexcept>

TKVRBaseLabel::TKVRBaseLabel(QObject* aOwner) : QObject(aOwner)
{
    AddLayer(QStringLiteral("0"));
    fDimStyles.push_back(std::make_unique<TKVRDimStyle>());
}

TKVRBaseLabel::~TKVRBaseLabel()
{
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

QString TKVRBaseLabel::DataValue(const QString& aField, const QString& aFormat, int32_t aFillType) const
{
    if (aFillType == 0)
        return QString();
    const QString text = fRecord.value(aField);
    if (aFormat.isEmpty() || text.isEmpty())
        return text;
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? FormatFloat(aFormat, v) : text;
}

bool TKVRBaseLabel::DataGraphic(const QString& aField, QIODevice& aStream) const
{
    const QString name = fRecord.value(aField).trimmed();
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
    std::unique_ptr<TKVRBaseItem> item = std::move(fItems[size_t(i - 1)]);
    fItems.erase(fItems.begin() + (i - 1));
    item->fAttached = false;
    return item;
}

void TKVRBaseLabel::DeleteItem(int32_t aIndex)
{
    DetachItem(GetItem(aIndex));  // freed on leaving
}

void TKVRBaseLabel::ClearItems()
{
    std::vector<std::unique_ptr<TKVRBaseItem>> items;
    items.swap(fItems);
    for (auto& item : items)
        item->fAttached = false;
    // freed here, with the list already empty
}

void TKVRBaseLabel::AttachItem(TKVRBaseItem* aItem)
{
    fItems.emplace_back(aItem);
    aItem->fAttached = true;
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
    for (const auto& item : fItems)
        if (item->GetID() == aID)
            return item.get();
    return nullptr;
}

TKVRBaseItem* TKVRBaseLabel::FindNumID(int32_t aNumID) const
{
    if (aNumID <= 0)
        return nullptr;
    for (const auto& item : fItems)
        if (item->GetNumID() == aNumID)
            return item.get();
    return nullptr;
}

void TKVRBaseLabel::ItemDestroyed(TKVRBaseItem* aItem)
{
    // Reached only for an element that is freed while still listed (its
    // constructor or reader failed): the list lets go of it without freeing it again.
    for (auto it = fItems.begin(); it != fItems.end(); ++it)
        if (it->get() == aItem) {
            (void)it->release();
            fItems.erase(it);
            return;
        }
}

// ---------------------------------------------------------------- layers

TKVRLayer* TKVRBaseLabel::GetLayer(int32_t aIndex) const
{
    if (aIndex < 0 || aIndex >= GetLayerCount())
        throw std::out_of_range("Layer index out of range");
    return fLayers[size_t(aIndex)].get();
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
