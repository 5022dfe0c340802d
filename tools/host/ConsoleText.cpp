#include "ConsoleText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

void PrepareConsoleText()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

void WriteText(std::FILE *stream, const std::wstring &text)
{
    if (!text.empty()) {
        int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
        std::string bytes(length > 0 ? length : 0, '\0');
        if (length > 0)
            WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                                length, nullptr, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
    }
    std::fflush(stream);
}
