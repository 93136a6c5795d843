#include "archive/project_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "archive/archive_text.h"
#include "archive/file_causes.h"
#include "engine/code_page.h"
#include "engine/numtext.h"

namespace fortema::archive {

namespace {

constexpr int kMaxNumberItemLength = 64;

QByteArray quoted(const QString& text) {
    return '"' +
           QByteArray::fromStdString(engine::toWindows1252(sanitizeArchiveText(text).toStdU32String())) + '"';
}

QString fromWindows1252(const QByteArray& bytes) {
    return QString::fromStdU32String(engine::fromWindows1252(bytes.toStdString()));
}

void appendLine(QByteArray& out, std::initializer_list<QByteArray> items) {
    bool first = true;
    for (const QByteArray& item : items) {
        if (!first) out += ',';
        out += item;
        first = false;
    }
    out += "\r\n";
}

QString shownName(const QString& fileName) { return QDir::toNativeSeparators(fileName); }

QString invalidFile(const QString& fileName, const QString& reason) {
    return QStringLiteral("Il file %1 non è un file di progetto valido: %2.")
        .arg(shownName(fileName), reason);
}

// A reason for refusing the file, raised while reading items.
struct Refusal {
    QString reason;
    int line = 0;  // the line named in the reason, 0 for none
};

// Reads the items one after another from the bytes of the file.
class ItemReader {
public:
    // `start` skips a byte-order mark; its texts are then UTF-8 rather than Windows-1252.
    ItemReader(const QByteArray& bytes, qsizetype start, bool utf8)
        : m_bytes(bytes), m_pos(start), m_utf8(utf8) {}

    QString text() {
        startItem();
        if (atEnd() || peek() != '"') {
            throw Refusal{QStringLiteral("alla riga %1 si attende un testo tra virgolette").arg(m_line),
                          m_line};
        }
        const qsizetype start = ++m_pos;
        while (!atEnd() && peek() != '"' && !atLineEnd()) ++m_pos;
        if (atEnd() || peek() != '"') {
            throw Refusal{QStringLiteral("alla riga %1 un testo tra virgolette non è chiuso").arg(m_line),
                          m_line};
        }
        const QByteArray content = m_bytes.mid(start, m_pos - start);
        ++m_pos;
        skipBlanks();
        if (!atEnd() && peek() != ',' && !atLineEnd()) {
            throw Refusal{
                QStringLiteral("alla riga %1 un testo tra virgolette è seguito da altro").arg(m_line),
                m_line};
        }
        endItem();
        return decode(content);
    }

    float number() {
        const int line = m_line;
        const QByteArray item = rawItem();
        const std::optional<float> value = parseNumber(item);
        if (!value) {
            throw Refusal{QStringLiteral("alla riga %1 si attende un numero e si trova \"%2\"")
                              .arg(line)
                              .arg(excerpt(item)),
                          line};
        }
        if (std::isinf(*value)) {
            throw Refusal{QStringLiteral("alla riga %1 il numero %2 è fuori dall'intervallo ammesso")
                              .arg(line)
                              .arg(excerpt(item)),
                          line};
        }
        return *value;
    }

    std::int16_t wholeNumber() {
        const int line = m_line;
        const QByteArray item = rawItem();
        const std::optional<float> value = parseNumber(item);
        if (!value || std::isinf(*value) || std::trunc(*value) != *value ||
            *value < std::numeric_limits<std::int16_t>::min() ||
            *value > std::numeric_limits<std::int16_t>::max()) {
            throw Refusal{
                QStringLiteral(
                    "alla riga %1 il campo deve essere un numero intero da -32768 a 32767, non \"%2\"")
                    .arg(line)
                    .arg(excerpt(item)),
                line};
        }
        return static_cast<std::int16_t>(*value);
    }

    // Only blanks and line ends are left.
    bool exhausted() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || atLineEnd())) {
            if (peek() == '\n' ||
                (peek() == '\r' && (m_pos + 1 >= m_bytes.size() || m_bytes[m_pos + 1] != '\n')))
                ++m_line;
            ++m_pos;
        }
        return atEnd();
    }

    // The next item is this quoted text; nothing is consumed.
    bool nextIs(const QByteArray& quotedText) {
        skipBlanks();
        return m_bytes.mid(m_pos, quotedText.size()) == quotedText;
    }

    // A number kept in double precision (the combinations' forces), as the file writes it.
    double realNumber() {
        const int line = m_line;
        const QByteArray item = rawItem();
        const std::string_view text(item.constData(), static_cast<std::size_t>(item.size()));
        const double value = engine::numtext::leadingNumber(text);
        if (item.isEmpty() || item.size() > kMaxNumberItemLength || !engine::numtext::readsWhole(text) ||
            !std::isfinite(value) || std::fabs(value) >= 1e30) {
            throw Refusal{QStringLiteral("alla riga %1 si attende un numero e si trova \"%2\"")
                              .arg(line)
                              .arg(excerpt(item)),
                          line};
        }
        return value;
    }

    int line() const { return m_line; }

