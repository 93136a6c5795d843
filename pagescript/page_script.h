#pragma once

// The page-description language of the full report: one text file of keyword lines, each
// followed by a fixed number of argument lines, positions in twips from the top left corner
// of an A4 portrait page. The writer produces it; the preview and the printer read it back.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace fortema::pagescript {

// The page file's name inside ScriptFolder.
inline constexpr const char* kPageFileName = "_$$_TEMP.TMP";
// The pattern of old page files removed when a document starts (letter case ignored).
inline constexpr const char* kOldPageFilePattern = "_$$_*.TMP";

inline constexpr float kTwipsPerCm = 567.0f;
// The A4 page of the preview in twips: 21.0 cm by 29.7 cm.
inline constexpr double kPageWidthTwips = 11907.0;
inline constexpr double kPageHeightTwips = 16839.9;

// ScriptFolder: `folder` with a path separator appended when it lacks one. An empty folder
// stays empty and means the current directory.
QString scriptFolderFrom(const QString& folder);
// ScriptFolder followed by the page file's name.
QString pageFilePath(const QString& scriptFolder);

// True when the file's length can be read: the path names an existing file.
bool FileExists(const QString& path);

// A number line: commas become points, then the leading number is read with "." as the
// only separator; blanks before it are skipped and a text without a number reads 0.
// "878,85" and "878.85" both read 878.85.
double ParseScriptNumber(const QString& text);
// The number of "#fill", "#color" and the page lists: the leading number without the comma
// rule, rounded half to even and held within 32 bits. "255,7" reads 255.
long scriptWholeNumber(const QString& text);
// `value` rounded half to even and held within the range of a 32-bit integer.
long roundToLong(double value);

enum class Keyword {
    StartPage,
    EndPage,
    FontName,
    FontSize,
    FontBold,
    X,
    Y,
    TextLeft,
    TextRight,
    TextCentre,
    Fill,
    Color,
    Line,
    Image,
    Segment,
};

// The keyword line of a command and its number of argument lines.
QString keywordText(Keyword keyword);
int argumentCount(Keyword keyword);

// The keyword a line of the file (its bytes, without the line end) stands for, if any.
std::optional<Keyword> keywordOf(QByteArrayView line);

// One line of the file in the 8-bit code page, without its line end, and back.
QByteArray encodeScriptLine(const QString& line);
QString decodeScriptLine(QByteArrayView bytes);

// Where the pages of a page file begin: starts[n - 1] is the byte offset of the "#startpage"
// line of page n. A reader goes straight there instead of reading every page before it.
struct PageIndex {
    std::vector<qint64> starts;
    // The offset of the first "#img" command, -1 when there is none: a picture loaded there
    // stays in the holder for later pages, so those are read from the first line.
    qint64 firstImage = -1;

    // The offset to read page `page` from; -1 when it must be read from the first line.
    qint64 startOf(int page) const;
};

// Follows a page file line by line as the readers take it (keyword lines, then their argument
// lines whatever they read like) and keeps the list of ended pages and the page index. Fed
// with the lines of a whole file, its page list is the one BuildPageList gives.
class PageScan {
public:
    // The next line of the file, its bytes without the line end, starting at byte `offset`.
    void feed(QByteArrayView line, qint64 offset);
    // Every line of the file at `path`; false when it cannot be opened.
    bool feedFile(const QString& path);

    // One item per ended page, "1", "2", ... in file order.
    const QStringList& pages() const { return m_pages; }
    const PageIndex& index() const { return m_index; }

private:
    int m_argumentsLeft = 0;
    int m_counter = 0;
    QStringList m_pages;
    PageIndex m_index;
};

struct ScriptCommand {
    Keyword keyword = Keyword::StartPage;
    QStringList arguments;
};

// Reads a page file command by command, from its first line. Lines that are not keywords
// where a keyword is expected are passed over; argument lines are taken as they come,
// whatever they read like. A command cut off by the end of the file ends the reading.
class ScriptReader {
public:
    explicit ScriptReader(const QString& path);
    ~ScriptReader();

    // False when the file could not be opened; then next() finds nothing.
    bool isOpen() const;
    QString errorString() const;
    // The next whole command; false at the end of the file.
    bool next(ScriptCommand& command);
    // Goes to the line at `offset` when it is the keyword line of `keyword`, so that next() reads
    // that command; otherwise goes back to the first line. False in the second case.
    bool seekToKeyword(qint64 offset, Keyword keyword);

private:
    bool readLine(QByteArray& line);

    std::unique_ptr<QFile> m_file;
};

}  // namespace fortema::pagescript
