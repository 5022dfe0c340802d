// The registry form of the two URL lists, the alias list and the service
// list: reading, rewriting and installing the built-in defaults. Both lists
// are stored by the same rules and differ only in what UrlListKind holds.
#ifndef VELOTAB_URL_LIST_STORE_H
#define VELOTAB_URL_LIST_STORE_H

#include "GrowableArray.h"
#include "Platform.h"
#include "WideText.h"

// One entry: its flag characters, its alias or display name, its URL
// template. The flags are a fixed number of characters, one a position,
// each either its letter or a blank.
struct UrlEntry {
    WideText flags;
    WideText name;
    WideText url;
};

typedef UrlEntry AliasEntry;
typedef UrlEntry ServiceEntry;
typedef GrowableArray<UrlEntry> UrlList;

// What sets one list apart from the other.
struct UrlListKind {
    // Section of the settings key that holds the list and nothing else.
    LPCWSTR section;
    // Flag characters in front of the name in the stored name data.
    size_t flagWidth;
    // The built-in list: name data and URL as string pairs from here on.
    UINT firstDefaultId;
    // Setting kept beside the list in the settings key itself; 0 for none.
    UINT expandKeyValueId;
};

extern const UrlListKind kAliasList;
extern const UrlListKind kServiceList;

// Room for one stored text with its terminator, in characters: the
// longest text that is read or written has one character less.
const size_t kUrlTextCapacity = 4096;

// One entry as its two texts are stored: the flags and name as one text,
// and the URL.
struct StoredUrlEntry {
    WideText nameData;
    WideText url;
};

class UrlListStore {
public:
    explicit UrlListStore(const UrlListKind &kind);

    // The stored list, up to the first entry whose name cannot be read; an
    // entry whose URL cannot be read is kept with an empty URL and ends the
    // list. A missing section is an empty list; it is never created. The
    // section is read in one pass over its values, and the store remembers
    // whether it holds exactly the list read, as Write would store it.
    // False when memory ran out: entries then holds the entries up to
    // there, and the store remembers nothing.
    bool Read(UrlList *entries);
    // Replaces the stored list with entries. Where the list has an expand
    // key, expandKey is written beside it first, into an existing settings
    // key only. Texts longer than the readers take are cut to fit. A
    // section that already holds exactly what would be written, as the
    // last Read found it and as far as it still has as many values, is left
    // as it is: flash memory wears with every write.
    void Write(const UrlList &entries, DWORD expandKey) const;
    // Writes expandKey alone, where the list has an expand key, into an
    // existing settings key; the list is left as it is.
    void WriteExpandKey(DWORD expandKey) const;
    // Writes the built-in list when the section is missing; an existing
    // section, even an empty one, is left as it is. Needs no memory.
    void InstallDefaults() const;
    // The built-in list from the string table; false when memory ran out
    // before the whole list was in entries.
    bool Defaults(UrlList *entries) const;

private:
    // Fills the entry from the stored texts; false when memory ran out.
    bool Split(const wchar_t *nameData, const wchar_t *url, UrlEntry *entry) const;
    bool HoldsExactly(const UrlList &entries) const;

    const UrlListKind &kind;
    // What the last Read found, and whether the section held these entries'
    // values, stored as Write stores them, and nothing else.
    GrowableArray<StoredUrlEntry> stored;
    bool storedExactly;
};

#endif
