#pragma once
// Reads PDF (and XPS) files back with tools nobody here wrote: poppler's
// pdfinfo, pdftotext and pdftoppm, and libgxps's xpstopng. Free of gtest: a
// tool that fails raises std::runtime_error with what it said.
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

struct TPdfPageWord
{
    int page = 0;  // from 1
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points
};

// Standard output of a program that must end with status 0 within a minute.
QString RunTool(const QString& aTool, const QStringList& aArgs);
int PdfPages(const QString& aPdf);
// Page size in points.
QSizeF PdfPageSize(const QString& aPdf);
std::vector<TPdfPageWord> PdfPageWords(const QString& aPdf);
// The text in content-stream order (pdftotext -raw).
QString PdfText(const QString& aPdf);
// Every page rasterised by pdftoppm at aDpi.
std::vector<QImage> RasterisePages(const QString& aPdf, int aDpi);
// The first page of an XPS file rendered by xpstopng at aDpi.
QImage RenderXps(const QString& aXps, int aDpi);
