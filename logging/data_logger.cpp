#include "logging/data_logger.h"

#include "platform/append_file.h"
#include "platform/c_format.h"
#include "platform/clock.h"
#include "settings/config_file.h"
#include "settings/storage.h"
#include "settings/time_stamp.h"

#include <algorithm>

namespace
{
constexpr double kTimeTagSpacing = 600.0;
}  // namespace

CDataLogger::CDataLogger() = default;

CDataLogger::~CDataLogger()
{
    SaveSettings();
}

void CDataLogger::SaveSettings() const
{
    CConfigFile file;
    const std::string strPath = file.MakeFileName(m_strName.empty() ? "Logging" : m_strName, "");
    if (!file.Open(strPath, CTextFile::EMode::Write))
        return;
    file.WriteBool("Status", m_bLogging);
    file.WriteUInt("Log Interval", m_nLogInterval);
    file.WriteBool("Use", m_bUse);
    file.WriteBool("Time Stamp", m_bTimeStamp);
    file.WriteBool("Stamp File", m_bStampFile);
    file.WriteInt("File Type", m_nFileType);
    file.WriteBool("Automatic File Name", m_bAutoFileName);
    file.WriteText("Log Name", m_strLogName);
    file.WriteText("File Extension", m_strExtension);
    file.WriteText("Table Name", m_strTableName);
    file.WriteShort("Log Method", m_nLogMethod);
    file.Close();
}

std::string CDataLogger::PrefixedName(const std::string& name) const
{
    return m_strNamePrefix.empty() ? name : m_strNamePrefix + "_" + name;
}

void CDataLogger::StartStampedRun()
{
    m_nLogInterval = 0;
    m_bAutoFileName = 0;
    m_bStampFile = 1;
    SaveSettings();
    StartLogging();
}

void CDataLogger::StartLogging()
{
    if (m_bLogging == 1)
        return;
    m_bLogging = 1;
    m_tLastLogged = 0;
    if (m_bStampFile != 1)
        return;
    // One reading of the clock for both the date and the time of day, so that a start at
    // midnight cannot pair one day's date with the other day's clock.
    const SClockTime now = LocalNow();
    const std::string strDate = FormatDayFileStamp(now);
    std::string strName;
    if (!strDate.empty())
        strName = FormatC("%s@%02d%02d%02d", strDate.c_str(), now.m_nHour, now.m_nMinute, now.m_nSecond);
    m_strLogName = PrefixedName(strName);
}

bool CDataLogger::MakeAutomaticName()
{
    if (m_bAutoFileName != 1 && !m_strLogName.empty())
        return false;
    std::string strName = MakeDateFileStamp(m_nRolloverHours);
    if (m_bMonthlyFiles)
        strName.erase(0, std::min<size_t>(2, strName.size()));
    m_strLogName = PrefixedName(strName);
    return false;
}

std::string CDataLogger::GetLogFilePath() const
{
    const std::string strFolder = GetLogFolder(m_strName, m_bMonthlyFiles != 0);
    if (m_nFileIndex == 0)
        return FormatC("%s%s.%s", strFolder.c_str(), m_strLogName.c_str(), m_strExtension.c_str());
    return FormatC("%s%s_%d.%s", strFolder.c_str(), m_strLogName.c_str(), m_nFileIndex, m_strExtension.c_str());
}

bool CDataLogger::IntervalElapsed() const
{
    const bool bElapsed = GetStampSeconds() - m_tLastLogged > static_cast<double>(m_nLogInterval);
    if (static_cast<int64_t>(m_nLogInterval) != m_nSavedInterval)
        SaveSettings();
    return bElapsed;
}

std::string CDataLogger::BuildRecord(std::string_view line, bool bWithTimeTag) const
{
    std::string record;
    if (bWithTimeTag)
        record += FormatC("$TIMETAG,%s,%s,%.2f\r\n", CurrentDateText().c_str(), CurrentTimeText().c_str(),
                          GetStampSeconds());
    if (m_bTimeStamp == 1)
        record += FormatStampDate(GetStampSeconds()) + "," + FormatTimeOfDay(GetSecondsOfDay()) + ",";
    // The line's bytes as received, zero bytes included: cut at a zero byte, the record
    // would lose its line end and run into the next sentence.
    record += line;
    return record;
}

bool CDataLogger::WriteRecord(std::string_view line)
{
    if (m_bUse != 1 || m_bLogging != 1)
        return false;
    MakeAutomaticName();
    const bool bWithTimeTag = m_bTimeTag == 1 && GetStampSeconds() - m_tLastTimeTag >= kTimeTagSpacing;
    if (!AppendWholeToFile(GetLogFilePath(), BuildRecord(line, bWithTimeTag)))
        return false;
    // A tag that did not reach the file is written with the next record instead.
    if (bWithTimeTag)
        m_tLastTimeTag = GetStampSeconds();
    return true;
}

void LogSentence(CDataLogger& logger, std::string_view line)
{
    logger.m_nFileIndex = 0;
    if (logger.m_bUse == 1 && !line.empty() && line.front() != '\0')
    {
        if (logger.m_bLogging == 1)
        {
            if (logger.m_bWasLogging == 0)
                logger.m_tLastLogged = 0;
            if (logger.m_nLogMethod == 0 || logger.m_nLogInterval == 0 || logger.IntervalElapsed())
            {
                // A line that could not be written leaves the interval open, so the next
                // line tries again.
                if (logger.WriteRecord(line))
                    logger.m_tLastLogged = GetStampSeconds();
            }
        }
        logger.m_bWasLogging = logger.m_bLogging;
    }
    logger.m_nFileIndex = 0;
}
