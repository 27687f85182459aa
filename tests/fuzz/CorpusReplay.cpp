#include "fuzz/support/FuzzTarget.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <map>
#include <string>

// Every input that once crashed, hung or broke a property is kept under
// corpus/<target>/ and runs through its target again here.
namespace kvr::fuzz {

static std::map<std::string, TargetFn>& Targets()
{
    static std::map<std::string, TargetFn> targets;
    return targets;
}

bool RegisterTarget(const char* name, TargetFn fn)
{
    Targets()[name] = fn;
    return true;
}

void Fail(const char* what, const char* file, int line)
{
    throw std::runtime_error(std::string(file) + ":" + std::to_string(line) + ": " + what);
}

void EnsureApplication() {}

} // namespace kvr::fuzz

namespace {

TEST(FuzzCorpus, EveryKeptInputPassesItsTarget)
{
    const QDir corpus(KVR_FUZZ_CORPUS_DIR);
    ASSERT_TRUE(corpus.exists());
    const QStringList folders = corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders)
        EXPECT_TRUE(kvr::fuzz::Targets().count(folder.toStdString()))
            << "corpus folder without a target: " << folder.toStdString();
    int replayed = 0;
    for (const auto& [name, run] : kvr::fuzz::Targets()) {
        const QDir dir(corpus.filePath(QString::fromStdString(name)));
        for (const QString& entry : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(entry));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << entry.toStdString();
            const QByteArray bytes = file.readAll();
            SCOPED_TRACE(name + "/" + entry.toStdString());
            try {
                run(bytes);
            } catch (const std::exception& broken) {
                ADD_FAILURE() << broken.what();
            }
            ++replayed;
        }
    }
    RecordProperty("replayed", replayed);
}

} // namespace
