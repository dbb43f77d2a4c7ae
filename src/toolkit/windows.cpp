// Top-level windows: opening, geometry, features, timers and closing.

#include <algorithm>

#include "toolkit/toolkit_private.h"

namespace tk {
namespace detail {

void WindowFrame::closeEvent(QCloseEvent* event) {
    // The owner decides whether the window goes; CloseWindow really closes it.
    event->ignore();
    Event e;
    e.kind = EventKind::CloseRequest;
    e.window = id_;
    Push(e);
}

void WindowFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    WindowRec* w = FindWin(id_);
    if (!w) return;
    LayoutWindow(*w);
    const int innerW = w->content->width();
    const int innerH = w->content->height();
    if (innerW == w->innerWidth && innerH == w->innerHeight) return;
    w->innerWidth = innerW;
    w->innerHeight = innerH;
    if (!(w->features & Sizable)) return;
    Event e;
    e.kind = EventKind::Control;
    e.window = id_;
    e.control = 0;
    e.subKind = SubKind::Other;
    Push(e);
}

namespace {

// The files a drag carries; addresses that are not local files are left out.
std::vector<std::string> LocalFilesOf(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths.push_back(S(url.toLocalFile()));
    }
    return paths;
}

// Enter and move both decide: a window that stopped taking drops meanwhile
// refuses from the next move on.
template <typename DragEvent>
void JudgeDrag(DragEvent* event) {
    if (LocalFilesOf(event->mimeData()).empty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

QPoint CentredPosition(int width, int height);

}  // namespace

void WindowFrame::dragEnterEvent(QDragEnterEvent* event) { JudgeDrag(event); }

void WindowFrame::dragMoveEvent(QDragMoveEvent* event) { JudgeDrag(event); }

void WindowFrame::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = LocalFilesOf(event->mimeData());
    if (paths.empty() || !acceptDrops()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Event e;
    e.kind = EventKind::FilesDropped;
    e.window = id_;
    e.paths = std::move(paths);
    Push(e);
}

// Sets the frame to hold an inner area of this size, fixed unless sizable.
void ApplyInnerSize(WindowRec& w, int width, int height) {
    w.innerWidth = width;
    w.innerHeight = height;
    const int frameH = height + MenuBarHeight(w);
    if (w.features & Sizable) {
        w.frame->resize(width, frameH);
    } else {
        w.frame->setFixedSize(width, frameH);
    }
    LayoutWindow(w);
    // A centred window is centred with the size it opens with.
    if ((w.features & Centered) && !w.shown) w.frame->move(CentredPosition(w.frame->width(), w.frame->height()));
}

int MenuBarHeight(const WindowRec& w) { return w.menuBar ? w.menuBar->sizeHint().height() : 0; }

void LayoutWindow(WindowRec& w) {
    const int menuH = MenuBarHeight(w);
    const int width = w.frame->width();
    const int height = std::max(0, w.frame->height() - menuH);
    if (w.menuBar) w.menuBar->setGeometry(0, 0, width, menuH);
    w.content->setGeometry(0, menuH, width, height);
    if (w.statusBar) {
        const int barH = w.statusBar->minimumHeight();
        w.statusBar->setGeometry(0, height - barH, width, barH);
        w.statusBar->raise();
    }
}

namespace {

Qt::WindowFlags FlagsOf(unsigned features) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (features & TitleBar) flags |= Qt::WindowTitleHint;
    if (features & SystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (features & MinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if ((features & MinimizeBox) && (features & Sizable)) flags |= Qt::WindowMaximizeButtonHint;
    if (features & OnTop) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

QPoint CentredPosition(int width, int height) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {0, 0};
    const QRect area = screen->availableGeometry();
    return {area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2};
}

// A tick that is still waiting stands for the ones after it, so that a
// program kept busy (or held in a system dialog) is not flooded with them.
void PushTick(WindowId window, int timerNumber) {
    for (const Event& queued : St().queue) {
        if (queued.kind == EventKind::Timer && queued.window == window && queued.timer == timerNumber) return;
    }
    Event e;
    e.kind = EventKind::Timer;
    e.window = window;
    e.timer = timerNumber;
    Push(e);
}

}  // namespace

void DropEventsOf(WindowId window) {
    auto& queue = St().queue;
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [window](const Event& e) { return e.window == window; }),
                queue.end());
}

void ShowNewWindows() {
    for (WindowId id : St().openOrder) {
        WindowRec* w = FindWin(id);
        if (!w || w->shown) continue;
        w->shown = true;
        w->frame->show();
    }
}

void ForgetWindow(WindowId window) {
    auto& order = St().openOrder;
    order.erase(std::remove(order.begin(), order.end(), window), order.end());
    DropEventsOf(window);
    St().windows.erase(window);
}

}  // namespace detail

