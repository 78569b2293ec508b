#include "app/DesktopServices.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace {

void showMessage(QWidget* parent, const QString& caption, const QString& text,
                 QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void QtMessageBoxes::inform(QWidget* parent, const QString& caption, const QString& text)
{
    showMessage(parent, caption, text, QMessageBox::NoIcon);
}

void QtMessageBoxes::warn(QWidget* parent, const QString& caption, const QString& text)
{
    showMessage(parent, caption, text, QMessageBox::Warning);
}

std::optional<QString> QtFileDialog::openFileName(QWidget* parent, const QString& filter)
{
    // The filter comes as "Name|pattern; pattern", the way the launcher states it; Qt wants
    // "Name (pattern pattern)".
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    QString qtFilter = filter;
    if (bar >= 0) {
        QString patterns = filter.mid(bar + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        qtFilter =
            filter.left(bar) + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
    }
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), QString(), qtFilter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

bool DesktopUrlOpener::open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
