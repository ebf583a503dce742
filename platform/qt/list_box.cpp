#include "platform/qt/list_box.h"

#include "platform/qt/text_codec.h"

CListBox::CListBox(QWidget* pParent) : QListWidget(pParent)
{
    setUniformItemSizes(true);
}

void CListBox::SetSelectable(bool bSelectable)
{
    setSelectionMode(bSelectable ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    setFocusPolicy(bSelectable ? Qt::StrongFocus : Qt::NoFocus);
}

int CListBox::AddString(const std::string& strText)
{
    const QString text = ToQString(strText);
    int nIndex = count();
    if (m_bSorted) {
        // After the last line that does not sort behind the new one, so equal lines keep
        // their order of arrival.
        nIndex = 0;
        while (nIndex < count() && item(nIndex)->text().compare(text, Qt::CaseInsensitive) <= 0)
            ++nIndex;
    }
    insertItem(nIndex, MakeItem(text));
    return nIndex;
}

int CListBox::InsertString(int nIndex, const std::string& strText)
{
    if (nIndex < 0 || nIndex > count())
        nIndex = count();
    insertItem(nIndex, MakeItem(ToQString(strText)));
    return nIndex;
}

int CListBox::DeleteString(int nIndex)
{
    if (nIndex < 0 || nIndex >= count())
        return -1;
    delete takeItem(nIndex);
    return count();
}

void CListBox::ResetContent()
{
    clear();
}

int CListBox::GetCount() const
{
    return count();
}

std::string CListBox::GetText(int nIndex) const
{
    const QListWidgetItem* pItem = item(nIndex);
    return pItem ? FromQString(pItem->text()) : std::string();
}

int CListBox::GetItemHeight() const
{
    return fontMetrics().height();
}

QListWidgetItem* CListBox::MakeItem(const QString& text) const
{
    // Every line is exactly one font height high, so that the number of lines a list
    // shows is its height divided by the item height.
    auto* pItem = new QListWidgetItem(text);
    pItem->setSizeHint(QSize(fontMetrics().horizontalAdvance(text) + 4, GetItemHeight()));
    return pItem;
}
