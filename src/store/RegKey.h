// One open registry key with typed reads and writes, enumeration and
// deletion. Every operation answers nonzero for success and zero otherwise.
#ifndef VELOTAB_REG_KEY_H
#define VELOTAB_REG_KEY_H

#include "Platform.h"
#include "UnreadValues.h"

// Room for a value or subkey name that the enumerations take, with its NUL.
const DWORD kRegNameCapacity = 256;
// Room for the path of a key below its root, with its NUL: a longer path
// is not opened or created.
const size_t kKeyPathCapacity = 4096;
// The most that a text read takes, in bytes with its NUL: a text of 4,095
// characters. A larger capacity given to a read counts as this much.
const DWORD kMaxTextBytes = 4096 * sizeof(wchar_t);

// Which values and subkeys of a key a cleanup keeps, by name.
class NameFilter {
public:
    virtual bool Keeps(const wchar_t *name, bool subkey) const = 0;

protected:
    ~NameFilter() {}
};

class RegKey {
public:
    // Value names given by identifier come from this module's string table;
    // a plain key (instance 0) has none.
    explicit RegKey(HINSTANCE resourceInstance = NULL);
    // Closes a held key.
    virtual ~RegKey();

    // Both release a key already held before taking the new one.
    BOOL Create(HKEY root, LPCWSTR path, DWORD *disposition = NULL);
    BOOL Open(HKEY root, LPCWSTR path);
    BOOL Close();

    BOOL QueryValue(LPCWSTR name, void *data, DWORD *type, DWORD *size) const;
    BOOL QueryValue(UINT nameId, void *data, DWORD *type, DWORD *size) const;
    // The typed reads store into the destination only when they succeed,
    // so a preset default survives a missing value or one of another type.
    BOOL QueryDword(LPCWSTR name, DWORD *value) const;
    BOOL QueryDword(UINT nameId, DWORD *value) const;
    // size: in, the buffer's capacity in bytes, at most kMaxTextBytes; out,
    // the bytes stored. The text read is always NUL-terminated.
    BOOL QueryString(LPCWSTR name, wchar_t *buffer, DWORD *size) const;
    BOOL QueryString(UINT nameId, wchar_t *buffer, DWORD *size) const;
    // The stored DWORD, or fallback when it cannot be read. A read that
    // failed, rather than found the value missing or of another type or
    // size, is noted in the record given to RecordUnreadIn.
    DWORD DwordOr(UINT nameId, DWORD fallback) const;
    DWORD DwordOr(LPCWSTR name, DWORD fallback) const;
    // Copies into text, which has room for maxLength characters and a NUL,
    // the stored text, or fallback when it cannot be read, also when it is
    // longer than maxLength characters; noted as DwordOr notes.
    void StringOr(UINT nameId, LPCWSTR fallback, wchar_t *text, DWORD maxLength) const;
    // Whether the last registry call failed for another reason than a
    // missing key or value, a value of another type or size, or the end of
    // an enumeration; a value name that cannot be loaded counts as failed.
    BOOL ReadFailed() const;
    // The page's record of its unread settings: the reads note into it, and
    // the writes by SetDword and SetString leave alone a value that it
    // keeps.
    void RecordUnreadIn(UnreadValues *record) { unread = record; }

    BOOL SetValue(LPCWSTR name, const void *data, DWORD type, DWORD size) const;
    BOOL SetValue(UINT nameId, const void *data, DWORD type, DWORD size) const;
    BOOL SetDword(LPCWSTR name, DWORD value) const;
    BOOL SetDword(UINT nameId, DWORD value) const;
    // Stores the text with its terminating NUL.
    BOOL SetString(LPCWSTR name, LPCWSTR text) const;
    BOOL SetString(UINT nameId, LPCWSTR text) const;

    // name has room for kRegNameCapacity characters; on failure it is left
    // as it was.
    BOOL EnumSubKey(DWORD index, wchar_t *name) const;
    BOOL EnumValue(DWORD index, wchar_t *name, DWORD *type, BYTE *data, DWORD *size) const;
    // Whether the key has a value at the index, also one whose name or data
    // EnumValue cannot take: that one does not end the enumeration.
    BOOL HasValueAt(DWORD index) const;
    BOOL HasSubKeys() const;

    BOOL DeleteValue(LPCWSTR name) const;
    // Deletes the key's values, always the first one left, until none is
    // left or one cannot be enumerated or deleted; those stay.
    void DeleteValues() const;
    // Removes the subkey with all its values and everything below it.
    BOOL DeleteSubKey(LPCWSTR name) const;
    // Deletes every value and subkey that keep does not keep; one that
    // cannot be named or deleted stays.
    void DeleteAllBut(const NameFilter &keep) const;

    HKEY Handle() const { return key; }

    // Makes the first stored bytes of text data, read into data of capacity
    // bytes, end with a NUL, as every reader of a text expects; stored
    // becomes the size of the terminated text. False when the data has no
    // room for the NUL.
    static BOOL TerminateText(BYTE *data, DWORD capacity, DWORD *stored);

protected:
    // The value name of a string-table entry, or NULL when there is none.
    LPCWSTR ValueName(UINT nameId) const;
    // Notes the platform's answer for ReadFailed; true for success.
    BOOL Answer(LONG status) const;

    HINSTANCE resourceInstance;
    HKEY key;

private:
    // A value named by identifier or by text, as the record names it.
    LPCWSTR NameOf(LPCWSTR value) const;
    // Remembers the value as shown when its read failed, else forgets it.
    template <class Shown> void NoteRead(LPCWSTR value, BOOL read, Shown shown) const;

    UnreadValues *unread;
    mutable LONG lastStatus;
    // The answer of the last Create or Open, which reads without a key give.
    LONG keyStatus;

    RegKey(const RegKey &);
    RegKey &operator=(const RegKey &);
};

#endif
