#pragma once
// The platform printer over QPrinter: the device list, the active device, the
// paper and resolution it prints with, and one document at a time drawn on a
// TCanvas across its pages.
#include <QPageLayout>
#include <QPageSize>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;
class QPrinter;
class TCanvas;

class EPrinter : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class TPrinterOrientation { poPortrait, poLandscape };

class TPrinter
{
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The machine's queues, then the file devices added here.
    int32_t Count() const;
    QStringList Names() const;
    // A device that writes each document as a PDF file, replaced whole at
    // EndDoc, at the resolutions listed (horizontal, for both axes), the first
    // being its default. Returns its index; a device of that name is replaced.
    int32_t AddFileDevice(const QString& aName, const QString& aFileName, std::vector<QPoint> aDPIs = {{1200, 1200}});
    void RemoveFileDevice(const QString& aName);

    // Raises EPrinter for an index that names no device, or while printing.
    void SetActivePrinter(int32_t aIndex);
    int32_t GetActivePrinter() const { return fActive; }

    TPrinterOrientation GetOrientation() const { return fOrientation; }
    void SetOrientation(TPrinterOrientation aValue);
    // Paper in tenths of a millimetre, given upright (width across the
    // portrait sheet); the orientation turns it.
    void SetPaperSize(int32_t aWidthTenths, int32_t aLengthTenths);
    QPageLayout GetPageLayout() const;

    // Resolutions of the active device, horizontal and vertical dots per inch.
    int32_t DPICount() const;
    QPoint GetDPI(int32_t aIndex) const;
    // The listed resolution nearest to the one asked for, made active.
    void SelectDPI(int32_t aX, int32_t aY);
    void SetActiveDPIIndex(int32_t aIndex);
    int32_t GetActiveDPIIndex() const { return fDPIIndex; }

    QString Title;

    // Starts a document on the active device; raises EPrinter when it cannot.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Drops the document: nothing of it reaches the device.
    void Abort();
    bool GetAborted() const { return fAborted; }
    bool GetPrinting() const { return fPainter != nullptr; }
    // Page size of the document under way, in device pixels.
    int32_t PageWidth() const;
    int32_t PageHeight() const;
    // Canvas over the document's pages; only while printing.
    TCanvas* Canvas() const { return fCanvas.get(); }

private:
    struct TDevice
    {
        QString Name;
        QString FileName;  // empty: a queue of the machine
        std::vector<QPoint> DPIs;
    };
    std::vector<TDevice> Devices() const;
    void Finish();

    std::vector<TDevice> fFileDevices;
    int32_t fActive = -1;
    TPrinterOrientation fOrientation = TPrinterOrientation::poPortrait;
    QPageSize fPaper = QPageSize(QPageSize::A4);
    int32_t fDPIIndex = 0;
    bool fAborted = false;
    QString fOutputFile;
    std::unique_ptr<QPrinter> fPrinter;
    std::unique_ptr<QPainter> fPainter;
    std::unique_ptr<TCanvas> fCanvas;
};

// The process's printer; user-interface thread only.
TPrinter& Printer();
