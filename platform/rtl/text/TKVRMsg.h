#pragma once
// The message tables: texts of dialogs, the editor, properties, errors and
// lists, looked up by their English key. Only English is held; a key the
// tables do not know answers itself.
#include <QString>

class TKVRMsg
{
public:
    TKVRMsg() = delete;
    static QString GetDialogsValue(const QString& aKey);
    static QString GetEditorValue(const QString& aKey);
    static QString GetPropValue(const QString& aKey);
    static QString GetErrorValue(const QString& aKey);
    static QString GetListValue(const QString& aKey);
};
