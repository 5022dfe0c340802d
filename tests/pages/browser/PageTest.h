// A page of the browser integration group in a sheet of its own, driven
// through its controls, with a settings key of its own.
#ifndef VELOTAB_PAGE_TEST_H
#define VELOTAB_PAGE_TEST_H

#include "SheetDriver.h"
#include "TestRegistry.h"
#include "resource.h"

template <class Page> class PageTest : public SettingsTest {
protected:
    // Opens the page, runs `use` on it and ends the sheet as asked.
    void Open(const std::function<void(HWND page)> &use, bool accept = true)
    {
        Page page;
        sheet::RunPage(page, use, accept);
    }
    static std::wstring Text(HWND page, int id)
    {
        std::vector<wchar_t> text(8192);
        GetDlgItemTextW(page, id, text.data(), static_cast<int>(text.size()));
        return text.data();
    }
    static LOGFONTW FontOf(HWND page, int id)
    {
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendDlgItemMessageW(page, id, WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        return font;
    }
};

#endif
