#include "drawing/recording_surface.h"

#include <cmath>

namespace fortema::drawing {

namespace {

constexpr double kCharWidthPerPoint = 0.5;
constexpr double kLineHeightPerPoint = 1.2;

QString num(double v) {
    QString text = QString::asprintf("%.4f", v);
    // Values that round to zero from below would print "-0.0000".
    if (text == QLatin1String("-0.0000")) text = QStringLiteral("0.0000");
    return text;
}

QString quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

}  // namespace

RecordingSurface::RecordingSurface(double devicePixelsWide, double devicePixelsHigh, double dpi)
    : m_pixelsWide(devicePixelsWide > 0 ? devicePixelsWide : 1),
      m_pixelsHigh(devicePixelsHigh > 0 ? devicePixelsHigh : 1),
      m_dpi(dpi > 0 ? dpi : 96),
      m_width(m_pixelsWide),
      m_height(m_pixelsHigh) {}

QList<DrawRecord> RecordingSurface::records(DrawRecord::Kind kind) const {
    QList<DrawRecord> out;
    for (const DrawRecord& r : m_records) {
        if (r.kind == kind) out << r;
    }
    return out;
}

QString RecordingSurface::kindName(DrawRecord::Kind kind) {
    using K = DrawRecord::Kind;
    switch (kind) {
        case K::Scale:
            return QStringLiteral("scale");
        case K::Clear:
            return QStringLiteral("clear");
        case K::Line:
            return QStringLiteral("line");
        case K::Box:
            return QStringLiteral("box");
        case K::FilledBox:
            return QStringLiteral("fbox");
        case K::Circle:
            return QStringLiteral("circle");
        case K::Text:
            return QStringLiteral("text");
        case K::Picture:
            return QStringLiteral("picture");
        case K::NewPage:
            return QStringLiteral("newpage");
        case K::EndDocument:
            return QStringLiteral("enddoc");
    }
    return QString();
}

Op RecordingSurface::toOp(const DrawRecord& r) {
    using K = DrawRecord::Kind;
    Op op;
    op.kind = kindName(r.kind);
    switch (r.kind) {
        case K::Scale:
        case K::Line:
        case K::Box:
        case K::FilledBox:
        case K::Picture:
            op.args = {r.x1, r.y1, r.x2, r.y2};
            break;
        case K::Circle:
            op.args = {r.x1, r.y1, r.x2};
            break;
        case K::Text:
            op.args = {r.x1, r.y1};
            break;
        case K::Clear:
        case K::NewPage:
        case K::EndDocument:
            break;
    }
    op.text = r.text;
    op.color = r.color;
    op.font = r.fontName;
    op.fontSize = r.fontSize;
    op.bold = r.fontBold;
    op.lineWidth = r.lineWidth;
    return op;
}

std::vector<Op> RecordingSurface::ops() const {
    std::vector<Op> out;
    out.reserve(static_cast<std::size_t>(m_records.size()));
    for (const DrawRecord& r : m_records) out.push_back(toOp(r));
    return out;
}

std::vector<Op> RecordingSurface::ops(const QString& kind) const {
    std::vector<Op> out;
    for (const DrawRecord& r : m_records) {
        if (kindName(r.kind) == kind) out.push_back(toOp(r));
    }
    return out;
}

QString RecordingSurface::dumpLine(const DrawRecord& r) {
    using K = DrawRecord::Kind;
    const QString corners = num(r.x1) + ' ' + num(r.y1) + ' ' + num(r.x2) + ' ' + num(r.y2);
    const QString width = QStringLiteral(" w") + QString::number(r.lineWidth);
    const QString fill = QStringLiteral(" fill ") + QString::number(r.fillStyle) + ' ' + r.fillColor.name();
    switch (r.kind) {
        case K::Scale:
            return QStringLiteral("scale ") + corners;
        case K::Clear:
            return QStringLiteral("clear ") + r.color.name();
        case K::Line:
            return QStringLiteral("line ") + corners + ' ' + r.color.name() + width;
        case K::Box:
            return QStringLiteral("box ") + corners + ' ' + r.color.name() + width + fill;
        case K::FilledBox:
            return QStringLiteral("fbox ") + corners + ' ' + r.color.name();
        case K::Circle:
            return QStringLiteral("circle ") + num(r.x1) + ' ' + num(r.y1) + ' ' + num(r.x2) + ' ' +
                   r.color.name() + width + fill;
        case K::Text:
            return QStringLiteral("text ") + num(r.x1) + ' ' + num(r.y1) + ' ' + r.color.name() + ' ' +
                   quoted(r.fontName) + ' ' + QString::number(r.fontSize, 'g', 6) +
                   (r.fontBold ? QStringLiteral(" bold ") : QStringLiteral(" normal ")) + quoted(r.text) +
                   (r.endLine ? QString() : QStringLiteral(" stay"));
        case K::Picture:
            return QStringLiteral("picture ") + corners + ' ' + QString::number(r.picture.width()) + 'x' +
                   QString::number(r.picture.height());
        case K::NewPage:
            return QStringLiteral("newpage");
        case K::EndDocument:
            return QStringLiteral("enddoc");
    }
    return QString();
}

QStringList RecordingSurface::dumpLines() const {
    QStringList lines;
    lines.reserve(m_records.size());
    for (const DrawRecord& r : m_records) lines << dumpLine(r);
    return lines;
}

DrawRecord RecordingSurface::makeRecord(DrawRecord::Kind kind) const {
    DrawRecord r;
    r.kind = kind;
    r.color = m_foreColor;
    r.fontName = m_fontName;
    r.fontSize = m_fontSize;
    r.fontBold = m_fontBold;
    r.lineWidth = m_lineWidth;
    r.fillStyle = m_fillStyle;
    r.fillColor = m_fillColor;
    return r;
}

void RecordingSurface::setScale(double left, double top, double width, double height) {
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    DrawRecord r = makeRecord(DrawRecord::Kind::Scale);
    r.x1 = left;
    r.y1 = top;
    r.x2 = width;
    r.y2 = height;
    m_records << r;
}

void RecordingSurface::clear() {
    DrawRecord r = makeRecord(DrawRecord::Kind::Clear);
    r.color = m_backColor;
    m_records << r;
    setCurrentX(m_left);
    setCurrentY(m_top);
}

void RecordingSurface::setCurrentX(double x) {
    m_x = x;
    m_xSource = DrawRecord::Source::Set;
}

void RecordingSurface::setCurrentY(double y) {
    m_y = y;
    m_ySource = DrawRecord::Source::Set;
}

double RecordingSurface::pointsToUserX(double points) const {
    return points * m_dpi / 72.0 * std::abs(m_width) / m_pixelsWide;
}

double RecordingSurface::pointsToUserY(double points) const {
    return points * m_dpi / 72.0 * std::abs(m_height) / m_pixelsHigh;
}

double RecordingSurface::textWidth(const QString& text) const {
    // The widest line of a text of several lines, as a device measures it.
    qsizetype widest = 0;
    for (const QString& part : text.split(QLatin1Char('\n'))) widest = std::max(widest, part.size());
    return pointsToUserX(static_cast<double>(widest) * kCharWidthPerPoint * m_fontSize);
}

double RecordingSurface::textHeight(const QString& text) const {
    const double lines = static_cast<double>(text.count(QLatin1Char('\n')) + 1);
    return pointsToUserY(lines * kLineHeightPerPoint * m_fontSize);
}

void RecordingSurface::print(const QString& text, bool endLine) {
    DrawRecord r = makeRecord(DrawRecord::Kind::Text);
    r.x1 = m_x;
    r.y1 = m_y;
    r.text = text;
    r.endLine = endLine;
    r.xSource = m_xSource;
    r.ySource = m_ySource;
    r.tabColumn = m_tabColumn;
    m_records << r;
    if (endLine) {
        m_x = m_left;
        m_xSource = DrawRecord::Source::Set;
        m_y += textHeight(text);
        m_ySource = DrawRecord::Source::Flow;
    } else {
        m_x += textWidth(text);
        m_xSource = DrawRecord::Source::Flow;
    }
}

void RecordingSurface::tabToColumn(int column) {
    m_x = m_left + std::max(column - 1, 0) * pointsToUserX(kCharWidthPerPoint * m_fontSize);
    m_xSource = DrawRecord::Source::Tab;
    m_tabColumn = column;
}

void RecordingSurface::line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    DrawRecord r = makeRecord(DrawRecord::Kind::Line);
    r.x1 = x1;
    r.y1 = y1;
    r.x2 = x2;
    r.y2 = y2;
    r.color = color.value_or(m_foreColor);
    m_records << r;
}

