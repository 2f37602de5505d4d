// The floor for the start-up comparison: a plain Qt window with two tables holding the same
// rows as the main window's two catalogue lists, nothing else. With
// VANTREL_QUIT_AFTER_FIRST_PAINT=1 it ends once both tables have been painted, as the program
// does.

#include "catalogue/CatalogueText.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>

namespace {

QTableWidget *tableOf(const QString &text, int columns)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    auto *table = new QTableWidget(int(lines.size()), columns);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines.at(r).split(QLatin1Char('\t'));
        for (int c = 0; c < columns && c < cells.size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    return table;
}

class QuitAfterPaint : public QObject
{
public:
    explicit QuitAfterPaint(int waiting)
        : m_waiting(waiting)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            if (--m_waiting == 0)
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    int m_waiting;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *split = new QSplitter(Qt::Vertical);
    QTableWidget *recent = tableOf(Catalogue::DEPRECATIONS_TEXT(), 5);
    QTableWidget *old = tableOf(Catalogue::OLD_DEPRECATIONS_TEXT(), 4);
    split->addWidget(recent);
    split->addWidget(old);
    window.setCentralWidget(split);
    window.resize(1000, 800);

    QuitAfterPaint quit(2);
    if (qEnvironmentVariableIntValue("VANTREL_QUIT_AFTER_FIRST_PAINT") == 1) {
        recent->viewport()->installEventFilter(&quit);
        old->viewport()->installEventFilter(&quit);
    }
    window.show();
    return QApplication::exec();
}
