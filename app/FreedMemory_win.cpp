#include "app/FreedMemory.h"

// Windows' heap gives freed pages back by itself.
void releaseFreedMemoryAfterFirstPaint(QWidget&) {}
