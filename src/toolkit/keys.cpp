// Keys: the codes the program knows them by, and the key events of windows.

#include "toolkit/toolkit_private.h"

namespace tk::detail {
namespace {

struct KeyPair {
    int key;
    int qtKey;
};

constexpr KeyPair kSpecialKeys[] = {
    {KeyF5, Qt::Key_F5},         {KeyLeft, Qt::Key_Left},         {KeyRight, Qt::Key_Right},
    {KeyUp, Qt::Key_Up},         {KeyDown, Qt::Key_Down},         {KeyDelete, Qt::Key_Delete},
    {KeyPageUp, Qt::Key_PageUp}, {KeyPageDown, Qt::Key_PageDown},
};

// The digits of the numeric keypad are keys of their own, apart from those of
// the main keyboard, as virtual key codes have them.
constexpr int kKeypadZero = 96;

int KeyCodeOf(const QKeyEvent& key) {
    const int qtKey = key.key();
    if ((key.modifiers() & Qt::KeypadModifier) && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return kKeypadZero + (qtKey - Qt::Key_0);
    }
    return KeyOfQt(qtKey);
}

// Key events are taken where they reach a top-level window, once each,
// whichever child has the focus. Keys bound to shortcuts never get here: the
// shortcut map takes them first.
class KeyWatcher : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if ((press || event->type() == QEvent::KeyRelease) && watched->isWindowType()) {
            Report(static_cast<QWindow*>(watched), static_cast<QKeyEvent*>(event), press);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void Report(QWindow* window, QKeyEvent* key, bool press) {
        if (key->isAutoRepeat()) return;
        for (auto& [id, rec] : St().windows) {
            if (!rec->frame || rec->frame->windowHandle() != window) continue;
            // A disabled window waits for its dialog and takes no keys.
            if (!rec->frame->isEnabled()) return;
            Event e;
            e.kind = press ? EventKind::KeyPressed : EventKind::KeyReleased;
            e.window = id;
            e.key = KeyCodeOf(*key);
            Push(e);
            return;
        }
    }
};

KeyWatcher* keyWatcher = nullptr;

}  // namespace

int QtKeyOf(int key) {
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.key == key) return pair.qtKey;
    }
    return key;  // letters and digits share their codes with Qt
}

int KeyOfQt(int qtKey) {
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.qtKey == qtKey) return pair.key;
    }
    return qtKey;
}

Qt::KeyboardModifiers QtModifiersOf(unsigned modifiers) {
    Qt::KeyboardModifiers result = Qt::NoModifier;
    if (modifiers & Shift) result |= Qt::ShiftModifier;
    if (modifiers & Ctrl) result |= Qt::ControlModifier;
    return result;
}

void StartKeyWatch() {
    if (keyWatcher) return;
    keyWatcher = new KeyWatcher;
    QCoreApplication::instance()->installEventFilter(keyWatcher);
}

void StopKeyWatch() {
    delete keyWatcher;
    keyWatcher = nullptr;
}

}  // namespace tk::detail
