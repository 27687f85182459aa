#include "document/KVR.FMX.h"
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.Kinds.h"
#include "document/KVR.FMX.Openers.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLink.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.SaveFile.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QUuid>
#include <string>

namespace {

// Largest ".json" label file read: far beyond any label, short of exhausting memory.
constexpr qint64 kMaxJsonFile = qint64(256) << 20;
// Smallest element record: kind code and the common header (layer, state,
// options, colour, pen width, line type, numeric id, empty string id).
constexpr int64_t kMinItemRecord = 4 + 4 + 2 + 4 + 4 + 4 + 1 + 4 + 1;

// A count read from a file: a negative one is 0; one that cannot fit in what
// is left of the stream is refused before anything is allocated.
int32_t FileCount(TBinaryReader& aReader, int64_t aMinItemSize, const char* aWhat)
{
    const int32_t count = aReader.ReadInt32();
    if (count <= 0)
        return 0;
    if (int64_t(count) * aMinItemSize > aReader.Remaining())
        throw EKVRDataError(std::string("Damaged label file: ") + std::to_string(count) + " " + aWhat +
                            " do not fit in the file");
    return count;
}

std::string FileError(const QString& aFileName, const QString& aText)
{
    return QStringLiteral("%1: %2").arg(aFileName, aText).toStdString();
}

// What the label's file stores beside its elements: sheet, print, data,
// counters, layers and dimension styles. A dialog that changed any of it has
// changed the label, as an edited element does.
QByteArray LabelSettings(const TKVRBaseLabel& aLabel)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    aLabel.WriteBaseData(writer);
    aLabel.WriteData(writer);
    return bytes;
}

// Runs a settings dialog; the label is modified when its settings changed.
template <class F>
void EditSettings(TVXLabelFMX& aLabel, F&& aEdit)
{
    const QByteArray before = LabelSettings(aLabel);
    aEdit();
    if (LabelSettings(aLabel) != before)
        aLabel.SetModified(true);
}

}  // namespace

TVXLabelFMX::TVXLabelFMX(QObject* aOwner) : TKVRSharedFMX(aOwner) {}

TVXLabelFMX::~TVXLabelFMX() = default;

// ---------------------------------------------------------------- elements

TKVRBaseItem* TVXLabelFMX::CreateFromStream(TBinaryReader& aReader, int32_t aVersion, TKVRReadType aReadType)
{
    const int64_t pos = aReader.BaseStream()->pos();
    const int32_t code = aReader.ReadInt32();
    const TKVRKindReaders* kind = KVRKindReaders(KVRItemKind::FromCode(code));
    if (!kind)
        throw EKVRDataError("Unknown element kind " + std::to_string(code) + " at position " + std::to_string(pos) +
                            ": the rest of the stream cannot be read");
    return kind->Read(this, aVersion, aReader, aReadType);
}

TKVRBaseItem* TVXLabelFMX::CreateElementFromStream(QIODevice& aStream)
{
    if (!aStream.seek(0))
        throw EKVRStreamError("Stream read error: cannot go to the start of the element stream");
    TBinaryReader reader(&aStream);
    const int32_t version = reader.ReadInt32();
    if (version < 1 || version > KVRFileVersion)
        throw EKVRDataError("Element stream of an unknown version: " + std::to_string(version));
    TEditBracket edit(*this);
    // A record that fails is freed by its reader: the document keeps no half element.
    TKVRBaseItem* item = CreateFromStream(reader, version, KVRReadType::File);
    edit.Added(item);
    // Links must never find two elements by one id.
    KeepNumIDUnique(item);
    Notify(KVRChange::List);
    return item;
}

void TVXLabelFMX::PasteSelection()
{
    QBuffer& clip = GetClipboard();
    if (!GetEditable() || clip.size() <= 0)
        return;
    if (!clip.isOpen() && !clip.open(QIODevice::ReadOnly))
        return;
    clip.seek(0);
    TVXLabelFMX scratch;
    scratch.CopyFolders(*this);
    scratch.SetUnits(GetUnits());
    scratch.SetMeasure(GetMeasure());
    TBinaryReader reader(&clip);
    // Read whole before anything changes here: a damaged stream leaves the document as it was.
    const int32_t count = FileCount(reader, kMinItemRecord, "elements");
    for (int32_t i = 0; i < count; ++i)
        scratch.CreateFromStream(reader, KVRStreamVersion, KVRReadType::Paste);
    TEditBracket edit(*this);
    BeginRead(true);
    std::vector<TKVRBaseItem*> pasted = TakeItems(scratch);
    EndRead(false);
    ClearSelection();
    for (TKVRBaseItem* item : pasted)
        SelectItem(item, true);
    SetModified(true);
    Notify(KVRChange::List);
}

