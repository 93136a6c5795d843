#include "pagescript/page_script_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace fortema::pagescript {

namespace {

QString singleLine(const QString& text) {
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) return text;
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

bool isAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// The page file's colour: red in the low byte, green in the middle, blue in the high byte.
long bgrValue(const QColor& color) {
    return long(color.red()) | long(color.green()) << 8 | long(color.blue()) << 16;
}

}  // namespace

PageScriptWriter::PageScriptWriter(PreviewObserver& observer, const QString& scriptFolder,
                                   engine::numtext::NumberLocale locale)
    : m_observer(observer), m_folder(scriptFolderFrom(scriptFolder)), m_locale(locale) {}

PageScriptWriter::~PageScriptWriter() { closeFile(); }

void PageScriptWriter::setScriptFolder(const QString& folder) {
    const QString next = scriptFolderFrom(folder);
    m_folderError.clear();
    if (next == m_folder) return;
    closeFile();
    m_folder = next;
}

void PageScriptWriter::setScriptFolderUnavailable(const QString& message) {
    closeFile();
    m_folder.clear();
    m_folderError = message;
}

QString PageScriptWriter::pageFile() const {
    return m_folderError.isEmpty() ? pageFilePath(m_folder) : QString();
}

QByteArray PageScriptWriter::numberLine(float cm) const {
    const std::string text = engine::numtext::singleText(cm * kTwipsPerCm, m_locale);
    if (isAscii(text)) return QByteArray::fromStdString(text);
    return encodeScriptLine(QString::fromStdString(text));
}

void PageScriptWriter::closeFile() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_buffer.truncate(0);
    m_written = 0;
    m_scan = PageScan();
}

void PageScriptWriter::fail() {
    m_failed = true;
    // A disk that is full keeps no half document, and a later reader finds no pages. Only the
    // file this writer opened is emptied, never whatever the name may lead to now.
    if (m_fd >= 0 && ::ftruncate(m_fd, 0) != 0) {
        // Nothing more can be done for a file that cannot even be emptied.
    }
    closeFile();
    m_error = !m_folderError.isEmpty()
                  ? m_folderError
                  : QStringLiteral(
                        "Impossibile scrivere il file di anteprima %1.\n"
                        "Controllare che la cartella sia scrivibile e che il disco non sia pieno.")
                        .arg(QDir::toNativeSeparators(pageFile()));
    m_observer.closePreview();
    m_observer.showWarning(QLatin1String(kNoPagesTitle), m_error);
}

bool PageScriptWriter::stillOurs() const {
    struct stat mine {};
    struct stat named {};
    return m_fd >= 0 && ::fstat(m_fd, &mine) == 0 &&
           ::lstat(QFile::encodeName(pageFile()).constData(), &named) == 0 && S_ISREG(named.st_mode) &&
           mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
}

bool PageScriptWriter::ready() {
    if (m_failed) return false;
    if (m_fd >= 0) return true;
    if (!m_folderError.isEmpty()) {
        fail();
        return false;
    }
    // No document started: the lines go to the end of the file as it is. Never through a link,
    // and never onto a device or a pipe planted under the name.
    m_fd = ::open(QFile::encodeName(pageFile()).constData(),
                  O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        fail();
        return false;
    }
    m_written = st.st_size;
    m_scan = PageScan();
    if (m_written > 0 && !m_scan.feedFile(pageFile())) {
        fail();
        return false;
    }
    return true;
}

bool PageScriptWriter::flush() {
    const char* data = m_buffer.constData();
    qint64 left = m_buffer.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, std::size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            fail();
            return false;
        }
        data += n;
        left -= n;
        m_written += n;
    }
    m_buffer.truncate(0);
    return true;
}

void PageScriptWriter::appendBytes(const QByteArray& bytes) {
    m_scan.feed(bytes, m_written + m_buffer.size());
    m_buffer += bytes;
    m_buffer += "\r\n";
}

void PageScriptWriter::append(const QString& line) { appendBytes(encodeScriptLine(singleLine(line))); }

void PageScriptWriter::append(const char* line) { appendBytes(QByteArray(line)); }

