#include "ui/print/prn_prv.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <optional>

#include "drawing/picture_box.h"
#include "drawing/tee_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/private_folder.h"
#include "pagescript/script_interpreter.h"
#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"
#include "ui/print/cls_print_dialog.h"
#include "ui/print/prn_prn.h"
#include "ui/print/tool_icons.h"

namespace fortema::ui {

namespace {

// Heights and widths of the fixed parts, in twips.
constexpr int kBarHeight = 480;
constexpr int kButtonSize = 390;
constexpr int kButtonStep = 405;
constexpr int kGroupGap = 120;
constexpr int kListWidth = 900;
constexpr int kListHeight = 330;
constexpr int kListGap = 36;
constexpr int kStatusHeight = 345;
constexpr int kScrollExtent = 255;
// A window this small in either direction keeps its controls where they are.
constexpr int kSmallestLayout = 1000;

const QStringList kZoomItems = {"25", "50", "75", "100", "125", "150", "175", "200"};
constexpr int kZoom100 = 3;

struct ButtonSpec {
    const char* tip;
    std::optional<QStyle::StandardPixmap> standard;
    const char* const* xpm;
};

const std::array<ButtonSpec, 10> kButtons = {{
    {"ridisegna l'anteprima", QStyle::SP_BrowserReload, nullptr},
    {"ingrandisci", std::nullopt, icons::kZoomInIcon},
    {"riduci", std::nullopt, icons::kZoomOutIcon},
    {"stampa", std::nullopt, icons::kPrintIcon},
    {"impostazione stampante", std::nullopt, icons::kPrinterSetupIcon},
    {"prima pagina", QStyle::SP_MediaSkipBackward, nullptr},
    {"pagina precedente", QStyle::SP_ArrowLeft, nullptr},
    {"pagina successiva", QStyle::SP_ArrowRight, nullptr},
    {"ultima pagina", QStyle::SP_MediaSkipForward, nullptr},
    {"chiudi", QStyle::SP_DialogCloseButton, nullptr},
}};

QLabel* statusLabel(QWidget* parent, const char* name, const QString& text, int left, int width) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(twipRect(left, 45, width, 255));
    return label;
}

// Without a redraw: the caller places the page itself.
void setBarRange(QScrollBar* bar, const pagescript::ScrollRange& range) {
    const QSignalBlocker blocker(bar);
    bar->setRange(range.minimum, range.maximum);
    if (range.maximum > 0) {
        bar->setSingleStep(range.smallChange);
        bar->setPageStep(range.largeChange);
    }
}

}  // namespace

QRect previewGeometry(const QRect& screen) {
    const int width = int(std::lround(0.9 * screen.width()));
    const int height = int(std::lround(0.9 * screen.height()));
    return {screen.x() + screen.width() / 2 - width / 2, screen.y() + screen.height() / 2 - height / 2, width,
            height};
}

