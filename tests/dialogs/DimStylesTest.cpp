#include "tests/dialogs/DialogsTestSupport.h"
#include "dialogs/KVR.FMX.DimSample.h"
#include "dialogs/KVR.FMX.DimStyles.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr TAlphaColor kDimBlue = 0xFF0000FFu;
constexpr TAlphaColor kTextRed = 0xFFFF0000u;

// Styles "Standard", "Walls", "Pipes" and the dialog open on them.
struct TDimStylesFixture : ::testing::Test
{
    TVXLabelFMX Doc;
    TfDimStls Form;
    void SetUp() override
    {
        Doc.SetEditorMode(2);
        Doc.AddDimStyle()->SetName(QStringLiteral("Walls"));
        Doc.AddDimStyle()->SetName(QStringLiteral("Pipes"));
    }
    void TearDown() override { TKVRPrompts::Reset(); }
    void Open() { Form.Ini(&Doc); }
    // The name the add box answers with.
    void AnswerName(const QString& aName, QString* oMessage = nullptr)
    {
        TKVRPrompts::THandlers answers;
        answers.Input = [aName](QWidget*, const QString&, const QString&, QString& aValue) {
            aValue = aName;
            return true;
        };
        answers.Message = [oMessage](QWidget*, const QString& aText) {
            if (oMessage)
                *oMessage = aText;
        };
        answers.Confirm = [](QWidget*, const QString&) { return true; };
        TKVRPrompts::SetHandlers(answers);
    }
    QImage Sample()
    {
        return Form.paintLab->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(TDimStylesFixture, TheActiveStylesRowIsSelectedAndShown)
{
    // An active style out of range leaves the first one active.
    const std::pair<int32_t, int32_t> cases[] = {{2, 2}, {0, 0}, {7, 0}};
    for (const auto& [active, row] : cases) {
        Doc.SetActiveDimStyle(active);
        Doc.GetDimStyle(row).SetPrefix(QStringLiteral("P%1").arg(row));
        TBracketCount changes(Doc);
        Open();
        EXPECT_EQ(Form.cbDimStyles->currentIndex(), row) << active;
        EXPECT_EQ(Form.idx, row);
        EXPECT_EQ(Doc.GetActiveDimStyleIndex(), row);
        EXPECT_EQ(Form.edPrefix->text(), QStringLiteral("P%1").arg(row));
        EXPECT_EQ(changes.Ends, 0) << active;
    }
}

TEST_F(TDimStylesFixture, ANewStyleIsActiveAndTakesTheNextEdit)
{
    Open();
    AnswerName(QStringLiteral("Roofs"));
    Form.seAddStyle->click();
    ASSERT_EQ(Doc.GetDimStylesCount(), 4);
    EXPECT_EQ(Doc.GetActiveDimStyleIndex(), 3);
    EXPECT_EQ(Form.cbDimStyles->currentIndex(), 3);
    EXPECT_EQ(Form.cbDimStyles->currentText(), "Roofs");
    EXPECT_EQ(Doc.GetDimStyle(3).GetDimColor(), 0xFF808080u);
    TBracketCount changes(Doc);
    QTest::keyClicks(Form.edSuffix, QStringLiteral(" m"));
    EXPECT_EQ(Doc.GetDimStyle(3).GetSuffix(), " m");
    EXPECT_EQ(Doc.GetDimStyle(0).GetSuffix(), "");
    EXPECT_EQ(changes.Ends, 2);  // one per key
    // Choosing a row makes that style the edited one.
    Form.cbDimStyles->setCurrentIndex(1);
    EXPECT_EQ(Doc.GetActiveDimStyleIndex(), 1);
    Form.seExtSize->setValue(3);
    EXPECT_EQ(Doc.GetDimStyle(1).GetExtSize(), 3.0f);
    EXPECT_EQ(Doc.GetDimStyle(3).GetExtSize(), Doc.GetDimStyle(0).GetExtSize());
}

TEST_F(TDimStylesFixture, ADuplicateNameIsRefusedAndTwinsAreEditedByRow)
{
    Doc.GetDimStyle(2).SetName(QStringLiteral("Walls"));  // read from a file so
    Open();
    for (const char* name : {"Walls", "standard", "", "  "}) {
        QString message;
        AnswerName(QString::fromLatin1(name), &message);
        Form.seAddStyle->click();
        EXPECT_EQ(Doc.GetDimStylesCount(), 3) << name;
        EXPECT_EQ(Form.cbDimStyles->count(), 3);
        EXPECT_EQ(message.isEmpty(), QByteArray(name).trimmed().isEmpty()) << name;
        if (!message.isEmpty()) {
            EXPECT_EQ(message, TKVRMsg::GetErrorValue(QStringLiteral("RepeatName")));
        }
    }
    Form.cbDimStyles->setCurrentIndex(2);
    EXPECT_EQ(Doc.GetActiveDimStyleIndex(), 2);
    QTest::keyClicks(Form.edPrefix, QStringLiteral("x"));
    EXPECT_EQ(Doc.GetDimStyle(2).GetPrefix(), "x");
    EXPECT_EQ(Doc.GetDimStyle(1).GetPrefix(), "");
}

TEST_F(TDimStylesFixture, ADeleteLeavesTheOtherDimensionsOnTheirStyles)
{
    std::vector<TKVRBaseDim*> dims;
    for (int32_t style = 0; style < 3; ++style) {
        Doc.SetActiveDimStyle(style);
        dims.push_back(Doc.AddBaseDim(0, 0, 20000, 0, 10000, -5000));
        ASSERT_EQ(dims.back()->GetDimStyleIndex(), style);
    }
    Doc.SetActiveDimStyle(1);
    Open();
    QString message;
    AnswerName(QString(), &message);
    TBracketCount changes(Doc);
    Form.seDelStyle->click();
    EXPECT_EQ(changes.Ends, 1);
    EXPECT_EQ(Doc.GetDimStylesCount(), 2);
    EXPECT_EQ(Doc.GetDimStyle(1).GetName(), "Pipes");
    EXPECT_EQ(dims[0]->GetDimStyleIndex(), 0);
    EXPECT_EQ(dims[1]->GetDimStyleIndex(), 0);
    EXPECT_EQ(dims[2]->GetDimStyleIndex(), 1);  // still "Pipes"
    EXPECT_EQ(Doc.GetActiveDimStyleIndex(), 0);
    EXPECT_EQ(Form.cbDimStyles->currentIndex(), 0);
    EXPECT_EQ(Form.cbDimStyles->itemText(1), "Pipes");
    // The default style stays.
    Form.seDelStyle->click();
    EXPECT_EQ(message, TKVRMsg::GetErrorValue(QStringLiteral("DelDefStyle")));
    EXPECT_EQ(Doc.GetDimStylesCount(), 2);
}

TEST_F(TDimStylesFixture, ExtensionSizeAndGapPlaceTheTopDimensionLine)
{
    TKVRDimStyle& s = Doc.GetDimStyle(0);
    s.SetDimColor(kDimBlue);
    s.SetDimPenWidth(0.25f);  // two pixels
    s.SetTextPos(1);
    Open();
    Form.seExtSize->setValue(2);
    Form.seExtGap->setValue(0.5);
    EXPECT_EQ(s.GetExtSize(), 2.0f);
    EXPECT_EQ(s.GetExtGap(), 0.5f);
    // Left of the text, right of the head: the rows the line covers.
    const QImage image = Sample();
    const int x = int(Form.points[0].X) + 40;
    std::vector<int> rows;
    for (int y = 120; y < int(Form.points[0].Y); ++y)
        if (image.pixel(x, y) == QColor(Qt::blue).rgba())
            rows.push_back(y);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ((rows.front() + rows.back() + 1) / 2.0, Form.points[0].Y - 12);
    // A smaller size takes the gap with it, and the gap box shows it.
    Form.seExtSize->setValue(0.25);
    EXPECT_EQ(s.GetExtGap(), 0.25f);
    EXPECT_EQ(Form.seExtGap->value(), 0.25);
}

TEST_F(TDimStylesFixture, ATextInTheGapLeavesAGapAsWideAsTheText)
{
    TKVRDimStyle& s = Doc.GetDimStyle(0);
    s.SetDimColor(kDimBlue);
    s.SetFontColor(kTextRed);
    s.SetDimPenWidth(0.25f);
    s.SetFormat(QString());
    Open();
    const float line = Form.points[0].Y - (s.GetExtSize() - s.GetExtGap()) * SamplePixelsPerMm;
    const QString text = DimSampleText(s, double(Form.points[1].X - Form.points[0].X) * SampleValuePerPixel);
    ASSERT_EQ(text, "70.2");
    for (int pos : {3, 4, 5}) {
        Form.cbPosText->setCurrentIndex(pos);
        ASSERT_EQ(s.GetTextPos(), pos);
        const QImage image = Sample();
        // The same font on an image of the same resolution measures the text.
        QImage probe(10, 10, QImage::Format_ARGB32);
        probe.setDotsPerMeterX(image.dotsPerMeterX());
        probe.setDotsPerMeterY(image.dotsPerMeterY());
        TCanvas canvas(&probe);
        ASSERT_TRUE(canvas.BeginScene());
        canvas.Font().SetFamily(s.GetFontName());
        canvas.Font().SetSize(s.GetFontHeight() * SampleFontScale);
        const float width = canvas.TextWidth(text);
        canvas.EndScene();
        // The longest stretch of the line's row without its colour, between its pieces.
        const int y = int(line);
        int last = -1, widest = 0;
        for (int x = int(Form.points[0].X); x <= int(Form.points[1].X); ++x) {
            if (image.pixel(x, y) != QColor(Qt::blue).rgba())
                continue;
            if (last >= 0)
                widest = std::max(widest, x - last - 1);
            last = x;
        }
        EXPECT_NEAR(widest, width, 1.5) << pos;
    }
    // Above the line: the line is whole.
    Form.cbPosText->setCurrentIndex(1);
    const QImage image = Sample();
    const int mid = int((Form.points[0].X + Form.points[1].X) / 2);
    EXPECT_EQ(image.pixel(mid, int(line)), QColor(Qt::blue).rgba());
}

TEST(DimSample, TheValueTextJoinsPrefixNumberAndSuffix)
{
    struct TCase
    {
        const char* Prefix;
        const char* Format;
        const char* Suffix;
        double Value;
        const char* Text;
    };
    const TCase cases[] = {
        {"L=", "", " mm", 70.2, "L=70.2 mm"}, {"", "", "", 62, "62"},        {"", "0.00", "", 62, "62.00"},
        {"~", "0", "", 49.79, "~50"},         {"", "", "", 118.8, "118.8"}, {"(", "0.0", ")", 0, "(0.0)"},
    };
    for (const TCase& c : cases) {
        TKVRDimStyle s;
        s.SetPrefix(QString::fromUtf8(c.Prefix));
        s.SetFormat(QString::fromUtf8(c.Format));
        s.SetSuffix(QString::fromUtf8(c.Suffix));
        EXPECT_EQ(DimSampleText(s, c.Value), QString::fromUtf8(c.Text)) << c.Text;
    }
    QImage image(4, 4, QImage::Format_ARGB32);
    TCanvas canvas(&image);
    canvas.Stroke().SetDash(TStrokeDash::Dash);
    DimSamplePen(canvas, 2.5f);
    EXPECT_EQ(canvas.Stroke().Thickness(), 2.5f);
    EXPECT_EQ(canvas.Stroke().Dash(), TStrokeDash::Solid);
}

TEST_F(TDimStylesFixture, PickerOkOnAnUnchangedColourLeavesTheStyle)
{
    TKVRDimStyle& s = Doc.GetDimStyle(0);
    // Translucent and with red and blue apart: any conversion shows.
    s.SetFontColor(0x80123456u);
    s.SetDimColor(0xFF0000FFu);
    s.SetExtColor(0x40FF8000u);
    s.SetFillColor(0xFFABCDEFu);
    s.SetHeadColor(0xC0102030u);
    Open();
    const std::string before = s.WriteJson().dump();
    for (TKVRColorRect* rect :
         {Form.ShColFontColor, Form.shDimColor, Form.shExtColor, Form.shFillColor, Form.shHeadColor}) {
        ClickWhenModal(QStringLiteral("butOK"));
        QTest::mouseClick(rect, Qt::LeftButton);
        EXPECT_EQ(s.WriteJson().dump(), before) << rect->objectName().toStdString();
    }
    EXPECT_EQ(Form.ShColFontColor->GetColor(), 0x80123456u);
    EXPECT_EQ(Form.shHeadColor->GetColor(), 0xC0102030u);
    // A changed colour lands in the swatch's own attribute.
    WhenModal([](QWidget* aForm) {
        aForm->findChild<QSpinBox*>(QStringLiteral("seAlpha"))->setValue(0x10);
        aForm->findChild<QPushButton*>(QStringLiteral("butOK"))->click();
    });
    QTest::mouseClick(Form.shFillColor, Qt::LeftButton);
    EXPECT_EQ(s.GetFillColor(), 0x10ABCDEFu);
    EXPECT_EQ(s.GetHeadColor(), 0xC0102030u);
}

TEST_F(TDimStylesFixture, TheLabelOpensTheDialogOnDrawingsOnly)
{
    TKVRBaseDim* dim = Doc.AddBaseDim(0, 0, 20000, 0, 10000, -5000);
    TBracketCount changes(Doc);
    WhenModal([](QWidget* aForm) {
        auto* form = qobject_cast<TfDimStls*>(aForm);
        ASSERT_NE(form, nullptr);
        form->cbPosText->setCurrentIndex(4);
        form->reject();
    });
    Doc.EditDimStyles();
    EXPECT_EQ(Doc.GetDimStyle(0).GetTextPos(), 4);
    EXPECT_EQ(dim->GetDimStyle().GetTextPos(), 4);
    EXPECT_GE(changes.Ends, 2);  // the change, then the refresh
    // A label that is not a drawing opens nothing.
    Doc.SetEditorMode(0);
    bool opened = false;
    WhenModal([&opened](QWidget* aForm) {
        opened = true;
        if (auto* form = qobject_cast<QDialog*>(aForm))
            form->reject();
    });
    Doc.EditDimStyles();
    QTest::qWait(20);
    EXPECT_FALSE(opened);
}

}  // namespace
