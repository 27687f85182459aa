#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "render/TKVRDraw.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextCursor>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int Box(const TfSelColor& aForm, const char* aName)
{
    return aForm.findChild<QSpinBox*>(QString::fromLatin1(aName))->value();
}

TKVRColorRect* Swatch(const TfSelColor& aForm, int aSlot)
{
    return aForm.findChild<TKVRColorRect*>(QStringLiteral("rec%1").arg(aSlot, 2, 10, QLatin1Char('0')));
}

}  // namespace

TEST(SelColor, ChannelsFollowThePanelAndTheBoxesThePanel)
{
    TfSelColor form;
    form.Ini(QString(), 0x80112233u);
    EXPECT_EQ(Box(form, "seRed"), 17);
    EXPECT_EQ(Box(form, "seGreen"), 34);
    EXPECT_EQ(Box(form, "seBlue"), 51);
    EXPECT_EQ(Box(form, "seAlpha"), 128);
    form.findChild<QSpinBox*>("seAlpha")->setValue(255);
    EXPECT_EQ(form.GetSelColor(), 0xFF112233u);
    EXPECT_EQ(form.findChild<TKVRColorRect*>("RectanglePreview")->GetColor(), 0xFF112233u);
    // A pick on the panel fills the boxes: the square's bottom is black.
    form.show();
    auto* panel = form.findChild<TKVRColorPanel*>("ColorPanel");
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(1, panel->height() - 1));
    EXPECT_EQ(form.GetSelColor(), 0xFF000000u);
    EXPECT_EQ(Box(form, "seBlue"), 0);
}

TEST(SelColor, SaveFillsTheFirstFreeSlotAndLaterPickersShowIt)
{
    SavedColors = {};
    SavedColors[0] = {0xFF0000FFu, true};
    SavedColors[1] = {0xFF00FF00u, true};
    {
        TfSelColor form;
        form.Ini(QString(), 0xFFAA5500u);
        form.findChild<QPushButton*>("butSave")->click();
        EXPECT_EQ(SavedColors[2].fColor, 0xFFAA5500u);
        EXPECT_TRUE(SavedColors[2].fAsigned);
        EXPECT_FALSE(SavedColors[3].fAsigned);
    }
    TfSelColor later;
    later.Ini(QString(), TAlphaColors::White);
    later.show();
    const TAlphaColor shown[] = {0xFF0000FFu, 0xFF00FF00u, 0xFFAA5500u};
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(Swatch(later, slot)->GetColor(), shown[slot - 1]);
    }
    // A used swatch loads its colour; a free one only becomes the target.
    QTest::mouseClick(Swatch(later, 2), Qt::LeftButton);
    EXPECT_EQ(later.GetSelColor(), 0xFF00FF00u);
    QTest::mouseClick(Swatch(later, 7), Qt::LeftButton);
    EXPECT_EQ(later.GetSelColor(), 0xFF00FF00u);
    later.findChild<QPushButton*>("butSave")->click();
    EXPECT_EQ(SavedColors[6].fColor, 0xFF00FF00u);
    EXPECT_FALSE(SavedColors[3].fAsigned);
    EXPECT_EQ(later.SearchRec("REC07"), Swatch(later, 7));
    SavedColors = {};
}

TEST(SelColor, CancelHandsNothingBack)
{
    SavedColors = {};
    TfSelColor form;
    form.Ini(QString(), 0xFF123456u);
    WhenModal([](QWidget* aForm) {
        aForm->findChild<QSpinBox*>("seRed")->setValue(200);
        aForm->findChild<QPushButton*>("butCancel")->click();
    });
    EXPECT_EQ(KVRShowModal(form), 2);
    for (const TSaveColor& saved : SavedColors)
        EXPECT_FALSE(saved.fAsigned);
}

TEST(Mem, RichTextKeepsTheLargerSize)
{
    TfMem plain;
    plain.Ini("x", false);
    EXPECT_EQ(plain.size(), QSize(440, 340));
    TfMem rich;
    rich.Ini("x", true);
    EXPECT_EQ(rich.size(), QSize(680, 460));
}

