#pragma once
// What an editor's surface paints: read back as pixels, or recorded op by op.
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "platform/skia/TSkCanvas.h"
#include "tests/elements/RecordingDevice.h"
#include <QImage>
#include <QPainter>
#include <vector>

namespace SurfaceProbes {

inline QImage Grab(TKVRBaseEditor& aEditor)
{
    return aEditor.GetSurface()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Everything one paint sends to the painter.
inline std::vector<TRecordedOp> Record(TKVRBaseEditor& aEditor)
{
    TKVRBackEditor& s = *aEditor.GetSurface();
    TRecordingDevice device(s.width(), s.height(), 96);
    {
        QPainter painter(&device);
        s.Draw(TSkCanvas::Make(&painter), QRectF(0, 0, s.width(), s.height()));
    }
    return device.Ops;
}

}  // namespace SurfaceProbes

// A label in an editor without side controls, shown: its corner at
// (15, 15) past the rulers it is given.
struct TEditedLabel
{
    TEditedLabel(int64_t aWidth, int64_t aHeight, QSize aSize, TKVRShowRulers aRulers, int32_t aScale = 1,
                 TKVRUnits aUnits = TKVRUnits::Millimetre)
    {
        doc.GetMeasure().SetWidth(aWidth);
        doc.GetMeasure().SetHeight(aHeight);
        doc.GetMeasure().SetDrawScale(aScale);
        doc.SetUnits(aUnits);
        editor.SetEditorOptions(TKVREditorOptions(0));
        editor.GetRulers()->SetVisible(aRulers);
        editor.resize(aSize);
        editor.show();
        editor.SetLabel(&doc);
    }
    QImage Grab() { return SurfaceProbes::Grab(editor); }
    std::vector<TRecordedOp> Record() { return SurfaceProbes::Record(editor); }
    TVXLabelFMX doc;
    TKVREditor editor;
};
