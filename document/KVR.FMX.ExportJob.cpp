#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.SheetPaint.h"
#include "document/KVR.FMX.SheetWalk.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.SaveFile.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/skia/System.Skia.h"
#include "platform/skia/TXpsDocument.h"
#include "render/TKVRDraw.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>
#include <gif_lib.h>
#include <mutex>
#include <set>
#include <stdexcept>

namespace {

// Bit 3 of the option words of layers and elements: exported.
constexpr uint16_t kStateExport = 0x0008;
constexpr uint16_t kExported = TKVRBaseItem::StateVisible | kStateExport;

std::runtime_error Failure(const QString& aText)
{
    return std::runtime_error(aText.toStdString());
}

}  // namespace

// ---------------------------------------------------------------- page arithmetic

float KVRExport::ClampScale(double aScale)
{
    if (!std::isfinite(aScale))
        return std::isinf(aScale) && aScale > 0 ? 5.0f : (std::isinf(aScale) ? 0.2f : 1.0f);
    if (aScale < 0.2)
        return 0.2f;
    if (aScale > 5.0)
        return 5.0f;
    return float(aScale);
}

int32_t KVRExport::DpiOf(TKVRExport aType)
{
    return aType == KVRExportKind::Pdf || aType == KVRExportKind::Xps ? 300 : 96;
}

TKVRExportPage KVRExport::SheetPage(int64_t aPaperWidth, int64_t aPaperHeight, float aScale, int32_t aDpi)
{
    TKVRExportPage page;
    page.Dpi = aDpi;
    page.Width = double(aPaperWidth) * aScale * aDpi / 25400.0;
    page.Height = double(aPaperHeight) * aScale * aDpi / 25400.0;
    return page;
}

TKVRExportPage KVRExport::FitPage(const TKVRExtent& aExtent, int32_t aDrawScale, float aScale, int32_t aDpi)
{
    const int64_t ds = aDrawScale < 1 ? 1 : aDrawScale;
    TKVRExtent e = aExtent;
    if (!e.Assigned)
        e.MinX = e.MaxX = e.MinY = e.MaxY = 0;
    const int64_t room = ds * 1000;
    const double left = double(e.MinX - room), top = double(e.MinY - room);
    const double right = double(e.MaxX + room), bottom = double(e.MaxY + room);
    const double k = double(aDpi) / (double(ds) * 25400.0);
    TKVRExportPage page;
    page.Dpi = aDpi;
    page.Width = std::max(10.0, (right - left) * aScale * k);
    page.Height = std::max(10.0, (bottom - top) * aScale * k);
    page.OriginX = float(-left * k);
    page.OriginY = float(-top * k);
    return page;
}

// ---------------------------------------------------------------- painting

namespace {

// Paints the sheet or the fit layout of a document on a canvas.
class TPagePainter
{
public:
    TPagePainter(TVXLabelFMX& aDoc, TKVRExport aType, float aScale, int32_t aDpi)
        : fDoc(aDoc), fType(aType), fScale(aScale), fDpi(aDpi)
    {}

    // The canvas is let go before returning, also on failure: it paints
    // through a painter on the page, which must end before the page is written.
    void Paint(ISkCanvas aCanvas, bool aFit, const TKVRExportPage& aPage, int32_t aCurPage)
    {
        try {
            PaintOn(std::move(aCanvas), aFit, aPage, aCurPage);
        } catch (...) {
            fDraw.kC.reset();
            throw;
        }
        fDraw.kC.reset();
    }

private:
    void PaintOn(ISkCanvas aCanvas, bool aFit, const TKVRExportPage& aPage, int32_t aCurPage)
    {
        aCanvas->Scale(fScale, fScale);
        fDraw.SetResolution(fDpi, fDpi, fDoc.GetMeasure().GetDrawScale());
        fDraw.SetStandardWidths();
        fDraw.DrawState = KVRDrawState::Export;
        fDraw.Zoom = fScale;
        fDraw.kC = aCanvas;
        fDraw.kP = std::make_shared<TSkPaint>();
        fDraw.kP->SetAntiAlias(true);
        if (fType != KVRExportKind::Pdf && fType != KVRExportKind::Xps) {
            fDraw.kP->SetStrokeCap(TSkStrokeCap::Round);
            fDraw.kP->SetStrokeJoin(TSkStrokeJoin::Round);
        }
        if (aFit) {
            fDraw.ScreenOffsetX = aPage.OriginX;
            fDraw.ScreenOffsetY = aPage.OriginY;
            fDoc.DrawBackImage(aCanvas, fDraw);
            for (int32_t i = 1; i <= fDoc.GetItemsCount(); ++i)
                if (Exported(fDoc.GetItem(i)))
                    fDoc.GetItem(i)->DrawElement(&fDraw);
        } else {
            PaintSheet(aCurPage);
        }
    }

