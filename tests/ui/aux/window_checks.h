#pragma once

// Checks that a fixed-layout window looks finished: every control inside the client area,
// no two controls overlapping, every caption fitting its control.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace fortema::ui::test {

// Problems found, one line each; empty when the window is clean. Controls whose names start
// with one of `overlapAllowed` (the two halves of an etched line) may overlap each other.
inline QStringList layoutProblems(const QWidget& window, const QStringList& overlapAllowed = {}) {
    QStringList problems;
    QList<const QWidget*> controls;
    for (const QObject* child : window.children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w && !w->isWindow() && !w->isHidden()) controls << w;
    }
    const auto allowed = [&](const QWidget* w) {
        for (const QString& prefix : overlapAllowed)
            if (w->objectName().startsWith(prefix)) return true;
        return false;
    };
    for (const QWidget* w : controls) {
        if (!window.rect().contains(w->geometry())) problems << w->objectName() + " leaves the client area";
        const QFontMetrics fm(w->font());
        if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty()) {
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : fm.boundingRect(label->rect(), 0, label->text()).height();
            if (needed > label->height()) problems << label->objectName() + " text too high";
            if (!label->wordWrap() && fm.horizontalAdvance(label->text()) > label->width())
                problems << label->objectName() + " text too wide";
        }
        if (const auto* button = qobject_cast<const QPushButton*>(w)) {
            QString text = button->text();
            text.remove(u'&');
            if (fm.horizontalAdvance(text) + 8 > button->width())
                problems << button->objectName() + " caption clipped";
            if (fm.height() + 4 > button->height())
                problems << button->objectName() + " too low for its caption";
        }
        if (const auto* box = qobject_cast<const QLineEdit*>(w)) {
            if (fm.height() + 4 > box->height()) problems << box->objectName() + " too low for its text";
        }
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            if (allowed(controls[i]) && allowed(controls[j])) continue;
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                problems << controls[i]->objectName() + " overlaps " + controls[j]->objectName();
        }
    }
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
