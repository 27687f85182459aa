#include "platform/rtl/label/TKVRData.h"

const QString TKVRData::CsvDataset = QStringLiteral("CsvFile");
const QString TKVRData::JsonDataset = QStringLiteral("Json");

const TKVRDataset* TKVRData::GetDataset(int32_t aIndex) const
{
    return aIndex >= 0 && aIndex < GetDatasetCount() ? &fDatasets[size_t(aIndex)] : nullptr;
}

const TKVRDataset* TKVRData::GetDataset(const QString& aName) const
{
    for (const TKVRDataset& d : fDatasets)
        if (d.Name.compare(aName, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

void TKVRData::PutDataset(const QString& aName, const TKVRDataTable& aTable)
{
    TKVRDataset set{aName, {}};
    for (const QString& field : aTable.Fields)
        set.Fields.push_back({field, 0});
    for (TKVRDataset& d : fDatasets)
        if (d.Name.compare(aName, Qt::CaseInsensitive) == 0) {
            d = std::move(set);
            return;
        }
    fDatasets.push_back(std::move(set));
}

void TKVRData::LoadCsv(const QString& aFileName)
{
    TKVRDataTable table = ReadCsvFile(aFileName);  // raises before anything changes
    fCsv = std::move(table);
    fCsvFileName = aFileName;
    PutDataset(CsvDataset, fCsv);
    fDataSel = CsvDataset;
}

void TKVRData::SetJson(const QString& aText)
{
    TKVRDataTable table = ReadJsonData(aText);
    fJsonRecords = std::move(table);
    fJson = aText;
    PutDataset(JsonDataset, fJsonRecords);
    fDataSel = JsonDataset;
}

const TKVRDataTable& TKVRData::Records() const
{
    if (fDataSel.compare(CsvDataset, Qt::CaseInsensitive) == 0)
        return fCsv;
    if (fDataSel.compare(JsonDataset, Qt::CaseInsensitive) == 0)
        return fJsonRecords;
    static const TKVRDataTable none;
    return none;
}
