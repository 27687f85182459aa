// The diagram importers of the element factory. The text is read whole
// first: a text that cannot be read raises before the document, its units,
// paper or layer defaults are touched. Only then is the document cleared and
// the drawing built.
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRText.h"
#include "import/KVR.FMX.Diagrams.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"

bool TKVRFactory::LoadGantt(TKVRBaseLabel* aOwner, const QString& aText)
{
    TGanttParser parser;
    parser.Parse(aText);
    const TGanttChart chart = KVRGanttChart(parser);

    // One bracket: the views see the new drawing once, or nothing when a step fails.
    TKVRBaseLabel::TEditBracket edit(*aOwner);
    TKVRLayer* layer = aOwner->GetActiveLayer();
    layer->Color = TAlphaColors::Black;
    layer->PenWidth = 100;
    layer->FontName = QStringLiteral("Verdana");
    layer->FontColor = TAlphaColors::Black;
    aOwner->SetUnits(TKVRUnits::Millimetre);
    aOwner->Clear(KVRClear::Items, true);

    TKVRText* title = AddBaseText(aOwner, TGanttChart::TitleX, TGanttChart::TitleY);
    title->SetFontHeight(float(TGanttChart::TitleFontHeight) / 1000.0f);
    title->SetText(parser.GetTitle());

    layer->FontHeight = int32_t(TGanttChart::BarFontHeight);
    for (const TGanttBar& bar : chart.Bars) {
        TKVRParagraph* para = AddBaseParagraph(aOwner, bar.Box.X, bar.Box.Y, bar.Box.Width, bar.Box.Height);
        para->SetHorzAlign(TKVRHorzAlign(0));
        para->SetVertAlign(TKVRVertAlign(1));
        para->SetBackColor(bar.Color);
        // A bar shows its colour; one without a colour stays an outline.
        para->SetFilled((bar.Color >> 24) != 0);
        para->SetText(bar.Text);
    }
    aOwner->GetMeasure().SetPaperWidth(TGanttChart::PaperWidth);
    aOwner->GetMeasure().SetPaperHeight(chart.PaperHeight);
    aOwner->SendInfo();
    return true;
}

bool TKVRFactory::LoadMermaid(TKVRBaseLabel* aOwner, const QString& aText, int32_t* aSkipped)
{
    TMermaidParser parser;
    parser.ParseMermaidCode(aText);

    TKVRBaseLabel::TEditBracket edit(*aOwner);
    aOwner->Clear(KVRClear::Items, true);
    const qsizetype count = parser.GetNodes().size();
    for (qsizetype i = 0; i < count; ++i) {
        TNode& node = *parser.FindNode(parser.GetNodes()[i].ID);
        const TKVRDiagramBox box = KVRMermaidNodeBox(i);
        TKVRFlow* flow = AddBaseFlow(aOwner, box.X, box.Y, box.Width, box.Height, KVRMermaidFlowType(node.NodeType));
        flow->SetID(node.ID);
        flow->SetText(node.Text);
        node.InId = flow->GetNumID();
    }
    for (const TConnection& connection : parser.GetConnections()) {
        const TNode* from = parser.FindNode(connection.FromNode);
        const TNode* to = parser.FindNode(connection.ToNode);
        if (from && to && from->InId >= 1 && to->InId >= 1)
            AddBaseLink(aOwner, from->InId, to->InId, 1, 1, 0);
    }
    if (aSkipped)
        *aSkipped = parser.GetSkipped();
    aOwner->SendInfo();
    return true;
}
