#include "platform/rtl/text/TXTUtils.h"

bool TXTUtils::DeleteCharPos(QString& aText, int32_t aPos, uint8_t)
{
    if (aPos < 1 || aPos > aText.size())
        return false;
    aText.remove(aPos - 1, 1);
    return true;
}
