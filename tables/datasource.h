#pragma once
// The data source: a navigator over one reference table, with fields bound to its columns.
//
//   open(workbook) --readWorkbook--> Table --current row--> every bound field's text
//   |< < [caption] > >|  --moveFirst/Previous/Next/Last--> current row
//
// It looks like the classic data control: four buttons and a caption (its object name, "Data1"
// .. "Data8", unless setCaption gives another). Opening a table makes its first data row current.
// Every row change, the first included, writes the row's cell into each bound field; a bound
// QLineEdit raises textChanged when its text changes, so change actions run. A field whose column
// the table lacks, and every field of a table that failed to open or has no data rows, keeps the
// text it has (its design text). Moving beyond the first or the last row leaves the row as it is;
// every move, also one that stays on its row, writes the row's cells again, so a bound field the
// user has typed into shows the table's value again.
//
// The buttons are named "moveFirst", "movePrevious", "moveNext", "moveLast", the caption "caption".
// The bar takes the focus (Tab or a click); then ← or ↑ presses "movePrevious", → or ↓ "moveNext",
// Home or PageUp "moveFirst", End or PageDown "moveLast".

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "tables/workbook.h"

class QAbstractButton;
class QLabel;

namespace vardo::tables {

class DataSource : public QWidget {
    Q_OBJECT

  public:
    explicit DataSource(QWidget* parent = nullptr);

    // Reads the sheet of the workbook at path and shows its first data row. On failure returns
    // false, errorText() says why (in Russian, to put after the file's name), the table is empty
    // and the bound fields keep their texts.
    bool open(const QString& path, const QString& sheetName = referenceSheetName());
    // Shows this table from its first data row (none when it has no data rows).
    void setTable(Table table);

    const Table& table() const { return table_; }
    QString errorText() const { return errorText_; }
    QString fileName() const { return fileName_; }

    int rowCount() const { return table_.rowCount(); }
    int columnCount() const { return table_.columnCount(); }
    // The current data row, 0-based; -1 when the table has no data rows.
    int currentRow() const { return currentRow_; }
    // The current row's cell in a 0-based column; empty without a current row or such a column.
    QString value(int column) const;
    // The 0-based column whose header cell has this text, or -1. A column whose header cell is
    // blank also answers to "F" and its 1-based number ("F2" for the second column).
    int columnOf(const QString& headerText) const;

    // Binds a QLabel, QLineEdit or QPlainTextEdit (or any widget with a "text" property) to a
    // 0-based column (F1 is column 0), or to the column with this header text. Binding the same
    // field again replaces its binding. With a current row the field receives its cell at once.
    void bindField(QWidget* field, int column);
    void bindField(QWidget* field, const QString& headerText);

    // The navigation bar's caption; the object name until set.
    QString caption() const;
    void setCaption(const QString& caption);

    QSize sizeHint() const override;

  public Q_SLOTS:
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    // Makes row current (0-based) and shows it; a row outside the table is ignored.
    void moveTo(int row);

  Q_SIGNALS:
    // A table was set or opened (row 0, or -1 without data rows), or a move changed the row.
    void currentRowChanged(int row);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    struct Binding {
        QPointer<QWidget> field;
        int column = -1;     // used when headerText is empty
        QString headerText;  // resolved against the table's header when a row is shown
    };

    void bind(Binding binding);
    int columnOf(const Binding& binding) const;
    void showRow(const Binding& binding) const;
    void showCurrentRow() const;
    void layoutChildren();
    void fitCaption();
    void updateCaption();

    Table table_;
    int currentRow_ = -1;
    QString errorText_;
    QString fileName_;
    QList<Binding> bindings_;
    QString caption_;
    bool captionSet_ = false;

    QAbstractButton* first_ = nullptr;
    QAbstractButton* previous_ = nullptr;
    QAbstractButton* next_ = nullptr;
    QAbstractButton* last_ = nullptr;
    QLabel* captionLabel_ = nullptr;
};

}  // namespace vardo::tables
