#include "document/KVR.FMX.PrintJob.h"
#include "document/KVR.FMX.h"
#include "platform/fmx/TCanvas.h"
#include "platform/fmx/TPrinter.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "render/TKVRDraw.h"
#include <QScopeGuard>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {
const char* const kNoScene = "It is not possible to perform rendering. BeginScene was not invoked.";

int32_t NextPage(int32_t aPage)
{
    return aPage < std::numeric_limits<int32_t>::max() ? aPage + 1 : aPage;
}

void BeginScene(TCanvas& aCanvas)
{
    if (!aCanvas.BeginScene())
        throw ECanvasException(kNoScene);
}

}  // namespace

// ---------------------------------------------------------------- report

QString TKVRPrintReport::Text() const
{
    QStringList lines;
    lines << QStringLiteral("%1 of %2 %3 printed on %4 %5")
                 .arg(LabelsPrinted)
                 .arg(LabelsToPrint)
                 .arg(LabelsToPrint == 1 ? QStringLiteral("label") : QStringLiteral("labels"))
                 .arg(Pages)
                 .arg(Pages == 1 ? QStringLiteral("page") : QStringLiteral("pages"));
    lines << Reasons;
    if (Aborted)
        lines << QStringLiteral("Printing was aborted: %1").arg(Error);
    for (const TKVRPrintProblem& p : Problems)
        lines << QStringLiteral("Label %1, record %2, element %3 \"%4\": %5")
                     .arg(p.Label)
                     .arg(p.Record)
                     .arg(p.Element)
                     .arg(p.ElementID, p.Message);
    return lines.join(QLatin1Char('\n'));
}

// ---------------------------------------------------------------- cells

int32_t PrintCellOrigin(int64_t aMargin, int32_t aIndex, int64_t aSize, int64_t aGap, int32_t aDpi)
{
    const double micrometres = double(aMargin) + double(aIndex) * (double(aSize) + double(aGap));
    const double pixels = std::nearbyint(micrometres * aDpi / 25400.0);
    return int32_t(std::clamp(pixels, double(std::numeric_limits<int32_t>::min()),
                              double(std::numeric_limits<int32_t>::max())));
}

QString CodeProblem(const TKVRBaseItem& aItem)
{
    if (const auto* code = dynamic_cast<const TKVRBaseBarcode*>(&aItem)) {
        const QString value = code->PrintValue();
        // The print that follows takes this encoding as it stands.
        if (!TBarcode::EncodeBars(value, code->GetBarType(), code->GetChecksum(), code->GetOption(), false,
                                  code->GetShowNumber())
                 .Valid)
            return QStringLiteral("the value \"%1\" is not valid for its barcode type; the symbol was left out")
                .arg(value);
    } else if (const auto* symbol = dynamic_cast<const TKVRBase2DCode*>(&aItem)) {
        const QString value = symbol->PrintValue();
        TKVRSymbolLayout layout;
        if (!symbol->LayoutOf(value, layout))
            return QStringLiteral("the value \"%1\" cannot be encoded in its symbol; the symbol was left out")
                .arg(value);
    } else if (const auto* poly = dynamic_cast<const TKVRBasePoly*>(&aItem)) {
        const QString value = poly->GetCode();
        TKVRSymbolLayout layout;
        if (poly->GetPolyType() == KVRPolyType::Linear &&
            !TBarcode::EncodeBars(value, poly->GetCodeType(), poly->GetChecksum(), false, true, poly->GetShowNumber())
                 .Valid)
            return QStringLiteral("the code \"%1\" is not valid for its barcode type; the element was left out")
                .arg(value);
        if ((poly->GetPolyType() == KVRPolyType::QR || poly->GetPolyType() == KVRPolyType::DataMatrix) &&
            !poly->LayoutOf(value, layout))
            return QStringLiteral("the code \"%1\" cannot be encoded in its symbol; the element was left out")
                .arg(value);
    }
    return {};
}

// ---------------------------------------------------------------- the job

