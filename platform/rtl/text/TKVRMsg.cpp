#include "platform/rtl/text/TKVRMsg.h"
#include <QHash>
#include <QMutex>

namespace {

using TTable = QHash<QString, QString>;

QMutex& MissingLock()
{
    static QMutex lock;
    return lock;
}

QStringList& Missing()
{
    static QStringList keys;
    return keys;
}

QString Lookup(const TTable& aTable, const QString& aKey)
{
    const auto it = aTable.constFind(aKey);
    if (it != aTable.constEnd())
        return *it;
    QMutexLocker lock(&MissingLock());
    if (!Missing().contains(aKey))
        Missing() << aKey;
    return aKey;
}

const TTable& Errors()
{
    static const TTable table{
        {QStringLiteral("Polygon"), QStringLiteral("A polygon needs at least three points")},
        {QStringLiteral("EventNumber"), QStringLiteral("The list of coordinates must hold an even number of values")},
        {QStringLiteral("LocNotFound"), QStringLiteral("Location not found")},
        {QStringLiteral("RichTextTag"), QStringLiteral("Not typed: it would read as a format tag (\"<B>\", \"<BR>\", ...), "
                                                       "and a rich text cannot hold a tag as text")},
        {QStringLiteral("MapNoElement"), QStringLiteral("Select one element with a box to size the map")},
        {QStringLiteral("MapTooSmall"), QStringLiteral("The map is too small: each side needs one pixel at 96 dpi "
                                                       "(about 0.14 mm) or more")},
        {QStringLiteral("DelDefLayer"), QStringLiteral("The first layer is the default one and cannot be deleted")},
        {QStringLiteral("LimitCounters"), QStringLiteral("A label holds at most 5 counters")},
        {QStringLiteral("RepeatName"), QStringLiteral("That name is already in use")},
        {QStringLiteral("CoordRange"), QStringLiteral("The value lies outside the drawing's coordinate range")},
        {QStringLiteral("DelDefStyle"), QStringLiteral("The first dimension style is the default one and cannot be deleted")},
    };
    return table;
}

const TTable& Dialogs()
{
    static const TTable table{
        {QStringLiteral("Ok"), QStringLiteral("OK")},
        {QStringLiteral("Cancel"), QStringLiteral("Cancel")},
        {QStringLiteral("SymbolLib"), QStringLiteral("Symbol library")},
        {QStringLiteral("CurDrawing"), QStringLiteral("Current drawing")},
        {QStringLiteral("SelMap"), QStringLiteral("Background map")},
        {QStringLiteral("MapProv"), QStringLiteral("Map provider")},
        {QStringLiteral("GepMap"), QStringLiteral("Get map")},
        {QStringLiteral("ShowCenter"), QStringLiteral("Show the centre")},
        {QStringLiteral("AssignScale"), QStringLiteral("Apply the map's scale")},
        {QStringLiteral("SearchLoc"), QStringLiteral("Find a place by its name")},
        {QStringLiteral("LocService"), QStringLiteral("Search service")},
        {QStringLiteral("AddText"), QStringLiteral("Add an item")},
        {QStringLiteral("AddColumn"), QStringLiteral("Add a column")},
        {QStringLiteral("NoFields"), QStringLiteral("No data fields")},
        {QStringLiteral("Min"), QStringLiteral("Minimum")},
        {QStringLiteral("Max"), QStringLiteral("Maximum")},
        {QStringLiteral("StdDev"), QStringLiteral("Standard deviation")},
        {QStringLiteral("Layers"), QStringLiteral("Layers")},
        {QStringLiteral("DelLayer"), QStringLiteral("Delete the layer? Its elements move to the first layer.")},
        {QStringLiteral("FileCsv"), QStringLiteral("CSV file")},
        {QStringLiteral("FieldList"), QStringLiteral("Fields")},
        {QStringLiteral("SaveCounter"), QStringLiteral("Save the changes of the counter?")},
        {QStringLiteral("AddCounter"), QStringLiteral("New counter")},
        {QStringLiteral("CsvFiles"), QStringLiteral("CSV files")},
        {QStringLiteral("DrawingArea"), QStringLiteral("Drawing area")},
        {QStringLiteral("LoadJson"), QStringLiteral("Load...")},
        {QStringLiteral("FilterJson"), QStringLiteral("JSON files")},
        {QStringLiteral("Add"), QStringLiteral("Add")},
        {QStringLiteral("Delete"), QStringLiteral("Delete")},
        {QStringLiteral("Layer"), QStringLiteral("Layer")},
        {QStringLiteral("ApplyLayer"), QStringLiteral("Apply to the elements")},
        {QStringLiteral("BackImage"), QStringLiteral("Background image")},
        {QStringLiteral("BackMap"), QStringLiteral("Background map")},
        {QStringLiteral("BackMargins"), QStringLiteral("Background margins")},
        {QStringLiteral("Export"), QStringLiteral("Export")},
        {QStringLiteral("PrintBack"), QStringLiteral("Print the background")},
        {QStringLiteral("ExportBack"), QStringLiteral("Export the background")},
        {QStringLiteral("Bottom"), QStringLiteral("Bottom")},
        {QStringLiteral("Right"), QStringLiteral("Right")},
        {QStringLiteral("Column"), QStringLiteral("Column")},
        {QStringLiteral("Header"), QStringLiteral("Header")},
        {QStringLiteral("Footer"), QStringLiteral("Footer")},
        {QStringLiteral("rcNone"), QStringLiteral("None")},
        {QStringLiteral("rcCount"), QStringLiteral("Count")},
        {QStringLiteral("rcMin"), QStringLiteral("Minimum")},
        {QStringLiteral("rcMax"), QStringLiteral("Maximum")},
        {QStringLiteral("rcSum"), QStringLiteral("Sum")},
        {QStringLiteral("rcMean"), QStringLiteral("Mean")},
        {QStringLiteral("rcMedian"), QStringLiteral("Median")},
        {QStringLiteral("rcVariance"), QStringLiteral("Variance")},
        {QStringLiteral("rcStdDev"), QStringLiteral("Std. deviation")},
        {QStringLiteral("AddDimStyle"), QStringLiteral("New dimension style")},
        {QStringLiteral("DelStyle"), QStringLiteral("Delete the dimension style? Its dimensions take the first style.")},
        {QStringLiteral("FieldName"), QStringLiteral("Field")},
        {QStringLiteral("FieldType"), QStringLiteral("Type")},
        {QStringLiteral("ScaleExp"), QStringLiteral("Scale of the exported image")},
        {QStringLiteral("FitExp"), QStringLiteral("Export only the drawn area")},
        {QStringLiteral("Fit"), QStringLiteral("Fit")},
        {QStringLiteral("Quality"), QStringLiteral("Quality of a JPG export (10 to 100)")},
        {QStringLiteral("Transparent"), QStringLiteral("Transparent")},
        {QStringLiteral("Clear"), QStringLiteral("Clear")},
        {QStringLiteral("Count"), QStringLiteral("Count")},
        {QStringLiteral("Sum"), QStringLiteral("Sum")},
        {QStringLiteral("Mean"), QStringLiteral("Mean")},
        {QStringLiteral("Median"), QStringLiteral("Median")},
        {QStringLiteral("Variance"), QStringLiteral("Variance")},
        {QStringLiteral("Author"), QStringLiteral("Author")},
        {QStringLiteral("Project"), QStringLiteral("Project")},
        {QStringLiteral("Promoter"), QStringLiteral("Promoter")},
        {QStringLiteral("Date"), QStringLiteral("Date")},
        {QStringLiteral("Format"), QStringLiteral("Format")},
        {QStringLiteral("Save"), QStringLiteral("Save")},
        {QStringLiteral("Search"), QStringLiteral("Search")},
    };
    return table;
}

const TTable& Editor()
{
    static const TTable table{
        {QStringLiteral("Settings"), QStringLiteral("Settings")},
        {QStringLiteral("Grid"), QStringLiteral("Grid")},
        {QStringLiteral("Points"), QStringLiteral("Points")},
        {QStringLiteral("GridX"), QStringLiteral("Grid X")},
        {QStringLiteral("GridY"), QStringLiteral("Grid Y")},
        {QStringLiteral("MoveX"), QStringLiteral("Move X")},
        {QStringLiteral("MoveY"), QStringLiteral("Move Y")},
        {QStringLiteral("GridColor"), QStringLiteral("Grid colour")},
        {QStringLiteral("UnitsColor"), QStringLiteral("Unit colour")},
        {QStringLiteral("OrtoLines"), QStringLiteral("Orthogonal lines")},
        {QStringLiteral("PickGap"), QStringLiteral("Pick tolerance")},
        {QStringLiteral("ShowSizes"), QStringLiteral("Show sizes")},
        {QStringLiteral("SizeColor"), QStringLiteral("Size colour")},
        {QStringLiteral("ShowRefLines"), QStringLiteral("Reference lines")},
        {QStringLiteral("RefLinesColor"), QStringLiteral("Reference colour")},
        {QStringLiteral("ShowAlignLines"), QStringLiteral("Guide lines")},
        {QStringLiteral("AlignLinesColor"), QStringLiteral("Guide colour")},
        {QStringLiteral("AlignTextColor"), QStringLiteral("Guide text")},
        {QStringLiteral("SnapGrid"), QStringLiteral("Snap to grid")},
        {QStringLiteral("EndPoint"), QStringLiteral("End point")},
        {QStringLiteral("MiddlePoint"), QStringLiteral("Middle point")},
        {QStringLiteral("CenterPoint"), QStringLiteral("Centre")},
        {QStringLiteral("CrossPoint"), QStringLiteral("Crossing")},
        {QStringLiteral("Point"), QStringLiteral("Point")},
        {QStringLiteral("TangentPoint"), QStringLiteral("Tangent")},
        {QStringLiteral("PerpendicularPoint"), QStringLiteral("Perpendicular")},
        {QStringLiteral("RefSymbol"), QStringLiteral("Symbol reference")},
        {QStringLiteral("RightRuler"), QStringLiteral("Right ruler")},
        {QStringLiteral("LeftRuler"), QStringLiteral("Left ruler")},
        {QStringLiteral("TopRuler"), QStringLiteral("Top ruler")},
        {QStringLiteral("BottomRuler"), QStringLiteral("Bottom ruler")},
        {QStringLiteral("None"), QStringLiteral("None")},
        {QStringLiteral("Lines"), QStringLiteral("Lines")},
        {QStringLiteral("Zoom"), QStringLiteral("Zoom")},
    };
    return table;
}

const TTable& Properties()
{
    static const TTable table{
        {QStringLiteral("StartEndLine"), QStringLiteral("Line ends")},
        {QStringLiteral("Color"), QStringLiteral("Colour")},
        {QStringLiteral("BackColor"), QStringLiteral("Fill")},
        {QStringLiteral("LabelName"), QStringLiteral("Label name")},
        {QStringLiteral("PaperSize"), QStringLiteral("Paper size")},
        {QStringLiteral("LabelSize"), QStringLiteral("Label size")},
        {QStringLiteral("LabelSeparation"), QStringLiteral("Gap between labels")},
        {QStringLiteral("LabelMargins"), QStringLiteral("Margins")},
        {QStringLiteral("LabelDisposition"), QStringLiteral("Rows and columns")},
        {QStringLiteral("FirstLabel"), QStringLiteral("First label (row, column)")},
        {QStringLiteral("NumLabsToPrint"), QStringLiteral("Labels to print, repetitions")},
        {QStringLiteral("FromNumber"), QStringLiteral("From")},
        {QStringLiteral("ToNumber"), QStringLiteral("To")},
        {QStringLiteral("TextBefore"), QStringLiteral("Text before")},
        {QStringLiteral("TextAfter"), QStringLiteral("Text after")},
        {QStringLiteral("LinkData"), QStringLiteral("Link data")},
        {QStringLiteral("SaveJson"), QStringLiteral("Save JSON data")},
        {QStringLiteral("DataSource"), QStringLiteral("Data source")},
        {QStringLiteral("FieldRepeat"), QStringLiteral("Copies field")},
        {QStringLiteral("ContinousPaper"), QStringLiteral("Continuous paper")},
        {QStringLiteral("DrawingName"), QStringLiteral("Drawing name")},
        {QStringLiteral("DrawingScale"), QStringLiteral("Drawing scale")},
        {QStringLiteral("Name"), QStringLiteral("Name")},
        {QStringLiteral("Top"), QStringLiteral("Top")},
        {QStringLiteral("Left"), QStringLiteral("Left")},
        {QStringLiteral("ZOrderLayer"), QStringLiteral("Stack elements by layer")},
        {QStringLiteral("FontName"), QStringLiteral("Font")},
        {QStringLiteral("FontHeight"), QStringLiteral("Font height")},
        {QStringLiteral("FontColor"), QStringLiteral("Text colour")},
        {QStringLiteral("PenWidth"), QStringLiteral("Pen width")},
        {QStringLiteral("Active"), QStringLiteral("Active")},
        {QStringLiteral("View"), QStringLiteral("Visible")},
        {QStringLiteral("Print"), QStringLiteral("Print")},
        {QStringLiteral("Select"), QStringLiteral("Selectable")},
        {QStringLiteral("Bold"), QStringLiteral("Bold")},
        {QStringLiteral("Italic"), QStringLiteral("Italic")},
        {QStringLiteral("Underline"), QStringLiteral("Underline")},
        {QStringLiteral("Fill"), QStringLiteral("Fill")},
        {QStringLiteral("Fixed"), QStringLiteral("Fixed width")},
        {QStringLiteral("Height"), QStringLiteral("Height")},
        {QStringLiteral("Table"), QStringLiteral("Table columns")},
        {QStringLiteral("Visible"), QStringLiteral("Visible")},
        {QStringLiteral("WrapText"), QStringLiteral("Wrap text")},
        {QStringLiteral("DimStyles"), QStringLiteral("Dimension styles")},
        {QStringLiteral("ActiveDimStyle"), QStringLiteral("Active style")},
        {QStringLiteral("Format"), QStringLiteral("Number format")},
        {QStringLiteral("Prefix"), QStringLiteral("Prefix")},
        {QStringLiteral("Suffix"), QStringLiteral("Suffix")},
        {QStringLiteral("HeadSize"), QStringLiteral("Head size (mm)")},
        {QStringLiteral("HeadType"), QStringLiteral("Head")},
        {QStringLiteral("HeadColor"), QStringLiteral("Head colour")},
        {QStringLiteral("ArrowOpen"), QStringLiteral("Arrow opening (°)")},
        {QStringLiteral("DimColor"), QStringLiteral("Dimension colour")},
        {QStringLiteral("ExtColor"), QStringLiteral("Extension colour")},
        {QStringLiteral("ExtSize"), QStringLiteral("Extension size (mm)")},
        {QStringLiteral("ExtGap"), QStringLiteral("Extension gap (mm)")},
        {QStringLiteral("DimBreak"), QStringLiteral("Dimension break (mm)")},
        {QStringLiteral("DimPenWidth"), QStringLiteral("Dimension pen (mm)")},
        {QStringLiteral("ExtPenWidth"), QStringLiteral("Extension pen (mm)")},
        {QStringLiteral("TextPos"), QStringLiteral("Text position")},
        {QStringLiteral("LineType"), QStringLiteral("Line type")},
        {QStringLiteral("PolyText"), QStringLiteral("Text items")},
        {QStringLiteral("AddParen"), QStringLiteral("Add parentheses")},
        {QStringLiteral("Field"), QStringLiteral("Field")},
        {QStringLiteral("Text"), QStringLiteral("Text")},
        {QStringLiteral("WidthPercent"), QStringLiteral("Width (%)")},
        {QStringLiteral("LineSpacing"), QStringLiteral("Line spacing")},
        {QStringLiteral("HeaderText"), QStringLiteral("Header text")},
        {QStringLiteral("FooterFormat"), QStringLiteral("Footer format")},
        {QStringLiteral("CellColor"), QStringLiteral("Background")},
        {QStringLiteral("Horizontal"), QStringLiteral("Horizontal")},
        {QStringLiteral("Vertical"), QStringLiteral("Vertical")},
        {QStringLiteral("Drawing"), QStringLiteral("Drawing")},
        {QStringLiteral("Note"), QStringLiteral("Note")},
        {QStringLiteral("Width"), QStringLiteral("Width")},
        {QStringLiteral("Title"), QStringLiteral("Title")},
        {QStringLiteral("Data"), QStringLiteral("Data")},
        {QStringLiteral("Dimensions"), QStringLiteral("Dimensions")},
        {QStringLiteral("Printing"), QStringLiteral("Printing")},
        {QStringLiteral("Label"), QStringLiteral("Label")},
        {QStringLiteral("Step"), QStringLiteral("Step")},
        {QStringLiteral("Latitude"), QStringLiteral("Latitude")},
        {QStringLiteral("Longitude"), QStringLiteral("Longitude")},
        {QStringLiteral("Size"), QStringLiteral("Size")},
        // A package's box beside its frame's "Width" and "Height"; short
        // enough for the half-row captions.
        {QStringLiteral("BoxLength"), QStringLiteral("Box L")},
        {QStringLiteral("BoxWidth"), QStringLiteral("Box W")},
        {QStringLiteral("BoxHeight"), QStringLiteral("Box H")},
    };
    return table;
}

const TTable& Empty()
{
    static const TTable table;
    return table;
}

}  // namespace

QString TKVRMsg::GetDialogsValue(const QString& aKey)
{
    return Lookup(Dialogs(), aKey);
}

QString TKVRMsg::GetEditorValue(const QString& aKey)
{
    return Lookup(Editor(), aKey);
}

QString TKVRMsg::GetPropValue(const QString& aKey)
{
    return Lookup(Properties(), aKey);
}

QString TKVRMsg::GetErrorValue(const QString& aKey)
{
    return Lookup(Errors(), aKey);
}

QString TKVRMsg::GetListValue(const QString& aKey)
{
    // A list's entries are their own English texts.
    const auto it = Empty().constFind(aKey);
    return it == Empty().constEnd() ? aKey : *it;
}

QStringList TKVRMsg::MissingKeys()
{
    QMutexLocker lock(&MissingLock());
    return Missing();
}

void TKVRMsg::ForgetMissingKeys()
{
    QMutexLocker lock(&MissingLock());
    Missing().clear();
}
