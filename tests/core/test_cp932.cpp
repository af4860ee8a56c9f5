#include "TestSupport.h"
#include "text/Cp932.h"

#include <string>

namespace kl {
namespace {

using namespace std::string_literals;

struct MappingCase {
    std::string utf8;
    std::string cp932;
};

TEST(Cp932, RoundTripsTheProgramsCharacters) {
    const MappingCase cases[] = {
        {"ABC 123.45", "ABC 123.45"},
        {"－", "\x81\x7C"},           // U+FF0D full-width hyphen-minus
        {"～", "\x81\x60"},           // U+FF5E full-width tilde
        {"\xE3\x80\x80", "\x81\x40"}, // full-width blank
        {"保存", "\x95\xDB\x91\xB6"},
        {"ｱｲｳ", "\xB1\xB2\xB3"}, // half-width katakana
        {"＂", "\xFA\x57"},
        {"①", "\x87\x40"},  // NEC special row
        {"\\~", "\\~"},     // ASCII stays ASCII
        {"ソ", "\x83\x5C"}, // trail byte 0x5C
        {"", ""},
    };
    for (const MappingCase& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(utf8ToCp932(c.utf8), c.cp932);
        EXPECT_EQ(cp932ToUtf8(c.cp932), c.utf8);
    }
}

TEST(Cp932, AcceptsTheJisFormsOfMinusAndWaveDash) {
    // Text pasted from JIS-based sources uses U+2212 and U+301C for the same glyphs.
    EXPECT_EQ(utf8ToCp932("\xE2\x88\x92"), "\x81\x7C");
    EXPECT_EQ(utf8ToCp932("\xE3\x80\x9C"), "\x81\x60");
}

TEST(Cp932, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp932("a\xC3\xA9z"), "a?z");       // é
    EXPECT_EQ(utf8ToCp932("\xF0\x9F\x98\x80!"), "?!"); // emoji
    EXPECT_EQ(utf8ToCp932("x\xFFy"), "x?y");           // broken UTF-8
    EXPECT_EQ(utf8ToCp932("全\xC3\xA9角"), "\x91\x53?\x8A\x70");
}

TEST(Cp932, InvalidBytesBecomeReplacementCharacters) {
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(cp932ToUtf8("a\x81"), "a" + fffd); // lead byte cut off at the end
    EXPECT_EQ(cp932ToUtf8("\xA0"
                          "b"),
              fffd + "b");
    EXPECT_EQ(cp932ToUtf8("\x81\x40\xFF"), "\xE3\x80\x80" + fffd);
}

TEST(Cp932, WidthCountsBytes) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"", 0},     {"abc", 3},  {"全角", 4},         {"ｱｲｳ", 3},
        {"a全ｱ", 4}, {"－～", 4}, {"\xE3\x80\x80", 2}, {"\xC3\xA9", 1}, // written as '?'
    };
    for (const auto& [text, width] : cases) {
        EXPECT_EQ(sjisWidth(text), width) << text;
        EXPECT_EQ(utf8ToCp932(text).size(), width) << text;
    }
}

