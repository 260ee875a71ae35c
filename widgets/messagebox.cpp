#include "widgets/messagebox.h"

#include <QMessageBox>

#include "core/messages.h"

namespace vardo::widgets {

void showMessageBox(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? messages::appTitle() : title, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace vardo::widgets