private:
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    char peek() const { return m_bytes[m_pos]; }
    bool atLineEnd() const { return peek() == '\r' || peek() == '\n'; }

    void skipBlanks() {
        while (!atEnd() && (peek() == ' ' || peek() == '\t')) ++m_pos;
    }

    // An item is due: there must be something left to read.
    void startItem() {
        if (atEnd()) {
            // After a final line end the count has moved on to a line that holds nothing.
            const bool afterLineEnd = m_bytes.endsWith('\n') || m_bytes.endsWith('\r');
            const int line = afterLineEnd && m_line > 1 ? m_line - 1 : m_line;
            throw Refusal{
                QStringLiteral("finisce alla riga %1, prima della fine dei dati di progetto").arg(line),
                line};
        }
        skipBlanks();
    }

    // Each comma and each line end (CR LF counts as one) ends exactly one item.
    void endItem() {
        if (atEnd()) return;
        if (peek() == ',') {
            ++m_pos;
            return;
        }
        if (peek() == '\r') {
            ++m_pos;
            if (!atEnd() && peek() == '\n') ++m_pos;
        } else {
            ++m_pos;
        }
        ++m_line;
    }

    QByteArray rawItem() {
        startItem();
        const qsizetype start = m_pos;
        while (!atEnd() && peek() != ',' && !atLineEnd()) ++m_pos;
        QByteArray item = m_bytes.mid(start, m_pos - start);
        endItem();
        while (!item.isEmpty() && (item.back() == ' ' || item.back() == '\t')) item.chop(1);
        return item;
    }

    QString decode(const QByteArray& bytes) const {
        return m_utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
    }

    QString excerpt(const QByteArray& item) const {
        constexpr qsizetype kShown = 24;
        return item.size() > kShown ? decode(item.left(kShown)) + QStringLiteral("...") : decode(item);
    }

    // An empty item is 0; one longer than any number the program writes is not a number.
    static std::optional<float> parseNumber(const QByteArray& item) {
        if (item.isEmpty()) return 0.0f;
        if (item.size() > kMaxNumberItemLength) return std::nullopt;
        return engine::numtext::fileNumber(
            std::string_view(item.constData(), static_cast<std::size_t>(item.size())));
    }

    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    bool m_utf8 = false;
    int m_line = 1;
};

// The items a line of the file holds as the program writes it: one on each project data line,
// then per position the type, the description, 5 materials, 7 geometry slots, 5 actions and
// results, and campo.
int itemsOfLine(int line) {
    static constexpr int kPositionLines[] = {1, 1, 5, 7, 5, 1};
    return line <= kProjectDataLines ? 1 : kPositionLines[(line - kProjectDataLines - 1) % 6];
}

// The reader takes the items wherever the lines break, so an item left out of a line of numbers
// is only missed some lines later, when the items have run one place out of step. In a file laid
// out as the program lays it out, the line that came up short is the one to name: the first,
// before `failedLine`, that holds fewer items than its place asks for, every line before it
// holding just its own.
QString shortLineReason(const QByteArray& bytes, qsizetype start, int failedLine) {
    int line = 1;
    int items = 1;
    bool quoted = false;
    for (qsizetype i = start; i <= bytes.size() && line < failedLine && line <= kProjectFileLines; ++i) {
        const char c = i < bytes.size() ? bytes[i] : '\n';
        if (c == '"') quoted = !quoted;
        if (quoted && c != '\r' && c != '\n') continue;
        if (c == ',') {
            ++items;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            const int expected = itemsOfLine(line);
            if (items < expected) {
                return QStringLiteral("alla riga %1 (posizione %2) si attendono %3 numeri e se ne trovano %4")
                    .arg(line)
                    .arg((line - kProjectDataLines - 1) / 6 + 1)
                    .arg(expected)
                    .arg(items);
            }
            if (items != expected) return {};
            ++line;
            items = 1;
            quoted = false;
        }
    }
    return {};
}

FileResult failure(QString message) { return FileResult{false, std::move(message)}; }

// The load combinations follow the 606 lines in a block of their own, which a reader of the
// 606 lines alone never reaches; a project without combinations has no block at all.
const QByteArray kCombinationsMark = "\"COMBINAZIONI FORTEMA\"";
const QByteArray kCombinationsEnd = "\"FINE COMBINAZIONI\"";
constexpr int kCombinationsVersion = 1;

