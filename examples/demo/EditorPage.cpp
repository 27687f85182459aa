#include "examples/demo/EditorPage.h"
#include "editor/KVR.FMX.Editor.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/SymbolsDemo.h"
#include <QDir>
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QVBoxLayout>

EditorPage::EditorPage(QWidget* parent)
    : QWidget(parent), fDocument(std::make_unique<TVXLabelFMX>()), fEditor(new TKVREditor(this))
{
    TKVRMeasure& m = fDocument->GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    BuildShapesDemo(*fDocument);
    // The symbol browser lists the sample library.
    fDocument->SetLibraryFolder(WriteDemoLibrary(QDir::temp().filePath(QStringLiteral("zorvel-demo-symbols"))));

    fEditor->GetGrid()->SetIncX(5);
    fEditor->GetGrid()->SetIncY(5);
    fEditor->GetGrid()->SetStyle(TKVRGridDraw::gdLines);
    fEditor->GetRulers()->SetShowAlign(true);
    fEditor->GetRulers()->SetShowSize(true);
    fEditor->GetRulers()->fAlignLeft = 20000;
    fEditor->GetRulers()->fAlignTop = 30000;
    fEditor->SetSnap(skGrid);
    fEditor->SetLabel(fDocument.get());
    // The first rectangle, so its eight handles show.
    for (int32_t i = 1; i <= fDocument->GetItemsCount(); ++i)
        if (fDocument->GetItem(i)->GetKind() == KVRItemKind::Rectangle) {
            fDocument->SelectItem(fDocument->GetItem(i), false);
            break;
        }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fEditor);
}

EditorPage::~EditorPage()
{
    // The editor leaves the document before either goes.
    fEditor->SetLabel(nullptr);
}
