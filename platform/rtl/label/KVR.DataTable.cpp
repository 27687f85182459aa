#include "platform/rtl/label/KVR.DataTable.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

int32_t TKVRDataTable::FieldIndex(const QString& aName) const
{
    return int32_t(Fields.indexOf(aName));
}

QString TKVRDataTable::Value(int32_t aRow, const QString& aName) const
{
    const int32_t column = FieldIndex(aName);
    if (column < 0 || aRow < 0 || aRow >= RecordCount())
        return QString();
    return Rows.Field(size_t(aRow), column);
}

namespace {

// A character a blank line may hold: such a line is no record, and the
// header is the first line that is not blank.
bool IsBlank(QChar c)
{
    return c.isSpace();
}

// Splits CSV text into records of fields, honouring quotes, as the text
// arrives piece by piece; each record goes to the callback as it ends, so
// neither the whole text nor all records are held here. The first record is
// the header, and the first of ';', ',' or a tab outside quotes on its line
// separates the fields of every line (',' when it has none): the separator
// is found on the very line that is split as the header.
class TCsvSplitter
{
public:
    explicit TCsvSplitter(std::function<void(const QStringList&)> aOnRecord) : fOnRecord(std::move(aOnRecord)) {}

    void Feed(QString aPiece) { Split(std::move(aPiece), false); }
    // The end of the text; raises when a quoted field is left open.
    void Finish()
    {
        Split(QString(), true);
        if (fQuoted)
            throw EKVRDataSourceError("CSV: the quoted field opened on line " + std::to_string(fQuoteLine) +
                                      " is never closed");
        if (fLineHasData || !fField.isEmpty() || !fRecord.isEmpty())
            EndRecord();
    }

private:
    // Before the header the first candidate on a line separates it; a blank
    // line forgets it again.
    bool IsSeparator(QChar c)
    {
        if (!fHeaderRead && fSeparator.isNull() && (c == u';' || c == u',' || c == u'\t'))
            fSeparator = c;
        return !fSeparator.isNull() && c == fSeparator;
    }
    void EndField()
    {
        fRecord << fField;
        fField.clear();
        fWasQuoted = false;
    }
    void EndRecord()
    {
        EndField();
        // A blank line is no record.
        if (fLineHasData) {
            if (!fHeaderRead && fSeparator.isNull())
                fSeparator = u',';
            fHeaderRead = true;
            fOnRecord(fRecord);
        } else if (!fHeaderRead) {
            fSeparator = QChar();
        }
        fRecord.clear();
        fLineHasData = false;
    }
    void Split(QString aPiece, bool aLast)
    {
        // A quote or CR that ends a piece is read with the character after it.
        const QString text = aPiece.prepend(fHeld);
        const qsizetype n = text.size();
        qsizetype i = 0;
        for (; i < n; ++i) {
            const QChar c = text[i];
            if (!aLast && i + 1 == n && (c == u'"' || c == u'\r'))
                break;
            if (fQuoted) {
                if (c == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        fField += u'"';
                        ++i;
                    } else
                        fQuoted = false;
                } else {
                    if (c == u'\n' || (c == u'\r' && !(i + 1 < n && text[i + 1] == u'\n')))
                        ++fLine;
                    fField += c;
                }
                continue;
            }
            if (c == u'"' && fField.isEmpty() && !fWasQuoted) {
                fQuoted = fWasQuoted = fLineHasData = true;
                fQuoteLine = fLine;
            } else if (IsSeparator(c)) {
                // Before the header a line of blanks and tabs is blank, even
                // when tabs are to separate the fields.
                if (fHeaderRead || c != u'\t')
                    fLineHasData = true;
                EndField();
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                    ++i;
                ++fLine;
                EndRecord();
            } else {
                if (!IsBlank(c))
                    fLineHasData = true;
                fField += c;
            }
        }
        fHeld = text.sliced(i);
    }

    const std::function<void(const QStringList&)> fOnRecord;
    QChar fSeparator;          // none until the header's line shows one
    bool fHeaderRead = false;
    QString fHeld;  // the last character of a piece, kept for the next
    QStringList fRecord;
    QString fField;
    bool fQuoted = false;     // inside a quoted field
    bool fWasQuoted = false;  // the field began with a quote
    bool fLineHasData = false;
    int64_t fLine = 1, fQuoteLine = 0;
};

QString JsonText(const TJsonObject& aValue)
{
    if (aValue.is_string())
        return QString::fromStdString(aValue.get<std::string>());
    if (aValue.is_null())
        return QString();
    if (aValue.is_boolean())
        return aValue.get<bool>() ? QStringLiteral("true") : QStringLiteral("false");
    return QString::fromStdString(aValue.dump());
}

