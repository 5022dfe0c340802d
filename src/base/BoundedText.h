// A text put together in a buffer of fixed size that the caller provides,
// without any allocation: what does not fit is cut off, and the text tells
// that it was cut.
#ifndef VELOTAB_BOUNDED_TEXT_H
#define VELOTAB_BOUNDED_TEXT_H

#include <stddef.h>

class BoundedText {
public:
    // The buffer has room for capacity characters with the NUL; the text
    // starts empty.
    BoundedText(wchar_t *buffer, size_t capacity);

    // False when the text had to be cut, now or before.
    bool Append(const wchar_t *text);
    bool Append(const wchar_t *text, size_t count);

    const wchar_t *Text() const { return buffer; }
    size_t Length() const { return length; }
    // Nothing appended was cut off.
    bool Whole() const { return whole; }

private:
    wchar_t *buffer;
    size_t capacity;
    size_t length;
    bool whole;
};

#endif
