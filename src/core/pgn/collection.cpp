// The collection scan. One state machine serves every pass: the index pass
// over a file, the direct read of one game from its recorded tag section,
// and the walk over every game. Lines end at LF, CR LF or CR; files are read
// through a buffer of fixed size, never whole.
#include "pgn/collection.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "common/linereader.h"
#include "common/textfile.h"

namespace orvane::pgn {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t RecognitionBytes = 1000;

// Trims spaces (only spaces) at both ends; lead receives how many went at the front.
std::string_view TrimSpaces(std::string_view text, std::size_t& lead) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    lead = b;
    return text.substr(b, e - b);
}

// A line that begins a new tag section: it starts with "[" and holds a
// double quote or starts with "[!".
bool StartsSection(std::string_view line) {
    return !line.empty() && line[0] == '[' &&
           (line.find('"') != std::string_view::npos || (line.size() > 1 && line[1] == '!'));
}

// A line that begins with "%" is an escape line, which readers skip
// wherever it stands.
bool IsEscapeLine(std::string_view line) { return !line.empty() && line[0] == '%'; }

// Whether a "{...}" comment is open after text, given whether one was open before it.
bool CommentOpenAfter(bool open, std::string_view text) {
    std::size_t i = 0;
    for (;;) {
        i = text.find(open ? '}' : '{', i);
        if (i == std::string_view::npos) return open;
        open = !open;
        ++i;
    }
}

// The state of one scan pass (both passes alike).
struct ScanState {
    bool TagSeen = false;
    bool InMovetext = false;
    long Counter = 0;
    PgnTags Tags;
    std::string Remarks;
};

// A game's first movetext line as the scan found it.
struct FirstLine {
    std::string_view Text;  // trimmed
    long Line = 0;
    long Column = 1;
};

enum class Step { Go, Stop };

ReadError TagError(const ScanState& st, const LineReader& reader, std::size_t lead, std::string_view line) {
    ReadError error;
    error.Kind = ReadErrorKind::TagTooShort;
    error.Line = reader.LineNumber();
    error.Column = static_cast<long>(lead) + 1;
    error.Game = st.Counter + 1;
    error.Detail = std::string(line);
    return error;
}

// The scan state machine. onSection(reader) is called at the line where a
// game's tag section begins, before that line is read; onGame(first, reader)
// once the counter has counted a game's first movetext line, and returns
// Step::Stop to end the scan.
template <class OnSection, class OnGame>
ReadError Scan(LineReader& reader, ScanState& st, OnSection&& onSection, OnGame&& onGame) {
    std::string_view raw;
    while (reader.Next(raw)) {
        if (IsEscapeLine(raw)) continue;
        std::size_t lead = 0;
        const std::string_view line = TrimSpaces(raw, lead);
        if (line.empty()) continue;  // empty lines change nothing anywhere
        const bool bracket = line[0] == '[';
        if (st.InMovetext) {
            if (!bracket || !StartsSection(line)) continue;
            st.InMovetext = false;
            onSection(reader);
        } else if (!st.TagSeen) {
            if (!bracket) continue;  // text before the first tag line
            st.TagSeen = true;
            onSection(reader);
        }
        if (bracket) {
            if (ParseTagPair(st.Tags, st.Remarks, line) == TagLine::TooShort) return TagError(st, reader, lead, line);
            continue;
        }
        st.InMovetext = true;
        ++st.Counter;
        if (onGame(FirstLine{line, reader.LineNumber(), static_cast<long>(lead) + 1}, reader) == Step::Stop) break;
    }
    return {};
}

