#include "TestSupport.h"
#include "text/Json.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kl {
namespace {

struct NumberCase {
    const char* text;
    double value;
    bool starts;
    std::size_t length; // characters, leading blanks included
};

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    const NumberCase cases[] = {
        {"12.5", 12.5, true, 4},
        {".5", 0.5, true, 2},
        {"+.5", 0.5, true, 3},
        {"-.5", -0.5, true, 3},
        {"-", 0.0, false, 0},
        {"+", 0.0, false, 0},
        {".", 0.0, false, 0},
        {"-.", 0.0, false, 0},
        {"1.2.3", 1.2, true, 3},
        {"12-3", 12.0, true, 2},
        {"abc", 0.0, false, 0},
        {"", 0.0, false, 0},
        {"  -1.5abc", -1.5, true, 6},
        {"1.", 1.0, true, 2},
        {"1e5", 1.0, true, 1},    // no exponents
        {"1,234", 1.0, true, 1},  // no group separators
        {"12 34", 12.0, true, 2}, // a blank ends the number
        {"- 5", 0.0, false, 0},   // a sign must touch its digits
        {"--5", 0.0, false, 0},
        {"007.50", 7.5, true, 6},
        {"\xE3\x80\x80"
         "42",
         42.0, true, 3},                 // a full-width blank counts as a blank
        {"\xEF\xBC\x91", 0.0, false, 0}, // full-width digits are not digits
        {"\t5", 0.0, false, 0},
        {"0.1", 0.1, true, 3},
        {"-0", 0.0, true, 2},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(leadingNumber(c.text), c.value);
        EXPECT_EQ(startsWithNumber(c.text), c.starts);
        EXPECT_EQ(leadingNumberLength(c.text), c.length);
    }
}

TEST(LeadingNumber, IgnoresTheDecimalCommaOfTheLocale) {
    // from_chars does not look at the locale; a comma never acts as a decimal point.
    EXPECT_EQ(leadingNumber("3,5"), 3.0);
    EXPECT_EQ(leadingNumber("3.25"), 3.25);
}

TEST(LeadingNumber, HugeDigitStringsDoNotCrash) {
    std::string big(500, '9');
    EXPECT_TRUE(std::isinf(leadingNumber(big)));
    EXPECT_TRUE(std::isinf(leadingNumber("-" + big + ".5")));
    EXPECT_LT(leadingNumber("-" + big), 0.0);
    std::string tiny = "0." + std::string(500, '0') + "1";
    EXPECT_EQ(leadingNumber(tiny), 0.0);
    std::string longFraction = "1." + std::string(5000, '3');
    EXPECT_TRUE(test::nearRel(1.3333333333333333, leadingNumber(longFraction)));
}

// Short numbers take a quicker road than from_chars; every result must still be the correctly
// rounded double, bit for bit: up to 15 digits, 16 and 17 (the long road), every point position,
// digits whose division rounds halfway cases, leading zeros, and the sign of zero.
TEST(LeadingNumber, ShortAndLongNumbersRoundAsFromChars) {
    std::mt19937_64 random(20261208);
    std::vector<std::string> texts = {"0.1",
                                      "0.3",
                                      "2.675",
                                      "1.005",
                                      "9007199254740993",
                                      "999999999999999",
                                      "999999999999999.9",
                                      "123456789012345",
                                      "0.000000000000001",
                                      "00000000000000000000001.5",
                                      "4.35",
                                      "-0",
                                      "-0.0",
                                      "+.5",
                                      "5."};
    for (int k = 0; k < 20000; ++k) {
        const int digits = 1 + int(random() % 17);
        std::string t;
        for (int d = 0; d < digits; ++d)
            t += char('0' + random() % 10);
        t.insert(random() % (t.size() + 1), ".");
        texts.push_back((k % 3 == 0 ? "-" : "") + t);
    }
    for (const std::string& t : texts) {
        const bool negative = t.front() == '-';
        const std::size_t signs = t.front() == '-' || t.front() == '+';
        double expected = 0;
        std::from_chars(t.data() + signs, t.data() + t.size(), expected, std::chars_format::fixed);
        if (negative) expected = -expected;
        const double got = leadingNumber(t);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << t << ": " << got << " != " << expected;
    }
}