// A double click on a paragraph opens the long-text dialog: unchanged, the
// document hears nothing; edited, the text changes in one edit.
TEST(Mem, DoubleClickEditsTheParagraph)
{
    TVXLabelFMX doc;
    auto* para = static_cast<TKVRBasePara*>(doc.AddBaseParagraph(10000, 10000, 40000, 20000));
    para->SetText("one\r\ntwo");
    doc.SelectItem(para, false);
    int heard = 0;
    doc.OnEditItemDialog = [&](QObject*, TKVRBaseItem*) { ++heard; };

    ClickWhenModal("butOK");
    doc.DoDblClick();
    EXPECT_EQ(para->GetText(), "one\r\ntwo");

    WhenModal([](QWidget* aForm) {
        EXPECT_EQ(aForm->size(), QSize(440, 340));
        auto* memo = aForm->findChild<QPlainTextEdit*>("MemText");
        memo->setPlainText(memo->toPlainText() + "\nthree");
        aForm->findChild<QPushButton*>("butOK")->click();
    });
    doc.DoDblClick();
    EXPECT_EQ(para->GetText(), "one\r\ntwo\r\nthree");

    WhenModal([](QWidget* aForm) {
        aForm->findChild<QPlainTextEdit*>("MemText")->setPlainText("lost");
        aForm->findChild<QPushButton*>("butCancel")->click();
    });
    doc.DoDblClick();
    EXPECT_EQ(para->GetText(), "one\r\ntwo\r\nthree");
    // Kinds without a dialog of their own go to the host.
    doc.SelectItem(doc.AddBaseRectangle(60000, 10000, 20000, 10000), false);
    doc.DoDblClick();
    EXPECT_EQ(heard, 1);
}

// An empty slot looks empty: a free swatch shows no white, a saved white does.
TEST(SelColor, EmptySlotsLookEmpty)
{
    SavedColors = {};
    SavedColors[1] = {TAlphaColors::White, true};
    TfSelColor form;
    form.Ini(QString(), 0xFF336699u);
    form.show();
    auto centre = [](TKVRColorRect* aRec) {
        const QImage image = aRec->grab().toImage();
        return image.pixel(image.width() / 2 + 4, image.height() / 2);
    };
    EXPECT_TRUE(Swatch(form, 1)->IsEmpty());
    EXPECT_NE(centre(Swatch(form, 1)), 0xFFFFFFFFu);
    EXPECT_FALSE(Swatch(form, 2)->IsEmpty());
    EXPECT_EQ(centre(Swatch(form, 2)), 0xFFFFFFFFu);
    // Save fills the free slot.
    form.findChild<QPushButton*>("butSave")->click();
    EXPECT_FALSE(Swatch(form, 1)->IsEmpty());
    EXPECT_EQ(centre(Swatch(form, 1)), 0xFF336699u);
    SavedColors = {};
}

// The memo hands an unedited text back as it was, and an edited one with
// every character it holds: no-break spaces, line separators, and each
// kept line's own line end.
TEST(Mem, TextsComeBackAsTheyWere)
{
    const QString nbsp(QChar(0x00A0));
    const QString ls(QChar::LineSeparator);
    const struct
    {
        QString Original;
        QString Append;  // typed at the end; empty: OK without an edit
        QString Expected;
    } rows[] = {
        {"long" + nbsp + "text" + ls + "two", "", "long" + nbsp + "text" + ls + "two"},
        {"a\rb\nc\r\nd", "", "a\rb\nc\r\nd"},
        {"a\nb\r\nc\r\nd\n", "", "a\nb\r\nc\r\nd\n"},
        {"a" + nbsp + "b\rc\nd", "!", "a" + nbsp + "b\rc\nd!"},
        // A new line takes the commonest line end.
        {"a\r\nb\nc\r\nd", "\ne", "a\r\nb\nc\r\nd\r\ne"},
        {"one" + ls + "two", "\nthree", "one" + ls + "two\nthree"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Expected.toStdString());
        TfMem form;
        form.Ini(r.Original, false);
        if (!r.Append.isEmpty()) {
            QTextCursor cursor = form.MemText->textCursor();
            cursor.movePosition(QTextCursor::End);
            form.MemText->setTextCursor(cursor);
            form.MemText->insertPlainText(r.Append);
        }
        EXPECT_EQ(form.GetText(), r.Expected);
    }
    // A line typed in the middle keeps the ends of the lines around it.
    EXPECT_EQ(KVRWithLineEndsOf(QString("a\u2029x\u2029b\u2029c"), "a\rb\nc"), "a\rx\rb\nc");
    EXPECT_EQ(KVRWithLineEndsOf(QString("x\u2029a"), "a"), "x\na");
    EXPECT_EQ(KVRWithLineEndsOf(QString("a\u2029b"), "a"), "a\nb");
}
