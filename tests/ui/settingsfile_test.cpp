// The settings file reader: what it refuses and where (line and column of
// the field, the field as read), and that a refused text leaves the caller's
// settings alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/settingsfile.h"

namespace orvane::ui {
namespace {

constexpr std::string_view Header = "ORVANE0.10";

TEST(SettingsFile, RefusalsSayWhere) {
    struct Row {
        const char* Name;
        std::string Text;
        ReadErrorKind Kind;
        long Line;
        long Column;
        std::string Token;
    };
    const std::vector<Row> rows = {
        {"good file", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n", ReadErrorKind::None, 0, 0, ""},
        {"empty file", "", ReadErrorKind::NotSettingsFile, 1, 1, ""},
        {"other version", "ORVANE0.09\r\n 0 \r\n", ReadErrorKind::NotSettingsFile, 1, 1, "ORVANE0.09"},
        {"header only", "ORVANE0.10\r\n", ReadErrorKind::MissingValue, 2, 1, ""},
        {"five numbers, no line end", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 1", ReadErrorKind::MissingValue, 6, 3,
         ""},
        {"too large on line 3", "ORVANE0.10\r\n 0 \r\n 99999 \r\n 1 \r\n 0 \r\n 1 \r\n 0 \r\n",
         ReadErrorKind::ValueOutOfRange, 3, 2, "99999"},
        {"not a flag on line 6", "ORVANE0.10\r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 2 \r\n 0 \r\n", ReadErrorKind::NotAFlag, 6,
         2, "2"},
        {"blank lines passed over, LF line ends", "ORVANE0.10\n\n 0\n 0\n\n 1\n 0\n 1\n -1\n", ReadErrorKind::NotAFlag,
         9, 2, "-1"},
        {"several numbers on a line, a lone CR", "ORVANE0.10\r 0, 1 0\r 1 1.5 0\r", ReadErrorKind::NotAFlag, 3, 4,
         "1.5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const Settings marker{7, 7, 7, 7, 7, 7};
        Settings read = marker;
        const ReadError error = ParseSettings(row.Text, Header, read);
        EXPECT_EQ(error.Kind, row.Kind);
        EXPECT_EQ(error.Line, row.Line);
        EXPECT_EQ(error.Column, row.Column);
        EXPECT_EQ(error.Token, row.Token);
        if (error) {
            EXPECT_EQ(read.Notation, 7) << "a refused file changed the settings";
        }
    }
}

}  // namespace
}  // namespace orvane::ui
