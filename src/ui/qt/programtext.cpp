#include "ui/qt/programtext.h"

#include <QStringDecoder>

#include <array>

namespace orvane::ui::qt {

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their own code.
constexpr std::array<char16_t, 32> HighControls{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            text.append(QChar(HighControls[byte - 0x80u]));
        else
            text.append(QChar(static_cast<char16_t>(byte)));
    }
    return text;
}

// The Windows-1252 byte of a character, or -1 when it has none.
int Windows1252Byte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == unit) return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

bool IsUtf8(const std::string& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

QString ShowText(const std::string& bytes) {
    if (IsUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return FromWindows1252(bytes);
}

std::string ProgramText(const QString& text, bool preferWindows1252) {
    if (preferWindows1252) {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(text.size()));
        bool fits = true;
        for (const QChar ch : text) {
            const int byte = Windows1252Byte(ch.unicode());
            if (byte < 0) {
                fits = false;
                break;
            }
            bytes.push_back(static_cast<char>(byte));
        }
        if (fits) return bytes;
    }
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

QString ShownText::Set(const std::string& bytes) {
    bytes_ = bytes;
    shown_ = ShowText(bytes);
    shown_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown_.replace(QChar(u'\r'), QChar(u'\n'));
    return shown_;
}

std::string ShownText::Get(const QString& shown) const {
    if (shown == shown_) return bytes_;
    QString text = shown;
    text.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    return ProgramText(text, !IsUtf8(bytes_));
}

}  // namespace orvane::ui::qt
