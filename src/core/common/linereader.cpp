#include "common/linereader.h"

#include <algorithm>
#include <cstring>

namespace orvane {

namespace {
constexpr std::size_t Unknown = std::string::npos;
// The first read of a file; each one after it reads twice as much, up to
// the block size. A short file, or one game read by seeking, then costs a
// few pages rather than a whole block (allocated and cleared).
constexpr std::size_t FirstRead = std::size_t{1} << 12;
}  // namespace

LineReader::LineReader(std::string_view text, long linesBefore, std::uint64_t offset)
    : text_(text), origin_(offset), lf_(Unknown), cr_(Unknown), line_(linesBefore) {}

LineReader::LineReader(std::FILE* file, long linesBefore, std::uint64_t offset, std::size_t blockSize)
    : file_(file),
      origin_(offset),
      lf_(Unknown),
      cr_(Unknown),
      line_(linesBefore),
      blockSize_(std::max<std::size_t>(blockSize, 16)),
      readSize_(std::min(blockSize_, FirstRead)),
      atEof_(file == nullptr) {}

std::size_t LineReader::Find(char c, std::size_t from) const {
    if (from >= text_.size()) return text_.size();
    const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
    return hit == nullptr ? text_.size() : static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
}

bool LineReader::Fill() {
    if (atEof_) return false;
    // What is still wanted: the line returned last (it may be read again)
    // and everything after the mark.
    const std::size_t keep = std::min(lineStart_, mark_);
    if (keep > 0) {
        buffer_.erase(0, keep);
        origin_ += keep;
        pos_ -= keep;
        lineStart_ -= keep;
        if (mark_ != Unknown) mark_ -= keep;
    }
    const std::size_t had = buffer_.size();
    const std::size_t want = readSize_;
    readSize_ = std::min(blockSize_, readSize_ * 2);
    buffer_.resize(had + want);
    const std::size_t got = std::fread(buffer_.data() + had, 1, want, file_);
    buffer_.resize(had + got);
    if (got < want) {
        atEof_ = true;
        failed_ = std::ferror(file_) != 0;
    }
    text_ = buffer_;
    lf_ = cr_ = Unknown;
    return got > 0;
}

bool LineReader::Next(std::string_view& line) {
    for (;;) {
        // A fill moves what is kept to the front of the buffer: every place
        // is worked out again after one.
        const std::size_t size = text_.size();
        if (pos_ >= size) {
            if (atEof_) return false;
            Fill();
            continue;
        }
        if (lf_ == Unknown || lf_ < pos_) lf_ = Find('\n', pos_);
        if (cr_ == Unknown || cr_ < pos_) cr_ = Find('\r', pos_);
        const std::size_t end = std::min(lf_, cr_);
        std::size_t next = end + 1;
        if (end == size) {
            if (!atEof_) {
                Fill();
                continue;
            }
            next = size;  // the last line, without a line end
        } else if (text_[end] == '\r') {
            if (end + 1 == size && !atEof_) {  // an LF may follow
                Fill();
                continue;
            }
            if (end + 1 < size && text_[end + 1] == '\n') next = end + 2;
        }
        lineStart_ = pos_;
        line = text_.substr(pos_, end - pos_);
        pos_ = next;
        ++line_;
        return true;
    }
}

void LineReader::Unread() {
    if (pos_ == lineStart_) return;
    pos_ = lineStart_;
    --line_;
    // The line ends found for it hold again: it has no line end inside.
    // Looking them up anew would search the rest of the block for a CR that
    // a file with LF line ends does not have, once a game.
    if (lf_ != Unknown && lf_ < pos_) lf_ = Unknown;
    if (cr_ != Unknown && cr_ < pos_) cr_ = Unknown;
}

std::uint64_t LineReader::SkipEmptyLines() {
    std::uint64_t count = 0;
    for (;;) {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++pos_;
            } else if (c == '\r') {
                if (pos_ + 1 == text_.size() && !atEof_) break;  // an LF may follow in the next block
                ++pos_;
                if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
            } else {
                line_ += static_cast<long>(count);
                lineStart_ = pos_;
                return count;
            }
            ++count;
        }
        // The empty lines passed over are not wanted again.
        lineStart_ = pos_;
        if (atEof_ && pos_ >= text_.size()) {
            line_ += static_cast<long>(count);
            return count;
        }
        Fill();
    }
}

std::string_view LineReader::Peek(std::size_t count) {
    while (text_.size() - pos_ < count && !atEof_) Fill();
    return text_.substr(pos_, std::min(count, text_.size() - pos_));
}

void LineReader::Skip(std::size_t count) { pos_ = std::min(pos_ + count, text_.size()); }

void LineReader::Mark() {
    mark_ = pos_;
    markLine_ = line_;
}

void LineReader::Rewind() {
    if (mark_ == Unknown) return;
    pos_ = mark_;
    lineStart_ = std::min(lineStart_, pos_);
    line_ = markLine_;
    mark_ = Unknown;
    lf_ = cr_ = Unknown;
}

void LineReader::Release() { mark_ = Unknown; }

}  // namespace orvane
