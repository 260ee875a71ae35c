// Start-up yardstick: the main window's controls in plain Qt. The window is generated from the
// main window's inventory (mainwindow/inventory.h) with the same widget kinds, captions, places,
// fonts, colours, start states and stacking, and the same diagram lines, but with nothing behind
// them: no actions, no start-up values, no workbooks, no data sources opened. What Form1 costs
// beyond this window is what its own code costs. Started by startup_bench like the other probes.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>

#include "bench/probe.h"
#include "core/catalogue.h"
#include "mainwindow/inventory.h"
#include "widgets/windowfont.h"

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace vardo::mainwindow;

// The data source's look: four navigation buttons around a caption.
QWidget* dataBar(const QString& caption, const QRect& place, QWidget* parent) {
    auto* bar = new QWidget(parent);
    bar->setGeometry(place);
    const int w = place.width();
    const int h = place.height();
    const int button = std::max(1, std::min(h / 2, w / 7));
    for (const int x : {0, button, w - 2 * button, w - button})
        (new QPushButton(bar))->setGeometry(x, 0, button, h);
    auto* label = new QLabel(caption, bar);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(2 * button, 0, std::max(0, w - 4 * button), h);
    return bar;
}

QWidget* createControl(const ControlRow& row, QWidget* parent) {
    const QRect place = twipsRect(row.left, row.top, row.width, row.height);
    QWidget* widget = nullptr;
    switch (row.kind) {
        case Kind::Frame: {
            auto* frame = new QGroupBox(row.caption, parent);
            frame->setAutoFillBackground(true);
            widget = frame;
            break;
        }
        case Kind::Button:
            widget = new QPushButton(row.caption, parent);
            break;
        case Kind::Option:
            widget = new QRadioButton(row.caption, parent);
            break;
        case Kind::Text:
            widget = new QLineEdit(row.caption, parent);
            break;
        case Kind::Label: {
            auto* label = new QLabel(row.caption, parent);
            label->setWordWrap(row.height > 300);
            widget = label;
            break;
        }
        case Kind::List: {
            auto* list = new QComboBox(parent);
            list->setEditable(true);
            list->addItems(row.name == u"Combo1"_s ? vardo::catalogue::combo1Items()
                                                   : vardo::catalogue::combo2Items());
            list->setEditText(row.caption);
            widget = list;
            break;
        }
        case Kind::DataSource:
            widget = dataBar(row.caption, place, parent);
            break;
    }
    widget->setGeometry(place);
    return widget;
}

class Window : public QWidget {
  public:
    Window() {
        // The window's font looked up as the main window looks it up: one installed family.
        const QFont plain = vardo::widgets::windowFont();
        setFont(plain);
        setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(kClientHeight));
        QHash<QString, QWidget*> byName;
        QHash<QWidget*, QList<QWidget*>> stacking;
        QSet<QWidget*> ownFont;
        for (const ControlRow& row : controls()) {
            QWidget* parent = row.container.isEmpty() ? this : byName.value(row.container, this);
            QWidget* widget = createControl(row, parent);
            if (row.style & (BoldItalic | BlueBold | Indicator)) {
                QFont font = plain;
                font.setBold(true);
                font.setItalic(row.style & BoldItalic);
                if (row.style & Indicator) font.setPointSizeF(9.75);
                widget->setFont(font);
                ownFont.insert(widget);
            } else if (ownFont.contains(parent)) {
                widget->setFont(plain);
            }
            if (row.style & (RedText | BlueBold | BlueCaption)) {
                QPalette palette = widget->palette();
                const QColor colour = (row.style & RedText) ? Qt::red : Qt::blue;
                palette.setColor(QPalette::WindowText, colour);
                palette.setColor(QPalette::Text, colour);
                widget->setPalette(palette);
            }
            widget->setVisible(row.shown);
            byName.insert(row.name, widget);
            stacking[parent].append(widget);
        }
        for (const QList<QWidget*>& siblings : std::as_const(stacking))
            for (auto it = siblings.crbegin(); it != siblings.crend(); ++it) (*it)->raise();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const DiagramLine& line : diagramLines()) {
            painter.setPen(QPen(Qt::red, line.width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(twipsToPixels(line.x1), twipsToPixels(line.y1), twipsToPixels(line.x2),
                             twipsToPixels(line.y2));
        }
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    vardo::bench::mark("main");
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Vardo"_s);
    vardo::bench::mark("application");
    Window window;
    return vardo::bench::runProbe(window);
}