// ---------------------------------------------------------------- label files

void TVXLabelFMX::ReadStream(TVXLabelFMX& aInto, QIODevice& aStream)
{
    TBinaryReader reader(&aStream);
    aInto.BeginRead(false);
    aInto.ReadBaseData(reader);
    aInto.ReadData(reader);
    const int32_t symbols = FileCount(reader, 1, "symbols");
    for (int32_t i = 0; i < symbols; ++i)
        aInto.AddSymbol(TKVRBaseLibSymbol::Read(reader), false);
    const int32_t items = FileCount(reader, kMinItemRecord, "elements");
    for (int32_t i = 0; i < items; ++i)
        aInto.CreateFromStream(reader, aInto.GetFileVersion(), KVRReadType::File);
    aInto.EndRead(true);
}

void TVXLabelFMX::ReadJsonText(TVXLabelFMX& aInto, const QByteArray& aText)
{
    TJsonObject json;
    try {
        json = TJsonObject::parse(aText.constBegin(), aText.constEnd());
    } catch (const nlohmann::json::exception& e) {
        throw EKVRJsonError(std::string("Invalid JSON label file: ") + e.what());
    }
    aInto.BeginRead(false);
    aInto.ReadJson(json);
    // Entries that are no object and unknown kinds are skipped whole.
    if (const TJsonObject* items = KVRJson::GetArray(json, "Items")) {
        for (const TJsonObject& entry : *items) {
            if (!entry.is_object())
                continue;
            const auto type = entry.find("Type");
            if (type == entry.end() || !type->is_number_integer())
                continue;
            if (const TKVRKindReaders* kind = KVRKindReaders(KVRItemKind::FromCode(type->get<int64_t>())))
                kind->ReadFromJson(&aInto, aInto.GetFileVersion(), entry);
        }
    }
    aInto.EndRead(true);
}

void TVXLabelFMX::LoadFromStream(QIODevice& aStream)
{
    TVXLabelFMX scratch;
    scratch.CopyFolders(*this);
    ReadStream(scratch, aStream);
    BeginRead(false);
    TakeContents(scratch);
    EndRead(true);
    ReportDataProblem();
}

void TVXLabelFMX::ReportDataProblem()
{
    const QString problem = GetData().GetCsvProblem();
    if (!problem.isEmpty() && OnInfoMsg)
        OnInfoMsg(this, problem);
}

bool TVXLabelFMX::LoadFromFile(const QString& aFileName)
{
    const std::optional<TKVRExt> format = KVRExt::OfFileName(aFileName);
    if (!format)
        return false;
    QFile file(aFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EKVRDataError(FileError(aFileName, file.errorString()));
    TVXLabelFMX scratch;
    scratch.CopyFolders(*this);
    // A relative data file name is the label file's neighbour.
    scratch.GetData().SetFolder(QFileInfo(aFileName).absolutePath());
    if (*format == KVRExt::Binary) {
        // Read from memory: every value read from a file would ask the file
        // system for the file's size. A file too big to hold is streamed.
        if (file.size() > kMaxJsonFile) {
            ReadStream(scratch, file);
        } else {
            QByteArray bytes = file.readAll();
            if (file.error() != QFileDevice::NoError)
                throw EKVRDataError(FileError(aFileName, file.errorString()));
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            ReadStream(scratch, buffer);
        }
    } else {
        if (file.size() > kMaxJsonFile)
            throw EKVRDataError(FileError(aFileName, QStringLiteral("the file is too large for a label")));
        const QByteArray text = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw EKVRDataError(FileError(aFileName, file.errorString()));
        ReadJsonText(scratch, text);
    }
    BeginRead(false);
    TakeContents(scratch);
    EndRead(true);
    ReportDataProblem();
    return true;
}

void TVXLabelFMX::SaveToStream(QIODevice& aStream) const
{
    TBinaryWriter writer(&aStream);
    WriteBaseData(writer);
    WriteData(writer);
    writer.WriteInt32(GetSymbolCount());
    for (int32_t i = 1; i <= GetSymbolCount(); ++i)
        GetSymbol(i)->Write(writer);
    // Cell copies belong to a run, never to the file.
    int32_t count = 0;
    for (int32_t i = 1; i <= GetItemsCount(); ++i)
        count += GetItem(i)->GetPreview() ? 0 : 1;
    writer.WriteInt32(count);
    for (int32_t i = 1; i <= GetItemsCount(); ++i)
        if (!GetItem(i)->GetPreview())
            GetItem(i)->Write(writer);
}

bool TVXLabelFMX::SaveToFile(const QString& aFileName, TKVRExt aFormat)
{
    if (aFormat != KVRExt::Binary && aFormat != KVRExt::Json)
        return false;
    // The data file is named from the label's new place, so the label finds
    // it again from any working folder; a failed save keeps the old place.
    const QString folder = GetData().GetFolder();
    GetData().SetFolder(QFileInfo(aFileName).absolutePath());
    try {
        WriteLabelFile(aFileName, aFormat);
    } catch (...) {
        GetData().SetFolder(folder);
        throw;
    }
    SetModified(false);
    return true;
}

void TVXLabelFMX::WriteLabelFile(const QString& aFileName, TKVRExt aFormat)
{
    QByteArray bytes;
    if (aFormat == KVRExt::Binary) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        SaveToStream(buffer);
    } else {
        bytes = QByteArray::fromStdString(GetJson().dump(2));
    }
    QSaveFile file(aFileName);
    // Unbuffered, so a short write is seen here rather than lost in a buffer.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EKVRDataError(FileError(aFileName, file.errorString()));
    const QString failure = KVRCommitWhole(file, bytes);
    if (!failure.isEmpty())
        throw EKVRDataError(FileError(aFileName, failure));
}

