// The one line reader of the program's files: lines end at LF, CR LF or CR.
// It reads text held in memory, or an open file (standard input too) through
// a buffer of fixed size, so that a file of any size is read in constant
// memory: only the block at hand is held, and the lines a caller asked to
// keep (see Mark).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace orvane {

class LineReader {
public:
    // The lines of text the caller holds for as long as the reader lives.
    // linesBefore and offset say where text stands in its file.
    explicit LineReader(std::string_view text, long linesBefore = 0, std::uint64_t offset = 0);
    // The lines of an open file from where it stands, read in blocks of
    // blockSize bytes (the first few smaller); offset is that place in the file.
    explicit LineReader(std::FILE* file, long linesBefore = 0, std::uint64_t offset = 0,
                        std::size_t blockSize = std::size_t{1} << 18);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its line end, valid until the next call; false
    // at the end of the text (or when the file cannot be read: Failed).
    bool Next(std::string_view& line);
    // The line Next returned last is returned again by the next call.
    void Unread();
    // Passes over the empty lines that come next and returns how many there
    // were, counted as Next would count them.
    std::uint64_t SkipEmptyLines();

    // Up to count bytes from the next line on, without reading them.
    std::string_view Peek(std::size_t count);
    // Passes over count bytes that Peek showed, on the same line.
    void Skip(std::size_t count);

    // Keeps every line from the next one on, so that Rewind can come back to
    // it; Release lets them go. One mark at a time.
    void Mark();
    void Rewind();
    void Release();

    long LineNumber() const { return line_; }                         // 1-based, of the line Next returned last
    std::uint64_t LineStart() const { return origin_ + lineStart_; }  // file offset of that line
    std::uint64_t Offset() const { return origin_ + pos_; }           // file offset of the next line
    bool Failed() const { return failed_; }

private:
    // Reads another block; false at the end of the file.
    bool Fill();
    std::size_t Find(char c, std::size_t from) const;

    std::FILE* file_ = nullptr;
    std::string buffer_;        // the file's bytes at hand (file mode)
    std::string_view text_;     // the bytes at hand: text_ or buffer_
    std::uint64_t origin_ = 0;  // file offset of text_[0]
    std::size_t pos_ = 0;       // where the next line begins
    std::size_t lineStart_ = 0;
    std::size_t lf_ = 0;  // the next LF at or after pos_ (size when none at hand)
    std::size_t cr_ = 0;
    long line_ = 0;
    long markLine_ = 0;
    std::size_t mark_ = std::string::npos;
    std::size_t blockSize_ = 0;
    std::size_t readSize_ = 0;  // of the next read: doubles up to blockSize_
    bool atEof_ = true;
    bool failed_ = false;
};

}  // namespace orvane
