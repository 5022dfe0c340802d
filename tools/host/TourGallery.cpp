#include "TourGallery.h"

#include <windows.h>

namespace {

std::wstring Escaped(const std::wstring &text)
{
    std::wstring html;
    for (wchar_t c : text) {
        switch (c) {
        case L'&':
            html += L"&amp;";
            break;
        case L'<':
            html += L"&lt;";
            break;
        case L'>':
            html += L"&gt;";
            break;
        case L'"':
            html += L"&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string Utf8(const std::wstring &text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

} // namespace

void TourGallery::AddPage(int index, const std::wstring &label, const std::wstring &imageName,
                          const std::wstring &screenName)
{
    pages.push_back({index, label, imageName, screenName});
}

bool TourGallery::Write(const std::wstring &folder, const std::wstring &sheetResult,
                        std::wstring &error) const
{
    std::wstring html = L"<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                        L"<title>Velotab Option: every page</title>\n"
                        L"<style>figure{display:inline-block;margin:8px;vertical-align:top}"
                        L"figcaption{font:14px sans-serif}</style>\n</head>\n<body>\n"
                        L"<h1>Velotab Option</h1>\n<p>Sheet result: " +
                        Escaped(sheetResult) + L"</p>\n";
    for (const Page &page : pages)
        html += L"<figure><img src=\"" + Escaped(page.screenName) + L"\" alt=\"" +
                Escaped(page.label) + L" on the screen\"> <img src=\"" + Escaped(page.imageName) +
                L"\" alt=\"" + Escaped(page.label) + L"\"><figcaption>" +
                std::to_wstring(page.index) + L": " + Escaped(page.label) +
                L" (the screen, and the sheet)</figcaption></figure>\n";
    html += L"</body>\n</html>\n";

    std::wstring path = folder + L"/index.html";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = L"cannot create " + path;
        return false;
    }
    std::string bytes = Utf8(html);
    DWORD written = 0;
    bool complete =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    if (!complete)
        error = L"cannot write " + path;
    return complete;
}