// ---------------------------------------------------------------- per-cell copies

void TVXLabelFMX::CheckPrintData()
{
    TKVRSharedFMX::CheckPrintData();
    if (GetData().ListValues)
        GetListValues();
    if (GetData().AskValues)
        GetAskValues();
    Clear(KVRClear::Copies, true);
    if (!GetPrintInfo().GetWithData() && !GetData().ListValues && !GetData().AskValues)
        return;
    const int32_t rows = GetMeasure().GetRows(), columns = GetMeasure().GetColumns();
    if (rows <= 0 || columns <= 0)
        return;
    // Counted once: the copies added below are never copied again.
    const int32_t count = GetItemsCount();
    try {
        for (int32_t i = 1; i <= count; ++i) {
            TKVRBaseItem* item = GetItem(i);
            const uint16_t shown = TKVRBaseItem::StateVisible | TKVRBaseItem::StatePrintable;
            if ((item->GetState() & shown) != shown || item->GetPreview() || !item->GetIsData())
                continue;
            QByteArray record;
            QBuffer stream(&record);
            stream.open(QIODevice::WriteOnly);
            TBinaryWriter writer(&stream);
            item->Write(writer);
            stream.close();
            stream.open(QIODevice::ReadOnly);
            TBinaryReader reader(&stream);
            for (int32_t r = 1; r <= rows; ++r)
                for (int32_t c = 1; c <= columns; ++c) {
                    stream.seek(0);
                    CreateFromStream(reader, KVRStreamVersion, KVRReadType::CellCopy)->PreviewPos(int16_t(c), int16_t(r));
                }
        }
    } catch (...) {
        // A run is all or nothing: no partial set of copies stays behind.
        Clear(KVRClear::Copies, true);
        throw;
    }
}

// ---------------------------------------------------------------- export

bool TVXLabelFMX::ExportDoc(TKVRExport aType, const QString& aFilename, int32_t aPage, float aScale,
                            int16_t aQuality, bool aCheckData, bool aTransparent, bool aFit)
{
    // The job deletes itself once its end is reported; the document may be gone by then.
    QPointer<TVXLabelFMX> self(this);
    return ExportDoc(aType, aFilename, aPage, aScale, aQuality, aCheckData, aTransparent, aFit,
                     [self](const TKVRExportResult& aResult) {
                         if (self && self->OnExportDone)
                             self->OnExportDone(self, aResult);
                     });
}

bool TVXLabelFMX::ExportDoc(TKVRExport aType, const QString& aFilename, int32_t aPage, float aScale,
                            int16_t aQuality, bool aCheckData, bool aTransparent, bool aFit, TKVRExportDone aDone)
{
    new TExportThread(*this, aType, aFilename, aScale, aFit, aCheckData, aTransparent, aQuality, aPage,
                      std::move(aDone));
    return true;
}

// ---------------------------------------------------------------- services

TKVRLabelOpeners& KVRLabelOpeners()
{
    static TKVRLabelOpeners openers;
    return openers;
}

