#pragma once
// The font names a dialog or the editor offers: the host's list when the document's
// OnGetFontListEvent is set (aSender is the asking dialog), else the machine's.
#include <QStringList>

class QObject;
class TVXLabelFMX;

QStringList KVRDialogFonts(TVXLabelFMX* aLabel, QObject* aSender);