    TVXLabelFMX& fDoc;
    TKVRExport fType;
    float fScale;
    int32_t fDpi;
    TKVRDraw fDraw;

public:
    // Labels whose barcode value its symbology refused.
    QStringList fRefused;

private:

    bool Exported(const TKVRBaseItem* aItem) const { return KVRGoesToOutput(fDoc, *aItem, kExported); }

    void PaintSheet(int32_t aCurPage) { fRefused << KVRPaintSheet(fDoc, fDraw, aCurPage, kExported); }
};

int GifWrite(GifFileType* aGif, const GifByteType* aData, int aLength)
{
    auto* device = static_cast<QIODevice*>(aGif->UserData);
    return int(device->write(reinterpret_cast<const char*>(aData), aLength));
}

// With aTransparent, pixels of no opacity take an entry of their own that the
// file names transparent.
void WriteGif(const QImage& aImage, QIODevice& aDevice, bool aTransparent)
{
    QImage indexed = aImage.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QList<QRgb> table = indexed.colorTable();
    int clear = -1;
    if (aTransparent) {
        for (int y = 0; y < aImage.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(aImage.constScanLine(y));
            for (int x = 0; x < aImage.width(); ++x) {
                if (qAlpha(line[x]) != 0)
                    continue;
                if (clear < 0) {
                    if (table.size() >= 256)
                        throw Failure(QStringLiteral("Error saving Bitmap to gif: too many colours for a transparent GIF"));
                    clear = int(table.size());
                    table.append(qRgba(255, 255, 255, 0));
                }
                indexed.scanLine(y)[x] = uchar(clear);
            }
        }
    }
    int size = 2;
    while (size < table.size())
        size *= 2;
    int error = 0;
    GifFileType* gif = EGifOpen(&aDevice, GifWrite, &error);
    if (!gif)
        throw Failure(QStringLiteral("Error saving Bitmap to gif: %1").arg(QString::fromUtf8(GifErrorString(error))));
    ColorMapObject* map = GifMakeMapObject(size, nullptr);
    for (int i = 0; i < size; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(255, 255, 255);
        map->Colors[i] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK;
    if (ok && clear >= 0) {
        EGifSetGifVersion(gif, true);
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, clear};
        GifByteType block[4];
        EGifGCBToExtension(&control, block);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y)
        ok = EGifPutLine(gif, indexed.scanLine(y), indexed.width()) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok)
        error = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok)
        throw Failure(QStringLiteral("Error saving Bitmap to gif: %1").arg(QString::fromUtf8(GifErrorString(error))));
}

}  // namespace

// ---------------------------------------------------------------- the job

namespace {

// Jobs still running when the application goes would be cut off mid-file by
// the process's exit, painting while the statics they use are torn down;
// the application waits for them first. Jobs come and go on the
// user-interface thread.
std::set<TExportThread*>& LiveJobs()
{
    static std::set<TExportThread*> jobs;
    return jobs;
}

void FinishLiveJobs()
{
    while (!LiveJobs().empty())
        delete *LiveJobs().begin();  // waits for the run; its report has nobody left to hear it
}

}  // namespace