// Collects a game's movetext: its first line, then the following lines as
// they are, each after one space, up to an empty line outside a comment or a
// line that begins a tag section; trimmed. The reader is left before the
// line that ended the movetext. scanClears is set when a line taken in
// would have begun a tag section for the scan (which trims its lines), so
// the scan cannot simply go on where the movetext ended.
void CollectMovetext(const FirstLine& first, LineReader& reader, GameText& game, bool& scanClears) {
    game.Movetext.assign(first.Text);
    game.Lines.clear();
    game.Lines.push_back({0, first.Line, first.Column});
    bool open = CommentOpenAfter(false, first.Text);
    scanClears = false;
    std::string_view line;
    while (reader.Next(line)) {
        // An escape line is skipped; inside an open comment it is the
        // comment's own text.
        if (!open && IsEscapeLine(line)) continue;
        // An empty line inside an open comment belongs to the comment.
        if (line.empty() ? !open : StartsSection(line)) {
            reader.Unread();
            break;
        }
        game.Movetext += ' ';
        game.Lines.push_back({game.Movetext.size(), reader.LineNumber(), 1});
        game.Movetext.append(line);
        open = CommentOpenAfter(open, line);
        if (!scanClears) {
            std::size_t lead = 0;
            scanClears = StartsSection(TrimSpaces(line, lead));
        }
    }
    const std::size_t end = game.Movetext.find_last_not_of(' ');
    game.Movetext.resize(end == std::string::npos ? 0 : end + 1);
}

// Recognition on the first bytes, then the byte-order mark passed over.
ReadErrorKind Recognise(LineReader& reader) {
    const bool pgn = LooksLikePgn(reader.Peek(RecognitionBytes));
    if (reader.Failed()) return ReadErrorKind::FileUnreadable;
    if (!pgn) return ReadErrorKind::NotPgn;
    if (reader.Peek(ByteOrderMark.size()) == ByteOrderMark) reader.Skip(ByteOrderMark.size());
    return ReadErrorKind::None;
}

ReadError Fault(ReadErrorKind kind, const std::string& file, std::string detail = {}) {
    ReadError error;
    error.Kind = kind;
    error.File = file;
    error.Detail = std::move(detail);
    return error;
}

// Sets a file to a byte offset from its start.
bool SeekTo(std::FILE* file, std::uint64_t offset) {
    return offset <= static_cast<std::uint64_t>(INT64_MAX) && ::fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

}  // namespace

bool LooksLikePgn(std::string_view firstBytes) {
    std::string_view text = firstBytes.substr(0, std::min(firstBytes.size(), RecognitionBytes));
    const std::size_t bracket = text.find('[');
    if (bracket == std::string_view::npos) return false;
    text.remove_prefix(bracket);
    if (text.starts_with("[! ")) return true;
    // Any tag name: a letter, then letters, digits or underscores.
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 1;
    if (i >= text.size() || !letter(text[i])) return false;
    while (i < text.size() && (letter(text[i]) || digit(text[i]) || text[i] == '_')) ++i;
    return text.compare(i, 2, " \"") == 0;
}

MovetextLine GameText::Locate(std::size_t offset) const {
    auto it = std::upper_bound(Lines.begin(), Lines.end(), offset,
                               [](std::size_t at, const MovetextLine& line) { return at < line.At; });
    if (it == Lines.begin()) return {offset, 0, 0};
    --it;
    return {offset, it->Line, it->Column + static_cast<long>(offset - it->At)};
}

std::string_view GameIndex::Cell(long game, int column) const {
    if (game < 1 || game > static_cast<long>(RowStart.size()) || column < 1 || column > IndexColumns) return {};
    const std::size_t row = static_cast<std::size_t>(game - 1);
    const std::size_t k = static_cast<std::size_t>(column - 1);
    const std::size_t first = row * IndexColumns;
    const std::size_t begin = k == 0 ? 0 : CellEnd[first + k - 1];
    return std::string_view(CellText).substr(RowStart[row] + begin, CellEnd[first + k] - begin);
}

ScanResult ScanFile(const std::filesystem::path& path, const ScanOptions& options) {
    const std::string file = path.string();
    ReadError openError;
    FileStamp stamp;
    const FileHandle in = OpenRegularFile(path, openError, &stamp);
    if (!in) {
        ScanResult result;
        result.Error = Fault(openError.Kind, file, openError.Detail);
        return result;
    }
    ScanResult result = ScanStream(in.get(), options);
    result.Index.Stamp = stamp;
    if (result.Error) result.Error.File = file;
    return result;
}

