#include "mainwindow/taborder.h"

#include <QLineEdit>
#include <QWidget>
#include <algorithm>

namespace vardo::mainwindow {

namespace {

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

// The container's child widgets in reading order.
QList<QWidget*> readingRows(QWidget* container) {
    QList<QWidget*> children;
    for (QObject* o : container->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) children << w;
    std::stable_sort(children.begin(), children.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    QList<QWidget*> ordered;
    for (qsizetype start = 0; start < children.size();) {
        qsizetype end = start + 1;
        while (end < children.size() && children[end]->y() - children[start]->y() < kRowTolerance)
            ++end;
        QList<QWidget*> row = children.mid(start, end - start);
        std::stable_sort(row.begin(), row.end(),
                         [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        ordered += row;
        start = end;
    }
    return ordered;
}

void collect(QWidget* container, QList<QWidget*>* order) {
    for (QWidget* w : readingRows(container)) {
        // A control that takes the focus is one stop, whatever it is made of (a list's edit
        // field, a navigator's buttons); a frame is entered.
        if (takesTab(w))
            *order << w;
        else
            collect(w, order);
    }
}

}  // namespace

QList<QWidget*> readingOrder(QWidget* window) {
    QList<QWidget*> order;
    collect(window, &order);
    return order;
}

void orderTabsByLayout(QWidget* window) {
    const QList<QWidget*> order = readingOrder(window);
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* firstInputField(QWidget* window) {
    for (QWidget* w : readingOrder(window))
        if (auto* field = qobject_cast<QLineEdit*>(w);
            field && field->isVisibleTo(window) && field->isEnabled() && !field->isReadOnly())
            return field;
    return nullptr;
}

}  // namespace vardo::mainwindow
