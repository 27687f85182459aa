#include "import/KVR.FMX.Diagrams.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

// Everything the parser read, one task per line, sub-tasks indented.
void DescribeTask(const TGanttElement& aTask, int aDepth, QString& aOut)
{
    aOut += QString(aDepth * 2, u' ') +
            QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|")
                .arg(aTask.GetAlias(), aTask.GetName())
                .arg(aTask.GetStartDate())
                .arg(aTask.GetEndDate())
                .arg(aTask.GetDuration())
                .arg(aTask.GetColor(), 8, 16, QChar(u'0'))
                .arg(aTask.GetPriority(), aTask.GetRisk())
                .arg(int(aTask.GetIsCritical())) +
            QString::number(aTask.GetCost()) + u'\n';
    for (const auto& sub : aTask.GetSubTasks())
        DescribeTask(*sub, aDepth + 1, aOut);
}

QString Describe(const TGanttParser& aParser)
{
    QString out = QStringLiteral("title:") + aParser.GetTitle() + u'\n';
    for (const auto& task : aParser.GetElements())
        DescribeTask(*task, 0, out);
    return out;
}

const QString TwoTasks = QStringLiteral(
    "GxControl:Gantt: Plan\n"
    "-> T1 Design x [StartDate:01-03-2024] [EndDate:05-03-2024] #FF00A0FF\n"
    "-> T2 Build x [StartDate:03-03-2024] [EndDate:10-03-2024]\n");

}  // namespace

TEST(GanttParser, TasksGiveAliasNameDatesDurationAndColour)
{
    TGanttParser parser;
    parser.Parse(TwoTasks);
    const auto& tasks = parser.GetElements();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0]->GetAlias(), QStringLiteral("->"));
    EXPECT_EQ(tasks[1]->GetAlias(), QStringLiteral("->"));
    EXPECT_EQ(tasks[0]->GetName(), QStringLiteral("T1"));
    EXPECT_EQ(tasks[1]->GetName(), QStringLiteral("T2"));
    EXPECT_EQ(tasks[0]->GetStartDate(), 45352.0);  // 1 March 2024
    EXPECT_EQ(tasks[0]->GetEndDate(), 45356.0);
    EXPECT_EQ(tasks[0]->GetDuration(), 4);
    EXPECT_EQ(tasks[1]->GetDuration(), 7);
    EXPECT_EQ(tasks[0]->GetColor(), 0xFF00A0FFu);
    EXPECT_EQ(tasks[1]->GetColor(), 0u);
    EXPECT_EQ(parser.GetTotalDuration(), 11);
    EXPECT_EQ(parser.GetMinStartDate(), 45352.0);
    EXPECT_EQ(parser.GetMaxEndDate(), 45361.0);
}

TEST(GanttParser, ArrowsBuildTheSubTaskTree)
{
    TGanttParser parser;
    parser.Parse(QStringLiteral("-> K x\n--> L x\n---> M x\n--> N x\n"));
    const auto& tasks = parser.GetElements();
    ASSERT_EQ(tasks.size(), 1u);
    const TGanttElement& k = *tasks[0];
    EXPECT_EQ(k.GetName(), QStringLiteral("K"));
    ASSERT_EQ(k.GetSubTasks().size(), 2u);
    EXPECT_EQ(k.GetSubTasks()[0]->GetName(), QStringLiteral("L"));
    EXPECT_EQ(k.GetSubTasks()[1]->GetName(), QStringLiteral("N"));
    ASSERT_EQ(k.GetSubTasks()[0]->GetSubTasks().size(), 1u);
    EXPECT_EQ(k.GetSubTasks()[0]->GetSubTasks()[0]->GetName(), QStringLiteral("M"));
    EXPECT_TRUE(k.GetSubTasks()[1]->GetSubTasks().empty());
    // Only top-level tasks are drawn.
    EXPECT_EQ(KVRGanttChart(parser).Bars.size(), 1);
}

struct TDroppedCase
{
    const char* Text;
    const char* Expected;  // the parser's description without the title line
};

class GanttDroppedLines : public ::testing::TestWithParam<TDroppedCase>
{
};

