#include "platform/rtl/model/TKVRBaseTable.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Codes.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

const TKVRRowCol kNoCell{};

TKVRHorzAlign HorzOf(uint8_t aValue)
{
    return TKVRHorzAlign(KVRCodeCheck::InList(aValue, 3, "HorzAlign"));
}

TKVRVertAlign VertOf(uint8_t aValue)
{
    return TKVRVertAlign(KVRCodeCheck::InList(aValue, 3, "VertAlign"));
}

float InterlineOf(float aValue)
{
    return KVRCodeCheck::PositiveLength(aValue, "Interline");
}

int32_t LengthOf(int64_t aValue, const char* aWhat)
{
    if (aValue < 0 || aValue > std::numeric_limits<int32_t>::max())
        throw EKVRDataError(std::string("Invalid ") + aWhat + ": " + std::to_string(aValue));
    return int32_t(aValue);
}

// A number as a footer shows it: with '.' or ',' as the decimal separator.
bool NumberOf(const QString& aText, double& oValue)
{
    QString t = aText.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    oValue = t.toDouble(&ok);
    return ok && std::isfinite(oValue);
}

// The statistic of a stored footer code over the rows that hold a number.
double Statistic(uint8_t aCode, std::vector<double> aValues)
{
    if (aValues.empty())
        return 0.0;
    const double n = double(aValues.size());
    double sum = 0.0;
    for (double v : aValues)
        sum += v;
    const double mean = sum / n;
    auto variance = [&] {
        double squares = 0.0;
        for (double v : aValues)
            squares += (v - mean) * (v - mean);
        return squares / n;
    };
    switch (aCode) {
    case KVRFooterType::Sum:
        return sum;
    case KVRFooterType::Minimum:
        return *std::min_element(aValues.begin(), aValues.end());
    case KVRFooterType::Maximum:
        return *std::max_element(aValues.begin(), aValues.end());
    case KVRFooterType::Median: {
        std::sort(aValues.begin(), aValues.end());
        const size_t m = aValues.size() / 2;
        return aValues.size() % 2 ? aValues[m] : (aValues[m - 1] + aValues[m]) / 2.0;
    }
    case KVRFooterType::Variance:
        return variance();
    case KVRFooterType::StdDev:
        return std::sqrt(variance());
    default:
        return mean;
    }
}

QString FooterText(const TKVRColumn& aColumn, const QStringList& aRows)
{
    if (aColumn.FooterType == KVRFooterType::Count)
        return QString::number(aRows.size());
    if (aColumn.FooterType == KVRFooterType::Text)
        return aColumn.Footer.Text;
    std::vector<double> values;
    for (const QString& row : aRows) {
        double v = 0.0;
        if (NumberOf(row, v))
            values.push_back(v);
    }
    const double value = Statistic(aColumn.FooterType, std::move(values));
    const QString number = FormatFloat(aColumn.Format, value);
    return aColumn.Footer.Text.isEmpty() ? number : aColumn.Footer.Text + QLatin1Char(' ') + number;
}

// A body row as the column shows it: one that reads as a number in the
// column's values' format.
QString RowText(const TKVRColumn& aColumn, const QString& aRow)
{
    double v = 0.0;
    if (aColumn.ValueFormat.isEmpty() || !NumberOf(aRow, v))
        return aRow;
    return FormatFloat(aColumn.ValueFormat, v);
}

// One row per line of a field's text; a final line break adds no row.
QStringList RowsOf(const QString& aText)
{
    QString t = aText;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (t.isEmpty())
        return {};
    QStringList rows = t.split(QLatin1Char('\n'));
    if (rows.size() > 1 && rows.back().isEmpty())
        rows.removeLast();
    return rows;
}

}  // namespace

uint8_t KVRFooterCode(TKVRFooter aFooter)
{
    static constexpr uint8_t kCodes[] = {KVRFooterType::Text,    KVRFooterType::Count,   KVRFooterType::Minimum,
                                         KVRFooterType::Maximum, KVRFooterType::Sum,     KVRFooterType::Average,
                                         KVRFooterType::Median,  KVRFooterType::Variance, KVRFooterType::StdDev};
    const size_t i = size_t(aFooter);
    return i < std::size(kCodes) ? kCodes[i] : KVRFooterType::Text;
}

