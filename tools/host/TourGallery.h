// The tour's index page: every page of the sheet in order, with its tab
// label, its index, the whole screen with it and the sheet's own image, and
// the sheet's result, so that a person can look through all pages at once
// in a browser.
#ifndef VELOTAB_TOUR_GALLERY_H
#define VELOTAB_TOUR_GALLERY_H

#include <string>
#include <vector>

class TourGallery {
public:
    // Records one page; the names are those of the sheet's image and of the
    // screen's in the folder.
    void AddPage(int index, const std::wstring &label, const std::wstring &imageName,
                 const std::wstring &screenName);
    // Writes index.html into the folder. On failure, error says why.
    bool Write(const std::wstring &folder, const std::wstring &sheetResult,
               std::wstring &error) const;

private:
    struct Page {
        int index;
        std::wstring label;
        std::wstring imageName;
        std::wstring screenName;
    };
    std::vector<Page> pages;
};

#endif
