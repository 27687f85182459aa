// What the surface paints, read back through grab() and a recording device.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "elements/TKVRRectangle.h"
#include "tests/elements/RecordingDevice.h"
#include "tests/support/ImageProbes.h"
#include "platform/skia/TSkCanvas.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
struct TPainted
{
    explicit TPainted(int64_t aWidth = 100000, int64_t aHeight = 60000, QSize aSize = {600, 500})
    {
        doc.GetMeasure().SetWidth(aWidth);
        doc.GetMeasure().SetHeight(aHeight);
        editor.resize(aSize);
        editor.show();
        editor.SetLabel(&doc);
    }
    QImage Grab() { return editor.GetSurface()->grab().toImage().convertToFormat(QImage::Format_ARGB32); }
    TVXLabelFMX doc;
    TKVREditor editor;
};
}  // namespace

TEST(EditorPaint, LookAtTheSurface)
{
    TPainted p;
    p.editor.GetGrid()->SetStyle(TKVRGridDraw::gdLines);
    p.editor.GetGrid()->SetIncX(2);
    p.editor.GetGrid()->SetIncY(2);
    p.editor.GetRulers()->SetShowAlign(true);
    TKVRRectangle* r = TKVRFactory::AddBaseRectangle(&p.doc, 20000, 15000, 30000, 20000);
    p.doc.SelectItem(r, false);
    ImageProbes::SaveForLooking(p.Grab(), "editor-surface.png");
}