TKVRFooter KVRFooterOf(uint8_t aCode)
{
    for (uint8_t f = 0; f <= uint8_t(TKVRFooter::StdDev); ++f)
        if (KVRFooterCode(TKVRFooter(f)) == aCode)
            return TKVRFooter(f);
    return TKVRFooter::None;
}

// ---------------------------------------------------------------- cells

void TKVRTableCell::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteBoolean(Visible);
    aWriter.WriteString(Text);
    Font.Write(aWriter);
    aWriter.WriteByte(uint8_t(HorzAlign));
    aWriter.WriteByte(uint8_t(VertAlign));
    aWriter.WriteSingle(Interline);
    aWriter.WriteBoolean(Wrap);
    aWriter.WriteBoolean(Filled);
    aWriter.WriteCardinal(BackColor);
}

void TKVRTableCell::Read(TBinaryReader& aReader)
{
    Visible = aReader.ReadBoolean();
    Text = aReader.ReadString();
    Font.Read(aReader);
    HorzAlign = HorzOf(aReader.ReadByte());
    VertAlign = VertOf(aReader.ReadByte());
    Interline = InterlineOf(aReader.ReadSingle());
    Wrap = aReader.ReadBoolean();
    Filled = aReader.ReadBoolean();
    BackColor = aReader.ReadCardinal();
}

TJsonObject TKVRTableCell::WriteJson() const
{
    TJsonObject j;
    j["Visible"] = Visible;
    j["Text"] = KVRJson::Str(Text);
    Font.WriteJson(j);
    j["HorzAlign"] = uint8_t(HorzAlign);
    j["VertAlign"] = uint8_t(VertAlign);
    j["Interline"] = Interline;
    j["Wrap"] = Wrap;
    j["Filled"] = Filled;
    j["BackColor"] = BackColor;
    return j;
}

void TKVRTableCell::ReadJson(const TJsonObject& aJson)
{
    if (!aJson.is_object())
        throw EKVRJsonError("Invalid table cell: not an object");
    Visible = KVRJson::GetBool(aJson, "Visible", Visible);
    Text = KVRJson::GetString(aJson, "Text", Text);
    try {
        Font.ReadJson(aJson);
        HorzAlign = HorzOf(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(HorzAlign)));
        VertAlign = VertOf(KVRJson::GetByte(aJson, "VertAlign", uint8_t(VertAlign)));
        Interline = InterlineOf(KVRJson::GetSingle(aJson, "Interline", Interline));
    } catch (const EKVRDataError& e) {
        throw EKVRJsonError(e.what());
    }
    Wrap = KVRJson::GetBool(aJson, "Wrap", Wrap);
    Filled = KVRJson::GetBool(aJson, "Filled", Filled);
    BackColor = KVRJson::GetCardinal(aJson, "BackColor", BackColor);
}

// ---------------------------------------------------------------- columns

const TKVRRowCol& TKVRColumn::GetLineTxt(int32_t aIndex) const
{
    return aIndex >= 0 && aIndex < int32_t(fLines.size()) ? fLines[size_t(aIndex)] : kNoCell;
}

void TKVRColumn::SetData(int32_t aIndex, const TKVRRowCol& aCell)
{
    if (aIndex < 0)
        return;
    if (aIndex >= int32_t(fLines.size()))
        fLines.resize(size_t(aIndex) + 1);
    fLines[size_t(aIndex)] = aCell;
}

void TKVRColumn::FontSettings(int32_t aBand, int32_t aAsc, int32_t /*aDes*/, int32_t aUnd, double aRatio)
{
    if (aBand >= 1 && aBand <= 3)
        fFonts[size_t(aBand)] = {aAsc, aUnd, aRatio};
}

