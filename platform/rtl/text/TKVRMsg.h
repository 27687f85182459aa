#pragma once
// The message tables: texts of dialogs, the editor, properties, errors and
// lists, looked up by their English key. Only English is held; a key the
// tables do not know answers itself and is noted, so that a key left without
// a text can be found (the lists' keys are their English texts).
#include <QString>
#include <QStringList>

class TKVRMsg
{
public:
    TKVRMsg() = delete;
    static QString GetDialogsValue(const QString& aKey);
    static QString GetEditorValue(const QString& aKey);
    static QString GetPropValue(const QString& aKey);
    static QString GetErrorValue(const QString& aKey);
    static QString GetListValue(const QString& aKey);
    // The keys asked for that had no text, each once, since the last Forget.
    static QStringList MissingKeys();
    static void ForgetMissingKeys();
};
