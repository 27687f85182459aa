// The sheet dialogs and the JSON editor on real documents: what OK writes
// back, the sheet picture, the counters, the data choices, typed symbol
// definitions.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Dialogs.h"
#include "dialogs/KVR.FMX.Drawing.h"
#include "dialogs/KVR.FMX.EdJson.h"
#include "dialogs/KVR.FMX.Labelling.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "platform/rtl/label/KVR.Papers.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTest>
#include <QDialog>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers of the prompts while it lives: confirmations in order, one input,
// messages kept.
struct TScript
{
    std::deque<bool> Confirms;
    QString Input;
    QString File;
    QStringList Messages;
    TScript()
    {
        TKVRPrompts::THandlers h;
        h.Message = [this](QWidget*, const QString& aText) { Messages.append(aText); };
        h.Confirm = [this](QWidget*, const QString&) {
            const bool yes = !Confirms.empty() && Confirms.front();
            if (!Confirms.empty())
                Confirms.pop_front();
            return yes;
        };
        h.Input = [this](QWidget*, const QString&, const QString&, QString& aValue) {
            aValue = Input;
            return !Input.isEmpty();
        };
        h.OpenFile = [this](QWidget*, const QString&, const QString&, const QString&) { return File; };
        TKVRPrompts::SetHandlers(h);
    }
    ~TScript() { TKVRPrompts::Reset(); }
};

// A label sheet off every default: inches, landscape, 4 x 3 from row 2, column 3.
void SheetOffDefaults(TVXLabelFMX& aDoc)
{
    aDoc.SetEditorMode(0);
    aDoc.SetUnits(TKVRUnits::Inch);
    TKVRMeasure& m = aDoc.GetMeasure();
    m.LabelName = "Lot labels";
    m.SetPaperWidth(279400);
    m.SetPaperHeight(215900);
    m.SetWidth(63512);  // not a whole hundredth of an inch
    m.SetHeight(38100);
    m.SetGapX(2540);
    m.SetGapY(1270);
    m.SetMarLeft(7001);
    m.SetMarTop(-2540);
    m.SetRows(4);
    m.SetColumns(3);
    TKVRBasePrintInfo& p = aDoc.GetPrintInfo();
    p.SetLandscape(true);
    p.SetFirstRow(2);
    p.SetFirstCol(3);
    p.SetLabs(17);
    p.SetRepetition(3);
}

template <class Form>
Form* Modal(QWidget* aForm)
{
    return qobject_cast<Form*>(aForm);
}

}  // namespace

TEST(SheetDialogs, OkOnAnUntouchedSheetWritesWhatWasReadAndCancelNothing)
{
    for (const bool drawing : {false, true}) {
        SCOPED_TRACE(drawing ? "drawing" : "labels");
        TVXLabelFMX doc;
        SheetOffDefaults(doc);
        if (drawing) {
            doc.SetEditorMode(2);
            TKVRMeasure& m = doc.GetMeasure();
            m.SetDrawScale(50);
            m.Title = "Plan";
            m.Note = "first\r\nsecond";
            m.SetContinousPaper(true);  // a drawing's OK always sets it
        }
        const std::string before = Snapshot(doc);
        TBracketCount changes(doc);
        ClickWhenModal("butCancel");
        doc.EditProperties();
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_EQ(changes.Ends, 0);
        ClickWhenModal("butOK");
        doc.EditProperties();
        EXPECT_EQ(Snapshot(doc), before);
        EXPECT_EQ(changes.Ends, 1);
    }
}

TEST(SheetDialogs, OkWritesEditsInTheDocumentsUnit)
{
    TVXLabelFMX doc;
    SheetOffDefaults(doc);
    WhenModal([](QWidget* aForm) {
        auto* form = Modal<TfLabelling>(aForm);
        form->seWidth->setValue(3.5);
        form->seRows->setValue(7);
        form->RaBuVer->click();  // portrait: the paper turns
        form->butOK->click();
    });
    doc.EditProperties();
    EXPECT_EQ(doc.GetMeasure().GetWidth(), 88900);
    EXPECT_EQ(doc.GetMeasure().GetRows(), 7);
    EXPECT_FALSE(doc.GetPrintInfo().GetLandscape());
    EXPECT_EQ(doc.GetMeasure().GetPaperWidth(), 215900);
    EXPECT_EQ(doc.GetMeasure().GetPaperHeight(), 279400);
}

