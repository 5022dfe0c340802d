// The settings that a page could not read because the registry failed, as
// opposed to settings that are missing or of another type, with what the
// page showed in their place. Such a setting is written back only when the
// page's control no longer holds what was shown: the user changed it.
#ifndef VELOTAB_UNREAD_VALUES_H
#define VELOTAB_UNREAD_VALUES_H

#include "Platform.h"

#include <string>
#include <vector>

class UnreadValues {
public:
    // A value is named by a string-table identifier (MAKEINTRESOURCEW) or
    // by its name text; the same pointer names it when read and written.
    void Remember(LPCWSTR value, DWORD shown);
    void Remember(LPCWSTR value, const std::wstring &shown);
    void Forget(LPCWSTR value);
    // Whether writing the value would only put what was shown, in place of
    // a stored value that could not be read.
    bool Keeps(LPCWSTR value, DWORD toWrite) const;
    bool Keeps(LPCWSTR value, const std::wstring &toWrite) const;

private:
    struct Entry {
        LPCWSTR value;
        bool isText;
        DWORD number;
        std::wstring text;
    };
    const Entry *Find(LPCWSTR value) const;
    void Put(const Entry &entry);

    std::vector<Entry> entries;
};

#endif
