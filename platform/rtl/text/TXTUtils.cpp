#include "platform/rtl/text/TXTUtils.h"

bool TXTUtils::DeleteCharPos(QString& aText, int32_t aPos, uint8_t)
{
    if (aPos < 1 || aPos > aText.size())
        return false;
    qsizetype at = aPos - 1, count = 1;
    if (aText.at(at).isLowSurrogate() && at > 0 && aText.at(at - 1).isHighSurrogate()) {
        --at;
        count = 2;
    } else if (aText.at(at).isHighSurrogate() && at + 1 < aText.size() && aText.at(at + 1).isLowSurrogate()) {
        count = 2;
    }
    aText.remove(at, count);
    return true;
}

bool ValidInputKey(const QString& aText, QChar aKey, int32_t aCaret)
{
    if (aKey != u'-')
        return true;
    if (aCaret < 0 || aCaret > aText.size())
        return false;
    const bool startsNumber = aCaret == 0 || aText.at(aCaret - 1) == u',' || aText.at(aCaret - 1) == u'@' ||
                              aText.at(aCaret - 1) == u'<';
    return startsNumber && !(aCaret < aText.size() && aText.at(aCaret) == u'-');
}
