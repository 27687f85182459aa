// Label files in both formats, read through the kind-code registry.
#include "document/KVR.FMX.Kinds.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRText.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <unistd.h>

namespace {

std::vector<int32_t> EveryKind()
{
    std::vector<int32_t> kinds(29);
    std::iota(kinds.begin(), kinds.end(), 1);
    return kinds;
}

class LabelFiles : public ::testing::Test
{
protected:
    QString Path(const QString& aName) const { return fDir.filePath(aName); }
    QTemporaryDir fDir;
};

// The bytes of one element's record, without the stream's version.
QByteArray Record(const TKVRBaseItem& aItem)
{
    return ElementRecord(aItem).mid(4);
}

}  // namespace

class KindRegistry : public ::testing::TestWithParam<int32_t>
{
};

// A JSON object with only its kind gives a new element of that kind; its
// record, read back through the binary reader, is the same element.
TEST_P(KindRegistry, EveryKindReadsBackThroughBothReaders)
{
    const int32_t kind = GetParam();
    const TKVRKindReaders* readers = KVRKindReaders(kind);
    ASSERT_NE(readers, nullptr);
    TVXLabelFMX doc;
    TKVRBaseItem* fromJson = readers->ReadFromJson(&doc, 3100, TJsonObject{{"Type", kind}});
    ASSERT_NE(fromJson, nullptr);
    EXPECT_EQ(fromJson->GetKind(), kind);
    QByteArray bytes = Record(*fromJson);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    TKVRBaseItem* fromBinary = doc.CreateFromStream(reader, 3100, KVRReadType::File);
    ASSERT_NE(fromBinary, nullptr);
    EXPECT_EQ(fromBinary->GetKind(), kind);
    EXPECT_EQ(reader.Remaining(), 0);
    EXPECT_EQ(fromBinary->WriteJson().dump(), fromJson->WriteJson().dump());
    EXPECT_EQ(doc.GetItemsCount(), 2);
    for (int32_t code : {-1, 0, 30, 31, 255})
        EXPECT_EQ(KVRKindReaders(code), nullptr) << code;
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindRegistry, ::testing::ValuesIn(EveryKind()));

// Every kind with layers, counter, data and symbols saves and loads in both
// formats with nothing lost; the binary file saves again byte for byte, the
// JSON file is indented UTF-8 without a byte-order mark that Python reads.
TEST_F(LabelFiles, EveryKindSavesAndLoadsInBothFormatsWithNothingLost)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    ASSERT_EQ(KindsOf(doc), EveryKind());
    const std::string before = Snapshot(doc);
    for (const auto& [name, format] : {std::pair{"every.eti", KVRExt::Binary}, std::pair{"every.json", KVRExt::Json}}) {
        SCOPED_TRACE(name);
        doc.SetModified(true);
        ASSERT_TRUE(doc.SaveToFile(Path(name), format));
        EXPECT_FALSE(doc.GetModified());
        TVXLabelFMX back;
        back.GetMapping().SetApiKey(QStringLiteral("mine"));
        ASSERT_TRUE(back.LoadFromFile(Path(name)));
        EXPECT_EQ(Snapshot(back), before);
        // The map service key is the session's: neither written nor taken over.
        EXPECT_EQ(back.GetMapping().GetApiKey(), QStringLiteral("mine"));
        EXPECT_FALSE(ReadAll(Path(name)).contains("secret"));
        EXPECT_EQ(back.GetLayerCount(), 2);
        EXPECT_EQ(back.GetCounterCount(), 1);
        EXPECT_EQ(back.GetData().Records().RecordCount(), 2);
        ASSERT_EQ(back.GetSymbolCount(), 1);
        EXPECT_EQ(back.GetSymbol(1)->GetName(), "Valve");
        EXPECT_EQ(back.GetBackSurf().GetBackColor(), 0xFFFFF0C0u);
        EXPECT_EQ(back.GetOptions(), 0x05);
        EXPECT_FLOAT_EQ(back.GetSettings().GetTermSize(), 4.5f);
        EXPECT_FALSE(back.GetReading());
        ASSERT_TRUE(back.SaveToFile(Path(QStringLiteral("again-") + name), format));
        if (format == KVRExt::Binary) {
            EXPECT_EQ(ReadAll(Path(QStringLiteral("again-") + name)), ReadAll(Path(name)));
        }
    }
    const QByteArray json = ReadAll(Path("every.json"));
    EXPECT_EQ(json.at(0), '{');
    EXPECT_TRUE(json.contains("\n  \"Items\""));
    const QStringList lines = RunTool("python3", {"-c",
                                                  "import json,sys\n"
                                                  "d=json.loads(open(sys.argv[1],'rb').read().decode('utf-8'))\n"
                                                  "print(','.join(str(e['Type']) for e in d['Items']))\n"
                                                  "print([e for e in d['Items'] if e['Type']==10][0]['Text'])\n"
                                                  "print(d['Measure']['Title'])\n",
                                                  Path("every.json")})
                                  .split('\n');
    ASSERT_GE(lines.size(), 3);
    QStringList kinds;
    for (int32_t k : EveryKind())
        kinds << QString::number(k);
    EXPECT_EQ(lines[0], kinds.join(','));
    EXPECT_EQ(lines[1], QString("Größe — 日本語 ✓"));
    EXPECT_EQ(lines[2], QString("Plan — ĉapelo"));
}

