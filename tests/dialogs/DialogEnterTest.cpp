// Enter in the dialogs that edit the document live and have no OK: it
// confirms the box it is typed in and adds nothing, whichever box it is.
#include "platform/skia/TSkFont.h"
#include "tests/dialogs/DialogsTestSupport.h"
#include "tests/dialogs/LiveEditors.h"
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Brings the tab page that holds aBox to the front.
void Reveal(QWidget* aBox)
{
    for (QWidget* w = aBox; w && w->parentWidget(); w = w->parentWidget())
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget()))
            stack->setCurrentWidget(w);
}

// The boxes a user types into: line edits of their own, spin boxes, lists.
QList<QWidget*> Boxes(QDialog& aForm)
{
    QList<QWidget*> boxes;
    for (QWidget* w : aForm.findChildren<QWidget*>()) {
        const bool edit = qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
                          !qobject_cast<QComboBox*>(w->parentWidget());
        if ((edit || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w)) && w->isEnabled() &&
            !w->isHidden())
            boxes << w;
    }
    return boxes;
}

}  // namespace

TEST(DialogEnter, EnterInAnyBoxConfirmsItAndAddsNothing)
{
    for (const TLiveEditor& c : LiveEditors()) {
        SCOPED_TRACE(c.Name);
        TScriptedPrompts prompts;
        prompts.Answer = QStringLiteral("Added");  // an add would be answered
        TVXLabelFMX doc;
        std::unique_ptr<QDialog> form = c.Open(doc, QStringLiteral("DejaVu Sans"));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const int32_t count = c.Count(doc);
        const QList<QWidget*> boxes = Boxes(*form);
        EXPECT_GE(boxes.size(), 4);
        for (QWidget* box : boxes) {
            SCOPED_TRACE(box->objectName().toStdString());
            Reveal(box);
            box->setFocus();
            if (auto* spin = qobject_cast<QAbstractSpinBox*>(box)) {
                spin->selectAll();
                QTest::keyClicks(spin, QStringLiteral("2"));
                QTest::keyClick(spin, Qt::Key_Return);
                const double value = qobject_cast<QSpinBox*>(spin) ? qobject_cast<QSpinBox*>(spin)->value()
                                                                    : qobject_cast<QDoubleSpinBox*>(spin)->value();
                EXPECT_EQ(value, 2.0);
            } else if (auto* edit = qobject_cast<QLineEdit*>(box)) {
                QTest::keyClicks(edit, QStringLiteral("7"));
                QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
                EXPECT_TRUE(edit->text().endsWith(u'7'));
            } else {
                QTest::keyClick(box, Qt::Key_Return);
            }
            EXPECT_EQ(c.Count(doc), count);
            EXPECT_EQ(prompts.Asked, 0);
            EXPECT_TRUE(form->isVisible());
        }
        form->hide();
    }
}

TEST(DialogFonts, AFontNotInstalledShowsTheFamilyItIsDrawnWith)
{
    // Arial is the default of every font; "Kvr Nowhere Sans" exists nowhere.
    for (const QString& font : {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Kvr Nowhere Sans")}) {
        const ISkTypeface drawn = TSkTypeface::MakeFromName(font, TSkFontStyle::Normal());
        ASSERT_TRUE(drawn);
        for (const TLiveEditor& c : LiveEditors()) {
            SCOPED_TRACE(std::string(c.Name) + " " + font.toStdString());
            TScriptedPrompts prompts;
            TVXLabelFMX doc;
            std::unique_ptr<QDialog> form = c.Open(doc, font);
            QComboBox* list = c.FontList(*form);
            EXPECT_FALSE(list->currentText().isEmpty());
            EXPECT_EQ(list->currentText(), drawn->GetFamilyName());
            if (list->findText(font) >= 0) {
                EXPECT_EQ(list->currentText(), font);
            }
        }
    }
}
