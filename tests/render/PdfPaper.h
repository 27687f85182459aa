#pragma once
// Paper that is a real PDF: painted through the printer canvas into a
// QPdfWriter, then rasterised by poppler's pdftoppm, so what is measured is
// what a PDF reader shows.
#include "platform/fmx/FMX.Graphics.h"
#include "render/KVR.FMX.Types.h"
#include "tests/support/ImageProbes.h"
#include "tests/support/PdfReader.h"
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <functional>

// Paints aPaint on a page of aWidth x aHeight mm at aDpi (the context's
// resolution and the PDF's), rasterises it at the same resolution and gives
// the picture (null when poppler cannot read the file). With a name, keeps
// the picture for a person to look at (KVR_TEST_PNG_DIR).
inline QImage PdfPaper(double aWidth, double aHeight, int aDpi, const std::function<void(TKVRDraw&)>& aPaint,
                       const QString& aName = QString())
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("paper.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(aDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(aWidth, aHeight), QPageSize::Millimeter),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        TCanvas canvas(painter);
        canvas.BeginScene();
        TKVRDraw d;
        d.SetResolution(aDpi, aDpi);
        d.DrawState = KVRDrawState::Print;
        d.pC = &canvas;
        aPaint(d);
        canvas.EndScene();
    }
    const std::vector<QImage> pages = RasterisePages(pdf, aDpi);
    if (pages.empty())
        return QImage();
    const QImage& img = pages.front();
    if (!aName.isEmpty())
        ImageProbes::SaveForLooking(img, aName);
    return img.convertToFormat(QImage::Format_ARGB32);
}
