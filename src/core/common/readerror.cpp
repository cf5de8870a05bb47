#include "common/readerror.h"

namespace orvane {

const char* ReadErrorKindText(ReadErrorKind kind) {
    switch (kind) {
    case ReadErrorKind::None: return "no error";
    case ReadErrorKind::FileUnreadable: return "file cannot be read";
    case ReadErrorKind::NotPgn: return "not a PGN file";
    case ReadErrorKind::NoGames: return "no games found";
    case ReadErrorKind::TagTooShort: return "tag line too short for its value";
    case ReadErrorKind::UnclosedComment: return "comment \"{\" without \"}\"";
    case ReadErrorKind::UnclosedVariation: return "variation \"(\" without its \")\"";
    case ReadErrorKind::GlyphOutOfRange: return "glyph number out of range";
    case ReadErrorKind::RecordFull: return "game longer than the record holds";
    case ReadErrorKind::BadFen: return "FEN refused";
    case ReadErrorKind::IllegalMove: return "illegal move";
    case ReadErrorKind::NotGameFile: return "not an Orvane game file";
    case ReadErrorKind::WrongVersion: return "game file of another version";
    case ReadErrorKind::MissingStart: return "game file ends before START";
    case ReadErrorKind::BadSetup: return "bad Setup= line";
    case ReadErrorKind::BadMoveLine: return "line too long to be a move";
    }
    return "unknown error";
}

}  // namespace orvane
