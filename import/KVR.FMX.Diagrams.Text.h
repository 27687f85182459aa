#pragma once
#include <QString>
#include <QStringList>

// Line handling shared by the diagram readers.

// The text's lines: CR LF, LF and CR each end one. A break at the very end adds
// no empty line; empty lines inside are kept, so indices are line numbers - 1.
QStringList KVRDiagramLines(const QString& aText);

// The text without leading and trailing blanks and control characters
// (everything up to U+0020).
QString KVRDiagramTrim(const QString& aText);