// A label file is known by its extension in any case; other names load
// nothing, other formats write nothing; a read-only file loads (root
// ignores permissions: an immutable file is what stops it).
TEST_F(LabelFiles, ExtensionsAndReadOnlyFiles)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    ASSERT_TRUE(doc.SaveToFile(Path("label.eti"), KVRExt::Binary));
    ASSERT_TRUE(doc.SaveToFile(Path("label.json"), KVRExt::Json));
    const struct
    {
        const char* Name;
        const char* Copy;  // the file it is a copy of
        bool Loads;
    } names[] = {{"label.ETI", "label.eti", true},     {"label.Json", "label.json", true},
                 {"LABEL.JSON", "label.json", true},   {"label.etix", "label.eti", false},
                 {"label.eti.bak", "label.eti", false}, {"label", "label.eti", false}};
    TVXLabelFMX other;
    for (const auto& n : names) {
        SCOPED_TRACE(n.Name);
        QFile::copy(Path(n.Copy), Path(n.Name));
        TVXLabelFMX fresh;
        new TKVRPoint(&fresh, false);
        const std::string before = Snapshot(fresh);
        EXPECT_EQ(fresh.LoadFromFile(Path(n.Name)), n.Loads);
        if (n.Loads) {
            EXPECT_EQ(KindsOf(fresh), EveryKind());
        } else {
            EXPECT_EQ(Snapshot(fresh), before);
        }
    }
    EXPECT_FALSE(other.SaveToFile(Path("label.x"), 2));
    EXPECT_FALSE(QFile::exists(Path("label.x")));

    const QString name = Path("label.eti");
    QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const bool immutable = geteuid() == 0 && QProcess::execute("chattr", {"+i", name}) == 0;
    EXPECT_TRUE(other.LoadFromFile(name));
    EXPECT_EQ(KindsOf(other), EveryKind());
    if (immutable)
        QProcess::execute("chattr", {"-i", name});
    EXPECT_TRUE(immutable || geteuid() != 0) << "chattr is needed to test a file nobody may write";
}

