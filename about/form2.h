#pragma once
// The About window: the program's icon, the author's line, a web address and an e-mail address,
// "OK" and "Помощь". A frameless light-grey window, centred on the screen.
//
// The web address, the e-mail address (a mailto: link with an empty subject) and the help page
// "help.html" (working directory, then beside the program) are opened by the desktop's default
// handlers through a URL opener that tests may replace. A help page that is missing, or an
// address that nothing on the desktop could open, is said in a message box. Opened from the main
// window, "Помощь" opens the program's own help window instead.
//
// The window does not delete itself when closed; its owner decides.

#include <functional>

#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;

class Form2 : public QWidget {
    Q_OBJECT

  public:
    // Opens a URL with the desktop's handler; false when nothing could open it.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    // Shows a message to the user.
    using MessageSink = std::function<void(const QString& text)>;

    // Opens URLs with QDesktopServices::openUrl, shows messages in modal message boxes.
    explicit Form2(QWidget* parent = nullptr);

    void setUrlOpener(UrlOpener opener);
    void setMessageSink(MessageSink sink);
    // "Помощь" calls opener instead of opening help.html (the program opens its own help window).
    void setHelpOpener(std::function<void()> opener) { helpOpener_ = std::move(opener); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();

    void Command1_Click();
    void Command2_Click();
    void Label2_Click();
    void Label3_Click();

    void open(const QUrl& url);

    UrlOpener urlOpener_;
    MessageSink messageSink_;
    std::function<void()> helpOpener_;
    QLabel* Label2_ = nullptr;
    QLabel* Label3_ = nullptr;
};
