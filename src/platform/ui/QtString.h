// Text is UTF-8 std::string below the windows and QString in them; these
// convert at that border.
#pragma once

#include <QString>
#include <string>

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }
// Without the leading and trailing white space Qt knows (Unicode spaces too).
inline std::string TrimText(const std::string& s) { return Q(s).trimmed().toStdString(); }
