// The floor for the start-up comparison: a plain Qt window with two tables holding the same
// rows as the main window's two catalogue lists, nothing else. Built with the CMake option
// VANTREL_BENCH_FIRST_PAINT_EXIT it ends once both tables have been painted, as the program
// does.

#include "app/QuitAfterFirstPaint.h"
#include "catalogue/CatalogueText.h"

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QSplitter>
#include <QTableWidget>

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

#ifdef VANTREL_BENCH_FIRST_PAINT_EXIT
    QuitAfterFirstPaint quit(QList<QWidget *>{recent->viewport(), old->viewport()});
#endif
    window.show();
    return QApplication::exec();
}
