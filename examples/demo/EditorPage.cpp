#include "examples/demo/EditorPage.h"
#include "editor/KVR.FMX.Editor.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/TextsCodesDemo.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
// Names of the element kinds, for the element list.
QString KindName(int32_t aKind)
{
    static const char* const names[] = {"Point",      "Line",       "Arrow line",  "Polyline",        "Arc",
                                        "Rectangle",  "Polygon",    "Circle",      "Ellipse",         "Text",
                                        "Paragraph",  "Barcode",    "PDF417",      "Data Matrix",     "QR code",
                                        "Picture",    "Flowchart node", "Connector", "Table",         "Poly-text",
                                        "Rating",     "Nutrition score", "Level",  "Symbol",          "Bezier",
                                        "Dimension",  "Sector",     "Package",     "Rich text"};
    return aKind >= 1 && aKind <= 29 ? QString::fromLatin1(names[aKind - 1]) : QString::number(aKind);
}
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
    auto* elements = new QComboBox(this);
    for (int32_t i = 1; i <= fDocument->GetItemsCount(); ++i)
        elements->addItem(QStringLiteral("%1 (%2)").arg(KindName(fDocument->GetItem(i)->GetKind())).arg(i));
    connect(elements, &QComboBox::currentIndexChanged, this, [this](int aIndex) {
        if (aIndex >= 0 && aIndex < fDocument->GetItemsCount())
            fDocument->SelectItem(fDocument->GetItem(aIndex + 1), false);
    });
    // The first rectangle, so its eight handles show.
    for (int32_t i = 1; i <= fDocument->GetItemsCount(); ++i)
        if (fDocument->GetItem(i)->GetKind() == KVRItemKind::Rectangle) {
            fDocument->SelectItem(fDocument->GetItem(i), false);
            const QSignalBlocker block(elements);
            elements->setCurrentIndex(i - 1);
            break;
        }

    auto* side = new QVBoxLayout;
    side->addWidget(elements);
    side->addWidget(fInspector, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fEditor, 1);
    layout->addLayout(side);
}

EditorPage::~EditorPage()
{
    // The views leave the document before either goes.
    fEditor->SetLabel(nullptr);
    fInspector->SetLabel(nullptr);
}
