// Text between the window's behaviour and the widgets. The program holds its
// texts as UTF-8 (text from files is decoded as it is read); a text that is
// not valid UTF-8 all the same (a file name, say) is shown as Windows-1252.
#pragma once

#include <QString>

#include <string>

namespace orvane::ui::qt {

// The program's text as shown on screen.
QString ShowText(const std::string& bytes);

// Text typed on screen as the program's text, UTF-8.
std::string ProgramText(const QString& text);

// A text shown in a widget, remembering the bytes it came from so that an
// unchanged text goes back byte for byte.
class ShownText {
public:
    // Remembers bytes and returns what to show. Line ends CR LF and lone CR
    // are shown as line breaks.
    QString Set(const std::string& bytes);
    // The bytes of what the widget shows now: the original when unchanged,
    // otherwise the new text as UTF-8 with CR LF line ends.
    std::string Get(const QString& shown) const;

private:
    std::string bytes_;
    QString shown_;
};

}  // namespace orvane::ui::qt
