#include "editor/TKVRCoordEntry.h"
#include "platform/rtl/text/TXTUtils.h"
#include <QLocale>

namespace {
bool ReadNumber(const QString& aText, float& aValue)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(aText, &ok);
    if (!ok)
        return false;
    aValue = float(v);
    return true;
}
}  // namespace

TKVRCoordEntry TKVRCoordEntry::Read(const QString& aText)
{
    TKVRCoordEntry e;
    if (aText.isEmpty())
        return e;
    if (aText.startsWith(u'@')) {
        if (aText.size() == 1) {
            e.Kind = TKind::Base;
            return e;
        }
        const qsizetype comma = aText.indexOf(u',');
        if (comma < 0)
            return e;
        if (ReadNumber(aText.mid(1, comma - 1), e.A) && ReadNumber(aText.mid(comma + 1), e.B))
            e.Kind = TKind::Relative;
        return e;
    }
    const qsizetype comma = aText.indexOf(u',');
    if (comma < 0) {
        if (ReadNumber(aText, e.A))
            e.Kind = TKind::Length;
        return e;
    }
    if (ReadNumber(aText.left(comma), e.A) && ReadNumber(aText.mid(comma + 1), e.B))
        e.Kind = TKind::Point;
    return e;
}

bool TKVRCoordEntry::Accepts(const QString& aText, QChar aChar, int32_t aCaret)
{
    if (aChar == u'-')
        return ValidInputKey(aText, aChar, aCaret);
    if (aChar == u',' || aChar == u'<' || aChar == u'@')
        return !aText.contains(aChar);
    return aChar == u'.' || (aChar >= u'0' && aChar <= u'9');
}

QString TKVRCoordEntry::InsertAt(const QString& aText, const QString& aInsert, int32_t aCaret)
{
    if (aCaret <= 0)
        return aInsert + aText;
    if (aCaret >= aText.size())
        return aText + aInsert;
    QString s = aText;
    s.insert(aCaret, aInsert);
    return s;
}
