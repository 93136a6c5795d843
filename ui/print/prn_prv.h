#pragma once

// The preview window "Anteprima di stampa": one page of the page file at a chosen zoom, with
// paging, zoom and scroll commands by tool button and key, the printer setup and the print
// range window. Its page list is filled by the page-script writer (see PreviewHost).
//
// Sizes are kept in twips of the window (15 a pixel): the page surface Prv is zoom/100 of
// 11907 by 16839.9 twips, always with the user scale of the whole A4 page, and the scroll bars
// count twips of the page that lie outside the visible area.

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>

#include "pagescript/page_script.h"

class QComboBox;
class QLabel;
class QScrollBar;
class QToolButton;

namespace fortema::drawing {
class PictureBox;
class Surface;
}  // namespace fortema::drawing

namespace fortema::ui {

inline constexpr const char* kPreviewTitle = "Anteprima di stampa";

// Where the window goes on a screen: 0.9 of its width and height, centred.
QRect previewGeometry(const QRect& screen);

class PrnPrv : public QWidget {
    Q_OBJECT

public:
    // Loading: ScriptFolder becomes `scriptFolder` (the program's private folder when empty)
    // with a path separator appended; the window takes 0.9 of the screen, centred, at zoom 100.
    // It does not show itself; PreviewHost does.
    explicit PrnPrv(const QString& scriptFolder = {}, QWidget* parent = nullptr);
    ~PrnPrv() override;

    QString scriptFolder() const { return m_scriptFolder; }
    // Empty when there is no ScriptFolder (the private folder could not be made).
    QString pageFile() const;

    // The page list of the writer; the first page is selected. Nothing is drawn. `index` tells
    // where the pages begin in the page file, so that a page is drawn without reading those
    // before it; without one every drawing reads the file from its first line.
    void setPageList(const QStringList& pages, const pagescript::PageIndex& index = {});
    QStringList pageList() const;

    void MostraPagina();
    void SistemaHBAR();
    void SistemaVBAR();
    void ShowPreviewStatus();
    // The tool buttons Cmd(0) to Cmd(9).
    void Cmd_Click(int index);

    // The zoom of zVal in percent and PreviewScale (zoom / 100) of the last layout.
    double zoom() const;
    double previewScale() const { return m_previewScale; }
    // The outer size of the page surface in twips, as the last MostraPagina laid it out.
    double pageWidthTwips() const { return m_pageWidth; }
    double pageHeightTwips() const { return m_pageHeight; }
    // The visible part of the page: the width of hBar and the height of vBar, in twips.
    double visibleWidthTwips() const;
    double visibleHeightTwips() const;
    // How often the page was drawn since the window loaded.
    int drawCount() const { return m_drawCount; }

    // The PDF file the print range window proposes when the pages go to a PDF (see PrnPrn).
    void setPdfProposal(const QString& path) { m_pdfProposal = path; }

    // A second surface drawn along with the page surface (a recorder in tests); nullptr stops it.
    void setMirror(drawing::Surface* mirror) { m_mirror = mirror; }

signals:
    // The window is closing; its page list goes with it.
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The key table; true when the key was one of it.
    bool keyDown(QKeyEvent* event);
    void RenderPreviewPage(double left, double top);
    void placeControls();
    void applyScrollRanges();
    void stepBar(QScrollBar* bar, int delta);
    // The page surface at the scroll bars' place, or centred where it is smaller than the view.
    void placePage();

    QString m_scriptFolder;
    QString m_pdfProposal;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    double m_previewScale = 1;
    int m_drawCount = 0;
    bool m_drawing = false;
    drawing::Surface* m_mirror = nullptr;
    QImage m_img;
    pagescript::PageIndex m_index;

    QWidget* m_bBar;
    std::array<QToolButton*, 10> m_cmd{};
    QComboBox* m_zVal;
    QComboBox* m_ePag;
    QWidget* m_view;  // the visible part of the page, under the tool bar
    drawing::PictureBox* m_prv;
    QScrollBar* m_hBar;
    QScrollBar* m_vBar;
    QWidget* m_sBar;
    QLabel* m_aPag;
    QLabel* m_tPag;
    QLabel* m_zPag;
};

}  // namespace fortema::ui