TEST(Cp932, CutsNeverSplitADoubleByteCharacter) {
    struct Case {
        std::string text;
        std::size_t n;
        std::string cut;
        std::string fit;
    };
    const Case cases[] = {
        {"AB全角", 4, "AB全", "AB全"},
        {"AB全角", 3, "AB", "AB "},
        {"AB全角", 5, "AB全", "AB全 "},
        {"AB全角", 6, "AB全角", "AB全角"},
        {"AB全角", 9, "AB全角", "AB全角   "},
        {"全", 1, "", " "},
        {"ｱｲｳｴ", 3, "ｱｲｳ", "ｱｲｳ"},
        {"abc", 0, "", ""},
        {"", 2, "", "  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + std::to_string(c.n));
        EXPECT_EQ(cutBytes(c.text, c.n), c.cut);
        EXPECT_EQ(fitBytes(c.text, c.n), c.fit);
        EXPECT_EQ(utf8ToCp932(fitBytes(c.text, c.n)).size(), c.n);
    }
}

TEST(DecodeTextFile, RecognisesTheEncodings) {
    struct Case {
        std::string bytes;
        std::string text;
        bool binary;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF"
         "1.5\r\n",
         "1.5\r\n", false}, // UTF-8 BOM dropped
        {"\xFF\xFE"
         "1\0.\0"
         "5\0\x3D\x30"s,
         "1.5\xE3\x80\xBD", false}, // UTF-16 LE
        {"\xFE\xFF\0"
         "1\0.\0"
         "5"s,
         "1.5", false},                                           // UTF-16 BE
        {"\xFF\xFE\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80", false}, // surrogate pair
        {"\xFF\xFE\x00\xD8"
         "A\0"s,
         "\xEF\xBF\xBD"
         "A",
         false}, // lone surrogate
        {"\xFF\xFE"
         "A\0B"s,
         "A\xEF\xBF\xBD", false}, // odd trailing byte
        {"12\r\n3\0"
         "4"s,
         "", true},                                  // NUL without BOM
        {"全角\r\n", "全角\r\n", false},             // valid UTF-8 as it is
        {"\x91\x53\x8A\x70\r\n", "全角\r\n", false}, // CP932
        {"\xC0\xAF", "ﾀｯ", false},                   // not UTF-8: CP932
        {"", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        bool binary = !c.binary;
        EXPECT_EQ(decodeTextFile(c.bytes, &binary), c.text);
        EXPECT_EQ(binary, c.binary);
    }
}

TEST(DecodeTextFile, InvalidBytesAfterAUtf8BomStillGiveValidUtf8) {
    std::string text = decodeTextFile("\xEF\xBB\xBF"
                                      "a\xFF"
                                      "b");
    EXPECT_EQ(text, "a\xEF\xBF\xBD"
                    "b");
    EXPECT_TRUE(isValidUtf8(text));
}

TEST(IsValidUtf8, RejectsMalformedSequences) {
    EXPECT_TRUE(isValidUtf8("abc 全角 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE5\x85"));         // cut short
    EXPECT_FALSE(isValidUtf8("\x95\xDB"));         // CP932 bytes
    // ASCII is skipped eight bytes at a time: a bad byte at every place of a word and of the tail.
    for (std::size_t at = 0; at < 19; ++at) {
        std::string text(19, 'a');
        text[at] = '\xFF';
        EXPECT_FALSE(isValidUtf8(text)) << at;
        EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF" + text),
                  std::string(at, 'a') + "\xEF\xBF\xBD" + std::string(18 - at, 'a'))
            << at;
        text.replace(at, 1, "全");
        EXPECT_TRUE(isValidUtf8(text)) << at;
    }
}

// Found by fuzzing: CP932 with a lead byte before an unassigned trail byte (which decodes alone
// and shifts the pairs) cut between pieces decoded differently from the whole file.
TEST(TextStreamDecoder, PiecesDecodeAsTheWholeFile) {
    const std::string found("\x34\x31\x32\x0D\x0A\x34\x2E\x35\x0D\x0A\x34\x2E\x37\x0D\x0A\x34"
                            "\x2E\x38\x0D\x0A\x34\x2E\x39\x0D\x0A\x35\x2E\x30\x0D\x0A\x35\x2E"
                            "\xFF\xFF\x7E\xFE\xB7\x9C\xE5\x6A\x31\x0D\x0A\x35\x2E\x31\x0D\x0A"
                            "\x35\x31\x2E\x32\x0D\x0A\x35\x2E\x33\xFC\xF5\xCA\xD1\xCC\xF2\xF5"
                            "\x2F\x2E\x34\x0D\x0A\x35\x2E\x34\x0D\x0A\x35\xE8\xE8\xE8\xE8\xE8"
                            "\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8"
                            "\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8"
                            "\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8"
                            "\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8\xE8"
                            "\xE8\xE8",
                            146);
    const std::string whole = decodeTextFile(found);
    for (std::size_t piece = 1; piece <= 9; ++piece) {
        TextStreamDecoder decoder(FileEncoding::Cp932);
        std::string cut;
        for (std::size_t at = 0; at < found.size(); at += piece)
            decoder.feed(std::string_view(found).substr(at, piece), cut);
        decoder.finish(cut);
        EXPECT_EQ(cut, whole) << piece;
    }
}

} // namespace
} // namespace kl