int32_t TKVRColumn::AscFont(int32_t aBand) const
{
    return aBand >= 1 && aBand <= 3 ? fFonts[size_t(aBand)].Asc : 0;
}

int32_t TKVRColumn::UndFont(int32_t aBand) const
{
    return aBand >= 1 && aBand <= 3 ? fFonts[size_t(aBand)].Und : 0;
}

double TKVRColumn::RatFont(int32_t aBand) const
{
    return aBand >= 1 && aBand <= 3 ? fFonts[size_t(aBand)].Ratio : 1.0;
}

void TKVRColumn::ResetPrint()
{
    if (fLines.size() > 3)
        fLines.resize(3);
}

void TKVRColumn::Changed()
{
    if (fOwner)
        fOwner->ColumnChanged();
}

void TKVRColumn::SetField(const QString& aName)
{
    FieldName = aName;
    Changed();
}

float TKVRColumn::SetPercent(float aValue)
{
    Width = std::isfinite(aValue) ? std::clamp(aValue, 1.0f, 100.0f) : Width;
    Changed();
    return Width;
}

void TKVRColumn::SetFooter(TKVRFooter aValue)
{
    FooterType = KVRFooterCode(aValue);
    Changed();
}

void TKVRColumn::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteSingle(Width);
    aWriter.WriteString(FieldName);
    aWriter.WriteString(Format);
    aWriter.WriteByte(uint8_t(FooterType | KVRTableExtended));
    Header.Write(aWriter);
    Body.Write(aWriter);
    Footer.Write(aWriter);
    aWriter.WriteInt32(int32_t(Rows.size()));
    for (const QString& row : Rows)
        aWriter.WriteString(row);
    aWriter.WriteBoolean(Fixed);
    aWriter.WriteString(ValueFormat);
}

void TKVRColumn::Read(TBinaryReader& aReader)
{
    Width = KVRCodeCheck::NotNegativeLength(aReader.ReadSingle(), "Width");
    FieldName = aReader.ReadString();
    Format = aReader.ReadString();
    const uint8_t footer = aReader.ReadByte();
    FooterType = KVRCodeCheck::InList(uint8_t(footer & ~KVRTableExtended), KVRFooterType::Last + 1, "FooterType");
    Header.Read(aReader);
    Body.Read(aReader);
    Footer.Read(aReader);
    const int32_t n = aReader.ReadCount(1);  // a string takes at least its length byte
    Rows.clear();
    Rows.reserve(n);
    for (int32_t i = 0; i < n; ++i)
        Rows.push_back(aReader.ReadString());
    Fixed = false;
    ValueFormat.clear();
    if (footer & KVRTableExtended) {
        Fixed = aReader.ReadBoolean();
        ValueFormat = aReader.ReadString();
    }
}

TJsonObject TKVRColumn::WriteJson() const
{
    TJsonObject j;
    j["Width"] = Width;
    j["FieldName"] = KVRJson::Str(FieldName);
    j["Format"] = KVRJson::Str(Format);
    j["FooterType"] = FooterType;
    j["Fixed"] = Fixed;
    j["ValueFormat"] = KVRJson::Str(ValueFormat);
    j["Header"] = Header.WriteJson();
    j["Body"] = Body.WriteJson();
    j["Footer"] = Footer.WriteJson();
    TJsonObject rows = TJsonObject::array();
    for (const QString& row : Rows)
        rows.push_back(KVRJson::Str(row));
    j["Rows"] = rows;
    return j;
}

