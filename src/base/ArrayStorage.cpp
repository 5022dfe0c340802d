#include "ArrayStorage.h"

#include <stdlib.h>
#include <string.h>

namespace {

const size_t kFirstCapacity = 4;

} // namespace

ArrayStorage::ArrayStorage(size_t itemSize) : items(NULL), itemSize(itemSize), count(0), capacity(0)
{
}

ArrayStorage::~ArrayStorage()
{
    free(items);
}

bool ArrayStorage::Reserve(size_t total)
{
    if (total <= capacity)
        return true;
    if (total > static_cast<size_t>(-1) / itemSize)
        return false;
    void *larger = realloc(items, total * itemSize);
    if (!larger)
        return false;
    items = larger;
    capacity = total;
    return true;
}

// Full room doubles, so that items appended one by one seldom move.
void *ArrayStorage::OpenGap(size_t index)
{
    if (count == capacity) {
        size_t grown = capacity < kFirstCapacity ? kFirstCapacity : 2 * capacity;
        if (!Reserve(grown) && !Reserve(count + 1))
            return NULL;
    }
    char *gap = static_cast<char *>(Item(index));
    memmove(gap + itemSize, gap, (count - index) * itemSize);
    ++count;
    return gap;
}

void ArrayStorage::CloseGap(size_t index)
{
    char *gap = static_cast<char *>(Item(index));
    memmove(gap, gap + itemSize, (count - index - 1) * itemSize);
    --count;
}

void ArrayStorage::SwapItems(size_t first, size_t second)
{
    char *a = static_cast<char *>(Item(first));
    char *b = static_cast<char *>(Item(second));
    for (size_t i = 0; i < itemSize; ++i) {
        char byte = a[i];
        a[i] = b[i];
        b[i] = byte;
    }
}
