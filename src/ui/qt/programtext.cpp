#include "ui/qt/programtext.h"

#include "common/encoding.h"

namespace orvane::ui::qt {

QString ShowText(const std::string& bytes) {
    const std::string text = DecodeText(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ProgramText(const QString& text) {
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
    return ProgramText(text);
}

}  // namespace orvane::ui::qt
