// The label sheet, the drawing sheet and the background margins keep what the
// document holds: OK on an untouched dialog leaves the saved label file and
// its JSON byte for byte as they were, up to the document's own limits;
// counters show and save 64-bit numbers whole; Enter in any box of the label
// sheet presses OK and adds nothing; the data tab speaks in words.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Labelling.h"
#include "dialogs/KVR.FMX.Layers.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.WholeBox.h"
#include "document/KVR.FMX.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

// The document as its two files hold it.
struct TSaved
{
    QByteArray Eti;
    std::string Json;
    explicit TSaved(const TVXLabelFMX& aDoc) : Eti(SaveEti(aDoc)), Json(Snapshot(aDoc)) {}
};

void Sheet(TVXLabelFMX& aDoc, TKVRUnits aUnits, int64_t aLength, int32_t aRows, int32_t aLabs, int32_t aRepetition,
           int32_t aFirst)
{
    aDoc.SetEditorMode(0);
    aDoc.SetUnits(aUnits);
    TKVRMeasure& m = aDoc.GetMeasure();
    m.SetWidth(aLength);
    m.SetHeight(aLength - 1);
    m.SetPaperWidth(aLength);
    m.SetPaperHeight(aLength - 3);
    m.SetGapX(aLength / 7);
    m.SetGapY(1);
    m.SetMarLeft(aLength - 5);
    m.SetMarTop(7001);
    m.SetRows(aRows);
    m.SetColumns(aRows - 1);
    TKVRBasePrintInfo& p = aDoc.GetPrintInfo();
    p.SetLabs(aLabs);
    p.SetRepetition(aRepetition);
    p.SetFirstRow(aFirst);
    p.SetFirstCol(aFirst - 1);
}

void Counter(TVXLabelFMX& aDoc, const char* aName, int64_t aFrom, int64_t aTo, int32_t aStep)
{
    auto* c = new TKVRCounter(&aDoc);
    c->Name = aName;
    c->SetNumFrom(aFrom);
    c->SetNumTo(aTo);
    c->SetStep(aStep);
}

void Margins(TVXLabelFMX& aDoc, float aTop, float aLeft, float aBottom, float aRight)
{
    aDoc.AddLayer(QStringLiteral("Map"));
    TKVRLayer* l = aDoc.GetLayer(1);
    l->ImgMarTop = aTop;
    l->ImgMarLeft = aLeft;
    l->ImgMarBottom = aBottom;
    l->ImgMarRight = aRight;
}

// OK on the background margins of layer 2, through the layer dialog.
void MarginsOk(TVXLabelFMX& aDoc)
{
    TfLayers layers;
    layers.Ini(&aDoc);
    layers.lbLayers->setCurrentRow(1);
    ClickWhenModal(QStringLiteral("butOK"));
    layers.butBackMargins->click();
}

void SheetOk(TVXLabelFMX& aDoc)
{
    ClickWhenModal(QStringLiteral("butOK"));
    aDoc.EditProperties();
}

}  // namespace

