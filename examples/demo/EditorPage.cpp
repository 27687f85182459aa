#include "examples/demo/EditorPage.h"
#include "editor/KVR.FMX.Editor.h"
#include "examples/demo/ShapesDemo.h"
#include "examples/demo/SymbolsDemo.h"
#include "examples/demo/TextsCodesDemo.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Each drawing action the document runs from points, with its parameter
// (symbology, flow type, link type) and, for the codes, a value to show;
// the family names the toolbar button whose menu holds it (none: a button
// of its own).
struct TDrawButton
{
    const char* Family;
    const char* Caption;
    uint8_t Action;
    int32_t Param;
    const char* Value;
};
constexpr TDrawButton kDrawButtons[] = {
    {nullptr, "Select", 1, 0, nullptr},
    {"Lines", "Point", 3, 0, nullptr},           {"Lines", "Line", 4, 0, nullptr},
    {"Lines", "Arrow", 5, 0, nullptr},           {"Lines", "Polyline", 7, 0, nullptr},
    {"Lines", "Bezier", 10, 0, nullptr},         {"Lines", "Arc", 13, 0, nullptr},
    {"Shapes", "Rectangle", 6, 0, nullptr},      {"Shapes", "Polygon", 9, 0, nullptr},
    {"Shapes", "Circle", 11, 0, nullptr},        {"Shapes", "Circle 2P", 12, 0, nullptr},
    {"Shapes", "Circle 3P", 8, 0, nullptr},      {"Shapes", "Ellipse", 14, 0, nullptr},
    {"Shapes", "Ellipse box", 18, 0, nullptr},   {"Shapes", "Sector", 36, 0, nullptr},
    {"Texts", "Text", 15, 0, nullptr},           {"Texts", "Paragraph", 19, 0, nullptr},
    {"Texts", "Rich text", 24, 0, nullptr},      {"Texts", "Poly-text", 32, 0, nullptr},
    {"Codes", "Barcode", 25, 11, "ZORVEL-128"},  {"Codes", "PDF417", 26, 0, "Zorvel PDF417"},
    {"Codes", "Data Matrix", 27, 0, "Zorvel"},   {"Codes", "QR", 28, 0, "https://example.org"},
    {"Diagrams", "Table", 29, 0, nullptr},       {"Diagrams", "Rating", 33, 0, nullptr},
    {"Diagrams", "Nutri-score", 34, 0, nullptr}, {"Diagrams", "Level", 35, 0, nullptr},
    {"Diagrams", "Package", 37, 0, nullptr},     {"Diagrams", "Node", 39, 1, nullptr},
    {"Diagrams", "Connector", 30, 0, nullptr},   {"Diagrams", "Bent connector", 31, 0, nullptr},
    {"Dimensions", "Dimension", 38, 0, nullptr}, {"Dimensions", "Radius dim.", 47, 0, nullptr},
    {nullptr, "Symbol...", 20, 0, nullptr},
};

// The inspector's room beside the editor: its captions (bold, in the
// fallback of its font) read whole.
constexpr int kInspectorWidth = 500;
}  // namespace

