// Simulated user input through the window system's event path.

#include <QTest>

#include <cstdlib>

#include "toolkit/simulate/simulate.h"
#include "toolkit/toolkit_private.h"

namespace tk::simulate {

using namespace tk::detail;

namespace {

Qt::MouseButton QtButton(int button) {
    switch (button) {
    case ButtonLeft: return Qt::LeftButton;
    case ButtonRight: return Qt::RightButton;
    case ButtonMiddle: return Qt::MiddleButton;
    default: return Qt::NoButton;
    }
}

QWindow* HandleOf(QWidget* widget) {
    ShowNewWindows();
    QWidget* top = widget->window();
    top->show();
    return top->windowHandle();
}

// Shortcuts of a window only work while it is the active one.
void MakeActive(WindowRec& w) {
    ShowNewWindows();
    if (QApplication::activeWindow() == w.frame) return;
    w.frame->raise();
    w.frame->activateWindow();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != w.frame) QApplication::setActiveWindow(w.frame);
    QCoreApplication::processEvents();
}

QString TextOfKey(int key, unsigned modifiers) {
    if (modifiers & Ctrl) return {};
    if (key >= 'A' && key <= 'Z') {
        return QString(QChar((modifiers & Shift) ? key : key - 'A' + 'a'));
    }
    if (key >= '0' && key <= '9') return QString(QChar(key));
    return {};
}

void KeyEvent(QWindow* window, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text, bool pressed,
              bool autoRepeat) {
    QTest::simulateEvent(window, pressed, qtKey, modifiers, text, autoRepeat);
}

// A mouse event as the window system hands it over, at a point of the control.
// Consecutive clicks count as a double click unless time passes between them.
void MouseEvent(ControlId control, QPoint at, Qt::MouseButton button, QEvent::Type type, bool timePasses) {
    constexpr int kStep = 20;
    QWidget* widget = Ctl(control).widget;
    QWindow* window = HandleOf(widget);
    const QPoint local = widget->mapTo(widget->window(), at);
    Qt::MouseButtons& held = QTestPrivate::qtestMouseButtons;
    if (type == QEvent::MouseButtonPress) held |= button;
    if (type == QEvent::MouseButtonRelease) held &= ~button;
    if (timePasses) QTest::lastMouseTimestamp += kStep;
    qt_handleMouseEvent(window, local, window->mapToGlobal(local), held, button, type, Qt::NoModifier,
                        QTest::lastMouseTimestamp);
    if (timePasses && type == QEvent::MouseButtonRelease) QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
    QCoreApplication::processEvents();
}

}  // namespace

void SendMouse(ControlId control, Mouse action, int x, int y, int button) {
    const Qt::MouseButton which = QtButton(button);
    switch (action) {
    case Mouse::Press: MouseEvent(control, QPoint(x, y), which, QEvent::MouseButtonPress, true); break;
    case Mouse::Release: MouseEvent(control, QPoint(x, y), which, QEvent::MouseButtonRelease, true); break;
    case Mouse::Move: MouseEvent(control, QPoint(x, y), Qt::NoButton, QEvent::MouseMove, true); break;
    }
}

void DoubleClick(ControlId control, int x, int y) {
    const QPoint at(x, y);
    MouseEvent(control, at, Qt::LeftButton, QEvent::MouseButtonPress, true);
    MouseEvent(control, at, Qt::LeftButton, QEvent::MouseButtonRelease, false);
    MouseEvent(control, at, Qt::LeftButton, QEvent::MouseButtonPress, false);
    MouseEvent(control, at, Qt::LeftButton, QEvent::MouseButtonRelease, true);
}

void SendKey(WindowId window, int key, unsigned modifiers, bool pressed, bool autoRepeat) {
    WindowRec& w = Win(window);
    MakeActive(w);
    KeyEvent(HandleOf(w.frame), QtKeyOf(key), QtModifiersOf(modifiers), TextOfKey(key, modifiers), pressed,
             autoRepeat);
}

