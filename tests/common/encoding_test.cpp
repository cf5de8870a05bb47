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

}  // namespace
}  // namespace orvane
