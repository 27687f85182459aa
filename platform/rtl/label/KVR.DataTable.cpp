#include "platform/rtl/label/KVR.DataTable.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QFile>
#include <QHash>
#include <QStringDecoder>
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
    const QStringList& row = Rows[size_t(aRow)];
    return column < row.size() ? row[column] : QString();
}

namespace {

QString DecodeText(const QByteArray& aBytes)
{
    QByteArray bytes = aBytes;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Spreadsheets on the other platform save in its 8-bit code page.
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? ansi.decode(bytes) : QString::fromLatin1(bytes);
}

QChar DetectSeparator(const QString& aText)
{
    bool quoted = false;
    for (QChar c : aText) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && (c == u';' || c == u',' || c == u'\t'))
            return c;
    }
    return u',';
}

// Splits the text into records of fields, honouring quotes.
std::vector<QStringList> SplitCsv(const QString& aText, QChar aSeparator)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;      // inside a quoted field
    bool wasQuoted = false;   // the field began with a quote
    bool lineHasData = false;
    int line = 1, quoteLine = 0;
    const int n = int(aText.size());
    // Fields and records are kept for the whole run, one per label: each
    // takes the room it needs, not what growing it left over.
    auto endField = [&] {
        field.squeeze();
        record << field;
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        // A blank line is no record.
        if (lineHasData) {
            record.squeeze();
            records.push_back(record);
        }
        record.clear();
        lineHasData = false;
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = aText[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && aText[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else
                    quoted = false;
            } else {
                if (c == u'\n' || (c == u'\r' && !(i + 1 < n && aText[i + 1] == u'\n')))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = lineHasData = true;
            quoteLine = line;
        } else if (c == aSeparator) {
            lineHasData = true;
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && aText[i + 1] == u'\n')
                ++i;
            ++line;
            endRecord();
        } else {
            if (!c.isSpace())
                lineHasData = true;
            field += c;
        }
    }
    if (quoted)
        throw EKVRDataSourceError("CSV: the quoted field opened on line " + std::to_string(quoteLine) +
                                  " is never closed");
    if (lineHasData || !field.isEmpty() || !record.isEmpty())
        endRecord();
    return records;
}

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

TKVRDataTable TableOfCsv(const QString& text)
{
    std::vector<QStringList> records = SplitCsv(text, DetectSeparator(text));
    if (records.empty())
        throw EKVRDataSourceError("CSV: there is no header line naming the fields");
    TKVRDataTable table;
    table.Fields = records.front();
    for (QString& name : table.Fields)
        name = name.trimmed();
    for (qsizetype i = 0; i < table.Fields.size(); ++i)
        if (table.Fields[i].isEmpty())
            table.Fields[i] = QStringLiteral("Field%1").arg(i + 1);
    table.Rows.assign(std::make_move_iterator(records.begin() + 1), std::make_move_iterator(records.end()));
    return table;
}
}  // namespace

TKVRDataTable ReadCsv(const QByteArray& aBytes)
{
    if (aBytes.size() > KVRMaxDataBytes)
        throw EKVRDataSourceError("CSV: the data is larger than 256 MB");
    RefuseNonText(aBytes);
    return TableOfCsv(DecodeText(aBytes));
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
    // The bytes go once decoded: a large file is not held three times over.
    const QString text = DecodeText(bytes);
    bytes = QByteArray();
    return TableOfCsv(text);
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
    table.Rows.reserve(records->size());
    for (const TJsonObject& record : *records) {
        QStringList row(table.Fields.size());
        for (const auto& item : record.items())
            row[columns.value(QString::fromStdString(item.key()))] = JsonText(item.value());
        table.Rows.push_back(std::move(row));
    }
    return table;
}
