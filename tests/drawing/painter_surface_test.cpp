#include "drawing/painter_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>

namespace fortema::drawing {
namespace {

QImage whiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The smallest rectangle holding every pixel of `color` inside `area` (the whole image when
// empty), and how many such pixels there are.
std::pair<QRect, int> inked(const QImage& image, const QColor& color, QRect area = {}) {
    if (area.isEmpty()) area = image.rect();
    QRect r;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != color) continue;
            r |= QRect(x, y, 1, 1);
            ++n;
        }
    }
    return {r, n};
}

// The same drawing through a user scale and through the pixel scale, which a surface has until
// it is given a user scale, gives the same picture; a circle's radius is in units across.
TEST(QPainterSurface, UserScaleDrawsWhereThePixelScaleDoesAndCirclesStayRound) {
    QImage scaled = whiteImage(260, 130);
    QImage pixels = whiteImage(260, 130);
    QPainterSurface user(&scaled);
    QPainterSurface device(&pixels);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(qbColor(9));
    // One unit is 100 pixels across and 50 down.
    user.setScale(-0.9, -1.1, 2.6, 2.6);
    user.box(-0.5, -1.0, -0.1, -0.5, qbColor(12));
    device.box(40, 5, 80, 30, qbColor(12));
    user.filledBox(1.0, 0.0, 1.5, 0.4, qbColor(10));
    device.filledBox(190, 55, 240, 75, qbColor(10));
    user.paintPicture(picture, 0.1, 0.8, 0.4, 0.4);
    device.paintPicture(picture, 100, 95, 40, 20);
    user.circle(0.5, -0.5, 0.2, qbColor(0));
    device.circle(140, 30, 20, qbColor(0));
    for (QPainterSurface* s : {&user, &device}) s->setLineWidth(3);
    user.line(0.3, -0.2, 0.7, 0.4, qbColor(4));
    device.line(120, 45, 160, 75, qbColor(4));
    EXPECT_EQ(scaled, pixels);
    EXPECT_EQ(inked(scaled, qbColor(10)).first, QRect(QPoint(190, 55), QPoint(240, 75)));
    EXPECT_EQ(inked(scaled, qbColor(9)).first, QRect(100, 95, 40, 20));
    const QRect circle = inked(scaled, qbColor(0)).first;
    EXPECT_NEAR(circle.width(), 41, 1);
    EXPECT_NEAR(circle.height(), 41, 1);
}

TEST(QPainterSurface, WindowsFacesAreDrawnWithTheLiberationFaces) {
    QImage image = whiteImage(100, 100);
    QPainterSurface s(&image);
    s.setFontSize(10);
    const auto width = [&s](const char* face) {
        s.setFontName(face);
        return s.textWidth("Punto di progetto");
    };
    const double sans = width("Liberation Sans");
    const double serif = width("Liberation Serif");
    ASSERT_NE(sans, serif);
    for (const char* face : {"MS Sans Serif", "Arial", "arial"}) EXPECT_DOUBLE_EQ(width(face), sans) << face;
    EXPECT_DOUBLE_EQ(width("Times New Roman"), serif);
    EXPECT_EQ(s.fontName(), "Times New Roman");
}

TEST(QPainterSurface, FillStylesPaintTheInsideOfBoxes) {
    const QRect inside(QPoint(12, 12), QPoint(47, 47));
    const int area = inside.width() * inside.height();
    auto filled = [&](int style) {
        QImage image = whiteImage(60, 60);
        QPainterSurface s(&image);
        s.setFillStyle(style);
        s.setFillColor(qbColor(12));
        s.box(10, 10, 50, 50, qbColor(0));
        return image;
    };
    EXPECT_EQ(inked(filled(FillSolid), qbColor(12), inside).second, area);
    EXPECT_EQ(inked(filled(FillTransparent), Qt::white, inside).second, area);
    // Every hatch (2 horizontal, 3 vertical, 4 to 7 diagonal and crossed) fills part of the
    // inside, each its own way.
    QList<QImage> hatches;
    for (int style = 2; style <= 7; ++style) {
        const QImage image = filled(style);
        const int n = inked(image, qbColor(12), inside).second;
        EXPECT_GT(n, 0) << style;
        EXPECT_LT(n, area) << style;
        EXPECT_FALSE(hatches.contains(image)) << style;
        hatches << image;
    }
}

TEST(QPainterSurface, ClearTextAndTabsMoveThePosition) {
    QImage image = whiteImage(400, 300);
    QPainterSurface s(&image);
    s.setScale(-0.9, -1.1, 2.6, 2.6);
    s.setBackColor(qbColor(14));
    s.setCurrentX(1);
    s.clear();
    EXPECT_EQ(inked(image, qbColor(14)).second, 400 * 300);
    EXPECT_EQ(QPointF(s.currentX(), s.currentY()), QPointF(-0.9, -1.1));

    s.setCurrentX(-0.56);
    s.setCurrentY(0.45);
    s.print("N compressione", false);
    EXPECT_NEAR(s.currentX(), -0.56 + s.textWidth("N compressione"), 1e-12);
    s.print("x");
    EXPECT_EQ(QPointF(s.currentX(), s.currentY()), QPointF(-0.9, 0.45 + s.textHeight("x")));
    EXPECT_DOUBLE_EQ(s.textHeight("a\nb"), 2 * s.textHeight("a"));
    s.tabToColumn(30);
    EXPECT_GT(s.currentX(), -0.9);
    // The text was drawn below and right of where it was placed.
    const QRect ink = inked(image, Qt::black).first;
    EXPECT_GE(ink.left(), static_cast<int>(s.toDevice(-0.56, 0).x()) - 1);
    EXPECT_GE(ink.top(), static_cast<int>(s.toDevice(0, 0.45).y()) - 1);
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

TEST(PdfPrinter, DrawsOnThePrintableAreaWithFontsInPoints) {
    QTemporaryDir dir;
    auto printer = pdfPrinter(dir.filePath("out.pdf"));
    QPainterSurface s(printer.get());
    EXPECT_NEAR(s.deviceWidth(), printer->pageRect(QPrinter::DevicePixel).width(), 1);
    // On a scale of points an 8-point line is a little more than 8 high, whatever the resolution.
    s.setScale(0, 0, s.deviceWidth() * 72 / printer->resolution(),
               s.deviceHeight() * 72 / printer->resolution());
    EXPECT_NEAR(s.textHeight("Ag"), 9.5, 1.5);
    s.endDocument();
}

TEST(PdfPrinter, UnfinishedOrUnstartedDocumentsSendNothing) {
    QTemporaryDir dir;
    auto printer = pdfPrinter(dir.filePath("out.pdf"));
    {
        QPainterSurface s(printer.get());
        s.print("half a page");
        s.abortDocument();
        EXPECT_FALSE(s.isActive());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("out.pdf")));

    // What a machine without printers offers: a file printer with nowhere to write.
    const QString nowhere = dir.filePath("no folder/out.pdf");
    auto broken = pdfPrinter(nowhere);
    QPainterSurface s(broken.get());
    EXPECT_TRUE(s.failed());
    s.print("nothing");
    s.newPage();
    s.endDocument();
    EXPECT_TRUE(s.failed());
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace
}  // namespace fortema::drawing
