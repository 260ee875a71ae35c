#include "mainwindow/listfield.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QWheelEvent>

namespace vardo::mainwindow {

ListField::ListField(const QStringList& items, const QString& text, QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    // An editable combo box brings an inline completer; the typed text must stay as typed.
    setCompleter(nullptr);
    // Enter never adds to the list.
    setInsertPolicy(QComboBox::NoInsert);
    addItems(items);
    connect(this, &QComboBox::editTextChanged, this, &ListField::followText);
    setEditText(text);
}

void ListField::wheelEvent(QWheelEvent* event) {
    // The wheel over a field the user is not working in belongs to the window, not to the field.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void ListField::followText(const QString& text) {
    if (following_) return;
    const int entry = findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (entry == currentIndex()) return;
    QScopedValueRollback guard(following_, true);
    // Moving the position rewrites the edit text (an entry's text, or empty for none); the text
    // and the cursor the user had are put back.
    QLineEdit* edit = lineEdit();
    const int cursor = edit->cursorPosition();
    setCurrentIndex(entry);
    if (edit->text() != text) {
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
}

}  // namespace vardo::mainwindow
