#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zorvex {

// Texts of the wire and the files are 8-bit bytes; the windows show them as Latin-1.
inline QString FromBytes(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToBytes(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace zorvex
