// The frame's small controls: indicators and icon buttons.
#include "editor/KVR.FMX.Editor.h"
#include <QImage>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(EditorControls, IndicatorsPaintTheirStateAndStayBlankOnceNone)
{
    struct Row
    {
        TKVRTypeInfo Type;
        TKVRStateInfo State;
        QRgb Corner, Stroke;
        bool RedDot;
    };
    const Row rows[] = {
        {TKVRTypeInfo::tiOrto, TKVRStateInfo::siOn, 0xFFFFFFFF, 0xFF0000FF, false},
        {TKVRTypeInfo::tiOrto, TKVRStateInfo::siOff, 0xFFC0C0C0, 0xFF808080, false},
        {TKVRTypeInfo::tiSnapToGrid, TKVRStateInfo::siOn, 0xFFFFFFFF, 0xFF0000FF, true},
        {TKVRTypeInfo::tiSnapToGrid, TKVRStateInfo::siOff, 0xFFC0C0C0, 0xFF808080, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.Type) << " " << int(r.State));
        TKVRInfoEd info(nullptr, r.Type);
        info.resize(22, 22);
        info.SetState(r.State);
        const QImage img = info.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(img.pixel(0, 0), r.Corner);
        // The ortho step's first line runs along y = 2; the cross's upright along x = 11.
        EXPECT_EQ(img.pixel(r.Type == TKVRTypeInfo::tiOrto ? 5 : 11, r.Type == TKVRTypeInfo::tiOrto ? 2 : 4), r.Stroke);
        EXPECT_EQ(img.pixel(10, 10) == 0xFFFF0000, r.RedDot);
    }
    TKVRInfoEd none(nullptr, TKVRTypeInfo::tiOrto);
    none.SetState(TKVRStateInfo::siNone);
    none.SetState(TKVRStateInfo::siOn);
    EXPECT_EQ(none.GetState(), TKVRStateInfo::siNone);
    EXPECT_EQ(none.GetAllSize(), 0);
}

TEST(EditorControls, IconButtonFindsItsResourceInAnyCaseOrRefuses)
{
    TKVREditor editor;  // registers the editor's resources
    TResButton button(nullptr);
    button.SetResName("settings");
    EXPECT_FALSE(button.icon().isNull());
    try {
        button.SetResName("NOSUCHICON");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Recurso RCDATA \"NOSUCHICON\" no encontrado.");
    }
    EXPECT_EQ(button.GetResName(), "NOSUCHICON");
    EXPECT_FALSE(button.icon().isNull());  // the previous icon stays
}
