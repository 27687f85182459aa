#include "platform/fmx/TPrinter.h"
#include "platform/fmx/TCanvas.h"
#include <QFile>
#include <QMarginsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <limits>

namespace {
// A file device writes here first, so an aborted document leaves the last whole file.
QString PartName(const QString& aFileName)
{
    return aFileName + QStringLiteral(".part");
}
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter()
{
    if (fPainter)
        Abort();
}

std::vector<TPrinter::TDevice> TPrinter::Devices() const
{
    std::vector<TDevice> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        TDevice device{info.printerName(), {}, {}};
        for (int dpi : info.supportedResolutions())
            if (dpi > 0)
                device.DPIs.emplace_back(dpi, dpi);
        if (device.DPIs.empty()) {
            const int dpi = QPrinter(info, QPrinter::HighResolution).resolution();
            device.DPIs.emplace_back(dpi, dpi);
        }
        list.push_back(std::move(device));
    }
    list.insert(list.end(), fFileDevices.begin(), fFileDevices.end());
    return list;
}

int32_t TPrinter::Count() const
{
    return int32_t(Devices().size());
}

QStringList TPrinter::Names() const
{
    QStringList names;
    for (const TDevice& device : Devices())
        names << device.Name;
    return names;
}

int32_t TPrinter::AddFileDevice(const QString& aName, const QString& aFileName, std::vector<QPoint> aDPIs)
{
    if (aDPIs.empty())
        aDPIs.emplace_back(1200, 1200);
    // Qt's printer has one resolution for both axes.
    for (QPoint& dpi : aDPIs)
        dpi.setY(dpi.x());
    RemoveFileDevice(aName);
    fFileDevices.push_back({aName, aFileName, std::move(aDPIs)});
    return Count() - 1;
}

void TPrinter::RemoveFileDevice(const QString& aName)
{
    if (fPainter)
        throw EPrinter("Printing in progress");
    std::erase_if(fFileDevices, [&](const TDevice& d) { return d.Name == aName; });
    fActive = -1;
}

void TPrinter::SetActivePrinter(int32_t aIndex)
{
    if (fPainter)
        throw EPrinter("Printing in progress");
    if (aIndex < 0 || aIndex >= Count())
        throw EPrinter("Printer selected is not valid");
    fActive = aIndex;
    fDPIIndex = 0;
}

void TPrinter::SetOrientation(TPrinterOrientation aValue)
{
    fOrientation = aValue;
}

void TPrinter::SetPaperSize(int32_t aWidthTenths, int32_t aLengthTenths)
{
    if (aWidthTenths <= 0 || aLengthTenths <= 0)
        throw EPrinter("The paper has no size");
    fPaper = QPageSize(QSizeF(aWidthTenths / 10.0, aLengthTenths / 10.0), QPageSize::Millimeter, QString(),
                       QPageSize::ExactMatch);
}

QPageLayout TPrinter::GetPageLayout() const
{
    return QPageLayout(fPaper,
                       fOrientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

int32_t TPrinter::DPICount() const
{
    const std::vector<TDevice> list = Devices();
    return fActive >= 0 && fActive < int32_t(list.size()) ? int32_t(list[size_t(fActive)].DPIs.size()) : 0;
}

QPoint TPrinter::GetDPI(int32_t aIndex) const
{
    const std::vector<TDevice> list = Devices();
    if (fActive < 0 || fActive >= int32_t(list.size()))
        throw EPrinter("No printer is selected");
    const std::vector<QPoint>& dpis = list[size_t(fActive)].DPIs;
    if (aIndex < 0 || aIndex >= int32_t(dpis.size()))
        throw EPrinter("Resolution index out of range");
    return dpis[size_t(aIndex)];
}

void TPrinter::SelectDPI(int32_t aX, int32_t aY)
{
    int64_t best = std::numeric_limits<int64_t>::max();
    for (int32_t i = 0; i < DPICount(); ++i) {
        const QPoint dpi = GetDPI(i);
        const int64_t dist = std::llabs(int64_t(dpi.x()) - aX) + std::llabs(int64_t(dpi.y()) - aY);
        if (dist < best) {
            best = dist;
            fDPIIndex = i;
        }
    }
}

void TPrinter::SetActiveDPIIndex(int32_t aIndex)
{
    if (aIndex < 0 || aIndex >= DPICount())
        throw EPrinter("Resolution index out of range");
    fDPIIndex = aIndex;
}

void TPrinter::BeginDoc()
{
    if (fPainter)
        throw EPrinter("Printing in progress");
    const std::vector<TDevice> list = Devices();
    if (fActive < 0 || fActive >= int32_t(list.size()))
        throw EPrinter("Printer selected is not valid");
    const TDevice& device = list[size_t(fActive)];
    const QPoint dpi = GetDPI(fDPIIndex);
    auto printer = device.FileName.isEmpty()
                       ? std::make_unique<QPrinter>(QPrinterInfo::printerInfo(device.Name), QPrinter::HighResolution)
                       : std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!device.FileName.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(PartName(device.FileName));
    }
    printer->setResolution(dpi.x());
    printer->setFullPage(true);
    // A queue with hardware margins refuses a layout without margins; the
    // page is painted from the paper's corner (full page) either way.
    if (!printer->setPageLayout(GetPageLayout())) {
        if (!printer->setPageSize(fPaper))
            throw EPrinter("The printer does not take this paper");
        printer->setPageOrientation(GetPageLayout().orientation());
    }
    printer->setDocName(Title);
    printer->setCreator(Title);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get()))
        throw EPrinter("The printer cannot start the document");
    fAborted = false;
    fOutputFile = device.FileName;
    fPrinter = std::move(printer);
    fPainter = std::move(painter);
    fCanvas = std::make_unique<TCanvas>(*fPainter);
}

void TPrinter::NewPage()
{
    if (!fPainter)
        throw EPrinter("Printer is not printing");
    if (!fPrinter->newPage())
        throw EPrinter("The printer cannot start a new page");
}

void TPrinter::Finish()
{
    fCanvas.reset();
    if (fPainter && fPainter->isActive())
        fPainter->end();
    fPainter.reset();
    fPrinter.reset();
}

void TPrinter::EndDoc()
{
    if (!fPainter)
        throw EPrinter("Printer is not printing");
    Finish();
    if (!fOutputFile.isEmpty()) {
        QFile::remove(fOutputFile);
        if (!QFile::rename(PartName(fOutputFile), fOutputFile))
            throw EPrinter("The document could not be written to " + fOutputFile.toStdString());
    }
}

void TPrinter::Abort()
{
    if (!fPainter)
        return;
    fAborted = true;
    if (fOutputFile.isEmpty())
        fPrinter->abort();
    Finish();
    if (!fOutputFile.isEmpty())
        QFile::remove(PartName(fOutputFile));
}

int32_t TPrinter::PageWidth() const
{
    return fPrinter ? fPrinter->width() : 0;
}

int32_t TPrinter::PageHeight() const
{
    return fPrinter ? fPrinter->height() : 0;
}

TPrinter& Printer()
{
    static TPrinter printer;
    return printer;
}
