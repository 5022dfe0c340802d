// The registry form of the two URL lists, the alias list and the service
// list: reading, rewriting and installing the built-in defaults. Both lists
// are stored by the same rules and differ only in what UrlListKind holds.
#ifndef VELOTAB_URL_LIST_STORE_H
#define VELOTAB_URL_LIST_STORE_H

#include "GrowableArray.h"
#include "Platform.h"
#include "UnreadValues.h"
#include "WideText.h"

class RegKey;

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
    // whether it holds exactly the list read, as Write would store it, and
    // whether the registry failed while it read. False when memory ran out:
    // entries then holds the entries up to there, and the store remembers
    // nothing of them.
    bool Read(UrlList *entries);
    // Replaces the stored list with entries. Where the list has an expand
    // key, expandKey is written beside it first, as WriteExpandKey writes
    // it. Texts longer than the readers take are cut to fit. A section that
    // already holds exactly what would be written, as the last Read found
    // it and as far as it still has as many values, is left as it is: flash
    // memory wears with every write; so is a section whose last Read
    // failed. The entries are written over the stored ones, and what else
    // the section holds goes only once all are written, so the section
    // never lacks the user's entries.
    void Write(const UrlList &entries, DWORD expandKey, UnreadValues *unread = NULL) const;
    // Writes expandKey alone, where the list has an expand key, into an
    // existing settings key, as unread allows; the list is left as it is.
    void WriteExpandKey(DWORD expandKey, UnreadValues *unread = NULL) const;
    // Writes the built-in list when the section is missing; an existing
    // section, even an empty one, is left as it is. The list is written
    // whole or no section is left, so that the next call installs again.
    // Needs no memory.
    void InstallDefaults() const;
    // The built-in list from the string table; false when memory ran out
    // before the whole list was in entries.
    bool Defaults(UrlList *entries) const;

private:
    // Fills the entry from the stored texts; false when memory ran out.
    bool Split(const wchar_t *nameData, const wchar_t *url, UrlEntry *entry) const;
    bool HoldsExactly(const UrlList &entries) const;
    // Write the entries, or the string table's built-in list as it stands,
    // into the section; false at the first write that fails, and for a
    // built-in entry that is there but cannot be loaded.
    static bool WriteEntries(const RegKey &section, const UrlList &entries);
    bool WriteDefaults(const RegKey &section) const;

    const UrlListKind &kind;
    // What the last Read found, and whether the section held these entries'
    // values, stored as Write stores them, and nothing else.
    GrowableArray<StoredUrlEntry> stored;
    bool storedExactly;
    bool readFailed;
};

#endif
