#include "platform/rtl/model/KVR.Stream.h"
#include <QIODevice>
#include <QStringDecoder>
#include <QtEndian>
#include <bit>

namespace {

QString ShortMessage(int64_t aWanted, int64_t aLeft, int64_t aPos)
{
    return QStringLiteral("Stream read error: %1 bytes wanted at position %2, %3 left")
        .arg(aWanted)
        .arg(aPos)
        .arg(aLeft);
}

}  // namespace

// ---------------------------------------------------------------- writer

TBinaryWriter::TBinaryWriter(QIODevice* aStream) : fStream(aStream)
{
    if (!fStream)
        throw EKVRStreamError("Stream write error: no stream");
}

void TBinaryWriter::Put(const void* aData, int64_t aSize)
{
    if (aSize <= 0)
        return;
    if (fStream->write(static_cast<const char*>(aData), aSize) != aSize)
        throw EKVRStreamError(QStringLiteral("Stream write error: %1").arg(fStream->errorString()).toStdString());
}

void TBinaryWriter::WriteByte(uint8_t aValue)
{
    Put(&aValue, 1);
}

void TBinaryWriter::WriteBoolean(bool aValue)
{
    WriteByte(aValue ? 1 : 0);
}

template <class T>
void TBinaryWriter::PutLE(T aValue)
{
    unsigned char b[sizeof(T)];
    qToLittleEndian<T>(aValue, b);
    Put(b, sizeof(T));
}

void TBinaryWriter::WriteInt16(int16_t aValue) { PutLE(aValue); }
void TBinaryWriter::WriteWord(uint16_t aValue) { PutLE(aValue); }
void TBinaryWriter::WriteInt32(int32_t aValue) { PutLE(aValue); }
void TBinaryWriter::WriteCardinal(uint32_t aValue) { PutLE(aValue); }
void TBinaryWriter::WriteInt64(int64_t aValue) { PutLE(aValue); }
void TBinaryWriter::WriteSingle(float aValue) { PutLE(std::bit_cast<uint32_t>(aValue)); }
void TBinaryWriter::WriteDouble(double aValue) { PutLE(std::bit_cast<uint64_t>(aValue)); }

void TBinaryWriter::Write7BitEncodedInt(uint32_t aValue)
{
    while (aValue >= 0x80) {
        WriteByte(uint8_t(aValue | 0x80));
        aValue >>= 7;
    }
    WriteByte(uint8_t(aValue));
}

void TBinaryWriter::WriteString(const QString& aValue)
{
    const QByteArray utf8 = aValue.toUtf8();
    Write7BitEncodedInt(uint32_t(utf8.size()));
    Put(utf8.constData(), utf8.size());
}

void TBinaryWriter::WriteBytes(const QByteArray& aValue)
{
    Put(aValue.constData(), aValue.size());
}

// ---------------------------------------------------------------- reader

TBinaryReader::TBinaryReader(QIODevice* aStream) : fStream(aStream)
{
    if (!fStream)
        throw EKVRStreamError("Stream read error: no stream");
}

int64_t TBinaryReader::Remaining() const
{
    return fStream->bytesAvailable();
}

void TBinaryReader::Get(void* aData, int64_t aSize)
{
    const int64_t left = Remaining();
    if (aSize > left)
        throw EKVRStreamError(ShortMessage(aSize, left, fStream->pos()).toStdString());
    if (fStream->read(static_cast<char*>(aData), aSize) != aSize)
        throw EKVRStreamError(ShortMessage(aSize, Remaining(), fStream->pos()).toStdString());
}

uint8_t TBinaryReader::ReadByte()
{
    uint8_t v;
    Get(&v, 1);
    return v;
}

bool TBinaryReader::ReadBoolean()
{
    return ReadByte() != 0;
}

template <class T>
T TBinaryReader::GetLE()
{
    unsigned char b[sizeof(T)];
    Get(b, sizeof(T));
    return qFromLittleEndian<T>(b);
}

int16_t TBinaryReader::ReadInt16() { return GetLE<int16_t>(); }
uint16_t TBinaryReader::ReadWord() { return GetLE<uint16_t>(); }
int32_t TBinaryReader::ReadInt32() { return GetLE<int32_t>(); }
uint32_t TBinaryReader::ReadCardinal() { return GetLE<uint32_t>(); }
int64_t TBinaryReader::ReadInt64() { return GetLE<int64_t>(); }
float TBinaryReader::ReadSingle() { return std::bit_cast<float>(GetLE<uint32_t>()); }
double TBinaryReader::ReadDouble() { return std::bit_cast<double>(GetLE<uint64_t>()); }

uint32_t TBinaryReader::Read7BitEncodedInt()
{
    uint32_t value = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        const uint8_t b = ReadByte();
        if (shift == 28 && (b & 0xF0) != 0)
            throw EKVRStreamError("Stream read error: invalid string length");
        value |= uint32_t(b & 0x7F) << shift;
        if ((b & 0x80) == 0)
            return value;
    }
    throw EKVRStreamError("Stream read error: invalid string length");
}

QString TBinaryReader::ReadString()
{
    const int64_t pos = fStream->pos();
    const uint32_t size = Read7BitEncodedInt();
    const int64_t left = Remaining();
    if (int64_t(size) > left)
        throw EKVRStreamError(
            QStringLiteral("Stream read error: a string of %1 bytes at position %2, %3 left").arg(size).arg(pos).arg(left).toStdString());
    // A leading byte-order mark is part of the text; the plain conversion drops it.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(ReadBytes(size));
}

QByteArray TBinaryReader::ReadBytes(int64_t aCount)
{
    if (aCount < 0)
        throw EKVRStreamError("Stream read error: negative byte count");
    const int64_t left = Remaining();
    if (aCount > left)
        throw EKVRStreamError(ShortMessage(aCount, left, fStream->pos()).toStdString());
    QByteArray bytes(qsizetype(aCount), Qt::Uninitialized);
    Get(bytes.data(), aCount);
    return bytes;
}

int32_t TBinaryReader::ReadCount(int32_t aMinItemSize)
{
    const int64_t pos = fStream->pos();
    const int32_t count = ReadInt32();
    const int64_t left = Remaining();
    if (count < 0 || int64_t(count) * (aMinItemSize > 1 ? aMinItemSize : 1) > left)
        throw EKVRStreamError(
            QStringLiteral("Stream read error: count %1 at position %2 does not fit the %3 bytes left").arg(count).arg(pos).arg(left).toStdString());
    return count;
}
