#pragma once
// The font names a dialog or the editor offers: the host's list when the document's
// OnGetFontListEvent is set (aSender is the asking dialog), else the machine's.
#include <QStringList>

class QObject;
class TVXLabelFMX;

QStringList KVRDialogFonts(TVXLabelFMX* aLabel, QObject* aSender);

// The row of aFont in aFonts; for a font the list lacks (not installed), the
// row of the family its text is drawn with instead; -1 when neither is listed.
int KVRFontRow(const QStringList& aFonts, const QString& aFont);
