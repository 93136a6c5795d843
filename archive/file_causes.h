#pragma once

// Why a file cannot be read or written, in Italian, from what the system reports: a message that
// names the cause ("il disco è pieno", "permesso negato") instead of a bare "impossibile".

#include <QString>

namespace fortema::archive {

// The cause behind a system error number, without a final full stop.
QString systemCause(int errnum);

// What stands at `path`, looked at without opening it (a pipe opened to be read or written
// could wait for its other end forever). Symbolic links are followed; a file built into the
// program (":/...") is looked at through Qt.
struct PathCheck {
    bool exists = false;
    bool regularFile = false;
    // Why the path cannot be used as a file: "è una cartella", "non è un file regolare ma una
    // pipe (FIFO)", or the system's cause when it cannot even be looked at (a loop of links, a
    // part of the path that is no folder). Empty for a regular file and for a missing name.
    QString refusal;
};
PathCheck checkPath(const QString& path);

// Why a new file cannot be made at `path`, whose name does not exist yet: its folder is missing,
// is no folder, or cannot be written. Empty when nothing stands in the way.
QString cannotCreateIn(const QString& path);

// Why an existing regular file cannot be replaced: it or its disk is read-only, or its folder
// cannot be written. Empty when nothing stands in the way.
QString cannotReplace(const QString& path);

}  // namespace fortema::archive
