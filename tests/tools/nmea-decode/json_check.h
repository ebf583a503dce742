#pragma once

#include <cctype>
#include <string_view>

// A strict check that a text is exactly one JSON value (RFC 8259), for the tests of the
// tool's output.
class CJsonCheck
{
public:
    static bool IsValid(std::string_view text)
    {
        CJsonCheck check(text);
        if (!check.Value())
            return false;
        check.SkipSpace();
        return check.AtEnd();
    }

private:
    explicit CJsonCheck(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_nPos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_nPos]; }
    bool Eat(char ch)
    {
        SkipSpace();
        if (Peek() != ch)
            return false;
        ++m_nPos;
        return true;
    }
    void SkipSpace()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++m_nPos;
    }
    bool Literal(std::string_view word)
    {
        if (m_text.substr(m_nPos, word.size()) != word)
            return false;
        m_nPos += word.size();
        return true;
    }
    bool Digits()
    {
        const std::size_t nStart = m_nPos;
        while (std::isdigit(static_cast<unsigned char>(Peek())))
            ++m_nPos;
        return m_nPos > nStart;
    }
    bool Number()
    {
        if (Peek() == '-')
            ++m_nPos;
        if (Peek() == '0')
            ++m_nPos;
        else if (!Digits())
            return false;
        if (Peek() == '.') {
            ++m_nPos;
            if (!Digits())
                return false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_nPos;
            if (Peek() == '+' || Peek() == '-')
                ++m_nPos;
            return Digits();
        }
        return true;
    }
    bool String()
    {
        if (!Eat('"'))
            return false;
        while (!AtEnd()) {
            const auto ch = static_cast<unsigned char>(m_text[m_nPos++]);
            if (ch == '"')
                return true;
            if (ch < 0x20 || ch > 0x7F)  // the tool writes plain ASCII
                return false;
            if (ch == '\\') {
                const char escape = Peek();
                ++m_nPos;
                if (escape == 'u') {
                    for (int i = 0; i < 4; ++i, ++m_nPos) {
                        if (!std::isxdigit(static_cast<unsigned char>(Peek())))
                            return false;
                    }
                } else if (std::string_view("\"\\/bfnrt").find(escape) == std::string_view::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    template <typename Item>
    bool List(char close, Item item)
    {
        if (Eat(close))
            return true;
        do {
            if (!item())
                return false;
        } while (Eat(','));
        return Eat(close);
    }
    bool Value()
    {
        SkipSpace();
        switch (Peek()) {
        case '{':
            ++m_nPos;
            return List('}', [this] { return String() && Eat(':') && Value(); });
        case '[':
            ++m_nPos;
            return List(']', [this] { return Value(); });
        case '"': return String();
        case 't': return Literal("true");
        case 'f': return Literal("false");
        case 'n': return Literal("null");
        default: return Number();
        }
    }

    std::string_view m_text;
    std::size_t m_nPos = 0;
};
