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
    {KeyPageUp, Qt::Key_PageUp}, {KeyPageDown, Qt::Key_PageDown}, {KeyHome, Qt::Key_Home},
    {KeyEnd, Qt::Key_End},       {KeyEnter, Qt::Key_Return},      {KeyEscape, Qt::Key_Escape},
    {KeyF9, Qt::Key_F9},
};

// The digits of the numeric keypad are keys of their own, apart from those of
// the main keyboard, as virtual key codes have them.
constexpr int kKeypadZero = 96;

// The digit row of the main keyboard, "1" to "9" and then "0", is known by
// the keys' places, whatever the layout prints on them: on some layouts the
// key "3" gives a quotation mark and the digit only with Shift. The window
// system tells the place by a native code, running along the row from "1".
#if defined(Q_OS_MACOS)
constexpr quint32 kDigitRowCodes[10] = {0x1D, 0x12, 0x13, 0x14, 0x15, 0x17, 0x16, 0x1A, 0x1C, 0x19};
quint32 PlaceCodeOf(const QKeyEvent& key) { return key.nativeVirtualKey(); }
#elif defined(Q_OS_WIN)
constexpr quint32 kDigitRowCodes[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
quint32 PlaceCodeOf(const QKeyEvent& key) { return key.nativeScanCode(); }
#else
// Key codes of the X keyboard extension, used by X11 and Wayland alike.
constexpr quint32 kDigitRowCodes[10] = {19, 10, 11, 12, 13, 14, 15, 16, 17, 18};
quint32 PlaceCodeOf(const QKeyEvent& key) { return key.nativeScanCode(); }
#endif

// The digit of the main keyboard's key at that place, or -1.
int DigitOfPlace(quint32 code) {
    if (code == 0) return -1;  // no place known
    for (int digit = 0; digit < 10; ++digit) {
        if (kDigitRowCodes[digit] == code) return digit;
    }
    return -1;
}

int KeyCodeOf(const QKeyEvent& key) {
    const int qtKey = key.key();
    if ((key.modifiers() & Qt::KeypadModifier) && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return kKeypadZero + (qtKey - Qt::Key_0);
    }
    if (!(key.modifiers() & Qt::KeypadModifier)) {
        const int digit = DigitOfPlace(PlaceCodeOf(key));
        if (digit >= 0) return '0' + digit;
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

QKeyEvent DigitRowKeyEvent(QEvent::Type type, int digit, int qtKey, Qt::KeyboardModifiers modifiers,
                           const QString& text) {
    const quint32 code = kDigitRowCodes[digit % 10];
#if defined(Q_OS_MACOS)
    return QKeyEvent(type, qtKey, modifiers, 0, code, 0, text);
#else
    return QKeyEvent(type, qtKey, modifiers, code, 0, 0, text);
#endif
}

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
