// A label from nothing, as a new user makes it in the demo at 1000 x 800:
// File › New, the sheet (A4, 3 x 8 labels of 70 x 37 mm, a CSV of 30 people
// linked), a text, a Code 128 and a QR drawn and bound to the fields in the
// inspector, the preview, the print to a PDF file. Every click, key and typed
// string counts; the printed PDF is read back by poppler and ZXing: every
// name, Code 128 and QR of the 30 records. KVR_WALK_SHOTS names a folder for
// pictures of the window on the way.
#include "dialogs/KVR.FMX.Dialogs.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "editor/TKVRBackEditor.h"
#include "examples/demo/DemoWindow.h"
#include "examples/demo/EditorPage.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"
#include "render/TKVRDraw.h"
#include "tests/demo/ModalScript.h"
#include "tests/demo/WalkData.h"
#include "tests/inspector/InspectorFixture.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/PdfReader.h"
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// The user's hands: each call is one action.
struct TUser
{
    int Actions = 0;
    QString Shots;
    void Click(QWidget* aWidget, QPoint aAt = QPoint(-1, -1))
    {
        ASSERT_TRUE(aWidget);
        ++Actions;
        // A click gives the focus to what takes it from the mouse, as on a desktop.
        if (aWidget->focusPolicy() & Qt::ClickFocus)
            aWidget->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(aWidget, Qt::LeftButton, {}, aAt.x() < 0 ? aWidget->rect().center() : aAt);
    }
    // A double click on a box's whole number selects it, to be typed over
    // (a decimal one it selects only in part).
    void DoubleClick(QWidget* aWidget)
    {
        ASSERT_TRUE(aWidget);
        ++Actions;
        const QPoint centre = aWidget->rect().center();
        QWidget* target = aWidget->childAt(centre);
        if (!target)
            target = aWidget;
        aWidget->setFocus(Qt::MouseFocusReason);
        QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(aWidget, centre));
    }
    void Key(QWidget* aWidget, int aKey, Qt::KeyboardModifiers aMods = {})
    {
        ++Actions;
        QWidget* window = aWidget->window();
        QTest::keyClick(aWidget, Qt::Key(aKey), aMods);
        // Tab into a number box selects its value; offscreen a dialog is not
        // the active window and hears no focus-in: done here as the box would.
        if (aKey == Qt::Key_Tab && !window->isActiveWindow())
            if (auto* box = qobject_cast<QAbstractSpinBox*>(window->focusWidget()))
                box->selectAll();
    }
    void Type(QWidget* aWidget, const QString& aText)
    {
        ++Actions;
        QTest::keyClicks(aWidget, aText);
    }
    // A family button of the toolbar, then the tool in its menu.
    void Tool(QToolBar& aBar, const QString& aFamily, const QString& aTool)
    {
        for (QToolButton* b : aBar.findChildren<QToolButton*>())
            if (b->text() == aFamily && b->menu()) {
                QAction* item = nullptr;
                for (QAction* a : b->menu()->actions())
                    if (a->text() == aTool)
                        item = a;
                ASSERT_TRUE(item) << aTool.toStdString();
                QTimer::singleShot(0, [this, item] {
                    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                        Click(menu, menu->actionGeometry(item).center());
                });
                Click(b);
                return;
            }
        FAIL() << "no family " << aFamily.toStdString();
    }
    void Shot(QWidget* aWidget, const QString& aName) const
    {
        if (!Shots.isEmpty())
            aWidget->window()->grab().save(QDir(Shots).filePath(aName + ".png"));
    }
};

// Where the keys of a window go: its focus widget.
QWidget* Focused(QWidget* aForm)
{
    QWidget* w = aForm->focusWidget();
    return w ? w : aForm;
}

// An element's data binding as "fill type field", or "" for an element without one.
QString Binding(const TKVRBaseItem* aItem)
{
    const auto text = [](int aType, const QString& aName) { return QString::number(aType) + ' ' + aName; };
    if (auto* t = dynamic_cast<const TKVRBaseTextItem*>(aItem))
        return text(t->GetFillType(), t->GetFillName());
    if (auto* b = dynamic_cast<const TKVRBaseBarcode*>(aItem))
        return text(b->GetFillType(), b->GetFillName());
    if (auto* q = dynamic_cast<const TKVRBase2DCode*>(aItem))
        return text(q->GetFillType(), q->GetFillName());
    return {};
}

// The inspector's "Field" list.
constexpr int FieldPos = 231;

