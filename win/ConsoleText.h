#pragma once

#include <string>
#include <vector>

#include <windows.h>

// Text for whoever started the program. A windowed program has a console
// only when one was handed to it (a redirection, a terminal under wine):
// there the text goes to the standard stream, else into a message box.
namespace ConsoleText {

// Writes `text` and a line end to the standard handle `which`
// (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE); false when there is none.
bool WriteLine(DWORD which, const std::string& text);

// Says `text` on the standard stream, or in a message box without one.
void Tell(DWORD which, const std::string& text);

// The program's arguments, without its name, as UTF-8.
[[nodiscard]] std::vector<std::string> Arguments();

[[nodiscard]] std::string Utf8(const std::wstring& text);
[[nodiscard]] std::wstring Wide(const std::string& text);

} // namespace ConsoleText
