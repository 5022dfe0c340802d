// The "User Agent" page: the user agent with which the browser identifies
// itself, one of three presets or a custom one built from five parts. The
// choice and the custom parts live in the add-on's key; on OK the parts
// shown are also written into the browser's user agent keys.
#ifndef VELOTAB_USER_AGENT_PAGE_H
#define VELOTAB_USER_AGENT_PAGE_H

#include "OptionPage.h"
#include "WideText.h"

class UserAgentPage : public OptionPage {
public:
    UserAgentPage();

    // Fills the selector and shows the stored choice with its parts.
    // Returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Returns TRUE for a selection change of the selector, which brings the
    // parts in line with it; otherwise the base handling's result.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam) OVERRIDE;
    // Stores the choice and writes the browser's user agent, then ends the
    // page.
    virtual void OnOK() OVERRIDE;

private:
    // Shows the part in its edit and adds it to the user agent, which joins
    // the parts as "1 (2; 3; 4; 5)", separators even around empty parts.
    // False when the user agent has no room for it.
    bool ShowPart(int part, const wchar_t *text, WideText *userAgent) const;
    // Stores the part edits as the custom parts when they are editable,
    // that is while "Custom" is shown.
    void SaveCustomUserAgent() const;
    // Stores custom parts being left, then shows the parts of the selected
    // preset, or the stored custom parts, and the user agent they compose.
    void RefreshUserAgent() const;
    // Stores the choice, and the parts shown into the browser's keys.
    void ApplyUserAgent(DWORD index) const;
};

#endif
