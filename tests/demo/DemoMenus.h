#pragma once
// An entry of the demo window's menus by its caption, the mnemonic left out.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QString>

inline QAction* MenuEntry(QMainWindow& aWindow, const QString& aCaption)
{
    for (QAction* menu : aWindow.menuBar()->actions())
        if (menu->menu())
            for (QAction* a : menu->menu()->actions())
                if (QString(a->text()).remove('&') == aCaption)
                    return a;
    return nullptr;
}
