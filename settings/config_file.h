#pragma once
// A configuration file: one setting per line, "key = value", written in a fixed order by
// its owner and read back by position (the keys are for human readers only). Files are
// Windows-1252 text with CR LF line ends, so that they read the same on Windows machines.
// Numbers never depend on the user's locale.
//
// Calling order: construct; MakeFileName (or OpenForWrite); Open; when it succeeded the
// writes or reads; Close; destroy. A file that cannot be opened is simply not written or
// read; the owner falls back to its defaults.

#include "platform/text_file.h"

#include <cstdint>
#include <string>

class CConfigFile : public CTextFile
{
public:
    CConfigFile() = default;
    ~CConfigFile() override = default;

    // The full path of the file `name` in the settings folder: blanks in the name become
    // '_', and the extension is `extension`, or "INI" when it is empty. Creates nothing.
    virtual std::string MakeFileName(const std::string& name, const std::string& extension = "");

    // Opens "<folder><name>.INI" (or "<name>.INI" when the folder is empty) for writing;
    // blanks are kept. `folder` ends with '/'.
    bool OpenForWrite(const std::string& folder, const std::string& name);

    // Writers: one line each; false when the line could not be written.
    bool WriteInt(const std::string& key, std::int32_t value);         // "%s = %d"
    bool WriteShort(const std::string& key, std::int32_t value);       // low 16 bits, signed
    bool WriteUInt(const std::string& key, std::uint32_t value);       // "%s = %u"
    bool WriteBool(const std::string& key, std::uint8_t flag);         // "1" only for exactly 1
    bool WriteParity(char letter);                                     // "Parity = %c"
    bool WriteText(const std::string& key, const std::string& text);   // CR, LF, comma escaped

    // Readers: each consumes one line whatever its key. At the end of the file, on an
    // empty line or on a line without '=' they return their default: ReadInt 0,
    // ReadShort 10, ReadChar a blank.
    std::int32_t ReadInt();   // the number after '=', as atoi reads it, clamped to 32 bits
    std::int16_t ReadShort(); // the same number, low 16 bits
    char ReadChar();          // the first non-blank character after '=', or a blank
    // The text after '=' without its leading and trailing blanks; empty by default. The
    // tokens WriteText puts for CR, LF and comma are not turned back.
    std::string ReadText();

    static constexpr std::int16_t kDefaultShort = 10;

private:
    // The text after the first '=' of the next line; false when the default applies.
    bool ReadValue(std::string& value);
};

// The text of `text` as WriteText stores it: CR, LF and comma become the Windows-1252
// tokens «CR», «LF» and «COMMA» (« and » are the bytes 0xAB and 0xBB).
std::string EscapeConfigText(const std::string& text);
