#pragma once
// The one conversion between the core's Windows-1252 texts (std::string bytes, degree sign
// 0xB0) and Qt's QString, used wherever a text crosses into widgets or painting.

#include <QString>
#include <string>

QString ToQString(const std::string& strText);
// Characters that Windows-1252 cannot hold become '?'.
std::string FromQString(const QString& strText);
