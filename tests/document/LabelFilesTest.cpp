// Label files in both formats, read through the kind-code registry.
#include "document/KVR.FMX.Kinds.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRText.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "tests/document/LabelTestSupport.h"
#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/resource.h>
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

}  // namespace

// ---------------------------------------------------------------- the registry

class KindRegistry : public ::testing::TestWithParam<int32_t>
{
};

TEST_P(KindRegistry, EveryKindReadsBackThroughBothReaders)
{
    const int32_t kind = GetParam();
    const TKVRKindReaders* readers = KVRKindReaders(kind);
    ASSERT_NE(readers, nullptr);
    TVXLabelFMX doc;
    // A JSON object with only its kind gives a new element of that kind.
    TKVRBaseItem* fromJson = readers->ReadFromJson(&doc, 3100, TJsonObject{{"Type", kind}});
    ASSERT_NE(fromJson, nullptr);
    EXPECT_EQ(fromJson->GetKind(), kind);
    // Its record, read back through the binary reader, is the same element.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    fromJson->Write(writer);
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    TKVRBaseItem* fromBinary = doc.CreateFromStream(reader, 3100, KVRReadType::File);
    ASSERT_NE(fromBinary, nullptr);
    EXPECT_EQ(fromBinary->GetKind(), kind);
    EXPECT_EQ(reader.Remaining(), 0);
    EXPECT_EQ(fromBinary->WriteJson().dump(), fromJson->WriteJson().dump());
    EXPECT_EQ(doc.GetItemsCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindRegistry, ::testing::ValuesIn(EveryKind()));

TEST(KindRegistryEdges, CodesOutsideTheTableHaveNoReaders)
{
    for (int32_t code : {-1, 0, 30, 31, 255})
        EXPECT_EQ(KVRKindReaders(code), nullptr) << code;
}

// ---------------------------------------------------------------- whole documents

TEST_F(LabelFiles, EveryKindSavesAndLoadsInBothFormatsWithNothingLost)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    ASSERT_EQ(KindsOf(doc), EveryKind());
    const std::string before = Snapshot(doc);
    for (const char* name : {"every.eti", "every.json"}) {
        SCOPED_TRACE(name);
        const TKVRExt format = QString(name).endsWith(".eti") ? KVRExt::Binary : KVRExt::Json;
        doc.SetModified(true);
        ASSERT_TRUE(doc.SaveToFile(Path(name), format));
        EXPECT_FALSE(doc.GetModified());
        TVXLabelFMX back;
        ASSERT_TRUE(back.LoadFromFile(Path(name)));
        EXPECT_EQ(KindsOf(back), EveryKind());
        EXPECT_EQ(Snapshot(back), before);
        EXPECT_EQ(back.GetLayerCount(), 2);
        EXPECT_EQ(back.GetCounterCount(), 1);
        EXPECT_EQ(back.GetData().Records().RecordCount(), 2);
        ASSERT_EQ(back.GetSymbolCount(), 1);
        EXPECT_EQ(back.GetSymbol(1)->GetName(), "Valve");
        EXPECT_EQ(back.GetBackSurf().GetBackColor(), 0xFFFFF0C0u);
        EXPECT_EQ(back.GetOptions(), 0x05);
        EXPECT_FLOAT_EQ(back.GetSettings().GetTermSize(), 4.5f);
        EXPECT_FALSE(back.GetReading());
    }
}

TEST_F(LabelFiles, BinarySaveLoadSaveIsByteIdentical)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    ASSERT_TRUE(doc.SaveToFile(Path("a.eti"), KVRExt::Binary));
    TVXLabelFMX back;
    ASSERT_TRUE(back.LoadFromFile(Path("a.eti")));
    ASSERT_TRUE(back.SaveToFile(Path("b.eti"), KVRExt::Binary));
    const QByteArray a = ReadAll(Path("a.eti"));
    EXPECT_GT(a.size(), 1000);
    EXPECT_EQ(a, ReadAll(Path("b.eti")));
}

