#include "FilePath.h"

#include <QDir>

#include <string>
#include <type_traits>

namespace morvane {
namespace {

constexpr char16_t EscapedByteBase = 0xDC00;

bool isEscapedByte(const QString& text, qsizetype at)
{
    const char16_t unit = text[at].unicode();
    // The second half of a character past U+FFFF is no escaped byte, whatever its value.
    return unit >= EscapedByteBase + 0x80 && unit <= EscapedByteBase + 0xFF &&
           (at == 0 || !text[at - 1].isHighSurrogate());
}

// The length of the well-formed UTF-8 character at bytes[at], or 0.
std::size_t utf8CharacterLength(const std::string& bytes, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || at + length > bytes.size()) return 0;
    for (std::size_t i = at + 1; i < at + length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF.
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

QString textOfBytes(const std::string& bytes)
{
    QString text;
    for (std::size_t at = 0; at < bytes.size();) {
        if (const auto length = utf8CharacterLength(bytes, at)) {
            text += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
            at += length;
        } else {
            text += QChar(static_cast<char16_t>(EscapedByteBase + static_cast<unsigned char>(bytes[at++])));
        }
    }
    return text;
}

std::string bytesOfText(const QString& text)
{
    std::string bytes;
    for (qsizetype at = 0; at < text.size();) {
        if (isEscapedByte(text, at)) {
            bytes += static_cast<char>(text[at++].unicode() - EscapedByteBase);
            continue;
        }
        qsizetype end = at + 1;
        while (end < text.size() && !isEscapedByte(text, end)) ++end;
        bytes += text.mid(at, end - at).toStdString();
        at = end;
    }
    return bytes;
}

// Names are UTF-16 where the system's path is made of wide characters.
constexpr bool WideNames = std::is_same_v<std::filesystem::path::value_type, wchar_t>;

}  // namespace

std::filesystem::path toFilePath(const QString& path)
{
    const QString native = QDir::toNativeSeparators(path);
    if constexpr (WideNames) return native.toStdWString();
    else return bytesOfText(native);
}

QString fromFilePath(const std::filesystem::path& path)
{
    if constexpr (WideNames) return QDir::fromNativeSeparators(QString::fromStdWString(path.wstring()));
    else return textOfBytes(path.string());
}

QString localFilePath(const QUrl& url)
{
    if (!url.isLocalFile()) return {};
    // The percent-encoded form still holds the name's own bytes.
    if constexpr (WideNames) return url.toLocalFile();
    else return textOfBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
}

}  // namespace morvane
