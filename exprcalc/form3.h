#pragma once
// The calculator window: an expression box, an answer box, four buttons and a legend of the
// operators that "?" lays over the expression box.
//
// "Вычислить" hands the expression text, line breaks included, to the window's one evaluator and
// writes the value into the answer box (answertext.h), which then has the focus with its whole
// text selected. Errors are the evaluator's own messages; the answer is then 0.
//
// The window does not delete itself when closed; its owner decides (the main window sets
// Qt::WA_DeleteOnClose, so that every opening starts with a fresh window and evaluator, and
// Qt::WA_QuitOnClose, which a tool window lacks, so that the program runs on while it is open).

#include <QWidget>

#include "exprcalc/cexpressionevaluator.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class Form3 : public QWidget {
    Q_OBJECT

  public:
    // Evaluation errors are shown in modal message boxes.
    explicit Form3(QWidget* parent = nullptr);
    // Evaluation errors go to `errorSink` instead.
    Form3(QWidget* parent, CExpressionEvaluator::ErrorSink errorSink);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();

    void cmdCalc_Click();
    void cmdOp_Click();
    void Command1_Click();
    void Command2_Click();
    void Text1_Click();
    void txtExpression_Click();
    void Text2_GotFocus();

    CExpressionEvaluator evaluator_;
    QPlainTextEdit* txtExpression_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QPushButton* cmdCalc_ = nullptr;
    QPushButton* cmdOp_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
};
