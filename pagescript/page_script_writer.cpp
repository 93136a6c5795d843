#include "pagescript/page_script_writer.h"

#include <QDir>
#include <QFile>

#include "engine/code_page.h"
#include "pagescript/page_script.h"

namespace fortema::pagescript {

namespace {

QString singleLine(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

}  // namespace

PageScriptWriter::PageScriptWriter(PreviewObserver& observer, const QString& scriptFolder,
                                   engine::numtext::NumberLocale locale)
    : m_observer(observer), m_folder(scriptFolderFrom(scriptFolder)), m_locale(locale) {}

void PageScriptWriter::setScriptFolder(const QString& folder) { m_folder = scriptFolderFrom(folder); }

QString PageScriptWriter::pageFile() const { return pageFilePath(m_folder); }

QString PageScriptWriter::numberLine(float cm) const {
    const float twips = cm * kTwipsPerCm;
    return QString::fromStdString(engine::numtext::singleText(twips, m_locale));
}

void PageScriptWriter::fail() {
    m_failed = true;
    // A disk that is full keeps no half document, and a later reader finds no pages.
    QFile::resize(pageFile(), 0);
    m_error = QStringLiteral(
                  "Impossibile scrivere il file di anteprima %1.\n"
                  "Controllare che la cartella sia scrivibile e che il disco non sia pieno.")
                  .arg(QDir::toNativeSeparators(pageFile()));
    m_observer.closePreview();
    m_observer.showWarning(QLatin1String(kNoPagesTitle), m_error);
}

bool PageScriptWriter::createEmptyPageFile() {
    QFile file(pageFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    file.close();
    return true;
}

bool PageScriptWriter::StartDocument() {
    m_observer.ensurePreviewLoaded();
    m_failed = false;
    m_error.clear();

    QDir dir(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    // Without QDir::CaseSensitive the name filter ignores letter case, so "_$$_old.tmp" goes
    // too; System also lists dangling links and devices left under such a name.
    const QStringList old =
        dir.entryList({QLatin1String(kOldPageFilePattern)}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : old) QFile::remove(dir.filePath(name));

    if (!createEmptyPageFile()) {
        fail();
        return false;
    }
    m_observer.closePreview();
    return true;
}

bool PageScriptWriter::WriteScriptLine(const QString& line) {
    if (m_failed) return false;
    QFile file(pageFile());
    // Unbuffered, so that a full disk shows in the write and not only in a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        fail();
        return false;
    }
    const QByteArray bytes =
        QByteArray::fromStdString(engine::toWindows1252(singleLine(line).toStdU32String())) + "\r\n";
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        fail();
        return false;
    }
    return true;
}

bool PageScriptWriter::printText(float x, float y, const QString& text, const QString& face,
                                 std::int16_t size, std::int16_t bold, const char* keyword) {
    return WriteScriptLine(QStringLiteral("#fontname")) && WriteScriptLine(face) &&
           WriteScriptLine(QStringLiteral("#fontsize")) && WriteScriptLine(QString::number(size)) &&
           WriteScriptLine(QStringLiteral("#fontbold")) && WriteScriptLine(QString::number(bold)) &&
           WriteScriptLine(QStringLiteral("#y")) && WriteScriptLine(numberLine(y)) &&
           WriteScriptLine(QStringLiteral("#x")) && WriteScriptLine(numberLine(x)) &&
           WriteScriptLine(QLatin1String(keyword)) && WriteScriptLine(text);
}

bool PageScriptWriter::PrintLeft(float x, float y, const QString& text, const QString& face,
                                 std::int16_t size, std::int16_t bold) {
    return printText(x, y, text, face, size, bold, "#txt_l");
}

bool PageScriptWriter::PrintRight(float x, float y, const QString& text, const QString& face,
                                  std::int16_t size, std::int16_t bold) {
    return printText(x, y, text, face, size, bold, "#txt_r");
}

bool PageScriptWriter::PrintBox(float x1, float y1, float x2, float y2) {
    return WriteScriptLine(QStringLiteral("#fill")) && WriteScriptLine(QStringLiteral("1")) &&
           WriteScriptLine(QStringLiteral("#color")) && WriteScriptLine(QStringLiteral("0")) &&
           WriteScriptLine(QStringLiteral("#line")) && WriteScriptLine(numberLine(x1)) &&
           WriteScriptLine(numberLine(y1)) && WriteScriptLine(numberLine(x2)) &&
           WriteScriptLine(numberLine(y2)) && WriteScriptLine(QString()) &&
           WriteScriptLine(QStringLiteral("B"));
}

bool PageScriptWriter::StartPage(const QString& left, const QString& right) {
    return WriteScriptLine(QStringLiteral("#startpage")) && PrintBox(1.5f, 1.9f, 18.0f, 1.91f) &&
           PrintLeft(1.5f, 1.55f, left, QStringLiteral("Arial"), 8, 0) &&
           PrintRight(18.0f, 1.55f, right, QStringLiteral("Arial"), 8, 0);
}

bool PageScriptWriter::EndPage(const QString& left, const QString& right) {
    const bool written = PrintBox(2.0f, 26.0f, 18.0f, 26.01f) &&
                         PrintLeft(2.0f, 26.1f, left, QStringLiteral("Arial"), 8, 0) &&
                         PrintRight(18.0f, 26.1f, right, QStringLiteral("Arial"), 8, 0) &&
                         WriteScriptLine(QStringLiteral("#endpage"));
    if (!written) return false;
    BuildPageList();
    return !m_failed;
}

QStringList PageScriptWriter::BuildPageList() {
    if (m_failed) return {};
    m_observer.ensurePreviewLoaded();
    m_observer.setWaitCursor(true);

    if (!QFile::exists(pageFile()) && !createEmptyPageFile()) {
        m_observer.setWaitCursor(false);
        fail();
        return {};
    }

    QStringList pages;
    int counter = 0;
    ScriptReader reader(pageFile());
    ScriptCommand command;
    while (reader.next(command)) {
        if (command.keyword == Keyword::StartPage) {
            ++counter;
        } else if (command.keyword == Keyword::EndPage) {
            pages.append(QString::number(counter));
        }
    }

    if (pages.isEmpty()) {
        m_observer.setWaitCursor(false);
        m_observer.showInformation(QLatin1String(kNoPagesTitle), QLatin1String(kNoPagesText));
        // The preview stays closed: nothing may touch it after this.
        m_observer.closePreview();
    } else {
        m_observer.pageListChanged(pages);
        m_observer.setWaitCursor(false);
    }
    return pages;
}

}  // namespace fortema::pagescript
