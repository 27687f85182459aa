#include "examples/demo/DialogsMenu.h"
#include "dialogs/KVR.FMX.DialogKit.h"
#include "dialogs/KVR.FMX.Mem.h"
#include "dialogs/KVR.FMX.Prompts.h"
#include "dialogs/KVR.FMX.SelColor.h"
#include "dialogs/KVR.FMX.SelFont.h"
#include "dialogs/KVR.FMX.SelSize.h"
#include "document/KVR.FMX.Openers.h"
#include "document/KVR.FMX.h"
#include "examples/demo/LabelHost.h"
#include <QCursor>
#include <QDir>
#include <QFontDatabase>
#include <QMainWindow>
#include <QMenuBar>

void AddDialogsMenu(QMainWindow& aWindow, std::function<LabelHost*()> aHostInFront)
{
    QMenu* menu = aWindow.menuBar()->addMenu("&Dialogs");
    menu->addAction("&Colour...", &aWindow, [&aWindow] {
        TfSelColor form(&aWindow);
        form.Ini(QString(), TAlphaColors::Lavender);
        if (KVRShowModal(form) == 1)
            TKVRPrompts::ShowMessage(&aWindow, QString("Colour $%1").arg(form.GetSelColor(), 8, 16, QChar('0')));
    });
    menu->addAction("&Font...", &aWindow, [&aWindow] {
        TfSelFont form(&aWindow);
        form.LoadFonts(QFontDatabase::families());
        form.fOnFontSelected = [&form](QObject*) { form.accept(); };
        form.move(QCursor::pos());
        if (KVRShowModal(form) == 1)
            TKVRPrompts::ShowMessage(&aWindow, "Font " + form.GetSelectedFont());
    });
    menu->addAction("Si&ze...", &aWindow, [&aWindow] {
        TfSelSize form(&aWindow);
        form.LoadSizes();
        form.fOnSizeSelected = [&form](QObject*) { form.accept(); };
        form.move(QCursor::pos());
        if (KVRShowModal(form) == 1)
            TKVRPrompts::ShowMessage(&aWindow, QString("Size %1 mm").arg(form.GetSelectedSize()));
    });
    menu->addAction("&Long text...", &aWindow, [&aWindow] {
        TfMem form(&aWindow);
        form.Ini("A long text\nover several lines", false);
        KVRShowModal(form);
    });
    auto add = [&aWindow, aHostInFront](bool aMap) {
        LabelHost* host = aHostInFront();
        if (!host) {
            TKVRPrompts::ShowMessage(&aWindow, "This page has no label.");
            return;
        }
        // Maps are saved in the label's image folder: a host sets one.
        if (host->Document().GetImageFolder().trimmed().isEmpty()) {
            const QString folder = QDir::temp().filePath("kvr-demo-images");
            QDir().mkpath(folder);
            host->Document().SetImageFolder(folder);
        }
        if (host->Document().AddBaseImage(5000, 5000, 50800, 25400, aMap, QString()))
            aWindow.centralWidget()->update();
    };
    menu->addAction("Place s&ymbol...", &aWindow, [&aWindow, aHostInFront] {
        LabelHost* host = aHostInFront();
        if (!host)
            return;
        // The editor showing the document opens the symbol browser; the
        // chosen symbol is then placed with a click on the drawing.
        TVXLabelFMX& doc = host->Document();
        doc.StartAction(TAct::ActSymbol);
        if (doc.GetAction() == TAct::ActSymbol && doc.GetState() == 12) {
            doc.ResetAction();
            TKVRPrompts::ShowMessage(&aWindow, "Symbols are placed on the Editor page.");
        }
    });
    menu->addAction("S&heet properties...", &aWindow, [aHostInFront] {
        if (LabelHost* host = aHostInFront())
            host->Document().EditProperties();
    });
    menu->addAction("Symbol &definition...", &aWindow, [aHostInFront] {
        if (LabelHost* host = aHostInFront())
            host->Document().AddSymbolDef();
    });
    menu->addAction("Add &picture...", &aWindow, [add] { add(false); });
    menu->addAction("Add &map...", &aWindow, [add] { add(true); });
    // The live editors work on the selected table or poly-text.
    menu->addAction("&Table columns...", &aWindow, [&aWindow, aHostInFront] {
        LabelHost* host = aHostInFront();
        if (host && !KVRLabelOpeners().EditTable(host->Document()))
            TKVRPrompts::ShowMessage(&aWindow, "Select one table first.");
    });
    menu->addAction("Poly-text &items...", &aWindow, [&aWindow, aHostInFront] {
        LabelHost* host = aHostInFront();
        if (host && !KVRLabelOpeners().EditPolyText(host->Document()))
            TKVRPrompts::ShowMessage(&aWindow, "Select one poly-text first.");
    });
    menu->addAction("L&ayers...", &aWindow, [aHostInFront] {
        if (LabelHost* host = aHostInFront())
            host->Document().EditLayers();
    });
    // Dimension styles belong to drawings: the label in front is one while
    // the dialog is open, and what it was again after.
    menu->addAction("Dime&nsion styles...", &aWindow, [aHostInFront] {
        if (LabelHost* host = aHostInFront()) {
            TVXLabelFMX& doc = host->Document();
            const uint8_t mode = doc.GetEditorMode();
            doc.SetEditorMode(2);
            try {
                doc.EditDimStyles();
            } catch (...) {
                doc.SetEditorMode(mode);
                throw;
            }
            doc.SetEditorMode(mode);
        }
    });
}
