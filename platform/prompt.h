#pragma once
// Message boxes as the core sees them: a plain message with an OK button, and a Yes/No
// question. Neither shows an icon. The program shows them as dialog boxes; tests answer
// them from a script.

#include <string>

class IPrompt
{
public:
    virtual ~IPrompt() = default;
    // Shows strText under strCaption with an OK button and returns when it is dismissed.
    virtual void Message(const std::string& strText, const std::string& strCaption) = 0;
    // Asks strText under strCaption with Yes and No buttons; true when the answer is Yes.
    virtual bool AskYesNo(const std::string& strText, const std::string& strCaption) = 0;
};
