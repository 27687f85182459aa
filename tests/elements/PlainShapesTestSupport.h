#pragma once
// Helpers shared by the tests of the plain shapes: round trips through a
// class's own readers, paintings on twin surfaces, colour probes.
#include "tests/elements/ElementTestSupport.h"
#include <QBuffer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace plain {

constexpr int kDpi = 300;
constexpr int kWidth = 600;
constexpr int kHeight = 400;

constexpr TAlphaColor kRed = 0xFFFF0000;
constexpr TAlphaColor kBlue = 0xFF0000FF;
constexpr TAlphaColor kGreen = 0xFF00A000;

using JsonReadFn = std::function<TKVRBaseItem*(TKVRBaseLabel*, int32_t, const TJsonObject&)>;

// Pixels whose colour leans clearly to one primary, blended or not.
inline bool Leans(QRgb p, TAlphaColor aColour)
{
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    switch (aColour) {
    case kRed: return r - std::max(g, b) > 60;
    case kBlue: return b - std::max(r, g) > 60;
    case kGreen: return g - std::max(r, b) > 60;
    default: return false;
    }
}

inline int CountColour(const QImage& image, TAlphaColor aColour, const QRect& aArea = QRect())
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRect area = aArea.isNull() ? img.rect() : (aArea & img.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += Leans(img.pixel(x, y), aColour) ? 1 : 0;
    return n;
}

inline QRect ColourBounds(const QImage& image, TAlphaColor aColour)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Leans(img.pixel(x, y), aColour))
                box |= QRect(x, y, 1, 1);
    return box;
}

inline std::string Box(const QRect& r)
{
    if (r.isNull())
        return "(nothing)";
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + " - " + std::to_string(r.right()) + "," +
           std::to_string(r.bottom());
}

// Micrometres to pixels of the test surfaces.
inline double Px(int64_t aMicrometres)
{
    return double(aMicrometres) * kDpi / 25400.0;
}

// The element painted by Draw on a screen surface, and by Print on paper.
inline QImage Screen(TKVRBaseItem& aItem, const QString& aLook = QString())
{
    ScreenSurface s(kWidth, kHeight, kDpi);
    aItem.DrawElement(&s.draw);
    QImage img = s.Finish();
    if (!aLook.isEmpty())
        SaveForLook(img, aLook + "-screen");
    return img;
}

inline QImage Paper(TKVRBaseItem& aItem, const QString& aLook = QString())
{
    PaperSurface p(kWidth, kHeight, kDpi);
    aItem.PrintElement(&p.draw);
    QImage img = p.Finish();
    if (!aLook.isEmpty())
        SaveForLook(img, aLook + "-paper");
    return img;
}

// Screen and paper put the element in the same place.
inline void ExpectTwins(TKVRBaseItem& aItem, const QString& aLook, int aTolerance = 2)
{
    const QRect s = InkBounds(Screen(aItem, aLook));
    const QRect p = InkBounds(Paper(aItem, aLook));
    EXPECT_FALSE(s.isEmpty()) << aLook.toStdString();
    EXPECT_TRUE(SameBox(s, p, aTolerance)) << aLook.toStdString() << ": screen " << Box(s) << " paper " << Box(p);
}

// Binary (write, read, write: same bytes) and JSON (the same) through the
// class's own readers; every truncated record raises and adds nothing.
inline void ExpectRoundTrips(TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, const BinaryReadFn& aRead,
                             const JsonReadFn& aReadJson)
{
    const int before = aLabel.GetItemsCount();
    EXPECT_EQ(RoundTripBinary(aLabel, aItem, aRead), WriteBinary(aItem)) << "binary, kind " << aItem.GetKind();
    EXPECT_EQ(aLabel.GetItemsCount(), before + 1);

    const QByteArray json = WriteJsonText(aItem);
    TKVRBaseItem* copy = aReadJson(&aLabel, KVRFileVersion, TJsonObject::parse(json.toStdString()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetKind(), aItem.GetKind());
    EXPECT_EQ(WriteJsonText(*copy), json) << "JSON, kind " << aItem.GetKind();
    EXPECT_EQ(aLabel.GetItemsCount(), before + 2);

    EXPECT_GT(CheckTruncatedRecords(aLabel, aItem, aRead), 10);
    EXPECT_EQ(aLabel.GetItemsCount(), before + 2);
}

// Reads the element's record with a read type and hands back the copy.
inline TKVRBaseItem* ReadAs(TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, const BinaryReadFn& aRead,
                            TKVRReadType aType)
{
    QByteArray bytes = WriteBinary(aItem);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    return aRead(&aLabel, KVRFileVersion, reader, aType);
}

// A per-cell copy (read type 2) is built for previewing; files and pastes are not.
inline void ExpectPreviewFlag(TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, const BinaryReadFn& aRead,
                              const JsonReadFn& aReadJson)
{
    EXPECT_FALSE(ReadAs(aLabel, aItem, aRead, KVRReadType::File)->GetPreview());
    EXPECT_FALSE(ReadAs(aLabel, aItem, aRead, KVRReadType::Paste)->GetPreview());
    TKVRBaseItem* cell = ReadAs(aLabel, aItem, aRead, KVRReadType::CellCopy);
    EXPECT_TRUE(cell->GetPreview());
    EXPECT_EQ(WriteBinary(*cell), WriteBinary(aItem));
    EXPECT_FALSE(aReadJson(&aLabel, KVRFileVersion, aItem.WriteJson())->GetPreview());
}

}  // namespace plain