QByteArray realText(double value) {
    return QByteArray::fromStdString(engine::numtext::generalText(value, engine::numtext::NumberLocale::c()));
}

void appendCombinations(QByteArray& out, const SectionArchive& archive) {
    if (!archive.hasCombinations()) return;
    appendLine(out, {kCombinationsMark, QByteArray::number(kCombinationsVersion)});
    for (int p = 0; p < SectionArchive::kPositions; ++p) {
        const CombinationList& list = archive.combinations(p);
        if (list.empty()) continue;
        appendLine(out, {QByteArray::number(p + 1), QByteArray::number(qsizetype(list.size()))});
        for (const engine::LoadCombination& c : list)
            appendLine(out, {quoted(QString::fromStdString(c.name)), realText(c.N), realText(c.M)});
    }
    appendLine(out, {kCombinationsEnd});
}

int wholeIn(ItemReader& in, int low, int high, const char* what) {
    const int line = in.line();
    const double v = in.realNumber();
    if (std::trunc(v) != v || v < low || v > high) {
        throw Refusal{QStringLiteral("alla riga %1 %2 deve essere un numero intero da %3 a %4")
                          .arg(line)
                          .arg(QString::fromUtf8(what))
                          .arg(low)
                          .arg(high)};
    }
    return static_cast<int>(v);
}

void readCombinations(ItemReader& in, SectionArchive& archive) {
    // Anything else after the positions is ignored, as it always was.
    if (in.exhausted() || !in.nextIs(kCombinationsMark)) return;
    in.text();
    const int versionLine = in.line();
    if (in.realNumber() != kCombinationsVersion) {
        throw Refusal{QStringLiteral("alla riga %1 il blocco delle combinazioni è di una versione non nota")
                          .arg(versionLine)};
    }
    for (;;) {
        if (in.exhausted()) throw Refusal{QStringLiteral("il blocco delle combinazioni non è chiuso")};
        if (in.nextIs(kCombinationsEnd)) {
            in.text();
            return;
        }
        const int line = in.line();
        const int position = wholeIn(in, 1, SectionArchive::kPositions, "la posizione");
        const int count = wholeIn(in, 1, int(engine::kMaxCombinations), "il numero delle combinazioni");
        CombinationList& list = archive.combinations(position - 1);
        if (!list.empty()) {
            throw Refusal{QStringLiteral("alla riga %1 la posizione %2 ha già le sue combinazioni")
                              .arg(line)
                              .arg(position)};
        }
        for (int i = 0; i < count; ++i) {
            if (in.exhausted() || in.nextIs(kCombinationsEnd)) {
                throw Refusal{
                    QStringLiteral("alla riga %1 mancano combinazioni: la posizione %2 ne dichiara %3")
                        .arg(in.line())
                        .arg(position)
                        .arg(count)};
            }
            engine::LoadCombination c;
            c.name = in.text().toStdString();
            c.N = in.realNumber();
            c.M = in.realNumber();
            list.push_back(std::move(c));
        }
    }
}

}  // namespace

QByteArray fileNumberText(float value) { return QByteArray::fromStdString(engine::numtext::fileText(value)); }

QByteArray projectFileBytes(const SectionArchive& archive, const ProjectData& projectData) {
    QByteArray out;
    out.reserve(kProjectFileLines * 24);
    for (const QString& line : projectData) appendLine(out, {quoted(line)});
    for (int p = 0; p < SectionArchive::kPositions; ++p) {
        const SectionRecord& r = archive.at(p);
        appendLine(out, {quoted(r.sectionType)});
        appendLine(out, {quoted(r.description)});
        appendLine(out, {fileNumberText(r.fyk), fileNumberText(r.fyd), fileNumberText(r.Ea),
                         fileNumberText(r.fmd), fileNumberText(r.Em)});
        const auto& g = r.geometry;
        appendLine(out,
                   {fileNumberText(g[0]), fileNumberText(g[1]), fileNumberText(g[2]), fileNumberText(g[3]),
                    fileNumberText(g[4]), fileNumberText(g[5]), fileNumberText(g[6])});
        appendLine(out, {fileNumberText(r.Nd), fileNumberText(r.Md), fileNumberText(r.Nu),
                         fileNumberText(r.Mu), fileNumberText(r.yan)});
        appendLine(out, {QByteArray::number(r.campo)});
    }
    appendCombinations(out, archive);
    return out;
}