void TKVRColumn::ReadJson(const TJsonObject& aJson)
{
    if (!aJson.is_object())
        throw EKVRJsonError("Invalid table column: not an object");
    try {
        Width = KVRCodeCheck::NotNegativeLength(KVRJson::GetSingle(aJson, "Width", Width), "Width");
        FooterType =
            KVRCodeCheck::InList(KVRJson::GetByte(aJson, "FooterType", FooterType), KVRFooterType::Last + 1, "FooterType");
    } catch (const EKVRDataError& e) {
        throw EKVRJsonError(e.what());
    }
    FieldName = KVRJson::GetString(aJson, "FieldName", FieldName);
    Format = KVRJson::GetString(aJson, "Format", Format);
    Fixed = KVRJson::GetBool(aJson, "Fixed", Fixed);
    ValueFormat = KVRJson::GetString(aJson, "ValueFormat", ValueFormat);
    for (auto [key, cell] : {std::pair{"Header", &Header}, std::pair{"Body", &Body}, std::pair{"Footer", &Footer}})
        if (aJson.contains(key))
            cell->ReadJson(aJson.at(key));
    if (const TJsonObject* rows = KVRJson::GetArray(aJson, "Rows")) {
        QStringList read;
        for (const TJsonObject& row : *rows) {
            if (!row.is_string())
                throw EKVRJsonError("Invalid Rows: not a string");
            read.push_back(QString::fromStdString(row.get<std::string>()));
        }
        Rows = read;
    }
}

// ---------------------------------------------------------------- table

TKVRBaseTable::TKVRBaseTable(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Table, 2, aPreview)
{
    SetDesignLines();
}

TKVRBaseTable::TKVRBaseTable(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Table, 2, aPreview)
{
    SetDesignLines();
}

bool TKVRBaseTable::GetIsData() const
{
    return std::any_of(fColumns.begin(), fColumns.end(), [](const auto& c) { return !c->FieldName.isEmpty(); });
}

TKVRColumn& TKVRBaseTable::GetColumn(int32_t aIndex)
{
    if (aIndex < 1 || aIndex > GetColumnCount())
        throw std::out_of_range("Column index out of range: " + std::to_string(aIndex));
    return *fColumns[size_t(aIndex - 1)];
}

const TKVRColumn& TKVRBaseTable::GetColumn(int32_t aIndex) const
{
    return const_cast<TKVRBaseTable*>(this)->GetColumn(aIndex);
}

TKVRColumn& TKVRBaseTable::AddColumn(float aWidth)
{
    fColumns.push_back(std::make_unique<TKVRColumn>());
    fColumns.back()->Width = KVRCodeCheck::ClampLength(aWidth);
    fColumns.back()->fOwner = this;
    ColumnChanged();
    return *fColumns.back();
}

bool TKVRBaseTable::DeleteColumn(int32_t aIndex)
{
    if (aIndex < 1 || aIndex > GetColumnCount())
        return false;
    fColumns.erase(fColumns.begin() + (aIndex - 1));
    // The selection stays on the column it named.
    if (fSelColumn == aIndex)
        fSelColumn = -1;
    else if (fSelColumn > aIndex)
        --fSelColumn;
    ColumnChanged();
    return true;
}

QString TKVRBaseTable::GetSymData() const
{
    if (!fDetail.isEmpty())
        return fDetail;
    const TKVRBaseLabel* owner = GetOwner();
    return owner ? owner->GetData().GetDataSel() : QString();
}

void TKVRBaseTable::ColumnChanged()
{
    FillTable(false, false);
    Changed();
}

void TKVRBaseTable::SetGridWidth(float aValue)
{
    fGridWidth = KVRCodeCheck::ToMicrometres(KVRCodeCheck::ClampLength(aValue));
}

int64_t TKVRBaseTable::GetLinePos(int32_t aIndex) const
{
    return aIndex >= 0 && aIndex < GetLineCount() ? fLinePos[size_t(aIndex)] : 0;
}

void TKVRBaseTable::SetLinePositions(std::vector<int64_t> aPositions, int32_t aShown)
{
    fLinePos = std::move(aPositions);
    fShownCount = std::clamp(aShown, 0, fPrintCount);
}

int32_t TKVRBaseTable::BaseScaleWidth() const
{
    const int64_t w = (fPoints[1].X - fPoints[0].X) / GetDrawScale();
    return int32_t(std::clamp<int64_t>(w, 0, std::numeric_limits<int32_t>::max()));
}

int32_t TKVRBaseTable::BaseScaleHeight() const
{
    const int64_t h = (fPoints[1].Y - fPoints[0].Y) / GetDrawScale();
    return int32_t(std::clamp<int64_t>(h, 0, std::numeric_limits<int32_t>::max()));
}

