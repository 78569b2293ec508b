#pragma once

#include <QLineEdit>

// A text box with a length limit that behaves like the classic edit control: typing and pasting
// stop at the limit (text replacing a selection is cut to fit), while a longer text that the
// program puts in, such as a start text, is shown whole. putText() is how the program puts in a
// text that must keep to the limit.
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    LimitedLineEdit(int limit, const QString& text, QWidget* parent = nullptr);

    int limit() const { return m_limit; }
    // Puts in a text cut to its first characters up to the limit.
    void putText(const QString& text);

private:
    void rememberState();
    void keepToLimit();

    int m_limit;
    // The box as it was before the edit that is being checked.
    QString m_text;
    int m_cursor = 0;
    int m_selectionStart = -1;
    int m_selectionLength = 0;
};
