#include "platform/qt/text_codec.h"

#include <array>

namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined,
// which are taken as the C1 control of the same value. Every other byte is its Latin-1
// code point.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t DecodeByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) {
    return kHighControls[byte - 0x80];
  }
  return byte;
}

char EncodeChar(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
    return static_cast<char>(ch);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == ch || (kHighControls[i] == 0 && ch == 0x80 + i)) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

}  // namespace

QString ToQString(const std::string& strText) {
  QString result;
  result.reserve(static_cast<qsizetype>(strText.size()));
  for (char byte : strText) {
    result.append(QChar(DecodeByte(static_cast<unsigned char>(byte))));
  }
  return result;
}

std::string FromQString(const QString& strText) {
  std::string result;
  result.reserve(static_cast<std::size_t>(strText.size()));
  for (QChar ch : strText) {
    result.push_back(EncodeChar(ch.unicode()));
  }
  return result;
}
