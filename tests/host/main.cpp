#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include <QApplication>
#include <QComboBox>
#include <cstdio>

// An editor on a document, as a host places one; 0 when it came up whole.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TVXLabelFMX doc;
    TKVREditor editor;
    editor.resize(400, 300);
    editor.SetLabel(&doc);
    const bool whole = editor.GetZoomBox()->count() == 18 && !editor.GetSettingsButton()->icon().isNull();
    std::printf("%s\n", whole ? "editor ready" : "editor incomplete");
    return whole ? 0 : 1;
}
