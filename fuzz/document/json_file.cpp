// ".json" label files: any text either loads whole or raises and leaves the
// document as it was. A file that loads saves again, and that saved file
// loads and saves to the same text.
#include "fuzz/document/LabelFuzzSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace KVRLabelFuzz;

namespace {

// The reader takes a file name: one file per process, in memory where the system has it.
const QString& JsonPath()
{
    static const QString path = [] {
        const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return QStringLiteral("%1/kvr-fuzz-%2.json").arg(dir).arg(QCoreApplication::applicationPid());
    }();
    return path;
}

bool LoadJson(TVXLabelFMX& aDoc, QByteArrayView aText)
{
    QFile file(JsonPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(aText.data(), aText.size()) != aText.size())
        qFatal("cannot write the scratch file");
    file.close();
    return Reads([&] { aDoc.LoadFromFile(JsonPath()); });
}

}  // namespace

KVR_FUZZ_TARGET(json_file)
{
    if (data.size() > kMaxInput)
        return;
    TVXLabelFMX doc;
    FillDocument(doc);
    const QByteArray before = SaveJson(doc);
    if (!LoadJson(doc, data)) {
        KVR_FUZZ_CHECK(SaveJson(doc) == before, "a failed load changed the document");
        return;
    }
    const QByteArray saved = SaveJson(doc);
    TVXLabelFMX again;
    KVR_FUZZ_CHECK(LoadJson(again, saved), "a saved file does not load");
    KVR_FUZZ_CHECK(SaveJson(again) == saved, "a saved file loads to another document");
}
