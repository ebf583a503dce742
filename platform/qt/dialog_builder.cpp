#include "platform/qt/dialog_builder.h"

#include "platform/qt/text_codec.h"
#include "platform/qt/list_box.h"
#include "platform/qt/theme_style.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

QRect DluRectToPixels(int x, int y, int cx, int cy)
{
    return {DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(cx), DluToPixelsY(cy)};
}

QSize TemplateClientSize(const SDlgTemplate& dlg)
{
    return {DluToPixelsX(dlg.cx), DluToPixelsY(dlg.cy)};
}

QFont TemplateFont(const SDlgTemplate& dlg)
{
    return QFont(ToQString(dlg.strFontFace), dlg.nFontPoints);
}

namespace {

Qt::Alignment TextAlignment(unsigned nStyle)
{
    Qt::Alignment align = Qt::AlignLeft;
    if (nStyle & kAlignCentre)
        align = Qt::AlignHCenter;
    else if (nStyle & kAlignRight)
        align = Qt::AlignRight;
    return align | ((nStyle & kVCentre) ? Qt::AlignVCenter : Qt::AlignTop);
}

QWidget* NewControl(const SDlgItem& item)
{
    switch (item.kind) {
    case EControlKind::kText:
    case EControlKind::kPicture:
        return new QLabel;
    case EControlKind::kBlackFrame:
        return new QFrame;
    case EControlKind::kGroupBox:
        return new QGroupBox;
    case EControlKind::kPushButton:
        return new QPushButton;
    case EControlKind::kListBox:
        return new CListBox;
    case EControlKind::kProgressBar:
        return new QProgressBar;
    case EControlKind::kEdit:
        return new QLineEdit;
    case EControlKind::kDropList:
        return new QComboBox;
    }
    return new QWidget;
}

// Applies what the template says about one control to its widget, whoever created it.
void ApplyItem(const SDlgItem& item, QWidget& control)
{
    const QString text = ToQString(item.strText);
    if (auto* pLabel = dynamic_cast<QLabel*>(&control)) {
        if (item.kind == EControlKind::kText) {
            pLabel->setText(text);
            pLabel->setAlignment(TextAlignment(item.nStyle));
            // A static text wraps at word breaks unless it is one vertically centred line.
            pLabel->setWordWrap(!(item.nStyle & kVCentre));
        }
    } else if (auto* pFrame = dynamic_cast<QFrame*>(&control);
               pFrame && item.kind == EControlKind::kBlackFrame) {
        pFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
        pFrame->setLineWidth(1);
        QPalette palette = pFrame->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        pFrame->setPalette(palette);
    }
    if (auto* pGroup = dynamic_cast<QGroupBox*>(&control)) {
        pGroup->setTitle(text);
        pGroup->setStyle(ThemeStyle());
    }
    if (auto* pButton = dynamic_cast<QPushButton*>(&control)) {
        if (!(item.nStyle & kIconButton))
            pButton->setText(text);
        pButton->setDefault(item.nStyle & kDefaultButton);
        pButton->setFlat(item.nStyle & kFlat);
        pButton->setFocusPolicy((item.nStyle & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (auto* pList = dynamic_cast<CListBox*>(&control)) {
        pList->SetSorted(item.nStyle & kSorted);
        pList->SetSelectable(!(item.nStyle & kNoSelect));
        pList->setFrameShape((item.nStyle & kBorder) ? QFrame::Box : QFrame::NoFrame);
        pList->setVerticalScrollBarPolicy((item.nStyle & kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    if (auto* pProgress = dynamic_cast<QProgressBar*>(&control))
        pProgress->setTextVisible(false);
    if (item.kind == EControlKind::kEdit || item.kind == EControlKind::kDropList)
        control.setFocusPolicy((item.nStyle & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
    // A drop list's height in the template is that of its opened list; the closed box is
    // one line high.
    const int nHeight = item.kind == EControlKind::kDropList ? 12 : item.cy;
    control.setGeometry(DluRectToPixels(item.x, item.y, item.cx, nHeight));
}

} // namespace

void CDialogControls::Bind(int nId, QWidget& control)
{
    m_bound[nId] = &control;
}

void CDialogControls::Create(const SDlgTemplate& dlg, QWidget& owner, const CommandHandler& onCommand)
{
    owner.setFont(TemplateFont(dlg));
    for (const SDlgItem& item : dlg.items) {
        const auto bound = m_bound.find(item.nId);
        QWidget* pControl = bound != m_bound.end() ? bound->second : NewControl(item);
        pControl->setParent(&owner);
        ApplyItem(item, *pControl);
        if (auto* pButton = dynamic_cast<QPushButton*>(pControl); pButton && onCommand) {
            const int nId = item.nId;
            QObject::connect(pButton, &QPushButton::clicked, &owner, [onCommand, nId] { onCommand(nId); });
        }
        pControl->show();
        if (item.nId >= 0)
            m_controls[item.nId] = pControl;
    }
    m_bCreated = true;
}

QWidget* CDialogControls::Get(int nId) const
{
    const auto found = m_controls.find(nId);
    return found == m_controls.end() ? nullptr : found->second;
}
