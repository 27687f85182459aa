// CSV labelling data: any bytes either read into a table or raise the data
// source error; a table read has no record wider than the text allows.
#include "fuzz/support/FuzzTarget.h"
#include "platform/rtl/label/KVR.DataTable.h"

KVR_FUZZ_TARGET(csv_data)
{
    const QByteArray bytes = data.toByteArray();
    try {
        const TKVRDataTable table = ReadCsv(bytes);
        for (const QStringList& row : table.Rows)
            KVR_FUZZ_CHECK(row.size() <= bytes.size() + 1, "a record has more fields than the text has bytes");
    } catch (const EKVRDataSourceError&) {
    }
}
