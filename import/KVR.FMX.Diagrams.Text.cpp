#include "import/KVR.FMX.Diagrams.Text.h"

QStringList KVRDiagramLines(const QString& aText)
{
    QStringList lines;
    const qsizetype n = aText.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = aText.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(aText.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && aText.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(aText.mid(start));
    return lines;
}

QString KVRDiagramTrim(const QString& aText)
{
    qsizetype first = 0;
    qsizetype last = aText.size();
    while (first < last && aText.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && aText.at(last - 1).unicode() <= 0x20)
        --last;
    return aText.mid(first, last - first);
}
