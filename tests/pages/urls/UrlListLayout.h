// The fixture of the layout tests: each list page opened in a sheet, with
// the places of the list and of the controls above and below it.
#ifndef VELOTAB_URL_LIST_LAYOUT_H
#define VELOTAB_URL_LIST_LAYOUT_H

#include "UrlAliasPage.h"
#include "UrlServicePage.h"

#include "PageTest.h"

#include <memory>
#include <ostream>

// Found by argument lookup, so they live beside RECT.
inline bool operator==(const RECT &a, const RECT &b)
{
    return EqualRect(&a, &b) != FALSE;
}

inline std::ostream &operator<<(std::ostream &out, const RECT &r)
{
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace urls {

// The device's screens, by height in pixels.
const int kPortraitHeight = 320;
const int kLandscapeHeight = 240;
const int kMaxShrink = 110;

struct LayoutCase {
    const char *label;
    std::function<std::unique_ptr<UrlListPage>()> make;
    // The list's top and height in the template, in dialog units.
    int listTop, listHeight;
    std::vector<int> below;
    std::vector<int> above;
};

inline std::vector<LayoutCase> LayoutCases()
{
    return {
        {"Alias",
         [] { return std::make_unique<UrlAliasPage>(); },
         31,
         91,
         {IDC_URL_ALIAS_LABEL, IDC_URL_ALIAS_FIELD, IDC_URL_URL_LABEL, IDC_URL_URL_FIELD,
          IDC_URL_FLAG_DEFAULT, IDC_URL_FLAG_EXP_KEY},
         {IDC_URL_EXPAND_KEY, IDC_URL_ADD, IDC_URL_REMOVE, IDC_URL_UP, IDC_URL_DOWN,
          IDC_URL_RESTORE_DEFAULTS}},
        {"Service",
         [] { return std::make_unique<UrlServicePage>(); },
         17,
         91,
         {IDC_URL_NAME_LABEL, IDC_URL_NAME_FIELD, IDC_URL_URL_LABEL, IDC_URL_URL_FIELD,
          IDC_URL_FLAG_CHILD, IDC_URL_FLAG_SEPARATOR, IDC_URL_FLAG_GO},
         {IDC_URL_ADD, IDC_URL_REMOVE, IDC_URL_UP, IDC_URL_DOWN, IDC_URL_RESTORE_DEFAULTS}},
    };
}

// Names each case in the test list by its page.
inline void PrintTo(const LayoutCase &kind, std::ostream *out)
{
    *out << kind.label;
}

inline std::string LayoutCaseName(const ::testing::TestParamInfo<LayoutCase> &info)
{
    return info.param.label;
}

inline RECT Moved(RECT place, int dy)
{
    OffsetRect(&place, 0, dy);
    return place;
}

class UrlListLayoutTest : public PageFixture, public ::testing::WithParamInterface<LayoutCase> {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        StandInSetInputPanel(FALSE);
        StandInSetInputPanelTop(0);
    }
    void TearDown() override
    {
        StandInSetInputPanel(FALSE);
        StandInSetInputPanelTop(0);
        PageFixture::TearDown();
    }

    // The places of the list and of the controls below and above it.
    struct Layout {
        RECT list;
        std::vector<RECT> below, above;
    };
    Layout Measure(HWND page) const
    {
        Layout layout = {page::Place(page, IDC_URL_LIST), {}, {}};
        for (int id : GetParam().below)
            layout.below.push_back(page::Place(page, id));
        for (int id : GetParam().above)
            layout.above.push_back(page::Place(page, id));
        return layout;
    }
    // Expects the list `shrink` pixels shorter than in `reference` and the
    // controls below it moved up as much; nothing else changed.
    void ExpectShrunk(const Layout &reference, const Layout &now, int shrink,
                      const char *what) const
    {
        RECT list = reference.list;
        list.bottom -= shrink;
        EXPECT_EQ(list, now.list) << what;
        for (size_t i = 0; i < now.below.size(); ++i)
            EXPECT_EQ(Moved(reference.below[i], -shrink), now.below[i])
                << what << ", control " << GetParam().below[i];
        for (size_t i = 0; i < now.above.size(); ++i)
            EXPECT_EQ(reference.above[i], now.above[i])
                << what << ", control " << GetParam().above[i];
    }
    // The list's place in the template, in pixels.
    RECT TemplateList(HWND page) const
    {
        // Place and size are mapped one by one, as the dialog manager does.
        RECT place = {3, GetParam().listTop, 0, 0};
        RECT size = {0, 0, 155, GetParam().listHeight};
        MapDialogRect(page, &place);
        MapDialogRect(page, &size);
        return {place.left, place.top, place.left + size.right, place.top + size.bottom};
    }
};

} // namespace urls

#endif
