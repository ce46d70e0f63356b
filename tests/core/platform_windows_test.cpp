// What the game search asks of Windows itself: Steam's folder as the registry
// records it for the player, and the environment, both as UTF-8.
#include "core/platform.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/windows_api.h"

namespace gravelock {
namespace {

const wchar_t kSteamKey[] = L"Software\\Valve\\Steam";

// Sets (nullopt: removes) the player's SteamPath for one test and puts back
// what was there.
class ScopedSteamPath {
public:
    explicit ScopedSteamPath(const std::optional<std::wstring>& value) {
        wchar_t old[1024];
        DWORD bytes = sizeof(old);
        if (RegGetValueW(HKEY_CURRENT_USER, kSteamKey, L"SteamPath", RRF_RT_REG_SZ, nullptr, old,
                         &bytes) == ERROR_SUCCESS)
            previous_ = old;
        set(value);
    }
    ~ScopedSteamPath() { set(previous_); }
    ScopedSteamPath(const ScopedSteamPath&) = delete;
    ScopedSteamPath& operator=(const ScopedSteamPath&) = delete;

private:
    static void set(const std::optional<std::wstring>& value) {
        if (!value) {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kSteamKey, L"SteamPath");
            return;
        }
        RegSetKeyValueW(HKEY_CURRENT_USER, kSteamKey, L"SteamPath", REG_SZ, value->c_str(),
                        static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    }
    std::optional<std::wstring> previous_;
};

TEST(WindowsSystem, SteamFolderComesFromThePlayersRegistryAsUtf8) {
    const struct {
        const char* what;
        std::optional<std::wstring> stored;
        std::string read;
    } cases[] = {
        {"as Steam writes it", L"c:/program files (x86)/steam", "c:/program files (x86)/steam"},
        {"umlauts and Cyrillic", L"d:/Spiele/J\u00f6rg/\u0414\u043c/Steam",
         "d:/Spiele/Jörg/Дм/Steam"},
        {"empty", L"", ""},
        {"not installed", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScopedSteamPath steamPath(c.stored);
        EXPECT_EQ(steamPathFromRegistry(), c.read);
    }
}

TEST(WindowsSystem, EnvironmentIsReadAsUtf8) {
    ASSERT_EQ(_wputenv_s(L"GRAVELOCK_TEST_PREFIX", L"C:\\Spiele\\J\u00f6rg \u0414\u043c"), 0);
    EXPECT_EQ(environmentVariable("GRAVELOCK_TEST_PREFIX"), "C:\\Spiele\\Jörg Дм");
    ASSERT_EQ(_wputenv_s(L"GRAVELOCK_TEST_PREFIX", L""), 0);
    EXPECT_EQ(environmentVariable("GRAVELOCK_TEST_PREFIX"), "");
}

} // namespace
} // namespace gravelock