TEST(SheetDialogs, SheetPictureColoursTheCellsToPrint)
{
    // Row 2, column 3 of 4 x 3: the first five cells are passed over.
    const TKVRSheetPicture pic = KVRSheetPicture(200, 200, 210, 297, 60, 60, 10, 10, 5, 5, 4, 3, 2, 3);
    ASSERT_EQ(pic.Cells.size(), 12u);
    EXPECT_EQ(pic.FirstPrinted, 5);
    EXPECT_TRUE(KVRSheetPicture(200, 200, 0, 297, 60, 60, 0, 0, 0, 0, 4, 3, 1, 1).Paper.isEmpty());

    TVXLabelFMX doc;
    SheetOffDefaults(doc);
    doc.SetUnits(TKVRUnits::Millimetre);
    TfLabelling form;
    form.Ini(&doc);
    form.resize(720, 480);
    form.show();
    QWidget* box = form.findChild<QWidget*>("paintLab");
    const QImage shot = box->grab().toImage();
    const auto len = [&](const char* aName) { return double(form.Length(form.findChild<TKVRFloatBox*>(aName))); };
    const TKVRSheetPicture shown =
        KVRSheetPicture(box->width() - 8, box->height() - 8, len("sePaperWidth"), len("sePaperHeight"),
                        len("seWidth"), len("seHeight"), len("seMargLeft"), len("seMargTop"), len("seGapX"),
                        len("seGapY"), 4, 3, 2, 3);
    ASSERT_EQ(shown.Cells.size(), 12u);
    for (size_t i = 0; i < shown.Cells.size(); ++i) {
        const QPoint c = shown.Cells[i].center().toPoint();
        EXPECT_EQ(shot.pixelColor(c), QColor(i < 5 ? 0xFFFFE0 : 0xADD8E6)) << "cell " << i;
    }
    // A paper of no width paints the grey background only.
    form.sePaperWidth->setValue(0);
    const QImage grey = box->grab().toImage();
    EXPECT_EQ(grey.pixelColor(box->width() / 2, box->height() / 2), QColor(0x808080));
}

TEST(SheetDialogs, CountersAreSavedWhereTheBoxesShowThem)
{
    TVXLabelFMX doc;
    auto* a = new TKVRCounter(&doc);
    a->Name = "A";
    auto* b = new TKVRCounter(&doc);
    b->Name = "B";
    b->SetStep(7);
    TScript script;
    TfLabelling form;
    form.Ini(&doc);
    ASSERT_EQ(form.ListBoxCounters->count(), 2);
    EXPECT_FALSE(form.butDeleteCounter->isEnabled());

    // Edits of A, then B chosen: Yes saves them into A, not B.
    QTest::keyClicks(form.edTextBefore, "No. ");
    script.Confirms = {true};
    form.ListBoxCounters->setCurrentRow(1);
    EXPECT_EQ(a->TextBefore, "No. ");
    EXPECT_TRUE(b->TextBefore.isEmpty());
    EXPECT_EQ(form.seCounterStep->value(), 7);

    // B renamed to A: Yes meets "RepeatName"; the edits and the selection stay.
    form.EdCounterName->clear();
    QTest::keyClicks(form.EdCounterName, "A");
    script.Confirms = {true};
    form.ListBoxCounters->setCurrentRow(0);
    EXPECT_EQ(form.ListBoxCounters->currentRow(), 1);
    EXPECT_EQ(form.EdCounterName->text(), "A");
    EXPECT_EQ(b->Name, "B");
    EXPECT_TRUE(form.butSaveCounter->isEnabled());
    EXPECT_EQ(script.Messages.last(), TKVRMsg::GetErrorValue("RepeatName"));

    // A new counter of a taken name is refused; renamed, it is added, and the
    // rest of the dialog stays live meanwhile.
    form.EdCounterName->setText("B");
    form.butSaveCounterClick();
    script.Input = "A";
    form.butAddCounterClick();
    EXPECT_EQ(doc.GetCounterCount(), 2);
    EXPECT_TRUE(form.butSaveCounter->isEnabled());
    form.RaBuHor->click();
    EXPECT_TRUE(form.RaBuHor->isChecked());
    const double paperW = form.sePaperWidth->value();
    EXPECT_NE(paperW, 0);
    form.EdCounterName->setText("C");
    form.butSaveCounter->click();
    ASSERT_EQ(doc.GetCounterCount(), 3);
    EXPECT_EQ(doc.GetCounter(3)->Name, "C");
    EXPECT_EQ(form.ListBoxCounters->currentItem()->text(), "C");

    // At five, a sixth is refused.
    for (const char* name : {"D", "E"}) {
        script.Input = name;
        form.butAddCounterClick();
    }
    ASSERT_EQ(doc.GetCounterCount(), 5);
    script.Input = "F";
    form.butAddCounterClick();
    EXPECT_EQ(doc.GetCounterCount(), 5);
    EXPECT_EQ(script.Messages.last(), TKVRMsg::GetErrorValue("LimitCounters"));
}