void RecordingSurface::box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    DrawRecord r = makeRecord(DrawRecord::Kind::Box);
    r.x1 = x1;
    r.y1 = y1;
    r.x2 = x2;
    r.y2 = y2;
    r.color = color.value_or(m_foreColor);
    m_records << r;
}

void RecordingSurface::filledBox(double x1, double y1, double x2, double y2, const QColor& color) {
    DrawRecord r = makeRecord(DrawRecord::Kind::FilledBox);
    r.x1 = x1;
    r.y1 = y1;
    r.x2 = x2;
    r.y2 = y2;
    r.color = color;
    m_records << r;
}

void RecordingSurface::circle(double x, double y, double radius, std::optional<QColor> color) {
    DrawRecord r = makeRecord(DrawRecord::Kind::Circle);
    r.x1 = x;
    r.y1 = y;
    r.x2 = radius;
    r.color = color.value_or(m_foreColor);
    m_records << r;
}

void RecordingSurface::paintPicture(const QImage& picture, double x, double y, double width, double height) {
    DrawRecord r = makeRecord(DrawRecord::Kind::Picture);
    r.x1 = x;
    r.y1 = y;
    r.x2 = width;
    r.y2 = height;
    r.picture = picture;
    m_records << r;
}

void RecordingSurface::newPage() { m_records << makeRecord(DrawRecord::Kind::NewPage); }

