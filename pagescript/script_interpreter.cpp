#include "pagescript/script_interpreter.h"

#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <limits>

#include "pagescript/page_script.h"

namespace fortema::pagescript {

namespace {

constexpr int kMaxScroll = std::numeric_limits<std::int16_t>::max();

int toInt16(double value) {
    const long v = roundToLong(value);
    return static_cast<int>(std::clamp<long>(v, std::numeric_limits<std::int16_t>::min(), kMaxScroll));
}

// The drawing state a reader keeps between commands, besides what the surface keeps.
class CommandApplier {
public:
    CommandApplier(drawing::Surface& surface, QImage& picture, double fontScale)
        : m_surface(surface), m_picture(picture), m_fontScale(fontScale) {}

    // Reads the command's arguments into the reader's state and, when `onPage`, draws it.
    void apply(const ScriptCommand& c, bool onPage) {
        const QStringList& a = c.arguments;
        if (c.keyword == Keyword::Image) {
            // The picture is loaded on every page, drawn or not, so that a later page
            // painting from the holder finds the picture the file last named.
            readCorners(a, 1);
            if (FileExists(a[0])) m_picture = QImageReader(a[0]).read();
            if (onPage && !m_picture.isNull()) m_surface.paintPicture(m_picture, m_x1, m_y1, m_x2, m_y2);
            return;
        }
        if (c.keyword == Keyword::Line) {
            readCorners(a, 0);
            m_colorText = a[4];
            m_colorValue = roundToLong(ParseScriptNumber(a[4]));
            m_styleText = a[5];
        }
        if (onPage) draw(c);
    }

private:
    // The four numbers of "#line" (from its first argument) or "#img" (after its path).
    void readCorners(const QStringList& a, int from) {
        m_x1 = ParseScriptNumber(a[from]);
        m_y1 = ParseScriptNumber(a[from + 1]);
        m_x2 = ParseScriptNumber(a[from + 2]);
        m_y2 = ParseScriptNumber(a[from + 3]);
    }

    void draw(const ScriptCommand& c) {
        const QString arg = c.arguments.value(0);
        switch (c.keyword) {
            case Keyword::FontName:
                m_surface.setFontName(arg);
                break;
            case Keyword::FontSize: {
                const double size = ParseScriptNumber(arg) * m_fontScale;
                // A size of nothing (a line that is no number) keeps the font it had.
                if (size > 0) m_surface.setFontSize(size);
                break;
            }
            case Keyword::FontBold:
                m_surface.setFontBold(arg != QLatin1String("0"));
                break;
            case Keyword::X:
                m_surface.setCurrentX(ParseScriptNumber(arg));
                break;
            case Keyword::Y:
                m_surface.setCurrentY(ParseScriptNumber(arg));
                break;
            case Keyword::TextLeft:
                m_surface.print(arg);
                break;
            case Keyword::TextRight:
                m_surface.setCurrentX(m_surface.currentX() - m_surface.textWidth(arg));
                m_surface.print(arg);
                break;
            case Keyword::TextCentre:
                m_surface.setCurrentX(m_surface.currentX() - std::floor(m_surface.textWidth(arg) / 2));
                m_surface.print(arg);
                break;
            case Keyword::Fill: {
                const long style = scriptWholeNumber(arg);
                // The platform knows styles 0 to 7 only; others would leave the surface undefined.
                if (style >= 0 && style <= 7) m_surface.setFillStyle(static_cast<int>(style));
                break;
            }
            case Keyword::Color:
                m_surface.setFillColor(drawing::colorFromBgr(scriptWholeNumber(arg)));
                break;
            case Keyword::Line:
                drawLine();
                break;
            case Keyword::Segment:
                // A line in its own colour: the surface's colours stay as they were, so no later
                // text or box depends on it.
                m_surface.line(ParseScriptNumber(arg), ParseScriptNumber(c.arguments.value(1)),
                               ParseScriptNumber(c.arguments.value(2)),
                               ParseScriptNumber(c.arguments.value(3)),
                               drawing::colorFromBgr(scriptWholeNumber(c.arguments.value(4))));
                break;
            case Keyword::StartPage:
            case Keyword::EndPage:
            case Keyword::Image:
                break;
        }
    }