TEST(SheetDialogs, SaveAndOkWithoutACounterDoNothing)
{
    TVXLabelFMX doc;
    TScript script;
    TfLabelling form;
    form.Ini(&doc);
    QTest::keyClicks(form.EdCounterName, "typed");
    EXPECT_FALSE(form.butSaveCounter->isEnabled());
    EXPECT_TRUE(form.butSaveCounterClick());
    EXPECT_EQ(doc.GetCounterCount(), 0);
    form.butOK->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_TRUE(script.Messages.isEmpty());
}

TEST(SheetDialogs, PaperChoicesFollowOrientationAndContinuousPaper)
{
    TVXLabelFMX doc;
    doc.GetMeasure().SetWidth(100000);
    doc.GetMeasure().SetHeight(50000);
    doc.GetPrintInfo().SetLandscape(true);
    TfLabelling form;
    form.Ini(&doc);
    // A4 is found by its size, turned or not.
    EXPECT_EQ(form.cbPapers->currentText(), "A4");
    form.cbPapers->setCurrentText("A3");
    EXPECT_EQ(form.Length(form.sePaperWidth), 420000);
    EXPECT_EQ(form.Length(form.sePaperHeight), 297000);
    // Clicking the orientation already chosen swaps nothing.
    form.RaBuHor->click();
    EXPECT_EQ(form.Length(form.sePaperWidth), 420000);

    form.cbContinousPaper->click();
    EXPECT_EQ(form.cbPapers->currentIndex(), UserPaperIndex);
    EXPECT_EQ(form.seRows->value(), 1);
    EXPECT_FALSE(form.seGapX->isEnabled());
    EXPECT_EQ(form.Length(form.sePaperWidth), 50000);  // the label, turned
    EXPECT_EQ(form.Length(form.sePaperHeight), 100000);
}

TEST(SheetDialogs, DataChoicesSurviveOkAndAChosenCsvIsStored)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("items.csv");
    WriteAll(csv, "Name,Copies\nbolt,2\nnut,3\n");
    TVXLabelFMX doc;
    doc.GetData().SetJson(R"({"Items":[{"Name":"x"}]})");
    // Names the lists do not hold are kept unless the user picks others.
    doc.GetData().SetDataSel("Gone");
    doc.GetData().SetFieldRepeat("Copies");
    TScript script;
    script.File = csv;
    WhenModal([](QWidget* aForm) { Modal<TfLabelling>(aForm)->butOK->click(); });
    doc.EditProperties();
    EXPECT_EQ(doc.GetData().GetDataSel(), "Gone");
    EXPECT_EQ(doc.GetData().GetFieldRepeat(), "Copies");

    WhenModal([](QWidget* aForm) {
        auto* form = Modal<TfLabelling>(aForm);
        form->butSelFile->click();
        form->butOK->click();
    });
    doc.EditProperties();
    EXPECT_EQ(QFileInfo(doc.GetData().GetCsvFileName()).fileName(), "items.csv");
    EXPECT_EQ(doc.GetData().Records().RecordCount(), 2);

    // A file that cannot be read keeps the dialog open with its error.
    script.File = dir.filePath("missing.csv");
    bool stayed = false;
    WhenModal([&stayed](QWidget* aForm) {
        auto* form = Modal<TfLabelling>(aForm);
        form->butSelFile->click();
        form->butOK->click();
        stayed = form->isVisible();
        form->butCancel->click();
    });
    doc.EditProperties();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(script.Messages.size(), 1);
}

TEST(JsonData, KeepsOrderAndNumbersAndRefusesWhatIsNoObject)
{
    TScript script;
    TfJsonData form;
    form.IniDialog(R"({"z":1,"a":9007199254740993,"m":{"B":true}})");
    EXPECT_TRUE(form.MemJson->toPlainText().contains("\n  \"a\": 9007199254740993"));
    EXPECT_EQ(form.GetJson(), R"({"z":1,"a":9007199254740993,"m":{"B":true}})");
    for (const char* bad : {"  \n\n ", "[1,2]", "{broken"}) {
        form.MemJson->setPlainText(bad);
        form.butOK->click();
        EXPECT_EQ(script.Messages.last(), "JSON is not valid") << bad;
        EXPECT_EQ(form.GetJson(), "");
    }
    EXPECT_EQ(script.Messages.size(), 3);
}

