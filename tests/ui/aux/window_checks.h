#pragma once

// Checks that a fixed-layout window looks finished (every control inside the client area, no two
// overlapping, every caption fitting its control), and pictures of windows for a person to see.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace fortema::ui::test {

// Problems found, one line each; empty when the window is clean. Controls whose names start
// with one of `overlapAllowed` (the two halves of an etched line) may overlap each other.
inline QStringList layoutProblems(const QWidget& window, const QStringList& overlapAllowed = {}) {
    QStringList problems;
    QList<const QWidget*> controls;
    for (const QObject* child : window.children())
        if (const auto* w = qobject_cast<const QWidget*>(child); w && !w->isWindow() && !w->isHidden())
            controls << w;
    const auto allowed = [&](const QWidget* w) {
        return std::any_of(overlapAllowed.begin(), overlapAllowed.end(),
                           [&](const QString& prefix) { return w->objectName().startsWith(prefix); });
    };
    for (const QWidget* w : controls) {
        const QString name = w->objectName();
        if (!window.rect().contains(w->geometry())) problems << name + " leaves the client area";
        const QFontMetrics fm(w->font());
        if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty()) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : fm.boundingRect(label->rect(), 0, label->text()).height();
            if (needed > label->height()) problems << name + " text too high";
            if (!label->wordWrap() && fm.horizontalAdvance(label->text()) > label->width())
                problems << name + " text too wide";
        }
        const auto* button = qobject_cast<const QPushButton*>(w);
        if (button && fm.horizontalAdvance(button->text().remove(u'&')) + 8 > button->width())
            problems << name + " caption clipped";
        if ((button || qobject_cast<const QLineEdit*>(w)) && fm.height() + 4 > w->height())
            problems << name + " too low for its text";
    }
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j)
            if (!(allowed(controls[i]) && allowed(controls[j])) &&
                controls[i]->geometry().intersects(controls[j]->geometry()))
                problems << controls[i]->objectName() + " overlaps " + controls[j]->objectName();
    return problems;
}

// Saves a picture of `window` for a person to look at; the test needs nothing from it.
inline void saveScreenshot(QWidget& window, const QString& name) {
    const QString folder = QStringLiteral(FORTEMA_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    window.grab().save(folder + "/" + name + ".png");
}

}  // namespace fortema::ui::test

// Fails the running test with the list of problems of layoutProblems().
#define FORTEMA_VERIFY_LAYOUT(window, ...)                                               \
    do {                                                                                 \
        const QStringList problems_ =                                                    \
            ::fortema::ui::test::layoutProblems(window __VA_OPT__(, ) __VA_ARGS__);      \
        QVERIFY2(problems_.isEmpty(), qPrintable(problems_.join(QStringLiteral("; ")))); \
    } while (false)