PrnPrv::PrnPrv(const QString& scriptFolder, QWidget* parent) : QWidget(parent) {
    if (parent) setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("PrnPrv"));
    setWindowTitle(QLatin1String(kPreviewTitle));
    setFont(dialogFont());
    setFocusPolicy(Qt::StrongFocus);
    m_scriptFolder = pagescript::scriptFolderFrom(scriptFolder.isEmpty() ? pagescript::programFolder().path()
                                                                         : scriptFolder);

    m_bBar = new QWidget(this);
    m_bBar->setObjectName(QStringLiteral("bBar"));
    m_bBar->setAutoFillBackground(true);
    int left = 60;
    for (int i = 0; i < 10; ++i) {
        if (i == 3 || i == 5 || i == 9) left += kGroupGap;
        auto* button = new QToolButton(m_bBar);
        button->setObjectName(QStringLiteral("Cmd_%1").arg(i));
        button->setToolTip(QString::fromUtf8(kButtons[i].tip));
        button->setIcon(kButtons[i].standard ? style()->standardIcon(*kButtons[i].standard)
                                             : QIcon(QPixmap(kButtons[i].xpm)));
        button->setIconSize(QSize(16, 16));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(twipRect(left, (kBarHeight - kButtonSize) / 2, kButtonSize, kButtonSize));
        connect(button, &QToolButton::clicked, this, [this, i] { Cmd_Click(i); });
        m_cmd[i] = button;
        left += kButtonStep;
    }

    m_zVal = new QComboBox(m_bBar);
    m_zVal->setObjectName(QStringLiteral("zVal"));
    m_zVal->setToolTip(QStringLiteral("scala dell'anteprima"));
    m_zVal->addItems(kZoomItems);
    m_ePag = new QComboBox(m_bBar);
    m_ePag->setObjectName(QStringLiteral("ePag"));
    m_ePag->setToolTip(QStringLiteral("pagina da visualizzare"));
    const QRect last = m_cmd[9]->geometry();
    const int listHeight = pixelsFromTwips(kListHeight);
    m_zVal->setGeometry(last.x() + last.width() + pixelsFromTwips(kListGap),
                        last.y() + last.height() / 2 - listHeight / 2, pixelsFromTwips(kListWidth),
                        listHeight);
    m_ePag->setGeometry(m_zVal->x() + m_zVal->width() + pixelsFromTwips(kListGap), m_zVal->y(),
                        pixelsFromTwips(kListWidth), listHeight);

    m_view = new QWidget(this);
    m_view->setObjectName(QStringLiteral("view"));
    m_prv = new drawing::PictureBox(m_view);
    m_prv->setObjectName(QStringLiteral("Prv"));
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_hBar->setObjectName(QStringLiteral("hBar"));
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_vBar->setObjectName(QStringLiteral("vBar"));
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setRange(0, 0);
        bar->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_hBar, &QScrollBar::valueChanged, this, &PrnPrv::SistemaHBAR);
    connect(m_vBar, &QScrollBar::valueChanged, this, &PrnPrv::SistemaVBAR);

    m_sBar = new QWidget(this);
    m_sBar->setObjectName(QStringLiteral("sBar"));
    m_sBar->setAutoFillBackground(true);
    statusLabel(m_sBar, "Label1", QStringLiteral("pagina:"), 90, 600);
    m_aPag = statusLabel(m_sBar, "aPag", QString(), 705, 450);
    statusLabel(m_sBar, "Label3", QStringLiteral("di"), 1200, 240);
    m_tPag = statusLabel(m_sBar, "tPag", QString(), 1455, 450);
    statusLabel(m_sBar, "Label5", QStringLiteral("zoom:"), 2100, 510);
    m_zPag = statusLabel(m_sBar, "zPag", QString(), 2625, 600);

    // The key table comes before the control that has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    setGeometry(previewGeometry(screen ? screen->geometry() : QRect(0, 0, 1024, 768)));
    placeControls();
    m_prv->resize(m_view->size());
    m_prv->surface().setScale(0, 0, pagescript::kPageWidthTwips, pagescript::kPageHeightTwips);
    m_prv->surface().clear();
    m_zVal->setCurrentIndex(kZoom100);
}

PrnPrv::~PrnPrv() = default;

QString PrnPrv::pageFile() const {
    return m_scriptFolder.isEmpty() ? QString() : pagescript::pageFilePath(m_scriptFolder);
}

void PrnPrv::setPageList(const QStringList& pages, const pagescript::PageIndex& index) {
    m_index = index;
    // The writer hands over a list one page longer after every page: only the new items go in.
    const int kept = m_ePag->count();
    bool extends = kept <= pages.size();
    for (int i = 0; extends && i < kept; ++i) extends = m_ePag->itemText(i) == pages[i];
    if (!extends) {
        m_ePag->clear();
        m_ePag->addItems(pages);
    } else if (kept < pages.size()) {
        m_ePag->addItems(pages.mid(kept));
    }
    if (!pages.isEmpty()) m_ePag->setCurrentIndex(0);
}

QStringList PrnPrv::pageList() const {
    QStringList pages;
    for (int i = 0; i < m_ePag->count(); ++i) pages << m_ePag->itemText(i);
    return pages;
}

double PrnPrv::zoom() const { return m_zVal->currentText().toDouble(); }