TEST(TrimBlanks, RemovesAsciiAndFullWidthBlanksAtBothEnds) {
    const std::string ideo = "\xE3\x80\x80";
    const std::pair<std::string, std::string> cases[] = {
        {"  abc  ", "abc"},
        {ideo + "abc" + ideo, "abc"},
        {" " + ideo + " a b " + ideo + " ", "a b"},
        {"a" + ideo + "b", "a" + ideo + "b"},
        {ideo + ideo, ""},
        {"   ", ""},
        {"", ""},
        {"\tx\t", "\tx\t"},               // only blanks are removed
        {"\xE3\x80\x81", "\xE3\x80\x81"}, // U+3001 shares the first two bytes with U+3000
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(trimBlanks(in), out) << '"' << in << '"';
}

TEST(Padding, CountsHalfWidthCells) {
    EXPECT_EQ(padLeft("12", 5), "   12");
    EXPECT_EQ(padRight("12", 5), "12   ");
    EXPECT_EQ(padLeft("全角", 6), "  全角");
    EXPECT_EQ(padRight("ｱｲ", 4), "ｱｲ  ");
    EXPECT_EQ(padLeft("123456", 3), "123456");
    EXPECT_EQ(blanks(3), "   ");
}

struct CutCase {
    const char* text;
    std::size_t n;
    std::size_t characters; // of the whole text
    const char* first;      // firstCharacters(text, n)
    const char* marked;     // cutWithMark(text, n)
    const char* cells;      // cutCellsWithMark(text, n)
};

TEST(Characters, CountCutAndMarkTheCut) {
    const CutCase cases[] = {
        {"", 3, 0, "", "", ""},
        {"ab", 3, 2, "ab", "ab", "ab"},
        {"abc", 3, 3, "abc", "abc～", "abc"}, // exactly n characters: marked; n cells, uncut: not
        {"abcd", 3, 4, "abc", "abc～", "abc～"},
        {"あいうえ", 3, 4, "あいう", "あいう～", "あ"}, // "い" does not fit in the third cell
        {"abあ", 3, 3, "abあ", "abあ～", "ab"},         // a double-width character at the cut is not split
        {"ab𠀋c", 3, 4, "ab𠀋", "ab𠀋～", nullptr},     // four bytes, one character
        {"ab\xE3\x81", 3, 3, "ab\xE3\x81", "ab\xE3\x81～", nullptr}, // a sequence cut short is one
        {"\xFF\xFE"
         "abc",
         2, 5, "\xFF\xFE", "\xFF\xFE～", nullptr}, // invalid lead bytes count one each
        {"a\x80\x80"
         "bc",
         1, 3, "a\x80\x80", "a\x80\x80～", nullptr}, // stray continuations ride along
        {"abc", 0, 3, "", "", ""},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + std::to_string(c.n));
        EXPECT_EQ(characterCount(c.text), c.characters);
        EXPECT_EQ(firstCharacters(c.text, c.n), c.first);
        EXPECT_EQ(cutWithMark(c.text, c.n), c.marked);
        if (c.cells) {
            EXPECT_EQ(cutCellsWithMark(c.text, c.n), c.cells);
        }
    }
}

TEST(EscapeForTranscript, EscapesControlCharactersQuotesAndBackslashes) {
    EXPECT_EQ(escapeForTranscript("a\r\nb\t\"c\"\\"), "a\\r\\nb\\t\\\"c\\\"\\\\");
    EXPECT_EQ(escapeForTranscript("データ"), "データ");
}

} // namespace
} // namespace kl

