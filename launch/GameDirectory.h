#pragma once

#include <QChar>
#include <QDir>
#include <QObject>
#include <QString>

// The game directory as the launcher holds it: empty from start-up until "Accept" or "Load"
// sets it. Every setting is announced, the same text again included, since each one lists the
// game's files anew; what follows the directory listens to changed().
class GameDir : public QObject {
    Q_OBJECT
public:
    const QString& text() const { return m_text; }
    // Where the file lists look until a game directory takes effect: the working directory the
    // launcher started in, also for a page that is built later.
    const QString& startDirectory() const { return m_start; }
    void set(const QString& text)
    {
        m_text = text;
        Q_EMIT changed(m_text);
    }

Q_SIGNALS:
    void changed(const QString& text);

private:
    QString m_text;
    const QString m_start = QDir::currentPath();
};

// The platform's directory separator as users type it: "/" on Linux, "\" on Windows.
QChar directorySeparator();

// The directory text as "Accept" leaves it: the typed text followed by the separator unless it
// already ends in one. Only the one rightmost character is looked at; blanks are kept.
QString withTrailingSeparator(const QString& typed);
