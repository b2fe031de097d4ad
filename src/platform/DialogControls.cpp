#include "platform/DialogControls.h"

#include "platform/DialogUnits.h"
#include "platform/ListBox.h"
#include "platform/Text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

namespace {

Qt::Alignment TextAlignment(unsigned style)
{
    Qt::Alignment align = Qt::AlignLeft;
    if (style & ControlStyle::Center)
        align = Qt::AlignHCenter;
    else if (style & ControlStyle::Right)
        align = Qt::AlignRight;
    return align | ((style & ControlStyle::VCenter) ? Qt::AlignVCenter : Qt::AlignTop);
}

QWidget* MakeStatic(const ControlTemplate& c, QWidget* parent)
{
    auto* label = new QLabel(StaticCaption(c.text ? c.text : ""), parent);
    label->setAlignment(TextAlignment(c.style));
    label->setWordWrap(!(c.style & ControlStyle::VCenter));
    if (c.style & ControlStyle::Border)
        label->setFrameShape(QFrame::Box);
    return label;
}

QWidget* MakeFrame(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("color: black"));
    return frame;
}

QWidget* MakeEdit(const ControlTemplate& c, QWidget* parent)
{
    if (c.style & ControlStyle::Multiline) {
        auto* edit = new QPlainTextEdit(ToQt(c.text ? c.text : ""), parent);
        edit->setReadOnly(c.style & ControlStyle::ReadOnly);
        return edit;
    }
    auto* edit = new QLineEdit(ToQt(c.text ? c.text : ""), parent);
    edit->setAlignment(TextAlignment(c.style & ~ControlStyle::VCenter) | Qt::AlignVCenter);
    edit->setReadOnly(c.style & ControlStyle::ReadOnly);
    if (c.style & ControlStyle::Number)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QWidget* MakeCombo(const ControlTemplate& c, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(c.style & ControlStyle::Editable);
    if (combo->isEditable())
        combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(12);
    return combo;
}

QWidget* MakeList(const ControlTemplate& c, QWidget* parent)
{
    auto* list = new ListBox(parent);
    list->setSortingEnabled(c.style & ControlStyle::Sorted);
    return list;
}

QWidget* MakeListView(QWidget* parent)
{
    auto* view = new QTreeWidget(parent);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->header()->setStretchLastSection(false);
    return view;
}

} // namespace

QWidget* DialogControls::MakeControl(const ControlTemplate& c, QWidget* parent)
{
    const QString text = ToQt(c.text ? c.text : "");
    switch (c.kind) {
    case ControlKind::Static:
        return MakeStatic(c, parent);
    case ControlKind::Frame:
        return MakeFrame(parent);
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        if (c.style & ControlStyle::Default) {
            button->setDefault(true);
            m_defaultButton = button;
        }
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::RadioButton:
        return new QRadioButton(text, parent);
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Edit:
        return MakeEdit(c, parent);
    case ControlKind::ComboBox:
        return MakeCombo(c, parent);
    case ControlKind::ListBox:
        return MakeList(c, parent);
    case ControlKind::ListView:
        return MakeListView(parent);
    case ControlKind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        bar->setRange(0, 100);
        bar->setValue(0);
        return bar;
    }
    case ControlKind::Custom:
        break;
    }
    return new QWidget(parent);
}

void DialogControls::Build(
    const DialogTemplate& tmpl, QWidget* parent, const CustomFactory& factory)
{
    m_template = &tmpl;
    const QFont font = DialogUnits::TemplateFont(tmpl.pointSize);
    parent->setFont(font);
    const DialogUnits units = DialogUnits::ForFont(font);

    // Radio buttons are exclusive within a run of radios that a Group style starts.
    QButtonGroup* radios = nullptr;
    for (const ControlTemplate& c : tmpl.controls) {
        QWidget* widget = factory ? factory(c, parent) : nullptr;
        if (!widget)
            widget = MakeControl(c, parent);
        widget->setGeometry(units.Map(c.x, c.y, c.cx, c.cy));
        if (c.style & ControlStyle::Bold) {
            QFont bold = widget->font();
            bold.setBold(true);
            widget->setFont(bold);
        }
        widget->setEnabled(!(c.style & ControlStyle::Disabled));
        widget->setVisible(!(c.style & ControlStyle::Hidden));
        widget->setProperty("controlId", c.id);

        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (!radios || (c.style & ControlStyle::Group)) {
                radios = new QButtonGroup(parent);
            }
            radio->setAutoExclusive(false);
            radios->addButton(radio);
        } else {
            radios = nullptr;
        }
        if (c.id >= 0 && !m_items.count(c.id))
            m_items[c.id] = widget;
    }
}

QWidget* DialogControls::Item(int id) const
{
    const auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second;
}

int DialogControls::IdOf(const QWidget* control) const
{
    for (const auto& [id, widget] : m_items) {
        if (widget == control)
            return id;
    }
    return -1;
}

std::string DialogControls::ItemText(int id) const
{
    QWidget* w = Item(id);
    if (!w)
        return {};
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return FromQt(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return FromQt(combo->currentText());
    if (auto* label = qobject_cast<QLabel*>(w))
        return FromQt(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return FromQt(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return FromQt(group->title());
    if (auto* text = qobject_cast<QPlainTextEdit*>(w))
        return FromQt(text->toPlainText());
    return FromQt(w->windowTitle());
}

void DialogControls::SetItemText(int id, const std::string& text)
{
    QWidget* w = Item(id);
    if (!w)
        return;
    const QString value = ToQt(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->isEditable() ? combo->setEditText(value)
                            : combo->setCurrentIndex(combo->findText(value));
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(value);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(value);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        plain->setPlainText(value);
    else
        w->setWindowTitle(value);
}

bool DialogControls::IsChecked(int id) const
{
    auto* button = ItemAs<QAbstractButton>(id);
    return button && button->isChecked();
}

void DialogControls::SetCheck(int id, bool checked)
{
    if (auto* button = ItemAs<QAbstractButton>(id)) {
        button->setCheckable(true);
        button->setChecked(checked);
    }
}

void DialogControls::EnableItem(int id, bool enable)
{
    if (QWidget* w = Item(id))
        w->setEnabled(enable);
}

void DialogControls::ShowItem(int id, bool show)
{
    if (QWidget* w = Item(id))
        w->setVisible(show);
}
