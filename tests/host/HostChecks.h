#pragma once
// What the host program checks, and how it tells.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdio>

class TVXLabelFMX;

// Counts failures and prints each.
struct THostChecks
{
    int Failures = 0;
    void Expect(bool aHolds, const QByteArray& aWhat)
    {
        if (!aHolds) {
            ++Failures;
            std::printf("FAILED: %s\n", aWhat.constData());
        }
    }
};

// The document's red rectangle as a widget painted it: pixels of strong red.
inline int RedPixels(const QImage& aImage)
{
    int n = 0;
    for (int y = 0; y < aImage.height(); ++y)
        for (int x = 0; x < aImage.width(); ++x) {
            const QRgb c = aImage.pixel(x, y);
            n += qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
        }
    return n;
}

// The form of every designable property, compiled by uic and loaded by
// QUiLoader through the installed Designer plugin, on aDoc; its editor's
// picture in aShots when given.
void CheckForms(THostChecks& aChecks, TVXLabelFMX& aDoc, const QString& aShots);
