#pragma once
// Printers the print tests and benchmarks print to: a PDF-file device of the
// platform printer, and the machine's CUPS file queue that scripts/test.sh
// starts (scripts/print-queue.sh) and names in the environment.
#include <QLockFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <optional>

// The PDF-file device aName in the printer's list while it lives.
class TPdfPrinterFixture
{
public:
    explicit TPdfPrinterFixture(const QString& aName = QStringLiteral("PDF test"));
    ~TPdfPrinterFixture();
    TPdfPrinterFixture(const TPdfPrinterFixture&) = delete;
    TPdfPrinterFixture& operator=(const TPdfPrinterFixture&) = delete;
    int32_t Index() const { return fIndex; }
    QString FileName() const { return fDir.filePath(QStringLiteral("labels.pdf")); }
    QString Folder() const { return fDir.path(); }

private:
    QString fName;
    QTemporaryDir fDir;
    int32_t fIndex = -1;
};

struct TPrintQueue
{
    QString name;    // as the printer lists it
    QString output;  // the file the queue writes
    // Tests run side by side and the queue writes one file: it is theirs
    // alone while this is held.
    std::shared_ptr<QLockFile> lock;
};
// The queue named by KVR_TEST_PRINT_QUEUE and KVR_TEST_PRINT_OUTPUT, if set,
// locked for the caller.
std::optional<TPrintQueue> PrintQueueFromEnvironment();
// Waits until the queue has written the whole file (it ends in the PDF's
// trailer, or in the job language that wraps it); false after aMs.
bool WaitForPrintedFile(const QString& aFile, int aMs);
