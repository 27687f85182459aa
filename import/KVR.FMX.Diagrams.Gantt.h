#pragma once
#include "platform/rtl/System.UITypes.h"
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// Gantt task lists: a title line led by "GxControl:Gantt:" and task lines led
// by "->" (task), "-->" (sub-task of the last task) or "--->"/"---->" (sub-task
// of that task's last sub-task). Tokens after the second one set dates,
// colour, duration, priority, risk, criticality and cost.

// Days since 30 December 1899; 0 until set.
using TDateTime = double;
// Money: a count of ten-thousandths.
using TCurrency = int64_t;

// The largest date the reader knows: 31 December 9999, end of day.
constexpr TDateTime KVRMaxDateTime = 2958465.99999999;

// A task text that cannot be read; the message names the line.
class EGanttError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TGanttElement;
using TGanttElementList = std::vector<std::unique_ptr<TGanttElement>>;

// One task and its sub-tasks, which it owns.
class TGanttElement
{
public:
    TGanttElement() = default;
    TGanttElement(const TGanttElement&) = delete;
    TGanttElement& operator=(const TGanttElement&) = delete;

    QString GetAlias() const { return FAlias; }
    void SetAlias(const QString& aValue) { FAlias = aValue; }
    QString GetName() const { return FName; }
    void SetName(const QString& aValue) { FName = aValue; }
    TDateTime GetStartDate() const { return FStartDate; }
    void SetStartDate(TDateTime aValue) { FStartDate = aValue; }
    TDateTime GetEndDate() const { return FEndDate; }
    void SetEndDate(TDateTime aValue) { FEndDate = aValue; }
    int32_t GetDuration() const { return FDuration; }
    void SetDuration(int32_t aValue) { FDuration = aValue; }
    TAlphaColor GetColor() const { return FColor; }
    void SetColor(TAlphaColor aValue) { FColor = aValue; }
    int32_t GetAssignedPeople() const { return FAssignedPeople; }
    void SetAssignedPeople(int32_t aValue) { FAssignedPeople = aValue; }
    QString GetResponsible() const { return FResponsible; }
    void SetResponsible(const QString& aValue) { FResponsible = aValue; }
    int32_t GetProgress() const { return FProgress; }
    void SetProgress(int32_t aValue) { FProgress = aValue; }
    QString GetPriority() const { return FPriority; }
    void SetPriority(const QString& aValue) { FPriority = aValue; }
    QString GetRisk() const { return FRisk; }
    void SetRisk(const QString& aValue) { FRisk = aValue; }
    bool GetIsCritical() const { return FIsCritical; }
    void SetIsCritical(bool aValue) { FIsCritical = aValue; }
    TGanttElementList& GetSubTasks() { return FSubTasks; }
    const TGanttElementList& GetSubTasks() const { return FSubTasks; }
    TCurrency GetCost() const { return FCost; }
    void SetCost(TCurrency aValue) { FCost = aValue; }

    // Own cost plus that of every sub-task, at any depth; held at the 64-bit ends.
    TCurrency GetTotalCost() const;

private:
    QString FAlias;
    QString FName;
    TDateTime FStartDate = 0;
    TDateTime FEndDate = 0;
    int32_t FDuration = 0;
    TAlphaColor FColor = 0;
    int32_t FAssignedPeople = 0;
    QString FResponsible;
    int32_t FProgress = 0;
    QString FPriority;
    QString FRisk;
    bool FIsCritical = false;
    TGanttElementList FSubTasks;
    TCurrency FCost = 0;
};

class TGanttParser
{
public:
    TGanttParser() = default;
    TGanttParser(const TGanttParser&) = delete;
    TGanttParser& operator=(const TGanttParser&) = delete;

    QString GetTitle() const { return FTitle; }
    const TGanttElementList& GetElements() const { return FElements; }

    // Reads the lines into the title and the task tree. A colour token that is
    // no colour raises EGanttError naming its line.
    void Parse(const QStringList& aLines);
    // The same for a text whose lines end in CR LF, LF or CR.
    void Parse(const QString& aText);
    // Mermaid text is not a task list: nothing is read.
    void ParseMermaid(const QString& aText);

    // One task line: a new task, placed in the tree by its arrow; aCurrent is
    // the last top-level task (null before the first) and changes only with "->".
    void ParseLine(const QString& aLine, TGanttElement*& aCurrent);
    // The task's fields from the tokens of its line. A task without an end
    // date ends on its start (a milestone); an end before the start raises
    // EGanttError naming the line.
    void ParseElementProperties(const QString& aLine, TGanttElement& aTask);

    // Sums over the top-level tasks, held at the ends of their types.
    int32_t GetTotalDuration() const;
    TCurrency GetTotalCost() const;
    // KVRMaxDateTime when there is no task.
    TDateTime GetMinStartDate() const;
    // 0 when there is no task.
    TDateTime GetMaxEndDate() const;

private:
    QString FTitle;
    TGanttElementList FElements;
    int32_t FLineNo = 0;  // line being read by Parse, for messages; 0 outside it
};

// Conversions of the task notation, exposed for the tests.
namespace KVRGantt {
// "d-m-yyyy" with one- or two-digit day and month and a four-digit year;
// false when it is no date between years 1 and 9999.
bool ReadDate(const QString& aText, TDateTime& aValue);
// Whole days between two dates, fractions dropped, never negative.
int64_t DaysBetween(TDateTime aA, TDateTime aB);
// A decimal number with up to four places after a point (more are rounded,
// halves to even), optionally signed; false when it is no number or beyond the
// 64-bit range.
bool ReadCurrency(const QString& aText, TCurrency& aValue);
// "#" followed by one to eight hexadecimal digits, read as ARGB; up to six
// digits carry no alpha and are opaque ("#00A0FF" is 0xFF00A0FF).
bool ReadColor(const QString& aText, TAlphaColor& aValue);
}
