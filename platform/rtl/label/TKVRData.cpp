#include "platform/rtl/label/TKVRData.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <QDir>
#include <QFileInfo>

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
    // Absolute: the working folder may change before the label is saved.
    fCsvFileName = QFileInfo(aFileName).absoluteFilePath();
    fCsvProblem.clear();
    PutDataset(CsvDataset, fCsv);
    fDataSel = CsvDataset;
}

QString TKVRData::CsvPath() const
{
    if (fCsvFileName.isEmpty() || QDir::isAbsolutePath(fCsvFileName))
        return fCsvFileName;
    return fFolder.isEmpty() ? QFileInfo(fCsvFileName).absoluteFilePath() : QDir(fFolder).filePath(fCsvFileName);
}

void TKVRData::SetFolder(const QString& aValue)
{
    // A relative name keeps naming the same file in the new folder's label.
    fCsvFileName = CsvPath();
    fFolder = aValue;
}

QString TKVRData::StoredCsvName() const
{
    if (fFolder.isEmpty() || fCsvFileName.isEmpty())
        return fCsvFileName;
    return QDir(fFolder).relativeFilePath(CsvPath());
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

QString TKVRData::RecordsProblem() const
{
    return fDataSel.compare(CsvDataset, Qt::CaseInsensitive) == 0 ? fCsvProblem : QString();
}

void TKVRData::Assign(const TKVRData& aRead, const QString& aCsvFile, const QString& aJson, const QString& aSel)
{
    TKVRData d;
    d.ListValues = aRead.ListValues;
    d.AskValues = aRead.AskValues;
    d.LinkData = aRead.LinkData;
    d.SaveJson = aRead.SaveJson;
    d.fFieldRepeat = aRead.fFieldRepeat;
    if (!aJson.isEmpty())
        d.SetJson(aJson);  // raises on damaged data, before anything here changes
    d.fCsvFileName = aCsvFile;
    d.fFolder = fFolder;
    if (!aCsvFile.isEmpty()) {
        // The file belongs to the user, not to the document: a file that has
        // moved leaves the document without CSV records until it is chosen
        // again, and the reason is kept for the host and the next run.
        const QString path = QDir::isAbsolutePath(aCsvFile) || fFolder.isEmpty() ? aCsvFile
                                                                                 : QDir(fFolder).filePath(aCsvFile);
        try {
            d.fCsv = ReadCsvFile(path);
            d.PutDataset(CsvDataset, d.fCsv);
        } catch (const EKVRDataSourceError& e) {
            d.fCsvProblem = QFileInfo::exists(path)
                                ? QStringLiteral("The data file \"%1\" could not be read: %2").arg(path, e.what())
                                : QStringLiteral("The data file \"%1\" was not found").arg(path);
        }
    }
    d.fDataSel = aSel;
    *this = std::move(d);
}

void TKVRData::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteBoolean(ListValues);
    aWriter.WriteBoolean(AskValues);
    aWriter.WriteBoolean(LinkData);
    aWriter.WriteBoolean(SaveJson);
    aWriter.WriteString(fDataSel);
    aWriter.WriteString(fFieldRepeat);
    aWriter.WriteString(StoredCsvName());
    aWriter.WriteString(SaveJson ? fJson : QString());
}

void TKVRData::Read(TBinaryReader& aReader)
{
    TKVRData r;
    r.ListValues = aReader.ReadBoolean();
    r.AskValues = aReader.ReadBoolean();
    r.LinkData = aReader.ReadBoolean();
    r.SaveJson = aReader.ReadBoolean();
    const QString sel = aReader.ReadString();
    r.fFieldRepeat = aReader.ReadString();
    const QString csv = aReader.ReadString();
    const QString json = aReader.ReadString();
    Assign(r, csv, json, sel);
}

TJsonObject TKVRData::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["ListValues"] = ListValues;
    j["AskValues"] = AskValues;
    j["LinkData"] = LinkData;
    j["SaveJson"] = SaveJson;
    j["DataSel"] = KVRJson::Str(fDataSel);
    j["FieldRepeat"] = KVRJson::Str(fFieldRepeat);
    j["CsvFile"] = KVRJson::Str(StoredCsvName());
    j["Json"] = KVRJson::Str(SaveJson ? fJson : QString());
    return j;
}

void TKVRData::ReadJson(const TJsonObject& aJson)
{
    TKVRData r;
    r.ListValues = KVRJson::GetBool(aJson, "ListValues", false);
    r.AskValues = KVRJson::GetBool(aJson, "AskValues", false);
    r.LinkData = KVRJson::GetBool(aJson, "LinkData", false);
    r.SaveJson = KVRJson::GetBool(aJson, "SaveJson", false);
    r.fFieldRepeat = KVRJson::GetString(aJson, "FieldRepeat", QString());
    Assign(r, KVRJson::GetString(aJson, "CsvFile", QString()), KVRJson::GetString(aJson, "Json", QString()),
           KVRJson::GetString(aJson, "DataSel", QString()));
}
