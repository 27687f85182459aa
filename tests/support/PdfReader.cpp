#include "tests/support/PdfReader.h"
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <stdexcept>

QString RunTool(const QString& aTool, const QStringList& aArgs)
{
    QProcess p;
    p.start(aTool, aArgs);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(aTool.toStdString() + " failed: " + p.readAllStandardError().toStdString());
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& aPdf)
{
    const auto m = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(RunTool(QStringLiteral("pdfinfo"), {aPdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF PdfPageSize(const QString& aPdf)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {aPdf});
    const auto m = QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

std::vector<TPdfPageWord> PdfPageWords(const QString& aPdf)
{
    const QString html = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), aPdf, QStringLiteral("-")});
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<TPdfPageWord> words;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page")))
            ++page;
        else
            words.push_back({page, m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                             m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

QString PdfText(const QString& aPdf)
{
    return RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), aPdf, QStringLiteral("-")});
}

std::vector<QImage> RasterisePages(const QString& aPdf, int aDpi)
{
    QTemporaryDir dir;
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(aDpi), QStringLiteral("-png"), aPdf, dir.filePath(QStringLiteral("p"))});
    std::vector<QImage> pages;
    for (const QString& f : QDir(dir.path()).entryList({QStringLiteral("p-*.png")}, QDir::Files, QDir::Name))
        pages.push_back(QImage(dir.filePath(f)));
    return pages;
}

QImage RenderXps(const QString& aXps, int aDpi)
{
    QTemporaryDir dir;
    RunTool(QStringLiteral("xpstopng"), {QStringLiteral("-r"), QString::number(aDpi), aXps, dir.filePath(QStringLiteral("p"))});
    return QImage(dir.filePath(QStringLiteral("p-1.png")));
}
