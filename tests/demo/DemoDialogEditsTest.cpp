// What a dialog changes in a saved label is a change the demo asks about
// before Quit throws it away: every road into the long-text, table,
// poly-text and settings dialogs, each answered as a user would.
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Dialogs.h"
#include "dialogs/KVR.FMX.EdPolyText.h"
#include "dialogs/KVR.FMX.EdTable.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "editor/TKVRBackEditor.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/EditorPage.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/label/TKVRData.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include "tests/demo/DemoMenus.h"
#include "tests/demo/ModalScript.h"
#include "tests/inspector/InspectorFixture.h"
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum class TTarget { Paragraph, RichText, Table, PolyText, Editor };
enum class TRoad { DoubleClick, ToolbarDots, DialogsMenu, InspectorButton, Gear };
// Changed then OK (a live editor: changed, then closed), OK on the dialog
// as it opened, or changed then Cancel (a live editor: closed untouched).
enum class TAnswer { ChangedOk, UntouchedOk, Cancel };

// Where each element of the saved label stands, micrometres.
const QRect kParagraph(10000, 10000, 50000, 15000), kRich(10000, 35000, 50000, 15000),
    kTable(10000, 60000, 60000, 25000), kPoly(10000, 95000, 0, 0);
// The inspector's value positions of the paragraph's text and of the
// columns' and the items' buttons.
constexpr int kTextPos = 181, kColumnsPos = 520, kItemsPos = 540;

void WriteLabel(const QString& aFile)
{
    TVXLabelFMX label;
    label.GetMeasure().SetWidth(150000);
    label.GetMeasure().SetHeight(130000);
    // The data goes with the file, so the table has its fields when opened.
    label.GetData().SaveJson = true;
    label.GetData().SetJson(R"([{"Item":"Bolt","Qty":4},{"Item":"Nut","Qty":9}])");
    label.AddBaseParagraph(kParagraph.x(), kParagraph.y(), kParagraph.width(), kParagraph.height())->SetText("Shelf A");
    label.AddBaseRichText(kRich.x(), kRich.y(), kRich.width(), kRich.height())->SetRichTextValue("<B>Bold</B> shelf");
    TKVRBaseTable* table = label.AddBaseTable(kTable.x(), kTable.y(), kTable.width(), kTable.height());
    table->SetDetail(TKVRData::JsonDataset);
    for (const char* field : {"Item", "Qty"})
        table->AddColumn(50.0f).Header.Text = QString::fromLatin1(field);
    TKVRBasePoly* poly = label.AddBasePolyText(kPoly.x(), kPoly.y());
    poly->AddItem("Lot");
    poly->AddItem("Box");
    ASSERT_TRUE(label.SaveToFile(aFile, KVRExt::Binary));
}

class DemoDialogEdits : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        InitializeKVRFMXTypes();
        InitializeKVRFMXDialogs();
    }
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath("shelf.eti");
        WriteLabel(file);
    }

    static TKVRBackEditor* Surface(DemoWindow& aWindow) { return aWindow.Editor().Editor().GetSurface(); }
    // Where a click takes the element: inside it, or on a table's frame (its
    // empty cells are not the table's).
    static QPoint Px(DemoWindow& aWindow, const TKVRBaseItem* aItem)
    {
        const TKVRRect b = aItem->GetBounds();
        const int64_t y = aItem->GetKind() == KVRItemKind::Table ? b.Top : (b.Top + b.Bottom) / 2;
        return {Surface(aWindow)->ScreenMMX((b.Left + b.Right) / 2), Surface(aWindow)->ScreenMMY(y)};
    }
    static TKVRBaseItem* ItemOf(TVXLabelFMX& aDoc, TTarget aTarget)
    {
        const int32_t kind = aTarget == TTarget::Paragraph  ? KVRItemKind::Paragraph
                             : aTarget == TTarget::RichText ? KVRItemKind::RichText
                             : aTarget == TTarget::Table    ? KVRItemKind::Table
                                                            : KVRItemKind::PolyText;
        for (int32_t i = 1; i <= aDoc.GetItemsCount(); ++i)
            if (aDoc.GetItem(i)->GetKind() == kind)
                return aDoc.GetItem(i);
        return nullptr;
    }
    // The inspector's "..." button of the part at aPos (editor aCode), clicked.
    static void ClickInspectorButton(TKVRInspector& aGrid, int aPos, TKVRInsProp aCode)
    {
        int r = 0, j = 0, top = 0;
        ASSERT_TRUE(FindShownPart(aGrid, aPos, int(aCode), r, j, top));
        const TJsonObject& row = aGrid.GetRows()[size_t(r)];
        // The dialog parts' buttons stand at the right, 20 px high from 2 px below
        // the caption's top.
        QTest::mouseClick(aGrid.viewport(), Qt::LeftButton, {},
                          QPoint(aGrid.viewport()->width() - 2 - 11, top + row[K("T", j)].get<int>() + 12));
    }

    QTemporaryDir dir;
    QString file;
};

