#pragma once
// Undo and redo of the sheet ("Отменить", "Повторить"): every change the user makes is one step
// of a QUndoStack, and a step keeps the whole sheet as it was before and after it.
//
//   a change (a text typed or written, an option, a table row, a button's procedure, the object
//   data) --changed()--> one step on the next turn of the event loop, with every change of that
//   turn: a button's procedure, a pick, a reset, "Новый расчет", a grade applied, each is one step
//   typing into a field --typing()--> one step when the field's editing ends (the focus leaves
//   it, Enter), not one per key
//   undo, redo --> the state of before or after put back whole: what a calculation file keeps
//   (document/calculation.h, the object data included) and what the marks remember of how each
//   result was computed (sheetmarks.h)
//
// A state is a few kilobytes of implicitly shared texts, and a step shares its "before" with the
// previous step's "after", so whole states cost little and cannot miss a field that a step per
// control would have to know about. While a message box of an action is open (a nested event
// loop) nothing is recorded, so the action stays one step.

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUndoStack>
#include <functional>

#include "document/calculation.h"
#include "mainwindow/sheetmarks.h"

namespace vardo::mainwindow {

class SheetHistory : public QObject {
    Q_OBJECT

  public:
    struct State {
        document::Calculation calculation;
        SheetMarks::Memory marks;
        friend bool operator==(const State&, const State&) = default;
    };
    using Capture = std::function<State()>;
    using Restore = std::function<void(const State&)>;

    // The sheet as it is now is where the history starts.
    SheetHistory(Capture capture, Restore restore, QObject* parent = nullptr);
    ~SheetHistory() override;

    QUndoStack& stack() { return stack_; }
    // Whether undo has something to take back: a step, or a field being typed into; and its name.
    bool canUndo() const { return stack_.canUndo() || !typingField_.isEmpty(); }
    QString undoText() const { return typingField_.isEmpty() ? stack_.undoText() : typingName_; }
    // Typing into a field ends what could be redone.
    bool canRedo() const { return stack_.canRedo() && typingField_.isEmpty(); }

    // What the user is doing, for the step's name in "Отменить …" ("«Сброс»", "ввод «l»"); the
    // first name given before the step is recorded is kept.
    void name(const QString& text);
    // A user's action begins: what changed before it is recorded as a step of its own (unless
    // the action is a part of a larger one, which holds the history), and its step is called
    // `text`.
    void begin(const QString& text);
    // Something on the sheet may have changed: recorded on the next turn of the event loop.
    void changed();
    // The user typed into `field`: recorded when typingEnded() or commit() is called. `text`
    // names the step.
    void typing(const QString& field, const QString& text);
    // The focus left `field` or Enter was pressed in it.
    void typingEnded(const QString& field);
    // Records now whatever changed since the last step (a field being typed into included).
    void commit();
    // A message box of an action is open: nothing is recorded until it closes.
    void hold() { ++held_; }
    void release();

    // A file was opened: no step back into what was there before; the sheet as it is now starts.
    void restart();
    // The sheet as it is now is what its file holds (saved, or a new calculation's start).
    void setClean();
    // The same, with the sheet as it is now already taken (a save has just captured it).
    void setClean(State now);

    // Undo and redo of the sheet; what is being typed is a step of its own first.
    void undo();
    void redo();

  Q_SIGNALS:
    // What undo and redo can do, or their names, may have changed.
    void actionsChanged();

  private:
    class Step;
    void record();
    void record(State now);
    void put(const State& state);

    Capture capture_;
    Restore restore_;
    QUndoStack stack_;
    State current_;  // the state after the last step, or where the history started
    QString name_;
    QString typingField_;
    QString typingName_;
    QTimer deferred_;
    int held_ = 0;
    bool restoring_ = false;
};

}  // namespace vardo::mainwindow