EditorPage::EditorPage(QWidget* parent)
    : QWidget(parent), fLibraryFolder(WriteDemoLibrary(QDir::temp().filePath(QStringLiteral("zorvel-demo-symbols")))),
      fEditor(new TKVREditor), fInspector(new TKVRInspector), fTools(new QToolBar(this)), fSplitter(new QSplitter(this))
{
    fDocument = MakeDocument();
    TKVRMeasure& m = fDocument->GetMeasure();
    // A3: the shapes above, the texts, codes and picture below, all on the page.
    m.SetPaperWidth(297000);
    m.SetPaperHeight(420000);
    m.SetWidth(297000);
    m.SetHeight(420000);
    BuildShapesDemo(*fDocument);
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
    // A rich text to format in place, selected so that its handles and its
    // toolbar show: a click on it starts the editing, a double click selects a word
    // (elsewhere it opens the element's own dialog).
    fEditor->SetEditorOptions(fEditor->GetOptions() | eoRichText | eoDblClick);
    TKVRBaseRichText* rich = fDocument->AddBaseRichText(10000, 103000, 70000, 22000);
    rich->SetBaseFontHeight(4500);
    rich->SetRichTextValue(QStringLiteral("Click here, select and format: <B>bold</B>, <FC:C62828>red</FC> or "
                                          "<B><FC:1565C0>both</FC></B>.<BR><C>Enter breaks the line</C>"));
    fDocument->SelectItem(rich, false);
    // The sample is where the demo starts, not a change of the user's.
    fDocument->SetModified(false);

    // One button per family of drawing actions, each a click away in its
    // menu, so the whole set fits a narrow window; the editor takes the
    // clicks that follow.
    fTools->setObjectName("tbDraw");
    QMap<QString, QMenu*> families;
    for (const TDrawButton& b : kDrawButtons) {
        auto* action = new QAction(QString::fromLatin1(b.Caption), fTools);
        action->setCheckable(true);
        action->setData(int(b.Action));
        fToolActions << action;
        connect(action, &QAction::triggered, this, [this, b] {
            fDocument->StartAction(b.Action, b.Param);
            if (b.Value)
                fDocument->GetAct().fText = QString::fromUtf8(b.Value);
            // A click toggles the tool; the document's action decides what shows.
            ShowAction();
            fEditor->GetSurface()->setFocus();
        });
        if (!b.Family) {
            fTools->addAction(action);
            continue;
        }
        const QString family = QString::fromLatin1(b.Family);
        QMenu*& menu = families[family];
        if (!menu) {
            menu = new QMenu(family, fTools);
            auto* button = new QToolButton(fTools);
            button->setText(family);
            button->setMenu(menu);
            button->setPopupMode(QToolButton::InstantPopup);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setCheckable(true);
            fFamilies << button;
            fTools->addWidget(button);
        }
        menu->addAction(action);
    }

    // The toolbar spans the page; below it the user widens the inspector by
    // the splitter's handle, and the editor takes what the window gains.
    fSplitter->addWidget(fEditor);
    fSplitter->addWidget(fInspector);
    fSplitter->setStretchFactor(0, 1);
    fSplitter->setStretchFactor(1, 0);
    fSplitter->setChildrenCollapsible(false);
    fSplitter->setSizes({1000 - kInspectorWidth, kInspectorWidth});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(fTools);
    layout->addWidget(fSplitter, 1);
    fDocument->Attach(this);
    ShowAction();
}

EditorPage::~EditorPage()
{
    // The views leave the document before it goes.
    fDocument->Detach(this);
    fEditor->SetLabel(nullptr);
    fInspector->SetLabel(nullptr);
}

QString EditorPage::LabelTitle() const
{
    return fLabelFile.isEmpty() ? QStringLiteral("Editor") : QFileInfo(fLabelFile).completeBaseName();
}

std::unique_ptr<TVXLabelFMX> EditorPage::MakeDocument() const
{
    auto doc = std::make_unique<TVXLabelFMX>();
    // The symbol browser lists the sample library.
    doc->SetLibraryFolder(fLibraryFolder);
    return doc;
}

void EditorPage::Show(std::unique_ptr<TVXLabelFMX> aDocument)
{
    fDocument->Detach(this);
    aDocument->Attach(this);
    fEditor->SetLabel(aDocument.get());
    fInspector->SetLabel(aDocument.get());
    fDocument = std::move(aDocument);
    ShowAction();
}

void EditorPage::UpdateCtrl(TVXChange aChange, const TVXChangeValue& aValue)
{
    // Actions change inside the document's brackets, told when the outermost closes.
    if (aChange == KVRChange::Action || aChange == KVRChange::Reset || aChange == KVRChange::State ||
        aChange == KVRChange::Loaded || (aChange == KVRChange::Update && aValue.Begin == 1))
        ShowAction();
}

void EditorPage::ShowAction()
{
    QAction* shown = nullptr;
    QAction* select = nullptr;
    for (QAction* a : fToolActions) {
        if (a->data().toInt() == fDocument->GetAction())
            shown = a;
        if (a->data().toInt() == TAct::ActSelect)
            select = a;
    }
    // Dragging, editing a text in place and no action at all are selecting.
    if (!shown)
        shown = select;
    for (QAction* a : fToolActions)
        a->setChecked(a == shown);
    for (QToolButton* b : fFamilies)
        b->setChecked(b->menu()->actions().contains(shown));
}

void EditorPage::NewLabel()
{
    Show(MakeDocument());
    fLabelFile.clear();
}

bool EditorPage::OpenLabel(const QString& aFileName, QString& aError)
{
    // Read into a document of its own: a file that cannot be read leaves the page as it was.
    std::unique_ptr<TVXLabelFMX> doc = MakeDocument();
    try {
        if (!doc->LoadFromFile(aFileName)) {
            aError = "Only .eti and .json label files can be opened.";
            return false;
        }
    } catch (const std::exception& e) {
        aError = e.what();
        return false;
    }
    Show(std::move(doc));
    fLabelFile = aFileName;
    return true;
}
