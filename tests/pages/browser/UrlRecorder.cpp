// Stands in for the browser in the link tests. Registered as the handler of
// the link's scheme, it is started by the shell as
//   url_recorder.exe RECORD-FILE ADDRESS
// and writes the address into the record file. It writes a file of its own
// first and renames it, so a test never reads half a record.
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    LPWSTR *arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3)
        return 1;
    std::wstring record = arguments[1];
    std::wstring address = arguments[2];
    std::wstring partial = record + L".part";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, address.data(),
                           static_cast<DWORD>(address.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    if (!wrote || !MoveFileExW(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING))
        return 1;
    return 0;
}
