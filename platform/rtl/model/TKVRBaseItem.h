#pragma once
#include "platform/rtl/model/KVR.Model.Edit.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Props.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/System.UITypes.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <QString>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class TBinaryReader;
class TBinaryWriter;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRLayer;
class TKVROutline;

// The abstract element. The constructor attaches the element to its
// document, which owns it from then on; an element whose construction or
// reading fails leaves the document as it was (see KVRReadItem).
//
// Persisted header of every element, in this order: layer (int32), state
// word (uint16), options (uint32), colour (uint32 ARGB), pen width (int32 µm),
// line type (byte), numeric id (int32), string id (string).
// platform/rtl/README.md lists each kind's fields.
class TKVRBaseItem
{
public:
    // State word bits.
    static constexpr uint16_t StateVisible = 0x0001;
    static constexpr uint16_t StatePrintable = 0x0002;
    static constexpr uint16_t StateExportable = 0x0008;

    TKVRBaseItem(const TKVRBaseItem&) = delete;
    TKVRBaseItem& operator=(const TKVRBaseItem&) = delete;
    virtual ~TKVRBaseItem();

    // ---- virtual operations, in slot order
    // Point aIndex (from 1) in paper millimetres: micrometres ÷ (1000 × drawing scale).
    virtual float GetRefX(int32_t aIndex) const;
    virtual float GetRefY(int32_t aIndex) const;
    // Hit test: the outline lies within aTolerance µm of (aX, aY), or the
    // point lies inside a filled or boxed kind (unless aOutlineOnly).
    virtual bool Pick(int64_t aX, int64_t aY, int64_t aTolerance, bool aOutlineOnly) const;
    // Rectangle test: aCrossing takes an element the rectangle touches,
    // otherwise only one lying wholly inside it.
    virtual bool SearchRect(const TKVRRect& aRect, bool aCrossing) const;
    // Snap search: a point of kind aSnap within aTolerance µm of (aX, aY);
    // tangent and perpendicular measure from aRef's reference point. On a hit
    // aRef takes the point, its marker shape and the found flag.
    virtual bool CheckPoint(int64_t aX, int64_t aY, int64_t aTolerance, TKVRSnap aSnap, TKVRRef& aRef) const;
    // The element as a JSON object, "Type" (kind code) first.
    virtual TJsonObject WriteJson() const;
    virtual bool GetIsData() const;
    // Widens aExtent by the element's points, each by half the pen width.
    virtual void CheckFit(TKVRExtent& aExtent);
    virtual void ReadJson(int32_t aVersion, const TJsonObject& aJson);
    // Bounds := CheckFit over a fresh extent.
    virtual void UpdateBounds();
    // Points that follow from the element's own data (centres, radii, angles).
    virtual void UpdatePoints();
    // After an edit: boxes ordered (never a negative size), points held
    // within ±KVRMaxCoordinate, derived points and bounds recomputed.
    virtual void CheckPosition();
    // A quarter turn about the element's centre, anticlockwise on screen
    // (left) or clockwise (right); quarter-turn settings turn along. Four
    // turns, or a turn and its opposite, give back every point exactly.
    virtual void RotateLeft();
    virtual void RotateRight();
    // aEmpty: the record fields take the stored values; otherwise they take
    // the current data record of the document.
    virtual void FillData(bool aEmpty);
    virtual void WriteData(TBinaryWriter& aWriter) const;
    virtual void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType);
    // A move by (aDx, aDy) in the document's unit, shortened so that every
    // point stays within ±KVRMaxCoordinate; the µm form below does the work.
    virtual void BoundsMove(float& aDx, float& aDy);
    virtual void CheckBaseBoundsMove(int64_t& aDx, int64_t& aDy, TKVRMoveOpt aOpt);
    // Moves by (x2 − x1, y2 − y1) micrometres, shortened as CheckBaseBoundsMove
    // says; aUpdate recomputes the layout. Per-cell copies never move.
    virtual void BaseMove(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, TKVRMoveOpt aOpt, bool aUpdate);
    virtual void Draw(TKVRBaseDraw* aDraw) = 0;
    virtual void Print(TKVRBaseDraw* aDraw) = 0;
    // Layout step; the model's own recomputes points and bounds.
    virtual void CalcValues(int16_t aMode);
    virtual int32_t NumPoints() const;
    // Inserts (aX, aY) as point aIndex (from 1; count + 1 appends) of a free
    // point list; aIndex 0 puts it into the piece the point lies nearest to
    // (a Bézier curve is split there). False, changing nothing, for kinds
    // without a free list or an index outside it.
    virtual bool InsertPoint(int64_t aX, int64_t aY, int32_t aIndex);
    virtual TKVRPto CenterPoint() const;
    // Moves by a distance in the document's units.
    virtual void Move(float aDx, float aDy, TKVRMoveOpt aOpt);

    // ---- editing, beyond the slots
    // The element's outline: segments, arcs, flattened Bézier spans and
    // boxes, in µm; filled contours (and boxed kinds) count inside.
    virtual void GetOutline(TKVROutline& aOutline) const;
    // The handles shown while the element is selected.
    virtual void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const;
    // Drags handle aIndex (as GetSelPoints gives it) of move type aType to
    // (aX, aY) µm. A sizing handle dragged past the opposite edge flips the
    // box and aType becomes the handle it now is. False, changing nothing,
    // when the element has no such handle or the edit would be unsound.
    virtual bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY);
    // Deletes point aIndex of a free point list, never below the kind's
    // least count (a Bézier curve loses the whole segment at that point).
    virtual bool DeletePoint(int32_t aIndex);
    // Fewest points the kind's free list keeps (0: no free list).
    virtual int32_t LeastPoints() const;
    // A quarter turn: every point p goes to the turned p plus aOffset, left
    // (anticlockwise on screen) (p.y, −p.x), right (−p.y, p.x). The document
    // turns its label of width w and height h left with offset (0, w), right
    // with (h, 0); RotateLeft/Right pick the offset that keeps the centre.
    virtual void TurnQuarter(bool aLeft, const TKVRPto& aOffset);

    // ---- property rows (KVR.Model.Props.h, TKVRBaseItem.Props.cpp)
    // The kind's property table: the shared groups, then each kind's own.
    // The rows of the grid and the document's UpdateProp both read it.
    virtual void DescribeProps(TKVRPropTable& aTable) const;
    // One row per point the user places (base group 7).
    void DescribePoints(TKVRPropTable& aTable) const;
    // Point aIndex (from 1) is placed by the user, not laid out from the others.
    virtual bool IsInputPoint(int32_t aIndex) const;
    // Point aIndex is shown but follows the element's other values: its rows
    // take no edit (the layout would undo it).
    virtual bool IsLaidOutPoint(int32_t aIndex) const;
    // Removes from both sets the groups the element does not have.
    virtual void CheckProp(TKVRInpectorBaseTypes& aBase, TKVRInpectorTypes& aTypes) const;
    // Appends the element's rows of the groups in the sets to aRows (a JSON
    // array); a row an earlier selected element gave is not repeated.
    virtual void JsonInspector(TKVRInpectorBaseTypes aBase, TKVRInpectorTypes aTypes, TJsonObject& aRows) const;
    // Replaces the point rows of aRows with fresh ones (appended when there
    // are none), as a rebuild would give them.
    void PointInspector(TKVRInpectorBaseTypes aBase, TJsonObject& aRows) const;

    // ---- painting entry points: lay out when something changed, then paint
    void DrawElement(TKVRBaseDraw* aDraw);
    void PrintElement(TKVRBaseDraw* aDraw);

    // Kind code, then WriteData.
    void Write(TBinaryWriter& aWriter) const;

    template <class I>
    I* QueryInterface() { return dynamic_cast<I*>(this); }

    TKVRBaseLabel* GetOwner() const { return fOwner; }
    int32_t GetKind() const { return fKind; }
    // A copy of a data-bound element made for one sheet cell (read type 2).
    bool GetPreview() const { return fPreview; }
    // The sheet cell (column, row, from 1) a cell copy shows in; 0 for the others.
    void PreviewPos(int16_t aColumn, int16_t aRow)
    {
        fPreviewCol = aColumn;
        fPreviewRow = aRow;
    }
    int16_t GetPreviewCol() const { return fPreviewCol; }
    int16_t GetPreviewRow() const { return fPreviewRow; }
    bool GetNeedsCalc() const { return fNeedCalc; }

    // Points, counted from 1; an index outside 1..count raises std::out_of_range.
    TKVRPto GetPoint(int32_t aIndex) const;
    void SetBase(int32_t aIndex, int64_t aX, int64_t aY);
    void SetBase(int32_t aIndex, const TKVRPto& aPoint) { SetBase(aIndex, aPoint.X, aPoint.Y); }
    const std::vector<TKVRPto>& GetPoints() const { return fPoints; }
    // The first aCount points at once (at most the element's count).
    void AssignPoints(const TKVRPto* aPoints, int32_t aCount);
    // One coordinate of point aIndex (from 1) in the document's unit.
    void SetPointX(int32_t aIndex, float aValue);
    void SetPointY(int32_t aIndex, float aValue);
    TKVRRect GetBounds() const { return fBounds; }

    TAlphaColor GetColor() const { return fColor; }
    void SetColor(TAlphaColor aValue);
    // Pen width in millimetres; stored in whole micrometres.
    float GetPenWidth() const { return float(fPenWidth) / 1000.0f; }
    void SetPenWidth(float aValue);
    int32_t GetBasePenWidth() const { return fPenWidth; }
    void SetBasePenWidth(int32_t aValue);
    TVXLineType GetLineType() const { return fLineType; }
    void SetLineType(TVXLineType aValue);
    uint16_t GetState() const { return fState; }
    void SetState(uint16_t aValue) { fState = aValue; }
    TKVRItemState GetItemState() const { return fItemState; }
    void SetItemState(TKVRItemState aValue) { fItemState = aValue; }
    int32_t GetLayer() const { return fLayer; }
    void SetLayer(int32_t aValue);
    uint32_t GetOptions() const { return fOptions; }
    void SetOptions(uint32_t aValue) { fOptions = aValue; }

    // Numeric id: unique in the document, given on attaching (above every id
    // the document has seen); connectors name their ends by it.
    int32_t GetNumID() const { return fNumID; }
    void SetNumID(int32_t aValue);
    // String id: the name an importer or the user gives the element.
    QString GetID() const { return fID; }
    void SetID(const QString& aValue) { fID = aValue; }

    // Drawing scale of the document (1 without one) and its unit in micrometres.
    int32_t GetDrawScale() const;
    int64_t GetUnitSize() const;
    // A length in the document's unit to micrometres and back.
    int64_t ToBase(double aValue) const;
    double FromBase(int64_t aValue) const;

