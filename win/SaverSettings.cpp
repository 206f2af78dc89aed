#include "SaverSettings.h"

#include <windows.h>

#include "ConsoleText.h"
#include "FadeSlider.h"
#include "NumberOption.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\Quillbrook";
constexpr wchar_t kSliderValue[] = L"Slider";

std::string SystemMessage(LSTATUS status)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text != nullptr ? text : L"error " + std::to_wstring(status);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
        message.pop_back();
    }
    return ConsoleText::Utf8(message);
}

} // namespace

namespace SaverSettings {

int LoadSlider()
{
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, kKey, kSliderValue, RRF_RT_REG_DWORD, nullptr, &value, &size);
    if (status != ERROR_SUCCESS || value > static_cast<DWORD>(kSliderRange.high)) {
        return FadeSlider::kStart;
    }
    return static_cast<int>(value);
}

bool SaveSlider(int value, std::string& error)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        const auto data = static_cast<DWORD>(value);
        status = RegSetValueExW(key, kSliderValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
        RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS) {
        error = SystemMessage(status);
        return false;
    }
    return true;
}

} // namespace SaverSettings