// The dialog's answer, as a user gives it.
TModalScript::TAct Answer(TTarget aTarget, TAnswer aAnswer)
{
    return [aTarget, aAnswer](QWidget* aForm) {
        auto* dialog = qobject_cast<QDialog*>(aForm);
        const bool change = aAnswer != TAnswer::UntouchedOk;
        switch (aTarget) {
        case TTarget::Paragraph:
        case TTarget::RichText: {
            auto* form = qobject_cast<TfMem*>(aForm);
            ASSERT_TRUE(form);
            if (change) {
                form->MemText->moveCursor(QTextCursor::End);
                QTest::keyClicks(form->MemText, " 7");
            }
            QTest::mouseClick(aAnswer == TAnswer::Cancel ? form->butCancel : form->butOK, Qt::LeftButton);
            return;
        }
        case TTarget::Table: {
            auto* form = qobject_cast<TfEdTable*>(aForm);
            ASSERT_TRUE(form);
            if (aAnswer == TAnswer::ChangedOk) {
                form->lbColumns->setCurrentRow(0);
                form->edHeaderText->selectAll();
                QTest::keyClicks(form->edHeaderText, "Part");
            }
            dialog->close();
            return;
        }
        case TTarget::PolyText: {
            auto* form = qobject_cast<TfEdPoly*>(aForm);
            ASSERT_TRUE(form);
            if (aAnswer == TAnswer::ChangedOk) {
                form->lbColumns->setCurrentRow(1);
                form->edText->selectAll();
                QTest::keyClicks(form->edText, "Crate");
            }
            dialog->close();
            return;
        }
        case TTarget::Editor: {
            auto* size = aForm->findChild<TKVRFloatBox*>("spinEdTermSize");
            ASSERT_TRUE(size);
            if (change) {
                size->selectAll();
                QTest::keyClicks(size, "4.5");
            }
            QTest::mouseClick(aForm->findChild<QPushButton*>(aAnswer == TAnswer::Cancel ? "butCancel" : "butOK"),
                              Qt::LeftButton);
            return;
        }
        }
    };
}

const char* DialogClass(TTarget aTarget)
{
    switch (aTarget) {
    case TTarget::Paragraph:
    case TTarget::RichText:
        return "TfMem";
    case TTarget::Table:
        return "TfEdTable";
    case TTarget::PolyText:
        return "TfEdPoly";
    default:
        return "TfSettings";
    }
}

