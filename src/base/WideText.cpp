#include "WideText.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

WideText::WideText() : data(NULL), length(0), capacity(kInlineLength)
{
    inlineText[0] = L'\0';
}

WideText::~WideText()
{
    free(data);
}

void WideText::SetAt(size_t index, wchar_t character)
{
    if (index < length)
        Buffer()[index] = character;
}

bool WideText::Assign(const wchar_t *text)
{
    return Assign(text, wcslen(text));
}

// A text that lies inside this one stays readable while the new room is
// filled: the old room is released only afterwards.
bool WideText::Assign(const wchar_t *text, size_t count)
{
    if (!Reserve(count))
        return false;
    wchar_t *buffer = Buffer();
    memmove(buffer, text, count * sizeof(wchar_t));
    buffer[count] = L'\0';
    length = count;
    return true;
}

bool WideText::Append(const wchar_t *text)
{
    return Append(text, wcslen(text));
}

bool WideText::Append(const wchar_t *text, size_t count)
{
    if (count > static_cast<size_t>(-1) / sizeof(wchar_t) - length - 1 || !Reserve(length + count))
        return false;
    wchar_t *buffer = Buffer();
    memmove(buffer + length, text, count * sizeof(wchar_t));
    length += count;
    buffer[length] = L'\0';
    return true;
}

// Grows to what is asked, or to half as much again as the room so far when
// that is more, so that a text appended piece by piece grows seldom.
bool WideText::Reserve(size_t count)
{
    if (count <= capacity)
        return true;
    size_t grown = capacity + capacity / 2;
    size_t room = count > grown ? count : grown;
    if (room >= static_cast<size_t>(-1) / sizeof(wchar_t))
        return false;
    wchar_t *larger = static_cast<wchar_t *>(malloc((room + 1) * sizeof(wchar_t)));
    if (!larger)
        return false;
    memcpy(larger, Text(), (length + 1) * sizeof(wchar_t));
    free(data);
    data = larger;
    capacity = room;
    return true;
}

void WideText::Clear()
{
    length = 0;
    Buffer()[0] = L'\0';
}

void WideText::Swap(WideText &other)
{
    unsigned char bytes[sizeof(WideText)];
    memcpy(bytes, this, sizeof(WideText));
    memcpy(static_cast<void *>(this), &other, sizeof(WideText));
    memcpy(static_cast<void *>(&other), bytes, sizeof(WideText));
}

bool WideText::Equals(const wchar_t *text, size_t count) const
{
    return count == length && memcmp(Text(), text, count * sizeof(wchar_t)) == 0;
}
