// Measures what the options module costs over a bare property sheet. In one
// process it runs, many times and in turn, the options sheet through
// ShowOptions and a baseline sheet of the same dialog templates whose pages
// make only the shell calls that every options page makes, and prints for
// each phase the medians and their ratio, with the DLL's size:
//   - from the call until the start page is shown,
//   - showing every other page once,
//   - from OK until the call has returned.
//
// The module writes under its own vendor key, which is removed before and
// after; the browser keys that its pages write are restored afterwards.
#include "BaselineSheet.h"
#include "AddOnCalls.h"
#include "FatalExceptionGuard.h"
#include "RegistrySnapshot.h"
#include "SheetStopwatch.h"

#include <commctrl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

enum ExitCode { kExitSuccess = 0, kExitFailure = 1, kExitBadArguments = 2 };

const DWORD kRejected = 2;
// The arguments that the add-on passes; the platform generation is the
// newest, so that every page offers all its options.
const LONG kPlatformVersion = 5;
const DWORD kRequired8 = 1;
const int kStartPage = 0;
const wchar_t kVendorKey[] = L"VelotabBench";
const wchar_t kProductKey[] = L"Options";
const wchar_t kVersionText[] = L"1.0";
const int kDefaultRuns = 20;
const int kMaxRuns = 1000;

