#pragma once

// The two readers of the page file. RenderPreviewPage draws one page on the preview page
// surface at the preview's zoom; PrintPages sends a range of pages to a printer surface.
// Both apply the commands of the file alike; the surfaces keep their state (font, fill,
// position) from one command, page and call to the next, as the writer states font and fill
// before every text and box. Given the page index of the file, they start reading at the first
// page they draw; without it (or when it does not fit the file) at the first line. Nothing a
// page draws depends on the pages before it but a picture that an "#img" loaded, and the index
// sends such files back to the first line.
//
// Split with the preview window: the window shows the wait pointer, places its page surface
// at (pageLeft, pageTop + the tool bar's height), calls RenderPreviewPage, applies the two
// scroll ranges of the result to its scroll bars and then writes its status bar (page text,
// number of pages, zoom), all of which it knows itself.

#include <QImage>
#include <QString>
#include <functional>

#include "drawing/surface.h"
#include "pagescript/page_script.h"

namespace fortema::pagescript {

// The range of one scroll bar, in window twips.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    // 0 when the page fits (maximum 0): the bar's own changes are then left as they are.
    int smallChange = 0;
    int largeChange = 0;
};

// Range of a scroll bar over a page `pageExtent` long of which `visibleExtent` shows: 0 to
// the difference, small change 20, large change maximum × visible / page. The 16-bit bars
// of the window hold at most 32767, so longer differences are cut there.
ScrollRange previewScrollRange(double pageExtent, double visibleExtent);

// What the preview window passes in.
struct PreviewRequest {
    QString pageFile;         // pageFilePath(ScriptFolder)
    QString wantedPage;       // the text of the page list; read as a number, "" is page 0
    double previewScale = 1;  // PreviewScale: zoom / 100; font sizes are multiplied by it
    double left = 0;          // scroll offsets of the visible part, window twips
    double top = 0;
    double pageWidth = 0;  // outer size of the page surface, window twips
    double pageHeight = 0;
    double visibleWidth = 0;           // width of the horizontal scroll bar
    double visibleHeight = 0;          // height of the vertical scroll bar
    const PageIndex* index = nullptr;  // of the page file, when the window has one
};

struct PreviewResult {
    int wantedPage = 0;
    bool pageFound = false;  // the wanted page has both its "#startpage" and "#endpage"
    bool fileRead = true;    // false when the page file could not be opened
    double pageLeft = 0;     // where the page surface goes: -left
    double pageTop = 0;      // -top; the window adds its tool bar's height
    ScrollRange horizontal;
    ScrollRange vertical;
};

// Clears `prv` and draws on it the commands of the wanted page only, font sizes times
// previewScale. Reading stops at the end of the wanted page. Every "#img" of the file up to
// there loads its picture into `picture` (the preview's picture holder) when its file
// exists; only those of the wanted page paint it, and an empty holder paints nothing.
PreviewResult RenderPreviewPage(const PreviewRequest& request, drawing::Surface& prv, QImage& picture);

// What the print range window passes in; every hook may be empty.
struct PrintHooks {
    // The wait pointer and the bold caption of the cancel button: on at the start, off at the end.
    std::function<void(bool busy)> setBusy;
    // Lets pending window events run: once at the start and at the start of every printed
    // page; a click on the cancel button sets the cancel flag from here.
    std::function<void()> processEvents;
    // Called with page = first - 1 at the start (an empty fill) and with each printed page
    // as it starts; ShowPrintProgress turns that into the fill width.
    std::function<void(int first, int last, int page)> showPrintProgress;
};

struct PrintResult {
    int pagesPrinted = 0;    // pages begun on the printer
    bool cancelled = false;  // stopped by the cancel flag
    bool fileRead = true;    // false when the page file could not be opened
};

// Sends pages first to last: a new printer page after every printed page but the last, the
// end of the printer document at the end, also when `printCancelled` stopped it at a page
// boundary (what was drawn is sent) or when the file ended early. Font sizes as written.
PrintResult PrintPages(const QString& pageFile, drawing::Surface& printer, QImage& picture, int first,
                       int last, const bool& printCancelled, const PrintHooks& hooks,
                       const PageIndex* index = nullptr);

// The width of the progress fill when `page` of first..last starts: (page - first + 1) steps
// of trackWidth / (last - first + 1); 0 before the first page, the whole track at the last.
double ShowPrintProgress(double trackWidth, int first, int last, int page);

}  // namespace fortema::pagescript
