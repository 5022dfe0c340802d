// The settings that a page could not read because the registry failed, as
// opposed to settings that are missing or of another type, with what the
// page showed in their place. Such a setting is written back only when the
// page's control no longer holds what was shown: the user changed it.
#ifndef VELOTAB_UNREAD_VALUES_H
#define VELOTAB_UNREAD_VALUES_H

#include "GrowableArray.h"
#include "Platform.h"
#include "WideText.h"

class UnreadValues {
public:
    UnreadValues();

    // A value is named by a string-table identifier (MAKEINTRESOURCEW) or
    // by its name text; the same pointer names it when read and written.
    void Remember(LPCWSTR value, DWORD shown);
    void Remember(LPCWSTR value, LPCWSTR shown);
    void Forget(LPCWSTR value);
    // Whether writing the value would only put what was shown, in place of
    // a stored value that could not be read. Without the memory to remember
    // what was shown, a value that could not be read is kept whatever the
    // page holds, and once the record itself had no room, every value is.
    bool Keeps(LPCWSTR value, DWORD toWrite) const;
    bool Keeps(LPCWSTR value, LPCWSTR toWrite) const;

private:
    struct Entry {
        LPCWSTR value;
        bool isText;
        // Set when the text shown could not be copied.
        bool keptWhole;
        DWORD number;
        WideText text;
    };
    const Entry *Find(LPCWSTR value) const;
    Entry *Put(LPCWSTR value);

    GrowableArray<Entry> entries;
    bool incomplete;
};

#endif
