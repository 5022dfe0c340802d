#include "UnreadValues.h"

UnreadValues::UnreadValues() : incomplete(false)
{
}

void UnreadValues::Remember(LPCWSTR value, DWORD shown)
{
    Entry *entry = Put(value);
    if (!entry)
        return;
    entry->isText = false;
    entry->number = shown;
}

void UnreadValues::Remember(LPCWSTR value, LPCWSTR shown)
{
    Entry *entry = Put(value);
    if (!entry)
        return;
    entry->isText = true;
    entry->keptWhole = !entry->text.Assign(shown);
}

void UnreadValues::Forget(LPCWSTR value)
{
    for (size_t i = 0; i < entries.Size(); ++i)
        if (entries[i].value == value) {
            entries.Erase(i);
            return;
        }
}

bool UnreadValues::Keeps(LPCWSTR value, DWORD toWrite) const
{
    if (incomplete)
        return true;
    const Entry *entry = Find(value);
    return entry && !entry->isText && entry->number == toWrite;
}

bool UnreadValues::Keeps(LPCWSTR value, LPCWSTR toWrite) const
{
    if (incomplete)
        return true;
    const Entry *entry = Find(value);
    return entry && entry->isText &&
           (entry->keptWhole || lstrcmpW(entry->text.Text(), toWrite) == 0);
}

const UnreadValues::Entry *UnreadValues::Find(LPCWSTR value) const
{
    for (size_t i = 0; i < entries.Size(); ++i)
        if (entries[i].value == value)
            return &entries[i];
    return NULL;
}

// A fresh entry for the value; NULL, with the whole record marked as
// incomplete, when there is no room for one.
UnreadValues::Entry *UnreadValues::Put(LPCWSTR value)
{
    Forget(value);
    Entry *entry = entries.AppendNew();
    if (!entry) {
        incomplete = true;
        return NULL;
    }
    entry->value = value;
    entry->keptWhole = false;
    entry->number = 0;
    return entry;
}
