// Texts that fit their controls. Controls keep the places and sizes the
// program gives them; where a text is wider than the room the style leaves
// it, the control shows it in a smaller size, one pixel at a time, until it
// fits or the smallest readable size is reached.

#include <algorithm>

#include "toolkit/toolkit_private.h"

namespace tk::detail {
namespace {

constexpr int kSmallestTextPixels = 7;
// Space kept free between a text and the edges of its room, so that no
// letter touches a border.
constexpr int kEdgeSpace = 1;

int Width(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split('\n')) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

bool FitsButton(QPushButton* button, const QFont& font) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.fontMetrics = QFontMetrics(font);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QString shown = QString(button->text()).replace("&&", "&");
    return Width(option.fontMetrics, shown) + 2 * kEdgeSpace <= room.width();
}

// Wrapped text: every word fits a line, and the lines fit the height.
bool FitsWrapped(const QLabel* label, const QFont& font) {
    const QFontMetrics metrics(font);
    // The label fills the button inside the margins of its layout.
    const QWidget* button = label->parentWidget();
    const QRect room = button->rect().marginsRemoved(button->layout()->contentsMargins());
    for (const QString& word : label->text().split(' ', Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > room.width()) return false;
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 16),
                                              Qt::TextWordWrap | Qt::AlignHCenter, label->text());
    return needed.height() <= room.height();
}

bool FitsLabel(const QLabel* label, const QFont& font) {
    const QFontMetrics metrics(font);
    if (label->wordWrap()) {
        const QRect room = label->contentsRect().marginsRemoved(QMargins(1, 1, 1, 1) * label->margin());
        for (const QString& word : label->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
            if (metrics.horizontalAdvance(word) > room.width()) return false;
        }
        const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 16), Qt::TextWordWrap, label->text());
        return needed.height() <= room.height();
    }
    QRect room = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
    // A framed label without an indent of its own keeps half an "x" free on
    // the side its text leans to.
    const int indent = label->indent() >= 0 ? label->indent()
                       : label->frameWidth() > 0 ? metrics.horizontalAdvance('x') / 2 : 0;
    if (label->alignment() & (Qt::AlignLeft | Qt::AlignRight)) room.setWidth(room.width() - indent);
    return Width(metrics, label->text()) <= room.width();
}

bool FitsCheck(QAbstractButton* box, const QFont& font, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.fontMetrics = QFontMetrics(font);
    option.text = box->text();
    const QRect room = box->style()->subElementRect(contents, &option, box);
    const QString shown = QString(box->text()).replace("&&", "&");
    return Width(option.fontMetrics, shown) + kEdgeSpace <= room.width();
}

bool FitsFrame(QGroupBox* frame, const QFont& font) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.fontMetrics = QFontMetrics(font);
    option.text = frame->title();
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    const QString shown = QString(frame->title()).replace("&&", "&");
    return label.x() + Width(option.fontMetrics, shown) + kEdgeSpace <= frame->width() - label.x();
}

int ListRoom(QComboBox* list, const QFont& font) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.fontMetrics = QFontMetrics(font);
    option.editable = false;
    option.frame = list->hasFrame();
    const QRect room = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    return room.width() - 2 * kEdgeSpace;
}

bool FitsList(QComboBox* list, const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < list->count(); ++i) widest = std::max(widest, Width(metrics, list->itemText(i)));
    return widest <= ListRoom(list, font);
}

// Line edits keep two pixels free on either side inside their frame.
constexpr int kLineEditMargin = 2;

bool FitsField(QLineEdit* field, const QFont& font) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.fontMetrics = QFontMetrics(font);
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    const QRect room = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field)
                           .marginsRemoved(field->textMargins());
    return Width(option.fontMetrics, field->text()) + 2 * kLineEditMargin <= room.width();
}

// The width the style gives a spin control's arrows when it has room.
int ArrowsWidth(QSpinBox* spin, QStyleOptionSpinBox option) {
    option.rect = QRect(0, 0, 200, spin->height());
    const QRect up = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, spin);
    return option.rect.right() - up.left() + 1;
}

// A spin control too narrow for a single digit is a pair of arrows, shown
// beside a field that holds its value: it has no text to fit, but its
// arrows must have their whole width, or they are squashed out of shape.
bool FitsSpin(QSpinBox* spin, const QFont& font) {
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.fontMetrics = QFontMetrics(font);
    option.frame = spin->hasFrame();
    option.subControls = QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    if (spin->width() < ArrowsWidth(spin, option)) return false;
    const QRect room = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin);
    const int usable = room.width() - 2 * kLineEditMargin;
    QFont smallest = font;
    smallest.setPixelSize(kSmallestTextPixels);
    if (usable < QFontMetrics(smallest).horizontalAdvance('0')) return true;
    return Width(option.fontMetrics, spin->text()) <= usable;
}

bool FitsIn(const ControlRec& c, const QFont& font) {
    if (c.wrapLabel) return FitsWrapped(c.wrapLabel, font);
    switch (c.kind) {
    case ControlKind::Button:
    case ControlKind::ToggleButton: return FitsButton(static_cast<QPushButton*>(c.widget), font);
    case ControlKind::Label: return FitsLabel(static_cast<QLabel*>(c.widget), font);
    case ControlKind::Frame: return FitsFrame(static_cast<QGroupBox*>(c.widget), font);
    case ControlKind::CheckBox:
        return FitsCheck(static_cast<QAbstractButton*>(c.widget), font, QStyle::SE_CheckBoxContents);
    case ControlKind::OptionButton:
        return FitsCheck(static_cast<QAbstractButton*>(c.widget), font, QStyle::SE_RadioButtonContents);
    case ControlKind::DropDown: return FitsList(static_cast<QComboBox*>(c.widget), font);
    case ControlKind::NumberField:
    case ControlKind::TextField: return FitsField(static_cast<QLineEdit*>(c.widget), font);
    case ControlKind::Spin: return FitsSpin(static_cast<QSpinBox*>(c.widget), font);
    // Scrolled or drawn by the program: no text of a fixed room.
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar:
    case ControlKind::ScrollArea:
    case ControlKind::TextEdit:
    case ControlKind::Canvas: return true;
    }
    return true;
}

}  // namespace

bool TextFits(const ControlRec& c) {
    // The stand-in for a stale id (id 0) is a plain widget of no kind.
    if (!c.widget || c.id == 0) return true;
    return FitsIn(c, c.wrapLabel ? c.wrapLabel->font() : c.widget->font());
}

void FitNewItem(ControlRec& c, const QString& item) {
    auto* list = dynamic_cast<QComboBox*>(c.widget);
    if (!list) return;
    // Lists grow an item at a time: only an item wider than the room calls
    // for a look at them all.
    if (Width(QFontMetrics(list->font()), item) <= ListRoom(list, list->font())) return;
    FitText(c);
}

void FitText(ControlRec& c) {
    if (!c.widget || c.id == 0) return;
    QFont font = QApplication::font();
    const int full = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    int size = full;
    for (; size > kSmallestTextPixels; --size) {
        font.setPixelSize(size);
        if (FitsIn(c, font)) break;
    }
    font.setPixelSize(size);
    if (c.widget->font() == font) return;
    if (size == full) {
        c.widget->setFont(QFont());  // back to the application's own
    } else {
        c.widget->setFont(font);
    }
}

}  // namespace tk::detail
