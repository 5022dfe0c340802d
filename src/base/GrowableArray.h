// An ordered array of items whose growth reports failure: an operation that
// needs room answers false or NULL when it cannot have it, and then leaves
// the array as it was. Items are moved by copying their bytes, so an item
// must hold no pointer into itself (WideText holds none).
#ifndef VELOTAB_GROWABLE_ARRAY_H
#define VELOTAB_GROWABLE_ARRAY_H

#include "ArrayStorage.h"

#include <new>

template <class Item> class GrowableArray {
public:
    GrowableArray() : storage(sizeof(Item)) {}
    ~GrowableArray() { Clear(); }

    size_t Size() const { return storage.Count(); }
    bool Empty() const { return storage.Count() == 0; }
    Item &operator[](size_t index) { return *At(index); }
    const Item &operator[](size_t index) const { return *At(index); }

    bool Reserve(size_t count) { return storage.Reserve(count); }
    // A new default item at the end or in front of the item at index;
    // NULL when there is no room.
    Item *AppendNew() { return InsertNew(Size()); }
    Item *InsertNew(size_t index)
    {
        void *gap = storage.OpenGap(index);
        return gap ? new (gap) Item() : NULL;
    }
    // A copy of item at the end, for items that copy without memory.
    bool Append(const Item &item)
    {
        void *gap = storage.OpenGap(Size());
        return gap && new (gap) Item(item);
    }
    void Erase(size_t index)
    {
        At(index)->~Item();
        storage.CloseGap(index);
    }
    void Swap(size_t first, size_t second) { storage.SwapItems(first, second); }
    void Clear()
    {
        for (size_t i = 0; i < Size(); ++i)
            At(i)->~Item();
        storage.Forget();
    }

private:
    Item *At(size_t index) const { return static_cast<Item *>(storage.Item(index)); }

    ArrayStorage storage;

    GrowableArray(const GrowableArray &);
    GrowableArray &operator=(const GrowableArray &);
};

#endif
