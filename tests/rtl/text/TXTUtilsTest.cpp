#include "platform/rtl/text/TXTUtils.h"
#include <gtest/gtest.h>

TEST(TXTUtils, DeleteCharPosDeletesTheCharacterBeforeTheCaret)
{
    const struct
    {
        const char* Text;
        int32_t Pos;
        bool Deleted;
        const char* After;
    } cases[] = {{"abc", 1, true, "bc"},  {"abc", 3, true, "ab"}, {"abc", 0, false, "abc"},
                 {"abc", 4, false, "abc"}, {"", 1, false, ""},     {"abc", -1, false, "abc"},
                 {"a\xF0\x9F\x98\x80" "b", 2, true, "ab"}, {"a\xF0\x9F\x98\x80" "b", 3, true, "ab"}};
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.Text);
        EXPECT_EQ(TXTUtils::DeleteCharPos(text, c.Pos, 1), c.Deleted) << c.Text << " " << c.Pos;
        EXPECT_EQ(text, QString::fromUtf8(c.After));
    }
}