using namespace detail;

WindowId OpenWindow(const std::string& title, int x, int y, int width, int height, unsigned features) {
    auto rec = std::make_unique<WindowRec>();
    WindowRec& w = *rec;
    w.id = St().nextWindow++;
    w.features = features;
    w.frame = new WindowFrame(w.id);
    w.frame->setWindowFlags(FlagsOf(features));
    w.frame->setWindowTitle(Q(title));
    w.content = new QWidget(w.frame);
    St().windows[w.id] = std::move(rec);
    St().openOrder.push_back(w.id);

    w.frame->move(x, y);
    ApplyInnerSize(w, width, height);
    St().openedSinceHook.push_back(w.id);
    return w.id;
}

void CloseWindow(WindowId window) {
    WindowRec* w = FindWin(window);
    if (!w) return;
    for (auto& [number, timer] : w->timers) timer->stop();
    WindowFrame* frame = w->frame;
    const std::vector<ControlId> controls = w->controls;
    ForgetWindow(window);
    // The widgets go before the records: canvases show the surfaces that
    // their records own.
    frame->hide();
    delete frame;
    for (ControlId id : controls) St().controls.erase(id);
    DropEventsOf(window);
}

bool WindowExists(WindowId window) { return FindWin(window) != nullptr; }

void SetWindowTitle(WindowId window, const std::string& title) { Win(window).frame->setWindowTitle(Q(title)); }

std::string WindowTitle(WindowId window) { return S(Win(window).frame->windowTitle()); }

int WindowX(WindowId window) { return Win(window).frame->pos().x(); }
int WindowY(WindowId window) { return Win(window).frame->pos().y(); }
int WindowWidth(WindowId window) { return Win(window).content->width(); }
int WindowHeight(WindowId window) { return Win(window).content->height(); }
unsigned WindowFeatures(WindowId window) { return Win(window).features; }

void ResizeWindow(WindowId window, int width, int height) { ApplyInnerSize(Win(window), width, height); }

void SetWindowMinSize(WindowId window, int width, int height) {
    WindowRec& w = Win(window);
    w.frame->setMinimumSize(width, height + MenuBarHeight(w));
}

void SetWindowMaxSize(WindowId window, int width, int height) {
    WindowRec& w = Win(window);
    w.frame->setMaximumSize(width, std::min(QWIDGETSIZE_MAX, height + MenuBarHeight(w)));
}

void SetWindowOnTop(WindowId window, bool onTop) {
    WindowRec& w = Win(window);
    const bool visible = w.shown;
    w.frame->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (onTop) {
        w.features |= OnTop;
    } else {
        w.features &= ~static_cast<unsigned>(OnTop);
    }
    if (visible) w.frame->show();  // changing the flags hides a window
}

void EnableWindow(WindowId window, bool enabled) { Win(window).frame->setEnabled(enabled); }

bool WindowEnabled(WindowId window) { return Win(window).frame->isEnabled(); }

void ActivateWindow(WindowId window) {
    ShowNewWindows();
    WindowRec& w = Win(window);
    w.frame->raise();
    w.frame->activateWindow();
}

void StartTimer(WindowId window, int timerNumber, int periodMs) {
    // A timer on the stand-in of a closed window would tick for ever.
    if (!FindWin(window)) return;
    WindowRec& w = Win(window);
    QTimer*& timer = w.timers[timerNumber];
    if (!timer) {
        timer = new QTimer(w.frame);
        QObject::connect(timer, &QTimer::timeout, [window, timerNumber] { PushTick(window, timerNumber); });
    }
    timer->start(std::max(1, periodMs));
}

void AcceptFileDrops(WindowId window, bool accept) { Win(window).frame->setAcceptDrops(accept); }

bool AcceptsFileDrops(WindowId window) { return Win(window).frame->acceptDrops(); }

void StopTimer(WindowId window, int timerNumber) {
    WindowRec& w = Win(window);
    auto it = w.timers.find(timerNumber);
    if (it != w.timers.end()) it->second->stop();
}

}  // namespace tk
