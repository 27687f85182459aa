#pragma once
// Labelling data as a table: field names and records of texts. CSV files and
// JSON data both read into it; the document prints one record per label.
#include "platform/rtl/label/KVR.RecordStore.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>
#include <vector>

// A labelling data source that cannot be read; the message says where.
class EKVRDataSourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TKVRDataTable
{
public:
    QStringList Fields;
    TKVRRecords Rows;

    int32_t RecordCount() const { return int32_t(Rows.size()); }
    bool IsEmpty() const { return Rows.empty(); }
    // Column of a field, -1 when there is none; the first of equal names wins.
    int32_t FieldIndex(const QString& aName) const;
    // The field's text in record aRow (from 0); empty outside the table.
    QString Value(int32_t aRow, const QString& aName) const;
};

// Largest data source read, so a wrong file cannot exhaust memory.
constexpr int64_t KVRMaxDataBytes = int64_t(256) * 1024 * 1024;

// A CSV text: the first line that is not blank names the fields. Fields are
// separated by the first of ';', ',' or a tab found outside quotes in that
// line (',' when the line has none); a field that begins with a double quote
// may hold separators, line breaks and doubled quotes. Lines end in CR LF, LF
// or CR; blank lines (white space alone, as U+00A0 or U+3000; before the
// header tabs too) are skipped.
// UTF-8 (a byte-order mark is dropped); text that is not UTF-8 is read as
// Windows-1252. Records shorter than the header read empty fields; longer
// ones keep their extra fields unnamed. An unclosed quote, a NUL byte and
// a text without a header line (empty or blank) raise.
TKVRDataTable ReadCsv(const QByteArray& aBytes);
// The file read whole, then ReadCsv; raises when it cannot be read or is too large.
TKVRDataTable ReadCsvFile(const QString& aFileName);

// JSON data: an array of objects (one record each), an object holding such
// an array under its first array-valued key, or a single object (one
// record). Fields are the keys in order of first appearance. Strings stand as
// they are, numbers in their shortest form, true/false as such, null empty,
// arrays and objects as compact JSON. Anything else raises.
TKVRDataTable ReadJsonData(const QString& aText);
