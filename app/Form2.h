#pragma once

#include <QWidget>

class QPlainTextEdit;

// The help window: a small tool window with the help text. The text can be edited, but every
// time the window is opened anew it shows the designed text again.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();

    // Shows the window; a window that was closed starts again from the designed text.
    void showHelp();
    // The text as the box holds it, with CR LF line ends.
    QString text() const;

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* Text1;
    bool m_loaded = false;
};
