#pragma once
// A paint device that records what a QPainter sends to its engine instead of
// rasterising it: every path with the pen, brush and matrix in force, and
// every text run with its matrix. Lets tests check geometry exactly.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QBrush>
#include <QTransform>
#include <memory>
#include <vector>

struct TRecordedOp
{
    bool IsText = false;
    QPainterPath Path;  // local units, as handed over
    QPen Pen;
    QBrush Brush;
    QTransform Matrix;
    QPointF TextAt;     // text: where the run starts, local units
    int Glyphs = 0;

    bool Stroked() const { return !IsText && Pen.style() != Qt::NoPen; }
    bool Filled() const { return !IsText && Brush.style() != Qt::NoBrush; }
    // The path in device pixels.
    QPainterPath DevicePath() const { return Matrix.map(Path); }
    // The pen's width in device pixels (uniform scale assumed).
    double DeviceWidth() const;
    // Elements of a kind (QPainterPath::CurveToElement and so on).
    int Count(QPainterPath::ElementType aType) const;
};

class TRecordingDevice : public QPaintDevice
{
public:
    TRecordingDevice(int aWidth, int aHeight, int aDpi);
    ~TRecordingDevice() override;
    QPaintEngine* paintEngine() const override;
    std::vector<TRecordedOp> Ops;

    std::vector<TRecordedOp> Strokes() const;
    std::vector<TRecordedOp> Fills() const;
    std::vector<TRecordedOp> Texts() const;

protected:
    int metric(PaintDeviceMetric aMetric) const override;

private:
    int fWidth, fHeight, fDpi;
    std::unique_ptr<QPaintEngine> fEngine;
};
