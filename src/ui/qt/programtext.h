// Text between the window's behaviour and the widgets. The program's texts
// are 8-bit: text from files is shown decoded as UTF-8 when it is valid UTF-8
// and as Windows-1252 otherwise, and handed back as it was read unless the
// user changed it.
#pragma once

#include <QString>

#include <string>

namespace orvane::ui::qt {

// Whether bytes are well-formed UTF-8.
bool IsUtf8(const std::string& bytes);

// The program's 8-bit text as shown on screen.
QString ShowText(const std::string& bytes);

// Text typed on screen as the program's 8-bit text: Windows-1252 when
// preferWindows1252 is set and every character fits, UTF-8 otherwise.
std::string ProgramText(const QString& text, bool preferWindows1252 = false);

// A text shown in a widget, remembering the bytes it came from so that an
// unchanged text goes back byte for byte.
class ShownText {
public:
    // Remembers bytes and returns what to show. Line ends CR LF and lone CR
    // are shown as line breaks.
    QString Set(const std::string& bytes);
    // The bytes of what the widget shows now: the original when unchanged,
    // otherwise the new text in the original's encoding with CR LF line ends.
    std::string Get(const QString& shown) const;

private:
    std::string bytes_;
    QString shown_;
};

}  // namespace orvane::ui::qt