TEST_P(GanttDroppedLines, LeaveNoTrace)
{
    TGanttParser parser;
    parser.Parse(QString::fromUtf8(GetParam().Text));
    EXPECT_EQ(Describe(parser), QStringLiteral("title:\n") + QString::fromUtf8(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GanttDroppedLines,
    ::testing::Values(
        // A grand-child with no child to hang from.
        TDroppedCase{"-> A x\n----> B x\n", "->|A|0|0|0|00000000|||0|0\n"},
        // A child before any task.
        TDroppedCase{"--> B x\n-> A x\n", "->|A|0|0|0|00000000|||0|0\n"},
        // Neither header nor arrow, and an arrow of five dashes.
        TDroppedCase{"Task A\n# note\n-----> C x\n>A\n", ""},
        // One token: no name.
        TDroppedCase{"->\n", "->||0|0|0|00000000|||0|0\n"},
        // Token 2 is not read; unknown tokens are passed over.
        TDroppedCase{"-> A [Priority:High] [Risk:Low] [Whatever] [Critical]\n", "->|A|0|0|0|00000000||Low|1|0\n"},
        // Dates that do not read stay 0; so do durations and costs.
        TDroppedCase{"-> A x [StartDate:31-02-2024] [EndDate:2024-03-01] [Cost:1,5] [Duration:x]\n",
                     "->|A|0|0|0|00000000|||0|0\n"}));

TEST(GanttParser, DurationComesFromTheDatesWhateverTheLineSays)
{
    TGanttParser parser;
    parser.Parse(QStringLiteral("-> A x [Duration:12] [StartDate:1-3-2024] [EndDate:4-3-2024]\n"
                                "-> B x [Duration:12]\n"));
    EXPECT_EQ(parser.GetElements()[0]->GetDuration(), 3);
    EXPECT_EQ(parser.GetElements()[1]->GetDuration(), 0);
}

TEST(GanttParser, FieldsAndCostsAddUpThroughTheTree)
{
    TGanttParser parser;
    parser.Parse(QStringLiteral("-> K x [Cost:1] [Priority:High] [Risk:Low] [Critical]\n"
                                "--> L x [Cost:2.5]\n"
                                "---> M x [Cost:0.25]\n"
                                "-> P x [Cost:-0.5]\n"));
    const TGanttElement& k = *parser.GetElements()[0];
    EXPECT_EQ(k.GetPriority(), QStringLiteral("High"));
    EXPECT_EQ(k.GetRisk(), QStringLiteral("Low"));
    EXPECT_TRUE(k.GetIsCritical());
    EXPECT_FALSE(k.GetSubTasks()[0]->GetIsCritical());
    EXPECT_EQ(k.GetCost(), 10000);
    EXPECT_EQ(k.GetTotalCost(), 37500);
    EXPECT_EQ(parser.GetTotalCost(), 32500);
}

TEST(GanttParser, TotalsHoldAtTheEndsInsteadOfWrapping)
{
    TGanttParser parser;
    parser.Parse(QStringLiteral("-> A x [Cost:922337203685477.5807]\n--> B x [Cost:1]\n-> C x [Cost:0.0001]\n"
                                "-> D x [Cost:-922337203685477.5807]\n"));
    EXPECT_EQ(parser.GetElements()[0]->GetTotalCost(), std::numeric_limits<int64_t>::max());
    // Max, then max again, then the negative end added: held, not wrapped.
    EXPECT_EQ(parser.GetTotalCost(), 0);
}

TEST(GanttParser, TaskWithoutStartPutsTheOthersFarRight)
{
    // The earliest start is then 30 December 1899; a bar in 2600 lies some
    // 2.5 km to the right, beyond 32-bit micrometres.
    TGanttParser parser;
    parser.Parse(QStringLiteral("-> A x [EndDate:02-01-1900]\n"
                                "-> B x [StartDate:01-01-2600] [EndDate:03-01-2600]\n"));
    EXPECT_EQ(parser.GetMinStartDate(), 0.0);
    const TGanttChart chart = KVRGanttChart(parser);
    ASSERT_EQ(chart.Bars.size(), 2);
    EXPECT_EQ(chart.Bars[0].Box.X, 4000);
    EXPECT_EQ(chart.Bars[0].Box.Width, 30000);
    const int64_t days2600 = 255672;  // 1 January 2600 counted from 30 December 1899
    EXPECT_EQ(chart.Bars[1].Box.X, days2600 * 10000 + 4000);
    EXPECT_GT(chart.Bars[1].Box.X, int64_t(std::numeric_limits<int32_t>::max()));
    EXPECT_EQ(chart.Bars[1].Box.Width, 20000);
}

TEST(GanttParser, LineEndsReadAlike)
{
    const QString lines[] = {QStringLiteral("GxControl:Gantt:Release"),
                             QStringLiteral("-> A Alpha x [StartDate:1-3-2024] [EndDate:5-3-2024] #FF112233"),
                             QString(),
                             QStringLiteral("--> B Beta x [Cost:3.5]"),
                             QStringLiteral("---> C Gamma x [Critical]"),
                             QStringLiteral("-> D Delta x [StartDate:2-3-2024]")};
    QStringList described;
    for (const QString& end : {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")}) {
        TGanttParser parser;
        parser.Parse(QStringList(std::begin(lines), std::end(lines)).join(end));
        described.append(Describe(parser));
    }
    EXPECT_EQ(described[0], described[1]);
    EXPECT_EQ(described[0], described[2]);
    EXPECT_TRUE(described[0].contains(u"    --->|C|")) << described[0].toStdString();
    EXPECT_TRUE(described[0].startsWith(u"title:Release\n->|A|"));
}

struct TCurrencyCase
{
    const char* Text;
    bool Reads;
    int64_t Value;
};

class GanttCurrency : public ::testing::TestWithParam<TCurrencyCase>
{
};

TEST_P(GanttCurrency, ReadsTenThousandths)
{
    TCurrency value = -7;
    EXPECT_EQ(KVRGantt::ReadCurrency(QString::fromUtf8(GetParam().Text), value), GetParam().Reads) << GetParam().Text;
    EXPECT_EQ(value, GetParam().Reads ? GetParam().Value : -7) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GanttCurrency,
    ::testing::Values(TCurrencyCase{"12.5", true, 125000}, TCurrencyCase{"-3.25", true, -32500},
                      TCurrencyCase{"+7", true, 70000}, TCurrencyCase{".5", true, 5000}, TCurrencyCase{"2.", true, 20000},
                      TCurrencyCase{"1.23456", true, 12346}, TCurrencyCase{"0.00005", true, 0},
                      TCurrencyCase{"0.00015", true, 2}, TCurrencyCase{"0.000051", true, 1},
                      TCurrencyCase{"922337203685477.5807", true, std::numeric_limits<int64_t>::max()},
                      TCurrencyCase{"922337203685477.5808", false, 0}, TCurrencyCase{"99999999999999999999", false, 0},
                      TCurrencyCase{"", false, 0}, TCurrencyCase{".", false, 0}, TCurrencyCase{"1,5", false, 0},
                      TCurrencyCase{"1e3", false, 0}, TCurrencyCase{" 1", false, 0}));

struct TDateCase
{
    const char* Text;
    bool Reads;
    double Value;
};

class GanttDate : public ::testing::TestWithParam<TDateCase>
{
};

TEST_P(GanttDate, ReadsDayMonthYear)
{
    TDateTime value = -1;
    EXPECT_EQ(KVRGantt::ReadDate(QString::fromUtf8(GetParam().Text), value), GetParam().Reads) << GetParam().Text;
    EXPECT_EQ(value, GetParam().Reads ? GetParam().Value : -1.0) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Cases, GanttDate,
                         ::testing::Values(TDateCase{"30-12-1899", true, 0}, TDateCase{"1-1-1900", true, 2},
                                           TDateCase{"01-03-2024", true, 45352}, TDateCase{"1-3-2024", true, 45352},
                                           TDateCase{"29-02-2024", true, 45351}, TDateCase{"29-02-2023", false, 0},
                                           TDateCase{"31-04-2024", false, 0}, TDateCase{"1-3-24", false, 0},
                                           TDateCase{"001-03-2024", false, 0}, TDateCase{"01/03/2024", false, 0},
                                           TDateCase{"01-03-2024-1", false, 0}, TDateCase{"", false, 0},
                                           TDateCase{"1-13-2024", false, 0}, TDateCase{"31-12-9999", true, 2958465}));

TEST(GanttParser, ColourTokens)
{
    // Eight digits carry their alpha; a colour without one is opaque.
    const struct { const char* Token; TAlphaColor Color; } good[] = {
        {"#FF00a0FF", 0xFF00A0FFu}, {"#8000A0FF", 0x8000A0FFu}, {"#0000A0FF", 0x0000A0FFu},
        {"#00A0FF", 0xFF00A0FFu},   {"#000000", 0xFF000000u},   {"#abc", 0xFF000ABCu},
        {"#1234567", 0x01234567u},
    };
    TAlphaColor color = 1;
    for (const auto& c : good) {
        EXPECT_TRUE(KVRGantt::ReadColor(QString::fromUtf8(c.Token), color)) << c.Token;
        EXPECT_EQ(color, c.Color) << c.Token;
    }
    for (const char* bad : {"#", "#GG", "#123456789", "#+12", "# 12", "FF00A0FF", "#12-4"})
        EXPECT_FALSE(KVRGantt::ReadColor(QString::fromUtf8(bad), color)) << bad;
    EXPECT_EQ(color, 0x01234567u);
}

TEST(GanttParser, SixDigitColourPaintsAnOpaqueBar)
{
    TGanttParser parser;
    parser.Parse(QStringLiteral("-> T1 Design x [StartDate:01-03-2024] [EndDate:05-03-2024] #00A0FF\n"));
    ASSERT_EQ(parser.GetElements().size(), 1u);
    EXPECT_EQ(parser.GetElements()[0]->GetColor(), 0xFF00A0FFu);
}