protected:
    // The box whose centre RotateLeft/Right keep (the extent of the points).
    virtual TKVRRect TurnBox() const;

    TKVRBaseItem(TKVRBaseLabel* aOwner, int32_t aKind, int32_t aNumPoints, bool aPreview);
    TKVRBaseItem(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, int32_t aNumPoints, bool aPreview);

    // Marks the layout stale: the next DrawElement or PrintElement runs CalcValues.
    void Changed() { fNeedCalc = true; }
    void SetNumPoints(int32_t aCount);
    void SetPoints(std::vector<TKVRPto> aPoints);

    // Point lists: a count (int32, at least aMin, at most aMax when aMax >= 0)
    // followed by x and y (int64) of each point.
    void WritePoints(TBinaryWriter& aWriter, int32_t aFirst, int32_t aCount) const;
    static void WritePointList(TBinaryWriter& aWriter, const TKVRPto* aPoints, int32_t aCount);
    void ReadPoints(TBinaryReader& aReader, int32_t aFirst, int32_t aMin, int32_t aMax);
    void WriteJsonPoints(TJsonObject& aJson, int32_t aFirst, int32_t aCount) const;
    void ReadJsonPoints(const TJsonObject& aJson, int32_t aFirst, int32_t aMin, int32_t aMax);

    std::vector<TKVRPto> fPoints;
    TKVRRect fBounds;

