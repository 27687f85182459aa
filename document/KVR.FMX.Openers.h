#pragma once
// The dialogs the label opens. The document knows no widget: the dialogs
// fill these in at their start-up; an opener left empty opens nothing.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class TVXLabelFMX;
class TKVRBaseItem;
class TKVRBaseLibSymbol;

struct TKVRLabelOpeners
{
    // The background-map dialog for a picture of aWidth x aHeight pixels;
    // true when the user took the composed map (the mapping names its file).
    std::function<bool(TVXLabelFMX& aLabel, int32_t aWidth, int32_t aHeight)> SelectMap;
    // A picture file chosen in aFolder; empty when cancelled.
    std::function<QString(const QString& aFolder, const QString& aFilter)> OpenPicture;
    // The element's own edit dialog; false when the element has none.
    std::function<bool(TVXLabelFMX& aLabel, TKVRBaseItem* aItem)> EditItem;
    // The symbol browser over the label's library folder: true with a copy
    // of the chosen symbol; aLastCat is the category shown first and, after
    // a choice, the one chosen.
    std::function<bool(TVXLabelFMX& aLabel, QString& aLastCat, std::unique_ptr<TKVRBaseLibSymbol>& aSymbol)>
        SelectSymbol;
};

TKVRLabelOpeners& KVRLabelOpeners();

// The picture filter of the open-file dialog, in Qt's form.
inline QString KVRPictureFilter()
{
    return QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif);;PNG (*.png);;JPEG (*.jpg *.jpeg);;"
                          "Bitmap (*.bmp);;GIF (*.gif)");
}
