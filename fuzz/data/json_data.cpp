// JSON labelling data: any text either reads into a table or raises the data
// source error. A table read is rectangular with fields named once, and
// written back as an array of records of strings it reads to the same table.
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/label/KVR.DataTable.h"
#include <QSet>
#include <nlohmann/json.hpp>

namespace {

// Written as text: building an ordered object key by key would compare each
// key with all before it.
QString WriteBack(const TKVRDataTable& aTable)
{
    auto quoted = [](const QString& aText) { return nlohmann::ordered_json(aText.toStdString()).dump(); };
    std::string text = "[";
    for (const QStringList& row : aTable.Rows) {
        text += text.size() > 1 ? ",{" : "{";
        for (qsizetype i = 0; i < aTable.Fields.size(); ++i)
            text += (i ? "," : "") + quoted(aTable.Fields[i]) + ':' + quoted(row[i]);
        text += '}';
    }
    return QString::fromStdString(text + ']');
}

} // namespace

KVR_FUZZ_TARGET(json_data)
{
    if (data.size() > 64 * 1024)
        return;
    const QString text = QString::fromUtf8(data);
    TKVRDataTable table;
    try {
        table = ReadJsonData(text);
    } catch (const EKVRDataSourceError&) {
        return;
    }
    KVR_FUZZ_CHECK(QSet<QString>(table.Fields.begin(), table.Fields.end()).size() == table.Fields.size(),
                   "a field named twice");
    for (const QStringList& row : table.Rows)
        KVR_FUZZ_CHECK(row.size() == table.Fields.size(), "a record is not as wide as the fields");
    if (table.Rows.empty())
        return;  // fields without records cannot be written as records
    TKVRDataTable again;
    try {
        again = ReadJsonData(WriteBack(table));
    } catch (const EKVRDataSourceError&) {
        KVR_FUZZ_CHECK(false, "the table written back does not read");
    }
    KVR_FUZZ_CHECK(again.Fields == table.Fields, "the fields differ after writing back");
    KVR_FUZZ_CHECK(again.Rows == table.Rows, "the records differ after writing back");
}
