#pragma once
// The last step of every whole-file write: the bytes through an opened,
// unbuffered save file, then the commit.
#include <QByteArray>
#include <QString>

class QSaveFile;

// Writes aBytes to aFile (opened unbuffered, so a short write is seen here)
// and commits it. Empty on success; otherwise why not, and the previous
// file stays: Qt's save file sets no message on a short write (a full disk),
// so that case says how many bytes could be written.
QString KVRCommitWhole(QSaveFile& aFile, const QByteArray& aBytes);
