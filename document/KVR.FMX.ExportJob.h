#pragma once
// The export job: one page of a label document written to a PDF, XPS, BMP,
// PNG, GIF or JPEG file on a thread of its own, over a private copy of the
// document taken when the job starts.
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

class TVXLabelFMX;

namespace KVRExportKind {
constexpr TKVRExport Pdf = 0;
constexpr TKVRExport Xps = 1;
constexpr TKVRExport Bmp = 2;
constexpr TKVRExport Png = 3;
constexpr TKVRExport Gif = 4;
constexpr TKVRExport Jpeg = 5;
}

// How a job ended: Error is empty on success; Refused names the records and
// elements whose barcode value the symbology would not take; Notes tells what
// the labels lack without stopping the job (a data file that could not be read).
struct TKVRExportResult
{
    QString FileName;
    QString Error;
    QStringList Refused;
    QStringList Notes;
    bool Ok() const { return Error.isEmpty(); }
};
using TKVRExportDone = std::function<void(const TKVRExportResult&)>;

// The page of an export, pure arithmetic over micrometres.
struct TKVRExportPage
{
    double Width = 0;    // pixels at Dpi
    double Height = 0;
    int32_t Dpi = 96;
    float OriginX = 0;   // screen origin of the fit layout, pixels before the scale
    float OriginY = 0;
};

namespace KVRExport {
// 0.2 to 5.0; a value that is not a number exports at 1.
float ClampScale(double aScale);
// 300 dots per inch for PDF and XPS, 96 for the images.
int32_t DpiOf(TKVRExport aType);
// Sheet layout: the paper times the scale.
TKVRExportPage SheetPage(int64_t aPaperWidth, int64_t aPaperHeight, float aScale, int32_t aDpi);
// Fit layout: the elements' extent plus one millimetre of paper round it, at
// the drawing scale (below 1 taken as 1); never under 10 pixels a side.
TKVRExportPage FitPage(const TKVRExtent& aExtent, int32_t aDrawScale, float aScale, int32_t aDpi);
// Largest raster page side and area the job paints.
constexpr int32_t MaxRasterSide = 32000;
constexpr int64_t MaxRasterPixels = int64_t(16000) * 16000;
}

// One export run. Construct on the user-interface thread: the document is
// copied there; the job then starts, paints and writes the copy on its own
// thread and reports its end through aDone on the constructing thread, after
// which it deletes itself.
class TExportThread : public QThread
{
public:
    TExportThread(const TVXLabelFMX& aLabel, TKVRExport aType, const QString& aFileName, float aScale, bool aFit,
                  bool aCheckData, bool aTransparent, int16_t aQuality, int32_t aPage, TKVRExportDone aDone);
    ~TExportThread() override;

protected:
    void run() override;

private:
    std::unique_ptr<TVXLabelFMX> fDoc;  // the job's own copy
    TKVRExport fExportType;
    QString fFileName;
    float fScale;
    bool fFit;
    bool fCheckData;    // a run without labels is refused, as a print refuses it
    bool fTransparent;  // PNG and GIF over a transparent background
    int16_t fQuality;   // JPEG quality, 0 to 100
    int32_t fPage;  // the page asked for, else the document's current one
    TKVRExportResult fResult;
    TKVRExportDone fDone;
    // Set last by the job's thread: whoever deletes the job after wait()
    // reads the result and the copy after it. (Qt's own hand-over in wait()
    // is out of ThreadSanitizer's sight, Qt not being built for it.)
    std::atomic<bool> fRan{false};

    void Run();
    void Execute();
};
