#include "platform/rtl/label/KVR.RecordStore.h"
#include <QStringDecoder>
#include <stdexcept>

QStringList TKVRRecords::operator[](size_t aRow) const
{
    QStringList row;
    const int32_t count = FieldCount(aRow);
    row.reserve(count);
    for (int32_t i = 0; i < count; ++i)
        row << Field(aRow, i);
    return row;
}

QStringList TKVRRecords::at(size_t aRow) const
{
    if (aRow >= size())
        throw std::out_of_range("record index out of range");
    return (*this)[aRow];
}

int32_t TKVRRecords::FieldCount(size_t aRow) const
{
    return int32_t(fRecordEnds[aRow] - FirstField(aRow));
}

QString TKVRRecords::Field(size_t aRow, int32_t aColumn) const
{
    if (aColumn < 0 || aColumn >= FieldCount(aRow))
        return QString();
    const size_t field = FirstField(aRow) + size_t(aColumn);
    const int64_t begin = field == 0 ? 0 : fFieldEnds[field - 1];
    const int64_t length = fFieldEnds[field] - begin;
    if (length == 0)
        return QString();
    // A field may begin with U+FEFF: it is text here, not a byte-order mark to drop.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(QByteArrayView(fText.constData() + begin, qsizetype(length)));
}

void TKVRRecords::AddField(QStringView aText)
{
    fText += aText.toUtf8();
    fFieldEnds.push_back(fText.size());
}

void TKVRRecords::EndRecord()
{
    fRecordEnds.push_back(fFieldEnds.size());
}

void TKVRRecords::Append(const QStringList& aRow)
{
    for (const QString& field : aRow)
        AddField(field);
    EndRecord();
}

void TKVRRecords::Squeeze()
{
    fText.squeeze();
    fFieldEnds.shrink_to_fit();
    fRecordEnds.shrink_to_fit();
}
