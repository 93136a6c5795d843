#pragma once

// A surface that draws nothing and writes down every operation, for tests and for drawing a
// printout in full before any paper is touched.
//
// Text metrics are a fixed model, independent of any font database, so that it works without
// a QGuiApplication and gives the same numbers on every machine. The surface stands for a
// device of `devicePixelsWide` × `devicePixelsHigh` pixels at `dpi` pixels per inch; a font of
// p points has
//   - every character 0.5·p device points wide (so the average character width, one text
//     column, is 0.5·p points),
//   - a text line 1.2·p device points high (a text of k lines is k times that),
// one device point being dpi/72 pixels, turned into user units through the current scale
// (|scale width| / pixels wide across, |scale height| / pixels high down).
//
// The default state is that of a fresh picture box: pixel scale (0, 0, pixels wide, pixels
// high), white background, black fore colour, line width 1, font "MS Sans Serif" 8 points,
// fill style transparent with black fill colour, position (0, 0).

#include <QList>
#include <QStringList>
#include <vector>

#include "drawing/surface.h"

namespace fortema::drawing {

struct DrawRecord {
    enum class Kind { Scale, Clear, Line, Box, FilledBox, Circle, Text, Picture, NewPage, EndDocument };
    // Where a text's position came from: set by the caller, left by an earlier text, or a
    // text column. A replay on a surface with other metrics follows the same flow.
    enum class Source { Set, Flow, Tab };

    Kind kind = Kind::Clear;
    // Scale: left, top, width, height. Line, boxes, picture: the two corners (picture: x, y,
    // width, height). Circle: centre (x1, y1) and radius x2. Text: its top left corner (x1, y1).
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString text;
    // The colour drawn: a given colour or the fore colour; Clear: the background colour.
    QColor color;
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    int lineWidth = 1;
    int fillStyle = FillTransparent;
    QColor fillColor;
    // Text: the text ended its line (false: the position stayed on the line).
    bool endLine = true;
    Source xSource = Source::Set;
    Source ySource = Source::Set;
    int tabColumn = 0;
    QImage picture;
};

// A plain view of one record: `kind` is the dump's first word ("line", "text", ...), `args`
// its numbers in dump order (scale: left top width height; line, box, fbox: x1 y1 x2 y2;
// circle: x y r; text: x y; picture: x y width height).
struct Op {
    QString kind;
    std::vector<double> args;
    QString text;
    QColor color;
    QString font;
    double fontSize = 0;
    bool bold = false;
    int lineWidth = 1;
};

class RecordingSurface : public Surface {
public:
    // The default device is the plot box of the main window (5535 × 4935 twips).
    explicit RecordingSurface(double devicePixelsWide = 369, double devicePixelsHigh = 329, double dpi = 96);

    const QList<DrawRecord>& records() const { return m_records; }
    // The records of one kind, in order.
    QList<DrawRecord> records(DrawRecord::Kind kind) const;
    // One line per record; numbers with four decimals ("-0.3800"), colours as "#rrggbb".
    //   scale L T W H | clear #c | line X1 Y1 X2 Y2 #c wN | box X1 Y1 X2 Y2 #c wN fill S #f
    //   fbox X1 Y1 X2 Y2 #c | circle X Y R #c wN fill S #f
    //   text X Y #c "face" SIZE normal|bold "text" [stay] | picture X Y W H PWxPH
    //   newpage | enddoc
    QStringList dumpLines() const;
    QString dump() const { return dumpLines().join(QLatin1Char('\n')); }
    static QString dumpLine(const DrawRecord& record);
    void clearRecords() { m_records.clear(); }

    std::vector<Op> ops() const;
    // The operations of one kind ("line", "text", ...), in order.
    std::vector<Op> ops(const QString& kind) const;
    static Op toOp(const DrawRecord& record);
    static QString kindName(DrawRecord::Kind kind);

    // Draws the recorded operations again on another surface, with the state each had.
    // Texts whose position followed from earlier texts follow the target's own metrics.
    void replay(Surface& target) const;

    double devicePixelsWide() const { return m_pixelsWide; }
    double devicePixelsHigh() const { return m_pixelsHigh; }
    double dpi() const { return m_dpi; }
    int lineWidth() const { return m_lineWidth; }
    int fillStyle() const { return m_fillStyle; }
    QColor fillColor() const { return m_fillColor; }
    QColor backColor() const { return m_backColor; }

    void setScale(double left, double top, double width, double height) override;
    double scaleLeft() const override { return m_left; }
    double scaleTop() const override { return m_top; }
    double scaleWidth() const override { return m_width; }
    double scaleHeight() const override { return m_height; }

    void clear() override;
    void setBackColor(const QColor& color) override { m_backColor = color; }
    void setForeColor(const QColor& color) override { m_foreColor = color; }
    QColor foreColor() const override { return m_foreColor; }
    void setLineWidth(int pixels) override { m_lineWidth = pixels; }

    void setFontName(const QString& face) override { m_fontName = face; }
    void setFontSize(double points) override { m_fontSize = points; }
    void setFontBold(bool bold) override { m_fontBold = bold; }
    QString fontName() const override { return m_fontName; }
    double fontSize() const override { return m_fontSize; }
    bool fontBold() const override { return m_fontBold; }

    void setFillStyle(int style) override { m_fillStyle = style; }
    void setFillColor(const QColor& color) override { m_fillColor = color; }

    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }

    void print(const QString& text, bool endLine = true) override;
    void tabToColumn(int column) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

    void line(double x1, double y1, double x2, double y2,
              std::optional<QColor> color = std::nullopt) override;
    void box(double x1, double y1, double x2, double y2, std::optional<QColor> color = std::nullopt) override;
    void filledBox(double x1, double y1, double x2, double y2, const QColor& color) override;
    void circle(double x, double y, double radius, std::optional<QColor> color = std::nullopt) override;
    void paintPicture(const QImage& picture, double x, double y, double width, double height) override;

    void newPage() override;
    void endDocument() override;

private:
    DrawRecord makeRecord(DrawRecord::Kind kind) const;
    double pointsToUserX(double points) const;
    double pointsToUserY(double points) const;

    double m_pixelsWide;
    double m_pixelsHigh;
    double m_dpi;
    double m_left = 0, m_top = 0, m_width, m_height;
    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    int m_lineWidth = 1;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    double m_fontSize = 8;
    bool m_fontBold = false;
    int m_fillStyle = FillTransparent;
    QColor m_fillColor = Qt::black;
    double m_x = 0, m_y = 0;
    DrawRecord::Source m_xSource = DrawRecord::Source::Set;
    DrawRecord::Source m_ySource = DrawRecord::Source::Set;
    int m_tabColumn = 0;
    QList<DrawRecord> m_records;
};

}  // namespace fortema::drawing
