#include "render/TKVRCalc.h"

#include "platform/rtl/KVR.Math.h"
#include "render/KVR.FMX.Text.h"
#include "render/TKVRLineScanner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// The font cache of one thread. The key is valid only while Font is the font
// it describes.
struct TCalcCache
{
    QString fName;
    int32_t fHe = 0;
    int32_t fLh = 0;
    bool fBld = false;
    bool fItl = false;
    bool fKeyed = false;
    int32_t fAsc = 0;
    int32_t fDes = 0;
    int32_t fUnd = 0;
    double fRat = 0.0;
    ISkTypeface Typeface;
    ISkFont Font;
    int64_t fMade = 0;
};

TCalcCache& Cache()
{
    thread_local TCalcCache cache;
    return cache;
}

constexpr float kProbeSize = 37.795277f;  // 10 mm at 96 pixels per inch

struct TMadeFont
{
    int32_t Asc = 0, Des = 0, Und = 0;
    double Ratio = 1.0;
};

// Makes the typeface and the font whose ascent plus descent is fHeight, and
// stores them in the cache; the key is left to the caller.
TMadeFont MakeFont(const QString& aFont, int32_t fHeight, bool fB, bool fI)
{
    TCalcCache& c = Cache();
    c.Typeface = TSkTypeface::MakeFromName(aFont, GetFontStyle(fB, fI));
    if (!c.Typeface)
        throw std::runtime_error("No se pudo cargar la fuente especificada");

    TSkFontMetrics m;
    c.Font = std::make_shared<TSkFont>(c.Typeface, kProbeSize, 1.0f, 0.0f);
    c.Font->GetMetrics(m);
    const int32_t a = std::abs(TKVRCalc::ToMicrometres(m.Ascent));
    const int32_t d = std::abs(TKVRCalc::ToMicrometres(m.Descent));
    TMadeFont out;
    // A font without vertical metrics keeps its nominal size.
    out.Ratio = a + d > 0 ? 10000.0 / (a + d) : 1.0;

    c.Font = std::make_shared<TSkFont>(c.Typeface, float(fHeight * out.Ratio / 25400.0 * 96.0), 1.0f, 0.0f);
    c.Font->GetMetrics(m);
    out.Asc = std::abs(TKVRCalc::ToMicrometres(m.Ascent));
    out.Des = std::abs(TKVRCalc::ToMicrometres(m.Descent));
    out.Und = TKVRCalc::ToMicrometres(m.UnderlinePosition);
    ++c.fMade;
    return out;
}

int32_t MeasureWithFont(const QString& s)
{
    const ISkFont& f = Cache().Font;
    return f ? TKVRCalc::ToMicrometres(f->MeasureText(s)) : 0;
}

int64_t LineStep(int32_t lineHeight, float inter)
{
    return KVRLineStep(lineHeight, inter);
}

