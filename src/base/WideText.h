// A wide text of any length whose growth reports failure: every operation
// that may need memory answers false when it cannot have it and then leaves
// the text as it was. Short texts live in the object itself.
#ifndef VELOTAB_WIDE_TEXT_H
#define VELOTAB_WIDE_TEXT_H

#include <stddef.h>

class WideText {
public:
    WideText();
    ~WideText();

    // Always NUL-terminated; "" while empty.
    const wchar_t *Text() const { return data ? data : inlineText; }
    size_t Length() const { return length; }
    bool Empty() const { return length == 0; }
    wchar_t At(size_t index) const { return Text()[index]; }
    // Changes one character in place; index must be below Length().
    void SetAt(size_t index, wchar_t character);

    // Assign takes a text that lies inside this one's as well; Append does
    // not.
    bool Assign(const wchar_t *text);
    bool Assign(const wchar_t *text, size_t count);
    bool Append(const wchar_t *text);
    bool Append(const wchar_t *text, size_t count);
    // Room for a text of this many characters without growing again.
    bool Reserve(size_t count);
    void Clear();
    // Exchanges the two texts without copying them.
    void Swap(WideText &other);
    bool Equals(const wchar_t *text, size_t count) const;

private:
    // Room for a text up to this long without an allocation; flags and empty
    // texts, most of them, need none.
    static const size_t kInlineLength = 7;

    wchar_t *Buffer() { return data ? data : inlineText; }

    // Set while the text has outgrown the object. The object holds no
    // pointer into itself, so it may be moved by copying its bytes.
    wchar_t *data;
    size_t length;
    size_t capacity;
    wchar_t inlineText[kInlineLength + 1];

    WideText(const WideText &);
    WideText &operator=(const WideText &);
};

#endif
