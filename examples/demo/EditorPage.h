#pragma once
// The editor on a sample drawing (shapes, texts, codes and a picture) with
// its grid, rulers, guides and a selected element, a toolbar of drawing
// actions, and the inspector beside it listing the selected element's
// properties.
#include "document/KVR.FMX.h"
#include "examples/demo/LabelHost.h"
#include <QWidget>
#include <memory>

class TKVREditor;
class TKVRInspector;

class EditorPage : public QWidget, public LabelHost
{
public:
    explicit EditorPage(QWidget* parent = nullptr);
    ~EditorPage() override;
    TVXLabelFMX& Document() override { return *fDocument; }
    QString LabelTitle() const override { return "Editor"; }
    TKVREditor& Editor() { return *fEditor; }
    TKVRInspector& Inspector() { return *fInspector; }

private:
    std::unique_ptr<TVXLabelFMX> fDocument;
    TKVREditor* fEditor;
    TKVRInspector* fInspector;
};
