#pragma once

#include <QString>

#include <functional>

class QFileInfo;

// How each system reads a directory for the file lists; one file per system.

// Calls take(name) for every file of the directory that is neither hidden nor a directory; a
// link counts as what it leads to. False when the directory could not be read to its end.
bool forEachPlainFile(const QString& directory, const std::function<void(const QString&)>& take);

// Whether the user may list the directory's entries.
bool mayListDirectory(const QFileInfo& directory);
