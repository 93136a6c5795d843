// The preview page as a person sees it: the rules of the header and footer frames one pixel row
// at every zoom, and a page smaller than the view in the middle of it.

#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <cmath>

#include "drawing/picture_box.h"
#include "tests/support/test_registry.h"
#include "tests/ui/print/print_documents.h"
#include "ui/print/prn_prv.h"

namespace fortema::ui::test {

class PrnPrvPageTest : public QObject {
    Q_OBJECT
private slots:
    void rulesKeepTheirThicknessAndASmallPageIsCentred() {
        ScriptFolderScope folder;
        PreviewHost host;
        writeDocument(host, 1);
        PrnPrv* w = host.window();
        QVERIFY(w);
        w->resize(1000, 900);
        auto* page = w->findChild<drawing::PictureBox*>(QStringLiteral("Prv"));
        const QWidget* view = page->parentWidget();
        const QScrollBar* hBar = w->findChild<QScrollBar*>(QStringLiteral("hBar"));
        for (const char* zoom : {"25", "50", "75", "100", "125", "150", "175", "200"}) {
            w->findChild<QComboBox*>(QStringLiteral("zVal"))->setCurrentText(QLatin1String(zoom));
            w->MostraPagina();
            const QImage image = page->image();
            const double perCm = image.height() / 29.7;
            const int x = int(10 * perCm);  // between the texts of both frames
            // The header rule at 1.9 cm, the footer rule at 26 cm.
            for (const double cm : {1.9, 26.0}) {
                int rows = 0;
                for (int y = int((cm - 0.2) * perCm); y <= int((cm + 0.2) * perCm); ++y) {
                    if (image.pixelColor(x, y) != QColor(Qt::white)) ++rows;
                }
                QVERIFY2(rows == 1, qPrintable(QStringLiteral("zoom %1, %2 cm: %3 rows").arg(zoom).arg(cm).arg(rows)));
            }
            const int expectedX =
                page->width() < view->width() ? (view->width() - page->width()) / 2 : -int(std::lround(hBar->value() / 15.0));
            QCOMPARE(page->x(), expectedX);
            if (page->height() < view->height()) QCOMPARE(page->y(), (view->height() - page->height()) / 2);
        }
    }
};

namespace {
const RegisterTest<PrnPrvPageTest> registered;
}

}  // namespace fortema::ui::test

#include "prn_prv_page_test.moc"
