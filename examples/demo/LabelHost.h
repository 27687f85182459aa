#pragma once
#include <QString>

class TVXLabelFMX;

// A demo page that holds a label document: the File menu saves, prints and
// exports the label of the page in front.
class LabelHost
{
public:
    virtual ~LabelHost() = default;
    virtual TVXLabelFMX& Document() = 0;
    virtual QString LabelTitle() const = 0;
    // The file the label was opened from or last saved to; empty for none
    // (File › Save then asks for a name).
    virtual QString LabelFile() const { return QString(); }
    virtual void SetLabelFile(const QString& aFileName) { (void)aFileName; }
    // What a print or an export reported; pages that have room show it.
    virtual void ShowReport(const QString& aReport) { (void)aReport; }
};