TEST(JsonData, ACaseOnlyEditOfTheLabellingDataIsKept)
{
    TVXLabelFMX doc;
    doc.GetData().SetJson(R"({"Items":[{"Name":"bolt"}]})");
    TfLabelling form;
    form.Ini(&doc);
    WhenModal([](QWidget* aForm) {
        auto* json = Modal<TfJsonData>(aForm);
        json->MemJson->setPlainText(R"({"Items":[{"Name":"BOLT"}]})");
        json->butOK->click();
    });
    form.butJson->click();
    EXPECT_EQ(doc.GetData().GetJson(), R"({"Items":[{"Name":"BOLT"}]})");
}

TEST(SymbolDefinition, TemplateFreshIdentifiersErrorsAndArrays)
{
    TVXLabelFMX doc;
    TScript script;
    QStringList ids;
    for (int i = 0; i < 2; ++i) {
        WhenModal([&ids](QWidget* aForm) {
            auto* json = Modal<TfJsonData>(aForm);
            const TJsonObject shown = TJsonObject::parse(json->MemJson->toPlainText().toStdString());
            EXPECT_EQ(shown["Version"], 1);
            ids.append(QString::fromStdString(shown["ID"].get<std::string>()));
            json->butCancel->click();
        });
        EXPECT_EQ(doc.AddSymbolDef(), nullptr);
    }
    ASSERT_EQ(ids.size(), 2);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_EQ(ids[0].size(), 38);

    // A definition the symbol refuses (no name) is shown and not added.
    ClickWhenModal("butOK");
    EXPECT_EQ(doc.AddSymbolDef(), nullptr);
    EXPECT_EQ(doc.GetSymbolCount(), 0);
    ASSERT_EQ(script.Messages.size(), 1);

    // An array is refused by the editor, which stays open.
    bool stayed = false;
    WhenModal([&stayed](QWidget* aForm) {
        auto* json = Modal<TfJsonData>(aForm);
        json->MemJson->setPlainText("[]");
        json->butOK->click();
        stayed = json->isVisible();
        json->MemJson->setPlainText(R"({"Version":1,"Name":"Mark","Units":"mm","Def":[{"Type":"Line","Points":[0,0,5,5]}]})");
        json->butOK->click();
    });
    TKVRBaseLibSymbol* added = doc.AddSymbolDef();
    EXPECT_TRUE(stayed);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->GetName(), "Mark");
    EXPECT_EQ(doc.GetSymbolCount(), 1);
}

// The memo is read character for character: a no-break space and a line
// separator inside a string stay what they are, untouched or edited, and
// untouched labelling data is not written again.
TEST(JsonData, KeepsNoBreakSpacesAndSeparatorsUntouchedOrEdited)
{
    const QString nbsp = QString(QChar(0x00A0));
    const QString lsep = QString(QChar(0x2028));
    const QString texts[] = {
        R"({"Name":"10)" + nbsp + R"(kg"})",
        R"({"Note":"one)" + lsep + R"(two"})",
        R"({"A":")" + nbsp + lsep + nbsp + R"(","B":{"C":[true]}})",
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        TScript script;
        TfJsonData form;
        form.IniDialog(text);
        form.butOK->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_TRUE(script.Messages.isEmpty());
        EXPECT_EQ(form.GetJson(), text);

        // An edit elsewhere keeps them too.
        QTextCursor at = form.MemJson->textCursor();
        at.movePosition(QTextCursor::Start);
        at.movePosition(QTextCursor::Right);
        form.MemJson->setTextCursor(at);
        QTest::keyClicks(form.MemJson, R"("Id":7,)");
        EXPECT_EQ(form.GetJson(), R"({"Id":7,)" + text.mid(1));

        // Through the label sheet, OK on the untouched data writes nothing.
        TVXLabelFMX doc;
        doc.GetData().SetJson(text);
        TBracketCount changes(doc);
        TfLabelling sheet;
        sheet.Ini(&doc);
        bool closed = false;
        WhenModal([&closed](QWidget* aForm) {
            auto* json = Modal<TfJsonData>(aForm);
            json->butOK->click();
            closed = !json->isVisible();
            if (!closed)
                json->butCancel->click();
        });
        sheet.butJson->click();
        EXPECT_TRUE(closed);
        EXPECT_EQ(doc.GetData().GetJson(), text);
        EXPECT_EQ(changes.Ends, 0);
    }
}

