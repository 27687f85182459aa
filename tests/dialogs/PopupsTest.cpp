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
