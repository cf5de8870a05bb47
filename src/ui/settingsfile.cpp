#include "ui/settingsfile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "record/gamerecord.h"

namespace orvane::ui {

namespace {

// Reads the file as delimited fields: the header up to a comma or the line's
// end, then numeric fields ended by a blank, a comma or the line's end.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    // Where the next character is: 1-based line and column.
    long Line() const { return line_; }
    long Column() const { return static_cast<long>(pos_ - lineStart_) + 1; }

    bool ReadTextField(std::string& field) {
        SkipBlanks();
        if (AtEnd()) return false;
        const std::size_t start = pos_;
        while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        field.assign(text_.substr(start, pos_ - start));
        while (!field.empty() && field.back() == ' ') field.pop_back();
        SkipDelimiter();
        return true;
    }

    // place: the line and column where the field begins.
    bool ReadNumberField(std::string& field, std::pair<long, long>& place) {
        // Blank lines between numbers are passed over, as the runtime does.
        for (;;) {
            SkipBlanks();
            if (AtEnd()) return false;
            if (!IsLineEnd(text_[pos_])) break;
            SkipLineEnd();
        }
        place = {Line(), Column()};
        const std::size_t start = pos_;
        while (!AtEnd() && text_[pos_] != ' ' && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        field.assign(text_.substr(start, pos_ - start));
        SkipDelimiter();
        return true;
    }

private:
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
    void SkipBlanks() {
        while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    void SkipLineEnd() {
        if (!AtEnd() && text_[pos_] == '\r') ++pos_;
        if (!AtEnd() && text_[pos_] == '\n') ++pos_;
        ++line_;
        lineStart_ = pos_;
    }
    void SkipDelimiter() {
        SkipBlanks();
        if (AtEnd()) return;
        if (text_[pos_] == ',')
            ++pos_;
        else if (IsLineEnd(text_[pos_]))
            SkipLineEnd();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    long line_ = 1;
    std::size_t lineStart_ = 0;
};

// The value of a numeric field: its leading decimal number (sign, digits,
// decimal point and digits, exponent), rounded to a whole number (half to
// even). A field that does not begin with one ("nan", "INF", "information",
// "x1") reads as 0, and "0x1" as its leading 0. False when the number does
// not fit a 16-bit whole number.
bool FieldValue(const std::string& field, int& value) {
    auto isDigit = [&](std::size_t i) { return i < field.size() && field[i] >= '0' && field[i] <= '9'; };
    std::size_t end = 0;
    if (end < field.size() && (field[end] == '+' || field[end] == '-')) ++end;
    std::size_t digits = 0;
    for (; isDigit(end); ++end) ++digits;
    if (end < field.size() && field[end] == '.') {
        ++end;
        for (; isDigit(end); ++end) ++digits;
    }
    if (digits == 0) {
        value = 0;
        return true;
    }
    if (end < field.size() && (field[end] == 'e' || field[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < field.size() && (field[exponent] == '+' || field[exponent] == '-')) ++exponent;
        if (isDigit(exponent)) {
            while (isDigit(exponent)) ++exponent;
            end = exponent;
        }
    }
    // from_chars takes no "+" and ignores the locale, unlike strtod.
    const std::size_t start = field[0] == '+' ? 1 : 0;
    double v = 0.0;
    const auto [stop, ec] = std::from_chars(field.data() + start, field.data() + end, v);
    if (ec == std::errc::result_out_of_range) {
        // Too small to tell from 0 (a large negative exponent) is 0; too large does not fit.
        const std::size_t e = field.find_first_of("eE");
        const bool tiny = e < end && field[e + 1] == '-';
        if (!tiny) return false;
        v = 0.0;
    } else if (ec != std::errc() || stop != field.data() + end) {
        value = 0;
        return true;
    }
    const double rounded = std::nearbyint(v);
    if (!std::isfinite(rounded) || rounded < -32768.0 || rounded > 32767.0) return false;
    value = static_cast<int>(rounded);
    return true;
}

}  // namespace

ReadError ParseSettings(std::string_view text, std::string_view header, Settings& out) {
    FieldReader reader(text);
    auto fault = [](ReadErrorKind kind, long line, long column, std::string_view field) {
        ReadError error;
        error.Kind = kind;
        error.Line = line;
        error.Column = column;
        error.Token = std::string(field);
        return error;
    };
    std::string field;
    if (!reader.ReadTextField(field) || field != header) return fault(ReadErrorKind::NotSettingsFile, 1, 1, field);
    std::array<int, 6> values{};
    std::array<std::pair<long, long>, 6> places{};
    std::array<std::string, 6> fields;
    for (std::size_t i = 0; i < values.size(); ++i) {
        // Blank lines and blanks before a number are passed over: the number
        // is where its first character stands.
        if (!reader.ReadNumberField(field, places[i]))
            return fault(ReadErrorKind::MissingValue, reader.Line(), reader.Column(), {});
        if (!FieldValue(field, values[i]))
            return fault(ReadErrorKind::ValueOutOfRange, places[i].first, places[i].second, field);
        fields[i] = field;
    }
    // Every setting is a flag: anything but 0 and 1 is a file the program
    // cannot use.
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] != 0 && values[i] != 1)
            return fault(ReadErrorKind::NotAFlag, places[i].first, places[i].second, fields[i]);
    out = Settings{values[0], values[1], values[2], values[3], values[4], values[5]};
    return {};
}

std::string SettingsText(std::string_view header, const Settings& settings) {
    std::string text(header);
    text += "\r\n";
    for (const int v : {settings.Notation, settings.BoardTurned, settings.ShowMoves, settings.CapNot, settings.AskExit,
                        settings.CapCharacter}) {
        text += SignedText(v);
        text += " \r\n";
    }
    return text;
}

}  // namespace orvane::ui
