#pragma once
// The dialogs the label opens. The document knows no widget: the dialogs
// fill these in at their start-up; an opener left empty opens nothing.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class TVXLabelFMX;
class TKVRBaseItem;

struct TKVRLabelOpeners
{
    // The background-map dialog for a picture of aWidth x aHeight pixels;
    // true when the user took the composed map (the mapping names its file).
    std::function<bool(TVXLabelFMX& aLabel, int32_t aWidth, int32_t aHeight)> SelectMap;
    // A picture file chosen in aFolder; empty when cancelled.
    std::function<QString(const QString& aFolder, const QString& aFilter)> OpenPicture;
    // The element's own edit dialog; false when the element has none.
    std::function<bool(TVXLabelFMX& aLabel, TKVRBaseItem* aItem)> EditItem;
    // Tells the user why a service opened no dialog.
    std::function<void(const QString& aText)> ShowMessage;
    // The sheet dialog of the label's mode, written back on OK.
    std::function<void(TVXLabelFMX& aLabel)> EditProperties;
    // A JSON object edited by the user (aText in and out); false when cancelled.
    std::function<bool(QString& aText)> EditJson;
    // The live editors of the selected table's columns and poly-text's items
    // (the inspector's codes 10 and 11); false when the selection is not one.
    std::function<bool(TVXLabelFMX& aLabel)> EditTable;
    std::function<bool(TVXLabelFMX& aLabel)> EditPolyText;
    // The colour dialog (aColor ARGB in and out); false when cancelled.
    std::function<bool(uint32_t& aColor)> SelectColor;
    // The rich-text toolbar's font and size lists, dropped down at a screen
    // point; aChosen takes the choice (a family; millimetres) while they show.
    std::function<void(const QStringList& aFonts, const QPoint& aAt,
                       const std::function<void(const QString& aFamily)>& aChosen)>
        SelectFontName;
    std::function<void(const QPoint& aAt, const std::function<void(int32_t aMillimetres)>& aChosen)> SelectTextSize;
    // The long-text dialog (aText in and out); false when cancelled.
    std::function<bool(QString& aText, bool aKeepSize)> EditLongText;
    // The layer and dimension-style dialogs; they write each change at once.
    std::function<void(TVXLabelFMX& aLabel)> EditLayers;
    std::function<void(TVXLabelFMX& aLabel)> EditDimStyles;
};

TKVRLabelOpeners& KVRLabelOpeners();

// The picture filter of the open-file dialog, in Qt's form.
inline QString KVRPictureFilter()
{
    return QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif);;PNG (*.png);;JPEG (*.jpg *.jpeg);;"
                          "Bitmap (*.bmp);;GIF (*.gif)");
}
