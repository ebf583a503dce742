#pragma once
// A prompt for tests: it records every message and question it is shown and answers the
// questions from a script (Yes when the script has run out).

#include "platform/prompt.h"

#include <deque>
#include <string>
#include <vector>

class CScriptedPrompt : public IPrompt
{
public:
    struct SShown
    {
        std::string m_strText;
        std::string m_strCaption;
        bool m_bQuestion = false;
    };

    void AnswerNext(bool bYes) { m_answers.push_back(bYes); }

    void Message(const std::string& strText, const std::string& strCaption) override
    {
        m_shown.push_back({strText, strCaption, false});
    }

    bool AskYesNo(const std::string& strText, const std::string& strCaption) override
    {
        m_shown.push_back({strText, strCaption, true});
        if (m_answers.empty())
            return true;
        bool bYes = m_answers.front();
        m_answers.pop_front();
        return bYes;
    }

    const std::vector<SShown>& Shown() const { return m_shown; }

    // The texts shown, in order, for compact assertions.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const SShown& shown : m_shown)
            texts.push_back(shown.m_strText);
        return texts;
    }

    // The first line of each text: the message itself, without the lines that say more.
    std::vector<std::string> FirstLines() const
    {
        std::vector<std::string> lines;
        for (const SShown& shown : m_shown)
            lines.push_back(shown.m_strText.substr(0, shown.m_strText.find('\n')));
        return lines;
    }

private:
    std::deque<bool> m_answers;
    std::vector<SShown> m_shown;
};