void SendKeypadDigit(WindowId window, int digit, bool pressed) {
    WindowRec& w = Win(window);
    MakeActive(w);
    KeyEvent(HandleOf(w.frame), Qt::Key_0 + digit, Qt::KeypadModifier, QString(QChar('0' + digit)), pressed, false);
}

void SendDigitRowKey(WindowId window, int digit, char shown, unsigned modifiers, bool pressed) {
    WindowRec& w = Win(window);
    MakeActive(w);
    const QChar ch(shown);
    const int qtKey = ch.toUpper().unicode();  // Qt names letters by their capitals
    QKeyEvent event = DigitRowKeyEvent(pressed ? QEvent::KeyPress : QEvent::KeyRelease, digit, qtKey,
                                       QtModifiersOf(modifiers), QString(ch));
    QCoreApplication::sendEvent(HandleOf(w.frame), &event);
    QCoreApplication::processEvents();
}

void TriggerShortcut(WindowId window, int key, unsigned modifiers) {
    SendKey(window, key, modifiers, true);
    SendKey(window, key, modifiers, false);
}

void ClickAt(QWidget* widget, QPoint at) {
    QTest::mouseClick(HandleOf(widget), Qt::LeftButton, Qt::NoModifier, widget->mapTo(widget->window(), at));
}

void Click(ControlId control) {
    ControlRec& c = Ctl(control);
    const QRect r = c.widget->rect();
    // Check boxes and options react only on their mark and their text.
    const bool marked = c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton;
    ClickAt(c.widget, marked ? QPoint(std::min(6, r.width() / 2), r.height() / 2) : r.center());
}