// What the readers make of odd and damaged files, each a change of a saved
// one: kinds by their low byte, what is no element skipped; unknown kinds,
// later versions, huge sheets and counts, settings out of range refused with
// a clear error; a failed read leaves the document it read into as it was.
TEST_F(LabelFiles, OddAndDamagedFiles)
{
    TVXLabelFMX source;
    new TKVRPoint(&source, false);
    new TKVRLine(&source, false);
    const QByteArray saved = SaveEti(source);
    const QByteArray point = Record(*source.GetItem(1));
    const qsizetype pointAt = saved.indexOf(point), lineAt = pointAt + point.size();
    auto patched = [&](qsizetype aAt, QByteArray aBytes) { return QByteArray(saved).replace(aAt, aBytes.size(), aBytes); };
    // Version, mode, units, empty name, continuous flag and eight lengths come first.
    const qsizetype rowsAt = 4 + 1 + 1 + 1 + 1 + 8 * 8;
    ASSERT_EQ(saved.mid(pointAt, 4), QByteArray("\x01\x00\x00\x00", 4));
    ASSERT_EQ(saved.mid(lineAt, 4), QByteArray("\x02\x00\x00\x00", 4));
    ASSERT_EQ(saved.mid(rowsAt, 8), QByteArray("\x01\x00\x00\x00\x01\x00\x00\x00", 8));
    ASSERT_TRUE(source.SaveToFile(Path("s.json"), KVRExt::Json));
    const QByteArray json = ReadAll(Path("s.json"));
    ASSERT_TRUE(json.contains("\"Rows\": 1,"));
    TVXLabelFMX empty;
    const QByteArray none = SaveEti(empty);  // ends with the symbol count and the element count, both 0
    ASSERT_EQ(none.right(8), QByteArray(8, '\0'));

    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* error;  // null: it loads
        std::vector<int32_t> kinds;
    };
    const Case cases[] = {
        {"low-byte.eti", patched(pointAt + 1, "\x01"), nullptr, {1, 2}},  // 1 + 256
        {"low-byte.json", R"({"Version":3100,"Items":[{"Type":257,"Points":[[1000,2000]]},
            {"Type":0}, {"Type":30}, 7, "text", null, {"NoType":1}, {"Type":"2"}, {"Type":2}]})",
         nullptr, {1, 2}},
        {"no-items.json", R"({"Version":3100,"Units":2})", nullptr, {}},
        {"negative.eti", QByteArray(none).replace(none.size() - 8, 4, "\xFF\xFF\xFF\xFF"), nullptr, {}},
        {"unknown.eti", patched(lineAt, "\x1E"), "Unknown element kind 30", {}},
        {"rows.eti", patched(rowsAt, "\xA0\x86\x01"), "100000", {}},
        {"rows.json", QByteArray(json).replace("\"Rows\": 1,", "\"Rows\": 100000,"), "100000", {}},
        {"count.eti", QByteArray(none).replace(none.size() - 4, 4, "\xFF\xFF\xFF\x7F"), "", {}},
        {"cut.json", "{\"Items\":[{\"Type\":1,", "", {}},
        {"array.json", "[1,2]", "", {}},
        {"points.json", R"({"Items":[{"Type":2,"Points":"no"}]})", "", {}},
        {"columns.json", R"({"Measure":{"Columns":5000}})", "", {}},
        {"newer.eti", patched(0, QByteArray("\x1D\x0C\x00\x00", 4)), "", {}},  // version 3101
        {"zeros.eti", QByteArray(64, '\0'), "", {}},
        {"units.json", R"({"Units":9})", "", {}},
        {"layers.json", R"({"Layers":[]})", "", {}},
        {"active.json", R"({"ActiveLayer":4})", "", {}},
        {"width.json", R"({"Measure":{"Width":-1}})", "", {}},
        {"measure.json", R"({"Measure":[]})", "", {}},
        {"counters.json", R"({"Counters":[{},{},{},{},{},{}]})", "", {}},
        {"data.json", R"({"Data":{"SaveJson":true,"Json":"[oops"}})", "", {}},
    };
    // One document to read into: a failed read leaves it as it was.
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    doc.SetModified(true);
    const std::string before = Snapshot(doc);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(Path(c.name), c.bytes);
        if (!c.error) {
            TVXLabelFMX other;
            new TKVRPoint(&other, false);
            EXPECT_TRUE(other.LoadFromFile(Path(c.name)));
            EXPECT_EQ(KindsOf(other), c.kinds);
            continue;
        }
        try {
            doc.LoadFromFile(Path(c.name));
            ADD_FAILURE() << "no error";
        } catch (const std::exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_FALSE(doc.GetReading());
        EXPECT_TRUE(doc.GetModified());
    }
}

