// The Windows stand-in for the game: a Windows program receives one command
// line and parses it itself, so this records that line exactly as handed over
// and the folder it was started in, as UTF-8, one per line, into the file named
// by GRAVELOCK_TEST_RECORD (written whole, then renamed).
#include "core/windows_api.h"

#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

int main() {
    wchar_t record[32768];
    const DWORD length = GetEnvironmentVariableW(L"GRAVELOCK_TEST_RECORD", record, 32768);
    if (length == 0 || length >= 32768)
        return 1;
    wchar_t folder[32768];
    if (GetCurrentDirectoryW(32768, folder) == 0)
        return 1;
    const std::string content = utf8(GetCommandLineW()) + "\n" + utf8(folder) + "\n";

    const std::wstring partial = std::wstring(record) + L".partial";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != content.size())
        return 1;
    return MoveFileExW(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
