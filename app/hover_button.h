#pragma once
// The picture button of the launcher window: a static control that shows a button face with
// a centred caption, lights up while the mouse is over it, carries a help picture for the
// launcher's picture area and may start a program when clicked. The launcher drives it
// completely from its own mouse handlers: the button receives no mouse events itself.
#include <QFont>
#include <QLabel>
#include <QPixmap>

#include <optional>
#include <string>

class IProgramLauncher;
class IPrompt;

class CHoverButton : public QLabel
{
public:
    // How long a click waits for the started program, with the parent window hidden.
    static constexpr int kProgramWaitMs = 5000;

    CHoverButton(IPrompt& prompt, IProgramLauncher& launcher, QWidget* pParent = nullptr);
    ~CHoverButton() override;

    // The launcher's picture area, whose size the help pictures are scaled to. Set before the
    // buttons are set up.
    static void SetPictureArea(QLabel* pPictureArea) { s_pPictureArea = pPictureArea; }
    // The directory programs are looked for in: the programs folder of the first button's
    // launcher (the program's helper folder), with a trailing '/'.
    static const std::string& StartDir() { return s_strStartDir; }

    // Gives the button its identifier, caption and program and scales its faces and help
    // picture (bitmap pictureId) to the sizes of the button and of the picture area. Button 6
    // is the exit button: it never has a program, and its caption defaults to "Exit".
    void Setup(int nId, const std::string& strCaption, const std::string& strProgram,
               const std::string& strParams, int nPictureId);
    // Shows the face for the current lit state with the caption centred on it.
    void Paint();
    // Whether ptParent (in the coordinates of the button's window) lies strictly inside the
    // visible button; a point on its edge is outside.
    bool HitTest(const QPoint& ptParent) const;
    // On a hit, starts the button's program, if it has one, with the argument "/A" and
    // returns true. The button's window hides while the program runs, for at most
    // kProgramWaitMs; a missing program gives the message "Can't Find <start dir>".
    bool Click(const QPoint& ptParent);

    const QPixmap& GetPicture() const { return m_hBmpPicture; }
    const std::string& GetCaption() const { return m_strCaption; }
    const std::string& GetProgram() const { return m_strProgram; }
    const std::string& GetParams() const { return m_strParams; }

    // The button is lit; written by the launcher.
    bool m_bHover = false;

private:
    void StartProgram();

    IPrompt& m_prompt;
    IProgramLauncher& m_launcher;
    QPixmap m_hBmpNormal;
    QPixmap m_hBmpHover;
    QPixmap m_hBmpPicture;
    int m_nId = 0;
    std::string m_strCaption;
    std::string m_strProgram;
    std::string m_strParams;

    static int s_nInstances;
    static std::string s_strStartDir;
    static std::optional<QFont> s_font;
    static QLabel* s_pPictureArea;
};
