// A demo set of the shell's hardware button keys, so that the Buttons page
// has rows to show on a desktop, which has no such keys of its own.
#ifndef VELOTAB_DEMO_SHELL_BUTTONS_H
#define VELOTAB_DEMO_SHELL_BUTTONS_H

// Writes the set under HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys when
// that key does not exist; an existing key is left as it is.
void InstallDemoShellButtons();

#endif
