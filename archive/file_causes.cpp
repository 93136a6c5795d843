#include "archive/file_causes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace fortema::archive {

namespace {

QByteArray native(const QString& path) { return QFile::encodeName(path); }

QString folderOf(const QString& path) { return QDir::toNativeSeparators(QFileInfo(path).absolutePath()); }

}  // namespace

QString systemCause(int errnum) {
    switch (errnum) {
        case EACCES:
        case EPERM:
            return QStringLiteral("permesso negato");
        case EROFS:
            return QStringLiteral("il disco è di sola lettura");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("il disco è pieno");
        case EFBIG:
            return QStringLiteral("il file supera la dimensione massima ammessa");
        case ENOENT:
            return QStringLiteral("il file non esiste");
        case ENOTDIR:
            return QStringLiteral("una parte del percorso non è una cartella");
        case ELOOP:
            return QStringLiteral("il percorso contiene un ciclo di collegamenti simbolici");
        case ENAMETOOLONG:
            return QStringLiteral("il nome è troppo lungo");
        case EISDIR:
            return QStringLiteral("è una cartella");
        case EIO:
            return QStringLiteral("errore di lettura o scrittura del disco");
        case EBUSY:
        case ETXTBSY:
            return QStringLiteral("il file è in uso");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("troppi file aperti");
        default:
            return QStringLiteral("errore di sistema %1 (%2)")
                .arg(errnum)
                .arg(QString::fromLocal8Bit(std::strerror(errnum)));
    }
}

PathCheck checkPath(const QString& path) {
    PathCheck out;
    // Files built into the program (":/...") are Qt's, not the system's.
    if (path.startsWith(QLatin1Char(':'))) {
        const QFileInfo info(path);
        out.exists = info.exists();
        out.regularFile = info.isFile();
        if (info.isDir()) out.refusal = QStringLiteral("è una cartella");
        return out;
    }
    struct stat st {};
    if (::stat(native(path).constData(), &st) != 0) {
        const int err = errno;
        // A link whose target is missing names a file to be made, like a missing name.
        if (err != ENOENT) out.refusal = systemCause(err);
        return out;
    }
    out.exists = true;
    if (S_ISREG(st.st_mode)) {
        out.regularFile = true;
    } else if (S_ISDIR(st.st_mode)) {
        out.refusal = QStringLiteral("è una cartella");
    } else if (S_ISFIFO(st.st_mode)) {
        out.refusal = QStringLiteral("non è un file regolare ma una pipe (FIFO)");
    } else if (S_ISSOCK(st.st_mode)) {
        out.refusal = QStringLiteral("non è un file regolare ma un socket");
    } else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        out.refusal = QStringLiteral("non è un file regolare ma un dispositivo");
    } else {
        out.refusal = QStringLiteral("non è un file regolare");
    }
    return out;
}

QString cannotCreateIn(const QString& path) {
    const QString folder = folderOf(path);
    struct stat st {};
    if (::stat(native(folder).constData(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT) return QStringLiteral("la cartella %1 non esiste").arg(folder);
        return systemCause(err);
    }
    if (!S_ISDIR(st.st_mode)) return QStringLiteral("%1 non è una cartella").arg(folder);
    if (::faccessat(AT_FDCWD, native(folder).constData(), W_OK | X_OK, AT_EACCESS) != 0) {
        const int err = errno;
        if (err == EACCES || err == EPERM)
            return QStringLiteral("non si ha il permesso di scrivere nella cartella %1").arg(folder);
        return systemCause(err);
    }
    return {};
}

QString cannotReplace(const QString& path) {
    if (::faccessat(AT_FDCWD, native(path).constData(), W_OK, AT_EACCESS) != 0) {
        const int err = errno;
        if (err == EACCES || err == EPERM) return QStringLiteral("il file è di sola lettura");
        return systemCause(err);
    }
    // The new file is written beside the old one (beside the target of a link) and renamed over it.
    const QString target = QFileInfo(path).canonicalFilePath();
    return cannotCreateIn(target.isEmpty() ? path : target);
}

}  // namespace fortema::archive
