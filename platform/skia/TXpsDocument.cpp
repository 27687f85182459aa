#include "platform/skia/TXpsDocument.h"
#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <vector>
#include <zip.h>

namespace {

QByteArray Num(double aValue)
{
    if (!std::isfinite(aValue))
        aValue = 0;
    return QByteArray::number(aValue, 'f', 3);
}

QByteArray Colour(const QColor& aColour)
{
    return QByteArray("#") + QByteArray::number(aColour.rgba(), 16).rightJustified(8, '0').toUpper();
}

// Abbreviated path geometry; the fill rule first.
QByteArray PathData(const QPainterPath& aPath)
{
    QByteArray d = aPath.fillRule() == Qt::WindingFill ? "F 1" : "F 0";
    QPointF start;
    for (int i = 0; i < aPath.elementCount(); ++i) {
        const QPainterPath::Element e = aPath.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            d += " M " + Num(e.x) + ',' + Num(e.y);
            start = e;
            break;
        case QPainterPath::LineToElement:
            d += " L " + Num(e.x) + ',' + Num(e.y);
            break;
        case QPainterPath::CurveToElement: {
            if (i + 2 >= aPath.elementCount())
                break;
            const QPainterPath::Element c2 = aPath.elementAt(i + 1), to = aPath.elementAt(i + 2);
            d += " C " + Num(e.x) + ',' + Num(e.y) + ' ' + Num(c2.x) + ',' + Num(c2.y) + ' ' + Num(to.x) + ',' +
                 Num(to.y);
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
        // A subpath back at its start is closed, so its corner joins.
        const bool last = i + 1 >= aPath.elementCount() || aPath.elementAt(i + 1).type == QPainterPath::MoveToElement;
        const QPointF here(aPath.elementAt(i).x, aPath.elementAt(i).y);
        if (last && e.type != QPainterPath::MoveToElement && here == start)
            d += " Z";
    }
    return d;
}

QByteArray Matrix(const QTransform& t)
{
    return Num(t.m11()) + ',' + Num(t.m12()) + ',' + Num(t.m21()) + ',' + Num(t.m22()) + ',' + Num(t.dx()) + ',' +
           Num(t.dy());
}

QColor BrushColour(const QBrush& aBrush)
{
    if (const QGradient* g = aBrush.gradient(); g && !g->stops().isEmpty())
        return g->stops().first().second;
    return aBrush.color();
}

}  // namespace

// Records what QPainter draws as fixed-page markup in device pixels.
class TXpsPaintEngine : public QPaintEngine
{
public:
    TXpsPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    QByteArray fBody;
    std::vector<QByteArray> fImages;  // PNG bytes, named 1.png, 2.png, ...

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& s) override
    {
        const QPaintEngine::DirtyFlags f = s.state();
        if (f & DirtyPen)
            fPen = s.pen();
        if (f & DirtyBrush)
            fBrush = s.brush();
        if (f & DirtyTransform)
            fTransform = s.transform();
        if (f & DirtyClipEnabled)
            fClipOn = s.isClipEnabled();
        if (f & (DirtyClipPath | DirtyClipRegion)) {
            QPainterPath clip;
            if (f & DirtyClipPath)
                clip = s.clipPath();
            else
                clip.addRegion(s.clipRegion());
            clip = s.transform().map(clip);
            switch (s.clipOperation()) {
            case Qt::NoClip: fClipOn = false; fClip = QPainterPath(); break;
            case Qt::ReplaceClip: fClip = clip; fClipOn = true; break;
            case Qt::IntersectClip: fClip = fClipOn ? fClip.intersected(clip) : clip; fClipOn = true; break;
            }
        }
    }

    void drawPath(const QPainterPath& aPath) override
    {
        const QPainterPath path = fTransform.map(aPath);
        QByteArray attrs;
        if (fBrush.style() != Qt::NoBrush)
            attrs += " Fill=\"" + Colour(BrushColour(fBrush)) + '"';
        if (fPen.style() != Qt::NoPen) {
            const double scale = std::sqrt(std::abs(fTransform.determinant()));
            const double width = fPen.isCosmetic() ? std::max(1.0, fPen.widthF()) : fPen.widthF() * scale;
            attrs += " Stroke=\"" + Colour(BrushColour(fPen.brush())) + "\" StrokeThickness=\"" + Num(width) + '"';
            const Qt::PenCapStyle capStyle = fPen.capStyle();
            const Qt::PenJoinStyle joinStyle = fPen.joinStyle();
            const char* cap = capStyle == Qt::RoundCap ? "Round" : capStyle == Qt::SquareCap ? "Square" : "Flat";
            const char* join = joinStyle == Qt::RoundJoin ? "Round" : joinStyle == Qt::BevelJoin ? "Bevel" : "Miter";
            attrs += QByteArray(" StrokeStartLineCap=\"") + cap + "\" StrokeEndLineCap=\"" + cap +
                     "\" StrokeDashCap=\"" + cap + "\" StrokeLineJoin=\"" + join + '"';
            if (fPen.style() != Qt::SolidLine) {
                QByteArray dashes;
                for (const qreal v : fPen.dashPattern())
                    dashes += (dashes.isEmpty() ? "" : " ") + Num(v);
                if (!dashes.isEmpty())
                    attrs += " StrokeDashArray=\"" + dashes + "\" StrokeDashOffset=\"" + Num(fPen.dashOffset()) + '"';
            }
        }
        if (attrs.isEmpty() || path.isEmpty())
            return;
        Emit("<Path Data=\"" + PathData(path) + '"' + attrs + "/>");
    }

