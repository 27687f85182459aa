#pragma once
// A one-page XPS document as a paint device: QPainter draws on it, paths,
// glyph outlines and images are recorded as fixed-page markup, and Save
// writes the package (a zip of the page, its images and the parts that name them).
#include <QByteArray>
#include <QPaintDevice>
#include <QString>
#include <memory>

class QIODevice;
class TXpsPaintEngine;

class TXpsDocument : public QPaintDevice
{
public:
    // A page of aWidth x aHeight device pixels at aDpi dots per inch.
    TXpsDocument(int aWidth, int aHeight, int aDpi);
    ~TXpsDocument() override;

    QPaintEngine* paintEngine() const override;
    // The whole package; false, with the reason in aError, when it cannot be made.
    bool Save(QIODevice& aDevice, QString& aError) const;
    // The page's markup, for looking at what was recorded.
    QByteArray PageMarkup() const;

protected:
    int metric(PaintDeviceMetric aMetric) const override;

private:
    int fWidth;
    int fHeight;
    int fDpi;
    std::unique_ptr<TXpsPaintEngine> fEngine;
};