TExportThread::TExportThread(const TVXLabelFMX& aLabel, TKVRExport aType, const QString& aFileName, float aScale,
                             bool aFit, bool aCheckData, bool aTransparent, int16_t aQuality, int32_t aPage,
                             TKVRExportDone aDone)
    : fDoc(std::make_unique<TVXLabelFMX>()), fExportType(aType), fFileName(aFileName),
      fScale(KVRExport::ClampScale(aScale)), fFit(aFit), fCheckData(aCheckData), fTransparent(aTransparent),
      fQuality(aQuality), fPage(aPage > 0 ? aPage : aLabel.GetPrintInfo().GetCurPage()), fDone(std::move(aDone))
{
    fResult.FileName = aFileName;
    // The copy is taken here, on the caller's thread: the user goes on
    // editing the document while the job paints.
    try {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        aLabel.SaveToStream(buffer);
        buffer.close();
        buffer.open(QIODevice::ReadOnly);
        fDoc->CopyFolders(aLabel);
        fDoc->LoadFromStream(buffer);
        fDoc->SetData(aLabel.GetData());
        const QString data = aLabel.GetData().RecordsProblem();
        if (aLabel.GetPrintInfo().GetWithData() && !data.isEmpty())
            fResult.Notes << data;
        // Values typed by hand are shown on screen: the file shows them too.
        for (auto value = aLabel.GetDataValues().cbegin(); value != aLabel.GetDataValues().cend(); ++value)
            fDoc->SetDataValue(value.key(), value.value());
    } catch (const std::exception& e) {
        fResult.Error = QString::fromStdString(e.what());
    }
    connect(this, &QThread::finished, this, [this] {
        (void)fRan.load(std::memory_order_acquire);
        if (fDone)
            fDone(fResult);
        deleteLater();
    });
    static std::once_flag waitAtExit;
    std::call_once(waitAtExit, [] { qAddPostRoutine(FinishLiveJobs); });
    LiveJobs().insert(this);
    start();
}

TExportThread::~TExportThread()
{
    wait();
    (void)fRan.load(std::memory_order_acquire);
    LiveJobs().erase(this);
}

void TExportThread::run()
{
    Run();
    fRan.store(true, std::memory_order_release);
}

void TExportThread::Run()
{
    if (!fResult.Error.isEmpty())
        return;
    try {
        Execute();
    } catch (const std::exception& e) {
        fResult.Error = QString::fromStdString(e.what());
    } catch (...) {
        fResult.Error = QStringLiteral("Export failed");
    }
}

