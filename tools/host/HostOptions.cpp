#include "HostOptions.h"

#include <cerrno>
#include <climits>
#include <cwchar>

namespace {

// Whole-string decimal number within [low, high].
bool ParseNumber(const wchar_t *text, long low, long high, long &value)
{
    if (!*text)
        return false;
    wchar_t *end = nullptr;
    errno = 0;
    long number = std::wcstol(text, &end, 10);
    if (errno == ERANGE || *end || number < low || number > high)
        return false;
    value = number;
    return true;
}

// Page indices separated by commas, each 0 or more.
bool ParsePages(const wchar_t *text, std::vector<int> &pages)
{
    std::wstring list = text;
    pages.clear();
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(L',', start);
        std::wstring item =
            list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        long page = 0;
        if (!ParseNumber(item.c_str(), 0, INT_MAX, page))
            return false;
        pages.push_back(static_cast<int>(page));
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    return !pages.empty();
}

// Every option takes a value.
bool IsKnownOption(const std::wstring &argument)
{
    static const wchar_t *const kOptions[] = {
        L"--tour",       L"--start-page", L"--platform-version", L"--hold-interval-hidden",
        L"--vendor",     L"--product",    L"--version",          L"--input-panel",
        L"--tour-pages",
    };
    for (const wchar_t *option : kOptions)
        if (argument == option)
            return true;
    return false;
}

} // namespace

ParseOutcome ParseHostOptions(int argc, const wchar_t *const *argv, HostOptions &options,
                              std::wstring &error)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring argument = argv[i];
        if (argument == L"--help" || argument == L"-h")
            return ParseOutcome::Help;
        if (argument.compare(0, 2, L"--") != 0) {
            if (!options.dllPath.empty()) {
                error = L"more than one DLL path: " + argument;
                return ParseOutcome::Bad;
            }
            options.dllPath = argument;
            continue;
        }
        if (!IsKnownOption(argument)) {
            error = L"unknown option " + argument;
            return ParseOutcome::Bad;
        }
        if (i + 1 >= argc) {
            error = argument + L" needs a value";
            return ParseOutcome::Bad;
        }
        const wchar_t *value = argv[++i];
        long number = 0;
        if (argument == L"--tour") {
            if (!*value) {
                error = L"--tour needs a folder";
                return ParseOutcome::Bad;
            }
            options.tourFolder = value;
        } else if (argument == L"--tour-pages") {
            if (!ParsePages(value, options.tourPages)) {
                error = L"--tour-pages needs page numbers separated by commas, not " +
                        std::wstring(value);
                return ParseOutcome::Bad;
            }
        } else if (argument == L"--start-page") {
            if (!ParseNumber(value, INT_MIN, INT_MAX, number)) {
                error = L"--start-page needs a whole number, not " + std::wstring(value);
                return ParseOutcome::Bad;
            }
            options.startPage = static_cast<int>(number);
        } else if (argument == L"--platform-version") {
            if (!ParseNumber(value, LONG_MIN, LONG_MAX, number)) {
                error = L"--platform-version needs a whole number, not " + std::wstring(value);
                return ParseOutcome::Bad;
            }
            options.platformVersion = number;
        } else if (argument == L"--hold-interval-hidden") {
            if (!ParseNumber(value, 0, 1, number)) {
                error = L"--hold-interval-hidden needs 0 or 1, not " + std::wstring(value);
                return ParseOutcome::Bad;
            }
            options.holdIntervalHidden = number ? TRUE : FALSE;
        } else if (argument == L"--input-panel") {
            if (std::wcscmp(value, L"up") != 0 && std::wcscmp(value, L"down") != 0) {
                error = L"--input-panel needs up or down, not " + std::wstring(value);
                return ParseOutcome::Bad;
            }
            options.inputPanelRaised = std::wcscmp(value, L"up") == 0;
        } else if (argument == L"--vendor") {
            options.vendorKey = value;
        } else if (argument == L"--product") {
            options.productKey = value;
        } else {
            options.versionText = value;
        }
    }
    if (!options.tourPages.empty() && options.tourFolder.empty()) {
        error = L"--tour-pages needs --tour";
        return ParseOutcome::Bad;
    }
    if (options.dllPath.empty()) {
        error = L"no DLL path";
        return ParseOutcome::Bad;
    }
    return ParseOutcome::Run;
}

const char *HostUsage()
{
    return "usage: velotab-host.exe [--tour DIR] [--start-page N] [--platform-version N]\n"
           "                        [--hold-interval-hidden 0|1] [--vendor TEXT]\n"
           "                        [--product TEXT] [--version TEXT] [--input-panel up|down]\n"
           "                        [--tour-pages N,N...] DLLPATH\n"
           "  --tour DIR                  open the sheet, save a PNG of every page in DIR,\n"
           "                              accept; without it the user drives the sheet\n"
           "  --tour-pages N,N...         the tour shows only these pages, in this order\n"
           "  --start-page N              page shown first (default 0)\n"
           "  --platform-version N        platform version passed to the DLL (default 5)\n"
           "  --hold-interval-hidden 0|1  hold-interval flag passed to the DLL (default 0)\n"
           "  --vendor TEXT               vendor key under HKCU\\Software (default Velotab)\n"
           "  --product TEXT              product key under the vendor key (default Velotab)\n"
           "  --version TEXT              add-on version text (default 1.0)\n"
           "  --input-panel up|down       the emulated input panel as the pages open (default\n"
           "                              down); while the sheet is open, F9 raises and\n"
           "                              lowers it\n";
}
