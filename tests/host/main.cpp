// A host program built against the installed suite alone, as a user's project
// is: an editor, the preview and the long-text dialog on one document, and a
// form made in Designer. Exits 0 when every check holds.
#include "HostChecks.h"
#include "dialogs/KVR.FMX.Dialogs.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "views/KVR.FMX.Preview.h"
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Answers the long-text dialog once it is up: writes aText and confirms.
void AnswerLongText(const QString& aText)
{
    QTimer::singleShot(0, [aText] {
        if (auto* form = qobject_cast<TfMem*>(QApplication::activeModalWidget())) {
            form->MemText->setPlainText(aText);
            form->butOK->click();
        }
    });
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitializeKVRFMXDialogs();
    THostChecks checks;

    // An 80 x 50 mm label with a red rectangle and a paragraph.
    TVXLabelFMX doc;
    TKVRMeasure& sheet = doc.GetMeasure();
    sheet.SetPaperWidth(80000);
    sheet.SetPaperHeight(50000);
    sheet.SetWidth(80000);
    sheet.SetHeight(50000);
    sheet.SetRows(1);
    sheet.SetColumns(1);
    TKVRBaseRectangle* box = doc.AddBaseRectangle(5000, 5000, 30000, 20000);
    box->SetFilled(true);
    box->SetBackColor(0xFFFF0000);
    auto* para = static_cast<TKVRBasePara*>(doc.AddBaseParagraph(40000, 5000, 35000, 40000));
    // The run's labels, which the preview shows.
    doc.CheckPrintData();

    TKVREditor editor;
    editor.resize(editor.sizeHint());
    editor.SetLabel(&doc);
    TKVRPreview preview;
    preview.resize(400, 300);
    preview.SetLabel(&doc);
    checks.Expect(editor.GetZoomBox()->count() == 18 && !editor.GetSettingsButton()->icon().isNull(),
                  "the editor has its zoom box and icons");
    checks.Expect(RedPixels(editor.grab().toImage()) > 1000, "the editor paints the document");
    const QImage before = preview.grab().toImage();
    checks.Expect(RedPixels(before) > 1000, "the preview paints the document");

    // The dialog edits the paragraph through the document; both views follow.
    AnswerLongText("Written in the dialog of the host");
    doc.SelectItem(para, false);
    doc.DoDblClick();
    checks.Expect(para->GetText() == "Written in the dialog of the host", "the dialog changes the paragraph");
    const QImage after = preview.grab().toImage();
    checks.Expect(after != before, "the preview shows the changed paragraph");

    // The pictures, for a person to look at.
    const QString shots = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!shots.isEmpty()) {
        editor.grab().save(shots + "/editor.png");
        after.save(shots + "/preview.png");
    }
#ifdef HOST_FORMS
    CheckForms(checks, doc, shots);
#endif
    std::printf("%s\n", checks.Failures ? "host failed" : "host ok");
    return checks.Failures ? 1 : 0;
}