// Files of other kinds renamed ".eti" are told to be no label file; only a
// label whose version is later than ours is said to be of a newer version.
// Each refusal leaves the document as it was.
TEST_F(LabelFiles, OtherFilesRenamedEtiAreNoLabelFiles)
{
    const auto encoded = [](const char* aFormat) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, aFormat)) << aFormat;
        return bytes;
    };
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.drawText(100, 100, QStringLiteral("page"));
    }
    // One white pixel, as GIF writers put it down.
    const QByteArray gif = QByteArray::fromHex(
        "47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");
    ASSERT_EQ(QImage::fromData(gif, "GIF").size(), QSize(1, 1));
    std::mt19937 engine(50);
    QByteArray noise;
    for (int i = 0; i < 64; ++i)
        noise.append(char(engine() & 0xFF));
    TVXLabelFMX label;
    new TKVRPoint(&label, false);
    QByteArray newer = SaveEti(label);
    newer.replace(0, 4, QByteArray("\x1D\x0C\x00\x00", 4));  // 3101

    const QString notALabel = QStringLiteral("The file is not a label file");
    const struct
    {
        const char* Name;
        QByteArray Bytes;
        QString Error;
    } cases[] = {
        {"PNG", encoded("PNG"), notALabel},
        {"JPEG", encoded("JPEG"), notALabel},
        {"GIF", gif, notALabel},
        {"PDF", pdf, notALabel},
        {"text", "Name;Price\nTea;2,50\n", notALabel},
        {"zero bytes", "", notALabel},
        {"three bytes", QByteArray("\x07\xF3\x11", 3), notALabel},
        {"noise", noise, notALabel},
        {"a later label", newer, QStringLiteral("The file was written by a newer version (3101)")},
    };
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    doc.SetModified(true);
    const std::string before = Snapshot(doc);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteAll(Path("renamed.eti"), c.Bytes);
        QString told;
        try {
            doc.LoadFromFile(Path("renamed.eti"));
        } catch (const std::exception& e) {
            told = QString::fromUtf8(e.what());
        }
        EXPECT_EQ(told, c.Error);
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_TRUE(doc.GetModified());
    }
}

// Every cut of a binary file raises and leaves the document as it was.
TEST_F(LabelFiles, TruncatedBinaryRaisesAndLeavesTheDocumentAsItWas)
{
    TVXLabelFMX source;
    BuildEveryKind(source);
    const QByteArray bytes = SaveEti(source);
    TVXLabelFMX doc;
    auto* kept = new TKVRText(&doc);
    kept->SetText("kept");
    doc.GetMeasure().SetRows(3);
    doc.SetModified(true);
    const std::string before = Snapshot(doc);
    std::vector<qsizetype> cuts;
    for (qsizetype n = 0; n < bytes.size(); n += bytes.size() / 100 + 1)
        cuts.push_back(n);
    for (qsizetype n = bytes.size() - 8; n < bytes.size(); ++n)
        cuts.push_back(n);
    for (qsizetype n : cuts) {
        WriteAll(Path("cut.eti"), bytes.left(n));
        EXPECT_ANY_THROW(doc.LoadFromFile(Path("cut.eti"))) << n;
        ASSERT_EQ(Snapshot(doc), before) << n;
        EXPECT_FALSE(doc.GetReading());
        EXPECT_TRUE(doc.GetModified());
        EXPECT_EQ(doc.GetItem(1), kept);
    }
}

// A save that the disk cannot take raises and leaves the previous file.
TEST_F(LabelFiles, FailedSaveLeavesThePreviousFile)
{
    TVXLabelFMX small;
    new TKVRPoint(&small, false);
    const QString name = Path("keep.eti");
    ASSERT_TRUE(small.SaveToFile(name, KVRExt::Binary));
    const QByteArray good = ReadAll(name);
    TVXLabelFMX big;
    BuildEveryKind(big);
    big.SetModified(true);
    {
        TFileSizeLimit limit(rlim_t(good.size() + 16));
        EXPECT_THROW(big.SaveToFile(name, KVRExt::Binary), EKVRDataError);
    }
    EXPECT_TRUE(big.GetModified());
    EXPECT_EQ(ReadAll(name), good);
}
