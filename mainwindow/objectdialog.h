#pragma once
// "Данные объекта": the object data of the calculation (objectdata.h), edited in a small dialog
// of the main window. Each field is a line named by its key in the file ("object", "crossbeam",
// "designedBy", "checkedBy", "date", "note"); "Сегодня" puts today's date into "Дата".

#include <QDialog>

#include "document/objectdata.h"

class QLineEdit;

namespace vardo::mainwindow {

class ObjectDialog : public QDialog {
    Q_OBJECT

  public:
    ObjectDialog(const document::ObjectData& data, QWidget* parent);

    // What the fields hold now.
    document::ObjectData data() const;
    QLineEdit* field(const QString& key) const;

  private:
    QList<QLineEdit*> lines_;  // in the order of objectFields()
};

}  // namespace vardo::mainwindow
