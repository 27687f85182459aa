#pragma once
// What a print run did: the labels that went to the printer and, per label,
// the elements that could not print what their record holds.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct TKVRPrintProblem
{
    int64_t Label = 0;    // label of the run, from 1
    int32_t Record = 0;   // data record, from 1 (0: the label prints no data)
    int32_t Element = 0;  // element index in the document, from 1
    QString ElementID;
    QString Message;
};

struct TKVRPrintReport
{
    int64_t LabelsToPrint = 0;
    int64_t LabelsPrinted = 0;
    int64_t Pages = 0;
    bool Aborted = false;  // the printer dropped the document
    QString Error;         // why, when aborted
    // Why labels did not print although a run was asked for: no printer, a
    // data file that could not be read, no records.
    QStringList Reasons;
    std::vector<TKVRPrintProblem> Problems;

    int64_t LabelsUnprinted() const { return LabelsToPrint - LabelsPrinted; }
    // Every label printed whole, nothing dropped.
    bool Complete() const { return !Aborted && LabelsUnprinted() == 0 && Problems.empty(); }
    // One line per finding, for a host's message box or log.
    QString Text() const;
};
