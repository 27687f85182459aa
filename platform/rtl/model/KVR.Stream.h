#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

class QIODevice;

// Raised when a stream cannot give or take the bytes asked of it: a record
// that runs past the end, a length or count larger than what is left.
class EKVRStreamError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Little-endian binary writer over any device (file, buffer). Strings are
// UTF-8, led by their byte count as a 7-bit encoded integer.
class TBinaryWriter
{
public:
    explicit TBinaryWriter(QIODevice* aStream);

    QIODevice* BaseStream() const { return fStream; }

    void WriteByte(uint8_t aValue);
    void WriteBoolean(bool aValue);
    void WriteInt16(int16_t aValue);
    void WriteWord(uint16_t aValue);
    void WriteInt32(int32_t aValue);
    void WriteCardinal(uint32_t aValue);
    void WriteInt64(int64_t aValue);
    void WriteSingle(float aValue);
    void WriteDouble(double aValue);
    void WriteString(const QString& aValue);
    // Raw bytes, no count in front.
    void WriteBytes(const QByteArray& aValue);

private:
    void Put(const void* aData, int64_t aSize);
    template <class T>
    void PutLE(T aValue);
    void Write7BitEncodedInt(uint32_t aValue);

    QIODevice* fStream;
};

// The reader matching TBinaryWriter. Every read is checked against what is
// left of the device: a short stream raises EKVRStreamError and never yields
// made-up values.
class TBinaryReader
{
public:
    explicit TBinaryReader(QIODevice* aStream);

    QIODevice* BaseStream() const { return fStream; }
    // Bytes between the position and the end of the device.
    int64_t Remaining() const;

    uint8_t ReadByte();
    bool ReadBoolean();
    int16_t ReadInt16();
    uint16_t ReadWord();
    int32_t ReadInt32();
    uint32_t ReadCardinal();
    int64_t ReadInt64();
    float ReadSingle();
    double ReadDouble();
    QString ReadString();
    QByteArray ReadBytes(int64_t aCount);

    // A 32-bit count of records that follow, each taking at least
    // aMinItemSize bytes: negative counts and counts that cannot fit in what
    // is left are rejected before anything is allocated for them.
    int32_t ReadCount(int32_t aMinItemSize);

private:
    void Get(void* aData, int64_t aSize);
    template <class T>
    T GetLE();
    uint32_t Read7BitEncodedInt();

    QIODevice* fStream;
};
