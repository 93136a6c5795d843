#include "archive/project_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "archive/archive_text.h"
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
};

// Reads the items one after another from the bytes of the file.
class ItemReader {
public:
    explicit ItemReader(const QByteArray& bytes) : m_bytes(bytes) {}

    QString text() {
        startItem();
        if (atEnd() || peek() != '"') {
            throw Refusal{QStringLiteral("alla riga %1 si attende un testo tra virgolette").arg(m_line)};
        }
        const qsizetype start = ++m_pos;
        while (!atEnd() && peek() != '"' && !atLineEnd()) ++m_pos;
        if (atEnd() || peek() != '"') {
            throw Refusal{QStringLiteral("alla riga %1 un testo tra virgolette non è chiuso").arg(m_line)};
        }
        const QByteArray content = m_bytes.mid(start, m_pos - start);
        ++m_pos;
        skipBlanks();
        if (!atEnd() && peek() != ',' && !atLineEnd()) {
            throw Refusal{
                QStringLiteral("alla riga %1 un testo tra virgolette è seguito da altro").arg(m_line)};
        }
        endItem();
        return fromWindows1252(content);
    }

    float number() {
        const int line = m_line;
        const QByteArray item = rawItem();
        const std::optional<float> value = parseNumber(item);
        if (!value) {
            throw Refusal{QStringLiteral("alla riga %1 si attende un numero e si trova \"%2\"")
                              .arg(line)
                              .arg(excerpt(item))};
        }
        if (std::isinf(*value)) {
            throw Refusal{QStringLiteral("alla riga %1 il numero %2 è fuori dall'intervallo ammesso")
                              .arg(line)
                              .arg(excerpt(item))};
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
                    .arg(excerpt(item))};
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
                              .arg(excerpt(item))};
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
            throw Refusal{
                QStringLiteral("finisce alla riga %1, prima della fine dei dati di progetto").arg(m_line)};
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

    static QString excerpt(const QByteArray& item) {
        constexpr qsizetype kShown = 24;
        return item.size() > kShown ? fromWindows1252(item.left(kShown)) + QStringLiteral("...")
                                    : fromWindows1252(item);
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
    int m_line = 1;
};

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
    const QByteArray bytes = projectFileBytes(archive, projectData);
    const QString cannotCreate = QStringLiteral("Impossibile creare il file %1.").arg(shownName(path));
    const QString cannotWrite = QStringLiteral("Impossibile scrivere il file %1.").arg(shownName(path));
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir()) return failure(cannotCreate);
    if (info.exists() && !info.isFile()) {
        // A device or a pipe cannot be replaced by renaming a finished copy over it.
        QFile device(path);
        if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return failure(cannotCreate);
        if (device.write(bytes) != bytes.size() || !device.flush()) return failure(cannotWrite);
        device.close();
        return device.error() == QFileDevice::NoError ? FileResult{} : failure(cannotWrite);
    }
    QSaveFile file(path);
    // Unbuffered: a buffered short write (a full disk, a size limit) can go unreported by commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return failure(cannotCreate);
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        file.cancelWriting();  // the destructor then drops the unfinished copy
        return failure(cannotWrite);
    }
    if (!file.commit()) return failure(cannotWrite);
    return {};
}

FileResult parseProjectFile(const QByteArray& bytes, const QString& fileName, SectionArchive& archive,
                            ProjectData& projectData) {
    if (bytes.isEmpty()) return failure(invalidFile(fileName, QStringLiteral("il file è vuoto")));
    if (bytes.size() > kMaxProjectFileSize) {
        return failure(invalidFile(fileName, QStringLiteral("il file è troppo grande")));
    }
    // Read into copies: a file that fails half-way must not leave a half-replaced project.
    SectionArchive newArchive;
    ProjectData newData;
    ItemReader in(bytes);
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
        return failure(invalidFile(fileName, refusal.reason));
    }
    archive = std::move(newArchive);
    projectData = std::move(newData);
    return {};
}

FileResult readProjectFile(const QString& path, SectionArchive& archive, ProjectData& projectData) {
    const QString cannotOpen = QStringLiteral("Impossibile aprire il file %1").arg(shownName(path));
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return failure(cannotOpen + QStringLiteral(": il file non esiste."));
    if (info.isDir()) return failure(cannotOpen + QStringLiteral(": è una cartella."));
    // Devices and pipes could block or never end.
    if (!info.isFile()) return failure(cannotOpen + QStringLiteral(": non è un file."));
    if (info.size() > kMaxProjectFileSize) {
        return failure(invalidFile(path, QStringLiteral("il file è troppo grande")));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failure(cannotOpen + QLatin1Char('.'));
    const QByteArray bytes = file.read(kMaxProjectFileSize + 1);
    if (file.error() != QFileDevice::NoError) return failure(cannotOpen + QLatin1Char('.'));
    return parseProjectFile(bytes, path, archive, projectData);
}

}  // namespace fortema::archive
