#pragma once

#include <QByteArrayView>
#include <QLatin1Char>
#include <QString>

namespace tivoral {

// Messages break their lines with CR alone, as the dialogs show them; files end lines with CR LF.
inline const QString CR = QStringLiteral("\r");
inline const QString CRLF = QStringLiteral("\r\n");
// Words are separated by blanks.
inline constexpr QLatin1Char Blank(' ');
// The byte order mark that starts the program's UTF-8 files.
inline constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

} // namespace tivoral
