// The settings file "orvane.ini": a header line ("ORVANE" and the format
// version) and six whole numbers, one a line, each written with a blank in
// the sign position and a trailing blank.
#pragma once

#include <string>
#include <string_view>

#include "common/readerror.h"

namespace orvane::ui {

struct Settings {
    int Notation = 0;
    int BoardTurned = 0;
    int ShowMoves = 1;
    int CapNot = 0;
    int AskExit = 1;
    int CapCharacter = 0;
};

// Reads the text of a settings file. Numbers are fields ended by a blank, a
// comma or a line end (leading blanks skipped); a field that does not begin
// with a decimal number ("nan", "INF", "information") reads as 0. Only a
// text that reads without error fills out. The error says where (Line and
// Column of the field, the field as read in Token): NotSettingsFile (the
// first field is not the header: missing, short, or another version),
// MissingValue (the text ends before the sixth number), ValueOutOfRange (a
// number that does not fit the program's whole numbers) or NotAFlag (a
// number other than 0 and 1: every setting is a flag).
ReadError ParseSettings(std::string_view text, std::string_view header, Settings& out);

// The text of a settings file, lines ended by CR LF.
std::string SettingsText(std::string_view header, const Settings& settings);

}  // namespace orvane::ui
