#include "mainwindow/widgetsheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QWidget>

#include "core/catalogue.h"
#include "core/messages.h"
#include "widgets/messagebox.h"

namespace vardo::mainwindow {

WidgetSheet::WidgetSheet(QWidget* root) : root_(root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty() && !widgets_.contains(w->objectName()))
            widgets_.insert(w->objectName(), w);
    }
    sink_ = [this](const QString& text) { showMessageBox(root_, text); };
}

QWidget* WidgetSheet::widget(const QString& name) const {
    return widgets_.value(name);
}

QString WidgetSheet::text(const QString& name) const {
    catalogue::checkKnown(name);
    QWidget* w = widget(name);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return {};
}

void WidgetSheet::setText(const QString& name, const QString& text) {
    catalogue::checkKnown(name);
    QWidget* w = widget(name);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setEditText(text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(text);
    }
}

bool WidgetSheet::isVisible(const QString& name) const {
    catalogue::checkKnown(name);
    QWidget* w = widget(name);
    return w && !w->isHidden();
}

void WidgetSheet::setVisible(const QString& name, bool visible) {
    catalogue::checkKnown(name);
    if (QWidget* w = widget(name)) w->setVisible(visible);
}

bool WidgetSheet::isChecked(const QString& name) const {
    catalogue::checkKnown(name);
    auto* b = qobject_cast<QAbstractButton*>(widget(name));
    return b && b->isChecked();
}

void WidgetSheet::setChecked(const QString& name) {
    catalogue::checkKnown(name);
    if (auto* b = qobject_cast<QAbstractButton*>(widget(name))) b->setChecked(true);
}

void WidgetSheet::message(const QString& text) {
    if (sink_) sink_(text);
}

void showMessageBox(QWidget* parent, const QString& text) {
    widgets::showMessageBox(parent, text);
}

}  // namespace vardo::mainwindow
