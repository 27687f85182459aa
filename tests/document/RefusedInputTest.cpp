// Input the readers refuse, and what a refusal leaves behind: the data, the
// document and its numeric ids as they were; a save that cannot finish says why.
#include "document/KVR.FMX.Kinds.h"
#include "document/KVR.FMX.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPoint.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "tests/support/FileSizeLimit.h"
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString Write(const QTemporaryDir& aDir, const QString& aName, const QByteArray& aBytes)
{
    const QString name = aDir.filePath(aName);
    QFile f(name);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(aBytes);
    return name;
}

// An element stream: the version, then the one record, less aCut bytes at its end.
QByteArray ElementStream(const TKVRBaseItem& aItem, int aCut = 0)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    writer.WriteInt32(TVXLabelFMX::KVRStreamVersion);
    aItem.Write(writer);
    bytes.chop(aCut);
    return bytes;
}

template <class E>
std::string RaisedBy(const std::function<void()>& aRead)
{
    try {
        aRead();
    } catch (const E& e) {
        return e.what();
    }
    return "(nothing raised)";
}

}  // namespace

// A program, a picture, UTF-16 or an empty file is no CSV: the records read before stay.
TEST(RefusedInput, CsvThatIsNoTextOrHasNoHeaderLeavesTheRecords)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    const QString good = Write(dir, "good.csv", "Name\nA\nB\n");
    doc.GetData().LoadCsv(good);
    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"program", QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0", 20), "CSV: the data holds NUL bytes"},
        {"UTF-16", QByteArray("\xFF\xFEN\0a\0m\0e\0\n\0", 12), "CSV: the data holds NUL bytes"},
        {"empty", "", "CSV: there is no header line"},
        {"blank lines", "\r\n  \n\t\n", "CSV: there is no header line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = Write(dir, "bad.csv", c.bytes);
        EXPECT_NE(RaisedBy<EKVRDataSourceError>([&] { doc.GetData().LoadCsv(file); }).find(c.message),
                  std::string::npos);
        EXPECT_EQ(doc.GetData().Records().RecordCount(), 2);
        EXPECT_EQ(doc.GetData().GetCsvFileName(), good);
    }
}

// Another program's JSON is no label: loading it leaves the document whole.
TEST(RefusedInput, JsonOfAnotherProgramIsNoLabelFile)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    new TKVRPoint(&doc, false);
    for (const char* text : {"{}", R"({"name":"settings","version":2,"items":[1,2]})"}) {
        SCOPED_TRACE(text);
        const QString file = Write(dir, "other.json", text);
        EXPECT_NE(RaisedBy<EKVRJsonError>([&] { doc.LoadFromFile(file); }).find("Not a label file"),
                  std::string::npos);
        EXPECT_EQ(doc.GetItemsCount(), 1);
    }
}

// A refused element record, binary or JSON, on its own or through the element
// stream, leaves the numeric-id counter where it was: the next element still
// gets the next id, even after a record that names the last one there is.
TEST(RefusedInput, ARefusedElementRecordLeavesTheIdCounter)
{
    TVXLabelFMX source;
    auto* letter = new TKVRNutriScore(&source, false);
    letter->SetValue(QChar(0xD800));  // half a surrogate pair, no letter
    letter->SetNumID(INT32_MAX);
    auto* line = new TKVRLine(&source, false);
    line->SetNumID(INT32_MAX);
    const struct
    {
        const char* name;
        std::function<void(TVXLabelFMX&)> read;
        const char* message;
    } cases[] = {
        {"score with a lone surrogate letter, element stream",
         [&](TVXLabelFMX& d) {
             QByteArray bytes = ElementStream(*letter);
             QBuffer b(&bytes);
             b.open(QIODevice::ReadOnly);
             d.CreateElementFromStream(b);
         },
         "Invalid value for Value: 55296"},
        {"cut line record, element stream",
         [&](TVXLabelFMX& d) {
             QByteArray bytes = ElementStream(*line, 3);
             QBuffer b(&bytes);
             b.open(QIODevice::ReadOnly);
             d.CreateElementFromStream(b);
         },
         ""},
        {"score with two letters, JSON",
         [](TVXLabelFMX& d) {
             KVRKindReaders(22)->ReadFromJson(&d, KVRFileVersion,
                                              TJsonObject::parse(R"({"Type":22,"NumID":2147483647,"Value":"AB"})"));
         },
         "one letter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TVXLabelFMX doc;
        new TKVRPoint(&doc, false);
        new TKVRPoint(&doc, false);
        std::string message = "(nothing raised)";
        try {
            c.read(doc);
        } catch (const std::exception& e) {
            message = e.what();
        }
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_NE(message, "(nothing raised)");
        EXPECT_EQ(doc.GetItemsCount(), 2);
        EXPECT_EQ((new TKVRPoint(&doc, false))->GetNumID(), 3);
    }
}

// A disk that fills while a label is saved: the message says how far the
// write came, and the previous file stays.
TEST(RefusedInput, ASaveOnAFullDiskSaysHowManyBytesCouldBeWritten)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("label.eti");
    TVXLabelFMX doc;
    for (int i = 0; i < 200; ++i)
        new TKVRPoint(&doc, false);
    std::string message;
    {
        TFileSizeLimit limit(1024);
        message = RaisedBy<EKVRDataError>([&] { doc.SaveToFile(name, KVRExt::Binary); });
    }
    EXPECT_NE(message.find(name.toStdString()), std::string::npos) << message;
    EXPECT_NE(message.find("only 1024 of "), std::string::npos) << message;
    EXPECT_NE(message.find(" bytes could be written"), std::string::npos) << message;
    EXPECT_FALSE(QFile::exists(name));
}
