// The untyped room of a GrowableArray: items of one size side by side in
// one block, which grows by reallocation and reports when it cannot.
#ifndef VELOTAB_ARRAY_STORAGE_H
#define VELOTAB_ARRAY_STORAGE_H

#include <stddef.h>

class ArrayStorage {
public:
    explicit ArrayStorage(size_t itemSize);
    // Releases the block; the typed array has ended its items' lives first.
    ~ArrayStorage();

    size_t Count() const { return count; }
    void *Item(size_t index) const { return static_cast<char *>(items) + index * itemSize; }

    // Room for count items in all, without growing again.
    bool Reserve(size_t total);
    // Moves the items from index on up by one and counts the gap, which is
    // returned; NULL, with nothing moved, when there is no room.
    void *OpenGap(size_t index);
    // Moves the items after index down over it; the item's life has ended.
    void CloseGap(size_t index);
    void SwapItems(size_t first, size_t second);
    // Forgets every item; the block stays for reuse.
    void Forget() { count = 0; }

private:
    void *items;
    size_t itemSize;
    size_t count;
    size_t capacity;

    ArrayStorage(const ArrayStorage &);
    ArrayStorage &operator=(const ArrayStorage &);
};

#endif