bool PageScriptWriter::StartDocument() {
    m_observer.ensurePreviewLoaded();
    m_failed = false;
    m_error.clear();
    m_index = PageIndex();
    closeFile();
    if (!m_folderError.isEmpty()) {
        fail();
        return false;
    }

    QDir dir(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    // Without QDir::CaseSensitive the name filter ignores letter case, so "_$$_old.tmp" goes
    // too; System also lists dangling links and devices left under such a name.
    const QStringList old =
        dir.entryList({QLatin1String(kOldPageFilePattern)}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : old) QFile::remove(dir.filePath(name));

    // A new file of this writer's own: whatever was planted under the name since makes this fail.
    m_fd = ::open(QFile::encodeName(pageFile()).constData(),
                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        fail();
        return false;
    }
    m_observer.closePreview();
    return true;
}

bool PageScriptWriter::WriteScriptLine(const QString& line) {
    if (!ready()) return false;
    append(line);
    return flush();
}

void PageScriptWriter::appendText(float x, float y, const QString& text, const QString& face,
                                  std::int16_t size, std::int16_t bold, const char* keyword) {
    append("#fontname");
    append(face);
    append("#fontsize");
    appendBytes(QByteArray::number(size));
    append("#fontbold");
    appendBytes(QByteArray::number(bold));
    append("#y");
    appendBytes(numberLine(y));
    append("#x");
    appendBytes(numberLine(x));
    append(keyword);
    append(text);
}

void PageScriptWriter::appendBox(float x1, float y1, float x2, float y2) {
    append("#fill");
    append("1");
    append("#color");
    append("0");
    append("#line");
    appendBytes(numberLine(x1));
    appendBytes(numberLine(y1));
    appendBytes(numberLine(x2));
    appendBytes(numberLine(y2));
    append("");
    append("B");
}

bool PageScriptWriter::PrintLeft(float x, float y, const QString& text, const QString& face,
                                 std::int16_t size, std::int16_t bold) {
    if (!ready()) return false;
    appendText(x, y, text, face, size, bold, "#txt_l");
    return flush();
}

bool PageScriptWriter::PrintRight(float x, float y, const QString& text, const QString& face,
                                  std::int16_t size, std::int16_t bold) {
    if (!ready()) return false;
    appendText(x, y, text, face, size, bold, "#txt_r");
    return flush();
}

bool PageScriptWriter::PrintBox(float x1, float y1, float x2, float y2) {
    if (!ready()) return false;
    appendBox(x1, y1, x2, y2);
    return flush();
}

bool PageScriptWriter::PrintCentre(float x, float y, const QString& text, const QString& face,
                                   std::int16_t size, std::int16_t bold) {
    if (!ready()) return false;
    appendText(x, y, text, face, size, bold, "#txt_c");
    return flush();
}

bool PageScriptWriter::PrintLine(float x1, float y1, float x2, float y2, const QColor& color) {
    if (!ready()) return false;
    append("#segment");
    appendBytes(numberLine(x1));
    appendBytes(numberLine(y1));
    appendBytes(numberLine(x2));
    appendBytes(numberLine(y2));
    appendBytes(QByteArray::number(bgrValue(color)));
    return flush();
}

bool PageScriptWriter::PrintFilledBox(float x1, float y1, float x2, float y2, const QColor& color) {
    if (!ready()) return false;
    append("#line");
    appendBytes(numberLine(x1));
    appendBytes(numberLine(y1));
    appendBytes(numberLine(x2));
    appendBytes(numberLine(y2));
    appendBytes(QByteArray::number(bgrValue(color)));
    append("");
    return flush();
}

bool PageScriptWriter::StartPage(const QString& left, const QString& right) {
    if (!ready()) return false;
    if (!stillOurs()) {
        fail();
        return false;
    }
    append("#startpage");
    appendBox(1.5f, 1.9f, 18.0f, 1.91f);
    appendText(1.5f, 1.55f, left, QStringLiteral("Arial"), 8, 0, "#txt_l");
    appendText(18.0f, 1.55f, right, QStringLiteral("Arial"), 8, 0, "#txt_r");
    return flush();
}

bool PageScriptWriter::EndPage(const QString& left, const QString& right) {
    if (!ready()) return false;
    appendBox(2.0f, 26.0f, 18.0f, 26.01f);
    appendText(2.0f, 26.1f, left, QStringLiteral("Arial"), 8, 0, "#txt_l");
    appendText(18.0f, 26.1f, right, QStringLiteral("Arial"), 8, 0, "#txt_r");
    append("#endpage");
    if (!flush()) return false;
    if (!stillOurs()) {
        fail();
        return false;
    }
    // The list kept while writing is the one a scan of the file would give.
    m_observer.ensurePreviewLoaded();
    m_observer.setWaitCursor(true);
    announce(m_scan.pages(), m_scan.index());
    return !m_failed;
}

QStringList PageScriptWriter::BuildPageList() {
    if (m_failed) return {};
    m_observer.ensurePreviewLoaded();
    m_observer.setWaitCursor(true);

    // The file is complete before it is read: everything written is out, and the name still
    // leads to it; a missing file is created empty, as a file of this writer's own.
    bool ok = true;
    if (m_fd >= 0) {
        ok = stillOurs();
    } else if (!QFileInfo::exists(pageFile()) && m_folderError.isEmpty()) {
        m_fd = ::open(QFile::encodeName(pageFile()).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        ok = m_fd >= 0;
    }
    ok = ok && m_folderError.isEmpty();
    if (!ok) {
        m_observer.setWaitCursor(false);
        fail();
        return {};
    }

    PageScan scan;
    scan.feedFile(pageFile());
    announce(scan.pages(), scan.index());
    return scan.pages();
}

void PageScriptWriter::announce(const QStringList& pages, const PageIndex& index) {
    m_index = index;
    if (pages.isEmpty()) {
        m_observer.setWaitCursor(false);
        m_observer.showInformation(QLatin1String(kNoPagesTitle), QLatin1String(kNoPagesText));
        // The preview stays closed: nothing may touch it after this.
        m_observer.closePreview();
    } else {
        m_observer.pageListChanged(pages);
        m_observer.setWaitCursor(false);
    }
}

}  // namespace fortema::pagescript
