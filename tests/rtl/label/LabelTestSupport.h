#pragma once
// The label's own data (base data, then label data) as the binary file holds it.
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <QBuffer>

inline QByteArray LabelBytes(const TKVRBaseLabel& doc)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TBinaryWriter w(&buf);
    doc.WriteBaseData(w);
    doc.WriteData(w);
    return buf.data();
}

inline void ReadLabel(TKVRBaseLabel& doc, const QByteArray& bytes)
{
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    TBinaryReader r(&buf);
    doc.ReadBaseData(r);
    doc.ReadData(r);
}
