// Drawing canvases: a widget that shows a Surface and reports the mouse.

#include <cstdio>

#include "toolkit/toolkit_private.h"

namespace tk {
namespace detail {
namespace {

constexpr int kBorder = 2;

int ButtonBit(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return ButtonLeft;
    case Qt::RightButton: return ButtonRight;
    case Qt::MiddleButton: return ButtonMiddle;
    default: return 0;
    }
}

int ButtonsHeld(Qt::MouseButtons buttons) {
    int held = 0;
    if (buttons & Qt::LeftButton) held |= ButtonLeft;
    if (buttons & Qt::RightButton) held |= ButtonRight;
    if (buttons & Qt::MiddleButton) held |= ButtonMiddle;
    return held;
}

class CanvasWidget : public QWidget {
public:
    CanvasWidget(ControlId id, Surface& surface, bool bordered)
        : id_(id), surface_(surface), border_(bordered ? kBorder : 0) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    int Border() const { return border_; }

protected:
    // Only the parts asked for are painted: Refresh asks for what changed.
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const QRect area(border_, border_, surface_.Width(), surface_.Height());
        if (border_ > 0 && !area.contains(event->rect())) qDrawShadePanel(&painter, rect(), palette(), true, border_);
        // The surface's words are Qt's 32-bit RGB form, which the window
        // system takes without conversion.
        const QImage image(reinterpret_cast<const uchar*>(surface_.Data()), surface_.Width(), surface_.Height(),
                           surface_.Width() * 4, QImage::Format_RGB32);
        for (const QRect& asked : event->region()) {
            const QRect part = asked & area;
            if (!part.isEmpty()) painter.drawImage(part.topLeft(), image, part.translated(-border_, -border_));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        pressedHere_ |= ButtonBit(event->button());
        Report(event, SubKind::Other);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const int bit = ButtonBit(event->button());
        SubKind subKind = SubKind::Other;
        if (pressedHere_ & bit) {
            if (bit == ButtonLeft) subKind = SubKind::LeftClick;
            if (bit == ButtonRight) subKind = SubKind::RightClick;
        }
        pressedHere_ &= ~bit;
        Report(event, subKind);
    }

    void mouseMoveEvent(QMouseEvent* event) override { Report(event, SubKind::Other); }

private:
    void Report(QMouseEvent* event, SubKind subKind) {
        ControlRec* rec = FindCtl(id_);
        if (!rec) return;
        const QPoint at = event->position().toPoint();
        Event e;
        e.kind = EventKind::Control;
        e.window = rec->window;
        e.control = id_;
        e.subKind = subKind;
        e.mouseX = at.x() - border_;
        e.mouseY = at.y() - border_;
        e.buttons = ButtonsHeld(event->buttons());
        if (event->modifiers() & Qt::ShiftModifier) e.modifiers |= Shift;
        if (event->modifiers() & Qt::ControlModifier) e.modifiers |= Ctrl;
        Push(e);
    }

    ControlId id_;
    const Surface& surface_;
    int border_;
    int pressedHere_ = 0;
};

}  // namespace

QWidget* MakeCanvas(ControlRec& rec) {
    rec.surface = std::make_unique<Surface>();
    auto* canvas = new CanvasWidget(rec.id, *rec.surface, (rec.style & Bordered) != 0);
    canvas->setFocusPolicy((rec.style & Focusable) ? Qt::StrongFocus : Qt::NoFocus);
    return canvas;
}

int CanvasBorder(const ControlRec& rec) { return (rec.style & Bordered) ? kBorder : 0; }

void ResizeCanvasSurface(ControlRec& rec) {
    const int border = CanvasBorder(rec);
    const int width = rec.widget->width() - 2 * border;
    const int height = rec.widget->height() - 2 * border;
    if (width == rec.surface->Width() && height == rec.surface->Height()) return;
    rec.surface->Resize(width, height);
    rec.surface->TakeChanged();
    rec.widget->update();
}

}  // namespace detail

using namespace detail;

Surface& CanvasSurface(ControlId canvas) {
    ControlRec& c = Ctl(canvas);
    if (c.surface) return *c.surface;
    std::fprintf(stderr, "toolkit: control %d is not a canvas\n", canvas);
    static Surface scratch;
    scratch.Resize(0, 0);
    return scratch;
}

void Refresh(ControlId canvas) {
    ControlRec& c = Ctl(canvas);
    if (!c.surface) return;
    const std::vector<Rect> parts = c.surface->ChangedParts();
    c.surface->TakeChanged();
    if (parts.empty()) return;
    const int border = CanvasBorder(c);
    QRegion changed;
    for (const Rect& r : parts) changed += QRect(r.x + border, r.y + border, r.width, r.height);
    c.widget->update(changed);
}

}  // namespace tk
