// Task dates that a chart cannot draw as given: a task without an end is a
// milestone, an end before the start is refused with its line.
#include "import/KVR.FMX.Diagrams.h"
#include <gtest/gtest.h>

TEST(GanttMilestone, TaskWithoutAnEndIsTheShortestBarAtItsStart)
{
    const struct { const char* Line; int64_t X, Width; int32_t Duration; } cases[] = {
        {"-> M Review x [StartDate:05-03-2024]", 44000, 0, 0},
        {"-> M Review x [StartDate:05-03-2024] [EndDate:2024-03-09]", 44000, 0, 0},  // an end that does not read
        {"-> M Review x [StartDate:05-03-2024] [EndDate:05-03-2024]", 44000, 0, 0},
        {"-> M Review x [EndDate:07-03-2024] [StartDate:05-03-2024]", 44000, 20000, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        TGanttParser parser;
        parser.Parse(QStringLiteral("-> A Plan x [StartDate:01-03-2024] [EndDate:03-03-2024]\n") + c.Line);
        const TGanttChart chart = KVRGanttChart(parser);
        ASSERT_EQ(chart.Bars.size(), 2);
        EXPECT_EQ(chart.Bars[1].Box.X, c.X);
        EXPECT_EQ(chart.Bars[1].Box.Width, c.Width);
        EXPECT_EQ(parser.GetElements()[1]->GetDuration(), c.Duration);
        EXPECT_EQ(parser.GetMaxEndDate(), 45356.0 + c.Duration);  // 5 March 2024 and the days after
    }
}

TEST(GanttMilestone, EndBeforeStartNamesItsLine)
{
    TGanttParser parser;
    try {
        parser.Parse(QStringLiteral("GxControl:Gantt:P\n-> A Plan x\n-> B Build x [StartDate:09-03-2024] [EndDate:05-03-2024]\n"));
        FAIL() << "no error";
    } catch (const EGanttError& e) {
        const QString message = QString::fromUtf8(e.what());
        EXPECT_TRUE(message.contains(u"line 3")) << e.what();
        EXPECT_TRUE(message.contains(u"\"B\" ends (5-3-2024) before it starts (9-3-2024)")) << e.what();
    }
}
