#include "core/platform.h"
#include "core/windows_api.h"

#include <cstdlib>

namespace gravelock {

Platform hostPlatform() {
    return Platform::Windows;
}

std::string steamPathFromRegistry() {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", L"SteamPath", RRF_RT_REG_SZ,
                     nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
        bytes < sizeof(wchar_t))
        return {};
    std::wstring wide(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", L"SteamPath", RRF_RT_REG_SZ,
                     nullptr, wide.data(), &bytes) != ERROR_SUCCESS)
        return {};
    wide.resize(wcsnlen(wide.c_str(), wide.size()));
    return win::narrow(wide);
}

std::string environmentVariable(const char* name) {
    // The narrow environment is in the ANSI code page and loses what it cannot hold.
    const wchar_t* value = _wgetenv(win::widen(name).c_str());
    return value ? win::narrow(value) : std::string();
}

} // namespace gravelock