TEST_F(DemoDialogEdits, EveryRoadIntoADialogMarksWhatItChanged)
{
    using T = TTarget;
    using R = TRoad;
    using A = TAnswer;
    const struct
    {
        const char* Name;
        TTarget Target;
        TRoad Road;
        TAnswer Answer;
        bool Modified;
    } cases[] = {
        {"paragraph, double click, changed", T::Paragraph, R::DoubleClick, A::ChangedOk, true},
        {"paragraph, double click, untouched", T::Paragraph, R::DoubleClick, A::UntouchedOk, false},
        {"paragraph, double click, cancelled", T::Paragraph, R::DoubleClick, A::Cancel, false},
        {"paragraph, inspector, changed", T::Paragraph, R::InspectorButton, A::ChangedOk, true},
        {"paragraph, inspector, untouched", T::Paragraph, R::InspectorButton, A::UntouchedOk, false},
        {"rich text, double click, changed", T::RichText, R::DoubleClick, A::ChangedOk, true},
        {"rich text, double click, cancelled", T::RichText, R::DoubleClick, A::Cancel, false},
        {"rich text, toolbar, changed", T::RichText, R::ToolbarDots, A::ChangedOk, true},
        {"rich text, toolbar, untouched", T::RichText, R::ToolbarDots, A::UntouchedOk, false},
        {"table, menu, changed", T::Table, R::DialogsMenu, A::ChangedOk, true},
        {"table, menu, untouched", T::Table, R::DialogsMenu, A::UntouchedOk, false},
        {"table, double click, changed", T::Table, R::DoubleClick, A::ChangedOk, true},
        {"table, inspector, changed", T::Table, R::InspectorButton, A::ChangedOk, true},
        {"table, inspector, untouched", T::Table, R::InspectorButton, A::Cancel, false},
        {"poly-text, menu, changed", T::PolyText, R::DialogsMenu, A::ChangedOk, true},
        {"poly-text, menu, untouched", T::PolyText, R::DialogsMenu, A::UntouchedOk, false},
        {"poly-text, double click, changed", T::PolyText, R::DoubleClick, A::ChangedOk, true},
        {"poly-text, inspector, changed", T::PolyText, R::InspectorButton, A::ChangedOk, true},
        {"settings, line-end size typed", T::Editor, R::Gear, A::ChangedOk, true},
        {"settings, untouched", T::Editor, R::Gear, A::UntouchedOk, false},
        {"settings, typed then cancelled", T::Editor, R::Gear, A::Cancel, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        DemoWindow window;
        window.resize(1000, 800);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(window.OpenLabel(file, false, nullptr));
        // The editor page in front is laid out before its points are computed.
        QTest::qWait(20);
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
        TVXLabelFMX& doc = window.Editor().Document();
        TKVRInspector& inspector = window.Editor().Inspector();
        ASSERT_FALSE(doc.GetModified());
        TKVRBaseItem* item = c.Target == T::Editor ? nullptr : ItemOf(doc, c.Target);
        const QByteArray before = [&] {
            QByteArray bytes;
            if (item)
                bytes = QByteArray::fromStdString(item->WriteJson().dump());
            return bytes;
        }();
        const float termSize = doc.GetSettings().GetTermSize();
        // A host that edits rich text in place gives its double click to
        // the words: the long-text dialog is then the toolbar's.
        if (c.Target == T::RichText && c.Road == R::DoubleClick) {
            TKVREditor& editor = window.Editor().Editor();
            TKVREditorOptions options = editor.GetOptions();
            options.setFlag(eoRichText, false);
            editor.SetEditorOptions(options);
        }
        // Selected by a click, as a user does before a double click.
        if (item) {
            QTest::mouseClick(Surface(window), Qt::LeftButton, {}, Px(window, item));
            ASSERT_EQ(doc.Select(), item) << (doc.Select() ? doc.Select()->GetKind() : -1) << " "
                                          << Px(window, item).x() << "," << Px(window, item).y();
        }

        {
            TModalScript script;
            script.Strictly().Then(DialogClass(c.Target), Answer(c.Target, c.Answer));
            switch (c.Road) {
            case R::DoubleClick:
                QTest::mouseDClick(Surface(window), Qt::LeftButton, {}, Px(window, item));
                break;
            case R::ToolbarDots: {
                // The rich-text toolbar, as the last paint laid it out; "..." is its
                // first button.
                Surface(window)->grab();
                ASSERT_FALSE(Surface(window)->fToolbarRects.empty());
                const TRectF dots = Surface(window)->fToolbarRects[0];
                QTest::mouseClick(Surface(window), Qt::LeftButton, {},
                                  QPointF((dots.Left + dots.Right) / 2, (dots.Top + dots.Bottom) / 2).toPoint());
                break;
            }
            case R::DialogsMenu:
                MenuEntry(window, c.Target == T::Table ? "Table columns..." : "Poly-text items...")->trigger();
                break;
            case R::InspectorButton:
                if (c.Target == T::Paragraph)
                    ClickInspectorButton(inspector, kTextPos, KVRInsProp::LongText);
                else if (c.Target == T::Table)
                    ClickInspectorButton(inspector, kColumnsPos, KVRInsProp::Columns);
                else
                    ClickInspectorButton(inspector, kItemsPos, KVRInsProp::PolyItems);
                break;
            case R::Gear:
                QTest::mouseClick(window.Editor().Editor().GetSettingsButton(), Qt::LeftButton);
                break;
            }
            ASSERT_TRUE(script.Done()) << script.Seen().join(", ").toStdString();
        }
        QTest::qWait(30);
        // The element or the settings changed exactly when the label says so.
        const bool changed = item ? QByteArray::fromStdString(item->WriteJson().dump()) != before
                                  : doc.GetSettings().GetTermSize() != termSize;
        EXPECT_EQ(changed, c.Modified);
        EXPECT_EQ(doc.GetModified(), c.Modified);
        // The inspector shows what the paragraph now holds.
        if (c.Target == T::Paragraph) {
            EXPECT_EQ(PartShown(inspector, kTextPos, int(KVRInsProp::LongText)),
                      TJsonObject(static_cast<TKVRBasePara*>(item)->GetText().toStdString()));
        }

        // Quit asks exactly about a changed label; Cancel keeps the demo and the
        // change.
        TModalScript quit;
        quit.Strictly();
        if (c.Modified)
            quit.Then("QMessageBox", TModalScript::Press(QMessageBox::Cancel));
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_TRUE(quit.Done());
        EXPECT_EQ(quit.Seen(), c.Modified ? QStringList{"QMessageBox"} : QStringList{});
        EXPECT_EQ(window.isVisible(), c.Modified);
    }
}

} // namespace