    void drawPolygon(const QPointF* aPoints, int aCount, PolygonDrawMode aMode) override
    {
        QPainterPath path;
        path.setFillRule(aMode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        path.addPolygon(QPolygonF(QList<QPointF>(aPoints, aPoints + aCount)));
        if (aMode != PolylineMode)
            path.closeSubpath();
        if (aMode == PolylineMode) {
            const QBrush brush = fBrush;
            fBrush = Qt::NoBrush;
            drawPath(path);
            fBrush = brush;
        } else {
            drawPath(path);
        }
    }

    void drawPoints(const QPointF* aPoints, int aCount) override
    {
        const QBrush brush = fBrush;
        const QPen pen = fPen;
        fBrush = fPen.brush();
        fPen = Qt::NoPen;
        const double w = std::max(1.0, pen.widthF());
        QPainterPath path;
        for (int i = 0; i < aCount; ++i)
            path.addRect(QRectF(aPoints[i].x() - w / 2, aPoints[i].y() - w / 2, w, w));
        drawPath(path);
        fBrush = brush;
        fPen = pen;
    }

    // Text: the base engine fills the glyphs' outlines through drawPath.

    void drawPixmap(const QRectF& aRect, const QPixmap& aPixmap, const QRectF& aSource) override
    {
        drawImage(aRect, aPixmap.toImage(), aSource, Qt::AutoColor);
    }

    void drawImage(const QRectF& aRect, const QImage& aImage, const QRectF& aSource, Qt::ImageConversionFlags) override
    {
        QImage part = aImage.copy(aSource.toAlignedRect()).convertToFormat(QImage::Format_ARGB32);
        if (part.isNull())
            return;
        // One image pixel is one unit of the brush's view box.
        part.setDotsPerMeterX(3780);
        part.setDotsPerMeterY(3780);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!part.save(&buffer, "PNG"))
            return;
        fImages.push_back(png);
        const QByteArray name =
            "/Documents/1/Resources/Images/" + QByteArray::number(qulonglong(fImages.size())) + ".png";
        QPainterPath rect;
        rect.addRect(aRect);
        Emit("<Path RenderTransform=\"" + Matrix(fTransform) + "\" Data=\"" + PathData(rect) +
             "\"><Path.Fill><ImageBrush ImageSource=\"" + name + "\" Viewbox=\"0,0," + Num(part.width()) + ',' +
             Num(part.height()) + "\" ViewboxUnits=\"Absolute\" Viewport=\"" + Num(aRect.x()) + ',' + Num(aRect.y()) +
             ',' + Num(aRect.width()) + ',' + Num(aRect.height()) +
             "\" ViewportUnits=\"Absolute\" TileMode=\"None\"/></Path.Fill></Path>");
    }

private:
    QPen fPen;
    QBrush fBrush;
    QTransform fTransform;
    QPainterPath fClip;
    bool fClipOn = false;

    void Emit(const QByteArray& aElement)
    {
        if (fClipOn)
            fBody += "<Canvas Clip=\"" + PathData(fClip) + "\">" + aElement + "</Canvas>\n";
        else
            fBody += aElement + '\n';
    }
};

TXpsDocument::TXpsDocument(int aWidth, int aHeight, int aDpi)
    : fWidth(std::max(1, aWidth)), fHeight(std::max(1, aHeight)), fDpi(std::max(1, aDpi)),
      fEngine(std::make_unique<TXpsPaintEngine>())
{}

TXpsDocument::~TXpsDocument() = default;

QPaintEngine* TXpsDocument::paintEngine() const
{
    return fEngine.get();
}

