#include "examples/demo/ContextPage.h"
#include "platform/skia/System.Skia.h"

void ContextPage::PaintSample(TKVRDraw& d)
{
    const auto& c = d.kC;
    const auto& p = d.kP;
    d.ScreenOffsetX = 20;
    d.ScreenOffsetY = 20;

    // A 200 mm ruler with a tick every millimetre, longer every 5 and 10.
    p->SetAntiAlias(false);
    p->SetColor(TAlphaColors::Black);
    p->SetStyle(TSkPaintStyle::Stroke);
    p->SetStrokeWidth(d.BasePtoY(0.1f));
    p->SetPathEffect(nullptr);
    for (int mm = 0; mm <= 200; ++mm) {
        const float x = d.ScreenOffsetX + d.DrawValueX(mm * 1000);
        const float len = d.DrawValueY(mm % 10 == 0 ? 5000 : mm % 5 == 0 ? 3500 : 2000);
        c->DrawLine(x, d.ScreenOffsetY, x, d.ScreenOffsetY + len, p);
    }

    // Boxes of 10, 20 and 40 mm, and a 1:10 drawing scale box of 400 mm.
    p->SetAntiAlias(true);
    const TAlphaColor colors[] = {0xFF1F77B4u, 0xFFFF7F0Eu, 0xFF2CA02Cu};
    float x = d.ScreenOffsetX;
    int i = 0;
    for (int side : {10000, 20000, 40000}) {
        p->SetColor(colors[i++]);
        p->SetStrokeWidth(d.BasePtoY(0.5f));
        const float top = d.ScreenOffsetY + d.DrawValueY(10000);
        c->DrawRect(TRectF(x, top, x + d.DrawValueX(side), top + d.DrawValueY(side)), p);
        x += d.DrawValueX(side + 5000);
    }
    TKVRDraw scaled;
    scaled.SetResolution(d.ResolutionX, d.ResolutionY, 10);
    p->SetColor(0xFFD62728u);
    const float top = d.ScreenOffsetY + d.DrawValueY(60000);
    c->DrawRect(TRectF(d.ScreenOffsetX, top, d.ScreenOffsetX + scaled.GetDrawX(400000), top + scaled.GetDrawY(100000)), p);
}
