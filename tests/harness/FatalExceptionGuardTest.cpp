// The harness itself: a crash inside a sheet script must fail the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const DWORD kChildTimeoutMs = 60000;

struct ChildResult {
    DWORD exitCode = STILL_ACTIVE;
    std::string errors;
};

std::wstring BesideThisProgram(const wchar_t *name)
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

// Runs the crash probe with the given arguments and collects its error stream.
ChildResult RunProbe(const std::wstring &arguments)
{
    ChildResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::wstring command = L"\"" + BesideThisProgram(L"crash_probe.exe") + L"\" " + arguments;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char chunk[256];
        DWORD read = 0;
        while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read)
            result.errors.append(chunk, read);
        WaitForSingleObject(process.hProcess, kChildTimeoutMs);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return result;
}

TEST(FatalExceptionGuard, ACrashInsideASheetScriptFailsTheProgram)
{
    ChildResult guarded = RunProbe(L"");
    EXPECT_EQ(3u, guarded.exitCode) << guarded.errors;
    EXPECT_NE(std::string::npos, guarded.errors.find("fatal exception 0xC0000005 at address"))
        << guarded.errors;
}

TEST(FatalExceptionGuard, WithoutTheGuardThePlatformSwallowsTheCrash)
{
    // Why the guard exists: the same crash, unguarded, ends in success.
    ChildResult unguarded = RunProbe(L"--unguarded");
    EXPECT_EQ(0u, unguarded.exitCode) << unguarded.errors;
}

} // namespace
