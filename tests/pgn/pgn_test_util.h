// Helpers of the PGN tests: files on disk, the game index rendered as text,
// and a plain reference reading of a collection (every line kept in memory,
// the scan steps written out one by one) to hold the fast scan against.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "pgn/collection.h"
#include "pgn/tags.h"

namespace orvane::pgntest {

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// Lines joined with the given line end after each.
inline std::string Joined(const std::vector<std::string>& lines, std::string_view eol = "\n") {
    std::string text;
    for (const std::string& line : lines) (text += line) += eol;
    return text;
}

// A row of the index as "Header=value" for its non-empty cells.
inline std::string RowText(const pgn::GameIndex& index, long game) {
    std::string text;
    for (int k = 1; k <= pgn::IndexColumns; ++k) {
        const std::string_view cell = index.Cell(game, k);
        if (cell.empty()) continue;
        if (!text.empty()) text += "; ";
        text += pgn::IndexHeaders[static_cast<std::size_t>(k - 1)];
        text += '=';
        text += cell;
    }
    return text;
}

inline std::vector<std::string> Rows(const pgn::GameIndex& index) {
    std::vector<std::string> rows;
    for (long game = 1; game <= index.Count; ++game) rows.push_back(RowText(index, game));
    return rows;
}

// Splits at CR, CR LF and LF, one character at a time.
inline std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The old line reader: a line ends at CR or CR LF, never at a lone LF.
inline std::vector<std::string> SplitAtCr(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            lines.push_back(line);
            line.clear();
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += bytes[i];
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The CR LF copy the program once wrote of a bare-LF file: blocks of 1000
// bytes, each cut at its first NUL byte, every LF made a CR LF line end, a
// last line without LF kept.
inline std::string OldNormalisedCopy(std::string_view bytes) {
    std::string out;
    std::string carry;
    for (std::size_t at = 0; at < bytes.size(); at += 1000) {
        std::string block = carry + std::string(bytes.substr(at, 1000));
        const std::size_t nul = block.find('\0');
        if (nul != std::string::npos) block.resize(nul);
        std::size_t lf;
        while ((lf = block.find('\n')) != std::string::npos) {
            out += block.substr(0, lf) + "\r\n";
            block.erase(0, lf + 1);
        }
        carry = block;
    }
    if (!carry.empty()) out += carry + "\r\n";
    return out;
}

inline std::string Trimmed(const std::string& s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

inline bool BeginsSection(const std::string& line) {
    return !line.empty() && line[0] == '[' && (line.find('"') != std::string::npos || line.rfind("[!", 0) == 0);
}

// One game as the reference reading gives it.
struct ReferenceGame {
    pgn::PgnTags Tags;
    std::string Remarks;
    std::string Movetext;
    std::vector<long> LineNumbers;  // the file line of each movetext line
};

// The scan and the movetext collection, step by step as the program
// describes them, over lines already split (line 1 = lines[0]).
inline std::vector<ReferenceGame> ReferenceReading(const std::vector<std::string>& lines) {
    std::vector<ReferenceGame> games;
    bool tagSeen = false;
    bool inMovetext = false;
    pgn::PgnTags tags;
    tags.ResetForGame();
    std::string remarks;
    // A line that begins with "%" is an escape line: skipped, except inside
    // an open comment, where it is the comment's text.
    auto escape = [](const std::string& line) { return !line.empty() && line[0] == '%'; };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (escape(lines[i])) continue;
        const std::string line = Trimmed(lines[i]);
        if (!line.empty() && line[0] == '[') tagSeen = true;
        if (!tagSeen) continue;
        if (BeginsSection(line)) inMovetext = false;
        if (line.empty() || inMovetext) continue;
        if (line[0] == '[') {
            pgn::ParseTagPair(tags, remarks, line);
            continue;
        }
        inMovetext = true;
        ReferenceGame game{tags, remarks, line, {static_cast<long>(i) + 1}};
        bool open = false;  // inside a {...} comment
        for (char c : line)
            if (open ? c == '}' : c == '{') open = !open;
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            const std::string& next = lines[j];
            if (escape(next) && !open) continue;
            if (next.empty() && !open) break;
            if (BeginsSection(next)) break;
            game.Movetext += ' ' + next;
            game.LineNumbers.push_back(static_cast<long>(j) + 1);
            for (char c : next)
                if (open ? c == '}' : c == '{') open = !open;
        }
        while (!game.Movetext.empty() && game.Movetext.back() == ' ') game.Movetext.pop_back();
        games.push_back(game);
        tags.ResetForGame();
    }
    return games;
}

// Compares a game as the program reads it with the reference reading; the
// remark lines only where the reader gives them (the walk over every game).
inline void ExpectSameGame(const pgn::GameText& got, const ReferenceGame& want, bool remarks = true) {
    const pgn::PgnTags& a = got.Tags;
    const pgn::PgnTags& b = want.Tags;
    for (const pgn::IndexColumn& column : pgn::IndexColumnList) {
        if (column.Value != nullptr) {
            EXPECT_EQ(a.*column.Value, b.*column.Value) << column.Header;
        }
    }
    EXPECT_EQ(a.pgnResult, b.pgnResult);
    EXPECT_EQ(a.FenTag, b.FenTag);
    if (remarks) {
        EXPECT_EQ(got.Remarks, want.Remarks);
    }
    EXPECT_EQ(got.Movetext, want.Movetext);
    std::vector<long> lineNumbers;
    for (const pgn::MovetextLine& line : got.Lines) lineNumbers.push_back(line.Line);
    EXPECT_EQ(lineNumbers, want.LineNumbers);
}

// Every game ForEachGame hands over, copied.
inline std::vector<pgn::GameText> AllGames(std::string_view bytes, ReadError* error = nullptr) {
    std::vector<pgn::GameText> games;
    const ReadError e = pgn::ForEachGame(bytes, [&](pgn::GameText& game) {
        games.push_back(game);
        return true;
    });
    if (error != nullptr) *error = e;
    return games;
}

}  // namespace orvane::pgntest
