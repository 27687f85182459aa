#include "tests/support/PrintQueue.h"
#include "platform/fmx/TPrinter.h"
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

TPdfPrinterFixture::TPdfPrinterFixture(const QString& aName) : fName(aName)
{
    fIndex = Printer().AddFileDevice(fName, FileName());
}

TPdfPrinterFixture::~TPdfPrinterFixture()
{
    Printer().RemoveFileDevice(fName);
}

std::optional<TPrintQueue> PrintQueueFromEnvironment()
{
    TPrintQueue q{qEnvironmentVariable("KVR_TEST_PRINT_QUEUE"), qEnvironmentVariable("KVR_TEST_PRINT_OUTPUT"), {}};
    if (q.name.isEmpty() || q.output.isEmpty())
        return std::nullopt;
    q.lock = std::make_shared<QLockFile>(q.output + QStringLiteral(".lock"));
    q.lock->setStaleLockTime(0);
    if (!q.lock->tryLock(300000))
        return std::nullopt;
    return q;
}

bool WaitForPrintedFile(const QString& aFile, int aMs)
{
    QElapsedTimer timer;
    timer.start();
    qint64 lastSize = -1;
    while (timer.elapsed() < aMs) {
        QFile f(aFile);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            if (bytes.size() > 0 && bytes.size() == lastSize && bytes.contains("%%EOF"))
                return true;
            lastSize = bytes.size();
        }
        QThread::msleep(200);
    }
    return false;
}
