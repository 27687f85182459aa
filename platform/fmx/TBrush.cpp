#include "platform/fmx/TBrush.h"

void TStrokeBrush::SetDash(TStrokeDash dash)
{
    fDash = dash;
    switch (dash) {
    case TStrokeDash::Solid: fDashArray.clear(); break;
    case TStrokeDash::Dash: fDashArray = {3, 1}; break;
    case TStrokeDash::Dot: fDashArray = {1, 1}; break;
    case TStrokeDash::DashDot: fDashArray = {3, 1, 1, 1}; break;
    case TStrokeDash::DashDotDot: fDashArray = {3, 1, 1, 1, 1, 1}; break;
    case TStrokeDash::Custom: return;  // keeps the pattern and offset
    }
    fDashOffset = 0.0f;
}

void TStrokeBrush::SetCustomDash(const std::vector<float>& dash, float offset)
{
    fDash = TStrokeDash::Custom;
    fDashArray = dash;
    fDashOffset = offset;
}
