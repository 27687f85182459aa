#pragma once
#include "platform/rtl/label/KVR.DataTable.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <cstdint>
#include <vector>

class TBinaryReader;
class TBinaryWriter;

// A field of a data set as the labelling dialog lists it: name and type
// (0 String, 1 Boolean, 2 Integer, 3 Int64, 4 Float, 5 String, 6 Img64, 7 ImgBlob).
struct TKVRDatasetField
{
    QString Name;
    uint8_t Type = 0;
};

struct TKVRDataset
{
    QString Name;
    std::vector<TKVRDatasetField> Fields;
};

// The labelling data settings of a document and the records they give: a
// CSV file (data set "CsvFile") and JSON data (data set "Json"). The selected
// data set chooses which records print; the repeat field names a field whose
// number is the copies of each record.
class TKVRData
{
public:
    static const QString CsvDataset;
    static const QString JsonDataset;

    bool ListValues = false;
    bool AskValues = false;
    bool LinkData = false;
    bool SaveJson = false;

    int32_t GetDatasetCount() const { return int32_t(fDatasets.size()); }
    // Data set by position (from 0) or by name (case-insensitive); null when none.
    const TKVRDataset* GetDataset(int32_t aIndex) const;
    const TKVRDataset* GetDataset(const QString& aName) const;

    QString GetDataSel() const { return fDataSel; }
    void SetDataSel(const QString& aValue) { fDataSel = aValue; }
    QString GetFieldRepeat() const { return fFieldRepeat; }
    void SetFieldRepeat(const QString& aValue) { fFieldRepeat = aValue; }

    // Reads the CSV file and selects it; on failure raises and keeps what was there.
    void LoadCsv(const QString& aFileName);
    QString GetCsvFileName() const { return fCsvFileName; }
    // Folder a relative CSV file name read with the settings is found in:
    // the label file's. Not written to files; the settings write the CSV
    // file's name relative to it (absolute while there is none). A new
    // folder keeps the CSV file named before.
    QString GetFolder() const { return fFolder; }
    void SetFolder(const QString& aValue);
    // The CSV file's absolute name.
    QString CsvPath() const;
    // Why the CSV file named by the settings last read gave no records (it
    // was gone or could not be read), naming the file; empty when it was read.
    QString GetCsvProblem() const { return fCsvProblem; }
    // Why the selected data set has no records when that is known: the CSV
    // problem while the CSV file is selected, else empty.
    QString RecordsProblem() const;
    // Sets the JSON data and selects it; invalid JSON raises and keeps what was there.
    void SetJson(const QString& aText);
    QString GetJson() const { return fJson; }

    // The records of the selected data set (empty when it has none).
    const TKVRDataTable& Records() const;

    // The settings: flags, selection, repeat field, CSV file name and, with
    // SaveJson, the JSON data. Reading re-reads the CSV file when it can (a
    // file that is gone leaves no CSV records and a CSV problem, not an
    // error) and parses the JSON data; what cannot be read raises before
    // anything changes.
    void Write(TBinaryWriter& aWriter) const;
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    // Takes the read settings over, loading their sources.
    void Assign(const TKVRData& aRead, const QString& aCsvFile, const QString& aJson, const QString& aSel);
    void PutDataset(const QString& aName, const TKVRDataTable& aTable);
    QString StoredCsvName() const;

    std::vector<TKVRDataset> fDatasets;
    QString fDataSel;
    QString fFieldRepeat;
    QString fCsvFileName;
    QString fFolder;
    QString fCsvProblem;
    QString fJson;
    TKVRDataTable fCsv;
    TKVRDataTable fJsonRecords;
};