void TExportThread::Execute()
{
    if (fExportType > KVRExportKind::Jpeg)
        throw Failure(QStringLiteral("Unknown export kind %1").arg(fExportType));
    // The copy carries no run: the job always prepares one of its own.
    fDoc->TKVRSharedFMX::CheckPrintData();
    // Checked as a print checks it: a run without labels would be a blank
    // page reported as written. Refused before the file is opened, so a
    // file of that name stays as it was.
    if (fCheckData) {
        const QString none = fDoc->NoLabelsReason();
        if (!none.isEmpty())
            throw Failure(none);
    }
    if (fPage > 1 && fPage <= fDoc->GetPrintInfo().GetNumPages())
        fDoc->GetPrintInfo().SetCurPage(fPage);
    const int32_t dpi = KVRExport::DpiOf(fExportType);
    // Any page fits: the window passes the page it shows.
    const bool fit = fFit;
    TKVRExportPage page;
    if (fit) {
        TKVRExtent extent;
        for (int32_t i = 1; i <= fDoc->GetItemsCount(); ++i)
            fDoc->GetItem(i)->CheckFit(extent);
        page = KVRExport::FitPage(extent, fDoc->GetMeasure().GetDrawScale(), fScale, dpi);
    } else {
        page = KVRExport::SheetPage(fDoc->GetMeasure().GetSize(0), fDoc->GetMeasure().GetSize(1), fScale, dpi);
    }
    TPagePainter painter(*fDoc, fExportType, fScale, dpi);
    const int32_t curPage = fDoc->GetPrintInfo().GetCurPage();

    // Unbuffered, so a short write (a full disk) is seen, not lost in a buffer.
    QSaveFile file(fFileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(QStringLiteral("%1: %2").arg(fFileName, file.errorString()));
    // The page is encoded in memory and written whole: Qt's PNG and JPEG
    // writers lose their buffers when a write fails under them.
    QByteArray bytes;
    QBuffer encoded(&bytes);
    encoded.open(QIODevice::WriteOnly);

    // A document page over white; the painter ends also when painting fails.
    auto PaintOn = [&](QPaintDevice& aDevice, const char* aWhat) {
        QPainter p;
        if (!p.begin(&aDevice))
            throw Failure(QStringLiteral("%1: the %2 page cannot be started").arg(fFileName, aWhat));
        p.fillRect(QRectF(0, 0, aDevice.width(), aDevice.height()), Qt::white);
        try {
            painter.Paint(TSkCanvas::Make(&p), fit, page, curPage);
        } catch (...) {
            p.end();
            throw;
        }
        p.end();
    };
    if (fExportType == KVRExportKind::Pdf) {
        QPdfWriter writer(&encoded);
        writer.setResolution(dpi);
        const QSizeF size(page.Width * 25.4 / dpi, page.Height * 25.4 / dpi);
        writer.setPageSize(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        PaintOn(writer, "PDF");
    } else if (fExportType == KVRExportKind::Xps) {
        TXpsDocument xps(int(std::lround(page.Width)), int(std::lround(page.Height)), dpi);
        PaintOn(xps, "XPS");
        QString error;
        if (!xps.Save(encoded, error))
            throw Failure(QStringLiteral("%1: %2").arg(fFileName, error));
    } else {
        if (!std::isfinite(page.Width) || !std::isfinite(page.Height) || page.Width > KVRExport::MaxRasterSide ||
            page.Height > KVRExport::MaxRasterSide ||
            std::llround(page.Width) * std::llround(page.Height) > KVRExport::MaxRasterPixels)
            throw Failure(QStringLiteral("The page of %1 × %2 pixels is too large for an image")
                              .arg(std::llround(page.Width))
                              .arg(std::llround(page.Height)));
        QImage image(int(std::lround(page.Width)), int(std::lround(page.Height)), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            throw Failure(QStringLiteral("Not enough memory for an image of %1 × %2 pixels")
                              .arg(std::lround(page.Width))
                              .arg(std::lround(page.Height)));
        // Only PNG and GIF keep a transparent background; BMP and JPEG have no alpha.
        const bool clear = fTransparent && (fExportType == KVRExportKind::Png || fExportType == KVRExportKind::Gif);
        image.fill(clear ? Qt::transparent : Qt::white);
        // The scale is resolution, not size: a viewer opens the page at its paper size.
        const int dotsPerMetre = int(std::lround(double(dpi) * fScale / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        painter.Paint(TSkCanvas::Make(&image), fit, page, curPage);
        if (fExportType == KVRExportKind::Gif) {
            WriteGif(image, encoded, clear);
        } else {
            const char* format = fExportType == KVRExportKind::Bmp   ? "bmp"
                                 : fExportType == KVRExportKind::Png ? "png"
                                                                     : "jpg";
            QImageWriter writer(&encoded, format);
            if (fExportType == KVRExportKind::Jpeg)
                writer.setQuality(std::clamp<int>(fQuality, 0, 100));
            const QImage out = fExportType == KVRExportKind::Jpeg || fExportType == KVRExportKind::Bmp
                                   ? image.convertToFormat(QImage::Format_RGB32)
                                   : image;
            if (!writer.write(out))
                throw Failure(QStringLiteral("Error saving Bitmap to %1: %2")
                                  .arg(QLatin1String(format), writer.errorString()));
        }
    }
    fResult.Refused = painter.fRefused;
    encoded.close();
    const QString failure = KVRCommitWhole(file, bytes);
    if (!failure.isEmpty())
        throw Failure(QStringLiteral("%1: %2").arg(fFileName, failure));
}
