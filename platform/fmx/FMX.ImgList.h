#pragma once
#include "platform/fmx/TBitmap.h"
#include "platform/rtl/System.Types.h"
#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// An image list in two halves: source items hold named pictures at one or
// more scales; destination items are the list's entries, each made of layers
// that cut a rectangle out of a source picture named by the layer.

// Items in insertion order, owned; references stay valid while the list lives.
template <class T>
class TOwnedItems
{
public:
    int32_t Count() const { return int32_t(fItems.size()); }
    T& Items(int32_t index) { return *fItems.at(CheckIndex(index)); }
    const T& Items(int32_t index) const { return *fItems.at(CheckIndex(index)); }

protected:
    T& Append(std::unique_ptr<T> item)
    {
        fItems.push_back(std::move(item));
        return *fItems.back();
    }

private:
    size_t CheckIndex(int32_t index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds");
        return size_t(index);
    }
    std::vector<std::unique_ptr<T>> fItems;
};

// One picture of a multi-resolution bitmap, for one scale.
class TFixedBitmapItem
{
public:
    float Scale() const { return fScale; }
    void SetScale(float scale) { fScale = scale; }
    TBitmap& Bitmap() { return fBitmap; }
    const TBitmap& Bitmap() const { return fBitmap; }

private:
    float fScale = 1.0f;
    TBitmap fBitmap;
};

class TFixedMultiResBitmap : public TOwnedItems<TFixedBitmapItem>
{
public:
    TFixedBitmapItem& Add() { return Append(std::make_unique<TFixedBitmapItem>()); }
};

class TSourceCollection;

class TSourceItem
{
public:
    TSourceItem(TSourceCollection& owner, int32_t index, const QString& name)
        : fOwner(owner), fIndex(index), fName(name) {}

    int32_t Index() const { return fIndex; }
    const QString& Name() const { return fName; }
    // Names identify pictures for the layers: a name another item uses
    // (ignoring case) raises std::invalid_argument.
    void SetName(const QString& name);
    TFixedMultiResBitmap& MultiResBitmap() { return fMultiResBitmap; }
    const TFixedMultiResBitmap& MultiResBitmap() const { return fMultiResBitmap; }

private:
    TSourceCollection& fOwner;
    int32_t fIndex;
    QString fName;
    TFixedMultiResBitmap fMultiResBitmap;
};

class TSourceCollection : public TOwnedItems<TSourceItem>
{
public:
    // Items point back at their collection, so it stays where it was made.
    TSourceCollection() = default;
    TSourceCollection(const TSourceCollection&) = delete;
    TSourceCollection& operator=(const TSourceCollection&) = delete;

    // A new item with a name no other item has ("Item 0", "Item 1", ...).
    TSourceItem& Add();
    // Index of the item with this name (ignoring case), -1 when none.
    int32_t IndexOf(const QString& name) const;
};

class TLayer
{
public:
    const QString& Name() const { return fName; }
    void SetName(const QString& name) { fName = name; }
    const TRectF& SourceRect() const { return fSourceRect; }
    void SetSourceRect(const TRectF& rect) { fSourceRect = rect; }

private:
    QString fName;
    TRectF fSourceRect;
};

class TLayers : public TOwnedItems<TLayer>
{
public:
    TLayer& Add() { return Append(std::make_unique<TLayer>()); }
};

class TDestinationItem
{
public:
    explicit TDestinationItem(int32_t index) : fIndex(index) {}
    int32_t Index() const { return fIndex; }
    TLayers& Layers() { return fLayers; }
    const TLayers& Layers() const { return fLayers; }

private:
    int32_t fIndex;
    TLayers fLayers;
};

class TDestinationCollection : public TOwnedItems<TDestinationItem>
{
public:
    TDestinationItem& Add() { return Append(std::make_unique<TDestinationItem>(Count())); }
};

class TImageList
{
public:
    TSourceCollection& Source() { return fSource; }
    const TSourceCollection& Source() const { return fSource; }
    TDestinationCollection& Destination() { return fDestination; }
    const TDestinationCollection& Destination() const { return fDestination; }
    // Number of entries: the destination items.
    int32_t Count() const { return fDestination.Count(); }

private:
    TSourceCollection fSource;
    TDestinationCollection fDestination;
};