private:
    friend class TKVRBaseLabel;

    void LayerChanged();

    TKVRBaseLabel* fOwner = nullptr;
    bool fAttached = false;  // listed by fOwner, which then owns it
    int32_t fKind = 0;
    bool fPreview = false;
    bool fNeedCalc = true;
    int32_t fLayer = 0;
    // New elements show, print and export until told otherwise.
    uint16_t fState = StateVisible | StatePrintable | StateExportable;
    uint32_t fOptions = 0;
    TAlphaColor fColor = TAlphaColors::Black;
    int32_t fPenWidth = 250;
    TVXLineType fLineType = 0;
    TKVRItemState fItemState = 0;
    int32_t fNumID = 0;
    int16_t fPreviewCol = 0;
    int16_t fPreviewRow = 0;
    QString fID;
};

// Builds an element of class T with the given constructor arguments and lets
// aFill read it (ReadData or ReadJson). When aFill raises, the element is
// detached from its document and freed before the error goes on, so a
// damaged record never leaves a half-read element behind.
template <class T, class TFill, class... TArgs>
T* KVRReadItem(TFill&& aFill, TArgs&&... aArgs)
{
    std::unique_ptr<T> guard(new T(std::forward<TArgs>(aArgs)...));
    T* item = guard.get();
    aFill(*item);
    guard.release();  // the document owns it (or the caller, without a document)
    return item;
}
