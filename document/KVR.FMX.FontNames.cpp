#include "document/KVR.FMX.FontNames.h"
#include "document/KVR.FMX.h"
#include "platform/skia/TSkFont.h"
#include "render/KVR.FMX.Text.h"

QStringList KVRDialogFonts(TVXLabelFMX* aLabel, QObject* aSender)
{
    QStringList fonts;
    if (aLabel && aLabel->OnGetFontListEvent)
        aLabel->OnGetFontListEvent(aSender, fonts);
    else
        CollectFonts(fonts);
    return fonts;
}

int KVRFontRow(const QStringList& aFonts, const QString& aFont)
{
    const int row = aFonts.indexOf(aFont);
    if (row >= 0 || aFont.isEmpty())
        return row;
    const ISkTypeface drawn = TSkTypeface::MakeFromName(aFont, TSkFontStyle::Normal());
    return drawn ? aFonts.indexOf(drawn->GetFamilyName()) : -1;
}