void TPrintThread::Execute()
{
    fReport = {};
    TVXLabelFMX& doc = *fLabel;
    TKVRBasePrintInfo& info = doc.GetPrintInfo();
    const TKVRMeasure& measure = doc.GetMeasure();
    const float savedFontDPI = GetFontPrintDPI();
    fReport.LabelsToPrint = std::max<int64_t>(info.GetTotalLabels() - (info.GetCurLabel() - 1), 0);
    // A run that cannot print says why instead of printing nothing in silence.
    if (info.GetPrinterIndex() < 0)
        fReport.Reasons << QStringLiteral("No printer selected");
    if (fReport.LabelsToPrint == 0)
        fReport.Reasons << doc.NoLabelsReason();
    // No labels, no document: a printer would put out a blank sheet.
    if (!fReport.Reasons.isEmpty())
        return;

    TPrinter& printer = Printer();
    bool begun = false;
    // Protected from the host's event on: it may change the print font resolution.
    try {
        if (doc.OnBeforePrint)
            doc.OnBeforePrint(&doc);
        doc.AddState(TKVRBaseLabel::KVRStatePrinting);
        // After the event, which may choose the start cell; refused before
        // anything is begun: a start cell off the sheet would print off the
        // paper while the records advance.
        TKVRSheetWalk walk(measure.GetRows(), measure.GetColumns(), info.GetFirstRow(), info.GetFirstCol(),
                           info.GetTotalLabels());
        // The pages chosen, all by default; a range off the run is refused, never widened.
        const int64_t from = info.GetFromPage();
        const int64_t to = info.GetToPage() > 0 ? info.GetToPage() : walk.Pages();
        if (from > to || to > walk.Pages())
            throw std::invalid_argument(QStringLiteral("Pages %1 to %2 are not in the run of %3 pages")
                                            .arg(from)
                                            .arg(to)
                                            .arg(walk.Pages())
                                            .toStdString());
        walk.SkipTo(from);
        fReport.LabelsToPrint = walk.LabelsBefore(to + 1) - walk.Done();
        doc.MoveToLabel(walk.Done());
        info.SetCurLabel(walk.Done() + 1);
        info.SetCurPage(int32_t(from));
        fLastPage = to;
        printer.SetActivePrinter(info.GetPrinterIndex());
        const int64_t paperWidth = measure.GetSize(0), paperHeight = measure.GetSize(1);
        const bool landscape = paperWidth > paperHeight;
        printer.SetOrientation(landscape ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait);
        const int32_t across = RoundHalfEven32(double(landscape ? paperHeight : paperWidth) / 100.0);
        const int32_t along = RoundHalfEven32(double(landscape ? paperWidth : paperHeight) / 100.0);
        printer.SetPaperSize(across, along);
        printer.SelectDPI(1200, 1200);
        printer.SetActiveDPIIndex(0);
        const QPoint dpi = printer.GetDPI(0);
        printer.Title = measure.LabelName;
        printer.BeginDoc();
        begun = true;

        TKVRDraw draw;
        draw.ResetMatrix(KVRDrawState::Print);
        draw.pC = printer.Canvas();
        draw.Zoom = 1.0f;
        // Elements are in model micrometres: the drawing scale divides them.
        draw.SetResolution(dpi.x(), dpi.y(), measure.GetDrawScale());
        draw.SetStandardWidths();
        PrintPages(draw, walk);

        if (!printer.GetAborted())
            printer.EndDoc();
        doc.RemoveState(TKVRBaseLabel::KVRStatePrinting);
        if (doc.OnAfterPrint)
            doc.OnAfterPrint(&doc);
    } catch (...) {
        if (begun && printer.GetPrinting())
            printer.Abort();
        doc.RemoveState(TKVRBaseLabel::KVRStatePrinting);
        SetFontPrintDPI(savedFontDPI);
        throw;
    }
    SetFontPrintDPI(savedFontDPI);
}

void TPrintThread::PrintPages(TKVRDraw& aDraw, TKVRSheetWalk& aWalk)
{
    TVXLabelFMX& doc = *fLabel;
    TKVRBasePrintInfo& info = doc.GetPrintInfo();
    const TKVRMeasure& measure = doc.GetMeasure();
    TPrinter& printer = Printer();
    TCanvas& canvas = *printer.Canvas();
    const bool withData = info.GetWithData();
    int64_t page = 0, printed = 0;
    try {
        BeginScene(canvas);
        TKVRSheetWalk::TCell cell;
        // A new page only while labels remain: the walk, not a page count, ends the run.
        while (aWalk.Next(cell) && cell.Page <= fLastPage) {
            if (cell.Page != page) {
                if (page != 0) {
                    while (canvas.IsInScene())
                        canvas.EndScene();
                    printer.NewPage();
                    BeginScene(canvas);
                    info.SetCurPage(NextPage(info.GetCurPage()));
                }
                page = cell.Page;
                ++printed;
            }
            aDraw.PrintOffsetY =
                PrintCellOrigin(measure.GetSize(5), cell.Row - 1, measure.GetSize(3), measure.GetSize(7), aDraw.ResolutionY);
            aDraw.PrintOffsetX =
                PrintCellOrigin(measure.GetSize(4), cell.Col - 1, measure.GetSize(2), measure.GetSize(6), aDraw.ResolutionX);
            aDraw.ResetMatrix(KVRDrawState::Print);
            doc.PrintBackImage(aDraw);
            for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
                TKVRBaseItem* item = doc.GetItem(i);
                // The preview's per-cell copies: the original prints each record itself.
                if (item->GetPreview())
                    continue;
                if (!KVRGoesToOutput(doc, *item, TKVRBaseItem::StatePrintable))
                    continue;
                const QString problem = CodeProblem(*item);
                if (!problem.isEmpty())
                    fReport.Problems.push_back({info.GetCurLabel(), withData ? doc.GetRecordIndex() + 1 : 0, i,
                                                item->GetID(), problem});
                aDraw.ResetMatrix(KVRDrawState::Print);
                item->PrintElement(&aDraw);
            }
            ++fReport.LabelsPrinted;
            doc.NextData();
            info.SetCurLabel(info.GetCurLabel() + 1);
        }
        while (canvas.IsInScene())
            canvas.EndScene();
        info.SetCurPage(NextPage(info.GetCurPage()));
    } catch (const std::exception& e) {
        printer.Abort();
        fReport.Aborted = true;
        fReport.Error = QString::fromUtf8(e.what());
    } catch (...) {
        printer.Abort();
        fReport.Aborted = true;
        fReport.Error = QStringLiteral("Unknown error");
    }
    fReport.Pages = printed;
}

// ---------------------------------------------------------------- the document's print

bool TVXLabelFMX::Print()
{
    fPrintReport = {};
    // The run's per-cell copies go with it, however it ends: left behind they
    // would be painted, counted and listed as the label's own elements.
    const auto dropCopies = qScopeGuard([this] { Clear(KVRClear::Copies, true); });
    CheckPrintData();
    TPrintThread job(this);
    try {
        job.Execute();
    } catch (...) {
        fPrintReport = job.Report();
        throw;
    }
    fPrintReport = job.Report();
    return GetPrintInfo().GetPrinterIndex() >= 0 && fPrintReport.LabelsToPrint > 0 && !fPrintReport.Aborted &&
           fPrintReport.LabelsUnprinted() == 0;
}
