#pragma once
// A list of text lines addressed by index, as the windows use it: optionally kept in
// alphabetical order (letter case ignored), optionally without selection. Texts are
// Windows-1252 bytes.
#include <QListWidget>
#include <string>

class CListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CListBox(QWidget* pParent = nullptr);

    void SetSorted(bool bSorted) { m_bSorted = bSorted; }
    void SetSelectable(bool bSelectable);

    // Adds a line at its alphabetical place in a sorted list, else at the end; returns its index.
    int AddString(const std::string& strText);
    // Inserts a line at nIndex (-1: at the end), whether sorted or not; returns its index.
    int InsertString(int nIndex, const std::string& strText);
    // Deletes one line; returns the number of lines left, or -1 for a bad index.
    int DeleteString(int nIndex);
    void ResetContent();
    int GetCount() const;
    std::string GetText(int nIndex) const;
    // Height in pixels of one line.
    int GetItemHeight() const;

private:
    QListWidgetItem* MakeItem(const QString& text) const;

    bool m_bSorted = false;
};