void RecordingSurface::endDocument() { m_records << makeRecord(DrawRecord::Kind::EndDocument); }

void RecordingSurface::replay(Surface& target) const {
    using K = DrawRecord::Kind;
    using S = DrawRecord::Source;
    for (const DrawRecord& r : m_records) {
        target.setLineWidth(r.lineWidth);
        target.setFillStyle(r.fillStyle);
        target.setFillColor(r.fillColor);
        switch (r.kind) {
            case K::Scale:
                target.setScale(r.x1, r.y1, r.x2, r.y2);
                break;
            case K::Clear:
                target.setBackColor(r.color);
                target.clear();
                break;
            case K::Line:
                target.line(r.x1, r.y1, r.x2, r.y2, r.color);
                break;
            case K::Box:
                target.box(r.x1, r.y1, r.x2, r.y2, r.color);
                break;
            case K::FilledBox:
                target.filledBox(r.x1, r.y1, r.x2, r.y2, r.color);
                break;
            case K::Circle:
                target.circle(r.x1, r.y1, r.x2, r.color);
                break;
            case K::Text:
                target.setFontName(r.fontName);
                target.setFontSize(r.fontSize);
                target.setFontBold(r.fontBold);
                target.setForeColor(r.color);
                if (r.ySource == S::Set) target.setCurrentY(r.y1);
                if (r.xSource == S::Set) target.setCurrentX(r.x1);
                if (r.xSource == S::Tab) target.tabToColumn(r.tabColumn);
                target.print(r.text, r.endLine);
                break;
            case K::Picture:
                target.paintPicture(r.picture, r.x1, r.y1, r.x2, r.y2);
                break;
            case K::NewPage:
                target.newPage();
                break;
            case K::EndDocument:
                target.endDocument();
                break;
        }
    }
}

}  // namespace fortema::drawing