TEST(JsonWriter, NestsEscapesAndKeepsEveryDigit) {
    std::ostringstream out;
    kl::JsonWriter json(out);
    json.beginObject()
        .member("file", "a\"b\\c\n\x01.csv")
        .member("n", 3)
        .member("mean", 0.1 + 0.2)
        .member("sd", std::nan(""))
        .member("neg0", -0.0)
        .member("ok", true);
    json.key("classes").beginArray();
    json.beginObject().member("lower", 1e-300).endObject();
    json.beginArray().endArray();
    json.null();
    json.endArray().endObject();
    EXPECT_TRUE(json.complete());
    EXPECT_EQ(out.str(), "{\"file\":\"a\\\"b\\\\c\\n\\u0001.csv\",\"n\":3,\"mean\":0.30000000000000004,"
                         "\"sd\":null,\"neg0\":0,\"ok\":true,\"classes\":[{\"lower\":1e-300},[],null]}");
    EXPECT_EQ(std::stod(kl::jsonNumber(2.0 / 3.0)), 2.0 / 3.0);
}

TEST(Language, TheLocaleChoosesJapaneseForJaAndCAndEnglishOtherwise) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        kl::Language expected;
    };
    using kl::Language;
    const Case cases[] = {
        {nullptr, nullptr, nullptr, Language::Japanese}, // nothing set: the C locale
        {"", "", "C", Language::Japanese},               // empty counts as not set
        {nullptr, nullptr, "POSIX", Language::Japanese},
        {nullptr, nullptr, "C.UTF-8", Language::Japanese},
        {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
        {nullptr, nullptr, "ja", Language::Japanese},
        {nullptr, nullptr, "en_US.UTF-8", Language::English},
        {nullptr, nullptr, "de_DE.UTF-8", Language::English},
        {nullptr, nullptr, "java", Language::English},               // not ja_*: a made-up name
        {"en_GB.UTF-8", nullptr, "ja_JP.UTF-8", Language::English},  // LC_ALL first
        {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", Language::Japanese}, // then LC_MESSAGES
        {"C", "en_US.UTF-8", "en_US.UTF-8", Language::Japanese},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kl::languageOfLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
            << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcMessages ? c.lcMessages : "-") << ' '
            << (c.lang ? c.lang : "-");
    kl::Language chosen = Language::Japanese;
    EXPECT_TRUE(kl::parseLanguage("en", chosen));
    EXPECT_EQ(chosen, Language::English);
    EXPECT_FALSE(kl::parseLanguage("EN", chosen));
    EXPECT_FALSE(kl::parseLanguage("english", chosen));
    EXPECT_EQ(chosen, Language::English);
}

namespace {
std::string shouting(const char* context, const char* text) {
    return std::string(context) == "Known" ? std::string("[") + text + "]" : std::string();
}
} // namespace

TEST(Language, JapaneseTextsComeBackUnchangedAndArgumentsGoInByNumber) {
    const char* source = "データが少なすぎます。          \r\n(データ数が10件未満です)   ";
    EXPECT_EQ(kl::translate("Known", source), source); // no translator: Japanese, byte for byte
    kl::setLanguage(kl::Language::English, &shouting);
    EXPECT_EQ(kl::translate("Known", "a"), "[a]");
    EXPECT_EQ(kl::translate("Unknown", source), source); // no translation: the text itself
    EXPECT_TRUE(kl::inEnglish());
    kl::setLanguage(kl::Language::Japanese, &shouting); // Japanese never translates
    EXPECT_EQ(kl::translate("Known", "a"), "a");
    EXPECT_FALSE(kl::inEnglish());

    EXPECT_EQ(kl::withArgs("%2 of %1", {"10", "3"}), "3 of 10");
    EXPECT_EQ(kl::withArgs("2.5% and 97.5%", {}), "2.5% and 97.5%");
    EXPECT_EQ(kl::withArgs("%1%3 %", {"x"}), "x%3 %"); // a missing argument stays as written
}
