#include "dialogs/KVR.FMX.SelFont.h"
#include "dialogs/KVR.FMX.SelSize.h"
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void ClickRow(QListWidget* aList, int aRow)
{
    QTest::mouseClick(aList->viewport(), Qt::LeftButton, {}, aList->visualItemRect(aList->item(aRow)).center());
}

}  // namespace

TEST(Popups, SizeListOffersFourToFifteenMillimetres)
{
    TfSelSize form;
    form.LoadSizes();
    auto* list = form.findChild<QListWidget*>("SizeListBox");
    ASSERT_EQ(list->count(), 12);
    EXPECT_EQ(list->item(0)->text(), "4 mm");
    EXPECT_EQ(list->item(11)->text(), "15 mm");
    EXPECT_EQ(form.GetSelectedSize(), 0);
    int calls = 0;
    form.fOnSizeSelected = [&](QObject* aSender) {
        ++calls;
        EXPECT_EQ(aSender, &form);
        form.accept();
    };
    form.show();
    ClickRow(list, 6);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(form.GetSelectedSize(), 10);
    EXPECT_FALSE(form.isVisible());
}

TEST(Popups, FontListCallsOnlyForAnotherFontAndEscChoosesNothing)
{
    TfSelFont form;
    int calls = 0;
    form.LoadFonts({"Arial", "Courier New", "Times New Roman"});
    EXPECT_EQ(form.GetSelectedFont(), "Arial");
    form.fOnFontSelected = [&](QObject*) {
        ++calls;
        form.accept();
    };
    auto* list = form.findChild<QListWidget*>("FontListBox");
    form.show();
    ClickRow(list, 0);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(calls, 0);

    form.show();
    // A press outside the popup closes it.
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(calls, 0);

    form.show();
    ClickRow(list, 2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(form.GetSelectedFont(), "Times New Roman");
    EXPECT_FALSE(form.isVisible());

    TfSelFont empty;
    empty.LoadFonts({});
    EXPECT_EQ(empty.GetSelectedFont(), QString());
}

// The lists work from the keyboard as lists do: the arrows and typed letters
// move through the list without choosing; Enter chooses.
TEST(Popups, ListsWorkFromTheKeyboard)
{
    TfSelFont fonts;
    fonts.LoadFonts({"Arial", "Courier New", "DejaVu Sans", "Times New Roman"});
    QStringList chosen;
    fonts.fOnFontSelected = [&](QObject*) { chosen << fonts.GetSelectedFont(); };
    fonts.show();
    fonts.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fonts));
    auto* list = fonts.findChild<QListWidget*>("FontListBox");
    EXPECT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_TRUE(chosen.isEmpty());
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClicks(list, "t");
    EXPECT_EQ(fonts.GetSelectedFont(), "Times New Roman");
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(chosen, QStringList({"DejaVu Sans", "Times New Roman"}));
    // Back up to the entry the list opened on: a click there chooses it.
    QTest::keyClick(list, Qt::Key_Home);
    ClickRow(list, 0);
    EXPECT_EQ(chosen.size(), 3);

    TfSelSize sizes;
    sizes.LoadSizes();
    int calls = 0;
    sizes.fOnSizeSelected = [&](QObject*) { ++calls; };
    sizes.show();
    auto* sizeList = sizes.findChild<QListWidget*>("SizeListBox");
    QTest::keyClick(sizeList, Qt::Key_Down);
    QTest::keyClick(sizeList, Qt::Key_Down);
    EXPECT_EQ(calls, 0);
    QTest::keyClick(sizeList, Qt::Key_Return);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sizes.GetSelectedSize(), 5);
}

// One entry per family, whatever foundries the font database names.
TEST(Popups, FontListHasOneEntryPerFamily)
{
    TfSelFont form;
    form.LoadFonts({"C059 [UKWN]", "Arial", "C059 [URW ]", "arial", "Nimbus Sans [UKWN]", ""});
    auto* list = form.findChild<QListWidget*>("FontListBox");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    EXPECT_EQ(shown, QStringList({"C059", "Arial", "Nimbus Sans"}));
}
