#pragma once
// What the demo does as it starts, apart from the window: its labelling
// sample, and the label files the command line names.
#include <QString>

class DemoWindow;

// What the command line asks for; empty names ask nothing.
struct TDemoStart
{
    QString Open;    // a label file for the labelling page, in place of the sample
    QString SaveAs;  // the opened label (else the last element page's) saved there
    QString Export;  // the same label's first sheet exported there
};

// Writes the labelling sample into aSampleFolder afresh and opens it on the
// labelling page, or opens aStart.Open there instead; then saves and exports
// as asked. The sample is no file the user chose: the page holds it under no
// file name, so a save of it asks for one, and the next start's sample
// never lands on what the user saved. False, told on stderr, when something
// asked for failed.
bool StartDemo(DemoWindow& aWindow, const TDemoStart& aStart, const QString& aSampleFolder);
