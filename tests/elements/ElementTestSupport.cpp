#include "tests/elements/ElementTestSupport.h"
#include "platform/rtl/KVR.Math.h"
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
void SetUp(TKVRDraw& draw, QImage& image, int width, int height, int dpi, int drawScale)
{
    image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    // The device's resolution is what printer font sizes are measured against.
    const int dotsPerMetre = RoundHalfEven32(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    draw.SetResolution(dpi, dpi, drawScale);
    draw.SetStandardWidths();
}

bool Inked(QRgb p, int threshold)
{
    return qAlpha(p) > 0 && (qRed(p) < threshold || qGreen(p) < threshold || qBlue(p) < threshold);
}
}  // namespace

ScreenSurface::ScreenSurface(int width, int height, int dpi, int drawScale)
{
    SetUp(draw, image, width, height, dpi, drawScale);
    draw.DrawState = KVRDrawState::Preview;
    draw.kC = TSkCanvas::Make(&image);
    draw.kP = std::make_shared<TSkPaint>();
}

ScreenSurface::~ScreenSurface() = default;

const QImage& ScreenSurface::Finish()
{
    draw.kC.reset();
    return image;
}

PaperSurface::PaperSurface(int width, int height, int dpi, int drawScale)
{
    SetUp(draw, image, width, height, dpi, drawScale);
    draw.DrawState = KVRDrawState::Print;
    canvas = std::make_unique<TCanvas>(&image);
    canvas->BeginScene();
    draw.pC = canvas.get();
}

PaperSurface::~PaperSurface()
{
    Finish();
}

const QImage& PaperSurface::Finish()
{
    if (canvas) {
        if (canvas->IsInScene())
            canvas->EndScene();
        draw.pC = nullptr;
        canvas.reset();
    }
    return image;
}

QRect InkBounds(const QImage& image, int threshold)
{
    return PixelBounds(image, QRect(), [&](QRgb p) { return Inked(p, threshold); });
}

int InkCount(const QImage& image, int threshold)
{
    return PixelCount(image, QRect(), [&](QRgb p) { return Inked(p, threshold); });
}

::testing::AssertionResult SameBox(const QRect& a, const QRect& b, int tolerance)
{
    if (std::abs(a.left() - b.left()) <= tolerance && std::abs(a.top() - b.top()) <= tolerance &&
        std::abs(a.right() - b.right()) <= tolerance && std::abs(a.bottom() - b.bottom()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << RectText(a) << " vs " << RectText(b) << " (tolerance " << tolerance << ")";
}

QByteArray WriteBinary(const TKVRBaseItem& item)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TBinaryWriter writer(&buffer);
    item.Write(writer);
    return bytes;
}

QByteArray WriteJsonText(const TKVRBaseItem& item)
{
    return QByteArray::fromStdString(item.WriteJson().dump());
}

TKVRBaseItem* ReadRecord(TKVRBaseLabel& label, const QByteArray& record, const BinaryReadFn& read,
                         TKVRReadType type)
{
    QByteArray bytes = record;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    return read(&label, KVRFileVersion, reader, type);
}

QByteArray RoundTripBinary(TKVRBaseLabel& label, const TKVRBaseItem& item, const BinaryReadFn& read)
{
    QByteArray bytes = WriteBinary(item);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    EXPECT_EQ(reader.ReadInt32(), item.GetKind());
    TKVRBaseItem* copy = read(&label, KVRFileVersion, reader, KVRReadType::File);
    EXPECT_EQ(reader.Remaining(), 0) << "the reader left bytes unread";
    return copy ? WriteBinary(*copy) : QByteArray();
}

int CheckTruncatedRecords(TKVRBaseLabel& label, const TKVRBaseItem& item, const BinaryReadFn& read)
{
    const QByteArray whole = WriteBinary(item);
    const int before = label.GetItemsCount();
    int tried = 0;
    for (int size = 4; size < whole.size(); ++size) {
        QByteArray part = whole.left(size);
        QBuffer buffer(&part);
        buffer.open(QIODevice::ReadOnly);
        TBinaryReader reader(&buffer);
        reader.ReadInt32();
        EXPECT_ANY_THROW(read(&label, KVRFileVersion, reader, KVRReadType::File)) << "prefix of " << size << " bytes";
        EXPECT_EQ(label.GetItemsCount(), before) << "prefix of " << size << " bytes";
        ++tried;
    }
    return tried;
}

bool LeansTo(QRgb p, TAlphaColor colour)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    const int cr = int((colour >> 16) & 0xFF), cg = int((colour >> 8) & 0xFF), cb = int(colour & 0xFF);
    if (cr == cg && cg == cb)
        return std::max({r, g, b}) < 190 && std::max({r, g, b}) - std::min({r, g, b}) < 30;
    if (cr >= std::max(cg, cb))
        return r - std::max(g, b) > 60;
    if (cg >= std::max(cr, cb))
        return g - std::max(r, b) > 60;
    return b - std::max(r, g) > 60;
}

int CountLeaning(const QImage& image, TAlphaColor colour, const QRect& area)
{
    return PixelCount(image, area, [&](QRgb p) { return LeansTo(p, colour); });
}

QRect LeaningBounds(const QImage& image, TAlphaColor colour, const QRect& area)
{
    return PixelBounds(image, area, [&](QRgb p) { return LeansTo(p, colour); });
}

std::string RectText(const QRect& r)
{
    if (r.isNull())
        return "(nothing)";
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + " - " + std::to_string(r.right()) + "," +
           std::to_string(r.bottom());
}

TScreenPaper PaintScreenAndPaper(TKVRBaseItem& item, int width, int height, int dpi, int drawScale,
                                 TKVRDrawState screenState, int printOffsetX)
{
    TScreenPaper t;
    {
        ScreenSurface s(width, height, dpi, drawScale);
        s.draw.DrawState = screenState;
        item.DrawElement(&s.draw);
        t.Screen = s.Finish().copy();
    }
    {
        PaperSurface p(width + printOffsetX, height, dpi, drawScale);
        p.draw.PrintOffsetX = printOffsetX;
        item.PrintElement(&p.draw);
        t.Paper = p.Finish().copy();
    }
    return t;
}
