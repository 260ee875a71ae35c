#pragma once
// The calculation sheet over real widgets: controls are found by object name, texts are read and
// written the way each kind of control holds them, and messages go to a replaceable sink (a modal
// message box unless a test installs its own).

#include <QHash>
#include <QPointer>
#include <QString>
#include <functional>

#include "core/sheet.h"

class QWidget;

namespace vardo::mainwindow {

class WidgetSheet : public FormPort {
  public:
    using MessageSink = std::function<void(const QString& text)>;

    // Indexes every named descendant of root.
    explicit WidgetSheet(QWidget* root);

    QWidget* widget(const QString& name) const;

    QString text(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    bool isVisible(const QString& name) const override;
    void setVisible(const QString& name, bool visible) override;
    bool isChecked(const QString& name) const override;
    void message(const QString& text) override;
    // Checks an option as a user's selection would; its click action runs from the window's
    // handler of the option's selection.
    void setChecked(const QString& name) override;

    void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }

  private:
    QWidget* root_;
    QHash<QString, QWidget*> widgets_;
    MessageSink sink_;
};

// The main window's message box: modal, OK only, no icon, caption "Vardo".
void showMessageBox(QWidget* parent, const QString& text);

}  // namespace vardo::mainwindow
