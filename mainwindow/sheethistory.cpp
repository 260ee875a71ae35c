#include "mainwindow/sheethistory.h"

#include <QUndoCommand>

namespace vardo::mainwindow {

using namespace Qt::Literals::StringLiterals;

class SheetHistory::Step : public QUndoCommand {
  public:
    Step(SheetHistory& history, State before, State after, const QString& text)
        : QUndoCommand(text),
          history_(history),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { history_.put(before_); }
    void redo() override {
        // Pushed after the change was made: the sheet already shows it.
        if (pushed_) history_.put(after_);
        pushed_ = true;
    }

  private:
    SheetHistory& history_;
    State before_, after_;
    bool pushed_ = false;
};

SheetHistory::SheetHistory(Capture capture, Restore restore, QObject* parent)
    : QObject(parent), capture_(std::move(capture)), restore_(std::move(restore)) {
    // A state is small, but a day of work need not be kept.
    stack_.setUndoLimit(500);
    deferred_.setSingleShot(true);
    deferred_.setInterval(0);
    connect(&deferred_, &QTimer::timeout, this, [this] {
        if (held_ == 0 && typingField_.isEmpty()) record();
    });
    connect(&stack_, &QUndoStack::indexChanged, this, &SheetHistory::actionsChanged);
    current_ = capture_();
}

void SheetHistory::name(const QString& text) {
    if (!restoring_ && name_.isEmpty()) name_ = text;
}

SheetHistory::~SheetHistory() {
    // The stack tells its last index while it is destroyed; nobody asks then.
    disconnect(&stack_, nullptr, this, nullptr);
}

void SheetHistory::begin(const QString& text) {
    if (restoring_) return;
    if (held_ == 0) commit();
    name(text);
    // Recorded when the action is done; a name of an action that changed nothing goes then.
    changed();
}

void SheetHistory::changed() {
    if (!restoring_) deferred_.start();
}

void SheetHistory::typing(const QString& field, const QString& text) {
    if (restoring_ || field == typingField_) return;
    // Another field's typing began without the first one ending: that one is a step of its own.
    if (!typingField_.isEmpty()) commit();
    typingField_ = field;
    typingName_ = text;
    Q_EMIT actionsChanged();
}

void SheetHistory::typingEnded(const QString& field) {
    if (!typingField_.isEmpty() && field == typingField_) commit();
}

void SheetHistory::release() {
    if (held_ > 0 && --held_ == 0) changed();
}

void SheetHistory::commit() {
    deferred_.stop();
    record();
}

void SheetHistory::record() {
    record(capture_());
}

void SheetHistory::record(State now) {
    QString text = !typingField_.isEmpty() ? typingName_ : name_;
    const bool typed = !typingField_.isEmpty();
    typingField_.clear();
    typingName_.clear();
    name_.clear();
    if (now == current_) {
        if (typed) Q_EMIT actionsChanged();
        return;
    }
    if (text.isEmpty()) text = u"изменение листа"_s;
    State before = std::exchange(current_, now);
    stack_.push(new Step(*this, std::move(before), std::move(now), text));
}

void SheetHistory::put(const State& state) {
    restoring_ = true;
    restore_(state);
    restoring_ = false;
    // What the sheet shows now, which is the state put back.
    current_ = capture_();
    deferred_.stop();
    name_.clear();
}

void SheetHistory::restart() {
    deferred_.stop();
    name_.clear();
    typingField_.clear();
    typingName_.clear();
    stack_.clear();
    current_ = capture_();
    Q_EMIT actionsChanged();
}

void SheetHistory::setClean() {
    commit();
    stack_.setClean();
}

void SheetHistory::setClean(State now) {
    deferred_.stop();
    record(std::move(now));
    stack_.setClean();
}

void SheetHistory::undo() {
    commit();
    stack_.undo();
}

void SheetHistory::redo() {
    commit();
    stack_.redo();
}

}  // namespace vardo::mainwindow
