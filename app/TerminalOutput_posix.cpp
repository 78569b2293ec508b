#include "app/TerminalOutput.h"

#include <QString>

#include <cstdio>

void writeToTerminal(const QString& output, const QString& error, const QString&)
{
    std::fputs(output.toLocal8Bit().constData(), stdout);
    std::fputs(error.toLocal8Bit().constData(), stderr);
}