ScanResult ScanStream(std::FILE* in, const ScanOptions& options) {
    ScanResult result;
    GameIndex& index = result.Index;
    const std::string file;
    LineReader reader(in);
    if (const ReadErrorKind kind = Recognise(reader); kind != ReadErrorKind::None) {
        result.Error = Fault(kind, file);
        return result;
    }

    ScanState st;
    GameSeek section;
    std::array<std::string_view, IndexColumns> values;
    std::string number;
    std::string event;
    bool tooLong = false;

    auto onSection = [&](const LineReader& at) {
        if (st.Tags.FenTag != index.Fens.back()) index.Fens.push_back(st.Tags.FenTag);
        section = {at.LineStart(), at.LineNumber(), index.Fens.size() - 1};
    };
    const bool keep = options.KeepRows;
    auto onGame = [&](const FirstLine&, const LineReader&) {
        const std::size_t rowStart = index.CellText.size();
        const std::size_t firstCell = index.CellEnd.size();
        if (keep) {
            index.Seeks.push_back(section);
            index.RowStart.push_back(rowStart);
            index.CellEnd.resize(firstCell + IndexColumns, 0);
        }
        index.Count = st.Counter;
        if (st.Counter % 100 == 0) {
            if (options.Progress) options.Progress("Loading PGN file... " + std::to_string(st.Counter) + " games");
            if (options.Limit > 0 && st.Counter >= options.Limit) {
                index.Aborted = true;  // this last row stays empty
                return Step::Stop;
            }
        }
        const PgnTags& t = st.Tags;
        number = ' ' + std::to_string(st.Counter);
        event = t.pgnEvent;
        if (!t.RoundTag.empty()) (event += ' ') += t.RoundTag;
        values[0] = number;
        values[1] = event;
        for (std::size_t k = 2; k < values.size(); ++k) values[k] = t.*IndexColumnList[k].Value;
        if (options.Row) options.Row(st.Counter, values);
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (keep) {
                index.CellText.append(values[k]);
                const std::size_t end = index.CellText.size() - rowStart;
                if (end > UINT32_MAX) {
                    tooLong = true;
                    return Step::Stop;
                }
                index.CellEnd[firstCell + k] = static_cast<std::uint32_t>(end);
            }
            const int length = static_cast<int>(std::min<std::size_t>(values[k].size(), INT_MAX));
            int& used = index.ColumnUsed[k + 1];
            used = std::max(used, length);
        }
        st.Tags.ResetForGame();
        return Step::Go;
    };

    ReadError error = Scan(reader, st, onSection, onGame);
    index.Remarks = std::move(st.Remarks);
    if (tooLong) error = Fault(ReadErrorKind::FileUnreadable, file, "tag values too long");
    if (!error && reader.Failed()) error = Fault(ReadErrorKind::FileUnreadable, file, "read error");
    if (error) {
        error.File = file;
        result.Error = std::move(error);
    } else if (index.Count == 0) {
        result.Error = Fault(ReadErrorKind::NoGames, file);
    }
    return result;
}

GameResultText ReadGame(const std::filesystem::path& path, const GameIndex& index, long game) {
    GameResultText result;
    const std::string file = path.string();
    if (game < 1 || game > static_cast<long>(index.Seeks.size())) {
        result.Error = Fault(ReadErrorKind::FileUnreadable, file, "no game " + std::to_string(game) + " in the index");
        return result;
    }
    const GameSeek& seek = index.Seeks[static_cast<std::size_t>(game - 1)];
    ReadError openError;
    FileStamp stamp;
    const FileHandle in = OpenRegularFile(path, openError, &stamp);
    if (!in) {
        result.Error = Fault(openError.Kind, file, openError.Detail);
        return result;
    }
    const std::uintmax_t size = stamp.Size;
    if (stamp != index.Stamp || seek.Offset > size || seek.Fen >= index.Fens.size()) {
        result.Error = Fault(ReadErrorKind::FileChanged, file, "the file has changed since it was scanned");
        return result;
    }

    result = ReadGameFrom(in.get(), index, game);
    if (result.Error) result.Error.File = file;
    return result;
}

