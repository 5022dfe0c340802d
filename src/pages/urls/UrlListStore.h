// The registry form of the two URL lists, the alias list and the service
// list: reading, rewriting and installing the built-in defaults. Both lists
// are stored by the same rules and differ only in what UrlListKind holds.
#ifndef VELOTAB_URL_LIST_STORE_H
#define VELOTAB_URL_LIST_STORE_H

#include "Platform.h"
#include "UnreadValues.h"

#include <string>
#include <vector>

class RegKey;

// One entry: its flag characters, its alias or display name, its URL
// template. The flags are a fixed number of characters, one a position,
// each either its letter or a blank.
struct UrlEntry {
    std::wstring flags;
    std::wstring name;
    std::wstring url;
};

typedef UrlEntry AliasEntry;
typedef UrlEntry ServiceEntry;
typedef std::vector<UrlEntry> UrlList;

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
    std::wstring nameData;
    std::wstring url;
};

class UrlListStore {
public:
    explicit UrlListStore(const UrlListKind &kind);

    // The stored list, up to the first entry whose name cannot be read; an
    // entry whose URL cannot be read is kept with an empty URL and ends the
    // list. A missing section is an empty list; it is never created. The
    // section is read in one pass over its values, and the store remembers
    // whether it holds exactly the list read, as Write would store it, and
    // whether the registry failed while it read.
    UrlList Read();
    // Replaces the stored list with entries. Where the list has an expand
    // key, expandKey is written beside it first, into an existing settings
    // key only, as unread allows. Texts longer than the readers take are
    // cut to fit. A section that already holds exactly what would be
    // written, as the last Read found it and as far as it still has as many
    // values, is left as it is: flash memory wears with every write; so is
    // a section whose last Read failed. The entries are written over the
    // stored ones, and what else the section holds goes only once all are
    // written, so the section never lacks the user's entries.
    void Write(const UrlList &entries, DWORD expandKey, UnreadValues *unread = NULL) const;
    // Writes the built-in list when the section is missing; an existing
    // section, even an empty one, is left as it is. The list is written
    // whole or no section is left, so that the next call installs again.
    void InstallDefaults() const;
    // The built-in list from the string table; complete, when given, tells
    // whether every entry could be loaded.
    UrlList Defaults(bool *complete = NULL) const;

private:
    UrlEntry Split(const std::wstring &nameData, const std::wstring &url) const;
    bool HoldsExactly(const UrlList &entries) const;
    // Writes the entries into the section; false at the first write that
    // fails.
    static bool WriteEntries(const RegKey &section, const UrlList &entries);

    const UrlListKind &kind;
    // What the last Read found, and whether the section held these entries'
    // values, stored as Write stores them, and nothing else.
    std::vector<StoredUrlEntry> stored;
    bool storedExactly;
    bool readFailed;
};

#endif
