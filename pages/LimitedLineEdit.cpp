#include "pages/LimitedLineEdit.h"

#include <algorithm>

LimitedLineEdit::LimitedLineEdit(int limit, const QString& text, QWidget* parent)
    : QLineEdit(text, parent)
    , m_limit(limit)
{
    rememberState();
    // textEdited comes for the user's changes only, before the cursor and selection signals of
    // the same change, so the remembered state is still the one before it.
    connect(this, &QLineEdit::textEdited, this, &LimitedLineEdit::keepToLimit);
    connect(this, &QLineEdit::textChanged, this, &LimitedLineEdit::rememberState);
    connect(this, &QLineEdit::cursorPositionChanged, this, &LimitedLineEdit::rememberState);
    connect(this, &QLineEdit::selectionChanged, this, &LimitedLineEdit::rememberState);
}

void LimitedLineEdit::putText(const QString& text)
{
    setText(text.left(m_limit));
}

void LimitedLineEdit::rememberState()
{
    m_text = text();
    m_cursor = cursorPosition();
    m_selectionStart = selectionStart();
    m_selectionLength = m_selectionStart >= 0 ? int(selectedText().size()) : 0;
}

void LimitedLineEdit::keepToLimit()
{
    const QString edited = text();
    if (edited.size() <= m_limit || edited.size() <= m_text.size() - m_selectionLength)
        return;

    // The edit replaced the selection (or inserted at the cursor) with some text. What is kept of
    // the old text stays; the new text is cut to what still fits under the limit, nothing at all
    // when the kept text alone already reaches it.
    const int at = m_selectionLength > 0 ? m_selectionStart : m_cursor;
    const QString head = m_text.left(at);
    const QString tail = m_text.mid(at + m_selectionLength);
    const qsizetype kept = head.size() + tail.size();
    const qsizetype inserted = edited.size() - kept;
    if (edited.startsWith(head) && edited.endsWith(tail) && inserted > 0) {
        const qsizetype room = std::max<qsizetype>(0, m_limit - kept);
        if (inserted <= room)
            return;
        setText(head + edited.mid(at, room) + tail);
        setCursorPosition(int(at + room));
        return;
    }
    // Some other kind of change (a drag within the box, say): it may not make the text longer
    // than both the limit and the text before it.
    if (edited.size() > std::max<qsizetype>(m_limit, m_text.size())) {
        const QString before = m_text;
        const int cursor = m_cursor;
        setText(before);
        setCursorPosition(cursor);
    }
}