// A height the text needs beyond 32 bits is the largest one.
int32_t Height32(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t TKVRCalc::ToMicrometres(double pixels)
{
    return RoundHalfEven32(pixels * 25400.0 / 96.0);
}

void TKVRCalc::FontSettings(const QString& aFont, int32_t fHeight, bool fB, bool fI, int32_t& oAsc, int32_t& oDes,
                            int32_t& oUnd, int32_t& oLh, double& oRatio)
{
    TCalcCache& c = Cache();
    if (!(c.fKeyed && fHeight == c.fHe && fB == c.fBld && fI == c.fItl && aFont == c.fName)) {
        const TMadeFont f = MakeFont(aFont, fHeight, fB, fI);
        c.fAsc = f.Asc;
        c.fDes = f.Des;
        c.fUnd = f.Und;
        c.fHe = fHeight;
        c.fRat = f.Ratio;
        c.fItl = fI;
        c.fLh = fHeight;
        c.fBld = fB;
        c.fName = aFont;
        c.fKeyed = true;
    }
    oAsc = c.fAsc;
    oDes = c.fDes;
    oUnd = c.fUnd;
    oLh = c.fLh;
    oRatio = c.fRat;
}

void TKVRCalc::FontSettings(const QString& aTxt, const QString& aFont, int32_t fHeight, bool fB, bool fI,
                            int32_t& oAsc, int32_t& oDes, int32_t& oWid, double& oRatio)
{
    const TMadeFont f = MakeFont(aFont, fHeight, fB, fI);
    // Font no longer matches the key: the next metrics request makes its own.
    Cache().fKeyed = false;
    oWid = MeasureWithFont(aTxt);
    oAsc = f.Asc;
    oDes = f.Des;
    oRatio = f.Ratio;
}

int32_t TKVRCalc::CalcTxtSize(const QString& aTxt)
{
    return MeasureWithFont(aTxt);
}

void TKVRCalc::Reset()
{
    TCalcCache& c = Cache();
    c.fName.clear();
    c.fKeyed = false;
    c.fHe = 0;
    c.fBld = false;
    c.fItl = false;
    c.fAsc = 0;
    c.fDes = 0;
    c.fUnd = 0;
}

const ISkTypeface& TKVRCalc::Typeface() { return Cache().Typeface; }
const ISkFont& TKVRCalc::Font() { return Cache().Font; }
int32_t TKVRCalc::LineHeight() { return Cache().fLh; }
int32_t TKVRCalc::Ascent() { return Cache().fAsc; }
int32_t TKVRCalc::Descent() { return Cache().fDes; }
int32_t TKVRCalc::Underline() { return Cache().fUnd; }
double TKVRCalc::Ratio() { return Cache().fRat; }
int64_t TKVRCalc::FontsMade() { return Cache().fMade; }

int32_t TKVRCalc::CalcTxtPts(const QString& txt, const TKVRDraw* /*drw*/, TxtLines& fTxt, int32_t mWidth,
                             int32_t mHeight, int32_t aPadH, int32_t aPadV, TKVRHorzAlign hAlign, TKVRVertAlign vAlign,
                             float Inter)
{
    if (!Cache().Font) {
        fTxt.clear();
        return 0;
    }
    const TCalcCache& c = Cache();
    return CalcTxtPtsWith(txt, fTxt, mWidth, mHeight, aPadH, aPadV, hAlign, vAlign, Inter, c.fLh, c.fAsc, c.fDes,
                          MeasureWithFont);
}

int32_t TKVRCalc::CalcFlowTxtPoints(const QString& txt, const TKVRDraw* /*drw*/, TxtLines& fTxt, int32_t mWidth,
                                    int32_t mHeight, int32_t /*aPadH*/, int32_t aPadV, TKVRFlowType aFlowType,
                                    float aInter)
{
    if (!Cache().Font) {
        fTxt.clear();
        return 0;
    }
    return CalcFlowTxtPointsWith(txt, fTxt, mWidth, mHeight, aPadV, aFlowType, aInter, Cache().fLh,
                                 MeasureWithFont);
}

int32_t TKVRCalc::CalcTxtPtsWith(const QString& txt, TxtLines& fTxt, int32_t mWidth, int32_t mHeight,
                                 int32_t aPadH, int32_t aPadV, TKVRHorzAlign hAlign, TKVRVertAlign vAlign, float Inter,
                                 int32_t lineHeight, int32_t ascent, int32_t descent, const TKVRWidthFunc& width)
{
    fTxt.clear();
    if (txt.isEmpty())
        return 0;

    // The box in micrometres; y is the top of the line being filled.
    struct TBox
    {
        int64_t H, step, padV, y;
        bool Full() const { return H > 0 && y > H - step - padV; }
        bool CanEmit() const { return H == 0 || y <= H - step; }
        bool LastFits() const { return H == 0 || y <= H - step - padV; }
        bool Advance()
        {
            y += step;
            return LastFits();
        }
    } box{mHeight, LineStep(lineHeight, Inter), aPadV, aPadV};

    int64_t avail = int64_t(mWidth) - 2 * int64_t(aPadH);
    if (avail < 0)
        avail = mWidth;
    auto w = [&](const QString& s) { return int64_t(width(s)); };
    auto emitLine = [&](const TKVRLineRange& r, const QString& text) {
        const int64_t lw = w(text);
        int64_t x;
        switch (hAlign) {
        case TKVRHorzAlign::Center: x = (int64_t(mWidth) - lw) / 2; break;
        case TKVRHorzAlign::Right: x = int64_t(mWidth) - lw - aPadH; break;
        default: x = aPadH; break;
        }
        fTxt.push_back({r.Start, r.Length, x, box.y});
    };

    const TKVRBreakEnd end = KVRBreakLines(txt, avail, box, w, emitLine);
    if (end == TKVRBreakEnd::TooWide)
        return 0;

    const int64_t H = box.H, step = box.step;
    if (H > 0 && !fTxt.empty() && end == TKVRBreakEnd::Done) {
        const int64_t block = KVRBlockHeight<int64_t>(fTxt.size(), step, int64_t(ascent) + descent);
        const int64_t top = aPadV + KVRBlockOffset<int64_t>(vAlign, H - 2 * int64_t(aPadV), block);
        for (size_t j = 0; j < fTxt.size(); ++j)
            fTxt[j].Y = top + int64_t(j) * step;
    }
    return H != 0 ? mHeight : Height32(box.y + step + aPadV);
}

namespace {

// Each helper of the outlines gives 0 when its result is not a number.
double Finite(double v) { return std::isfinite(v) ? v : 0.0; }
double Circ(double r, double d) { return d < r ? Finite(std::sqrt(r * r - d * d)) : 0.0; }
double Lin(double a, double b, double c) { return Finite(b * c / a); }
double Ell(double a, double b, double c) { return Finite(c * std::cos(std::asin((a - b) / a))); }
int64_t Trunc(double v) { return int64_t(Finite(v)); }

// The width a flowchart outline leaves for the line at y, and where a line of
// a given width starts.
class TFlowShape
{
public:
    TFlowShape(TKVRFlowType kind, int64_t W, int64_t H, int64_t step, int64_t cW)
        : fKind(kind), fW(W), fH(H), fStep(step), fCW(cW), fHalf(double(H) / 2.0)
    {
        fBoxH = H;
        switch (kind) {
        case 0: case 4: case 10: case 11: case 12: fCurved = true; break;
        case 2: fBoxH = H - W / 15; break;
        case 3: fY0 = W / 15; fBoxH = H - fY0; break;
        case 5: fSlope = H != 0 ? (-double(W) / 8.0) / double(H) : 0.0; break;
        case 6: fY0 = H / 20; break;
        case 8: fY0 = Trunc(double(H) / 8.0); break;
        default: break;
        }
        fAvail = SetupAvail();
    }

    int64_t Y0() const { return fY0; }
    int64_t BoxH() const { return fBoxH; }
    int64_t Avail() const { return fAvail; }
    bool Curved() const { return fCurved; }

    // The next line's width after y moved down.
    void Moved(int64_t y)
    {
        if (fCurved)
            fAvail = AvailAt(y);
    }

    int64_t X(int64_t y, int64_t lw) const
    {
        const int64_t W = fW;
        switch (fKind) {
        case 0: case 4: case 10: case 11: case 12: return (W - fAvail) / 2 + (fAvail - lw) / 2;
        case 3: return (W - lw) / 2 - W / 30;
        case 5: {
            const int64_t left = RoundHalfEven(fSlope * double(y) + double(W) / 8.0);
            return left + (W - left - RoundHalfEven(std::abs(fSlope * double(y + fStep))) - lw) / 2;
        }
        case 13: case 14: return RoundHalfEven(Lin(fHalf, B(y), double(W) / 8.0)) + (fAvail - lw) / 2;
        default: return (W - lw) / 2;
        }
    }

    // The width at y without moving there. The curved outlines widen down to
    // their middle (2 y <= H) and narrow below it.
    int64_t AvailAt(int64_t y) const { return fCurved ? AvailFor(y) : fAvail; }

private:
    double B(int64_t y) const { return double(y) <= fHalf ? double(y) : std::abs(double(fH - y - fStep)); }

    int64_t SetupAvail() const
    {
        const int64_t W = fW;
        switch (fKind) {
        case 0: return (W - fH) + Trunc(2.0 * Circ(fHalf, fHalf));
        case 3: return W - W / 15;
        case 4: return Trunc(2.0 * Lin(fHalf, 0.0, double(W) / 2.0)) - fCW;
        case 5: return W - W / 8 - fCW;
        case 7: return W - 2 * (W / 15);
        case 9: return W - W / 4;
        case 10: return W / 2 + Trunc(2.0 * Lin(fHalf, 0.0, double(W) / 4.0)) - fCW;
        case 11: return Trunc(2.0 * Ell(fHalf, 0.0, double(W) / 2.0)) - fCW;
        case 12: return (W - W / 4) + Trunc(2.0 * Lin(fHalf, 0.0, double(W) / 8.0)) - fCW;
        case 13: case 14: return W - W / 8 - 2 * fCW;
        default: return W;
        }
    }

    int64_t AvailFor(int64_t y) const
    {
        const int64_t W = fW;
        const double yd = double(y);
        switch (fKind) {
        case 0: {
            const double d = yd <= fHalf ? std::abs(yd - fHalf) : std::abs(fHalf - yd - double(fStep));
            return (W - fH) + Trunc(2.0 * Circ(fHalf, d));
        }
        case 4: return Trunc(2.0 * Lin(fHalf, B(y), double(W) / 2.0)) - fCW;
        case 10: return W / 2 + Trunc(2.0 * Lin(fHalf, B(y), double(W) / 4.0)) - fCW;
        case 11: return Trunc(2.0 * Ell(fHalf, yd <= fHalf ? yd : yd + double(fStep), double(W) / 2.0)) - fCW;
        case 12: return (W - W / 4) + Trunc(2.0 * Lin(fHalf, B(y), double(W) / 8.0)) - fCW;
        default: return fAvail;
        }
    }

    TKVRFlowType fKind;
    int64_t fW, fH, fStep, fCW;
    double fHalf;
    int64_t fBoxH = 0;
    int64_t fY0 = 0;
    double fSlope = 0.0;
    bool fCurved = false;
    int64_t fAvail = 0;
};

}  // namespace

int32_t TKVRCalc::CalcFlowTxtPointsWith(const QString& txt, TxtLines& fTxt, int32_t mWidth, int32_t mHeight,
                                        int32_t aPadV, TKVRFlowType aFlowType, float aInter, int32_t lineHeight,
                                        const TKVRWidthFunc& width)
{
    fTxt.clear();
    if (txt.isEmpty())
        return 0;

    auto w = [&](const QString& s) { return int64_t(width(s)); };
    const int64_t step = LineStep(lineHeight, aInter);
    const int64_t H = mHeight;
    TFlowShape shape(aFlowType, mWidth, H, step, w(QStringLiteral("c")));
    const int64_t boxH = shape.BoxH();
    int64_t y = shape.Y0();
    TKVRLineScanner scan(txt);

    auto emitLine = [&](const TKVRLineRange& r, const QString& text) {
        fTxt.push_back({r.Start, r.Length, shape.X(y, w(text)), y});
    };
    auto advance = [&] {
        y += step;
        shape.Moved(y);
        return y <= H - step - aPadV;
    };

    // The first line below y, a whole number of steps down, where a piece of
    // width pw fits; false (y then past the last line) when none does. The
    // outline is not walked one step at a time: where it widens, the first
    // line that fits is searched by halves; where it narrows, the first line
    // below the middle is the widest left.
    auto moveDown = [&](int64_t pw) {
        const int64_t last = H - step - aPadV;  // the lowest y an advance accepts
        const int64_t lines = last >= y + step ? (last - y) / step : 0;
        auto fitsAt = [&](int64_t k) { return pw <= shape.AvailAt(y + k * step); };
        auto moveTo = [&](int64_t k) {
            y += k * step;
            shape.Moved(y);
        };
        // Lines k = 1 .. widening lie at or above the middle.
        const int64_t widening = 2 * (y + step) <= H ? std::min(lines, (H - 2 * y) / (2 * step)) : 0;
        if (widening > 0 && fitsAt(widening)) {
            int64_t lo = 1, hi = widening;
            while (lo < hi) {
                const int64_t mid = lo + (hi - lo) / 2;
                if (fitsAt(mid))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            moveTo(lo);
            return true;
        }
        if (widening < lines && fitsAt(widening + 1)) {
            moveTo(widening + 1);
            return true;
        }
        moveTo(lines + 1);
        return false;
    };

    while (!scan.AtEnd() && (boxH == 0 || y <= boxH - step - aPadV)) {
        if (scan.AtBreak()) {
            scan.SkipBreak(true);
            if (!scan.LineEmpty() && (boxH == 0 || y <= boxH - step)) {
                const QString text = scan.LineText();
                emitLine(scan.Break(), text);
            } else {
                scan.DropLine();  // a blank line only takes its step
            }
            advance();
            // Scanning goes on at the new position in the same pass.
        }
        const QString piece = scan.NextPiece();
        const int64_t pw = w(piece);
        if (scan.LineEmpty() && pw > shape.Avail()) {
            if (!shape.Curved())
                return 0;
            // Down the outline until it is wide enough, or the piece is dropped.
            if (moveDown(pw))
                scan.SetLine(piece);
            continue;
        }
        if (!scan.Joins(piece, shape.Avail(), w)) {
            const QString text = scan.LineText();
            const TKVRLineRange r = scan.Wrap(piece);
            if (y + aPadV < boxH || boxH == 0)
                emitLine(r, text);
            advance();
        } else {
            scan.Join(piece);
        }
    }
    if (!scan.LineEmpty() && (boxH == 0 || y <= boxH - step - aPadV)) {
        const QString text = scan.LineText();
        emitLine(scan.Finish(), text);
    }

    if (fTxt.size() == 1) {
        TKVRTxtInf& line = fTxt.front();
        line.Y = boxH / 2 - step / 2;
        if (aFlowType == 5 || aFlowType == 13 || aFlowType == 14) {
            QString text = txt.mid(line.Start - 1, line.Length);
            while (!text.isEmpty() && (text.back() == u' ' || TKVRLineScanner::IsBreak(text.back())))
                text.chop(1);
            line.X = shape.X(line.Y, w(text));
        }
    } else if (fTxt.size() > 1 && aFlowType != 0 && aFlowType != 4) {
        const int64_t spare = boxH - int64_t(fTxt.size()) * step - 2 * int64_t(aPadV);
        if (spare > 0)
            for (TKVRTxtInf& line : fTxt)
                line.Y += spare / 2;
    }
    return boxH != 0 ? Height32(boxH) : Height32(y + step);
}