int32_t TKVRBaseTable::ColumnWidth(int32_t aIndex) const
{
    const double w = double(BaseScaleWidth()) * double(GetColumn(aIndex).Width) / 100.0;
    return int32_t(std::clamp<int64_t>(RoundHalfEven(w), 0, std::numeric_limits<int32_t>::max()));
}

void TKVRBaseTable::SetDesignLines()
{
    // Title, header, the one design line and the footer.
    TKVRTableBands bands;
    bands.TitleHeight = TitleBand();
    bands.HeaderHeight = fHeaderHeight;
    bands.FooterHeight = fFooterHeight;
    bands.Limit = std::numeric_limits<int32_t>::max();
    const TKVRTableRows rows = KVRTableRows(bands, {fRowHeight});
    fLinePos = rows.Positions;
    fShownCount = 0;
}

void TKVRBaseTable::FillTable(bool aData, bool aOutput)
{
    const TKVRBaseLabel* owner = GetOwner();
    std::vector<QStringList> values;
    int32_t count = 0;
    for (const auto& column : fColumns) {
        const bool bound = aData && owner && !column->FieldName.isEmpty();
        values.push_back(bound ? RowsOf(owner->DataValue(column->FieldName, column->Format, 1)) : column->Rows);
        count = std::max(count, int32_t(values.back().size()));
    }
    fPrintCount = count;
    for (size_t c = 0; c < fColumns.size(); ++c) {
        TKVRColumn& column = *fColumns[c];
        const QStringList& rows = values[c];
        column.ResetPrint();
        auto text = [&](int32_t aIndex, const QString& aText) {
            TKVRRowCol cell = column.GetLineTxt(aIndex);
            cell.Text = aText;
            column.SetData(aIndex, cell);
        };
        text(0, column.Header.Text);
        QString design = column.Body.Text;
        if (design.isEmpty())
            design = column.FieldName.isEmpty() ? column.Rows.value(0) : QLatin1Char('[') + column.FieldName + QLatin1Char(']');
        text(1, design);
        text(2, FooterText(column, rows));
        for (int32_t r = 1; r <= count; ++r)
            text(r + 2, RowText(column, rows.value(r - 1)));
    }
    // Rows placed by an earlier layout never outnumber the rows now filled.
    fShownCount = std::min(fShownCount, fPrintCount);
    if (!aOutput)
        SetDesignLines();
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBaseTable::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    TJsonObject title = fTitle.WriteJson();
    title["Height"] = fTitle.BaseHeight;
    j["Title"] = title;
    j["HeaderHeight"] = fHeaderHeight;
    j["RowHeight"] = fRowHeight;
    j["FooterHeight"] = fFooterHeight;
    j["FixedSize"] = fFixedSize;
    j["GridType"] = fGridType;
    j["GridColor"] = fGridColor;
    j["GridWidth"] = fGridWidth;
    j["PaddingX"] = fPadX;
    j["PaddingY"] = fPadY;
    j["SelColumn"] = GetSelColumn();
    j["Detail"] = KVRJson::Str(fDetail);
    TJsonObject columns = TJsonObject::array();
    for (const auto& c : fColumns)
        columns.push_back(c->WriteJson());
    j["Columns"] = columns;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseTable::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    auto length = [&](const char* aKey, int32_t aDefault) {
        const int32_t v = KVRJson::GetInt32(aJson, aKey, aDefault);
        if (v < 0)
            throw EKVRJsonError(std::string("Invalid ") + aKey + ": " + std::to_string(v));
        return v;
    };
    if (aJson.contains("Title")) {
        const TJsonObject& title = aJson.at("Title");
        fTitle.ReadJson(title);
        const int32_t h = KVRJson::GetInt32(title, "Height", fTitle.BaseHeight);
        if (h < 0)
            throw EKVRJsonError("Invalid Title Height: " + std::to_string(h));
        fTitle.BaseHeight = h;
    }
    fHeaderHeight = length("HeaderHeight", fHeaderHeight);
    fRowHeight = length("RowHeight", fRowHeight);
    fFooterHeight = length("FooterHeight", fFooterHeight);
    fFixedSize = KVRJson::GetBool(aJson, "FixedSize", fFixedSize);
    fGridType = KVRJson::GetByte(aJson, "GridType", fGridType);
    if (fGridType > 3)
        throw EKVRJsonError("Invalid GridType: " + std::to_string(fGridType));
    fGridColor = KVRJson::GetCardinal(aJson, "GridColor", fGridColor);
    fGridWidth = length("GridWidth", fGridWidth);
    fPadX = length("PaddingX", fPadX);
    fPadY = length("PaddingY", fPadY);
    fSelColumn = KVRJson::GetInt32(aJson, "SelColumn", fSelColumn);
    fDetail = KVRJson::GetString(aJson, "Detail", fDetail);
    if (const TJsonObject* columns = KVRJson::GetArray(aJson, "Columns")) {
        std::vector<std::unique_ptr<TKVRColumn>> read;
        for (const TJsonObject& c : *columns) {
            read.push_back(std::make_unique<TKVRColumn>());
            read.back()->fOwner = this;
            read.back()->ReadJson(c);
        }
        fColumns = std::move(read);
    }
    ReadJsonPoints(aJson, 1, 2, 2);
    NormalizeBox();
    FillTable(false, false);
}