TEST(UntouchedOk, KeepsTheDocumentByteForByteUpToItsLimits)
{
    const struct
    {
        const char* Name;
        std::function<void(TVXLabelFMX&)> Build;
        std::function<void(TVXLabelFMX&)> Ok;
    } cases[] = {
        {"label sheet as users meet it",
         [](TVXLabelFMX& d) {
             Sheet(d, TKVRUnits::Millimetre, 210000, 250, 60000, 300, 230);
             Counter(d, "Serial", 5000000000, 9000000000, 50000);
         },
         SheetOk},
        {"label sheet at the limits, inches",
         [](TVXLabelFMX& d) {
             Sheet(d, TKVRUnits::Inch, KVRMaxCoordinate, TKVRMeasure::KVRMaxSheetLabels, kMax32, kMax32, kMax32);
             Counter(d, "Low", kMin64, kMax64, kMax32);
             Counter(d, "High", kMax64, kMin64, 1);
         },
         SheetOk},
        {"label sheet at the limits, metres",
         [](TVXLabelFMX& d) { Sheet(d, TKVRUnits::Metre, KVRMaxCoordinate - 1, 2, 1, 1, 2); }, SheetOk},
        {"label sheet at the limits, yards",
         [](TVXLabelFMX& d) { Sheet(d, TKVRUnits::Yard, KVRMaxCoordinate - 2, 999, 1, 2, 3); }, SheetOk},
        {"drawing sheet of scale 10,000",
         [](TVXLabelFMX& d) {
             d.SetEditorMode(2);
             d.GetMeasure().SetContinousPaper(true);  // a drawing's OK always sets it
             d.GetMeasure().SetDrawScale(10000);
         },
         SheetOk},
        {"drawing sheet at the limits",
         [](TVXLabelFMX& d) {
             d.SetEditorMode(2);
             d.SetUnits(TKVRUnits::Centimetre);
             d.GetMeasure().SetContinousPaper(true);
             d.GetMeasure().SetDrawScale(kMax32);
             d.GetMeasure().SetPaperWidth(KVRMaxCoordinate);
             d.GetMeasure().SetPaperHeight(KVRMaxCoordinate - 1);
         },
         SheetOk},
        {"background margins with four decimals and above 1,000",
         [](TVXLabelFMX& d) { Margins(d, 2.0004f, 12.3456f, 1500.0f, 0.0f); }, MarginsOk},
        {"background margins at the limits",
         [](TVXLabelFMX& d) {
             Margins(d, std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min(), 1e-4f,
                     16777217.0f);
         },
         MarginsOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TVXLabelFMX doc;
        c.Build(doc);
        const TSaved before(doc);
        c.Ok(doc);
        const TSaved after(doc);
        EXPECT_EQ(after.Json, before.Json);
        EXPECT_TRUE(after.Eti == before.Eti);
    }
}

// A counter is shown and saved whole, and a number typed is stored as typed.
TEST(LabelSheetCounters, SixtyFourBitNumbersShowAndSaveWhole)
{
    const struct
    {
        int64_t From, To;
        int32_t Step;
        const char* Typed;  // into "To", then saved; empty: only "Text after" edited
        int64_t Saved;
    } cases[] = {
        {5000000000, 9000000000, 50000, "", 9000000000},
        {kMin64, kMax64, kMax32, "", kMax64},
        {-5, 0, 1, "", 0},
        {0, 0, 1, "12345678901234567", 12345678901234567},
        {7, 8, 2, "-9223372036854775808", kMin64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        TVXLabelFMX doc;
        Counter(doc, "A", c.From, c.To, c.Step);
        TfLabelling form;
        form.Ini(&doc);
        EXPECT_EQ(form.seNumFrom->text(), QString::number(c.From));
        EXPECT_EQ(form.seNumTo->text(), QString::number(c.To));
        EXPECT_EQ(form.seCounterStep->text(), QString::number(c.Step));
        QTest::keyClicks(form.edTextAfter, " pcs");
        if (*c.Typed) {
            form.seNumTo->selectAll();
            QTest::keyClicks(form.seNumTo, c.Typed);
        }
        form.butSaveCounter->click();
        const TKVRCounter* saved = doc.GetCounter(1);
        EXPECT_EQ(saved->TextAfter, " pcs");
        EXPECT_EQ(saved->GetNumFrom(), c.From);
        EXPECT_EQ(saved->GetNumTo(), c.Saved);
        EXPECT_EQ(saved->GetStep(), c.Step);
        EXPECT_EQ(form.seNumTo->text(), QString::number(c.Saved));
    }
}

// What a margin box takes is what the document gets: it holds no negative
// margin, so none is shown.
TEST(LabelSheetMargins, TheBoxesStartAtZero)
{
    for (const char* name : {"seMargLeft", "seMargTop"}) {
        SCOPED_TRACE(name);
        TVXLabelFMX doc;
        double shown = -1;
        WhenModal([name, &shown](QWidget* aForm) {
            auto* box = aForm->findChild<TKVRFloatBox*>(QLatin1String(name));
            EXPECT_EQ(box->minimum(), 0);
            box->selectAll();
            QTest::keyClicks(box, "-10");
            QTest::keyClick(box, Qt::Key_Tab);
            shown = box->value();
            aForm->findChild<QPushButton*>(QStringLiteral("butOK"))->click();
        });
        doc.EditProperties();
        const TKVRMeasure& m = doc.GetMeasure();
        const int64_t stored = name[6] == 'L' ? m.GetMarLeft() : m.GetMarTop();
        EXPECT_GE(shown, 0);
        EXPECT_EQ(double(stored), shown * 1000);  // what the box shows, the document holds
    }
}

// Enter in any box, list or button of the label sheet but Cancel confirms it
// and presses OK: never "Add counter", never a prompt.
TEST(LabelSheetKeys, EnterInEveryBoxPressesOkAndAddsNothing)
{
    QStringList names;
    {
        TfLabelling probe;
        for (QWidget* w : probe.findChildren<QWidget*>()) {
            const bool inner = qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
                               qobject_cast<QComboBox*>(w->parentWidget());
            const bool box = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
                             qobject_cast<QAbstractItemView*>(w);
            if (box && !inner && !w->objectName().isEmpty() && w->objectName() != "butCancel")
                names << w->objectName();
        }
    }
    ASSERT_GE(names.size(), 30);
    for (const QString& name : std::as_const(names))
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            SCOPED_TRACE(name.toStdString() + (key == Qt::Key_Return ? " Return" : " Enter"));
            TVXLabelFMX doc;
            doc.GetMeasure().SetPaperWidth(123000);  // a paper of the user's: its boxes are live
            Counter(doc, "A", 1, 9, 1);
            int asked = 0;  // input boxes and questions
            TKVRPrompts::THandlers h;
            h.Input = [&asked](QWidget*, const QString&, const QString&, QString& aValue) {
                ++asked;
                aValue = "B";
                return true;
            };
            h.Confirm = [&asked](QWidget*, const QString&) { return ++asked, false; };
            h.Message = [&asked](QWidget*, const QString&) { ++asked; };
            h.OpenFile = [&asked](QWidget*, const QString&, const QString&, const QString&) {
                ++asked;
                return QString();
            };
            TKVRPrompts::SetHandlers(h);
            bool closed = false;
            bool reached = false;
            WhenModal([&](QWidget* aForm) {
                auto* form = qobject_cast<TfLabelling*>(aForm);
                QWidget* w = form->findChild<QWidget*>(name);
                for (QWidget* tab : {form->TabDimension, form->TabPrinting, form->TabData})
                    if (tab->isAncestorOf(w))
                        form->PageLab->setCurrentWidget(tab);
                reached = w->isEnabled();
                if (reached) {
                    // As a user gets there: the form active, the focus moved in.
                    form->activateWindow();
                    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
                    w->setFocus(Qt::TabFocusReason);
                    // A form the key might open (the JSON editor) is counted and closed.
                    QTimer::singleShot(0, [&asked, self = QPointer<QWidget>(form)] {
                        QWidget* other = QApplication::activeModalWidget();
                        if (self && other && other != self) {
                            ++asked;
                            qobject_cast<QDialog*>(other)->reject();
                        }
                    });
                    QTest::keyClick(w, key);
                }
                closed = !form->isVisible();
                if (!closed)
                    form->reject();
            });
            doc.EditProperties();
            TKVRPrompts::Reset();
            if (!reached)
                continue;  // a box the user cannot reach now
            EXPECT_TRUE(closed);
            EXPECT_EQ(asked, 0);
            EXPECT_EQ(doc.GetCounterCount(), 1);
        }
}

// What was typed before Enter is what OK writes.
TEST(LabelSheetKeys, EnterConfirmsWhatWasTyped)
{
    const struct
    {
        const char* Box;
        const char* Typed;
        std::function<int64_t(const TVXLabelFMX&)> Stored;
        int64_t Expected;
    } cases[] = {
        {"seRows", "12", [](const TVXLabelFMX& d) { return int64_t(d.GetMeasure().GetRows()); }, 12},
        {"edNumLabs", "4242", [](const TVXLabelFMX& d) { return int64_t(d.GetPrintInfo().GetLabs()); }, 4242},
        {"seWidth", "33.5", [](const TVXLabelFMX& d) { return d.GetMeasure().GetWidth(); }, 33500},
        {"edRepetition", "2147483647", [](const TVXLabelFMX& d) { return int64_t(d.GetPrintInfo().GetRepetition()); },
         kMax32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Box);
        TVXLabelFMX doc;
        WhenModal([&c](QWidget* aForm) {
            auto* form = qobject_cast<TfLabelling*>(aForm);
            auto* box = form->findChild<QAbstractSpinBox*>(QLatin1String(c.Box));
            form->PageLab->setCurrentWidget(form->TabDimension->isAncestorOf(box) ? form->TabDimension
                                                                                  : form->TabPrinting);
            box->selectAll();
            QTest::keyClicks(box, c.Typed);
            QTest::keyClick(box, Qt::Key_Return);
            if (form->isVisible())
                form->reject();
        });
        doc.EditProperties();
        EXPECT_EQ(c.Stored(doc), c.Expected);
    }
}

TEST(LabelSheetData, TheGridSpeaksInWordsAndShowsAChosenFilesFields)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath("items.csv");
    WriteAll(csv, "\n\nName;Price\nTea;2,50\n");
    TVXLabelFMX doc;
    TfLabelling form;
    form.Ini(&doc);
    for (int column = 0; column < 2; ++column) {
        const QString header = form.sgFields->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_NE(header, QString::number(column + 1));
        for (const char* key : {"FieldName", "FieldType"})
            EXPECT_NE(TKVRMsg::GetDialogsValue(QLatin1String(key)), QLatin1String(key));
    }
    EXPECT_EQ(form.sgFields->rowCount(), 0);

    TKVRPrompts::THandlers h;
    h.OpenFile = [&csv](QWidget*, const QString&, const QString&, const QString&) { return csv; };
    TKVRPrompts::SetHandlers(h);
    form.butSelFile->click();
    TKVRPrompts::Reset();
    ASSERT_EQ(form.sgFields->rowCount(), 2);
    EXPECT_EQ(form.sgFields->item(0, 0)->text(), "Name");
    EXPECT_EQ(form.sgFields->item(1, 0)->text(), "Price");
    EXPECT_TRUE(doc.GetData().GetCsvFileName().isEmpty());  // the document takes it on OK
}

