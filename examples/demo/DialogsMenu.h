#pragma once
#include <functional>

class LabelHost;
class QMainWindow;

// The Dialogs menu: each picker on its own, and a picture or a map added to
// the label of the page in front.
void AddDialogsMenu(QMainWindow& aWindow, std::function<LabelHost*()> aHostInFront);
