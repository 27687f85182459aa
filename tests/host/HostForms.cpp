#include "HostChecks.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "ui_EveryProperty.h"
#include <QFile>
#include <QMetaProperty>
#include <QUiLoader>
#include <memory>

namespace {

// The properties a form can set: Designer edits values, not objects.
bool Designable(const QMetaProperty& aProp)
{
    const QMetaType::TypeFlags pointer = QMetaType::IsPointer | QMetaType::PointerToQObject;
    return aProp.isWritable() && aProp.isDesignable() && !(aProp.metaType().flags() & pointer);
}

}  // namespace

void CheckForms(THostChecks& aChecks, TVXLabelFMX& aDoc, const QString& aShots)
{
    QWidget compiled;
    Ui::EveryProperty ui;
    ui.setupUi(&compiled);

    // Designer finds the plugin through QT_PLUGIN_PATH, and so does QUiLoader.
    QUiLoader loader;
    QFile file(HOST_FORM_FILE);
    aChecks.Expect(file.open(QIODevice::ReadOnly), "the form opens");
    std::unique_ptr<QWidget> loaded(loader.load(&file));
    aChecks.Expect(loaded != nullptr, "QUiLoader loads the form");
    if (!loaded)
        return;
    auto* editor = loaded->findChild<TKVREditor*>("editor");
    aChecks.Expect(editor != nullptr, "the plugin's editor is the host's TKVREditor");
    if (!editor)
        return;

    // Both roads set every property the same, and none is left at its default.
    const TKVREditor fresh;
    const QMetaObject& meta = TKVREditor::staticMetaObject;
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta.propertyCount(); ++i) {
        const QMetaProperty prop = meta.property(i);
        if (!Designable(prop))
            continue;
        const QByteArray what = QByteArray("property ") + prop.name();
        aChecks.Expect(prop.read(ui.editor) == prop.read(editor), what + " as uic and QUiLoader set it");
        aChecks.Expect(prop.read(editor) != prop.read(&fresh), what + " set by the form");
    }

    editor->resize(editor->sizeHint());
    editor->SetLabel(&aDoc);
    aChecks.Expect(editor->GetLabel() == &aDoc, "the form's editor takes the document");
    const QImage shot = editor->grab().toImage();
    aChecks.Expect(RedPixels(shot) > 1000, "the form's editor paints the document");
    if (!aShots.isEmpty())
        shot.save(aShots + "/form-editor.png");
}