void TKVRBaseTable::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    fTitle.Write(aWriter);
    aWriter.WriteInt32(fTitle.BaseHeight);
    aWriter.WriteInt32(fHeaderHeight);
    aWriter.WriteInt32(fRowHeight);
    aWriter.WriteInt32(fFooterHeight);
    aWriter.WriteBoolean(fFixedSize);
    aWriter.WriteByte(uint8_t(fGridType | KVRTableExtended));
    aWriter.WriteCardinal(fGridColor);
    aWriter.WriteInt32(fGridWidth);
    aWriter.WriteInt32(fPadX);
    aWriter.WriteInt32(fPadY);
    aWriter.WriteInt32(GetSelColumn());
    aWriter.WriteInt32(GetColumnCount());
    for (const auto& c : fColumns)
        c->Write(aWriter);
    aWriter.WriteString(fDetail);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseTable::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fTitle.Read(aReader);
    fTitle.BaseHeight = LengthOf(aReader.ReadInt32(), "TitleHeight");
    fHeaderHeight = LengthOf(aReader.ReadInt32(), "HeaderHeight");
    fRowHeight = LengthOf(aReader.ReadInt32(), "RowHeight");
    fFooterHeight = LengthOf(aReader.ReadInt32(), "FooterHeight");
    fFixedSize = aReader.ReadBoolean();
    const uint8_t grid = aReader.ReadByte();
    fGridType = KVRCodeCheck::InList(uint8_t(grid & ~KVRTableExtended), 4, "GridType");
    fGridColor = aReader.ReadCardinal();
    fGridWidth = LengthOf(aReader.ReadInt32(), "GridWidth");
    fPadX = LengthOf(aReader.ReadInt32(), "PaddingX");
    fPadY = LengthOf(aReader.ReadInt32(), "PaddingY");
    fSelColumn = aReader.ReadInt32();
    // A column takes at least its width, three strings, a byte, three cells and a count.
    const int32_t n = aReader.ReadCount(4 + 2 + 1 + 3 * 26 + 4);
    std::vector<std::unique_ptr<TKVRColumn>> read;
    for (int32_t i = 0; i < n; ++i) {
        read.push_back(std::make_unique<TKVRColumn>());
        read.back()->fOwner = this;
        read.back()->Read(aReader);
    }
    fColumns = std::move(read);
    fDetail = grid & KVRTableExtended ? aReader.ReadString() : QString();
    ReadPoints(aReader, 1, 2, 2);
    NormalizeBox();
    FillTable(aReadType == KVRReadType::CellCopy, false);
}