// The whole-number box at the ends of its range: arrows stop there, digits
// beyond 64 bits are not taken, and a value read from beyond the bounds is
// handed back as it was until the user edits it.
TEST(WholeBox, HoldsItsRangeAndHandsBackWhatItWasGiven)
{
    TKVRWholeBox box(nullptr, QStringLiteral("box"));
    box.setRange(kMin64, kMax64);
    box.SetExact(kMax64 - 1);
    QTest::keyClick(&box, Qt::Key_Up);
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.value(), kMax64);
    box.SetExact(kMin64);
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.Exact(), kMin64);
    box.selectAll();
    QTest::keyClicks(&box, "99999999999999999999");  // 20 digits: past the range
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.value(), 999999999999999999);  // the last number that was one
    EXPECT_EQ(box.text(), QString::number(box.value()));

    const struct
    {
        int64_t Read;
        const char* Typed;  // empty: untouched
        int64_t Back, Shown;
    } cases[] = {
        {0, "", 0, 1},          // a sheet of no rows read from a file stays so
        {5000, "", 5000, 1000},
        {5000, "7", 7, 7},
        {250, "250", 250, 250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Read);
        TKVRWholeBox rows;
        rows.setRange(1, 1000);
        rows.SetExact(c.Read);
        if (*c.Typed) {
            rows.selectAll();
            QTest::keyClicks(&rows, c.Typed);
        }
        EXPECT_EQ(rows.Exact(), c.Back);
        EXPECT_EQ(rows.value(), c.Shown);
    }
}
