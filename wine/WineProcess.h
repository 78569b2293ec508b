#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QProcess;

// Runs a Windows program under Wine in one prefix. The game's start and Wine's `reg` command both
// come through here, so the rules of Wine's environment are written once:
// - WINEPREFIX names the prefix (an empty prefix leaves Wine's own choice);
// - Wine reads its arguments in the locale's character set, and the launcher hands them over in
//   UTF-8, so a locale that does not say UTF-8 (LANG=C, say) is told to.
// The process is set up, not started: the caller starts it detached or waits for it. False, and
// the process untouched, when no `wine` is on the PATH.
bool prepareWineProcess(QProcess& process, const QString& windowsProgram,
                        const QStringList& arguments, const QString& prefix);

// The environment a Windows program gets, from the launcher's own (the rules above).
QProcessEnvironment wineEnvironment(QProcessEnvironment environment, const QString& prefix);