// The keys outside the add-on's own that the pages write, parents first.
struct SharedKey {
    HKEY root;
    const wchar_t *path;
};
const SharedKey kSharedKeys[] = {
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"},
    {HKEY_LOCAL_MACHINE,
     L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent"},
    {HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User "
                         L"Agent\\Post Platform"},
    {HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer"},
    {HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Main"},
};

const char kUsage[] = "usage: velotab-bench [--runs N] [--pages] VelotabOptions.dll\n"
                      "  --runs N  timed runs of each sheet, 1 to 1000 (default 20)\n"
                      "  --pages   also the time that each page takes to show\n";

struct Options {
    std::wstring dllPath;
    int runs = kDefaultRuns;
    bool perPage = false;
};

void Complain(const std::string &text)
{
    std::fprintf(stderr, "velotab-bench: %s\n", text.c_str());
}

std::string Narrow(const std::wstring &text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size : 1, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

bool ParseArguments(int argc, wchar_t **argv, Options &options, std::string &error)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring argument = argv[i];
        if (argument == L"--runs") {
            if (i + 1 >= argc) {
                error = "--runs needs a number";
                return false;
            }
            wchar_t *end = nullptr;
            errno = 0;
            long runs = std::wcstol(argv[++i], &end, 10);
            if (!*argv[i] || *end || errno == ERANGE || runs < 1 || runs > kMaxRuns) {
                error = "--runs needs a whole number from 1 to 1000";
                return false;
            }
            options.runs = static_cast<int>(runs);
        } else if (argument == L"--pages") {
            options.perPage = true;
        } else if (argument.compare(0, 2, L"--") == 0) {
            error = "unknown option " + Narrow(argument);
            return false;
        } else if (!options.dllPath.empty()) {
            error = "more than one DLL path";
            return false;
        } else {
            options.dllPath = argument;
        }
    }
    if (options.dllPath.empty()) {
        error = "no DLL path";
        return false;
    }
    return true;
}

long long FileSize(const std::wstring &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring OwnKeyPath()
{
    return std::wstring(L"Software\\") + kVendorKey;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Series {
    std::vector<double> open;
    std::vector<double> showPages;
    std::vector<double> accept;
    // By tab index, one time per run.
    std::vector<std::vector<double>> pages;

    void Add(const SheetTimes &times)
    {
        open.push_back(times.open);
        showPages.push_back(times.showPages);
        accept.push_back(times.accept);
        pages.resize(std::max(pages.size(), times.pages.size()));
        for (size_t i = 0; i < times.pages.size(); ++i)
            pages[i].push_back(times.pages[i]);
    }
};

// A phase with nothing to compare, such as showing the other pages of a
// sheet that has only one, shows no ratio.
void PrintRow(const char *phase, const std::vector<double> &options,
              const std::vector<double> &baseline, bool comparable = true)
{
    double ours = Median(options);
    double bare = Median(baseline);
    if (comparable && bare > 0)
        std::printf("  %-34s %9.2f %9.2f %7.2f\n", phase, ours, bare, ours / bare);
    else
        std::printf("  %-34s %9.2f %9.2f %7s\n", phase, ours, bare, "-");
}

int Run(const Options &options)
{
    HMODULE module = LoadModule(options.dllPath);
    if (!module) {
        Complain("cannot load " + Narrow(options.dllPath) + " (error " +
                 std::to_string(GetLastError()) + ")");
        return kExitFailure;
    }
    auto showOptions = ExportByOrdinal<ShowOptionsProc>(module, kShowOptionsOrdinal);
    auto installAliases = ExportByOrdinal<InstallDefaultsProc>(module, kInstallAliasesOrdinal);
    auto installServices = ExportByOrdinal<InstallDefaultsProc>(module, kInstallServicesOrdinal);
    if (!showOptions || !installAliases || !installServices) {
        Complain(Narrow(options.dllPath) + " lacks an export at ordinal 1, 2 or 3");
        FreeLibrary(module);
        return kExitFailure;
    }
    // The baseline sheet needs the controls that the module initialises
    // for itself.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<RegistrySnapshot> shared;
    for (const SharedKey &key : kSharedKeys)
        shared.emplace_back(key.root, key.path);
    RegDeleteTreeW(HKEY_CURRENT_USER, OwnKeyPath().c_str());
    // The add-on installs the default lists when it starts, so the list
    // pages show them.
    installAliases(kVendorKey, kProductKey, kVersionText);
    installServices(kVendorKey, kProductKey, kVersionText);

    SheetStopwatch stopwatch;
    BaselineSheet baseline(module);
    HWND owner = stopwatch.Owner();
    auto runOptions = [&] {
        DWORD code = showOptions(owner, FALSE, kPlatformVersion, 0, 0, 0, 0, kRequired8, kVendorKey,
                                 kProductKey, kVersionText, kStartPage);
        return code != kRejected && static_cast<short>(LOWORD(code)) > 0;
    };
    auto runBaseline = [&] { return baseline.Run(owner); };

    // One run of each first, untimed: loading and first-use costs are not
    // what is compared. Then the two in turn, so that any drift of the
    // machine hits both alike.
    Series ours;
    Series bare;
    SheetTimes times;
    int optionsPages = 0;
    std::string error;
    bool measured = baseline.PageCount() > 0;
    if (!measured)
        error = "the DLL carries none of the page templates";
    for (int run = -1; measured && run < options.runs; ++run) {
        if (!stopwatch.Measure(runOptions, times, error)) {
            error = "options sheet: " + error;
            measured = false;
            break;
        }
        optionsPages = times.pageCount;
        if (run >= 0)
            ours.Add(times);
        if (!stopwatch.Measure(runBaseline, times, error)) {
            error = "baseline sheet: " + error;
            measured = false;
            break;
        }
        if (run >= 0)
            bare.Add(times);
    }

    RegDeleteTreeW(HKEY_CURRENT_USER, OwnKeyPath().c_str());
    for (auto key = shared.rbegin(); key != shared.rend(); ++key)
        key->Restore();
    FreeLibrary(module);
    if (!measured) {
        Complain(error);
        return kExitFailure;
    }

    std::printf("%s: %lld bytes\n", Narrow(options.dllPath).c_str(), FileSize(options.dllPath));
    std::printf("options sheet: %d pages; baseline sheet: %d pages (templates %s)\n", optionsPages,
                baseline.PageCount(), baseline.TemplateList().c_str());
    if (optionsPages != baseline.PageCount())
        std::printf("note: the two sheets have different pages, so the ratios compare unlike "
                    "sheets\n");
    if (!baseline.MakesShellCalls())
        std::printf("note: no shell library offers the pages' shell calls, so the baseline's "
                    "pages make none\n");
    std::printf("medians of %d runs, in milliseconds:\n", options.runs);
    std::printf("  %-34s %9s %9s %7s\n", "phase", "options", "baseline", "ratio");
    PrintRow("open until the start page shows", ours.open, bare.open);
    PrintRow("show every other page once", ours.showPages, bare.showPages,
             baseline.PageCount() > 1);
    PrintRow("accept until the call returns", ours.accept, bare.accept);
    if (options.perPage && optionsPages == baseline.PageCount()) {
        std::printf("each page's first showing (the start page: opening):\n");
        for (size_t i = 0; i < ours.pages.size() && i < bare.pages.size(); ++i) {
            std::string phase = "  page " + std::to_string(i) + " (template " +
                                std::to_string(baseline.Template(i)) + ")";
            PrintRow(phase.c_str(), ours.pages[i], bare.pages[i]);
        }
    }
    return kExitSuccess;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    // The sheets are driven from window and timer procedures, where a crash
    // would be swallowed.
    InstallFatalExceptionGuard();
    Options options;
    std::string error;
    if (argc == 2 && (std::wcscmp(argv[1], L"--help") == 0 || std::wcscmp(argv[1], L"-h") == 0)) {
        std::fputs(kUsage, stdout);
        return kExitSuccess;
    }
    if (!ParseArguments(argc, argv, options, error)) {
        Complain(error);
        std::fputs(kUsage, stderr);
        return kExitBadArguments;
    }
    return Run(options);
}
