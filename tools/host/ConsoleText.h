// The host's output: wide text written as UTF-8 with "\n" line ends.
#ifndef VELOTAB_CONSOLE_TEXT_H
#define VELOTAB_CONSOLE_TEXT_H

#include <cstdio>
#include <string>

// Puts stdout and stderr in binary mode, so that "\n" stays "\n" and the
// UTF-8 bytes pass unchanged.
void PrepareConsoleText();

// Writes the text and flushes, so that stdout and stderr keep their order
// when they share a terminal.
void WriteText(std::FILE *stream, const std::wstring &text);

#endif
