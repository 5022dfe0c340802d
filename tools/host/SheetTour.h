// Drives the options sheet with no user: once the sheet is up, shows each
// page in turn, saves a PNG of the sheet and one of the whole screen for
// each, then accepts the sheet.
//
// The sheet is modal, so the tour runs from a thread timer that fires inside
// the sheet's message loop. A deadline bounds the whole tour: if the sheet
// does not appear, or does not close, the tour cancels it, and ends the
// process if even that does not help.
#ifndef VELOTAB_SHEET_TOUR_H
#define VELOTAB_SHEET_TOUR_H

#include "PngWriter.h"
#include "TourGallery.h"
#include "WindowCapture.h"

#include <windows.h>

#include <string>
#include <vector>

class SheetTour {
public:
    // The screenshots go to folder; the owner window is never closed. The
    // tour shows the pages of the given indices in that order, or every page
    // when there are none.
    SheetTour(const std::wstring &folder, HWND ownerWindow, const std::vector<int> &pages);
    ~SheetTour();
    SheetTour(const SheetTour &) = delete;
    SheetTour &operator=(const SheetTour &) = delete;

    // Makes the folder and starts the timer. Call just before the sheet is
    // opened. On failure, error says why.
    bool Start(std::wstring &error);
    // Stops the timer. Call once the sheet has closed.
    void Stop();
    // Every page was saved and the sheet was accepted.
    bool Completed() const { return state == State::Accepted; }
    // Writes the index page of the screenshots with the sheet's result.
    bool WriteGallery(const std::wstring &sheetResult, std::wstring &error) const;

private:
    enum class State { Waiting, Touring, Accepted, Failed };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Tour(HWND sheet);
    bool ShowPage(HWND sheet, HWND tabs, int index);
    bool SavePage(HWND sheet, HWND tabs, int index);
    bool Save(const std::wstring &name, const WindowCapture &image);
    void Fail(const std::wstring &reason);
    void CloseThreadWindows();
    std::wstring PageLabel(HWND tabs, int index) const;
    std::wstring PageFileName(HWND tabs, int index) const;

    static SheetTour *running;

    std::wstring folder;
    HWND ownerWindow;
    std::vector<int> pages;
    HWND sheetWindow = nullptr;
    PngWriter writer;
    TourGallery gallery;
    UINT_PTR timer = 0;
    ULONGLONG deadline = 0;
    bool closing = false;
    State state = State::Waiting;
};

#endif