GameResultText ReadGameFrom(std::FILE* in, const GameIndex& index, long game) {
    GameResultText result;
    if (game < 1 || game > static_cast<long>(index.Seeks.size())) {
        result.Error = Fault(ReadErrorKind::FileUnreadable, {}, "no game " + std::to_string(game) + " in the index");
        return result;
    }
    const GameSeek& seek = index.Seeks[static_cast<std::size_t>(game - 1)];
    if (seek.Fen >= index.Fens.size()) {
        result.Error = Fault(ReadErrorKind::FileChanged, {}, "the index does not belong to the file");
        return result;
    }
    if (!SeekTo(in, seek.Offset)) {
        result.Error = Fault(ReadErrorKind::FileUnreadable, {}, "seek error");
        return result;
    }
    // From the game's tag section on; the lines are read as the scan read them.
    LineReader reader(in, seek.Line - 1, seek.Offset, std::size_t{1} << 16);
    ScanState st;
    st.TagSeen = true;
    st.Counter = game - 1;
    st.Tags.FenTag = index.Fens[seek.Fen];
    bool found = false;
    GameText& text = result.Game;
    ReadError error = Scan(
        reader, st, [](const LineReader&) {},
        [&](const FirstLine& first, LineReader& at) {
            found = true;
            bool scanClears = false;
            CollectMovetext(first, at, text, scanClears);
            return Step::Stop;
        });
    if (!error && reader.Failed()) error = Fault(ReadErrorKind::FileUnreadable, {}, "read error");
    if (error) {
        result.Error = std::move(error);
        return result;
    }
    if (!found) {
        result.Error = Fault(ReadErrorKind::FileChanged, {}, "the file has changed since it was scanned");
        return result;
    }
    text.Game = game;
    text.Tags = std::move(st.Tags);
    return result;
}

namespace {

// The walk over every game of the lines a reader gives.
ReadError WalkGames(LineReader& reader, const std::function<bool(GameText&)>& visit) {
    if (const ReadErrorKind kind = Recognise(reader); kind != ReadErrorKind::None) return Fault(kind, {});
    ScanState st;
    GameText game;
    std::size_t remarksGiven = 0;
    bool stopped = false;
    ReadError error = Scan(
        reader, st, [](const LineReader&) {},
        [&](const FirstLine& first, LineReader& at) {
            game.Game = st.Counter;
            game.Tags = st.Tags;
            // The remark text only grows: hand over what is new, unless the
            // visitor took the text away.
            if (game.Remarks.size() == remarksGiven && remarksGiven <= st.Remarks.size())
                game.Remarks.append(st.Remarks, remarksGiven);
            else
                game.Remarks = st.Remarks;
            remarksGiven = st.Remarks.size();
            // The lines the movetext takes in are kept, should the scan have
            // to read them again.
            at.Mark();
            bool scanClears = false;
            CollectMovetext(first, at, game, scanClears);
            if (!visit(game)) {
                stopped = true;
                return Step::Stop;
            }
            st.Tags.ResetForGame();
            // The scan skips every line the movetext took in, unless one of them
            // begins a tag section once trimmed.
            if (scanClears)
                at.Rewind();
            else
                at.Release();
            return Step::Go;
        });
    if (error) return error;
    if (reader.Failed()) return Fault(ReadErrorKind::FileUnreadable, {}, "read error");
    if (!stopped && st.Counter == 0) return Fault(ReadErrorKind::NoGames, {});
    return {};
}

}  // namespace

ReadError ForEachGame(std::string_view bytes, const std::function<bool(GameText&)>& visit) {
    LineReader reader(bytes);
    return WalkGames(reader, visit);
}

ReadError ForEachGame(std::FILE* file, const std::function<bool(GameText&)>& visit) {
    LineReader reader(file);
    return WalkGames(reader, visit);
}

}  // namespace orvane::pgn
