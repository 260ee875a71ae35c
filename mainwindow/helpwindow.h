#pragma once
// The program's help window: the user guide (data/help.html, built into the program as the
// resource qrc:/help/help.html, so it opens on any machine, with or without a browser) in a
// QTextBrowser, the contents beside it and a find bar under it.
//
//   help.html --QTextBrowser--> the document --its headings (h2, h3)--> the contents tree, which
//   takes the reader to a section and marks the section being read
//   the find field --QTextDocument::find, plain text, any case--> every match highlighted, the
//   current one selected and scrolled to; "N из M" or "не найдено"
//
// Links inside the guide stay in the window; a link to anything else (a web page, mail) goes to
// the desktop's handler. The window opens at the section the caller names (its anchor, e.g.
// "arms"): F1 opens it at the section of the control that has the focus.

#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace vardo::mainwindow {

class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Scrolls to the heading with the anchor `section` and marks it in the contents; the top of the
    // guide when `section` is empty or not in the guide.
    void showSection(const QString& section);
    // Finds `text` after (or before) the current match, wrapping round the guide, and highlights
    // every match. Returns whether the guide holds it; the status under the text says so.
    bool find(const QString& text, bool backward = false);

  private:
    void fillContents();
    void findAgain(bool backward);
    void scrollToHeading(int position);
    void followReading();
    void goTo(QTreeWidgetItem* item);

    QTextBrowser* text_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QLabel* findStatus_ = nullptr;
};

// Shows the help window kept in `window` (made on first use: a window of its own that is deleted
// when closed) at `section`, raised and active.
HelpWindow* showHelpWindow(QPointer<HelpWindow>& window, const QString& section);

}  // namespace vardo::mainwindow
