#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The logging engine: its settings, the start of a logging run, the naming of log files and
// the writing of one record per received line. It keeps no file open between records: each
// record opens the current log file for appending and closes it again, so the file on disk
// is complete after every record. Used only on the user-interface thread of its window.
class CDataLogger
{
public:
    CDataLogger();
    ~CDataLogger();
    CDataLogger(const CDataLogger&) = delete;
    CDataLogger& operator=(const CDataLogger&) = delete;

    // Rewrites the settings file (eleven lines); a file that cannot be opened loses the
    // save silently.
    void SaveSettings() const;

    // The data logger window's way of logging: every line, into one file named after the
    // moment the run starts. Sets the settings for it, saves them and starts the run.
    void StartStampedRun();

    // Starts a logging run; does nothing while one is active. With m_bStampFile the log
    // name becomes the start time, such as 08Dec2026@103902.
    void StartLogging();

    // Renews m_strLogName from today's date (and hour block) when automatic naming applies
    // or the name is empty. Always returns false.
    bool MakeAutomaticName();

    // Full path of the current log file; creates the year and month folders as needed.
    std::string GetLogFilePath() const;

    // True when more than m_nLogInterval seconds have passed since the last logged line.
    // While m_nLogInterval differs from m_nSavedInterval every call saves the settings too.
    bool IntervalElapsed() const;

    // Appends one record (optional time tag, optional date-and-clock prefix, the line's
    // bytes as received) to the current log file. Returns true only when the logger is
    // enabled, a run is active and the whole record reached the file; a record that fails
    // leaves nothing of itself in the file.
    bool WriteRecord(std::string_view line);

    // The next record begins with a time tag when time tags are on, as the first of a run.
    void TagNextRecord() { m_tLastTimeTag = 0; }

    // Settings and state, open to the owner, which chooses the settings before a run starts.
    // Every logger starts from these defaults: the settings file is written, never read.
    uint8_t m_bUse = 1;
    uint8_t m_bLogging = 0;
    int32_t m_nFileType = 0;
    uint32_t m_nLogInterval = 60;
    uint8_t m_bTimeStamp = 0;
    uint8_t m_bTimeTag = 0;
    double m_tLastTimeTag = 0;
    std::string m_strName;
    int16_t m_nLogMethod = 0;
    uint8_t m_bWasLogging = 0;
    uint8_t m_bAutoFileName = 1;
    uint8_t m_bStampFile = 0;
    uint8_t m_bMonthlyFiles = 0;
    uint16_t m_nRolloverHours = 0;
    std::string m_strLogName = "LOG";
    std::string m_strNamePrefix;
    std::string m_strExtension = "LOG";
    std::string m_strTableName = "Sheet1";
    int16_t m_nFileIndex = 0;
    double m_tLastLogged = 0;
    int32_t m_nSavedInterval = 60;

private:
    std::string PrefixedName(const std::string& name) const;
    std::string BuildRecord(std::string_view line, bool bWithTimeTag) const;
};

// The per-line cycle the data logger window runs for every line it takes from the receive
// ring: decides by the log method whether the line is logged and writes it.
void LogSentence(CDataLogger& logger, std::string_view line);
