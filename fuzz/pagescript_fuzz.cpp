// The page-script interpreters fed any page file: no crash and no hang, for any wanted page
// on the preview and any range on the printer.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

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
    fortema::drawing::RecordingSurface preview;
    PreviewRequest request;
    request.pageFile = file;
    request.wantedPage = QString::number(data[0] % 8);
    request.previewScale = 0.25 + (data[1] % 8) * 0.25;
    request.pageWidth = 11907 * request.previewScale;
    request.pageHeight = 16839.9 * request.previewScale;
    request.visibleWidth = 800 * 15;
    request.visibleHeight = 600 * 15;
    RenderPreviewPage(request, preview, picture);

    fortema::drawing::RecordingSurface printer;
    const int first = 1 + data[1] % 4;
    const int last = first + data[2] % 4;
    const bool cancelled = false;
    PrintPages(file, printer, picture, first, last, cancelled, PrintHooks{});
    return 0;
}
