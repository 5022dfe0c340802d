// The host's command line: the arguments that it passes to ShowOptions and
// whether it tours the sheet.
#ifndef VELOTAB_HOST_OPTIONS_H
#define VELOTAB_HOST_OPTIONS_H

#include <windows.h>

#include <string>
#include <vector>

struct HostOptions {
    std::wstring dllPath;
    // Empty: the user drives the sheet. Otherwise the tour saves its
    // screenshots in this folder.
    std::wstring tourFolder;
    // The pages that the tour shows, by index in the sheet; empty: every page.
    std::vector<int> tourPages;
    int startPage = 0;
    LONG platformVersion = 5;
    BOOL holdIntervalHidden = FALSE;
    std::wstring vendorKey = L"Velotab";
    std::wstring productKey = L"Velotab";
    std::wstring versionText = L"1.0";
    // The pages open with the emulated input panel raised.
    bool inputPanelRaised = false;
};

enum class ParseOutcome { Run, Help, Bad };

// Reads argv[1..argc-1] into options. On Bad, error says what was wrong.
ParseOutcome ParseHostOptions(int argc, const wchar_t *const *argv, HostOptions &options,
                              std::wstring &error);

// The usage text, one option a line.
const char *HostUsage();

#endif
