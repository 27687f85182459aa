// Mermaid-style flowcharts: any text imports into one outline per node, in the
// order of first appearance with unique identifiers, and one link per
// connection between known nodes; skipped lines are lines of the text; the
// drawing saves and loads as it is.
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "fuzz/import/ImportTargetSupport.h"
#include "fuzz/support/FuzzTarget.h"
#include "import/KVR.FMX.Diagrams.h"
#include <QSet>

KVR_FUZZ_TARGET(mermaid)
{
    if (data.size() > 16 * 1024)
        return;
    const QString text = QString::fromUtf8(data);

    TMermaidParser parser;
    parser.ParseMermaidCode(text);
    QSet<QString> ids;
    for (const TNode& node : parser.GetNodes()) {
        KVR_FUZZ_CHECK(!node.ID.isEmpty(), "a node without an identifier");
        KVR_FUZZ_CHECK(!ids.contains(node.ID), "two nodes of one identifier");
        ids.insert(node.ID);
        KVR_FUZZ_CHECK(parser.FindNode(node.ID) && parser.FindNode(node.ID)->ID == node.ID, "a node is not found");
    }
    qsizetype links = 0;
    for (const TConnection& c : parser.GetConnections())
        links += ids.contains(c.FromNode) && ids.contains(c.ToNode) ? 1 : 0;
    // Lines end at CR LF, LF or CR; a break at the very end adds no line.
    const qsizetype lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).count(u'\n') +
                            text.count(u'\r') - text.count(QStringLiteral("\r\n")) + 1;
    int32_t previous = 0;
    for (const int32_t line : parser.GetSkippedLines()) {
        KVR_FUZZ_CHECK(line >= 1 && line <= lines, "a skipped line beyond the text");
        KVR_FUZZ_CHECK(line >= previous, "skipped lines out of order");
        previous = line;
    }

    TVXLabelFMX doc;
    kvr::fuzz::FillDocument(doc);
    int32_t skipped = -1;
    KVR_FUZZ_CHECK(TKVRFactory::LoadMermaid(&doc, text, &skipped), "the import answered false");
    KVR_FUZZ_CHECK(skipped == parser.GetSkipped(), "the import skipped other statements than the parser");
    qsizetype flows = 0, made = 0;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
        if (auto* flow = dynamic_cast<TKVRFlow*>(doc.GetItem(i))) {
            KVR_FUZZ_CHECK(flows < parser.GetNodes().size() && flow->GetID() == parser.GetNodes()[flows].ID,
                           "outlines not in the order of the nodes");
            ++flows;
        } else if (dynamic_cast<TKVRLink*>(doc.GetItem(i))) {
            ++made;
        } else {
            KVR_FUZZ_CHECK(false, "an element that is neither outline nor link");
        }
    }
    KVR_FUZZ_CHECK(flows == parser.GetNodes().size(), "not one outline per node");
    KVR_FUZZ_CHECK(made == links, "not one link per connection");
    KVR_FUZZ_CHECK(kvr::fuzz::JsonRoundTrip(doc) == kvr::fuzz::Dump(doc), "the imported flowchart does not load as saved");
}
