#include "drawing/painter_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "drawing/current_printer.h"

namespace fortema::drawing {
namespace {

QImage whiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel of `color`; empty when there is none.
QRect extentOf(const QImage& image, const QColor& color) {
    QRect r;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color) r |= QRect(x, y, 1, 1);
        }
    }
    return r;
}

int countOf(const QImage& image, const QColor& color, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == color ? 1 : 0;
    }
    return n;
}

TEST(QPainterSurface, StartsWithAPixelScaleThatFollowsThePicture) {
    QImage image = whiteImage(120, 80);
    QPainterSurface s(&image);
    EXPECT_DOUBLE_EQ(s.scaleWidth(), 120);
    EXPECT_DOUBLE_EQ(s.scaleHeight(), 80);
    image = whiteImage(200, 50);
    EXPECT_DOUBLE_EQ(s.scaleWidth(), 200);
    s.setScale(-0.9, -1.1, 2.6, 2.6);
    EXPECT_DOUBLE_EQ(s.scaleLeft(), -0.9);
    EXPECT_DOUBLE_EQ(s.scaleHeight(), 2.6);
    EXPECT_EQ(s.toDevice(-0.9, -1.1), QPointF(0, 0));
    const QPointF back = s.toUser(s.toDevice(0.4, 0.7));
    EXPECT_NEAR(back.x(), 0.4, 1e-12);
    EXPECT_NEAR(back.y(), 0.7, 1e-12);
}

// The same drawing through a user scale and through the pixel scale gives the same picture.
TEST(QPainterSurface, UserScaleDrawsWhereThePixelScaleDoes) {
    QImage scaled = whiteImage(260, 130);
    QImage pixels = whiteImage(260, 130);
    QPainterSurface user(&scaled);
    QPainterSurface device(&pixels);
    // One unit is 100 pixels across and 50 down.
    user.setScale(-0.9, -1.1, 2.6, 2.6);
    for (QPainterSurface* s : {&user, &device}) s->setLineWidth(1);

    user.line(-0.6, 0.6, 1.2, 0.6, qbColor(0));
    device.line(30, 85, 210, 85, qbColor(0));
    user.setForeColor(qbColor(8));
    device.setForeColor(qbColor(8));
    user.line(0, -0.8, 0, 1.2);
    device.line(90, 15, 90, 115);
    user.box(-0.5, -1.0, -0.1, -0.5, qbColor(12));
    device.box(40, 5, 80, 30, qbColor(12));
    user.filledBox(1.0, 0.0, 1.5, 0.4, qbColor(10));
    device.filledBox(190, 55, 240, 75, qbColor(10));
    user.setLineWidth(3);
    device.setLineWidth(3);
    user.line(0.3, -0.2, 0.7, 0.4, qbColor(9));
    device.line(120, 45, 160, 75, qbColor(9));
    EXPECT_EQ(scaled, pixels);

    // And the pixels are where the scale says.
    EXPECT_EQ(extentOf(scaled, qbColor(0)), QRect(QPoint(30, 85), QPoint(210, 85)));
    EXPECT_EQ(extentOf(scaled, qbColor(12)), QRect(QPoint(40, 5), QPoint(80, 30)));
    EXPECT_EQ(extentOf(scaled, qbColor(10)), QRect(QPoint(190, 55), QPoint(240, 75)));
}

TEST(QPainterSurface, CircleStaysRoundWhateverTheTwoScales) {
    QImage image = whiteImage(400, 200);
    QPainterSurface s(&image);
    // 100 pixels a unit across, 200 down: a radius of 0.5 across is 50 pixels both ways.
    s.setScale(0, 0, 4, 1);
    s.circle(2, 0.5, 0.5, qbColor(0));
    const QRect e = extentOf(image, qbColor(0));
    EXPECT_NEAR(e.width(), 101, 1);
    EXPECT_NEAR(e.height(), 101, 1);
    EXPECT_NEAR(e.center().x(), 200, 1);
    EXPECT_NEAR(e.center().y(), 100, 1);
}

TEST(QPainterSurface, TenUnitScaleOnAHundredPixelPicture) {
    QImage image = whiteImage(100, 100);
    QPainterSurface s(&image);
    EXPECT_TRUE(s.isActive());
    s.setScale(0, 0, 10, 10);
    s.line(1, 1, 9, 1);
    EXPECT_EQ(extentOf(image, Qt::black), QRect(QPoint(10, 10), QPoint(90, 10)));

    QImage wide = whiteImage(200, 100);
    QPainterSurface w(&wide);
    w.setScale(0, 0, 10, 10);
    w.circle(5, 5, 2, qbColor(12));
    const QRect e = extentOf(wide, qbColor(12));
    EXPECT_NEAR(e.width(), 81, 1);
    EXPECT_EQ(e.width(), e.height());
}

