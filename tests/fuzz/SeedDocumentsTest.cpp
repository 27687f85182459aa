// The seeds of the document readers' fuzz targets are what the every-kind
// document writes (tests/support). With KVR_FUZZ_SEED_DIR set, the test
// writes them there (<dir>/<target>/<name>), as fuzz/seeds/ holds them.
#include "tests/support/LabelDocuments.h"
#include <QBuffer>
#include <QDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

TEST(FuzzSeeds, TheRoundTripDocumentsHoldEveryKindAndReadBack)
{
    // target -> file name -> bytes
    std::map<std::string, std::map<std::string, QByteArray>> seeds;
    TVXLabelFMX empty, every;
    BuildEveryKind(every);
    seeds["eti_file"]["empty.eti"] = SaveEti(empty);
    seeds["eti_file"]["every-kind.eti"] = SaveEti(every);
    seeds["json_file"]["empty.json"] = QByteArray::fromStdString(empty.GetJson().dump(2));
    seeds["json_file"]["every-kind.json"] = QByteArray::fromStdString(every.GetJson().dump(2));
    std::vector<TKVRBaseItem*> items;
    for (int32_t i = 1; i <= every.GetItemsCount(); ++i) {
        items.push_back(every.GetItem(i));
        seeds["element_stream"]["kind-" + std::to_string(i) + ".bin"] = ElementRecord(*items.back());
    }
    ASSERT_EQ(items.size(), 29u);
    const std::pair<const char*, std::pair<int, int>> parts[] = {
        {"shapes-and-codes.bin", {0, 15}}, {"flows-link-tables.bin", {15, 25}}, {"dims-package-rich.bin", {25, 29}}};
    for (const auto& [name, range] : parts) {
        every.CopyToClipboard(std::vector<TKVRBaseItem*>(items.begin() + range.first, items.begin() + range.second));
        seeds["paste_selection"][name] = every.GetClipboard().data();
    }
    seeds["symbol_library"]["three-symbols.lyp"] = kSymbolLibrary;
    seeds["symbol_library"]["empty.lyp"] = "[]";

    // The every-kind file loads and saves to the same bytes; each clipboard seed pastes whole.
    TVXLabelFMX doc;
    QByteArray bytes = seeds["eti_file"]["every-kind.eti"];
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    doc.LoadFromStream(in);
    EXPECT_EQ(KindsOf(doc), KindsOf(every));
    EXPECT_EQ(SaveEti(doc), SaveEti(every));
    const int32_t before = doc.GetItemsCount();
    for (const auto& [name, clip] : seeds["paste_selection"]) {
        doc.GetClipboard().close();
        doc.GetClipboard().setData(clip);
        doc.PasteSelection();
    }
    EXPECT_EQ(doc.GetItemsCount() - before, 29);

    if (const QString dir = qEnvironmentVariable("KVR_FUZZ_SEED_DIR"); !dir.isEmpty())
        for (const auto& [target, files] : seeds) {
            const QString folder = QDir(dir).filePath(QString::fromStdString(target));
            ASSERT_TRUE(QDir().mkpath(folder));
            for (const auto& [name, seed] : files)
                WriteAll(QDir(folder).filePath(QString::fromStdString(name)), seed);
        }
}

}  // namespace
