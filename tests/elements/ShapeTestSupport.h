#pragma once
// What the tests of the shape and line elements share on top of
// ElementTestSupport: one resolution, the colours they paint with, and an
// element painted on screen and on paper.
#include "tests/elements/ElementTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <gtest/gtest.h>

namespace shape {

constexpr int kDpi = 300;
constexpr int kWidth = 600;
constexpr int kHeight = 400;

constexpr TAlphaColor kRed = 0xFFFF0000;
constexpr TAlphaColor kBlue = 0xFF0000FF;
constexpr TAlphaColor kGreen = 0xFF00A000;
constexpr TAlphaColor kBlack = 0xFF000000;

// Micrometres to pixels of the test surfaces.
inline double Px(double aMicrometres)
{
    return aMicrometres * kDpi / 25400.0;
}

// The square of 2 x aHalf + 1 pixels around a document point.
inline QRect Around(const TKVRPto& aPoint, int aHalf)
{
    return QRect(int(Px(double(aPoint.X))) - aHalf, int(Px(double(aPoint.Y))) - aHalf, 2 * aHalf + 1, 2 * aHalf + 1);
}

// The element on screen (in the preview unless told) and on paper; aLook
// names the case in failure messages and the pictures kept for looking
// (KVR_TEST_PNG_DIR).
inline TScreenPaper Paint(TKVRBaseItem& aItem, const QString& aLook = QString(), int aWidth = kWidth,
                          int aHeight = kHeight, int aScale = 1, TKVRDrawState aState = KVRDrawState::Preview)
{
    TScreenPaper t = PaintScreenAndPaper(aItem, aWidth, aHeight, kDpi, aScale, aState);
    if (!aLook.isEmpty()) {
        ImageProbes::SaveForLooking(t.Screen, aLook + QStringLiteral("-screen.png"));
        ImageProbes::SaveForLooking(t.Paper, aLook + QStringLiteral("-paper.png"));
    }
    return t;
}

inline QImage Screen(TKVRBaseItem& aItem, const QString& aLook = QString())
{
    return Paint(aItem, aLook).Screen;
}

inline QImage Paper(TKVRBaseItem& aItem, const QString& aLook = QString())
{
    return Paint(aItem, aLook).Paper;
}

// Screen and paper put the element's ink in the same place.
inline TScreenPaper ExpectTwins(TKVRBaseItem& aItem, const QString& aLook, int aTolerance = 2, int aWidth = kWidth,
                                int aHeight = kHeight, int aScale = 1)
{
    TScreenPaper t = Paint(aItem, aLook, aWidth, aHeight, aScale);
    const QRect s = InkBounds(t.Screen), p = InkBounds(t.Paper);
    EXPECT_FALSE(s.isEmpty()) << aLook.toStdString();
    EXPECT_TRUE(SameBox(s, p, aTolerance)) << aLook.toStdString();
    return t;
}

}  // namespace shape
