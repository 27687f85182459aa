#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include <limits>

TKVRCounter::TKVRCounter(TKVRBaseLabel* aOwner)
{
    if (aOwner)
        aOwner->AddCounter(this);
}

int64_t TKVRCounter::Number(int64_t aLabel) const
{
    if (aLabel < 0)
        aLabel = 0;
    using Wide = __int128;
    if (fNumTo > fNumFrom) {
        const Wide span = (Wide(fNumTo) - fNumFrom) / fStep + 1;  // values in the range
        return int64_t(Wide(fNumFrom) + (Wide(aLabel) % span) * fStep);
    }
    const Wide n = Wide(fNumFrom) + Wide(aLabel) * fStep;
    // A run that leaves the 64-bit range stops at its end rather than wrapping to negatives.
    if (n > std::numeric_limits<int64_t>::max())
        return std::numeric_limits<int64_t>::max();
    return int64_t(n);
}

QString TKVRCounter::Text(int64_t aLabel) const
{
    const int64_t n = Number(aLabel);
    const QString number = Format.isEmpty() ? QString::number(n) : FormatFloat(Format, double(n));
    return TextBefore + number + TextAfter;
}
