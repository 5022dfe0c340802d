#include "BoundedText.h"

#include <string.h>
#include <wchar.h>

BoundedText::BoundedText(wchar_t *buffer, size_t capacity)
    : buffer(buffer), capacity(capacity), length(0), whole(capacity > 0)
{
    if (capacity > 0)
        buffer[0] = L'\0';
}

bool BoundedText::Append(const wchar_t *text)
{
    return Append(text, wcslen(text));
}

bool BoundedText::Append(const wchar_t *text, size_t count)
{
    if (capacity == 0)
        return false;
    size_t room = capacity - 1 - length;
    if (count > room) {
        count = room;
        whole = false;
    }
    memcpy(buffer + length, text, count * sizeof(wchar_t));
    length += count;
    buffer[length] = L'\0';
    return whole;
}
