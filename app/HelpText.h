#pragma once

#include <QString>

// The help window's text as designed: every line ends in CR LF, the last one too, and every
// answer line begins with a tab.
QString designedHelpText();
