#pragma once
// What the document readers' targets share: a small document to read into,
// its saved bytes in both formats, and the errors a reader is allowed to raise.
#include "document/KVR.FMX.h"
#include "platform/rtl/label/KVR.DataTable.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "tests/support/LabelDocuments.h"
#include <QBuffer>
#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <set>

namespace KVRLabelFuzz {

// Inputs above this are skipped: every seed is a few KiB, and the readers' own
// caps are far above what one execution should spend time on.
constexpr qsizetype kMaxInput = 64 * 1024;

// A document that differs from a new one in its layers, elements and links,
// so that a failed read that touched it shows in its saved bytes.
inline void FillDocument(TVXLabelFMX& aDoc)
{
    TKVRBaseLabel& d = aDoc;
    d.AddLayer(QStringLiteral("Marks"))->Color = 0xFF2040A0u;
    d.SetActiveLayer(1);
    d.AddBaseLine(0, 0, 20000, 5000);
    TKVRBaseItem* a = d.AddBaseFlow(60000, 0, 20000, 10000, 4);
    TKVRBaseItem* b = d.AddBaseFlow(60000, 40000, 20000, 10000, 1);
    d.AddBaseLink(a->GetNumID(), b->GetNumID(), 3, 1, 2);
    d.AddBaseText(5000, 60000);
    aDoc.SetModified(false);
}

// The savers the tests use too.
using ::ElementRecord;
using ::SaveEti;

// What SaveToFile writes for the ".json" format.
inline QByteArray SaveJson(const TKVRBaseLabel& aDoc)
{
    return QByteArray::fromStdString(aDoc.GetJson().dump(2));
}

inline bool LoadEti(TVXLabelFMX& aDoc, QByteArray aBytes)
{
    QBuffer buffer(&aBytes);
    buffer.open(QIODevice::ReadOnly);
    aDoc.LoadFromStream(buffer);
    return true;
}

// Runs aRead; false when it raised one of the errors the readers document
// for damaged input (the label's data set raises its own for damaged JSON
// data). Anything else escapes and is a finding.
template <class F>
bool Reads(F&& aRead)
{
    try {
        aRead();
        return true;
    } catch (const EKVRStreamError&) {
    } catch (const EKVRDataError&) {
    } catch (const EKVRJsonError&) {
    } catch (const EKVRDataSourceError&) {
    }
    return false;
}

// The ".json" reader takes a file name: one file per process, in memory
// where the system has it.
inline const QString& JsonPath()
{
    static const QString path = [] {
        const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return QStringLiteral("%1/kvr-fuzz-%2.json").arg(dir).arg(QCoreApplication::applicationPid());
    }();
    return path;
}

inline bool LoadJson(TVXLabelFMX& aDoc, QByteArrayView aText)
{
    QFile file(JsonPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(aText.data(), aText.size()) != aText.size())
        qFatal("cannot write the scratch file");
    file.close();
    return Reads([&] { aDoc.LoadFromFile(JsonPath()); });
}

// True when no two elements share a numeric id above 0.
inline bool NumIDsUnique(const TKVRBaseLabel& aDoc)
{
    std::set<int32_t> seen;
    for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i) {
        const int32_t id = aDoc.GetItem(i)->GetNumID();
        if (id > 0 && !seen.insert(id).second)
            return false;
    }
    return true;
}

}  // namespace KVRLabelFuzz
