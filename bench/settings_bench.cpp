// Times one GetPPS against a plain read of the same file, on a typical
// orvo.ini and on one of 10,000 lines. Prints the figures; checks nothing.
#include "core/settings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Median time of one call in microseconds, over `runs` calls.
template <typename F> double medianMicros(int runs, F&& call) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        call();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<std::size_t>(runs / 2)];
}

std::string plainRead(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        bytes.resize(static_cast<std::size_t>(std::filesystem::file_size(path)));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
    }
    return bytes;
}

void measure(const char* what, const std::string& path, const std::string& section,
             const std::string& key, int runs) {
    std::size_t sink = 0;
    const double get = medianMicros(
        runs, [&] { sink += gravelock::GetPPS(section, key, "error", 100, path).size(); });
    const double read = medianMicros(runs, [&] { sink += plainRead(path).size(); });
    std::printf("%-34s %9.1f us GetPPS  %9.1f us plain read  %5.2fx  (%zu)\n", what, get, read,
                get / read, sink % 10);
}

} // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / "gravelock-settings-bench";
    std::filesystem::create_directories(folder);

    const std::string typical = (folder / "typical.ini").string();
    std::ofstream(typical, std::ios::binary)
        << "[MISC]\r\nfirstuse=no\r\ntfc=true\r\nuser=J\xF6rg K\xFChn\r\ncompany=Die Gr\xF6\xDF"
           "ten\r\n[GAMEDIR]\r\nprogram=C:\\Sierra\\Half-Life\\hl.exe\r\n"
           "maps=C:\\Sierra\\Half-Life\\valve\\maps\r\ntfcmaps=C:\\Sierra\\Half-Life\\tfc\\maps\r\n"
           "valve=C:\\Sierra\\Half-Life\\valve\\\r\ntfcdir=C:\\Sierra\\Half-Life\\tfc\\\r\n"
           "dds=C:\\Sierra\\Half-Life\\\r\n";

    // 10,000 lines; the key asked for is the last one, so every line is looked at.
    const std::string large = (folder / "large.ini").string();
    {
        std::ofstream out(large, std::ios::binary);
        for (int s = 0; s < 100; ++s) {
            out << "[section" << s << "]\r\n";
            for (int k = 0; k < 99; ++k)
                out << "key" << k << "=C:\\Program Files\\Valve\\\xC4rger " << s * 100 + k
                    << "\r\n";
        }
    }

    // The same size in one section: every line is a key line to compare.
    const std::string flat = (folder / "flat.ini").string();
    {
        std::ofstream out(flat, std::ios::binary);
        out << "[MISC]\r\n";
        for (int k = 0; k < 9999; ++k)
            out << "key" << k << "=C:\\Program Files\\Valve\\\xC4rger " << k << "\r\n";
    }

    measure("typical orvo.ini (GAMEDIR/dds)", typical, "GAMEDIR", "dds", 20000);
    measure("10,000 lines, 100 sections", large, "section99", "key98", 2000);
    measure("10,000 lines, one section", flat, "MISC", "key9998", 2000);
    std::filesystem::remove_all(folder);
}
