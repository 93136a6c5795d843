#include "pagescript/page_script.h"

#include <QFileInfo>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/code_page.h"
#include "engine/numtext.h"

namespace fortema::pagescript {

namespace {

struct KeywordEntry {
    Keyword keyword;
    const char* text;
    int arguments;
};

constexpr std::array<KeywordEntry, 15> kKeywords = {{
    {Keyword::StartPage, "#startpage", 0},
    {Keyword::EndPage, "#endpage", 0},
    {Keyword::FontName, "#fontname", 1},
    {Keyword::FontSize, "#fontsize", 1},
    {Keyword::FontBold, "#fontbold", 1},
    {Keyword::X, "#x", 1},
    {Keyword::Y, "#y", 1},
    {Keyword::TextLeft, "#txt_l", 1},
    {Keyword::TextRight, "#txt_r", 1},
    {Keyword::TextCentre, "#txt_c", 1},
    {Keyword::Fill, "#fill", 1},
    {Keyword::Color, "#color", 1},
    {Keyword::Line, "#line", 6},
    {Keyword::Image, "#img", 5},
    {Keyword::Segment, "#segment", 5},
}};

const KeywordEntry& entryOf(Keyword keyword) {
    for (const auto& e : kKeywords) {
        if (e.keyword == keyword) return e;
    }
    return kKeywords[0];
}

}  // namespace

QString scriptFolderFrom(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString pageFilePath(const QString& scriptFolder) {
    return scriptFolderFrom(scriptFolder) + QLatin1String(kPageFileName);
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

double ParseScriptNumber(const QString& text) {
    QString plain = text;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    return engine::numtext::leadingNumber(plain.toStdString());
}

long roundToLong(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (value <= lo) return static_cast<long>(lo);
    if (value >= hi) return static_cast<long>(hi);
    // The default rounding mode rounds halves to even, as the classic integer conversion did.
    return static_cast<long>(std::nearbyint(value));
}

long scriptWholeNumber(const QString& text) {
    return roundToLong(engine::numtext::leadingNumber(text.toStdString()));
}

QString keywordText(Keyword keyword) { return QLatin1String(entryOf(keyword).text); }

std::optional<Keyword> keywordOf(QByteArrayView line) {
    if (line.isEmpty() || line.front() != '#') return std::nullopt;
    for (const auto& e : kKeywords) {
        if (line == QByteArrayView(e.text)) return e.keyword;
    }
    return std::nullopt;
}

QByteArray encodeScriptLine(const QString& line) {
    // Latin-1 and Windows-1252 share every character but those of 0x80 to 0x9F.
    bool latin1 = true;
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u > 0xFF || (u >= 0x80 && u < 0xA0)) {
            latin1 = false;
            break;
        }
    }
    if (latin1) return line.toLatin1();
    return QByteArray::fromStdString(engine::toWindows1252(line.toStdU32String()));
}

QString decodeScriptLine(QByteArrayView bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0) {
            return QString::fromStdU32String(
                engine::fromWindows1252(std::string_view(bytes.data(), std::size_t(bytes.size()))));
        }
    }
    return QString::fromLatin1(bytes);
}

qint64 PageIndex::startOf(int page) const {
    if (page < 1 || std::size_t(page) > starts.size()) return -1;
    const qint64 start = starts[std::size_t(page) - 1];
    if (firstImage >= 0 && firstImage < start) return -1;
    return start;
}

void PageScan::feed(QByteArrayView line, qint64 offset) {
    if (m_argumentsLeft > 0) {
        --m_argumentsLeft;
        return;
    }
    const std::optional<Keyword> keyword = keywordOf(line);
    if (!keyword) return;
    switch (*keyword) {
        case Keyword::StartPage:
            ++m_counter;
            m_index.starts.push_back(offset);
            break;
        case Keyword::EndPage:
            m_pages.append(QString::number(m_counter));
            break;
        case Keyword::Image:
            if (m_index.firstImage < 0) m_index.firstImage = offset;
            [[fallthrough]];
        default:
            m_argumentsLeft = argumentCount(*keyword);
            break;
    }
}

bool PageScan::feedFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    qint64 offset = 0;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        const qint64 next = offset + bytes.size();
        if (bytes.endsWith('\n')) bytes.chop(1);
        if (bytes.endsWith('\r')) bytes.chop(1);
        feed(bytes, offset);
        offset = next;
    }
    return true;
}

int argumentCount(Keyword keyword) { return entryOf(keyword).arguments; }

ScriptReader::ScriptReader(const QString& path) : m_file(std::make_unique<QFile>(path)) {
    m_file->open(QIODevice::ReadOnly);
}

ScriptReader::~ScriptReader() = default;

bool ScriptReader::isOpen() const { return m_file->isOpen(); }

QString ScriptReader::errorString() const { return m_file->errorString(); }

bool ScriptReader::readLine(QByteArray& line) {
    if (!m_file->isOpen() || m_file->atEnd()) return false;
    line = m_file->readLine();
    if (line.endsWith('\n')) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    return true;
}

bool ScriptReader::next(ScriptCommand& command) {
    QByteArray line;
    while (readLine(line)) {
        // Lines that are no keyword are passed over without being decoded.
        const std::optional<Keyword> keyword = keywordOf(line);
        if (!keyword) continue;
        command.keyword = *keyword;
        command.arguments.clear();
        for (int i = argumentCount(*keyword); i > 0; --i) {
            if (!readLine(line)) return false;
            command.arguments.append(decodeScriptLine(line));
        }
        return true;
    }
    return false;
}

bool ScriptReader::seekToKeyword(qint64 offset, Keyword keyword) {
    if (!m_file->isOpen()) return false;
    QByteArray line;
    if (offset >= 0 && m_file->seek(offset) && readLine(line) && keywordOf(line) == keyword &&
        m_file->seek(offset)) {
        return true;
    }
    m_file->seek(0);
    return false;
}

}  // namespace fortema::pagescript
