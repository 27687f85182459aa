#pragma once
#include <QString>

// A label sheet bound to data, written as a user would have it: an A4 sheet
// of 3 x 7 product labels whose texts and codes take the fields Name, Price,
// Code and EAN, and a CSV file of products for it (one EAN with a wrong check
// digit, so the reports have something to say).
struct TLabellingSample
{
    QString LabelFile;
    QString DataFile;
};

// Writes both files into aFolder; empty names when they cannot be written.
TLabellingSample WriteLabellingSample(const QString& aFolder);
