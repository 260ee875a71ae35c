#pragma once
// Marks on the sheet that say what its texts do not: what each field and result holds (a tooltip
// with the quantity and its unit), which results are out of date, and which typed texts are not
// numbers. None of them changes a text; each is a colour and a tooltip, taken back exactly.
//
//   a click runs a procedure (ran) --> the inputs of its results, as texts, are kept
//   refresh: a result is out of date when an input's text differs from the kept one, or an input
//   that is itself a result is out of date --> background colour + "Исходные данные изменились —
//   пересчитайте"; computed again, the mark goes.
//   refresh: a typed field whose text parseFixed refuses --> background colour + why
//   (numberProblem); the procedures still read the text as they always do (it counts as 0).
//
// The inputs of each result are the catalogue's (core/quantities.h).

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

    bool isStale(const QString& result) const { return stale_.contains(result); }
    QStringList staleResults() const;
    // Why the text of a typed field is not a number; empty when it is one (or the field is empty).
    QString problemOf(const QString& field) const { return problems_.value(field); }

    static QString staleText();
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
