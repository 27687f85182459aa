#include "platform/rtl/model/KVR.SaveFile.h"
#include <QSaveFile>
#include <algorithm>

QString KVRCommitWhole(QSaveFile& aFile, const QByteArray& aBytes)
{
    const qint64 written = aFile.write(aBytes);
    if (written == aBytes.size()) {
        if (aFile.commit())
            return {};
        return aFile.errorString();
    }
    const QString why = aFile.error() != QFileDevice::NoError && written < 0
                            ? aFile.errorString()
                            : QStringLiteral("only %1 of %2 bytes could be written")
                                  .arg(std::max<qint64>(written, 0))
                                  .arg(aBytes.size());
    aFile.cancelWriting();
    return why;
}
