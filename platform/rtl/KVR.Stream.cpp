#include "platform/rtl/KVR.Stream.h"
#include <QIODevice>
#include <QtEndian>
#include <cstring>

namespace {

QString ShortMessage(int64_t aWanted, int64_t aLeft, int64_t aPos)
{
    return QStringLiteral("Stream read error: %1 bytes wanted at position %2, %3 left")
        .arg(aWanted)
        .arg(aPos)
        .arg(aLeft);
}

template <class T>
T FromLE(const unsigned char* aBytes)
{
    return qFromLittleEndian<T>(aBytes);
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

void TBinaryWriter::WriteInt16(int16_t aValue)
{
    unsigned char b[2];
    qToLittleEndian<int16_t>(aValue, b);
    Put(b, 2);
}

void TBinaryWriter::WriteWord(uint16_t aValue)
{
    unsigned char b[2];
    qToLittleEndian<uint16_t>(aValue, b);
    Put(b, 2);
}

void TBinaryWriter::WriteInt32(int32_t aValue)
{
    unsigned char b[4];
    qToLittleEndian<int32_t>(aValue, b);
    Put(b, 4);
}

void TBinaryWriter::WriteCardinal(uint32_t aValue)
{
    unsigned char b[4];
    qToLittleEndian<uint32_t>(aValue, b);
    Put(b, 4);
}

void TBinaryWriter::WriteInt64(int64_t aValue)
{
    unsigned char b[8];
    qToLittleEndian<int64_t>(aValue, b);
    Put(b, 8);
}

void TBinaryWriter::WriteSingle(float aValue)
{
    uint32_t bits;
    std::memcpy(&bits, &aValue, 4);
    WriteCardinal(bits);
}

void TBinaryWriter::WriteDouble(double aValue)
{
    uint64_t bits;
    std::memcpy(&bits, &aValue, 8);
    unsigned char b[8];
    qToLittleEndian<uint64_t>(bits, b);
    Put(b, 8);
}

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

int16_t TBinaryReader::ReadInt16()
{
    unsigned char b[2];
    Get(b, 2);
    return FromLE<int16_t>(b);
}

uint16_t TBinaryReader::ReadWord()
{
    unsigned char b[2];
    Get(b, 2);
    return FromLE<uint16_t>(b);
}

int32_t TBinaryReader::ReadInt32()
{
    unsigned char b[4];
    Get(b, 4);
    return FromLE<int32_t>(b);
}

uint32_t TBinaryReader::ReadCardinal()
{
    unsigned char b[4];
    Get(b, 4);
    return FromLE<uint32_t>(b);
}

int64_t TBinaryReader::ReadInt64()
{
    unsigned char b[8];
    Get(b, 8);
    return FromLE<int64_t>(b);
}

float TBinaryReader::ReadSingle()
{
    const uint32_t bits = ReadCardinal();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

double TBinaryReader::ReadDouble()
{
    unsigned char b[8];
    Get(b, 8);
    const uint64_t bits = FromLE<uint64_t>(b);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

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
    QByteArray utf8(qsizetype(size), Qt::Uninitialized);
    Get(utf8.data(), size);
    return QString::fromUtf8(utf8);
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
