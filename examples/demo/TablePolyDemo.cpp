#include "examples/demo/TablePolyDemo.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/label/TKVRBaseLabel.h"

namespace {
constexpr int64_t mm = 1000;
const TAlphaColor blue = 0xFF1F4E79u, pale = 0xFFDDEBF7u, sand = 0xFFFFF2CCu;

void AddColumn(TKVRTable* t, float width, const char* header, const QStringList& rows, uint8_t footer,
               const char* footerText, TKVRHorzAlign align)
{
    TKVRColumn& c = t->AddColumn(width);
    c.Header.Text = header;
    c.Header.HorzAlign = TKVRHorzAlign::Center;
    c.Header.Font.Bold = true;
    c.Header.Font.Color = TAlphaColors::White;
    c.Header.Filled = true;
    c.Header.BackColor = blue;
    c.Body.HorzAlign = align;
    c.Rows = rows;
    c.FooterType = footer;
    c.Footer.Text = footerText;
    c.Footer.HorzAlign = align;
    c.Footer.Font.Bold = true;
    c.Footer.Filled = true;
    c.Footer.BackColor = sand;
    c.Format = "0.00";
}

TKVRPolyText* Poly(TKVRBaseLabel& doc, uint8_t type, int64_t x, int64_t y)
{
    auto* p = new TKVRPolyText(&doc, false);
    p->SetPolyType(type);
    p->SetBase(1, x * mm, y * mm);
    p->SetColor(TAlphaColors::Black);
    return p;
}
}  // namespace

void BuildTablePolyDemo(TKVRBaseLabel& doc)
{
    auto* table = new TKVRTable(&doc, false);
    table->SetBase(1, 10 * mm, 102 * mm);
    table->SetBase(2, 115 * mm, 146 * mm);
    // The rows fit in the table's own box whatever the page's size.
    table->SetFixedSize(true);
    table->Title().Visible = true;
    table->Title().Text = "Parts list";
    table->Title().Font.Color = blue;
    table->SetColor(blue);
    table->SetPenWidth(0.4f);
    table->SetGridColor(0xFF7F9DB9u);
    table->SetGridWidth(0.2f);
    table->SetFilled(true);
    table->SetBackColor(TAlphaColors::White);
    AddColumn(table, 50.0f, "Part", {"Hex bolt M8", "Nut M8", "Washer 8 mm", "Bracket"}, KVRFooterType::Text,
              "Total", TKVRHorzAlign::Left);
    AddColumn(table, 20.0f, "Qty", {"12", "12", "24", "2"}, KVRFooterType::Sum, "", TKVRHorzAlign::Right);
    AddColumn(table, 30.0f, "Price", {"0.35", "0.12", "0.05", "4.80"}, KVRFooterType::Sum, "", TKVRHorzAlign::Right);
    table->GetColumn(1).Body.Filled = true;
    table->GetColumn(1).Body.BackColor = pale;
    table->CalcValues(5);

    auto* texts = Poly(doc, KVRPolyType::Texts, 125, 104);
    const char* parts[] = {"Lot ", "A-17", "  exp. ", "2027-05"};
    for (int i = 0; i < 4; ++i) {
        TKVRDataPoly& item = texts->AddItem(parts[i]);
        item.Font.Height = i % 2 == 1 ? 5000 : 3500;
        item.Font.Bold = i % 2 == 1;
        item.Font.Color = i % 2 == 1 ? blue : TAlphaColors::Black;
    }
    texts->SetVertAlign(TKVRVertAlign::Bottom);
    texts->SetPenWidth(0.3f);
    texts->SetRadio(1.5f);
    texts->SetFilled(true);
    texts->SetBackColor(pale);
    texts->CalcValues(1);

    auto* linear = Poly(doc, KVRPolyType::Linear, 125, 116);
    linear->SetCodeType(TKVRBarType::GS1_128);
    linear->AddItem("09501101530003").AI = "01";
    linear->AddItem("A17").AI = "10";
    linear->SetBarHeight(12.0f);
    linear->SetPenWidth(0.0f);
    linear->CalcValues(1);

    auto* qr = Poly(doc, KVRPolyType::QR, 125, 150);
    qr->AddItem(QStringLiteral("Lote A-17 \u00B7 "));
    qr->AddItem(QStringLiteral("Caf\u00E9 \u00D1and\u00FA"));
    qr->SetBarWidth(0.6f);
    qr->SetBarHeight(0.6f);
    qr->SetPenWidth(0.3f);
    qr->CalcValues(1);

    auto* dm = Poly(doc, KVRPolyType::DataMatrix, 165, 150);
    dm->AddItem("LOT-").AI = "";
    dm->AddItem("A17-2027-05");
    dm->SetBarWidth(0.7f);
    dm->SetBarHeight(0.7f);
    dm->SetPenWidth(0.3f);
    dm->CalcValues(1);
}
