// The reading of file text as UTF-8 or Windows-1252, checked against the C
// library's own converters (iconv) rather than against a second table.
#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <random>
#include <string>

#include "common/encoding.h"

namespace orvane {
namespace {

// Converts bytes with iconv; false when iconv refuses them.
bool Convert(const char* to, const char* from, const std::string& bytes, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = bytes;
    out.assign(bytes.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return false;
    out.resize(out.size() - outLeft);
    return true;
}

TEST(Encoding, EveryAssignedWindows1252ByteAsTheCLibraryReadsIt) {
    int compared = 0;
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        std::string expected;
        if (!Convert("UTF-8", "CP1252", byte, expected)) continue;  // the five unassigned bytes
        EXPECT_EQ(Windows1252ToUtf8(byte), expected) << "byte " << b;
        ++compared;
    }
    EXPECT_EQ(compared, 250);
}

TEST(Encoding, UnassignedBytesKeepTheirCodePoint) {
    EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(Encoding, ValidityAgreesWithTheCLibraryOnRandomBytes) {
    std::mt19937 random(20261210);
    // Mostly bytes that start or continue multi-byte sequences, so that
    // near-valid sequences are common.
    const std::string alphabet = "a\x7F\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xED\xEF\xF0\xF4\xF5\xFF";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(1, 6);
    int valid = 0;
    for (int i = 0; i < 200000; ++i) {
        std::string bytes(length(random), '\0');
        for (char& c : bytes) c = alphabet[pick(random)];
        std::string ignored;
        const bool expected = Convert("UTF-32LE", "UTF-8", bytes, ignored);
        ASSERT_EQ(IsValidUtf8(bytes), expected) << "bytes of length " << bytes.size() << " starting "
                                                << static_cast<int>(static_cast<unsigned char>(bytes[0]));
        valid += expected ? 1 : 0;
    }
    EXPECT_GT(valid, 1000);
}

TEST(Encoding, DecodeKeepsUtf8AndReadsTheRestAsWindows1252) {
    EXPECT_EQ(DecodeText("L\xC3\xB3pez"), "L\xC3\xB3pez");
    EXPECT_EQ(DecodeText("L\xF3pez"), "L\xC3\xB3pez");
    EXPECT_EQ(DecodeText("\x93quoted\x94 \xFF"), "\u201Cquoted\u201D \u00FF");
    EXPECT_EQ(DecodeText("plain"), "plain");
    std::string text = "Gr\xFCnfeld";
    DecodeTextInPlace(text);
    EXPECT_EQ(text, "Gr\u00FCnfeld");
}

TEST(Encoding, Utf8BackToWindows1252WhereTheCodePageHasTheCharacter) {
    // Every byte, read as Windows-1252 and written back, is itself.
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        std::string back;
        ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(byte), back)) << b;
        EXPECT_EQ(back, byte) << b;
    }
    // Every other character of the Basic Multilingual Plane as the C library
    // writes it in the code page, or refused alike.
    for (char32_t code = 0x80; code <= 0xFFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        if (code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D) continue;
        const std::string utf8 =
            (code < 0x800
                 ? std::string{static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))}
                 : std::string{static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                               static_cast<char>(0x80 | (code & 0x3F))});
        std::string expected, ours;
        const bool fits = Convert("CP1252", "UTF-8", utf8, expected);
        ASSERT_EQ(Utf8ToWindows1252(utf8, ours), fits) << "U+" << std::hex << static_cast<unsigned>(code);
        if (fits) {
            EXPECT_EQ(ours, expected) << "U+" << std::hex << static_cast<unsigned>(code);
        }
    }
    std::string out;
    EXPECT_TRUE(Utf8ToWindows1252("\u20AC 5 \u2013 Gr\u00FCnfeld", out));
    EXPECT_EQ(out, "\x80 5 \x96 Gr\xFCnfeld");
    EXPECT_FALSE(Utf8ToWindows1252("\u0100", out)) << "not in the code page";
    EXPECT_FALSE(Utf8ToWindows1252("\u0080", out)) << "a control the code page puts a character on";
    EXPECT_FALSE(Utf8ToWindows1252("\U0001F600", out));
    EXPECT_FALSE(Utf8ToWindows1252("\xFF", out)) << "not UTF-8";
}

}  // namespace
}  // namespace orvane