// Arrays and objects nested deeper than this are refused: writing a value
// back as text goes down one level at a time.
constexpr size_t KVRMaxJsonDataDepth = 512;

// Builds the document as the library's own parser does (a repeated key keeps
// its first place and takes the last value) but finds keys through a hash per
// open object: the ordered object compares a new key with every key before
// it, which grows with the square of a wide record.
class TJsonDataBuilder
{
public:
    explicit TJsonDataBuilder(TJsonObject& aRoot) : fRoot(aRoot) {}
    bool TooDeep() const { return fTooDeep; }

    bool null() { return Put(nullptr); }
    bool boolean(bool aValue) { return Put(aValue); }
    bool number_integer(TJsonObject::number_integer_t aValue) { return Put(aValue); }
    bool number_unsigned(TJsonObject::number_unsigned_t aValue) { return Put(aValue); }
    bool number_float(TJsonObject::number_float_t aValue, const TJsonObject::string_t&) { return Put(aValue); }
    bool string(TJsonObject::string_t& aValue) { return Put(std::move(aValue)); }
    bool binary(TJsonObject::binary_t& aValue) { return Put(TJsonObject::binary(std::move(aValue))); }
    bool start_object(std::size_t) { return Open(TJsonObject::object()); }
    bool start_array(std::size_t) { return Open(TJsonObject::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(TJsonObject::string_t& aKey)
    {
        TLevel& level = fOpen.back();
        auto& members = level.Value->get_ref<TJsonObject::object_t&>();
        const auto [at, added] = level.Keys.try_emplace(aKey, members.size());
        if (added)
            members.emplace_back(aKey, nullptr);
        level.Next = &(members.begin() + std::ptrdiff_t(at->second))->second;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

private:
    struct TLevel
    {
        TJsonObject* Value;
        std::unordered_map<std::string, size_t> Keys;  // member index of each key, objects only
        TJsonObject* Next = nullptr;                    // the member the next value goes to
    };

    // Where the next value goes: the root, the end of the open array or the
    // member of the last key. Only open containers are held, and each is the
    // last value put into its parent, so growing a parent never moves them.
    TJsonObject* Slot()
    {
        if (fOpen.empty())
            return &fRoot;
        TLevel& level = fOpen.back();
        if (level.Value->is_array()) {
            level.Value->push_back(nullptr);
            return &level.Value->back();
        }
        return level.Next;
    }
    bool Put(TJsonObject aValue)
    {
        *Slot() = std::move(aValue);
        return true;
    }
    bool Open(TJsonObject aValue)
    {
        if (fOpen.size() >= KVRMaxJsonDataDepth) {
            fTooDeep = true;
            return false;
        }
        TJsonObject* slot = Slot();
        *slot = std::move(aValue);
        fOpen.push_back({slot, {}, nullptr});
        return true;
    }
    bool Close()
    {
        fOpen.pop_back();
        return true;
    }

    TJsonObject& fRoot;
    std::vector<TLevel> fOpen;
    bool fTooDeep = false;
};
}  // namespace

namespace {
// Text never holds NUL: this is a program, a picture or UTF-16, which would
// read as one garbage record over good data.
void RefuseNonText(const QByteArray& aBytes)
{
    if (aBytes.contains('\0'))
        throw EKVRDataSourceError("CSV: the data holds NUL bytes; it is not a text file");
}

// A decoder for the text's start or for a piece after it: only the start
// may drop a byte-order mark.
QStringDecoder DecoderOf(bool aUtf8, bool aStart)
{
    if (aUtf8)
        return QStringDecoder(QStringDecoder::Utf8, aStart ? QStringDecoder::Flag::Stateless
                                                           : QStringDecoder::Flag::Stateless |
                                                                 QStringDecoder::Flag::ConvertInitialBom);
    // Spreadsheets on the other platform save in its 8-bit code page.
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? std::move(ansi) : QStringDecoder(QStringDecoder::Latin1);
}

// The table of the bytes read as UTF-8 or Windows-1252; false when they are
// not UTF-8. Decoded a piece at a time as they are split: the whole text in
// UTF-16 would be twice the file again while the records are built.
bool ReadTable(QByteArrayView aBytes, bool aUtf8, TKVRDataTable& oTable)
{
    TKVRDataTable table;
    bool header = true;
    TCsvSplitter splitter([&](const QStringList& aRecord) {
        if (!header) {
            table.Rows.Append(aRecord);
            return;
        }
        header = false;
        table.Fields = aRecord;
        for (QString& name : table.Fields)
            name = name.trimmed();
        for (qsizetype i = 0; i < table.Fields.size(); ++i)
            if (table.Fields[i].isEmpty())
                table.Fields[i] = QStringLiteral("Field%1").arg(i + 1);
    });
    QStringDecoder first = DecoderOf(aUtf8, true), rest = DecoderOf(aUtf8, false);
    constexpr qsizetype kPiece = 64 * 1024;
    for (qsizetype at = 0; at < aBytes.size();) {
        qsizetype end = std::min(at + kPiece, aBytes.size());
        // A piece ends before a character's first byte, never inside it.
        for (int k = 0; aUtf8 && k < 3 && end < aBytes.size() && (uchar(aBytes[end]) & 0xC0) == 0x80; ++k)
            --end;
        QStringDecoder& decoder = at == 0 ? first : rest;
        splitter.Feed(decoder.decode(aBytes.sliced(at, end - at)));
        if (aUtf8 && decoder.hasError())
            return false;
        at = end;
    }
    splitter.Finish();
    if (header)
        throw EKVRDataSourceError("CSV: there is no header line naming the fields");
    table.Rows.Squeeze();
    oTable = std::move(table);
    return true;
}

TKVRDataTable TableOfCsv(QByteArrayView aBytes)
{
    if (aBytes.startsWith("\xEF\xBB\xBF"))
        aBytes = aBytes.sliced(3);
    TKVRDataTable table;
    if (!ReadTable(aBytes, true, table))
        ReadTable(aBytes, false, table);
    return table;
}
}  // namespace

TKVRDataTable ReadCsv(const QByteArray& aBytes)
{
    if (aBytes.size() > KVRMaxDataBytes)
        throw EKVRDataSourceError("CSV: the data is larger than 256 MB");
    RefuseNonText(aBytes);
    return TableOfCsv(aBytes);
}

TKVRDataTable ReadCsvFile(const QString& aFileName)
{
    QFile file(aFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EKVRDataSourceError("CSV: cannot open \"" + aFileName.toStdString() + "\": " +
                                  file.errorString().toStdString());
    if (file.size() > KVRMaxDataBytes)
        throw EKVRDataSourceError("CSV: \"" + aFileName.toStdString() + "\" is larger than 256 MB");
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EKVRDataSourceError("CSV: cannot read \"" + aFileName.toStdString() + "\": " +
                                  file.errorString().toStdString());
    RefuseNonText(bytes);
    return TableOfCsv(bytes);
}

TKVRDataTable ReadJsonData(const QString& aText)
{
    TKVRDataTable table;
    if (aText.trimmed().isEmpty())
        return table;
    const QByteArray utf8 = aText.toUtf8();
    if (utf8.size() > KVRMaxDataBytes)
        throw EKVRDataSourceError("JSON data: the text is larger than 256 MB");
    TJsonObject root;
    TJsonDataBuilder builder(root);
    if (!TJsonObject::sax_parse(utf8.constData(), utf8.constData() + utf8.size(), &builder)) {
        if (builder.TooDeep())
            throw EKVRDataSourceError("JSON data: values are nested deeper than " +
                                      std::to_string(KVRMaxJsonDataDepth) + " levels");
        throw EKVRDataSourceError("JSON data: the text is not valid JSON");
    }
    const TJsonObject* records = nullptr;
    TJsonObject single = TJsonObject::array();
    if (root.is_array())
        records = &root;
    else if (root.is_object()) {
        for (const auto& item : root.items())
            if (item.value().is_array()) {
                records = &item.value();
                break;
            }
        if (!records) {
            single.push_back(root);
            records = &single;
        }
    } else
        throw EKVRDataSourceError("JSON data: expected an array of records or an object");
    // Each key is looked up once in a hash: searching the field list or the
    // record's own keys per field grows with the square of a wide record.
    QHash<QString, qsizetype> columns;
    for (const TJsonObject& record : *records) {
        if (!record.is_object())
            throw EKVRDataSourceError("JSON data: every record must be an object");
        for (const auto& item : record.items()) {
            const QString key = QString::fromStdString(item.key());
            if (!columns.contains(key)) {
                columns.insert(key, table.Fields.size());
                table.Fields << key;
            }
        }
    }
    for (const TJsonObject& record : *records) {
        QStringList row(table.Fields.size());
        for (const auto& item : record.items())
            row[columns.value(QString::fromStdString(item.key()))] = JsonText(item.value());
        table.Rows.Append(row);
    }
    table.Rows.Squeeze();
    return table;
}
