#pragma once

class QWidget;

// Once the window's first picture is on the screen, the heap that building it used and freed
// again goes back to the system, rather than staying with the idle launcher for good. Each
// system has its own file.
void releaseFreedMemoryAfterFirstPaint(QWidget& window);
