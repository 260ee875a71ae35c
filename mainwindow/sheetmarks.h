#pragma once
// Marks on the sheet that say what its texts do not: what each field and result holds (a tooltip
// with the quantity and its unit), which results are out of date, which typed texts are not
// numbers, and which suspension points have both arms. None of them changes a text; each is a
// colour and a tooltip, taken back exactly.
//
//   a click runs a procedure (ran) --> the inputs of its results, as texts, are kept
//   refresh: a result is out of date when an input's text differs from the kept one, or an input
//   that is itself a result is out of date --> background colour + "Исходные данные изменились —
//   пересчитайте"; computed again, the mark goes.
//   refresh: a typed field whose text parseFixed refuses --> background colour + why
//   (numberProblem); the procedures still read the text as they always do (it counts as 0).
//   refresh: a suspension point with both arms л and п other than 0 --> both arm fields get the
//   same colour + why (its load counts twice); the calculation takes them as typed.
//
// The inputs of each result are those of its procedure (calc/procedures.h).

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QSet>
#include <QString>
#include <QStringList>

#include "mainwindow/widgetsheet.h"

namespace vardo::mainwindow {

class SheetMarks : public QObject {
    Q_OBJECT

  public:
    // Gives every control of the sheet that holds a quantity its tooltip.
    explicit SheetMarks(WidgetSheet& sheet, QObject* parent = nullptr);

    // A click on `control` ran its procedure: the results it computes are up to date with the
    // inputs they read now. "Новый расчет" leaves no result computed.
    void ran(const QString& control);
    // Every result the sheet shows is taken as computed from the inputs it has now (a calculation
    // file was opened), except `outOfDate`: the results its inputs now give otherwise. Those are
    // out of date, as if an input had just been typed, until their procedures run again.
    void takeAllAsComputed(const QStringList& outOfDate = {});
    // Sets the marks by the texts the sheet has now.
    void refresh();

    // What the marks know beyond the sheet's texts: the inputs each result was computed from and
    // the results a file opened out of date. Undo takes it back with the texts (sheethistory.h).
    struct Memory {
        QHash<QString, QHash<QString, QString>> computedFrom;
        QSet<QString> outOfDateOnOpening;
        friend bool operator==(const Memory&, const Memory&) = default;
    };
    Memory memory() const { return {snapshots_, outOfDateOnOpening_}; }
    // Call refresh() after it to show the marks.
    void setMemory(const Memory& memory) {
        snapshots_ = memory.computedFrom;
        outOfDateOnOpening_ = memory.outOfDateOnOpening;
    }

    bool isStale(const QString& result) const { return stale_.contains(result); }
    QStringList staleResults() const;
    // What is wrong with the text of a typed field, as its tooltip says it: not a number (and
    // why), or one of a point's two arms; empty when nothing is (or the field is empty).
    QString problemOf(const QString& field) const { return problems_.value(field); }

    static QString staleText();
    // Why the arms of suspension point `point` are wrong together: both are numbers other than 0,
    // so its load counts twice. Empty when they are not.
    static QString bothArmsText(int point, const QString& left, const QString& right);
    static QColor staleColour();
    static QColor problemColour();
    // The fields whose texts are checked as numbers.
    static QStringList typedFields();

  private:
    struct Original {
        QPalette palette;
        bool ownPalette = false;
        bool autoFill = false;
    };
    QString valueOf(const QString& name) const;
    void snapshot(const QString& result);
    // problem: the line of the tooltip that says what is wrong with the text; empty when nothing.
    void show(const QString& name, bool stale, const QString& problem);

    WidgetSheet& sheet_;
    QHash<QString, QHash<QString, QString>> snapshots_;
    QSet<QString> outOfDateOnOpening_;  // until computed again
    QSet<QString> stale_;
    QHash<QString, QString> problems_;
    QHash<QString, Original> originals_;
    QHash<QString, QString> shownState_;  // what each marked control shows now
};

}  // namespace vardo::mainwindow
