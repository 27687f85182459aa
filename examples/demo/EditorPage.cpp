#include "examples/demo/EditorPage.h"
#include "editor/KVR.FMX.Editor.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/SymbolsDemo.h"
#include "examples/demo/TextsCodesDemo.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include <QDir>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
// Each drawing action the document runs from points, with its parameter
// (symbology, flow type, link type) and, for the codes, a value to show.
struct TDrawButton
{
    const char* Caption;
    uint8_t Action;
    int32_t Param;
    const char* Value;
};
constexpr TDrawButton kDrawButtons[] = {
    {"Select", 1, 0, nullptr},      {"Point", 3, 0, nullptr},        {"Line", 4, 0, nullptr},
    {"Arrow", 5, 0, nullptr},       {"Rectangle", 6, 0, nullptr},    {"Polyline", 7, 0, nullptr},
    {"Polygon", 9, 0, nullptr},     {"Bezier", 10, 0, nullptr},      {"Circle", 11, 0, nullptr},
    {"Circle 2P", 12, 0, nullptr},  {"Circle 3P", 8, 0, nullptr},    {"Arc", 13, 0, nullptr},
    {"Ellipse", 14, 0, nullptr},    {"Ellipse box", 18, 0, nullptr}, {"Sector", 36, 0, nullptr},
    {"Text", 15, 0, nullptr},       {"Paragraph", 19, 0, nullptr},   {"Rich text", 24, 0, nullptr},
    {"Barcode", 25, 11, "ZORVEL-128"}, {"PDF417", 26, 0, "Zorvel PDF417"}, {"Data Matrix", 27, 0, "Zorvel"},
    {"QR", 28, 0, "https://example.org"}, {"Poly-text", 32, 0, nullptr}, {"Table", 29, 0, nullptr},
    {"Rating", 33, 0, nullptr},     {"Nutri-score", 34, 0, nullptr}, {"Level", 35, 0, nullptr},
    {"Package", 37, 0, nullptr},    {"Node", 39, 1, nullptr},        {"Connector", 30, 0, nullptr},
    {"Bent connector", 31, 0, nullptr}, {"Dimension", 38, 0, nullptr}, {"Radius dim.", 47, 0, nullptr},
    {"Symbol...", 20, 0, nullptr},
};
}  // namespace

EditorPage::EditorPage(QWidget* parent)
    : QWidget(parent), fDocument(std::make_unique<TVXLabelFMX>()), fEditor(new TKVREditor(this)),
      fInspector(new TKVRInspector(this))
{
    TKVRMeasure& m = fDocument->GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(210000);
    m.SetHeight(297000);
    BuildShapesDemo(*fDocument);
    // The texts, codes and picture below the shapes.
    const int32_t shapes = fDocument->GetItemsCount();
    BuildTextsCodesDemo(*fDocument, QDir::temp().filePath("kvr-demo-editor"));
    for (int32_t i = shapes + 1; i <= fDocument->GetItemsCount(); ++i)
        fDocument->GetItem(i)->BaseMove(0, 0, 0, 185000, 0, true);
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
    fInspector->SetLabel(fDocument.get());
    // A rich text to format in place, selected so that its handles and its
    // toolbar show: a click on it starts the editing, a double click selects a word
    // (elsewhere it opens the element's own dialog).
    fEditor->SetEditorOptions(fEditor->GetOptions() | eoRichText | eoDblClick);
    TKVRBaseRichText* rich = fDocument->AddBaseRichText(10000, 103000, 70000, 22000);
    rich->SetBaseFontHeight(4500);
    rich->SetRichTextValue(QStringLiteral("Click here, select and format: <B>bold</B>, <FC:C62828>red</FC> or "
                                          "<B><FC:1565C0>both</FC></B>.<BR><C>Enter breaks the line</C>"));
    fDocument->SelectItem(rich, false);

    // One button per drawing action; the editor takes the clicks that follow.
    auto* tools = new QToolBar(this);
    for (const TDrawButton& b : kDrawButtons)
        tools->addAction(QString::fromLatin1(b.Caption), this, [this, b] {
            fDocument->StartAction(b.Action, b.Param);
            if (b.Value)
                fDocument->GetAct().fText = QString::fromUtf8(b.Value);
            fEditor->GetSurface()->setFocus();
        });

    auto* drawing = new QVBoxLayout;
    drawing->setSpacing(0);
    drawing->addWidget(tools);
    drawing->addWidget(fEditor, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(drawing, 1);
    layout->addWidget(fInspector);
}

EditorPage::~EditorPage()
{
    // The editor leaves the document before either goes.
    fEditor->SetLabel(nullptr);
}
