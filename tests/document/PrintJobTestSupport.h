#pragma once
// A label document printed through a PDF-file printer, and what poppler
// reads back from the file.
#include "document/KVR.FMX.h"
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <vector>

struct TPdfPageWord
{
    int page = 0;  // from 1
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points
};

// The PDF-file device "PDF test" in the printer's list while it lives.
class TPdfPrinterFixture
{
public:
    TPdfPrinterFixture();
    ~TPdfPrinterFixture();
    int32_t Index() const { return fIndex; }
    QString FileName() const { return fDir.filePath(QStringLiteral("labels.pdf")); }
    QString Folder() const { return fDir.path(); }

private:
    QTemporaryDir fDir;
    int32_t fIndex = -1;
};

// A sheet of 3 columns and 8 rows of 70 x 37 mm on A4 (top margin 0.5 mm);
// each label: the field "Name" as a text at (3, 3) mm and the field "Code"
// as a Code 128 at (3, 12) mm, 15 mm high. Records "Lbl-01"/"C0001", ...
void BuildSheet(TVXLabelFMX& aDoc, const QString& aCsvFile, int aRecords);

QString RunTool(const QString& aTool, const QStringList& aArgs);
int PdfPages(const QString& aPdf);
// Page size in points.
QSizeF PdfPageSize(const QString& aPdf);
std::vector<TPdfPageWord> PdfPageWords(const QString& aPdf);
// Every page rasterised by pdftoppm at aDpi.
std::vector<QImage> RasterisePages(const QString& aPdf, int aDpi);
