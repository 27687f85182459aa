#include "document/KVR.FMX.FontNames.h"
#include "document/KVR.FMX.h"
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
