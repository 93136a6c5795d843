#include "ui/main/key_filters.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace fortema::ui {

namespace {

bool isDigitOrEditing(int keyAscii) {
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == kBackspaceKey || keyAscii == kTabKey;
}

class KeyFilterObject : public QObject {
public:
    KeyFilterObject(QLineEdit* box, KeyFilter filter) : QObject(box), m_box(box), m_filter(filter) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_box || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() != 1) return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
        const int code = text.at(0).unicode();
        const int kept = m_filter(code);
        if (kept == code) return false;
        if (kept != 0) m_box->insert(QString(QChar(kept)));
        return true;
    }

private:
    QLineEdit* m_box;
    KeyFilter m_filter;
};

}  // namespace

int FilterDigitKey(int keyAscii) { return isDigitOrEditing(keyAscii) ? keyAscii : 0; }

int FilterDecimalKey(int keyAscii) {
    if (keyAscii == '.') return ',';
    return isDigitOrEditing(keyAscii) || keyAscii == ',' ? keyAscii : 0;
}

int FilterSignedKey(int keyAscii) { return isDigitOrEditing(keyAscii) || keyAscii == '-' ? keyAscii : 0; }

void installKeyFilter(QLineEdit* box, KeyFilter filter) {
    box->installEventFilter(new KeyFilterObject(box, filter));
}

}  // namespace fortema::ui
