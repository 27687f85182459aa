#include "examples/demo/LinesPage.h"
#include "platform/skia/System.Skia.h"
#include "render/KVR.FMX.Shared.h"
#include <cmath>

namespace {
void Caption(TKVRDraw& d, const QString& text, float x, float y)
{
    static const ISkFont font = std::make_shared<TSkFont>(TSkTypeface::MakeFromName("DejaVu Sans", TSkFontStyle::Normal()), 12.0f);
    d.kP->SetPathEffect(nullptr);
    d.kP->SetStyle(TSkPaintStyle::Fill);
    d.kP->SetColor(0xFF404040u);
    d.kC->DrawSimpleText(text, x, y, font, d.kP);
}
}

void LinesPage::PaintSample(TKVRDraw& d)
{
    const auto& c = d.kC;
    const auto& p = d.kP;
    p->SetAntiAlias(true);
    p->SetStrokeCap(TSkStrokeCap::Butt);

    // Line types 0..11 at a thin and a thick pen.
    for (int type = 0; type < 12; ++type) {
        const float y = 30.0f + type * 24.0f;
        Caption(d, QString("type %1").arg(type), 20, y + 4);
        for (int k = 0; k < 2; ++k) {
            p->SetColor(k == 0 ? 0xFF1F4E79u : 0xFF9C2A00u);
            p->SetStrokeWidth(d.BasePtoY(k == 0 ? 0.25f : 0.8f));
            AdjustLineType(&d, TVXLineType(type), 0);
            const float x0 = 90.0f + k * 190.0f;
            c->DrawLine(x0, y, x0 + 170.0f, y, p);
        }
    }

    // Line ends 1..11 on short lines pointing right, down-right, up and left.
    const float half = d.TextFactor * 3.0f / 2;  // a 3 mm marker
    for (int kind = 1; kind < 12; ++kind) {
        const float y = 40.0f + (kind - 1) * 34.0f;
        Caption(d, QString("end %1").arg(kind), 500, y + 4);
        const float dirs[4][2] = {{1, 0}, {0.7071f, 0.7071f}, {0, -1}, {-1, 0}};
        for (int i = 0; i < 4; ++i) {
            const float ex = 600.0f + i * 80.0f + (dirs[i][0] > 0 ? 30 : dirs[i][0] < 0 ? 0 : 15);
            const float ey = y + dirs[i][1] * 12.0f;
            const float sx = ex - dirs[i][0] * 40.0f;
            const float sy = ey - dirs[i][1] * 24.0f;
            p->SetColor(TAlphaColors::Black);
            p->SetStrokeWidth(d.BasePtoY(0.3f));
            AdjustLineType(&d, 0, 0);
            c->DrawLine(sx, sy, ex, ey, p);
            DrawTermType(&d, TKVRTermType(kind), TAlphaColors::Black, 0xFFF2B134u, half, ex, ey, sx, sy, 8, false);
        }
    }

    // The data marker the editor puts on data-bound elements.
    Caption(d, "data marker", 20, 345);
    DrawData(&d, 120, 341);
}
