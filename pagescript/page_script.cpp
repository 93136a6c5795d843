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

constexpr std::array<KeywordEntry, 14> kKeywords = {{
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

int argumentCount(Keyword keyword) { return entryOf(keyword).arguments; }

ScriptReader::ScriptReader(const QString& path) : m_file(std::make_unique<QFile>(path)) {
    m_file->open(QIODevice::ReadOnly);
}

ScriptReader::~ScriptReader() = default;

bool ScriptReader::isOpen() const { return m_file->isOpen(); }

QString ScriptReader::errorString() const { return m_file->errorString(); }

bool ScriptReader::readLine(QString& line) {
    if (!m_file->isOpen() || m_file->atEnd()) return false;
    QByteArray bytes = m_file->readLine();
    if (bytes.endsWith('\n')) bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
    line = QString::fromStdU32String(engine::fromWindows1252(bytes.toStdString()));
    return true;
}

bool ScriptReader::next(ScriptCommand& command) {
    QString line;
    while (readLine(line)) {
        for (const auto& e : kKeywords) {
            if (line != QLatin1String(e.text)) continue;
            command.keyword = e.keyword;
            command.arguments.clear();
            for (int i = 0; i < e.arguments; ++i) {
                QString argument;
                if (!readLine(argument)) return false;
                command.arguments.append(argument);
            }
            return true;
        }
    }
    return false;
}

}  // namespace fortema::pagescript
