#pragma once
// The prompt as message boxes: the text under its caption, without an icon, with an OK
// button or with Yes and No, in front of the window that is active at the time.
#include "platform/prompt.h"

class CMessageBoxPrompt : public IPrompt {
public:
    void Message(const std::string& strText, const std::string& strCaption) override;
    bool AskYesNo(const std::string& strText, const std::string& strCaption) override;
};