// The editor on the label follows the sheet dialog: once OK shrinks A4 to a
// small label, the view spans the small label and a click where A4 was
// places nothing.
TEST(SheetDialogs, TheEditorFollowsTheSizeTheDialogWrites)
{
    TVXLabelFMX doc;
    doc.SetEditorMode(0);
    doc.SetUnits(TKVRUnits::Millimetre);
    doc.GetMeasure().SetWidth(210000);
    doc.GetMeasure().SetHeight(297000);
    TKVREditor editor;
    editor.SetEditorOptions(TKVREditorOptions(0));
    editor.GetRulers()->SetVisible({});
    editor.resize(900, 700);
    editor.show();
    editor.SetLabel(&doc);
    TKVRBackEditor* surface = editor.GetSurface();
    WhenModal([](QWidget* aForm) {
        auto* form = Modal<TfLabelling>(aForm);
        form->seWidth->setValue(70);
        form->seHeight->setValue(37.125);
        form->butOK->click();
    });
    doc.EditProperties();
    ASSERT_EQ(doc.GetMeasure().GetWidth(), 70000);
    ASSERT_NEAR(doc.GetMeasure().GetHeight(), 37125, 10);
    EXPECT_EQ(surface->fDScroll.BaseW, 70000);
    EXPECT_EQ(surface->fDScroll.BaseH, doc.GetMeasure().GetHeight());
    EXPECT_NEAR(surface->MaxX() - surface->CMX(), surface->ScreenMMX(70000) - surface->ScreenMMX(0), 1);

    doc.StartAction(4);
    const auto click = [surface](int64_t x, int64_t y) {
        const QPoint p(surface->ScreenMMX(x), surface->ScreenMMY(y));
        QTest::mouseMove(surface, p);
        QTest::mouseClick(surface, Qt::LeftButton, {}, p);
    };
    click(150000, 20000);
    EXPECT_EQ(doc.GetAct().NumPoints(), 0);
    click(30000, 20000);
    EXPECT_EQ(doc.GetAct().NumPoints(), 1);
}

// The label's settings are part of its file: a dialog that changed them has
// changed the label (a host asks before they are thrown away), one that
// changed nothing has not.
TEST(SheetDialogs, ChangedSettingsMarkTheLabelModified)
{
    struct TCase
    {
        const char* Name;
        uint8_t Mode;
        std::function<void(QWidget*)> Answer;
        bool Layers;
        bool Modified;
    };
    const TCase cases[] = {
        {"untouched OK", 0, [](QWidget* f) { Modal<TfLabelling>(f)->butOK->click(); }, false, false},
        {"width changed, Cancel", 0,
         [](QWidget* f) {
             Modal<TfLabelling>(f)->seWidth->setValue(3.5);
             Modal<TfLabelling>(f)->butCancel->click();
         },
         false, false},
        {"width changed, OK", 0,
         [](QWidget* f) {
             Modal<TfLabelling>(f)->seWidth->setValue(3.5);
             Modal<TfLabelling>(f)->butOK->click();
         },
         false, true},
        {"Link data ticked", 0,
         [](QWidget* f) {
             Modal<TfLabelling>(f)->ckLinkData->click();
             Modal<TfLabelling>(f)->butOK->click();
         },
         false, true},
        {"drawing untouched", 2, [](QWidget* f) { Modal<TfDrawing>(f)->butOK->click(); }, false, false},
        {"drawing title", 2,
         [](QWidget* f) {
             Modal<TfDrawing>(f)->edTitle->setText("Plan B");
             Modal<TfDrawing>(f)->butOK->click();
         },
         false, true},
        {"layers looked at", 0, [](QWidget* f) { qobject_cast<QDialog*>(f)->reject(); }, true, false},
        {"layer hidden", 0,
         [](QWidget* f) {
             f->findChild<QListWidget*>("lbLayers")->setCurrentRow(1);
             f->findChild<QCheckBox*>("ckVisible")->click();
             qobject_cast<QDialog*>(f)->reject();
         },
         true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TVXLabelFMX doc;
        SheetOffDefaults(doc);
        doc.SetEditorMode(c.Mode);
        doc.GetMeasure().SetContinousPaper(c.Mode != 0);  // a drawing's OK always sets it
        doc.AddLayer(QStringLiteral("A"));
        doc.SetModified(false);
        WhenModal(c.Answer);
        c.Layers ? doc.EditLayers() : doc.EditProperties();
        EXPECT_EQ(doc.GetModified(), c.Modified);
    }
}
