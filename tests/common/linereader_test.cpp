// The line reader against a plain split of the same bytes: text in memory
// and files read through small blocks, so that line ends, CR LF pairs and
// marked lines fall across the blocks' edges.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/linereader.h"

namespace orvane {
namespace {

struct Line {
    std::string Text;
    std::uint64_t Start;
};

// Splits at LF, CR LF and CR, one character at a time.
std::vector<Line> Split(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back({text, start});
            text.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        } else {
            text += c;
        }
    }
    if (start < bytes.size()) lines.push_back({text, start});
    return lines;
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File FileOf(const std::string& bytes) {
    File file(std::tmpfile(), &std::fclose);
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

std::string RandomText(std::mt19937& random, std::size_t length) {
    static const char pieces[] = {'a', 'b', ' ', '\r', '\n', 'x', '\n', '\r'};
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += pieces[random() % sizeof pieces];
    return text;
}

// Reads every line, now and then reading one again, or marking a place and
// coming back to it, and checks each against the plain split.
void ReadAlike(LineReader& reader, const std::vector<Line>& want, std::mt19937& random) {
    std::size_t next = 0;  // the index of the line the reader gives next
    std::size_t marked = 0;
    bool mark = false;
    std::string_view line;
    while (reader.Next(line)) {
        ASSERT_LT(next, want.size());
        EXPECT_EQ(line, want[next].Text) << "line " << next + 1;
        EXPECT_EQ(reader.LineNumber(), static_cast<long>(next) + 1);
        EXPECT_EQ(reader.LineStart(), want[next].Start);
        ++next;
        switch (random() % 8) {
        case 0:
            reader.Unread();
            --next;
            break;
        case 1:
            if (!mark) {
                reader.Mark();
                marked = next;
                mark = true;
            }
            break;
        case 2:
            if (mark) {
                reader.Rewind();
                next = marked;
                mark = false;
            }
            break;
        case 3:
            reader.Release();
            mark = false;
            break;
        default: break;
        }
    }
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(next, want.size());
}

TEST(LineReader, ReadsTheLinesOfAPlainSplitThroughBlocksOfAnySize) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::string bytes = RandomText(random, random() % 300);
        const std::vector<Line> want = Split(bytes);
        {
            LineReader memory(bytes);
            ReadAlike(memory, want, random);
        }
        for (const std::size_t block : {std::size_t{16}, std::size_t{17}, std::size_t{64}, std::size_t{4096}}) {
            SCOPED_TRACE("blocks of " + std::to_string(block));
            const File file = FileOf(bytes);
            LineReader reader(file.get(), 0, 0, block);
            ReadAlike(reader, want, random);
        }
    }
}

// A file is read first in 4 KB, then in reads twice as large up to the
// block size: line ends, CR LF pairs and lines longer than a read fall on
// the edges of those reads (4096, 12288, 28672), and files end exactly there.
TEST(LineReader, ReadsTheLinesOfAFileThroughReadsThatGrow) {
    std::mt19937 random(4096);
    auto upTo = [&random](std::string text, std::size_t size) { return text + RandomText(random, size - text.size()); };
    std::string crLfAcross = upTo("", 4095) + "\r\n";
    crLfAcross = upTo(crLfAcross, 12287) + "\r\n";
    crLfAcross = upTo(crLfAcross, 28671) + "\r\n" + RandomText(random, 5000);
    const struct {
        const char* Name;
        std::string Bytes;
    } rows[] = {
        {"CR LF across every read", crLfAcross},
        {"a line longer than three reads", "a\n" + std::string(40000, 'y') + "\r\nb\r"},
        {"ends where the first read ends", upTo("", 4095) + "\r"},
        {"ends where the second read ends", upTo("", 12287) + "\n"},
        {"CR at the end of the first read, then the end", upTo("", 4095) + "\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::vector<Line> want = Split(row.Bytes);
        for (const std::size_t block : {std::size_t{1} << 18, std::size_t{1} << 13, std::size_t{4096}}) {
            SCOPED_TRACE("blocks of " + std::to_string(block));
            const File file = FileOf(row.Bytes);
            LineReader reader(file.get(), 0, 0, block);
            ReadAlike(reader, want, random);
        }
    }
}

TEST(LineReader, EmptyLinesArePassedOverAndCounted) {
    const std::string bytes = "a\r\n\r\n\n\r\rb\n\n";
    for (const std::size_t block : {std::size_t{16}, std::size_t{4096}}) {
        const File file = FileOf(bytes);
        LineReader reader(file.get(), 0, 0, block);
        std::string_view line;
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, "a");
        EXPECT_EQ(reader.SkipEmptyLines(), 4u);
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, "b");
        EXPECT_EQ(reader.LineNumber(), 6);
        EXPECT_EQ(reader.SkipEmptyLines(), 1u);
        EXPECT_FALSE(reader.Next(line));
    }
}

TEST(LineReader, PeekShowsWhatComesWithoutReadingIt) {
    const std::string bytes = std::string(40, 'x') + "\nsecond\n";
    const File file = FileOf(bytes);
    LineReader reader(file.get(), 0, 0, 16);
    EXPECT_EQ(reader.Peek(45), bytes.substr(0, 45));
    reader.Skip(2);
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, std::string(38, 'x'));
    EXPECT_EQ(reader.Offset(), 41u);
    EXPECT_EQ(reader.Peek(100), "second\n");
}

}  // namespace
}  // namespace orvane
