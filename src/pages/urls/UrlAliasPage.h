// The "URL Alias" page: the aliases typed in the address bar, with the
// "Default" and "Exp Key" flags, and the key that expands them.
#ifndef VELOTAB_URL_ALIAS_PAGE_H
#define VELOTAB_URL_ALIAS_PAGE_H

#include "UrlListPage.h"

class UrlAliasPage : public UrlListPage {
public:
    UrlAliasPage();
};

#endif
