#include "servers/join_command.h"
#include "servers/server_book.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace gravelock::servers;
using gravelock::test::TempFolder;
using gravelock::test::writeBytes;

namespace {

TEST(ServerAddress, TypedFormsAndRefusals) {
    const std::vector<std::pair<std::string, std::string>> taken = {
        {"10.0.0.1", "10.0.0.1:27015"},
        {" 10.0.0.1:27016 ", "10.0.0.1:27016"},
        {"010.000.0.1:00027", "10.0.0.1:27"},
        {"255.255.255.255:65535", "255.255.255.255:65535"}};
    for (const auto& [text, expected] : taken)
        EXPECT_EQ(parseServerAddress(text), expected) << text;
    for (const char* refused :
         {"256.0.0.1", "10.0.0.1:0", "10.0.0.1:65536", "10.0.0.1:", "10.0.0:27015", "10.0.0.1.5",
          "10.0..1", "10.0.0.+1", "10.0.0.1:+5", "10.0.0.1 :27015", "server.example:27015", ""})
        EXPECT_EQ(parseServerAddress(refused), std::nullopt) << refused;
}

TEST(ServerBook, WrittenAndReadBackWithUtf8AndOddLinesKept) {
    ServerBook book;
    addFavourite(book, {"10.0.0.1:27015", "tfc", "Jörgs <b>Festung</b> ☃", 0});
    addFavourite(book, {"10.0.0.2:27016", "", "", 0});
    addFavourite(book, {"10.0.0.1:27015", "", "Umbenannt", 0}); // renames, keeps the game
    recordJoin(book, {"10.0.0.3:27015", "valve", "Crossfire\tmit\nTab", 1733600000});
    book.layout = {900, 600, {24, 260, 0}};
    book.kept = {{"favourites", "so nicht"}, {"", "stray"}, {"future", "[future]"}};

    const ServerBook back = parseBook(serialiseBook(book));
    ASSERT_EQ(back.favourites.size(), 2u);
    EXPECT_EQ(back.favourites[0], (BookEntry{"10.0.0.1:27015", "tfc", "Umbenannt", 0}));
    EXPECT_EQ(back.favourites[1], (BookEntry{"10.0.0.2:27016", "", "", 0}));
    // Control characters never reach the file, so a name cannot break its line.
    EXPECT_EQ(back.history,
              (std::vector<BookEntry>{{"10.0.0.3:27015", "valve", "CrossfiremitTab", 1733600000}}));
    EXPECT_EQ(back.layout, book.layout);
    EXPECT_EQ(serialiseBook(back), serialiseBook(book));
    EXPECT_NE(serialiseBook(back).find("so nicht\r\n"), std::string::npos);
    EXPECT_NE(serialiseBook(back).find("[future]\r\n"), std::string::npos);
}

TEST(ServerBook, UntrustedLinesAreKeptNotTaken) {
    // Each line sits in a section it does not fit, or breaks a field.
    const std::vector<std::string> bad = {"[favourites]\n10.0.0.1\ttfc\tno port",
                                          "[favourites]\n10.0.0.1:27015\ttfc",
                                          "[favourites]\n10.0.0.1:27015\ttfc +exec x\tN",
                                          "[favourites]\n10.0.0.1:27015\t-game\tN",
                                          "[history]\n10.0.0.1:27015\ttfc\tsoon\tN",
                                          "[history]\n10.0.0.1:27015\ttfc\t-5\tN",
                                          "[history]\n10.0.0.1:27015\ttfc\t99999999999999999999\tN",
                                          "[window]\nsize=900",
                                          "[window]\nsize=-1x5",
                                          "[window]\ncolumns=1,,2",
                                          "[window]\nsize=900x600x2"};
    for (const std::string& text : bad) {
        const ServerBook book = parseBook(text);
        EXPECT_TRUE(book.favourites.empty() && book.history.empty()) << text;
        EXPECT_EQ(book.layout, WindowLayout{}) << text;
        ASSERT_EQ(book.kept.size(), 1u) << text;
        EXPECT_NE(serialiseBook(book).find(book.kept[0].second), std::string::npos) << text;
    }
    // CRLF, a byte-order mark, blank lines and an invalid UTF-8 name.
    const ServerBook book = parseBook("\xEF\xBB\xBF[favourites]\r\n\r\n"
                                      "10.0.0.1:27015\ttfc\tA\xFF"
                                      "B\r\n10.0.0.1:27015\tvalve\tdup\r\n");
    ASSERT_EQ(book.favourites.size(), 1u);
    EXPECT_EQ(book.favourites[0].name, "A\xEF\xBF\xBD"
                                       "B");
}

TEST(ServerBook, HistoryKeepsTheLatest200OncePerServer) {
    ServerBook book;
    for (int i = 0; i < 205; ++i)
        recordJoin(book, {"10.0.1." + std::to_string(i % 250) + ":27015", "valve", "", i});
    ASSERT_EQ(book.history.size(), kHistoryLimit);
    EXPECT_EQ(book.history.front().time, 204);
    EXPECT_EQ(book.history.back().time, 5);
    recordJoin(book, {"10.0.1.100:27015", "valve", "again", 300});
    EXPECT_EQ(book.history.size(), kHistoryLimit);
    EXPECT_EQ(book.history.front().name, "again");
    EXPECT_EQ(std::count_if(book.history.begin(), book.history.end(),
                            [](const BookEntry& e) { return e.address == "10.0.1.100:27015"; }),
              1);
    EXPECT_FALSE(removeFavourite(book, "10.0.1.100:27015")); // history is not favourites
}

TEST(ServerBook, UpdatesKeepEachOtherAndAnUnreadableFileIsReported) {
    TempFolder folder;
    const std::string path = bookPathBeside(folder.file("orvo.ini"));
    EXPECT_EQ(std::filesystem::path(path).filename(), "servers.ini");
    EXPECT_TRUE(loadBook(path).problem.empty()); // missing: an empty book

    ASSERT_TRUE(updateBook(path, [](ServerBook& b) {
        addFavourite(b, {"10.0.0.1:27015", "tfc", "Ä", 0});
    }));
    ASSERT_TRUE(updateBook(path, [](ServerBook& b) {
        recordJoin(b, {"10.0.0.2:27015", "", "", 7});
    }));
    const BookRead read = loadBook(path);
    EXPECT_TRUE(read.problem.empty());
    EXPECT_EQ(read.book.favourites.size(), 1u);
    EXPECT_EQ(read.book.history.size(), 1u);
    ASSERT_TRUE(
        updateBook(path, [](ServerBook& b) { EXPECT_TRUE(removeFavourite(b, "10.0.0.1:27015")); }));
    EXPECT_TRUE(loadBook(path).book.favourites.empty());

    // A file that cannot be read is reported, not taken for an empty book.
    writeBytes(path, std::string(std::size_t{17} * 1024 * 1024, ';'));
    EXPECT_FALSE(loadBook(path).problem.empty());
}

TEST(JoinCommand, TextsForEveryKindOfServer) {
    struct Case {
        JoinRequest request;
        std::string text; // empty: refused
    };
    const std::vector<Case> cases = {
        {{"hl.exe", "10.0.0.1:27015", "valve", ""}, "hl.exe -console +connect 10.0.0.1:27015"},
        {{"hl.exe", "10.0.0.1:27015", "Valve", ""}, "hl.exe -console +connect 10.0.0.1:27015"},
        {{"hl.exe", "10.0.0.1:27015", "", ""}, "hl.exe -console +connect 10.0.0.1:27015"},
        {{"C:\\Half Life\\hl.exe", "10.0.0.1:27016", "tfc", ""},
         "C:\\Half Life\\hl.exe -game tfc -console +connect 10.0.0.1:27016"},
        {{"hl.sh", "10.0.0.1:27015", "tfc", "geheim!"},
         "hl.sh -game tfc -console +connect 10.0.0.1:27015 +password geheim!"},
        {{"hl.sh", "10.0.0.1:27015", "valve", "Grüße"},
         "hl.sh -console +connect 10.0.0.1:27015 +password Grüße"},
        {{"hl.sh", "10.0.0.1:27015", "tfc +exec evil", ""}, ""},
        {{"hl.sh", "10.0.0.1:27015", "../valve", ""}, ""},
        {{"hl.sh", "10.0.0.1:27015", "tfc", "zwei worte"}, ""},
        {{"hl.sh", "10.0.0.1:27015", "tfc", "+quit"}, ""},
        {{"hl.sh", "10.0.0.1:27015", "tfc", "a\"b"}, ""},
        {{"hl.sh", "10.0.0.1:27015 +quit", "tfc", ""}, ""},
    };
    for (const Case& c : cases) {
        const JoinCommand command = buildJoinCommand(c.request);
        EXPECT_EQ(command.text, c.text) << c.request.game << " " << c.request.password;
        EXPECT_EQ(command.problem.empty(), !c.text.empty()) << c.request.game;
    }
}

} // namespace
