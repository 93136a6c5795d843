#include "pagescript/private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <cstring>

namespace fortema::pagescript {

namespace {

// The program's own file names in its folder: the page files, "_$$_*.TMP" in any letter case.
bool isPageFileName(const char* name) {
    const std::size_t n = std::strlen(name);
    return n >= 8 && std::strncmp(name, "_$$_", 4) == 0 && strcasecmp(name + n - 4, ".TMP") == 0;
}

// Unlinks the page files in the folder `name` of `baseFd` (a link goes, never what it points to),
// then the folder itself when nothing else is left in it. The folder is opened without following
// a link, so a link planted under a folder's name leads nowhere.
bool clearFolder(int baseFd, const char* name) {
    const int fd = openat(baseFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return false;
    }
    while (const dirent* entry = readdir(dir)) {
        // A folder under such a name fails here and keeps the folder in place.
        if (isPageFileName(entry->d_name)) unlinkat(fd, entry->d_name, 0);
    }
    closedir(dir);
    return unlinkat(baseFd, name, AT_REMOVEDIR) == 0;
}

bool processRuns(long pid) {
    if (pid <= 0 || pid != static_cast<pid_t>(pid)) return true;
    // EPERM: it runs, under another user.
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// The runtime folder when the session has one, then the cache folder.
QStringList candidateBases() {
    QStringList bases;
    // Without XDG_RUNTIME_DIR Qt would make up a folder in /tmp and warn; the cache is the user's own.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty()) bases << runtime;
    }
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty()) bases << cache;
    return bases;
}

// Stale folders are looked for once per base and run.
void removeStaleFoldersOnce(const QString& base) {
    static QStringList cleared;
    if (cleared.contains(base)) return;
    cleared << base;
    removeStaleFolders(base);
}

QString makeFolderIn(const QString& base) {
    if (!QDir().mkpath(base)) return {};
    removeStaleFoldersOnce(base);
    QByteArray pattern = QFile::encodeName(QDir(base).filePath(
        QStringLiteral("%1%2-XXXXXX").arg(QLatin1String(kPrivateFolderPrefix)).arg(getpid())));
    // Exclusive creation, mode 0700.
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return QFile::decodeName(pattern);
}

}  // namespace

PrivateFolder::PrivateFolder(const QString& base) {
    const QStringList bases = base.isEmpty() ? candidateBases() : QStringList{base};
    for (const QString& candidate : bases) {
        m_path = makeFolderIn(candidate);
        if (!m_path.isEmpty()) return;
    }
    if (bases.isEmpty()) {
        m_error = QStringLiteral(
            "Impossibile creare la cartella dei file temporanei del programma: non esiste una "
            "cartella di esecuzione dell'utente (XDG_RUNTIME_DIR) né una cartella della cache.");
    } else {
        QStringList shown;
        for (const QString& b : bases) shown << QDir::toNativeSeparators(b);
        m_error = QStringLiteral(
                      "Impossibile creare la cartella dei file temporanei del programma in %1.\n"
                      "Controllare che la cartella sia scrivibile e che il disco non sia pieno.")
                      .arg(shown.join(QStringLiteral(" né in ")));
    }
}

PrivateFolder::~PrivateFolder() {
    if (m_path.isEmpty()) return;
    const QByteArray parent = QFile::encodeName(QFileInfo(m_path).path());
    const QByteArray name = QFile::encodeName(QFileInfo(m_path).fileName());
    const int baseFd = open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (baseFd < 0) return;
    clearFolder(baseFd, name.constData());
    close(baseFd);
}

const PrivateFolder& programFolder() {
    static const PrivateFolder folder;
    return folder;
}

int removeStaleFolders(const QString& base) {
    static const QRegularExpression kName(QStringLiteral("^%1(\\d{1,10})-[A-Za-z0-9]{6}$")
                                              .arg(QRegularExpression::escape(kPrivateFolderPrefix)));
    const int baseFd = open(QFile::encodeName(base).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (baseFd < 0) return 0;
    QList<QByteArray> stale;
    if (DIR* dir = fdopendir(dup(baseFd))) {
        while (const dirent* entry = readdir(dir)) {
            const QRegularExpressionMatch match = kName.match(QFile::decodeName(entry->d_name));
            if (!match.hasMatch()) continue;
            struct stat st {};
            if (fstatat(baseFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode) ||
                st.st_uid != getuid()) {
                continue;
            }
            if (!processRuns(match.captured(1).toLong())) stale << QByteArray(entry->d_name);
        }
        closedir(dir);
    }
    int removed = 0;
    for (const QByteArray& name : stale) removed += clearFolder(baseFd, name.constData()) ? 1 : 0;
    close(baseFd);
    return removed;
}

}  // namespace fortema::pagescript
