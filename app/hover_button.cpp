#include "app/hover_button.h"

#include "app/scaled_picture.h"
#include "platform/c_format.h"
#include "platform/program_launcher.h"
#include "platform/prompt.h"
#include "platform/qt/text_codec.h"
#include "resources/images.h"

#include <QFontMetrics>
#include <QPainter>

#include <filesystem>

int CHoverButton::s_nInstances = 0;
std::string CHoverButton::s_strStartDir;
std::optional<QFont> CHoverButton::s_font;
QLabel* CHoverButton::s_pPictureArea = nullptr;

namespace {

constexpr int kExitButtonId = 6;
const QColor kCaptionColour(255, 255, 255);
const QColor kLitCaptionColour(64, 64, 64);

// Replaces each pair of '/' by one, left to right, as a path joined from a folder with a
// trailing separator and a name may carry one pair too many.
std::string CollapseDoubleSeparators(const std::string& strPath)
{
    std::string result;
    result.reserve(strPath.size());
    for (std::size_t i = 0; i < strPath.size(); ++i) {
        result += strPath[i];
        if (strPath[i] == '/' && i + 1 < strPath.size() && strPath[i + 1] == '/') {
            ++i;
        }
    }
    return result;
}

}  // namespace

CHoverButton::CHoverButton(IPrompt& prompt, IProgramLauncher& launcher, QWidget* pParent)
    : QLabel(pParent), m_prompt(prompt), m_launcher(launcher)
{
    // The launcher window handles the mouse for its buttons.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (s_nInstances == 0) {
        // The launcher's own helper folder, never the current folder: a file placed there
        // under the set-up's name must not run.
        s_strStartDir = launcher.ProgramsFolder();
        s_font.emplace("Candara");
        s_font->setPointSize(12);
    }
    ++s_nInstances;
}

CHoverButton::~CHoverButton()
{
    --s_nInstances;
    if (s_nInstances == 0) {
        s_font.reset();
    }
}

void CHoverButton::Setup(int nId, const std::string& strCaption, const std::string& strProgram,
                         const std::string& strParams, int nPictureId)
{
    m_nId = nId;
    if (nId == kExitButtonId) {
        m_strProgram.clear();
        m_strCaption = strCaption.empty() ? "Exit" : strCaption;
    } else {
        m_strProgram = strProgram;
        m_strParams = strParams;
        m_strCaption = strCaption;
    }
    m_hBmpNormal = ScaledBitmapResource(kBmpFaceNormal, size());
    m_hBmpHover = ScaledBitmapResource(kBmpFaceLit, size());
    setPixmap(m_hBmpNormal);
    if (s_pPictureArea != nullptr) {
        m_hBmpPicture = ScaledBitmapResource(nPictureId, s_pPictureArea->size());
    }
}

void CHoverButton::Paint()
{
    QPixmap face(size());
    face.fill(Qt::transparent);
    QPainter painter(&face);
    const QPixmap& bitmap = m_bHover ? m_hBmpHover : m_hBmpNormal;
    if (!bitmap.isNull()) {
        painter.drawPixmap(0, 0, bitmap);
    }
    painter.setFont(*s_font);
    painter.setPen(m_bHover ? kLitCaptionColour : kCaptionColour);
    const QString caption = ToQString(m_strCaption);
    const QFontMetrics metrics(*s_font);
    const int x = width() / 2 - metrics.horizontalAdvance(caption) / 2;
    const int y = height() / 2 - metrics.height() / 2;
    painter.drawText(x, y + metrics.ascent(), caption);
    painter.end();
    setPixmap(face);
}

bool CHoverButton::HitTest(const QPoint& ptParent) const
{
    if (!isVisible()) {
        return false;
    }
    const QPoint pt = window()->mapToGlobal(ptParent);
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    return topLeft.x() < pt.x() && pt.x() < topLeft.x() + width() && topLeft.y() < pt.y() &&
           pt.y() < topLeft.y() + height();
}

bool CHoverButton::Click(const QPoint& ptParent)
{
    if (!HitTest(ptParent)) {
        return false;
    }
    if (!m_strProgram.empty()) {
        StartProgram();
    }
    return true;
}

void CHoverButton::StartProgram()
{
    const std::string strPath = CollapseDoubleSeparators(s_strStartDir + m_strProgram);
    std::error_code error;
    if (!std::filesystem::exists(strPath, error)) {
        m_prompt.Message(FormatC("Can't Find %s", s_strStartDir.c_str()), "Zephyrane");
        return;
    }
    QWidget* pWindow = window();
    pWindow->hide();
    m_launcher.StartAndWait(strPath, {"/A"}, kProgramWaitMs);
    pWindow->showNormal();
}
