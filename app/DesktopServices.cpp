#include "app/DesktopServices.h"

#include <QClipboard>
#include <QGuiApplication>

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace {

void showMessage(QWidget* parent, const QString& caption, const QString& text,
                 QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    // Messages quote paths and names the user typed; none of it is markup.
    box.setTextFormat(Qt::PlainText);
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

QString toQtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return filter;
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> QtFileDialog::openFileName(QWidget* parent, const QString& filter)
{
    // Windows names an untitled open dialog "Open"; Wine's dialog stays untitled.
    const QString chosen = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(),
                                                        toQtFileFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

bool DesktopUrlOpener::open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void DesktopClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}
