// The "URL Service" page: the add-on's menu of URL services, with the
// "Child", "Separator" and "Go" flags that arrange it into groups.
#ifndef VELOTAB_URL_SERVICE_PAGE_H
#define VELOTAB_URL_SERVICE_PAGE_H

#include "UrlListPage.h"

class UrlServicePage : public UrlListPage {
public:
    UrlServicePage();
};

#endif
