#pragma once
// The edit-and-list fields h/b and Gт: the user may type any text or pick an entry, and the text,
// exactly as typed, is what the procedures read.
//
// What a plain editable QComboBox would do behind the user's back, and this one does not:
// - complete a typed text to the first entry that begins with it ("1,6" to "1,66", "13" to "131");
// - add a typed text to the list on Enter (the lists are fixed);
// - change with a turn of the mouse wheel while the pointer merely passes over it: the wheel steps
//   through the entries only when the field has the focus.
// Its list position always agrees with its text: the entry equal to the text, or none.

#include <QComboBox>

namespace vardo::mainwindow {

class ListField : public QComboBox {
    Q_OBJECT

  public:
    ListField(const QStringList& items, const QString& text, QWidget* parent = nullptr);

  protected:
    void wheelEvent(QWheelEvent* event) override;

  private:
    void followText(const QString& text);

    bool following_ = false;
};

}  // namespace vardo::mainwindow
