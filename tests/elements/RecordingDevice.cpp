#include "tests/elements/RecordingDevice.h"
#include <QTextItem>
#include <cmath>

namespace {
class TRecordingEngine : public QPaintEngine
{
public:
    explicit TRecordingEngine(TRecordingDevice& aDevice) : QPaintEngine(AllFeatures), fDevice(aDevice) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& aState) override
    {
        const DirtyFlags f = aState.state();
        if (f & DirtyPen)
            fPen = aState.pen();
        if (f & DirtyBrush)
            fBrush = aState.brush();
        if (f & DirtyTransform)
            fMatrix = aState.transform();
    }

    void drawPath(const QPainterPath& aPath) override
    {
        TRecordedOp op;
        op.Path = aPath;
        op.Pen = fPen;
        op.Brush = fBrush;
        op.Matrix = fMatrix;
        fDevice.Ops.push_back(op);
    }

    void drawPolygon(const QPointF* aPoints, int aCount, PolygonDrawMode aMode) override
    {
        QPainterPath p;
        p.addPolygon(QPolygonF(QList<QPointF>(aPoints, aPoints + aCount)));
        if (aMode != PolylineMode)
            p.closeSubpath();
        drawPath(p);
    }

    void drawTextItem(const QPointF& aAt, const QTextItem& aItem) override
    {
        TRecordedOp op;
        op.IsText = true;
        op.Pen = fPen;
        op.Matrix = fMatrix;
        op.TextAt = aAt;
        op.Glyphs = int(aItem.text().size());
        fDevice.Ops.push_back(op);
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

private:
    TRecordingDevice& fDevice;
    QPen fPen;
    QBrush fBrush;
    QTransform fMatrix;
};
}  // namespace

double TRecordedOp::DeviceWidth() const
{
    return Pen.widthF() * std::sqrt(std::fabs(Matrix.determinant()));
}

int TRecordedOp::Count(QPainterPath::ElementType aType) const
{
    int n = 0;
    for (int i = 0; i < Path.elementCount(); ++i)
        n += Path.elementAt(i).type == aType ? 1 : 0;
    return n;
}

TRecordingDevice::TRecordingDevice(int aWidth, int aHeight, int aDpi)
    : fWidth(aWidth), fHeight(aHeight), fDpi(aDpi), fEngine(std::make_unique<TRecordingEngine>(*this))
{
}

TRecordingDevice::~TRecordingDevice() = default;

QPaintEngine* TRecordingDevice::paintEngine() const
{
    return fEngine.get();
}

int TRecordingDevice::metric(PaintDeviceMetric aMetric) const
{
    switch (aMetric) {
    case PdmWidth: return fWidth;
    case PdmHeight: return fHeight;
    case PdmWidthMM: return int(fWidth * 25.4 / fDpi);
    case PdmHeightMM: return int(fHeight * 25.4 / fDpi);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return fDpi;
    case PdmDepth: return 32;
    case PdmNumColors: return INT_MAX;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}

std::vector<TRecordedOp> TRecordingDevice::Strokes() const
{
    std::vector<TRecordedOp> r;
    for (const auto& op : Ops)
        if (op.Stroked())
            r.push_back(op);
    return r;
}

std::vector<TRecordedOp> TRecordingDevice::Fills() const
{
    std::vector<TRecordedOp> r;
    for (const auto& op : Ops)
        if (op.Filled())
            r.push_back(op);
    return r;
}

std::vector<TRecordedOp> TRecordingDevice::Texts() const
{
    std::vector<TRecordedOp> r;
    for (const auto& op : Ops)
        if (op.IsText)
            r.push_back(op);
    return r;
}