// A window that opens takes the keys, as it does on a desktop.
void Activate(QWidget* aForm)
{
    aForm->activateWindow();
    (void)QTest::qWaitForWindowActive(aForm);
}

}  // namespace

TEST(DemoWalk, ALabelFromNothingPrintsEveryRecord)
{
    InitializeKVRFMXTypes();
    InitializeKVRFMXDialogs();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<TWalkRecord> records = WalkRecords(30);
    const QString csv = dir.filePath("people.csv");
    ASSERT_TRUE(WriteWalkCsv(csv, records));
    const QString pdf = dir.filePath("printed.pdf");
    TPdfFileDevice device(pdf);

    DemoWindow window;
    window.resize(1000, 800);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    TUser user;
    user.Shots = qEnvironmentVariable("KVR_WALK_SHOTS");

    // File › New; the sheet dialog opens on the empty label.
    {
        TModalScript sheet;
        sheet.Then("TfLabelling", [&user, &csv](QWidget* f) {
            Activate(f);
            user.Click(f->findChild<QAbstractSpinBox*>("seWidth"));
            user.Key(Focused(f), Qt::Key_A, Qt::ControlModifier);
            user.Type(Focused(f), "70");
            user.Key(Focused(f), Qt::Key_Tab);
            user.Type(Focused(f), "37");
            user.DoubleClick(f->findChild<QAbstractSpinBox*>("seRows"));
            user.Type(Focused(f), "8");
            user.Key(Focused(f), Qt::Key_Tab);
            user.Type(Focused(f), "3");
            auto* pages = f->findChild<QTabWidget*>("PageLab");
            user.Click(pages->tabBar(), pages->tabBar()->tabRect(2).center());
            {
                // The CSV file is typed into the file dialog.
                TModalScript file;
                file.Then("QFileDialog", [&user, &csv](QWidget* d) {
                    Activate(d);
                    user.Type(Focused(d), csv);
                    user.Key(Focused(d), Qt::Key_Return);
                    // Offscreen the name's completer may take the Return: the dialog takes the typed file.
                    if (d->isVisible()) {
                        auto* fd = qobject_cast<QFileDialog*>(d);
                        fd->selectFile(csv);
                        static_cast<QDialog*>(fd)->accept();
                    }
                                    });
                user.Click(f->findChild<QPushButton*>("butSelFile"));
            }
            user.Click(f->findChild<QCheckBox*>("ckLinkData"));
            user.Shot(f, "walk-1-sheet");
            user.Click(f->findChild<QPushButton*>("butOK"));
        });
        user.Key(&window, Qt::Key_N, Qt::ControlModifier);
        ASSERT_TRUE(sheet.Done());
    }
    EditorPage& page = window.Editor();
    TVXLabelFMX& doc = page.Document();
    ASSERT_EQ(doc.GetMeasure().GetRows(), 8);
    ASSERT_EQ(doc.GetMeasure().GetColumns(), 3);
    ASSERT_EQ(doc.GetMeasure().GetWidth(), 70000);
    ASSERT_EQ(doc.GetMeasure().GetHeight(), 37000);
    ASSERT_EQ(doc.GetData().Records().RecordCount(), 30);

    // A text, a Code 128 and a QR, each placed with a click on the label and,
    // while it is selected, bound in the inspector: its "Field" list set to
    // the field (which binds it) by a click on the list and the entry's first
    // letter.
    TKVRBackEditor* surface = page.Editor().GetSurface();
    TKVRInspector& inspector = page.Inspector();
    const auto at = [surface](int64_t x, int64_t y) { return QPoint(surface->ScreenMMX(x), surface->ScreenMMY(y)); };
    const auto choose = [&user, &inspector](int aPos, const QString& aTyped) {
        const QPoint part = PartCentre(inspector, aPos, KVRInsProp::List);
        ASSERT_TRUE(inspector.viewport()->rect().contains(part)) << "part " << aPos << " out of sight";
        user.Click(inspector.viewport(), part);
        ASSERT_TRUE(inspector.GetComboList()->isVisible()) << "part " << aPos;
        user.Type(inspector.GetComboList(), aTyped);
        EXPECT_FALSE(inspector.GetComboList()->isVisible()) << "part " << aPos;
    };
    const auto bind = [&choose](const QString& aTyped) { choose(FieldPos, aTyped); };
    user.Tool(page.Tools(), "Texts", "Text");
    user.Click(surface, at(4000, 4000));
    // The text being typed is the one selected: bound before a Return, which
    // would leave the tool on for the next text and nothing selected.
    user.Type(surface, "Name");
    bind("N");
    user.Tool(page.Tools(), "Codes", "Barcode");
    user.Click(surface, at(4000, 14000));
    bind("C");
    user.Tool(page.Tools(), "Codes", "QR");
    user.Click(surface, at(46000, 8000));
    bind("L");
    user.Shot(&window, "walk-2-bound");
    ASSERT_EQ(doc.GetItemsCount(), 3);
    const QString fields[] = {"Name", "Code", "Link"};
    for (int32_t i = 1; i <= 3; ++i)
        EXPECT_EQ(Binding(doc.GetItem(i)), "1 " + fields[i - 1]) << "element " << i;

    // File › Preview..., looked at, closed.
    {
        TModalScript preview;
        preview.Then("TfPreview", [&user](QWidget* f) {
            user.Shot(f, "walk-3-preview");
            user.Click(f->findChild<QWidget*>("butClose"));
        });
        QMenu* file = window.menuBar()->actions().first()->menu();
        QTimer::singleShot(0, [&user, file] {
            QAction* item = file->findChild<QAction*>("actPreview");
            user.Click(file, file->actionGeometry(item).center());
        });
        user.Click(window.menuBar(), window.menuBar()->actionGeometry(window.menuBar()->actions().first()).center());
        // The menu bar's menu pops up without a loop of its own.
        ASSERT_TRUE(QTest::qWaitFor([&preview] { return preview.Done(); }, 20000));
    }

    // Ctrl+P: the PDF file printer chosen, OK, the report read.
    {
        TModalScript print;
        print.Then("QInputDialog", [&user, &device](QWidget* f) {
                 auto* d = qobject_cast<QInputDialog*>(f);
                 if (d->textValue() != device.Name) {
                     user.Actions += 2;  // the list opened, the printer picked
                     d->setTextValue(device.Name);
                 }
                 ++user.Actions;
                 d->accept();
             })
            .Then("QMessageBox", [&user](QWidget* f) {
                user.Shot(f, "walk-4-printed");
                ++user.Actions;
                qobject_cast<QDialog*>(f)->accept();
            });
        Activate(&window);  // back in front once the preview is closed, as on a desktop
        user.Key(&window, Qt::Key_P, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&print] { return print.Done(); }, 60000));
    }

    // Each binding takes two actions (a click on the list and a letter);
    // picking the PDF printer from the list takes two more where the
    // machine's own printers come first.
    std::printf("The walk took %d user actions (the three fields bound through the inspector).\n", user.Actions);
    EXPECT_LE(user.Actions, 40);

    // The print read back: every name in the text; every Code 128 and QR by
    // ZXing in its label cell.
    const QString text = PdfText(pdf);
    int names = 0;
    for (const TWalkRecord& r : records) {
        EXPECT_TRUE(text.contains(r.Name)) << r.Name.toStdString();
        names += text.contains(r.Name);
    }
    const int dpi = 200;
    const std::vector<QImage> pages = RasterisePages(pdf, dpi);
    ASSERT_EQ(pages.size(), 2u);
    const auto px = [dpi](int64_t um) { return int(double(um) * dpi / 25400.0); };
    const TKVRRect code = doc.GetItem(2)->GetBounds(), qr = doc.GetItem(3)->GetBounds();
    int codes = 0, qrs = 0;
    for (int i = 0; i < 30; ++i) {
        const QImage& sheet = pages[size_t(i / 24)];
        const int cell = i % 24, row = cell / 3, col = cell % 3;
        const int64_t left = col * 70000, top = row * 37000;
        const auto cut = [&](const TKVRRect& b) {
            const int pad = px(2000);
            return sheet.copy(QRect(QPoint(px(left + b.Left) - pad, px(top + b.Top) - pad),
                                    QPoint(px(left + b.Right) + pad, px(top + b.Bottom) + pad)));
        };
        const DecodedSymbol c = DecodeOne(cut(code)), q = DecodeOne(cut(qr));
        EXPECT_EQ(c.text, records[size_t(i)].Code) << "record " << i + 1;
        EXPECT_EQ(q.text, records[size_t(i)].Link) << "record " << i + 1;
        codes += c.text == records[size_t(i)].Code;
        qrs += q.text == records[size_t(i)].Link;
    }
    std::printf("Read back: %d names, %d Code 128 and %d QR of 30.\n", names, codes, qrs);
}