TEST(QPainterSurface, WindowsFacesAreDrawnWithTheLiberationFaces) {
    QImage image = whiteImage(100, 100);
    QPainterSurface s(&image);
    s.setFontSize(10);
    s.setFontName("Liberation Sans");
    const double liberation = s.textWidth("Punto di progetto");
    s.setFontName("Liberation Serif");
    const double serif = s.textWidth("Punto di progetto");
    ASSERT_NE(liberation, serif);
    for (const char* face : {"MS Sans Serif", "Arial", "arial"}) {
        s.setFontName(face);
        EXPECT_EQ(s.fontName(), face);
        EXPECT_DOUBLE_EQ(s.textWidth("Punto di progetto"), liberation) << face;
    }
    s.setFontName("Times New Roman");
    EXPECT_DOUBLE_EQ(s.textWidth("Punto di progetto"), serif);
}

TEST(QPainterSurface, FillStylesPaintTheInsideOfBoxes) {
    const QRect inside(QPoint(12, 12), QPoint(47, 47));
    auto boxWith = [](int style) {
        QImage image = whiteImage(60, 60);
        QPainterSurface s(&image);
        s.setFillStyle(style);
        s.setFillColor(qbColor(12));
        s.box(10, 10, 50, 50, qbColor(0));
        return image;
    };
    const int area = inside.width() * inside.height();
    EXPECT_EQ(countOf(boxWith(FillSolid), qbColor(12), inside), area);
    EXPECT_EQ(countOf(boxWith(FillTransparent), qbColor(12), inside), 0);
    EXPECT_EQ(countOf(boxWith(FillTransparent), Qt::white, inside), area);

    // Horizontal hatch: rows are all fill colour or all background; vertical: columns.
    const QImage horizontal = boxWith(2);
    const QImage vertical = boxWith(3);
    int fullRows = 0;
    int fullColumns = 0;
    for (int i = inside.top(); i <= inside.bottom(); ++i) {
        const int inRow = countOf(horizontal, qbColor(12), QRect(inside.left(), i, inside.width(), 1));
        EXPECT_TRUE(inRow == 0 || inRow == inside.width());
        fullRows += inRow == inside.width() ? 1 : 0;
        const int inColumn = countOf(vertical, qbColor(12), QRect(i, inside.top(), 1, inside.height()));
        EXPECT_TRUE(inColumn == 0 || inColumn == inside.height());
        fullColumns += inColumn == inside.height() ? 1 : 0;
    }
    EXPECT_GT(fullRows, 2);
    EXPECT_GT(fullColumns, 2);
    // The diagonal and cross hatches are partial fills, each its own pattern.
    QList<QImage> hatches;
    for (int style = 4; style <= 7; ++style) {
        const QImage image = boxWith(style);
        const int filled = countOf(image, qbColor(12), inside);
        EXPECT_GT(filled, 0) << style;
        EXPECT_LT(filled, area) << style;
        for (const QImage& other : hatches) EXPECT_NE(image, other) << style;
        hatches << image;
    }
    // A cross hatch holds both the horizontal and the vertical lines.
    const QImage cross = boxWith(6);
    EXPECT_GT(countOf(cross, qbColor(12), inside), countOf(horizontal, qbColor(12), inside));
}

TEST(QPainterSurface, ClearPaintsTheBackgroundAndHomesThePosition) {
    QImage image = whiteImage(30, 20);
    QPainterSurface s(&image);
    s.setScale(-1, -2, 3, 4);
    s.setCurrentX(1);
    s.setCurrentY(1);
    s.setBackColor(qbColor(14));
    s.clear();
    EXPECT_EQ(countOf(image, qbColor(14), image.rect()), 600);
    EXPECT_DOUBLE_EQ(s.currentX(), -1);
    EXPECT_DOUBLE_EQ(s.currentY(), -2);
}

TEST(QPainterSurface, TextMovesByItsOwnMetrics) {
    QImage image = whiteImage(400, 300);
    QPainterSurface s(&image);
    s.setScale(-0.9, -1.1, 2.6, 2.6);
    s.setFontName("MS Sans Serif");
    s.setFontSize(8);
    const double w = s.textWidth("N compressione");
    EXPECT_GT(w, 0);
    EXPECT_GT(s.textWidth("N compressione m"), w);
    EXPECT_DOUBLE_EQ(s.textHeight("a\nb"), 2 * s.textHeight("a"));
    s.setCurrentX(-0.56);
    s.setCurrentY(0.45);
    s.print("N compressione", false);
    EXPECT_NEAR(s.currentX(), -0.56 + w, 1e-12);
    EXPECT_DOUBLE_EQ(s.currentY(), 0.45);
    s.print("x");
    EXPECT_DOUBLE_EQ(s.currentX(), -0.9);
    EXPECT_NEAR(s.currentY(), 0.45 + s.textHeight("x"), 1e-12);
    s.tabToColumn(1);
    EXPECT_DOUBLE_EQ(s.currentX(), -0.9);
    s.tabToColumn(30);
    EXPECT_GT(s.currentX(), -0.9);
    // Something was printed, in the fore colour, below and right of the first position.
    const QRect inked = extentOf(image, Qt::black);
    ASSERT_FALSE(inked.isEmpty());
    EXPECT_GE(inked.left(), static_cast<int>(s.toDevice(-0.56, 0).x()) - 1);
    EXPECT_GE(inked.top(), static_cast<int>(s.toDevice(0, 0.45).y()) - 1);
    // A bigger font is wider.
    s.setFontSize(16);
    EXPECT_GT(s.textWidth("N compressione"), 1.5 * w);
}

