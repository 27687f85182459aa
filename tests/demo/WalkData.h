#pragma once
// Records for the roads through the demo: a CSV file of people with a name,
// a Code 128 value and a QR value each, and the printer the demo prints to
// when no queue is installed: a PDF file.
#include "platform/fmx/TPrinter.h"
#include <QFile>
#include <QString>
#include <QStringList>

struct TWalkRecord
{
    QString Name, Code, Link;
};

inline std::vector<TWalkRecord> WalkRecords(int aCount)
{
    static const char* const kNames[] = {"Ada", "Bram", "Cleo", "Dara", "Emil", "Fay", "Gus", "Hana", "Ivo", "Jill"};
    std::vector<TWalkRecord> out;
    for (int i = 1; i <= aCount; ++i)
        out.push_back({QString("%1 Walker%2").arg(QString::fromLatin1(kNames[(i - 1) % 10])).arg(i, 2, 10, QChar('0')),
                       QString("ZV-%1").arg(10000 + i * 37),
                       QString("https://example.org/p/%1").arg(i, 3, 10, QChar('0'))});
    return out;
}

// Writes the records as "Name,Code,Link" with a header line; false when it cannot.
inline bool WriteWalkCsv(const QString& aFile, const std::vector<TWalkRecord>& aRecords)
{
    QFile f(aFile);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = "Name,Code,Link\n";
    for (const TWalkRecord& r : aRecords)
        text += (r.Name + ',' + r.Code + ',' + r.Link + '\n').toUtf8();
    return f.write(text) == text.size();
}

// A print device that writes a PDF file at 300 dpi, removed with the object.
struct TPdfFileDevice
{
    QString Name, File;
    TPdfFileDevice(const QString& aFile) : Name("PDF file (" + aFile + ")"), File(aFile)
    {
        Printer().AddFileDevice(Name, File, {{300, 300}});
    }
    ~TPdfFileDevice() { Printer().RemoveFileDevice(Name); }
    TPdfFileDevice(const TPdfFileDevice&) = delete;
    TPdfFileDevice& operator=(const TPdfFileDevice&) = delete;
};
