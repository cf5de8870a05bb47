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
    case ReadErrorKind::FileMissing: return "file does not exist";
    case ReadErrorKind::NotRegularFile: return "not a regular file";
    case ReadErrorKind::FileChanged: return "the file has changed since it was scanned";
    case ReadErrorKind::WriteFailed: return "file cannot be written";
    case ReadErrorKind::NotBook: return "not an Orvane book";
    case ReadErrorKind::BookNameWithoutTilde: return "names line without \"~\"";
    case ReadErrorKind::TooManyBookMoves: return "more continuations than the book moves list holds";
    case ReadErrorKind::NotSettingsFile: return "not a settings file of this version";
    case ReadErrorKind::MissingValue: return "file ends before its sixth number";
    case ReadErrorKind::ValueOutOfRange: return "number out of range";
    case ReadErrorKind::NotAFlag: return "number other than 0 and 1";
    case ReadErrorKind::BadLength: return "position text not 64 characters";
    case ReadErrorKind::BadCharacter: return "a character with no meaning in its field";
    case ReadErrorKind::RankTooLong: return "more than eight squares in a rank";
    case ReadErrorKind::RankTooShort: return "fewer than eight squares in a rank";
    case ReadErrorKind::MissingRank: return "fewer than eight ranks";
    case ReadErrorKind::BadSide: return "side to move not \"w\" or \"b\"";
    case ReadErrorKind::BadCastling: return "castling field not \"-\" or letters of KQkq";
    case ReadErrorKind::BadEnPassant: return "en passant field not \"-\" or a possible target square";
    case ReadErrorKind::MissingField: return "the text ends before the side to move";
    case ReadErrorKind::NoWhiteKing: return "no White king";
    case ReadErrorKind::NoBlackKing: return "no Black king";
    case ReadErrorKind::SeveralWhiteKings: return "more than one White king";
    case ReadErrorKind::SeveralBlackKings: return "more than one Black king";
    case ReadErrorKind::PawnOnEdgeRank: return "a pawn on the first or last rank";
    case ReadErrorKind::SideNotToMoveInCheck: return "the side not to move is in check";
    case ReadErrorKind::WrongSide: return "not a piece of the side to move";
    case ReadErrorKind::NoMoveFromSquare: return "the piece has no legal move";
    }
    return "unknown error";
}

}  // namespace orvane
