#pragma once

// The folder where the program keeps its temporary files, the page file first of all: one folder
// per running program, "fortema-<pid>-<random>", made by exclusive creation with mode 0700 in the
// user's runtime folder ($XDG_RUNTIME_DIR), or in the user's cache folder where there is none.
// Nobody else can plant a file or a link in it, and two programs running at once never share
// one, so neither clears the other's page files.

#include <QString>

namespace fortema::pagescript {

inline constexpr const char* kPrivateFolderPrefix = "fortema-";

class PrivateFolder {
public:
    // Makes a new folder in `base`; with an empty base, in the runtime folder, or in the cache
    // folder when there is no runtime folder or it cannot hold one. Before the first folder of a
    // base is made, folders left there by programs that no longer run are cleared of the page
    // files they left and removed.
    explicit PrivateFolder(const QString& base = {});
    // Removes the page files in the folder and the folder itself; anything else put there stays.
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    // The folder, without a trailing separator; empty when it could not be made.
    QString path() const { return m_path; }
    // Why the folder could not be made, in Italian; empty when it was.
    QString errorMessage() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};

// The folder of this program, made at its first use and removed when the program ends normally.
const PrivateFolder& programFolder();

// Clears the folders of `base` named as private folders whose program no longer runs: only folders
// of this user, only when no process of that id exists, and only the page files in them; the
// folder goes when that leaves it empty. The number of folders removed.
int removeStaleFolders(const QString& base);

}  // namespace fortema::pagescript
