// Printed dashes measure their nominal length on every paper surface: a
// raster printer canvas at any turn and a PDF read back by poppler.
#include "render/KVR.FMX.LineTypes.h"
#include "tests/render/PdfPaper.h"
#include "tests/render/RenderTestSupport.h"
#include <QLineF>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr int kDpi = 300;
constexpr float kPen = 0.05f;  // mm: thinner than one device unit at 300 dpi
constexpr double kDash = 3.0 * kDpi / 25.4;  // type 7: 3 mm on, 3 mm off

double Darkness(const QImage& img, double x, double y)
{
    // Bilinear, so the measure does not depend on where the line falls
    // between pixel centres.
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    auto at = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= img.width() || py >= img.height())
            return 0.0;
        return 255.0 - qGray(img.pixel(px, py));
    };
    return (1 - fx) * (1 - fy) * at(x0, y0) + fx * (1 - fy) * at(x0 + 1, y0) + (1 - fx) * fy * at(x0, y0 + 1) +
           fx * fy * at(x0 + 1, y0 + 1);
}

// Lengths (pixels) of the inked and empty runs along the centre line from a
// to b, the first starting at the first ink; the ink across the line is
// summed, and a run ends where it falls well below its height, so a faint
// thin line measures as a bold one.
std::vector<double> RunsAlong(const QImage& img, QPointF a, QPointF b)
{
    const QLineF line(a, b);
    const QPointF u = (b - a) / line.length();
    const QPointF n(-u.y(), u.x());
    constexpr double step = 0.125;
    std::vector<double> ink;
    for (double t = 0; t <= line.length(); t += step) {
        double sum = 0;
        for (double s = -2.0; s <= 2.0; s += 0.25) {
            const QPointF p = a + u * t + n * s;
            sum += Darkness(img, p.x() - 0.5, p.y() - 0.5) * 0.25;
        }
        ink.push_back(sum);
    }
    std::vector<double> sorted = ink;
    std::sort(sorted.begin(), sorted.end());
    const double cut = 0.35 * sorted[sorted.size() * 3 / 4];  // well below a dash's middle
    std::vector<double> runs;
    size_t i = 0;
    while (i < ink.size() && ink[i] < cut)
        ++i;
    while (i < ink.size()) {
        const bool on = ink[i] >= cut;
        size_t n0 = 0;
        for (; i < ink.size() && (ink[i] >= cut) == on; ++i)
            ++n0;
        runs.push_back(double(n0) * step);
    }
    // A speck of antialiasing just past a dash's end belongs to the dash.
    for (size_t k = 1; k + 1 < runs.size();) {
        if (runs[k] < 1.0 && runs[k + 1] < 1.0) {
            runs[k - 1] += runs[k] + runs[k + 1];
            runs.erase(runs.begin() + long(k), runs.begin() + long(k) + 2);
        } else {
            ++k;
        }
    }
    if (!runs.empty())
        runs.pop_back();  // the last run meets the end of the line
    return runs;
}

// Every dash and gap within a pixel of the nominal length (a pixel of the
// grid spans up to 1.41 units along a turned line: aPixel), and the pattern's
// period, averaged over the line, within a quarter of a unit.
void ExpectNominal(const std::vector<double>& runs, const std::string& look, double aPixel = 1.0)
{
    ASSERT_GE(runs.size(), 6u) << look;
    for (size_t i = 0; i < runs.size(); ++i) {
        EXPECT_NEAR(runs[i], kDash, aPixel) << look << ": run " << i;
    }
    const size_t pairs = runs.size() / 2;
    double period = 0;
    for (size_t i = 0; i < 2 * pairs; ++i)
        period += runs[i];
    EXPECT_NEAR(period / double(pairs), 2 * kDash, 0.25) << look;
}

// The length of a grid pixel along a line of this direction.
double PixelAlong(double dx, double dy)
{
    return std::hypot(dx, dy) / std::max(std::fabs(dx), std::fabs(dy));
}

void ThinDashedPen(TKVRDraw& d)
{
    AdjustPrintLineType(&d, kPen, 7);
    d.pC->Stroke().SetThickness(d.DrawBasePtoX(kPen));
    d.pC->Stroke().SetColor(0xFF000000);
}

}  // namespace

TEST(PrintDashes, ThinPenDashesMeasureTheirLengthInPdf)
{
    // A 0.05 mm pen is 0.59 units wide at 300 dpi: dashes of 3 mm are 35.4 units.
    const QImage page = PdfPaper(60, 10, kDpi, [](TKVRDraw& d) {
        ThinDashedPen(d);
        d.pC->DrawLine({0, 60}, {700, 60}, 1.0f);
        // The same pen on an outline: an ellipse's top.
        d.pC->DrawEllipse({40, 80, 660, 2000}, 1.0f);
    }, QStringLiteral("print-dash-thin-pdf.png"));
    ASSERT_FALSE(page.isNull()) << "poppler could not read the PDF";
    ExpectNominal(RunsAlong(page, {0, 60}, {700, 60}), "pdf line");
}

TEST(PrintDashes, ThinPenDashesMeasureTheirLengthOnARasterCanvasAtAnyTurn)
{
    PaperContext p(800, 800, kDpi);
    ThinDashedPen(p.d);
    TCanvas& c = p.Canvas();
    c.DrawLine({20, 20}, {780, 20}, 1.0f);                                        // straight
    c.DrawLine({20, 100}, {20 + 700 * 0.866f, 100 + 700 * 0.5f}, 1.0f);           // turned 30 degrees
    c.DrawLine({20, 400}, {520, 780}, 1.0f);                                      // steep, about 37 degrees
    // Turned by the canvas's matrix: a straight line in its own frame.
    const float angle = float(std::numbers::pi / 4);
    c.SetMatrix(TMatrix::CreateRotation(angle) * TMatrix::CreateTranslation(300, 60));
    c.DrawLine({0, 0}, {600, 0}, 1.0f);
    const QImage& img = p.Done();
    ImageProbes::SaveForLooking(img, QStringLiteral("print-dash-thin-raster.png"));

    ExpectNominal(RunsAlong(img, {20, 20}, {780, 20}), "straight");
    ExpectNominal(RunsAlong(img, {20, 100}, {20 + 700 * 0.866, 100 + 700 * 0.5}), "30 degrees",
                  PixelAlong(0.866, 0.5));
    ExpectNominal(RunsAlong(img, {20, 400}, {520, 780}), "37 degrees", PixelAlong(500, 380));
    // Measured to short of its end, inside its last dash.
    const double c45 = std::cos(double(angle)) * 580, s45 = std::sin(double(angle)) * 580;
    ExpectNominal(RunsAlong(img, {300, 60}, {300 + c45, 60 + s45}), "matrix 45 degrees", PixelAlong(1, 1));
}
