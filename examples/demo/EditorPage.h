#pragma once
// The editor on a sample drawing: grid, rulers, guides and a selected element.
#include "document/KVR.FMX.h"
#include "examples/demo/LabelHost.h"
#include <QWidget>
#include <memory>

class TKVREditor;

class EditorPage : public QWidget, public LabelHost
{
public:
    explicit EditorPage(QWidget* parent = nullptr);
    ~EditorPage() override;
    TVXLabelFMX& Document() override { return *fDocument; }
    QString LabelTitle() const override { return "Editor"; }
    TKVREditor& Editor() { return *fEditor; }

private:
    std::unique_ptr<TVXLabelFMX> fDocument;
    TKVREditor* fEditor;
};