TEST_F(LabelFiles, JsonFileIsIndentedUtf8ThatAnotherReaderReads)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    ASSERT_TRUE(doc.SaveToFile(Path("doc.json"), KVRExt::Json));
    const QByteArray bytes = ReadAll(Path("doc.json"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(bytes.at(0), '{');  // no byte-order mark
    EXPECT_TRUE(bytes.contains("\n  \"Items\""));
    const QString out = RunPython(
        "import json,sys\n"
        "raw=open(sys.argv[1],'rb').read()\n"
        "d=json.loads(raw.decode('utf-8'))\n"
        "print(','.join(str(e['Type']) for e in d['Items']))\n"
        "print([e for e in d['Items'] if e['Type']==10][0]['Text'])\n"
        "print(d['Measure']['Title'])\n",
        {Path("doc.json")});
    const QStringList lines = out.split('\n');
    ASSERT_GE(lines.size(), 3) << out.toStdString();
    QStringList kinds;
    for (int32_t k : EveryKind())
        kinds << QString::number(k);
    EXPECT_EQ(lines[0], kinds.join(','));
    EXPECT_EQ(lines[1], QString("Größe — 日本語 ✓"));
    EXPECT_EQ(lines[2], QString("Plan — ĉapelo"));
}

TEST_F(LabelFiles, JsonTypesUseTheLowByteAndSkipWhatIsNoElement)
{
    const QByteArray text = R"({"Version":3100,"Items":[
        {"Type":257,"Points":[[1000,2000]]},
        {"Type":0}, {"Type":30}, 7, "text", null, {"NoType":1}, {"Type":"2"},
        {"Type":2}]})";
    WriteAll(Path("t.json"), text);
    TVXLabelFMX doc;
    ASSERT_TRUE(doc.LoadFromFile(Path("t.json")));
    EXPECT_EQ(KindsOf(doc), (std::vector<int32_t>{1, 2}));

    WriteAll(Path("none.json"), R"({"Version":3100,"Units":2})");
    TVXLabelFMX bare;
    new TKVRPoint(&bare, false);
    ASSERT_TRUE(bare.LoadFromFile(Path("none.json")));
    EXPECT_EQ(bare.GetItemsCount(), 0);
    EXPECT_EQ(bare.GetUnits(), TKVRUnits::Centimetre);
}

TEST_F(LabelFiles, BinaryKindUsesTheLowByte)
{
    TVXLabelFMX doc;
    new TKVRPoint(&doc, false);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    doc.SaveToStream(buffer);
    QByteArray record;
    QBuffer rb(&record);
    rb.open(QIODevice::WriteOnly);
    TBinaryWriter w(&rb);
    doc.GetItem(1)->Write(w);
    const qsizetype at = bytes.indexOf(record);
    ASSERT_GT(at, 0);
    ASSERT_EQ(bytes.mid(at, 4), QByteArray("\x01\x00\x00\x00", 4));
    bytes[at + 1] = 0x01;  // 1 + 256 = 257
    WriteAll(Path("p.eti"), bytes);
    TVXLabelFMX back;
    ASSERT_TRUE(back.LoadFromFile(Path("p.eti")));
    EXPECT_EQ(KindsOf(back), std::vector<int32_t>{1});
}

TEST_F(LabelFiles, OnlyExactExtensionsAreRead)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    ASSERT_TRUE(doc.SaveToFile(Path("label.eti"), KVRExt::Binary));
    ASSERT_TRUE(doc.SaveToFile(Path("label.json"), KVRExt::Json));
    QFile::copy(Path("label.eti"), Path("label.ETI"));
    QFile::copy(Path("label.json"), Path("label.Json"));
    TVXLabelFMX other;
    new TKVRPoint(&other, false);
    const std::string before = Snapshot(other);
    EXPECT_FALSE(other.LoadFromFile(Path("label.ETI")));
    EXPECT_FALSE(other.LoadFromFile(Path("label.Json")));
    EXPECT_EQ(Snapshot(other), before);
    EXPECT_FALSE(other.SaveToFile(Path("label.x"), 2));
    EXPECT_FALSE(QFile::exists(Path("label.x")));
}

TEST_F(LabelFiles, ReadOnlyFileLoads)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    const QString name = Path("ro.eti");
    ASSERT_TRUE(doc.SaveToFile(name, KVRExt::Binary));
    QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    // Permissions do not stop the super-user; an immutable file does.
    const bool immutable = geteuid() == 0 && QProcess::execute("chattr", {"+i", name}) == 0;
    TVXLabelFMX back;
    EXPECT_NO_THROW(back.LoadFromFile(name));
    EXPECT_EQ(KindsOf(back), EveryKind());
    if (immutable)
        QProcess::execute("chattr", {"-i", name});
    if (geteuid() == 0) {
        EXPECT_TRUE(immutable) << "chattr is needed to test a file nobody may write";
    }
}

// ---------------------------------------------------------------- damaged files