TEST(QPainterSurface, PicturesAreScaledIntoTheirRectangle) {
    QImage target = whiteImage(100, 100);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qbColor(9));
    QPainterSurface s(&target);
    s.setScale(0, 0, 10, 10);
    s.paintPicture(picture, 2, 3, 4, 5);
    EXPECT_EQ(extentOf(target, qbColor(9)), QRect(20, 30, 40, 50));
}

class PdfPrinter : public testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.filePath("out.pdf"); }
    std::unique_ptr<QPrinter> makePrinter() const {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file());
        return printer;
    }
    static int pdfPages(const QString& path) {
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {path});
        if (!pdfinfo.waitForFinished(30000)) return -1;
        const QString out = QString::fromLocal8Bit(pdfinfo.readAllStandardOutput());
        for (const QString& line : out.split('\n')) {
            if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
        }
        return -1;
    }
    static QByteArray head(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.read(5) : QByteArray();
    }
};

TEST_F(PdfPrinter, OnePagePerNewPagePlusOne) {
    auto printer = makePrinter();
    {
        QPainterSurface s(printer.get());
        ASSERT_FALSE(s.failed());
        EXPECT_TRUE(s.isActive());
        EXPECT_TRUE(s.isPaged());
        s.setScale(-0.9, -0.75, 2.08, 2.88);
        for (int page = 0; page < 3; ++page) {
            if (page > 0) s.newPage();
            s.setCurrentX(-0.38);
            s.setCurrentY(0.75);
            s.print(QStringLiteral("Pagina %1").arg(page + 1));
            s.line(-0.3, 0.3, 0.6, 0.3);
            s.circle(0, 0.3, 0.015);
        }
        s.endDocument();
        EXPECT_FALSE(s.isActive());
        EXPECT_FALSE(s.failed());
    }
    EXPECT_EQ(head(file()), "%PDF-");
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "pdfinfo not installed";
    EXPECT_EQ(pdfPages(file()), 3);
}

TEST_F(PdfPrinter, DrawingAreaIsThePrintableArea) {
    auto printer = makePrinter();
    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    QPainterSurface s(printer.get());
    EXPECT_NEAR(s.deviceWidth(), page.width(), 1);
    EXPECT_NEAR(s.deviceHeight(), page.height(), 1);
    // Fonts are sized in points for the printer's resolution: an 8-point line is about as
    // tall in inches as it is on a 96-dpi picture.
    s.setScale(0, 0, s.deviceWidth() / printer->resolution(), s.deviceHeight() / printer->resolution());
    QImage image = whiteImage(960, 960);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainterSurface screen(&image);
    screen.setScale(0, 0, 10, 10);
    EXPECT_NEAR(s.textHeight("Ag") / screen.textHeight("Ag"), 1.0, 0.25);
    s.endDocument();
}

TEST_F(PdfPrinter, AnUnfinishedDocumentIsNotSent) {
    auto printer = makePrinter();
    {
        QPainterSurface s(printer.get());
        s.print("half a page");
        s.abortDocument();
        EXPECT_FALSE(s.isActive());
    }
    EXPECT_NE(head(file()), "%PDF-");
}

TEST(Printer, APrinterThatCannotBeginFailsAndDrawsNothing) {
    // What a machine without printers offers: a file printer with nowhere to write.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder-of-fortema/out.pdf");
    QPainterSurface s(&printer);
    EXPECT_TRUE(s.failed());
    EXPECT_FALSE(s.isActive());
    s.print("nothing");
    s.line(0, 0, 1, 1);
    s.newPage();
    s.endDocument();
    EXPECT_TRUE(s.failed());
    EXPECT_FALSE(QFile::exists("/nonexistent-folder-of-fortema/out.pdf"));
}

TEST(Printer, CurrentPrinterIsOneHighResolutionPrinterThatKeepsItsSettings) {
    QPrinter& first = currentPrinter();
    first.setCopyCount(3);
    EXPECT_EQ(&first, &currentPrinter());
    EXPECT_EQ(currentPrinter().copyCount(), 3);
    EXPECT_GE(currentPrinter().resolution(), 300);
    first.setCopyCount(1);
}

}  // namespace
}  // namespace fortema::drawing