FileResult writeProjectFile(const QString& path, const SectionArchive& archive,
                            const ProjectData& projectData) {
    return writeWholeFile(path, projectFileBytes(archive, projectData));
}

FileResult writeWholeFile(const QString& path, const QByteArray& bytes) {
    const auto cannotCreate = [&path](const QString& cause) {
        return failure(QStringLiteral("Impossibile creare il file %1: %2.").arg(shownName(path), cause));
    };
    const auto cannotWrite = [&path](const QString& cause) {
        return failure(QStringLiteral("Impossibile scrivere il file %1: %2.").arg(shownName(path), cause));
    };
    if (path.isEmpty()) return cannotCreate(QStringLiteral("manca il nome"));
    // Only a regular file is replaced, or a missing name made: a pipe or a device is looked at
    // without opening it, which for a pipe with nobody at the other end would wait forever.
    const PathCheck target = checkPath(path);
    if (!target.refusal.isEmpty()) return cannotCreate(target.refusal);
    const QString blocked = target.exists ? cannotReplace(path) : cannotCreateIn(path);
    if (!blocked.isEmpty()) return cannotCreate(blocked);

    // The cause comes from errno right after the call that failed, or from Qt when it set none.
    const auto cause = [](const QFileDevice& file, int err) {
        return err != 0 ? systemCause(err) : file.errorString();
    };
    QSaveFile file(path);
    errno = 0;
    // Unbuffered: a buffered short write (a full disk, a size limit) can go unreported by commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return cannotCreate(cause(file, errno));
    errno = 0;
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        const int err = errno;
        file.cancelWriting();  // the destructor then drops the unfinished copy
        return cannotWrite(cause(file, err));
    }
    errno = 0;
    if (!file.commit()) return cannotWrite(cause(file, errno));
    return {};
}

FileResult parseProjectFile(const QByteArray& bytes, const QString& fileName, SectionArchive& archive,
                            ProjectData& projectData) {
    if (bytes.isEmpty()) return failure(invalidFile(fileName, QStringLiteral("il file è vuoto")));
    if (bytes.size() > kMaxProjectFileSize) {
        return failure(invalidFile(fileName, QStringLiteral("il file è troppo grande")));
    }
    // A byte-order mark says the texts are UTF-8, as an editor may have saved them.
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    const qsizetype start = utf8 ? 3 : 0;
    if (bytes.size() == start) return failure(invalidFile(fileName, QStringLiteral("il file è vuoto")));
    // Read into copies: a file that fails half-way must not leave a half-replaced project.
    SectionArchive newArchive;
    ProjectData newData;
    ItemReader in(bytes, start, utf8);
    try {
        for (QString& line : newData) line = in.text();
        for (int p = 0; p < SectionArchive::kPositions; ++p) {
            SectionRecord& r = newArchive.at(p);
            r.sectionType = in.text();
            r.description = in.text();
            for (float* v : {&r.fyk, &r.fyd, &r.Ea, &r.fmd, &r.Em}) *v = in.number();
            for (float& v : r.geometry) v = in.number();
            for (float* v : {&r.Nd, &r.Md, &r.Nu, &r.Mu, &r.yan}) *v = in.number();
            r.campo = in.wholeNumber();
        }
        readCombinations(in, newArchive);
    } catch (const Refusal& refusal) {
        const QString shortLine = shortLineReason(bytes, start, refusal.line);
        return failure(invalidFile(fileName, shortLine.isEmpty() ? refusal.reason : shortLine));
    }
    archive = std::move(newArchive);
    projectData = std::move(newData);
    return {};
}

FileResult readProjectFile(const QString& path, SectionArchive& archive, ProjectData& projectData) {
    const auto cannotOpen = [&path](const QString& cause) {
        return failure(QStringLiteral("Impossibile aprire il file %1: %2.").arg(shownName(path), cause));
    };
    if (path.isEmpty()) return cannotOpen(QStringLiteral("manca il nome"));
    // Devices and pipes could block or never end: they are refused before being opened.
    const PathCheck target = checkPath(path);
    if (!target.refusal.isEmpty()) return cannotOpen(target.refusal);
    if (!target.exists) return cannotOpen(systemCause(ENOENT));
    QFile file(path);
    if (file.size() > kMaxProjectFileSize) {
        return failure(invalidFile(path, QStringLiteral("il file è troppo grande")));
    }
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) return cannotOpen(errno ? systemCause(errno) : file.errorString());
    errno = 0;
    const QByteArray bytes = file.read(kMaxProjectFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return cannotOpen(errno ? systemCause(errno) : file.errorString());
    return parseProjectFile(bytes, path, archive, projectData);
}

}  // namespace fortema::archive
