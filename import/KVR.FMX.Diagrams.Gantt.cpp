#include "import/KVR.FMX.Diagrams.Gantt.h"
#include "import/KVR.FMX.Diagrams.Text.h"
#include <QDate>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString GanttHeader = QStringLiteral("GxControl:Gantt:");

int64_t SaturatedAdd(int64_t aA, int64_t aB)
{
    int64_t sum;
    if (!__builtin_add_overflow(aA, aB, &sum))
        return sum;
    return aB > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
}

bool IsDigit(QChar aChar) { return aChar >= u'0' && aChar <= u'9'; }

bool AllDigits(QStringView aText)
{
    for (QChar c : aText)
        if (!IsDigit(c))
            return false;
    return !aText.isEmpty();
}

// The text between a token's first ":" and its first "]"; empty without "]".
QString TokenValue(const QString& aToken)
{
    const qsizetype colon = aToken.indexOf(u':');
    const qsizetype close = aToken.indexOf(u']');
    if (colon < 0 || close <= colon)
        return QString();
    return aToken.mid(colon + 1, close - colon - 1);
}

// A date as the notation writes it.
QString DateText(TDateTime aDate)
{
    return QDate(1899, 12, 30).addDays(qint64(aDate)).toString(QStringLiteral("d-M-yyyy"));
}

// The arrow that leads a task line; "-->" does not begin with "->", so each
// form is told by its own prefix.
enum class TArrow { None, Task, Sub, SubSub };

TArrow LineArrow(const QString& aLine)
{
    if (aLine.startsWith(u"->"))
        return TArrow::Task;
    if (aLine.startsWith(u"-->"))
        return TArrow::Sub;
    if (aLine.startsWith(u"--->") || aLine.startsWith(u"---->"))
        return TArrow::SubSub;
    return TArrow::None;
}

}  // namespace

namespace KVRGantt {

bool ReadDate(const QString& aText, TDateTime& aValue)
{
    const QStringList parts = aText.split(u'-');
    if (parts.size() != 3)
        return false;
    const QString& d = parts[0];
    const QString& m = parts[1];
    const QString& y = parts[2];
    if (d.size() > 2 || m.size() > 2 || y.size() != 4 || !AllDigits(d) || !AllDigits(m) || !AllDigits(y))
        return false;
    const QDate date(y.toInt(), m.toInt(), d.toInt());
    if (!date.isValid() || date.year() < 1)
        return false;
    aValue = TDateTime(QDate(1899, 12, 30).daysTo(date));
    return true;
}

int64_t DaysBetween(TDateTime aA, TDateTime aB)
{
    const double days = std::trunc(std::fabs(aA - aB));
    // Dates read from the notation lie within years 1..9999; others set by
    // hand are held to a range no conversion overflows.
    if (std::isnan(days))
        return 0;
    return int64_t(std::min(days, 1e12));
}

bool ReadCurrency(const QString& aText, TCurrency& aValue)
{
    qsizetype i = 0;
    const qsizetype n = aText.size();
    bool negative = false;
    if (i < n && (aText.at(i) == u'+' || aText.at(i) == u'-'))
        negative = aText.at(i++) == u'-';
    int64_t units = 0;
    int digits = 0;
    for (; i < n && IsDigit(aText.at(i)); ++i, ++digits)
        if (__builtin_mul_overflow(units, int64_t(10), &units) ||
            __builtin_add_overflow(units, int64_t(aText.at(i).unicode() - u'0'), &units))
            return false;
    int64_t fraction = 0;
    int places = 0;
    int roundDigit = 0;      // first digit past the fourth place
    bool beyondRound = false;  // a non-zero digit after that one
    if (i < n && aText.at(i) == u'.') {
        for (++i; i < n && IsDigit(aText.at(i)); ++i, ++digits) {
            const int digit = aText.at(i).unicode() - u'0';
            if (places < 4)
                fraction = fraction * 10 + digit;
            else if (places == 4)
                roundDigit = digit;
            else if (digit != 0)
                beyondRound = true;
            ++places;
        }
    }
    if (i != n || digits == 0)
        return false;
    for (; places < 4; ++places)
        fraction *= 10;
    int64_t value;
    if (__builtin_mul_overflow(units, int64_t(10000), &value) || __builtin_add_overflow(value, fraction, &value))
        return false;
    if (roundDigit > 5 || (roundDigit == 5 && (beyondRound || (value & 1))))
        if (__builtin_add_overflow(value, int64_t(1), &value))
            return false;
    aValue = negative ? -value : value;
    return true;
}

bool ReadColor(const QString& aText, TAlphaColor& aValue)
{
    if (aText.size() < 2 || aText.size() > 9 || aText.at(0) != u'#')
        return false;
    TAlphaColor value = 0;
    for (qsizetype i = 1; i < aText.size(); ++i) {
        const char16_t c = aText.at(i).unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else
            return false;
        value = (value << 4) | TAlphaColor(digit);
    }
    // Up to six digits are red, green and blue without alpha: opaque.
    aValue = aText.size() <= 7 ? (value | 0xFF000000u) : value;
    return true;
}

}  // namespace KVRGantt

TCurrency TGanttElement::GetTotalCost() const
{
    TCurrency total = FCost;
    for (const auto& sub : FSubTasks)
        total = SaturatedAdd(total, sub->GetTotalCost());
    return total;
}

