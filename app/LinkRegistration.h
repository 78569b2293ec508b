#pragma once

class QString;

// The desktop's handler of brix2:// links. On Windows it is this program, under the user's own
// classes (HKEY_CURRENT_USER\Software\Classes\brix2), written and removed on request; on Linux
// the installed desktop entry declares it, and there is nothing to write. Each system has its own
// file. Returns whether it was done; message says what was done or why not.
bool registerLinkHandler(QString& message);
bool unregisterLinkHandler(QString& message);