double PrnPrv::visibleWidthTwips() const { return double(m_hBar->width()) * kTwipsPerPixel; }
double PrnPrv::visibleHeightTwips() const { return double(m_vBar->height()) * kTwipsPerPixel; }

void PrnPrv::placeControls() {
    const int w = width();
    const int h = height();
    const int bar = pixelsFromTwips(kBarHeight);
    const int status = pixelsFromTwips(kStatusHeight);
    const int extent = pixelsFromTwips(kScrollExtent);
    m_bBar->setGeometry(0, 0, w, bar);
    m_sBar->setGeometry(0, h - status, w, status);
    m_vBar->setGeometry(w - extent, bar, extent, h - (bar + status + extent));
    m_hBar->setGeometry(0, h - (status + extent), w - extent, extent);
    m_view->setGeometry(0, bar, m_hBar->width(), m_vBar->height());
}

void PrnPrv::MostraPagina() {
    const double z = zoom();
    m_pageWidth = z / 100 * pagescript::kPageWidthTwips;
    m_pageHeight = z / 100 * pagescript::kPageHeightTwips;
    m_prv->resize(pixelsFromTwips(m_pageWidth), pixelsFromTwips(m_pageHeight));
    m_prv->surface().setScale(0, 0, pagescript::kPageWidthTwips, pagescript::kPageHeightTwips);
    if (m_mirror) m_mirror->setScale(0, 0, pagescript::kPageWidthTwips, pagescript::kPageHeightTwips);
    m_previewScale = m_pageHeight / pagescript::kPageHeightTwips;
    // The page is drawn from its top left corner, so the bars must say so too.
    {
        const QSignalBlocker h(m_hBar);
        const QSignalBlocker v(m_vBar);
        m_hBar->setValue(0);
        m_vBar->setValue(0);
    }
    RenderPreviewPage(0, 0);
}

void PrnPrv::SistemaHBAR() { RenderPreviewPage(m_hBar->value(), m_vBar->value()); }
void PrnPrv::SistemaVBAR() { RenderPreviewPage(m_hBar->value(), m_vBar->value()); }

void PrnPrv::RenderPreviewPage(double left, double top) {
    if (m_drawing) return;
    m_drawing = true;
    setCursor(Qt::WaitCursor);
    pagescript::PreviewRequest request;
    request.pageFile = pageFile();
    request.wantedPage = m_ePag->currentText();
    request.previewScale = m_previewScale;
    request.left = left;
    request.top = top;
    request.pageWidth = m_pageWidth;
    request.pageHeight = m_pageHeight;
    request.visibleWidth = visibleWidthTwips();
    request.visibleHeight = visibleHeightTwips();
    request.index = &m_index;

    pagescript::PreviewResult result;
    if (m_mirror) {
        drawing::TeeSurface tee(m_prv->surface(), *m_mirror);
        result = pagescript::RenderPreviewPage(request, tee, m_img);
    } else {
        result = pagescript::RenderPreviewPage(request, m_prv->surface(), m_img);
    }
    ++m_drawCount;

    setBarRange(m_hBar, result.horizontal);
    setBarRange(m_vBar, result.vertical);
    // A smaller range can pull a bar back; the page follows it.
    placePage();

    ShowPreviewStatus();
    unsetCursor();
    m_drawing = false;
}

void PrnPrv::applyScrollRanges() {
    if (m_pageWidth <= 0) return;
    setBarRange(m_hBar, pagescript::previewScrollRange(m_pageWidth, visibleWidthTwips()));
    setBarRange(m_vBar, pagescript::previewScrollRange(m_pageHeight, visibleHeightTwips()));
    placePage();
}

void PrnPrv::placePage() {
    const auto along = [](int view, int page, const QScrollBar* bar) {
        return page < view ? (view - page) / 2 : -pixelsFromTwips(bar->value());
    };
    m_prv->move(along(m_view->width(), m_prv->width(), m_hBar),
                along(m_view->height(), m_prv->height(), m_vBar));
}

