// The page-script interpreters fed any page file: no crash and no hang, for any wanted page
// on the preview and any range on the printer, both on the recorder and on the painter surface
// over a picture that the window and the printer really draw with.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "drawing/painter_surface.h"
#include "drawing/recording_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/script_interpreter.h"

using namespace fortema::pagescript;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "pagescript_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    static QTemporaryDir dir;
    if (size < 3) return 0;

    const QString file = pageFilePath(scriptFolderFrom(dir.path()));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    out.write(reinterpret_cast<const char*>(data + 3), static_cast<qint64>(size - 3));
    out.close();

    QImage picture;
    PreviewRequest request;
    request.pageFile = file;
    request.wantedPage = QString::number(data[0] % 8);
    request.previewScale = 0.25 + (data[1] % 8) * 0.25;
    request.pageWidth = 11907 * request.previewScale;
    request.pageHeight = 16839.9 * request.previewScale;
    request.visibleWidth = 800 * 15;
    request.visibleHeight = 600 * 15;
    const int first = 1 + data[1] % 4;
    const int last = first + data[2] % 4;
    const bool cancelled = false;
    // A small page picture keeps the painting quick; the page is scaled onto it as in the window.
    QImage page(120, 170, QImage::Format_RGB32);
    for (const bool painted : {false, true}) {
        fortema::drawing::RecordingSurface preview, printer;
        fortema::drawing::QPainterSurface previewPicture(&page), printerPicture(&page);
        fortema::drawing::Surface& prv =
            painted ? static_cast<fortema::drawing::Surface&>(previewPicture) : preview;
        fortema::drawing::Surface& prn =
            painted ? static_cast<fortema::drawing::Surface&>(printerPicture) : printer;
        prv.setScale(0, 0, kPageWidthTwips, kPageHeightTwips);
        prn.setScale(0, 0, kPageWidthTwips, kPageHeightTwips);
        RenderPreviewPage(request, prv, picture);
        PrintPages(file, prn, picture, first, last, cancelled, PrintHooks{});
    }
    return 0;
}