TEST_F(LabelFiles, TruncatedBinaryRaisesAndLeavesTheDocumentAsItWas)
{
    TVXLabelFMX source;
    BuildEveryKind(source);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    source.SaveToStream(buffer);

    TVXLabelFMX doc;
    auto* kept = new TKVRText(&doc);
    kept->SetText("kept");
    doc.GetMeasure().SetRows(3);
    doc.SetModified(true);
    const std::string before = Snapshot(doc);
    // Every cut inside the stream, coarse steps plus the last bytes.
    std::vector<qsizetype> cuts;
    for (qsizetype n = 0; n < bytes.size(); n += 37)
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

TEST_F(LabelFiles, UnknownBinaryKindStopsWithAClearError)
{
    TVXLabelFMX source;
    new TKVRPoint(&source, false);
    new TKVRLine(&source, false);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    source.SaveToStream(buffer);
    // The line's record starts with its kind code 2 right after the point's record.
    QByteArray point;
    QBuffer pb(&point);
    pb.open(QIODevice::WriteOnly);
    TBinaryWriter w(&pb);
    source.GetItem(1)->Write(w);
    const qsizetype at = bytes.indexOf(point) + point.size();
    ASSERT_EQ(bytes.mid(at, 4), QByteArray("\x02\x00\x00\x00", 4));
    bytes[at] = 30;
    WriteAll(Path("k.eti"), bytes);
    TVXLabelFMX doc;
    try {
        doc.LoadFromFile(Path("k.eti"));
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("Unknown element kind 30"), std::string::npos) << e.what();
    }
    EXPECT_EQ(doc.GetItemsCount(), 0);
}

TEST_F(LabelFiles, HugeSheetsAreRefusedWithAClearError)
{
    TVXLabelFMX source;
    new TKVRPoint(&source, false);
    ASSERT_TRUE(source.SaveToFile(Path("s.json"), KVRExt::Json));
    QByteArray json = ReadAll(Path("s.json"));
    ASSERT_TRUE(json.contains("\"Rows\": 1,"));
    json.replace("\"Rows\": 1,", "\"Rows\": 100000,");
    WriteAll(Path("rows.json"), json);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    source.SaveToStream(buffer);
    // Version, mode, units, empty name, continuous flag and eight lengths come first.
    const qsizetype rowsAt = 4 + 1 + 1 + 1 + 1 + 8 * 8;
    ASSERT_EQ(bytes.mid(rowsAt, 8), QByteArray("\x01\x00\x00\x00\x01\x00\x00\x00", 8));
    bytes[rowsAt] = char(0xA0), bytes[rowsAt + 1] = char(0x86), bytes[rowsAt + 2] = 0x01;  // 100,000
    WriteAll(Path("rows.eti"), bytes);

    for (const char* name : {"rows.eti", "rows.json"}) {
        TVXLabelFMX doc;
        try {
            doc.LoadFromFile(Path(name));
            ADD_FAILURE() << name << ": no error";
        } catch (const std::exception& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find("Rows"), std::string::npos) << what;
            EXPECT_NE(what.find("100000"), std::string::npos) << what;
        }
        EXPECT_EQ(doc.GetMeasure().GetRows(), 1);
    }
}

TEST_F(LabelFiles, CountsBeyondTheFileAreRefusedAndNegativeCountsAreNone)
{
    TVXLabelFMX source;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    source.SaveToStream(buffer);
    // The file ends with the symbol count and the element count, both 0.
    ASSERT_EQ(bytes.right(8), QByteArray(8, '\0'));
    QByteArray huge = bytes;
    huge.replace(huge.size() - 4, 4, QByteArray("\xFF\xFF\xFF\x7F", 4));
    WriteAll(Path("huge.eti"), huge);
    TVXLabelFMX doc;
    EXPECT_THROW(doc.LoadFromFile(Path("huge.eti")), EKVRDataError);
    QByteArray negative = bytes;
    negative.replace(negative.size() - 8, 4, QByteArray("\xFF\xFF\xFF\xFF", 4));
    WriteAll(Path("neg.eti"), negative);
    EXPECT_TRUE(doc.LoadFromFile(Path("neg.eti")));
    EXPECT_EQ(doc.GetSymbolCount(), 0);
}

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
    // The system refuses to grow any file past a few bytes more than the old one.
    auto* old = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = rlim_t(good.size() + 16);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    bool raised = false;
    try {
        big.SaveToFile(name, KVRExt::Binary);
    } catch (const EKVRDataError&) {
        raised = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old);
    EXPECT_TRUE(raised) << good.size() << " " << ReadAll(name).size();
    EXPECT_TRUE(big.GetModified());
    EXPECT_EQ(ReadAll(name), good);
}

TEST_F(LabelFiles, DamagedJsonRaisesAndLeavesTheDocumentAsItWas)
{
    TVXLabelFMX doc;
    BuildEveryKind(doc);
    const std::string before = Snapshot(doc);
    for (const QByteArray& text : {QByteArray("{\"Items\":[{\"Type\":1,"), QByteArray("[1,2]"),
                                   QByteArray(R"({"Items":[{"Type":2,"Points":"no"}]})"),
                                   QByteArray(R"({"Measure":{"Columns":5000}})")}) {
        WriteAll(Path("bad.json"), text);
        EXPECT_ANY_THROW(doc.LoadFromFile(Path("bad.json"))) << text.toStdString();
        EXPECT_EQ(Snapshot(doc), before) << text.toStdString();
        EXPECT_FALSE(doc.GetReading());
    }
}