void ChooseItem(ControlId list, int index) {
    auto* box = dynamic_cast<QComboBox*>(Ctl(list).widget);
    if (!box) return;
    box->showPopup();
    QCoreApplication::processEvents();
    QAbstractItemView* view = box->view();
    const QRect item = view->visualRect(box->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QCoreApplication::processEvents();
}

void TypeText(ControlId control, const std::string& text) {
    ControlRec& c = Ctl(control);
    WindowRec& w = Win(c.window);
    MakeActive(w);
    c.widget->setFocus(Qt::OtherFocusReason);
    for (char ch : text) {
        const int key = (ch >= 'a' && ch <= 'z') ? ch - 'a' + 'A' : static_cast<unsigned char>(ch);
        KeyEvent(HandleOf(w.frame), key, Qt::NoModifier, QString(QChar(ch)), true, false);
        KeyEvent(HandleOf(w.frame), key, Qt::NoModifier, QString(QChar(ch)), false, false);
    }
}

void Step(ControlId control, int steps) {
    ControlRec& c = Ctl(control);
    WindowRec& w = Win(c.window);
    MakeActive(w);
    c.widget->setFocus(Qt::OtherFocusReason);
    if (c.kind == ControlKind::HScrollBar || c.kind == ControlKind::VScrollBar) {
        // A click on the arrow at either end.
        const QRect r = c.widget->rect();
        const bool across = c.kind == ControlKind::HScrollBar;
        const QPoint arrow = across ? (steps >= 0 ? QPoint(r.width() - 4, r.height() / 2) : QPoint(3, r.height() / 2))
                                    : (steps >= 0 ? QPoint(r.width() / 2, r.height() - 4) : QPoint(r.width() / 2, 3));
        for (int i = 0; i < std::abs(steps); ++i) ClickAt(c.widget, arrow);
        return;
    }
    const int key = steps >= 0 ? Qt::Key_Up : Qt::Key_Down;
    for (int i = 0; i < std::abs(steps); ++i) {
        KeyEvent(HandleOf(w.frame), key, Qt::NoModifier, {}, true, false);
        KeyEvent(HandleOf(w.frame), key, Qt::NoModifier, {}, false, false);
    }
}

void ChooseMenuItem(WindowId window, int number) {
    WindowRec& w = Win(window);
    if (!w.menuBar) return;
    for (QAction* menu : w.menuBar->actions()) {
        if (!menu->menu()) continue;
        for (QAction* item : menu->menu()->actions()) {
            if (!item->isSeparator() && item->data().toInt() == number) {
                if (item->isEnabled()) item->trigger();
                return;
            }
        }
    }
}

std::vector<int> ShownMenuLines(WindowId window, const std::string& menu) {
    std::vector<int> lines;
    WindowRec& w = Win(window);
    if (!w.menuBar) return lines;
    for (QAction* title : w.menuBar->actions()) {
        if (!title->menu() || FromLiteral(title->text()) != menu) continue;
        QMenu* popup = title->menu();
        for (QAction* item : popup->actions()) {
            if (popup->actionGeometry(item).isEmpty()) continue;  // laid out as hidden
            lines.push_back(item->isSeparator() ? -1 : item->data().toInt());
        }
        break;
    }
    return lines;
}

void OpenMenu(WindowId window, const std::string& menu) {
    WindowRec& w = Win(window);
    if (!w.menuBar) return;
    for (QMenu* found : w.menuBar->findChildren<QMenu*>()) {
        if (FromLiteral(found->title()) != menu) continue;
        found->popup(w.frame->mapToGlobal(QPoint(0, 0)));
        QCoreApplication::processEvents();
        found->hide();
        QCoreApplication::processEvents();
        return;
    }
}

void PressCloseBox(WindowId window) {
    QWindow* handle = HandleOf(Win(window).frame);
    QCloseEvent close;
    QCoreApplication::sendEvent(handle, &close);
    QCoreApplication::processEvents();
}

void ResizeByUser(WindowId window, int width, int height) {
    WindowRec& w = Win(window);
    w.frame->resize(width, height + MenuBarHeight(w));
    QCoreApplication::processEvents();
}

bool DropUrls(WindowId window, const std::vector<std::string>& urls, int x, int y) {
    WindowRec& w = Win(window);
    QWindow* handle = HandleOf(w.frame);
    QMimeData data;
    QList<QUrl> list;
    for (const std::string& url : urls) list.append(QUrl(Q(url)));
    data.setUrls(list);
    // The window system speaks to the top-level window, which finds the
    // widget under the point that takes drops.
    const QPoint at = w.content->mapTo(w.frame, QPoint(x, y));
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &move);
    bool taken = false;
    if (move.isAccepted()) {
        QDropEvent drop(QPointF(at), actions, &data, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &drop);
        taken = drop.isAccepted();
    } else {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(handle, &leave);
    }
    QCoreApplication::processEvents();
    return taken;
}

void Deliver() {
    ShowNewWindows();
    QCoreApplication::processEvents();
}

Rect ScreenArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect area = screen->availableGeometry();
    return {area.x(), area.y(), area.width(), area.height()};
}

bool IsShown(WindowId window) { return Win(window).frame->isVisible(); }

bool TextFits(ControlId control) { return tk::detail::TextFits(Ctl(control)); }

int TextPixelSize(ControlId control) {
    const ControlRec& c = Ctl(control);
    return QFontInfo(c.wrapLabel ? c.wrapLabel->font() : c.widget->font()).pixelSize();
}

bool TitleFits(WindowId window) {
    const QWidget* frame = Win(window).frame;
    QFont font = QApplication::font();
    font.setBold(true);
    const int iconAndButtons = 4 * frame->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return QFontMetrics(font).horizontalAdvance(frame->windowTitle()) + iconAndButtons <= frame->width();
}

bool HasFocus(ControlId control) { return Ctl(control).widget->hasFocus(); }

}  // namespace tk::simulate

namespace tk::simulate {

Rgb ShownPixel(ControlId control, int x, int y) {
    QWidget* widget = tk::detail::Ctl(control).widget;
    const QImage image = widget->grab().toImage();
    const QColor color = image.pixelColor(x, y);
    return MakeRgb(color.red(), color.green(), color.blue());
}

Surface WindowPicture(WindowId window) {
    const QImage image = tk::detail::Win(window).frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    Surface picture(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) picture.Plot(x, y, MakeRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x])));
    }
    return picture;
}

