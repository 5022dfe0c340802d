// Times a property sheet that a call opens and runs modally: until its start
// page is shown, until every other page has been shown once, and from OK
// until the call has returned.
//
// Just before the call, a message is posted to the stopwatch's own owner
// window; the sheet's modal loop delivers it once the sheet is up, and the
// stopwatch then paints the start page, shows every page, and accepts. A
// watchdog timer bounds each run: a sheet that does not appear or does not
// close is cancelled, and the process ends if even that does not help.
#ifndef VELOTAB_SHEET_STOPWATCH_H
#define VELOTAB_SHEET_STOPWATCH_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One run, in milliseconds.
struct SheetTimes {
    double open = 0;
    double showPages = 0;
    double accept = 0;
    int pageCount = 0;
    // The time that each page took to show, by tab index; the start page's
    // entry is its share of opening.
    std::vector<double> pages;
};

class SheetStopwatch {
public:
    static const ULONGLONG kDefaultRunMs = 30000;

    // Each run gets runMs to end before the stopwatch cancels its sheet.
    explicit SheetStopwatch(ULONGLONG runMs = kDefaultRunMs);
    ~SheetStopwatch();
    SheetStopwatch(const SheetStopwatch &) = delete;
    SheetStopwatch &operator=(const SheetStopwatch &) = delete;

    // The window that owns the sheets; null when it could not be made.
    HWND Owner() const { return owner; }

    // Calls run, which opens a sheet owned by Owner() and returns once it
    // has closed, with true when the sheet reports that it was accepted.
    // On failure, error says why.
    bool Measure(const std::function<bool()> &run, SheetTimes &times, std::string &error);

private:
    enum class State { Waiting, Accepting, Failed };

    static LRESULT CALLBACK OwnerProc(HWND, UINT, WPARAM, LPARAM);
    static void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR, DWORD);
    void Drive();
    void Watch();
    void GiveUp(const std::string &reason);
    void Fail(const std::string &reason);
    double Now() const;

    static SheetStopwatch *running;

    ULONGLONG runMs;
    HWND owner = nullptr;
    HWND sheet = nullptr;
    LARGE_INTEGER frequency = {};
    double startedAt = 0;
    double acceptedAt = 0;
    ULONGLONG deadline = 0;
    bool closing = false;
    State state = State::Waiting;
    SheetTimes current;
    std::string failure;
};

#endif
