#pragma once
// Printing one element to a PDF file kept by the caller, and poppler's tools
// over it, for the text tests that read more than word boxes.
#include "elements/TKVRParagraph.h"
#include "render/KVR.FMX.Types.h"
#include "tests/elements/ContentTestSupport.h"
#include <QPdfWriter>
#include <QProcess>
#include <gtest/gtest.h>

namespace kvrtest {

// Prints the element through a printer canvas over QPdfWriter at kDpi on a
// page of the given size.
inline void PrintToPdfFile(TKVRBaseItem& item, const QString& path, double widthMm, double heightMm)
{
    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    TCanvas canvas(&writer);
    ASSERT_TRUE(canvas.BeginScene());
    TKVRDraw draw;
    draw.SetResolution(kDpi, kDpi);
    draw.SetStandardWidths();
    draw.DrawState = KVRDrawState::Print;
    draw.pC = &canvas;
    item.PrintElement(&draw);
    canvas.EndScene();
}

// Standard output of a poppler tool (pdftotext, pdffonts) run on a file.
inline QString Poppler(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << tool.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << tool.toStdString() << ": " << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace kvrtest
