#include "ui/settingsfile.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "record/gamerecord.h"

namespace orvane::ui {

namespace {

// Reads the file as delimited fields: the header up to a comma or the line's
// end, then numeric fields ended by a blank, a comma or the line's end.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }

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

    bool ReadNumberField(std::string& field) {
        // Blank lines between numbers are passed over, as the runtime does.
        for (;;) {
            SkipBlanks();
            if (AtEnd()) return false;
            if (!IsLineEnd(text_[pos_])) break;
            SkipLineEnd();
        }
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
    }
    void SkipDelimiter() {
        SkipBlanks();
        if (AtEnd()) return;
        if (text_[pos_] == ',') ++pos_;
        else if (IsLineEnd(text_[pos_])) SkipLineEnd();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
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

SettingsStatus ParseSettings(std::string_view text, std::string_view header, Settings& out) {
    FieldReader reader(text);
    std::string field;
    if (!reader.ReadTextField(field) || field != header) return SettingsStatus::Invalid;
    std::array<int, 6> values{};
    for (int& v : values) {
        if (!reader.ReadNumberField(field)) return SettingsStatus::Invalid;
        if (!FieldValue(field, v)) return SettingsStatus::Overflow;
    }
    // Every setting is a flag: anything but 0 and 1 is a file the program
    // cannot use.
    for (const int v : values)
        if (v != 0 && v != 1) return SettingsStatus::NotAFlag;
    out = Settings{values[0], values[1], values[2], values[3], values[4], values[5]};
    return SettingsStatus::Read;
}

std::string SettingsText(std::string_view header, const Settings& settings) {
    std::string text(header);
    text += "\r\n";
    for (const int v : {settings.Notation, settings.BoardTurned, settings.ShowMoves, settings.CapNot,
                        settings.AskExit, settings.CapCharacter}) {
        text += SignedText(v);
        text += " \r\n";
    }
    return text;
}

}  // namespace orvane::ui
