// The rich-text toolbar's font and size lists as the label's openers show
// them: at the screen point given, handing the choice on.
#include "dialogs/KVR.FMX.SelFont.h"
#include "dialogs/KVR.FMX.SelSize.h"
#include "document/KVR.FMX.Openers.h"
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
template <typename TForm>
TForm* ShownList()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm*>(w); form && form->isVisible())
            return form;
    return nullptr;
}

// Picks a row of the list once it shows; a list that never shows is closed.
template <typename TForm>
void PickRowWhenShown(const char* aList, int aRow, QPoint& aShownAt)
{
    QTimer::singleShot(0, [=, &aShownAt] {
        TForm* form = ShownList<TForm>();
        if (!form)
            return;
        aShownAt = form->frameGeometry().topLeft();
        auto* list = form->template findChild<QListWidget*>(aList);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(aRow)).center());
    });
    QTimer::singleShot(5000, [] {
        if (TForm* form = ShownList<TForm>())
            form->reject();
    });
}
}  // namespace

TEST(RichToolbarLists, OpenAtThePointAndHandTheChoiceOn)
{
    QPoint shownAt;
    int32_t size = 0;
    PickRowWhenShown<TfSelSize>("SizeListBox", 6, shownAt);
    KVRLabelOpeners().SelectTextSize(QPoint(40, 50), [&](int32_t aSize) { size = aSize; });
    EXPECT_EQ(size, 10);
    // The platform may add its window frame.
    EXPECT_LE((shownAt - QPoint(40, 50)).manhattanLength(), 4);

    QString family;
    PickRowWhenShown<TfSelFont>("FontListBox", 1, shownAt);
    KVRLabelOpeners().SelectFontName({"Arial", "Courier New"}, QPoint(60, 70),
                                     [&](const QString& aFamily) { family = aFamily; });
    EXPECT_EQ(family, "Courier New");
    EXPECT_LE((shownAt - QPoint(60, 70)).manhattanLength(), 4);
}