Surface ShownCanvas(ControlId canvas, Rect& part) {
    // What the program would show at its next wait is shown first.
    tk::detail::ShowNewWindows();
    QCoreApplication::processEvents();
    const ControlRec& c = tk::detail::Ctl(canvas);
    const int border = CanvasBorder(c);
    QWidget* widget = c.widget;
    const QRect area = widget->rect().adjusted(border, border, -border, -border);
    const QRect shown = widget->visibleRegion().boundingRect() & area;
    part = {shown.x() - border, shown.y() - border, shown.width(), shown.height()};
    if (shown.isEmpty()) return {};
    QWidget* top = widget->window();
    const QPoint at = widget->mapTo(top, shown.topLeft());
    const QImage image = top->screen()
                             ->grabWindow(top->winId(), at.x(), at.y(), shown.width(), shown.height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    // Qt's 32-bit RGB words are the surface's own.
    Surface picture(image.width(), image.height());
    std::uint32_t* words = picture.WritableData();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::copy(line, line + image.width(), words + static_cast<std::size_t>(y) * image.width());
    }
    return picture;
}

namespace {

QMessageBox::StandardButton StandardButtonOf(Answer answer) {
    switch (answer) {
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        case Answer::Save: return QMessageBox::Save;
        case Answer::Discard: return QMessageBox::Discard;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Ok: break;
    }
    return QMessageBox::Ok;
}

// Waits, inside the requester's own loop, until it is up, then acts on it.
void WhenModalIsUp(std::function<void(QWidget*)> act, int attemptsLeft = 200) {
    QTimer::singleShot(5, [act, attemptsLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            act(modal);
        } else if (attemptsLeft > 0) {
            WhenModalIsUp(act, attemptsLeft - 1);
        }
    });
}

}  // namespace

void AnswerNextFileDialog(const std::string& path, int filterIndex) {
    WhenModalIsUp([path, filterIndex](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        const QStringList filters = dialog->nameFilters();
        if (filterIndex >= 0 && filterIndex < filters.size()) dialog->selectNameFilter(filters[filterIndex]);
        dialog->selectFile(tk::detail::Q(path));
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
    });
}

void InspectNextFileDialog(int filterIndex, std::vector<std::string>& shownPatterns) {
    WhenModalIsUp([filterIndex, &shownPatterns](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo")) {
            types->setCurrentIndex(filterIndex);
            // The two signals a choice in the list sends, in the list's order.
            emit types->activated(filterIndex);
            emit types->textActivated(types->itemText(filterIndex));
        }
        if (auto* model = dialog->findChild<QFileSystemModel*>()) {
            for (const QString& pattern : model->nameFilters()) shownPatterns.push_back(tk::detail::S(pattern));
        }
        dialog->reject();
    });
}

void BrowseNextFileDialog(const std::vector<std::string>& typed, int& visited) {
    WhenModalIsUp([typed, &visited](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        for (const std::string& text : typed) {
            if (name) {
                name->setFocus(Qt::OtherFocusReason);
                name->clear();
                QTest::keyClicks(name, tk::detail::Q(text));
            }
            if (!text.empty() && text.back() == '/') dialog->setDirectory(tk::detail::Q(text));
            // Time for the dialog to list the folder and look at its files.
            QTest::qWait(200);
            ++visited;
        }
        dialog->reject();
    });
}

void AnswerNextMessage(Answer answer) {
    WhenModalIsUp([answer](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        if (QAbstractButton* button = box->button(StandardButtonOf(answer))) button->click();
    });
}

void PressKeyInNextMessage(int key, std::string* shownText) {
    WhenModalIsUp([key, shownText](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        if (shownText) *shownText = tk::detail::S(box->windowTitle()) + "|" + tk::detail::S(box->text());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : box;
        QTest::keyClick(target, static_cast<Qt::Key>(tk::detail::QtKeyOf(key)));
    });
}

}  // namespace tk::simulate