int TXpsDocument::metric(PaintDeviceMetric aMetric) const
{
    switch (aMetric) {
    case PdmWidth: return fWidth;
    case PdmHeight: return fHeight;
    case PdmWidthMM: return int(std::lround(fWidth * 25.4 / fDpi));
    case PdmHeightMM: return int(std::lround(fHeight * 25.4 / fDpi));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return fDpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

QByteArray TXpsDocument::PageMarkup() const
{
    // Sizes of the page are 1/96 inch; what was drawn is in device pixels.
    const double k = 96.0 / fDpi;
    return "<FixedPage xmlns=\"http://schemas.microsoft.com/xps/2005/06\" xml:lang=\"und\" Width=\"" +
           Num(fWidth * k) + "\" Height=\"" + Num(fHeight * k) + "\">\n<Canvas RenderTransform=\"" + Num(k) + ",0,0," +
           Num(k) + ",0,0\">\n" + fEngine->fBody + "</Canvas>\n</FixedPage>\n";
}

bool TXpsDocument::Save(QIODevice& aDevice, QString& aError) const
{
    std::vector<std::pair<QByteArray, QByteArray>> parts;
    parts.emplace_back(
        "[Content_Types].xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Types "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"fdseq\" ContentType=\"application/vnd.ms-package.xps-fixeddocumentsequence+xml\"/>"
        "<Default Extension=\"fdoc\" ContentType=\"application/vnd.ms-package.xps-fixeddocument+xml\"/>"
        "<Default Extension=\"fpage\" ContentType=\"application/vnd.ms-package.xps-fixedpage+xml\"/>"
        "<Default Extension=\"png\" ContentType=\"image/png\"/></Types>\n");
    parts.emplace_back("_rels/.rels",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships "
                       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                       "<Relationship Id=\"R0\" Type=\"http://schemas.microsoft.com/xps/2005/06/fixedrepresentation\" "
                       "Target=\"/FixedDocumentSequence.fdseq\"/></Relationships>\n");
    parts.emplace_back("FixedDocumentSequence.fdseq",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixedDocumentSequence "
                       "xmlns=\"http://schemas.microsoft.com/xps/2005/06\"><DocumentReference "
                       "Source=\"/Documents/1/FixedDocument.fdoc\"/></FixedDocumentSequence>\n");
    parts.emplace_back("Documents/1/FixedDocument.fdoc",
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixedDocument "
                       "xmlns=\"http://schemas.microsoft.com/xps/2005/06\"><PageContent "
                       "Source=\"/Documents/1/Pages/1.fpage\"/></FixedDocument>\n");
    parts.emplace_back("Documents/1/Pages/1.fpage", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + PageMarkup());
    QByteArray rels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Relationships "
                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (size_t i = 0; i < fEngine->fImages.size(); ++i) {
        const QByteArray name = "Documents/1/Resources/Images/" + QByteArray::number(qulonglong(i + 1)) + ".png";
        parts.emplace_back(name, fEngine->fImages[i]);
        rels += "<Relationship Id=\"I" + QByteArray::number(qulonglong(i + 1)) +
                "\" Type=\"http://schemas.microsoft.com/xps/2005/06/required-resource\" Target=\"/" + name + "\"/>";
    }
    rels += "</Relationships>\n";
    parts.emplace_back("Documents/1/Pages/_rels/1.fpage.rels", rels);

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!memory) {
        aError = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return false;
    }
    zip_source_keep(memory);
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
    bool ok = archive != nullptr;
    if (!ok)
        aError = QString::fromUtf8(zip_error_strerror(&error));
    for (const auto& [name, bytes] : parts) {
        if (!ok)
            break;
        zip_source_t* s = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ok = s && zip_file_add(archive, name.constData(), s, ZIP_FL_ENC_UTF_8) >= 0;
        if (!ok) {
            if (s)
                zip_source_free(s);
            aError = QString::fromUtf8(zip_strerror(archive));
        }
    }
    if (archive) {
        if (!ok) {
            zip_discard(archive);
        } else if (zip_close(archive) < 0) {
            aError = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            ok = false;
        }
    }
    QByteArray out;
    if (ok && zip_source_open(memory) == 0) {
        zip_source_seek(memory, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(memory);
        zip_source_seek(memory, 0, SEEK_SET);
        out.resize(qsizetype(std::max<zip_int64_t>(0, size)));
        ok = size >= 0 && zip_source_read(memory, out.data(), zip_uint64_t(size)) == size;
        zip_source_close(memory);
        if (!ok)
            aError = QStringLiteral("the package cannot be read back from memory");
    } else if (ok) {
        ok = false;
        aError = QStringLiteral("the package cannot be read back from memory");
    }
    zip_source_free(memory);
    zip_error_fini(&error);
    if (ok && aDevice.write(out) != out.size()) {
        aError = aDevice.errorString();
        ok = false;
    }
    return ok;
}
