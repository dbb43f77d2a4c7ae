// The application object, the event queue and the ways of waiting on it.

#include <cstdio>

#include "toolkit/toolkit_private.h"

namespace tk {
namespace detail {

State& St() {
    static State state;
    return state;
}

void Push(const Event& event) { St().queue.push_back(event); }

void PushControl(ControlId control, SubKind subKind) {
    if (St().silence > 0) return;
    ControlRec* rec = FindCtl(control);
    if (!rec) return;
    Event e;
    e.kind = EventKind::Control;
    e.window = rec->window;
    e.control = control;
    e.subKind = subKind;
    Push(e);
}

WindowRec* FindWin(WindowId window) {
    auto it = St().windows.find(window);
    return it == St().windows.end() ? nullptr : it->second.get();
}

ControlRec* FindCtl(ControlId control) {
    auto it = St().controls.find(control);
    return it == St().controls.end() ? nullptr : it->second.get();
}

namespace {

// A stale or unknown id is a fault of the caller, but not one worth the
// user's unsaved work: it is reported and the call goes to a stand-in that
// nobody sees.
std::unique_ptr<WindowRec> standInWindow;
std::unique_ptr<ControlRec> standInControl;

WindowRec& StandInWindow() {
    if (!standInWindow) {
        standInWindow = std::make_unique<WindowRec>();
        standInWindow->frame = new WindowFrame(0);
        standInWindow->content = new QWidget(standInWindow->frame);
    }
    return *standInWindow;
}

ControlRec& StandInControl() {
    if (!standInControl) {
        standInControl = std::make_unique<ControlRec>();
        standInControl->widget = new QWidget;
    }
    return *standInControl;
}

void ForgetStandIns() {
    if (standInWindow) delete standInWindow->frame;
    if (standInControl) delete standInControl->widget;
    standInWindow.reset();
    standInControl.reset();
}

}  // namespace

WindowRec& Win(WindowId window) {
    if (WindowRec* w = FindWin(window)) return *w;
    std::fprintf(stderr, "toolkit: there is no window %d\n", window);
    return StandInWindow();
}

ControlRec& Ctl(ControlId control) {
    if (ControlRec* c = FindCtl(control)) return *c;
    std::fprintf(stderr, "toolkit: there is no control %d\n", control);
    return StandInControl();
}

WindowRec* WinOfWidget(const QWidget* widget) {
    if (!widget) return nullptr;
    const auto* frame = dynamic_cast<const WindowFrame*>(widget->window());
    return frame ? FindWin(frame->Id()) : nullptr;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QString Literal(const std::string& text) { return Q(text).replace('&', "&&"); }

std::string FromLiteral(const QString& text) { return S(QString(text).replace("&&", "&")); }

namespace {

constexpr int kFontPixels = 11;

QtMessageHandler defaultHandler = nullptr;

// Headless platforms complain about every window feature they lack; the
// complaints say nothing about the program.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith("This plugin does not support")) return;
    if (defaultHandler) defaultHandler(type, context, message);
}

// Lets the window system deliver what it has. Objects that the widgets hand
// over for later deletion are deleted here too: without a running main loop of
// the window system nobody else would.
void Pump(QEventLoop::ProcessEventsFlags flags) {
    QCoreApplication::processEvents(flags);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The hook runs when the code that opened a window first waits for events, so
// the window's controls exist by then.
void RunOpenedHook() {
    ShowNewWindows();
    std::vector<WindowId> opened;
    opened.swap(St().openedSinceHook);
    if (!St().openedHook) return;
    for (WindowId id : opened) {
        if (FindWin(id)) St().openedHook(id);
    }
}

bool PopFront(Event& out) {
    if (St().queue.empty()) return false;
    out = St().queue.front();
    St().queue.pop_front();
    return true;
}

Event ScriptedCloseOf(WindowId window) {
    Event e;
    if (!FindWin(window)) return e;
    e.kind = EventKind::CloseRequest;
    e.window = window;
    return e;
}

}  // namespace
}  // namespace detail

using namespace detail;

void Init(int& argc, char** argv) {
    if (St().app) return;
    defaultHandler = qInstallMessageHandler(QuietHandler);
    St().app = new QApplication(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // Controls sit at fixed pixel places and sizes, which hold their texts
    // only in a small font.
    QFont font = QApplication::font();
    font.setFamilies({"Liberation Sans", "Arial", "Nimbus Sans", "Helvetica", font.family()});
    font.setPixelSize(kFontPixels);
    QApplication::setFont(font);
    StartKeyWatch();
}

void Shutdown() {
    std::vector<WindowId> open;
    for (auto& [id, rec] : St().windows) open.push_back(id);
    for (WindowId id : open) CloseWindow(id);
    St().queue.clear();
    St().openedHook = nullptr;
    St().openedSinceHook.clear();
    ForgetStandIns();
    StopKeyWatch();
    delete St().app;
    St().app = nullptr;
}

Event WaitEvent() {
    RunOpenedHook();
    Event e;
    if (PopFront(e)) return e;
    if (St().scripted) {
        Pump(QEventLoop::AllEvents);
        if (PopFront(e)) return e;
        for (auto it = St().openOrder.rbegin(); it != St().openOrder.rend(); ++it) {
            if (FindWin(*it)) return ScriptedCloseOf(*it);
        }
        return e;
    }
    while (!PopFront(e)) Pump(QEventLoop::WaitForMoreEvents);
    return e;
}

Event PollEvent() {
    RunOpenedHook();
    Event e;
    if (PopFront(e)) return e;
    Pump(QEventLoop::AllEvents);
    PopFront(e);
    return e;
}

Event WaitEventFor(WindowId window) {
    RunOpenedHook();
    Event e;
    for (;;) {
        if (!FindWin(window)) return Event{};
        while (PopFront(e)) {
            if (e.window == window) return e;
        }
        if (St().scripted) {
            Pump(QEventLoop::AllEvents);
            if (St().queue.empty()) return ScriptedCloseOf(window);
        } else {
            Pump(QEventLoop::WaitForMoreEvents);
        }
    }
}

void PostEvent(const Event& event) { Push(event); }

void SetWindowOpenedHook(std::function<void(WindowId)> hook) { St().openedHook = std::move(hook); }

void DiscardEvents() { St().queue.clear(); }

}  // namespace tk
