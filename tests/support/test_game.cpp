// A stand-in for the game: records the arguments it was started with, one per
// line, into the file named by GRAVELOCK_TEST_RECORD (written whole, then
// renamed, so a reader never sees half a record).
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* record = std::getenv("GRAVELOCK_TEST_RECORD");
    if (!record)
        return 1;
    const std::string partial = std::string(record) + ".partial";
    FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fprintf(out, "%s\n", argv[i]);
    std::fclose(out);
    return std::rename(partial.c_str(), record) == 0 ? 0 : 1;
}
