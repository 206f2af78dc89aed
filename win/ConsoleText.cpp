#include "ConsoleText.h"

#include <shellapi.h>

namespace ConsoleText {

bool WriteLine(DWORD which, const std::string& text)
{
    const HANDLE stream = GetStdHandle(which);
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::string line = text + "\n";
    DWORD written = 0;
    return WriteFile(stream, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) != FALSE &&
           written == line.size();
}

void Tell(DWORD which, const std::string& text)
{
    if (!WriteLine(which, text)) {
        MessageBoxW(nullptr, Wide(text).c_str(), L"Quillbrook",
                    MB_OK | (which == STD_ERROR_HANDLE ? MB_ICONWARNING : MB_ICONINFORMATION));
    }
}

std::vector<std::string> Arguments()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        arguments.push_back(Utf8(words[i]));
    }
    LocalFree(words);
    return arguments;
}

std::string Utf8(const std::wstring& text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring Wide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

} // namespace ConsoleText