TKVRBaseImage* TVXLabelFMX::AddBaseImage(int64_t x1, int64_t y1, int64_t Width, int64_t Height, bool aMap,
                                         const QString&)
{
    const TKVRLabelOpeners& openers = KVRLabelOpeners();
    QString file;
    if (aMap) {
        const int32_t w = RoundHalfEven32(double(Width) * 96 / 25400);
        const int32_t h = RoundHalfEven32(double(Height) * 96 / 25400);
        // The map dialog reads a side of 0 as "the selected element's".
        if (w < 1 || h < 1) {
            if (openers.ShowMessage)
                openers.ShowMessage(TKVRMsg::GetErrorValue(QStringLiteral("MapTooSmall")));
            return nullptr;
        }
        if (!openers.SelectMap || !openers.SelectMap(*this, w, h))
            return nullptr;
        file = GetMapping().GetImageFile();
    } else {
        if (!openers.OpenPicture)
            return nullptr;
        file = openers.OpenPicture(GetOpenImgFolder(), KVRPictureFilter());
    }
    if (file.isEmpty())
        return nullptr;
    TKVRBaseImage* image = TKVRFactory::AddBaseImage(this, x1, y1, Width, Height, file);
    // The user added it: every view of the document shows it.
    SetModified(true);
    Notify(KVRChange::List);
    return image;
}

TKVRLink* TVXLabelFMX::AddLink(const QString& Id1, const QString& Id2, int16_t Idx1, int16_t Idx2,
                               TVXLinkType aType)
{
    return TKVRFactory::AddLink(this, Id1, Id2, Idx1, Idx2, aType);
}

void TVXLabelFMX::EditProperties()
{
    EditSettings(*this, [this] {
        const bool linked = GetData().LinkData;
        if (const auto& open = KVRLabelOpeners().EditProperties)
            open(*this);
        // Only a tick the user changed: an untouched OK leaves the print as it was.
        if (GetData().LinkData != linked)
            SetLinkData(GetData().LinkData);
    });
}

void TVXLabelFMX::SetLinkData(bool aValue)
{
    GetData().LinkData = aValue;
    GetPrintInfo().SetWithData(aValue);
}

void TVXLabelFMX::EditLayers()
{
    EditSettings(*this, [this] {
        if (const auto& open = KVRLabelOpeners().EditLayers)
            open(*this);
    });
    Refresh();
}

void TVXLabelFMX::EditDimStyles()
{
    if (GetEditorMode() != 2)
        return;
    EditSettings(*this, [this] {
        if (const auto& open = KVRLabelOpeners().EditDimStyles)
            open(*this);
    });
    CalcDimValues();
    Refresh();
}

void TVXLabelFMX::Refresh()
{
    BeginUpdate(true);
    Notify(KVRChange::Items);
    EndUpdate();
}

TKVRBaseLibSymbol* TVXLabelFMX::AddSymbolDef()
{
    const TKVRLabelOpeners& openers = KVRLabelOpeners();
    if (!openers.EditJson)
        return nullptr;
    QString text = QStringLiteral(R"({"Version":#ver,"Name":"","Category":"","ID":"#guid","Units":"mm",)"
                                  R"("InsertX":0,"InsertY":0,"Def":[]})");
    text.replace(QLatin1String("#ver"), QString::number(TKVRBaseLibSymbol::CurrentVersion));
    text.replace(QLatin1String("#guid"), QUuid::createUuid().toString(QUuid::WithBraces).toUpper());
    if (!openers.EditJson(text))
        return nullptr;
    const auto refuse = [&openers](const QString& aWhy) {
        if (openers.ShowMessage)
            openers.ShowMessage(aWhy);
        return nullptr;
    };
    TJsonObject json;
    try {
        json = TJsonObject::parse(text.toStdString());
    } catch (const nlohmann::json::exception& e) {
        return refuse(QString::fromUtf8(e.what()));
    }
    if (!json.is_object())
        return refuse(QStringLiteral("A symbol definition must be a JSON object"));
    auto symbol = std::make_unique<TKVRLibSymbol>();
    QString error;
    if (!symbol->ReadJson(json, error))
        return refuse(error);
    return AddSymbol(std::move(symbol), true);
}

void TVXLabelFMX::EditItemDialog(TKVRBaseItem* aItem)
{
    const TKVRLabelOpeners& openers = KVRLabelOpeners();
    if (openers.EditItem && openers.EditItem(*this, aItem))
        return;
    if (OnEditItemDialog)
        OnEditItemDialog(this, aItem);
}
