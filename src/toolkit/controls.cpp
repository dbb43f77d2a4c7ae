// Controls: creation, geometry, texts, states, items and values. Only what the
// user does turns into events; the program's own changes stay silent.

#include <algorithm>
#include <cstdio>

#include "toolkit/toolkit_private.h"

namespace tk {
namespace detail {
namespace {

QWidget* ParentWidget(WindowRec& w, ControlId parent) {
    if (parent == 0) return w.content;
    ControlRec& area = Ctl(parent);
    return area.scrollInner ? area.scrollInner : area.widget;
}

QPushButton* MakeButton(ControlRec& rec, const QString& text) {
    auto* button = new QPushButton;
    if (rec.style & MultiLine) {
        rec.wrapLabel = new QLabel(QString(text).replace("&&", "&"), button);
        rec.wrapLabel->setTextFormat(Qt::PlainText);
        rec.wrapLabel->setWordWrap(true);
        rec.wrapLabel->setAlignment(Qt::AlignCenter);
        rec.wrapLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto* layout = new QVBoxLayout(button);
        layout->setContentsMargins(1, 0, 1, 0);
        layout->addWidget(rec.wrapLabel);
    } else {
        button->setText(text);
    }
    const ControlId id = rec.id;
    if (rec.kind == ControlKind::ToggleButton) {
        button->setCheckable(true);
        QObject::connect(button, &QPushButton::toggled, [id] { PushControl(id, SubKind::Other); });
    } else {
        QObject::connect(button, &QPushButton::clicked, [id] { PushControl(id, SubKind::LeftClick); });
    }
    return button;
}

QLabel* MakeLabel(ControlRec& rec, const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((rec.style & CenteredText) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    if (rec.style & Bordered) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (rec.style & MultiLine) {
        label->setWordWrap(true);
        label->setAlignment((rec.style & CenteredText) ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
        label->setMargin(2);
    }
    return label;
}

QGroupBox* MakeFrame(const QString& text) {
    auto* frame = new QGroupBox(text);
    // Frames are drawn around controls made before them: they must neither
    // cover those controls nor take their clicks.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QRadioButton* MakeOption(ControlRec& rec, WindowRec& w, const QString& text) {
    auto* option = new QRadioButton(text);
    if ((rec.style & FirstOfGroup) || !w.optionGroup) {
        w.optionGroup = new QButtonGroup(w.frame);
        w.optionGroup->setExclusive(true);
    }
    w.optionGroup->addButton(option);
    const ControlId id = rec.id;
    QObject::connect(option, &QRadioButton::toggled, [id](bool on) {
        if (on) PushControl(id, SubKind::Other);
    });
    return option;
}

QWidget* MakeScrollArea(ControlRec& rec) {
    auto* area = new QScrollArea;
    rec.scrollInner = new QWidget;
    area->setWidget(rec.scrollInner);
    area->setWidgetResizable(false);
    return area;
}

QWidget* MakeWidget(ControlRec& rec, WindowRec& w, const std::string& plain) {
    const QString text = Q(plain);
    const QString literal = Literal(plain);
    const ControlId id = rec.id;
    auto otherEvent = [id] { PushControl(id, SubKind::Other); };
    switch (rec.kind) {
    case ControlKind::Button:
    case ControlKind::ToggleButton:
        return MakeButton(rec, literal);
    case ControlKind::Label:
        return MakeLabel(rec, text);
    case ControlKind::Frame:
        return MakeFrame(literal);
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(literal);
        QObject::connect(box, &QCheckBox::toggled, otherEvent);
        return box;
    }
    case ControlKind::OptionButton:
        return MakeOption(rec, w, literal);
    case ControlKind::DropDown: {
        auto* list = new QComboBox;
        list->setEditable(false);
        // Choosing the item already shown is an event too: the export dialog
        // regenerates its text on every choice.
        QObject::connect(list, &QComboBox::activated, otherEvent);
        return list;
    }
    case ControlKind::NumberField: {
        auto* field = new QLineEdit(text);
        field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
        QObject::connect(field, &QLineEdit::textEdited, otherEvent);
        return field;
    }
    case ControlKind::TextField: {
        auto* field = new QLineEdit(text);
        QObject::connect(field, &QLineEdit::textEdited, otherEvent);
        return field;
    }
    case ControlKind::Spin: {
        auto* spin = new QSpinBox;
        QObject::connect(spin, &QSpinBox::valueChanged, otherEvent);
        return spin;
    }
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar: {
        auto* bar = new QScrollBar(rec.kind == ControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical);
        QObject::connect(bar, &QScrollBar::valueChanged, otherEvent);
        return bar;
    }
    case ControlKind::ScrollArea:
        return MakeScrollArea(rec);
    case ControlKind::TextEdit: {
        auto* edit = new QPlainTextEdit;
        edit->setPlainText(text);
        rec.noLines = text.isEmpty();
        return edit;
    }
    case ControlKind::Canvas:
        return MakeCanvas(rec);
    }
    return new QWidget;
}

template <typename T>
T* As(ControlId control) {
    return dynamic_cast<T*>(Ctl(control).widget);
}

void ApplyBackground(ControlRec& rec) {
    QPalette palette = rec.widget->palette();
    const QColor color(RedOf(rec.background), GreenOf(rec.background), BlueOf(rec.background));
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color);
    palette.setColor(QPalette::Base, color);
    rec.widget->setPalette(palette);
    rec.widget->setAutoFillBackground(true);
}

}  // namespace
}  // namespace detail

using namespace detail;

ControlId CreateControl(WindowId window, ControlKind kind, int x, int y, int width, int height,
                        const std::string& text, unsigned style, ControlId parent) {
    if (!FindWin(window)) {
        std::fprintf(stderr, "toolkit: no window %d to put a control in\n", window);
        return 0;
    }
    WindowRec& w = Win(window);
    auto rec = std::make_unique<ControlRec>();
    ControlRec& c = *rec;
    c.id = St().nextControl++;
    c.window = window;
    c.kind = kind;
    c.style = style;
    St().controls[c.id] = std::move(rec);
    w.controls.push_back(c.id);

    Silence quiet;
    c.widget = MakeWidget(c, w, text);
    c.widget->setParent(ParentWidget(w, parent));
    c.widget->setGeometry(x, y, width, height);
    if (kind == ControlKind::Canvas) ResizeCanvasSurface(c);
    if (kind == ControlKind::Frame) c.widget->lower();
    FitText(c);
    c.widget->show();
    if (w.statusBar) w.statusBar->raise();
    return c.id;
}

ControlKind KindOf(ControlId control) { return Ctl(control).kind; }
WindowId WindowOf(ControlId control) { return Ctl(control).window; }
unsigned StyleOf(ControlId control) { return Ctl(control).style; }
std::vector<ControlId> Controls(WindowId window) { return Win(window).controls; }

Rect ControlRect(ControlId control) {
    const QRect r = Ctl(control).widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void MoveControl(ControlId control, int x, int y, int width, int height) {
    ControlRec& c = Ctl(control);
    c.widget->setGeometry(x, y, width, height);
    if (c.kind == ControlKind::Canvas) ResizeCanvasSurface(c);
    FitText(c);
}

void SetText(ControlId control, const std::string& text) {
    ControlRec& c = Ctl(control);
    Silence quiet;
    const QString q = Q(text);
    if (c.wrapLabel) {
        c.wrapLabel->setText(q);
    } else if (auto* button = dynamic_cast<QAbstractButton*>(c.widget)) {
        button->setText(Literal(text));
    } else if (auto* label = dynamic_cast<QLabel*>(c.widget)) {
        label->setText(q);
    } else if (auto* frame = dynamic_cast<QGroupBox*>(c.widget)) {
        frame->setTitle(Literal(text));
    } else if (auto* field = dynamic_cast<QLineEdit*>(c.widget)) {
        field->setText(q);
    } else if (auto* edit = dynamic_cast<QPlainTextEdit*>(c.widget)) {
        edit->setPlainText(q);
        c.noLines = q.isEmpty();
    } else if (auto* spin = dynamic_cast<QSpinBox*>(c.widget)) {
        spin->setValue(q.toInt());
    }
    FitText(c);
}

std::string Text(ControlId control) {
    ControlRec& c = Ctl(control);
    if (c.wrapLabel) return S(c.wrapLabel->text());
    if (auto* button = dynamic_cast<QAbstractButton*>(c.widget)) return FromLiteral(button->text());
    if (auto* label = dynamic_cast<QLabel*>(c.widget)) return S(label->text());
    if (auto* frame = dynamic_cast<QGroupBox*>(c.widget)) return FromLiteral(frame->title());
    if (auto* field = dynamic_cast<QLineEdit*>(c.widget)) return S(field->text());
    if (auto* edit = dynamic_cast<QPlainTextEdit*>(c.widget)) return S(edit->toPlainText());
    if (auto* spin = dynamic_cast<QSpinBox*>(c.widget)) return std::to_string(spin->value());
    if (auto* list = dynamic_cast<QComboBox*>(c.widget)) return S(list->currentText());
    return {};
}

void SetToolTip(ControlId control, const std::string& tip) { Ctl(control).widget->setToolTip(Q(tip)); }

std::string ToolTip(ControlId control) { return S(Ctl(control).widget->toolTip()); }

void SetBackground(ControlId control, Rgb color) {
    ControlRec& c = Ctl(control);
    if (c.hasBackground && c.background == (color & 0xFFFFFFu)) return;
    c.background = color & 0xFFFFFFu;
    c.hasBackground = true;
    ApplyBackground(c);
}

Rgb Background(ControlId control) {
    ControlRec& c = Ctl(control);
    if (c.hasBackground) return c.background;
    const QColor color = c.widget->palette().color(QPalette::Window);
    return MakeRgb(color.red(), color.green(), color.blue());
}

void EnableControl(ControlId control, bool enabled) { Ctl(control).widget->setEnabled(enabled); }

void SetChecked(ControlId control, bool checked) {
    auto* button = As<QAbstractButton>(control);
    if (!button) return;
    Silence quiet;
    button->setChecked(checked);
}

bool IsChecked(ControlId control) {
    auto* button = As<QAbstractButton>(control);
    return button && button->isChecked();
}

void AddItem(ControlId list, const std::string& text) {
    auto* box = As<QComboBox>(list);
    if (!box) return;
    Silence quiet;
    box->addItem(Q(text));
    FitNewItem(Ctl(list), Q(text));
}

void ClearItems(ControlId list) {
    auto* box = As<QComboBox>(list);
    if (!box) return;
    Silence quiet;
    box->clear();
    FitText(Ctl(list));
}

int ItemCount(ControlId list) {
    auto* box = As<QComboBox>(list);
    return box ? box->count() : 0;
}

std::string ItemText(ControlId list, int index) {
    auto* box = As<QComboBox>(list);
    return box ? S(box->itemText(index)) : std::string();
}

void SelectItem(ControlId list, int index) {
    auto* box = As<QComboBox>(list);
    if (!box) return;
    Silence quiet;
    box->setCurrentIndex(index);
}

int SelectedItem(ControlId list) {
    auto* box = As<QComboBox>(list);
    return box ? box->currentIndex() : -1;
}

void SetRange(ControlId control, int minimum, int maximum, int page) {
    ControlRec& c = Ctl(control);
    Silence quiet;
    if (auto* spin = dynamic_cast<QSpinBox*>(c.widget)) {
        spin->setRange(minimum, maximum);
    } else if (auto* bar = dynamic_cast<QScrollBar*>(c.widget)) {
        // The position runs over the places where a page still fits.
        c.page = std::max(1, page);
        bar->setRange(minimum, std::max(minimum, maximum - c.page + 1));
        bar->setPageStep(c.page);
    }
}

void SetValue(ControlId control, int value) {
    ControlRec& c = Ctl(control);
    Silence quiet;
    if (auto* spin = dynamic_cast<QSpinBox*>(c.widget)) {
        spin->setValue(value);
        FitText(c);
    } else if (auto* bar = dynamic_cast<QScrollBar*>(c.widget)) {
        bar->setValue(value);
    }
}

int Value(ControlId control) {
    ControlRec& c = Ctl(control);
    if (auto* spin = dynamic_cast<QSpinBox*>(c.widget)) return spin->value();
    if (auto* bar = dynamic_cast<QScrollBar*>(c.widget)) return bar->value();
    return 0;
}

void SetInnerSize(ControlId area, int width, int height) {
    ControlRec& c = Ctl(area);
    if (c.scrollInner) c.scrollInner->resize(width, height);
}

Rect InnerSize(ControlId area) {
    ControlRec& c = Ctl(area);
    if (!c.scrollInner) return {};
    return {0, 0, c.scrollInner->width(), c.scrollInner->height()};
}

void SetScrollStep(ControlId area, int step) {
    auto* scroll = As<QScrollArea>(area);
    if (!scroll) return;
    scroll->horizontalScrollBar()->setSingleStep(step);
    scroll->verticalScrollBar()->setSingleStep(step);
}

namespace {

// The scroll area whose scrolled widget holds widget, at any depth.
QScrollArea* ScrollAreaAround(QWidget* widget) {
    for (QWidget* p = widget ? widget->parentWidget() : nullptr; p; p = p->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(p); area && area->widget() && area->widget()->isAncestorOf(widget)) {
            return area;
        }
    }
    return nullptr;
}

}  // namespace

void ScrollIntoView(ControlId control, Rect r) {
    QWidget* widget = Ctl(control).widget;
    QScrollArea* area = ScrollAreaAround(widget);
    if (!area || r.width <= 0 || r.height <= 0) return;
    // A window opened during this event would be shown only when the program
    // next waits; until then the area does not know its own size, and would
    // scroll by the wrong amount or not at all.
    if (!area->isVisible()) ShowNewWindows();
    // Qt asks for a centre and margins; rounding the half sizes up keeps the
    // far edge inside.
    const QPoint centre = widget->mapTo(area->widget(), QPoint(r.x + r.width / 2, r.y + r.height / 2));
    area->ensureVisible(centre.x(), centre.y(), (r.width + 1) / 2, (r.height + 1) / 2);
}

Rect VisiblePart(ControlId control) {
    QWidget* widget = Ctl(control).widget;
    if (!widget) return {};
    QRect shown = widget->rect();
    if (QScrollArea* area = ScrollAreaAround(widget)) {
        const QWidget* viewport = area->viewport();
        shown &= QRect(widget->mapFrom(viewport, QPoint(0, 0)), viewport->size());
    }
    if (shown.isEmpty()) return {};
    return {shown.x(), shown.y(), shown.width(), shown.height()};
}

void ClearLines(ControlId edit) {
    auto* text = As<QPlainTextEdit>(edit);
    if (!text) return;
    text->clear();
    Ctl(edit).noLines = true;
}

void AppendLine(ControlId edit, const std::string& line) {
    auto* text = As<QPlainTextEdit>(edit);
    if (!text) return;
    ControlRec& c = Ctl(edit);
    // An empty document already holds one empty line, which the first
    // appended line takes over.
    if (c.noLines && !text->document()->isEmpty()) c.noLines = false;
    if (c.noLines) {
        text->setPlainText(Q(line));
    } else {
        text->appendPlainText(Q(line));
    }
    c.noLines = false;
}

void SetLines(ControlId edit, const std::vector<std::string>& lines) {
    auto* text = As<QPlainTextEdit>(edit);
    if (!text) return;
    QStringList joined;
    joined.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) joined.append(Q(line));
    text->setPlainText(joined.join('\n'));
    Ctl(edit).noLines = lines.empty();
}

int LineCount(ControlId edit) {
    auto* text = As<QPlainTextEdit>(edit);
    if (!text) return 0;
    const QTextDocument* doc = text->document();
    if (doc->isEmpty() && Ctl(edit).noLines) return 0;
    return doc->blockCount();
}

std::string Line(ControlId edit, int index) {
    auto* text = As<QPlainTextEdit>(edit);
    if (!text) return {};
    const QTextBlock block = text->document()->findBlockByNumber(index);
    return block.isValid() ? S(block.text()) : std::string();
}

}  // namespace tk
