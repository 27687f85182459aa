#pragma once
#include "examples/demo/LabelHost.h"
#include "examples/demo/ShowcasePage.h"
#include "document/KVR.FMX.h"
#include <QString>
#include <functional>
#include <memory>

// A page that shows the elements of a small A4 document at full size (its tab
// scrolls), painted through each element's DrawElement as the preview does,
// and prints them to PDF through PrintElement as the print job does.
class ElementsPage : public ShowcasePage, public LabelHost
{
public:
    using Builder = std::function<void(TKVRBaseLabel&)>;
    ElementsPage(const QString& title, const Builder& build, QWidget* parent = nullptr);

    TVXLabelFMX& Document() override { return *fDocument; }
    QString LabelTitle() const override { return Title(); }
    // Prints every element onto one A4 page at 300 dpi; false when the file cannot be written.
    bool PrintToPdf(const QString& fileName);

protected:
    void PaintSample(TKVRDraw& draw) override;

private:
    std::unique_ptr<TVXLabelFMX> fDocument;
};