void TGanttParser::Parse(const QStringList& aLines)
{
    TGanttElement* current = nullptr;
    for (qsizetype i = 0; i < aLines.size(); ++i) {
        FLineNo = int32_t(std::min<qsizetype>(i + 1, std::numeric_limits<int32_t>::max()));
        const QString line = KVRDiagramTrim(aLines[i]);
        try {
            if (line.startsWith(GanttHeader))
                FTitle = line.mid(GanttHeader.size());
            else if (LineArrow(line) != TArrow::None)
                ParseLine(line, current);
        } catch (...) {
            FLineNo = 0;
            throw;
        }
    }
    FLineNo = 0;
}

void TGanttParser::Parse(const QString& aText)
{
    Parse(KVRDiagramLines(aText));
}

void TGanttParser::ParseMermaid(const QString& aText)
{
    Q_UNUSED(aText);
}

void TGanttParser::ParseLine(const QString& aLine, TGanttElement*& aCurrent)
{
    auto task = std::make_unique<TGanttElement>();
    ParseElementProperties(aLine, *task);
    switch (LineArrow(aLine)) {
    case TArrow::Task:
        FElements.push_back(std::move(task));
        aCurrent = FElements.back().get();
        break;
    case TArrow::Sub:
        if (aCurrent)
            aCurrent->GetSubTasks().push_back(std::move(task));
        break;
    case TArrow::SubSub:
        if (aCurrent && !aCurrent->GetSubTasks().empty())
            aCurrent->GetSubTasks().back()->GetSubTasks().push_back(std::move(task));
        break;
    case TArrow::None:
        break;
    }
}

void TGanttParser::ParseElementProperties(const QString& aLine, TGanttElement& aTask)
{
    const QStringList tokens = aLine.split(u' ', Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return;
    aTask.SetAlias(tokens[0]);
    // A line of one token names no task: its name stays empty.
    aTask.SetName(tokens.size() > 1 ? tokens[1] : QString());
    const QString where = FLineNo > 0 ? QStringLiteral(", line %1").arg(FLineNo) : QString();
    bool hasEnd = false;
    for (qsizetype i = 3; i < tokens.size(); ++i) {
        const QString& token = tokens[i];
        TDateTime date = 0;
        if (token.startsWith(u"[StartDate:")) {
            if (KVRGantt::ReadDate(TokenValue(token), date))
                aTask.SetStartDate(date);
        } else if (token.startsWith(u"[EndDate:")) {
            if (KVRGantt::ReadDate(TokenValue(token), date)) {
                aTask.SetEndDate(date);
                hasEnd = true;
            }
        } else if (token.startsWith(u'#')) {
            TAlphaColor color = 0;
            if (!KVRGantt::ReadColor(token, color))
                throw EGanttError(QStringLiteral("Gantt text%1: \"%2\" is not a colour (# and up to eight hexadecimal digits)")
                                      .arg(where, token)
                                      .toStdString());
            aTask.SetColor(color);
        } else if (token.startsWith(u"[Duration:")) {
            bool ok = false;
            const int32_t days = TokenValue(token).toInt(&ok);
            aTask.SetDuration(ok ? days : 0);
        } else if (token.startsWith(u"[Priority:")) {
            aTask.SetPriority(TokenValue(token));
        } else if (token.startsWith(u"[Risk:")) {
            aTask.SetRisk(TokenValue(token));
        } else if (token.startsWith(u"[Critical")) {
            aTask.SetIsCritical(true);
        } else if (token.startsWith(u"[Cost:")) {
            TCurrency cost = 0;
            aTask.SetCost(KVRGantt::ReadCurrency(TokenValue(token), cost) ? cost : 0);
        }
    }
    // A task without an end is a milestone: it ends where it starts, so its
    // bar is the shortest one (the end date of 0 would reach back to 1899).
    if (!hasEnd)
        aTask.SetEndDate(aTask.GetStartDate());
    else if (aTask.GetEndDate() < aTask.GetStartDate())
        throw EGanttError(QStringLiteral("Gantt text%1: task \"%2\" ends (%3) before it starts (%4)")
                              .arg(where, aTask.GetName(), DateText(aTask.GetEndDate()), DateText(aTask.GetStartDate()))
                              .toStdString());
    // The dates decide the duration, whatever the line said.
    aTask.SetDuration(int32_t(std::min<int64_t>(KVRGantt::DaysBetween(aTask.GetEndDate(), aTask.GetStartDate()),
                                                std::numeric_limits<int32_t>::max())));
}

int32_t TGanttParser::GetTotalDuration() const
{
    int64_t total = 0;
    for (const auto& task : FElements)
        total += task->GetDuration();  // int32 terms: no 64-bit overflow below 2^32 tasks
    return int32_t(std::clamp<int64_t>(total, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

TCurrency TGanttParser::GetTotalCost() const
{
    TCurrency total = 0;
    for (const auto& task : FElements)
        total = SaturatedAdd(total, task->GetTotalCost());
    return total;
}

TDateTime TGanttParser::GetMinStartDate() const
{
    TDateTime result = KVRMaxDateTime;
    for (const auto& task : FElements)
        result = std::min(result, task->GetStartDate());
    return result;
}

TDateTime TGanttParser::GetMaxEndDate() const
{
    TDateTime result = 0;
    for (const auto& task : FElements)
        result = std::max(result, task->GetEndDate());
    return result;
}