void PrnPrv::ShowPreviewStatus() {
    m_aPag->setText(m_ePag->currentText());
    m_tPag->setText(QString::number(m_ePag->count()));
    m_zPag->setText(m_zVal->currentText() + QLatin1Char('%'));
}

void PrnPrv::Cmd_Click(int index) {
    switch (index) {
        case 0:
            MostraPagina();
            break;
        case 1:
            if (m_zVal->currentIndex() < m_zVal->count() - 1) {
                m_zVal->setCurrentIndex(m_zVal->currentIndex() + 1);
                MostraPagina();
            }
            break;
        case 2:
            if (m_zVal->currentIndex() > 0) {
                m_zVal->setCurrentIndex(m_zVal->currentIndex() - 1);
                MostraPagina();
            }
            break;
        case 3: {
            PrnPrn dialog(pageList(), m_ePag->currentIndex(), pageFile(), this);
            dialog.setPageIndex(m_index);
            dialog.setPdfProposal(m_pdfProposal);
            prompter().exec(dialog);
            break;
        }
        case 4: {
            clsPrintDialog setup;
            setup.setFlags(clsPrintDialog::PD_PRINTSETUP);
            setup.ShowPrinter(this);
            break;
        }
        case 5:
            if (m_ePag->currentIndex() > 0) {
                m_ePag->setCurrentIndex(0);
                MostraPagina();
            }
            break;
        case 6:
            if (m_ePag->currentIndex() > 0) {
                m_ePag->setCurrentIndex(m_ePag->currentIndex() - 1);
                MostraPagina();
            }
            break;
        case 7:
            if (m_ePag->currentIndex() < m_ePag->count() - 1) {
                m_ePag->setCurrentIndex(m_ePag->currentIndex() + 1);
                MostraPagina();
            }
            break;
        case 8:
            if (m_ePag->currentIndex() < m_ePag->count() - 1) {
                m_ePag->setCurrentIndex(m_ePag->count() - 1);
                MostraPagina();
            }
            break;
        case 9:
            close();
            break;
        default:
            break;
    }
}

void PrnPrv::stepBar(QScrollBar* bar, int delta) {
    bar->setValue(std::clamp(bar->value() + delta, bar->minimum(), bar->maximum()));
}

bool PrnPrv::keyDown(QKeyEvent* event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            MostraPagina();
            return true;
        case Qt::Key_Home:
            m_vBar->setValue(m_vBar->minimum());
            return true;
        case Qt::Key_End:
            m_vBar->setValue(m_vBar->maximum());
            return true;
        case Qt::Key_Up:
            stepBar(m_vBar, -m_vBar->pageStep());
            return true;
        case Qt::Key_Down:
            stepBar(m_vBar, m_vBar->pageStep());
            return true;
        case Qt::Key_Left:
            stepBar(m_hBar, -m_hBar->pageStep());
            return true;
        case Qt::Key_Right:
            stepBar(m_hBar, m_hBar->pageStep());
            return true;
        case Qt::Key_PageUp:
            Cmd_Click(6);
            return true;
        case Qt::Key_PageDown:
            Cmd_Click(7);
            return true;
        case Qt::Key_Plus:
            if (!keypad) return false;
            Cmd_Click(1);
            return true;
        case Qt::Key_Minus:
            if (!keypad) return false;
            Cmd_Click(2);
            return true;
        default:
            return false;
    }
}

bool PrnPrv::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // The open list of a drop-down is a window of its own and keeps its keys.
        if (widget && widget->window() == this && keyDown(static_cast<QKeyEvent*>(event))) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PrnPrv::keyPressEvent(QKeyEvent* event) {
    if (!keyDown(event)) QWidget::keyPressEvent(event);
}

void PrnPrv::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() * kTwipsPerPixel <= kSmallestLayout || height() * kTwipsPerPixel <= kSmallestLayout) return;
    placeControls();
    // The page keeps its place and size; the bars reach all of it in the new visible area.
    applyScrollRanges();
}

void PrnPrv::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) MostraPagina();
}

void PrnPrv::closeEvent(QCloseEvent* event) {
    emit closing();
    QWidget::closeEvent(event);
}

}  // namespace fortema::ui
