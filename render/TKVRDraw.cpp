#include "render/TKVRDraw.h"
#include "platform/fmx/FMX.Graphics.h"
#include "platform/rtl/KVR.Math.h"
#include <atomic>
#include <cmath>
#include <numbers>

namespace {
// Read by the export thread and written by the print job: keep it atomic.
std::atomic<float> gFontPrintDPI{96.0f};
}

std::array<TSaveColor, 8> SavedColors{};

TKVRDraw::TKVRDraw()
{
    ResetMatrix(KVRDrawState::Editor);
    aDrawLinkPto = false;
}

float TKVRDraw::DrawValueX(int32_t aBaseValue) const
{
    // 64-bit product: long lengths at high resolutions overflow 32 bits.
    return float(double(int64_t(aBaseValue) * ResolutionX) / 25400.0);
}

float TKVRDraw::DrawValueY(int32_t aBaseValue) const
{
    return float(double(int64_t(aBaseValue) * ResolutionY) / 25400.0);
}

int32_t TKVRDraw::BaseValueX(float aPoints) const
{
    return RoundHalfEven32(std::fabs(double(aPoints) * 25400.0 / ResolutionX));
}

int32_t TKVRDraw::BaseValueY(float aPoints) const
{
    return RoundHalfEven32(std::fabs(double(aPoints) * 25400.0 / ResolutionY));
}

void TKVRDraw::ResetMatrix(TKVRDrawState aState)
{
    LM = TMatrix::Identity();
    DrawState = aState;
}

void TKVRDraw::Translate(float aX, float aY)
{
    LM = LM * TMatrix::CreateTranslation(aX, aY);
}

void TKVRDraw::Scale(float aX, float aY)
{
    LM = LM * TMatrix::CreateScaling(aX, aY);
}

void TKVRDraw::Rotate(float aG)
{
    LM = LM * TMatrix::CreateRotation(float(double(aG) * std::numbers::pi / 180.0));
}

void TKVRDraw::ApplyMatrix()
{
    if (pC)
        pC->SetMatrix(LM);
}

void TKVRDraw::ResetText()
{
    aPos = -1;
    aTxt.clear();
    DrawState = KVRDrawState::Editor;
}

void TKVRDraw::SetStandardWidths()
{
    w05 = BasePtoY(0.5f);
    w1 = BasePtoY(1.0f);
    w2 = BasePtoY(2.0f);
    w3 = BasePtoY(3.0f);
    w4 = BasePtoY(4.0f);
}

float FontPrintSize(float size)
{
    return float(double(size) * gFontPrintDPI.load() / 25.4);
}

void SetFontPrintDPI(float dpi)
{
    if (dpi > 0 && std::isfinite(dpi))
        gFontPrintDPI.store(dpi);
}

float GetFontPrintDPI()
{
    return gFontPrintDPI.load();
}

void InitializeKVRFMXTypes()
{
    gFontPrintDPI.store(96.0f);
    for (auto& c : SavedColors)
        c.fAsigned = false;
}