    void drawLine() {
        if (!m_colorText.isEmpty()) {
            m_surface.filledBox(m_x1, m_y1, m_x2, m_y2, drawing::colorFromBgr(m_colorValue));
        } else if (!m_styleText.isEmpty()) {
            m_surface.box(m_x1, m_y1, m_x2, m_y2);
        } else {
            m_surface.line(m_x1, m_y1, m_x2, m_y2);
        }
    }

    drawing::Surface& m_surface;
    QImage& m_picture;
    double m_fontScale;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QString m_colorText;
    long m_colorValue = 0;
    QString m_styleText;
};

// Puts the reader on the "#startpage" line of `page` when the index knows where it is and the
// file has it there; the page counter to go on with: page - 1 there, 0 at the first line.
int startAt(ScriptReader& reader, const PageIndex* index, int page) {
    if (!index || page < 1) return 0;
    return reader.seekToKeyword(index->startOf(page), Keyword::StartPage) ? page - 1 : 0;
}

}  // namespace

ScrollRange previewScrollRange(double pageExtent, double visibleExtent) {
    ScrollRange range;
    if (pageExtent <= visibleExtent || pageExtent <= 0) return range;
    range.maximum = std::max(0, toInt16(pageExtent - visibleExtent));
    if (range.maximum == 0) return range;
    range.smallChange = 20;
    range.largeChange = std::clamp(toInt16(range.maximum * visibleExtent / pageExtent), 1, kMaxScroll);
    return range;
}

PreviewResult RenderPreviewPage(const PreviewRequest& request, drawing::Surface& prv, QImage& picture) {
    PreviewResult result;
    result.wantedPage = toInt16(static_cast<double>(scriptWholeNumber(request.wantedPage)));
    result.pageLeft = -request.left;
    result.pageTop = -request.top;

    prv.clear();
    ScriptReader reader(request.pageFile);
    result.fileRead = reader.isOpen();
    CommandApplier applier(prv, picture, request.previewScale);
    int counter = startAt(reader, request.index, result.wantedPage);
    ScriptCommand command;
    while (reader.next(command)) {
        if (command.keyword == Keyword::StartPage) {
            ++counter;
            continue;
        }
        // Page 0 is no page: what stands before the first "#startpage" is never drawn.
        const bool onPage = counter == result.wantedPage && counter > 0;
        if (command.keyword == Keyword::EndPage) {
            if (onPage) {
                result.pageFound = true;
                break;
            }
            continue;
        }
        applier.apply(command, onPage);
    }

    result.horizontal = previewScrollRange(request.pageWidth, request.visibleWidth);
    result.vertical = previewScrollRange(request.pageHeight, request.visibleHeight);
    return result;
}

PrintResult PrintPages(const QString& pageFile, drawing::Surface& printer, QImage& picture, int first,
                       int last, const bool& printCancelled, const PrintHooks& hooks,
                       const PageIndex* index) {
    if (hooks.setBusy) hooks.setBusy(true);
    if (hooks.processEvents) hooks.processEvents();
    if (hooks.showPrintProgress) hooks.showPrintProgress(first, last, first - 1);

    PrintResult result;
    bool printing = false;
    int counter = 0;
    ScriptReader reader(pageFile);
    result.fileRead = reader.isOpen();
    counter = startAt(reader, index, first);
    CommandApplier applier(printer, picture, 1.0);
    ScriptCommand command;
    while (reader.next(command)) {
        if (command.keyword == Keyword::StartPage) {
            if (printCancelled) {
                result.cancelled = true;
                break;
            }
            ++counter;
            if (counter > last) break;
            printing = counter >= first;
            if (printing) {
                ++result.pagesPrinted;
                if (hooks.showPrintProgress) hooks.showPrintProgress(first, last, counter);
                if (hooks.processEvents) hooks.processEvents();
            }
        } else if (command.keyword == Keyword::EndPage) {
            if (printCancelled) {
                result.cancelled = true;
                break;
            }
            if (counter >= last) break;
            if (printing) printer.newPage();
        } else {
            applier.apply(command, printing);
        }
    }

    // Sends what was drawn, also a page cut short by cancelling.
    printer.endDocument();
    if (hooks.setBusy) hooks.setBusy(false);
    return result;
}

double ShowPrintProgress(double trackWidth, int first, int last, int page) {
    if (last < first) return 0;
    const double step = trackWidth / (last - first + 1);
    return std::clamp((page - first + 1) * step, 0.0, trackWidth);
}

}  // namespace fortema::pagescript
